\ A row without coefficients: left out of the canonical form, it still has its line (dual 0).
Maximize
 obj: x + y
Subject To
 c1: x + 2 y <= 4
 c2: 0 x <= 0
 c3: x - y >= -1
End
