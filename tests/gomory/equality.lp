\ An equality with coefficients that make the relaxation fractional.
Maximize
 z: 3 x1 + 2 x2 + x3
Subject To
 e: 4 x1 + 6 x2 + 3 x3 = 17
 u: x1 + x2 + x3 <= 5
General
 x1 x2 x3
End
