NAME FREE_BOUNDED
* A free variable y and a bounded variable x (1 <= x <= 4), in free MPS with an OBJSENSE section.
OBJSENSE
    MAX
ROWS
 N value
 L total
 L gap
COLUMNS
 x value 2 total 1
 x gap 1
 y value 1 total 1
 y gap -1
RHS
 RHS total 6 gap 3
BOUNDS
 LO BND x 1
 UP BND x 4
 FR BND y
ENDATA
