#pragma once

// 0 when no line is complete, 1 when a line of three 'X' is found first,
// 2 when a line of three 'O' is found first. Lines are scanned in a fixed
// order: the two diagonals, the rows top to bottom, the columns left to
// right.
int victoria(const char tablero[3][3]);
