#include "console/entrada.h"

#include <cstdio>

#include "board/tablero.h"
#include "console/plataforma.h"

int introducirDato(char tablero[3][3], int jugador) {
    descartarEntrada();
    std::printf("\n\n");
    const int codigo = leerTecla();
    descartarEntrada();

    // Key codes are taken as signed 8-bit characters, so a prefix code of
    // 0xE0 is just another non-digit.
    const auto tecla = static_cast<signed char>(codigo);
    if (tecla >= '1' && tecla <= '9') {
        const int posicion = tecla - '0';
        if (compruebaPos(tablero, posicion) == 1) {
            introDato(tablero, posicion, jugador);
            return 1;
        }
        error();
        return 0;
    }

    std::printf("Introdujo un valor incorrecto.");
    // The next key is swallowed whatever it is: for a cursor key it is the
    // second code of the same key press.
    leerTecla();
    return 0;
}

void error() {
    std::puts("Introdujo una posicion ya usada intente de nuevo.");
    pausa();
}
