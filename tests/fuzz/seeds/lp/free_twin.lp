\ A free variable whose basic half has a twin with a zero estimate: still a unique optimum.
Minimize
 obj: x1 + 2 x2
Subject To
 c1: x1 + x2 >= 2
 c2: -x1 + x2 >= 4
Bounds
 x1 free
End
