#include "board/tablero.h"

namespace {

bool enRango(int posicion) { return posicion >= 1 && posicion <= 9; }

// Row from the integer division, column from the remainder: 1 is the first
// column, 2 the second and 0 the third.
int fila(int posicion) { return (posicion - 1) / 3; }

int columna(int posicion) {
    const int resto = posicion % 3;
    return resto == 0 ? 2 : resto - 1;
}

} // namespace

void crearTablero(char tablero[3][3]) {
    for (int f = 0; f < 3; ++f) {
        for (int c = 0; c < 3; ++c) {
            tablero[f][c] = static_cast<char>('1' + 3 * f + c);
        }
    }
}

char casilla(const char tablero[3][3], int posicion) {
    if (!enRango(posicion)) {
        return '\0';
    }
    return tablero[fila(posicion)][columna(posicion)];
}

int compruebaPos(const char tablero[3][3], int posicion) {
    if (!enRango(posicion)) {
        return 0;
    }
    const char contenido = casilla(tablero, posicion);
    if (contenido == 'X' || contenido == 'O') {
        return 0;
    }
    return 1;
}

bool hayCasillaLibre(const char tablero[3][3]) {
    for (int posicion = 1; posicion <= 9; ++posicion) {
        if (compruebaPos(tablero, posicion) == 1) {
            return true;
        }
    }
    return false;
}

void introDato(char tablero[3][3], int posicion, int jugador) {
    if (!enRango(posicion)) {
        return;
    }
    tablero[fila(posicion)][columna(posicion)] = jugador == 0 ? 'X' : 'O';
}
