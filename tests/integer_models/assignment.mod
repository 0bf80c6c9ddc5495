# Three workers, three jobs: the cheapest assignment.
set I := 1..3;
param c{I, I};
var x{I, I} binary;
minimize cost: sum{i in I, j in I} c[i,j] * x[i,j];
s.t. worker{i in I}: sum{j in I} x[i,j] = 1;
s.t. job{j in I}: sum{i in I} x[i,j] = 1;
data;
param c: 1 2 3 :=
  1   9 2 7
  2   6 4 3
  3   5 8 1;
end;
