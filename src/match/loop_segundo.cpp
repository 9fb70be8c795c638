#include <cstdio>
#include <cstring>

#include "board/tablero.h"
#include "board/victoria.h"
#include "console/entrada.h"
#include "console/pantalla.h"
#include "console/plataforma.h"
#include "match/partidas.h"

namespace {

constexpr std::size_t largoNombre = 50;

void anunciaGanador(const char tablero[3][3], const char *nombre) {
    muestraTablero(tablero);
    // A name read from a file may hold control bytes: on a terminal they are
    // shown, never obeyed, each in up to four bytes (a C1 control as M-^[).
    char visible[4 * largoNombre];
    textoParaMostrar(nombre, visible, sizeof visible);
    // The name is only an argument, so a '%' in it is printed as typed.
    std::printf("\n\nFelicidades ganastes %s!!\n", visible);
    pausa();
}

} // namespace

void chNewLine(char *texto) {
    for (std::size_t i = 0; i < std::strlen(texto); ++i) {
        if (texto[i] == '\n') {
            texto[i] = '\0';
        }
    }
}

int loopSegundo(char tablero[3][3]) {
    char nombrePrimero[largoNombre] = "";
    char nombreSegundo[largoNombre] = "";

    crearTablero(tablero);
    // Only blanks the screen: the first prompt appears where the cursor
    // stood behind the menu.
    clear();
    descartarEntrada();
    std::printf("Cual es el nombre del primer jugador: ");
    leerLinea(nombrePrimero, largoNombre);
    // Drops the rest of an over-long first name, so that it is not taken as
    // the second one.
    descartarEntrada();
    std::printf("Cual es el nombre del segundo jugador: ");
    leerLinea(nombreSegundo, largoNombre);
    chNewLine(nombrePrimero);
    chNewLine(nombreSegundo);

    for (;;) {
        muestraTablero(tablero);
        if (introducirDato(tablero, 0) == 0) {
            continue;
        }
        if (victoria(tablero) == 1) {
            anunciaGanador(tablero, nombrePrimero);
            return 0;
        }
        muestraTablero(tablero);
        // Only the first player can fill the board: 'X' makes the ninth mark.
        if (!hayCasillaLibre(tablero)) {
            std::puts("\nLo siento has empatado.");
            pausa();
            return 1;
        }
        // The second player's refusals pile up under this drawing.
        while (introducirDato(tablero, 1) == 0) {
        }
        if (victoria(tablero) == 2) {
            anunciaGanador(tablero, nombreSegundo);
            return 0;
        }
    }
}
