\ Transport: two warehouses ship all their stock to three shops, each of which gets exactly its demand.
Minimize
 total_cost: 4 n_a + 6 n_b + 9 n_c + 5 s_a + 3 s_b + 7 s_c
Subject To
 north: n_a + n_b + n_c = 30
 south: s_a + s_b + s_c = 40
 shop_a: n_a + s_a = 20
 shop_b: n_b + s_b = 25
 shop_c: n_c + s_c = 25
End
