\ One row, three columns bounded above: the bounds become rows with slacks of their own.
Maximize
 value: 5 a + 4 b + 3 c
Subject To
 weight: 2 a + 3 b + c <= 5
Bounds
 a <= 1
 b <= 1
 c <= 3
General
 a b c
End
