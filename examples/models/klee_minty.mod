/* Klee-Minty cube with n = 3 variables: Dantzig's rule visits all 2^n vertices. */
param n := 3;
set J := 1..n;
var x{J} >= 0;
maximize value: sum{j in J} 10^(n - j) * x[j];
s.t. c{i in J}: 2 * sum{j in 1..i-1} 10^(i - j) * x[j] + x[i] <= 100^(i - 1);
end;
