#pragma once

// Takes one move from a person: one key, not echoed. A digit naming a free
// cell places the player's mark (jugador 0 writes 'X', any other 'O') and
// answers 1. A taken cell prints its message and pauses; any other key
// prints its message and swallows one more key. Both refusals answer 0 and
// leave the board as it was.
int introducirDato(char tablero[3][3], int jugador);

// Tells the player the cell is taken, then pauses.
void error();
