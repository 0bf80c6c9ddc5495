\ Beale's example (1955): with the largest estimate as the key column and the
\ lowest row on a tie of ratios, the simplex method cycles with period 6 at the
\ vertex 0: the basis of iteration 6 is that of the first table. qtb-solve
\ stops the run there (exit status 3). Bland's rule (--rule bland) reaches the
\ optimum -1/20 at x4 = 1/25, x6 = 1.
Minimize
 cost: -0.75 x4 + 150 x5 - 0.02 x6 + 6 x7
Subject To
 r1: 0.25 x4 - 60 x5 - 0.04 x6 + 9 x7 <= 0
 r2: 0.5 x4 - 90 x5 - 0.02 x6 + 3 x7 <= 0
 r3: x6 <= 1
End
