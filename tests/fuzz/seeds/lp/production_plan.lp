\ Production plan: tables, chairs and cabinets from boards, labour and machine hours.
Maximize
 profit: 5 tables + 4 chairs + 3 cabinets
Subject To
 boards:  2 tables + 3 chairs + cabinets <= 5
 labour:  4 tables + chairs + 2 cabinets <= 11
 machine: 3 tables + 4 chairs + 2 cabinets <= 8
End
