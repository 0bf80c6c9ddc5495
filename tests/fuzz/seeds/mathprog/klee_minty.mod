/* Klee-Minty cube with n = 3 variables: Dantzig's rule visits all 2^n vertices.
   Every row is written twice over, so that no variable starts as a unit column
   of the basis: the walk then starts at the origin, from the slack basis. */
param n := 3;
set J := 1..n;
var x{J} >= 0;
maximize value: sum{j in J} 10^(n - j) * x[j];
s.t. c{i in J}: 2 * (2 * sum{j in 1..i-1} 10^(i - j) * x[j] + x[i]) <= 2 * 100^(i - 1);
end;
