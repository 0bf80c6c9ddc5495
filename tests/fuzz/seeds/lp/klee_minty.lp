\ Klee-Minty cube with 3 variables: Dantzig's rule visits all 8 vertices.
\ Every row is written twice over, so that no variable starts as a unit column
\ of the basis: the walk then starts at the origin, from the slack basis.
Maximize
 value: 100 x1 + 10 x2 + x3
Subject To
 c1: 2 x1 <= 2
 c2: 40 x1 + 2 x2 <= 200
 c3: 400 x1 + 40 x2 + 2 x3 <= 20000
End
