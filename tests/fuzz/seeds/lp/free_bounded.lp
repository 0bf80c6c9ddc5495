\ A free variable y and a bounded variable x (1 <= x <= 4).
Maximize
 value: 2 x + y
Subject To
 total: x + y <= 6
 gap:   x - y <= 3
Bounds
 1 <= x <= 4
 y free
End
