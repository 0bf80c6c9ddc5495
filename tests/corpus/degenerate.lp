\ Degenerate at its optimum: three rows meet in the vertex (1, 1) of a plane.
Maximize
 obj: x + y
Subject To
 a: x + y <= 2
 b: x <= 1
 c: y <= 1
 d: 0.1 x + 0.7 y <= 0.8
End
