\ Two cuts: x2 <= 3, then x1 + x2 <= 7; the optimum x1 = 4, x2 = 3, z = 58.
Maximize
 z: 7 x1 + 10 x2
Subject To
 c1: - x1 + 3 x2 <= 6
 c2: 7 x1 + x2 <= 35
General
 x1 x2
End
