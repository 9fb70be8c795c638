#include "board/victoria.h"

#include "board/tablero.h"

namespace {

// The eight lines in the order they are scanned.
constexpr int lineas[8][3] = {
    {1, 5, 9},                       // main diagonal
    {7, 5, 3},                       // other diagonal, from the bottom-left upwards
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9}, // rows
    {1, 4, 7}, {2, 5, 8}, {3, 6, 9}, // columns
};

} // namespace

int victoria(const char tablero[3][3]) {
    // cppcheck-suppress constVariable ; a reference to a row of a const table
    for (const auto &linea : lineas) {
        int cuentaX = 0;
        int cuentaO = 0;
        for (const int posicion : linea) {
            const char contenido = casilla(tablero, posicion);
            if (contenido == 'X') {
                ++cuentaX;
            } else if (contenido == 'O') {
                ++cuentaO;
            }
        }
        if (cuentaX == 3) {
            return 1;
        }
        if (cuentaO == 3) {
            return 2;
        }
    }
    return 0;
}
