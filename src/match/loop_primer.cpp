#include <cstdio>

#include "board/tablero.h"
#include "board/victoria.h"
#include "console/entrada.h"
#include "console/pantalla.h"
#include "console/plataforma.h"
#include "match/partidas.h"
#include "opponent/ia.h"

namespace {

// The last drawing of a match, its message, and the pause before returning.
void cierre(const char tablero[3][3], const char *mensaje) {
    muestraTablero(tablero);
    std::puts(mensaje);
    pausa();
}

} // namespace

int loopPrimer(char tablero[3][3]) {
    crearTablero(tablero);
    clear();
    for (;;) {
        muestraTablero(tablero);
        if (introducirDato(tablero, 0) == 0) {
            continue;
        }
        // The person's line is tested before the computer moves, so a ninth
        // mark that completes a line is a win and not a draw.
        if (victoria(tablero) == 1) {
            cierre(tablero, "\n\nFelicidades has ganado!!");
            return 0;
        }
        if (inteligenciaArtificial(tablero) == 0) {
            cierre(tablero, "\nLo siento has empatado.");
            return 1;
        }
        if (victoria(tablero) == 2) {
            cierre(tablero, "\n\nLastima perdiste intenta de nuevo...");
            return 0;
        }
    }
}
