#pragma once

// One whole match of a person ('X', moving first) against the computer
// ('O'). Answers 0 when a line ended it, 1 after a draw.
int loopPrimer(char tablero[3][3]);

// One whole match between two named players, 'X' for the first and 'O' for
// the second. Answers 0 when a line ended it, 1 after a draw.
int loopSegundo(char tablero[3][3]);

// Ends the text at its first line break, if it has one.
void chNewLine(char *texto);
