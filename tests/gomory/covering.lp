\ A minimum with ">=" rows: the relaxation runs through artificial columns, dropped before the cuts.
Minimize
 cost: 3 x + 2 y + 4 w
Subject To
 r1: 2 x + y + 3 w >= 7
 r2: x + 3 y + w >= 5
 r3: x + y + w >= 3
General
 x y w
End
