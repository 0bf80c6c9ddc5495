Maximize
 value: 10 a + 13 b + 7 c + 8 d
Subject To
 weight: 4 a + 6 b + 3 c + 5 d <= 10
Binaries
 a b c d
End
