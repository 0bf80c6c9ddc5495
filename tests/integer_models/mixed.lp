Maximize
 profit: 3 x + 2 y
Subject To
 total: x + y <= 3.5
 cap: x <= 2.5
Generals
 x
End
