Maximize
 obj: x1 + x2
Subject To
 c1: -x1 + x2 <= 0.5
 c2: x1 + x2 <= 3.5
 c3: x1 - x2 <= 0.5
Bounds
 -3 <= x1 <= 3
 x2 free
Generals
 x1 x2
End
