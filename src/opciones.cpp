#include "opciones.h"

#include <cstring>

#include "console/plataforma.h"

namespace {

#ifdef _WIN32
const char guia[] = "Guía del jugador: LEEME.md, en la carpeta de tres-en-rayas.exe.\n";
#else
const char guia[] = "Guía del jugador: LEEME.md. Página de manual: tres-en-rayas.6.\n"
                    "Con el paquete .deb, la guía está en /usr/share/doc/tres-en-rayas y el\n"
                    "manual se lee con «man tres-en-rayas». Con el archivo .tar.gz, la guía y\n"
                    "la página están junto al ejecutable, y el manual se lee desde esa carpeta\n"
                    "con «man ./tres-en-rayas.6».\n";
#endif

const char ayuda[] = "Uso: tres-en-rayas [--help | --version]\n"
                     "\n"
                     "El tres en rayas para la consola, en castellano: una persona juega contra\n"
                     "el ordenador, o dos personas comparten un mismo teclado. Sin opciones,\n"
                     "empieza el juego y muestra su menú.\n"
                     "\n"
                     "Opciones:\n"
                     "  -h, --help     muestra esta ayuda y termina\n"
#ifdef _WIN32
                     "  /?             lo mismo que --help\n"
#endif
                     "      --version  muestra la versión y la licencia, y termina\n"
                     "\n"
                     "Teclas (se leen de una en una, sin Intro):\n"
                     "  1, 2, 3   en el menú: contra el ordenador, entre dos personas, salir\n"
                     "  1 a 9     en la partida: la casilla donde poner la marca\n"
                     "  Y, N      tras la partida: volver al menú, o salir\n"
                     "  Intro     termina el nombre de un jugador\n"
#ifndef _WIN32
                     "  Ctrl-Z    suspende el juego; fg lo reanuda\n"
#endif
                     "\n";

const char version[] = "tres-en-rayas " TRES_EN_RAYAS_VERSION "\n"
                       "Copyright (c) 2026 los autores de tres-en-rayas\n"
                       "Licencia MIT: <https://opensource.org/licenses/MIT>.\n"
                       "Este programa es software libre: puede modificarlo y redistribuirlo.\n"
                       "No hay NINGUNA GARANTÍA, en la medida en que lo permita la ley.\n";

bool es(const char *argumento, const char *opcion) { return std::strcmp(argumento, opcion) == 0; }

} // namespace

int atenderOpciones(int argc, const char *const argv[]) {
    for (int i = 1; i < argc; ++i) {
        bool pideAyuda = es(argv[i], "--help") || es(argv[i], "-h");
#ifdef _WIN32
        pideAyuda = pideAyuda || es(argv[i], "/?");
#endif
        if (pideAyuda) {
            return mostrarTexto(ayuda) && mostrarTexto(guia) ? 0 : 1;
        }
        if (es(argv[i], "--version")) {
            return mostrarTexto(version) ? 0 : 1;
        }
    }
    return -1;
}
