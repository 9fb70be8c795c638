#pragma once

// Blanks the screen without moving the cursor: the next text is printed
// where the cursor stood.
void clear();

// Clears the screen and draws the board. The last separator is not ended by
// a newline: the cursor stays directly behind it.
void muestraTablero(const char tablero[3][3]);
