* Diet: the cheapest daily menu of bread, milk and cheese (fixed MPS).
NAME          DIET
ROWS
 N  COST
 G  PROTEIN
 G  FAT
 G  CARBS
COLUMNS
    BREAD     COST             2.0   PROTEIN          4.0
    BREAD     FAT              1.0   CARBS           40.0
    MILK      COST             3.5   PROTEIN          8.0
    MILK      FAT              5.0   CARBS           12.0
    CHEESE    COST             8.0   PROTEIN         25.0
    CHEESE    FAT             30.0   CARBS            2.0
RHS
    RHS       PROTEIN         60.0   FAT             40.0
    RHS       CARBS          200.0
ENDATA
