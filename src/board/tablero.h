#pragma once

// The board: 3 rows of 3 cells, row-major, no terminator. A free cell holds
// its own digit '1'..'9'; a taken one holds 'X' (first player) or 'O'
// (second player or the computer).
//
// Cells are numbered 1..9 in reading order, as typed on the keyboard.

// Fills every cell with its own digit, '1' to '9' in reading order.
void crearTablero(char tablero[3][3]);

// 1 when the cell holds neither 'X' nor 'O', else 0. A number outside 1..9
// names no cell and is answered 0, so nothing is ever read out of bounds.
int compruebaPos(const char tablero[3][3], int posicion);

// Writes 'X' when jugador is 0 and 'O' otherwise. It does not test the cell:
// callers ask compruebaPos first. A number outside 1..9 writes nothing.
void introDato(char tablero[3][3], int posicion, int jugador);

// Whether any cell is free, asking compruebaPos about cells 1 to 9 in order
// and stopping at the first free one.
bool hayCasillaLibre(const char tablero[3][3]);

// What the cell numbered posicion (1..9) holds; '\0' outside 1..9.
char casilla(const char tablero[3][3], int posicion);
