#include "console/pantalla.h"

#include <cstdio>

#include "console/plataforma.h"

void clear() { borrarPantalla(); }

void muestraTablero(const char tablero[3][3]) {
    limpiarPantalla();
    for (int fila = 0; fila < 3; ++fila) {
        std::puts("---------------");
        std::printf(" | %c |", tablero[fila][0]);
        std::printf(" %c |", tablero[fila][1]);
        std::printf(" %c |", tablero[fila][2]);
        std::putchar('\n');
    }
    std::printf("---------------");
}
