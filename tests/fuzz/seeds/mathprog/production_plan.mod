/* Production plan: tables, chairs and cabinets from boards, labour and machine hours. */
set PRODUCTS;
set RESOURCES;
param profit{PRODUCTS};
param stock{RESOURCES};
param use{RESOURCES, PRODUCTS};
var make{PRODUCTS} >= 0;
maximize total_profit: sum{p in PRODUCTS} profit[p] * make[p];
s.t. limit{r in RESOURCES}: sum{p in PRODUCTS} use[r, p] * make[p] <= stock[r];
data;
set PRODUCTS := tables chairs cabinets;
set RESOURCES := boards labour machine;
param profit := tables 5 chairs 4 cabinets 3;
param stock := boards 5 labour 11 machine 8;
param use:   tables chairs cabinets :=
    boards        2      3        1
    labour        4      1        2
    machine       3      4        2;
end;
