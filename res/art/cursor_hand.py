"""The link cursor: a pointing hand, drawn pixel by pixel as monochrome cursors are.

'#' is black, '.' white, a blank lets the screen show through. The hot spot is the top
of the index finger, so a link reacts where the finger points.
"""

_ROWS = [
    "      ##",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..#",
    "     #..###",
    "     #..#..###",
    "     #..#..#..#",
    "     #..#..#..###",
    " ##  #..#..#..#..#",
    "#..# #...........#",
    "#...##...........#",
    " #..#............#",
    " #...............#",
    "  #..............#",
    "  #.............#",
    "   #............#",
    "   #...........#",
    "    #..........#",
    "    #..........#",
    "    ############",
]

HAND = [row.ljust(32) for row in _ROWS] + [" " * 32] * (32 - len(_ROWS))
HOT_SPOT = (6, 0)
