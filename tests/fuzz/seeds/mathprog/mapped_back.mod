# Every way a model row or variable is rewritten for the canonical form, for the marginals' test:
# a range row, rows multiplied by -1, a mirrored, a shifted and bounded, a fixed and a bounded variable.
var x <= 6;
var y >= -3, <= 5;
var z <= 2;
var f = 1;
var w >= 0, <= 3;
maximize obj: 3*x + 2*y - z + w;
s.t. r1: -10 <= x + y - w <= 8;
s.t. r2: -x - y >= -9;
s.t. r3: x - 2*y + z >= -4;
s.t. r4: y + w + f <= 7;
s.t. r5: x >= -20;
end;
