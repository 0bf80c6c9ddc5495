\ Klee-Minty cube with 3 variables: Dantzig's rule visits all 8 vertices.
Maximize
 value: 100 x1 + 10 x2 + x3
Subject To
 c1: x1 <= 1
 c2: 20 x1 + x2 <= 100
 c3: 200 x1 + 20 x2 + x3 <= 10000
End
