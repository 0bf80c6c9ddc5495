/* Transport: two warehouses ship all their stock to three shops, each of which gets exactly its demand. */
set WAREHOUSES;
set SHOPS;
param supply{WAREHOUSES};
param demand{SHOPS};
param cost{WAREHOUSES, SHOPS};
var ship{WAREHOUSES, SHOPS} >= 0;
minimize total_cost: sum{w in WAREHOUSES, s in SHOPS} cost[w, s] * ship[w, s];
s.t. shipped{w in WAREHOUSES}: sum{s in SHOPS} ship[w, s] = supply[w];
s.t. received{s in SHOPS}: sum{w in WAREHOUSES} ship[w, s] = demand[s];
data;
set WAREHOUSES := north south;
set SHOPS := a b c;
param supply := north 30 south 40;
param demand := a 20 b 25 c 25;
param cost:  a  b  c :=
    north    4  6  9
    south    5  3  7;
end;
