#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "console/plataforma.h"
#include "match/partidas.h"
#include "opciones.h"

// The play-again question: '0' to go on, '1' to stop.
char gameOver() {
    for (;;) {
        limpiarPantalla();
        std::puts("El juego ha terminado desea continuar (Y/N).");
        const int tecla = leerTecla();
        if (tecla == 'y' || tecla == 'Y') {
            return '0';
        }
        if (tecla == 'n' || tecla == 'N') {
            return '1';
        }
        std::puts("Lo siento se ha equivocado intente de nuevo.");
        pausa();
    }
}

int main(int argc, char *argv[]) {
    if (const int estado = atenderOpciones(argc, argv); estado >= 0) {
        return estado;
    }
    iniciarConsola();
    // Seeded once per run: later matches go on with the same sequence.
    std::srand(static_cast<unsigned>(std::time(nullptr))); // NOLINT(cert-msc32-c,cert-msc51-cpp)

    char tablero[3][3] = {};
    char opcion = '0';
    do {
        limpiarPantalla();
        std::printf("%30s", "Menu de tres en rayas:\n");
        std::printf("%15s", "Decida su modalidad de juego:\n");
        std::puts(" 1. Modo solitario (jugador vs IA).");
        std::puts(" 2. Modo grupal (jugador vs jugador).");
        std::puts(" 3. Salir.");
        std::printf("Hecho por Quarvendil");

        opcion = static_cast<char>(leerTecla());
        switch (opcion) {
        case '1':
            loopPrimer(tablero);
            opcion = gameOver();
            break;
        case '2':
            loopSegundo(tablero);
            opcion = gameOver();
            break;
        case '3': return 0;
        default:
            std::puts("Usted se ha equivocado de opcion, intente de nuevo");
            pausa();
            opcion = '0';
            break;
        }
    } while (opcion == '0');
    return 0;
}
