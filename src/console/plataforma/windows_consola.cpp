#include "console/plataforma/windows_consola.h"

#include <windows.h>

#include <cstdlib>

#include "console/plataforma/windows_salida.h"

namespace {

bool entradaEsConsola = false;
DWORD modoUsuario = 0;
DWORD modoJuego = 0;
DWORD modoLinea = 0;

void ponerModo(DWORD modo) {
    if (entradaEsConsola) {
        SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modo);
    }
}

// Ctrl-C or Ctrl-Break: the console gets its mode back before the default
// handling ends the program. A closed window, a logoff or a shutdown ends
// it at once with status 0.
BOOL WINAPI alEventoDeConsola(DWORD evento) {
    ponerModo(modoUsuario);
    if (evento == CTRL_CLOSE_EVENT || evento == CTRL_LOGOFF_EVENT ||
        evento == CTRL_SHUTDOWN_EVENT) {
        ExitProcess(0);
    }
    return FALSE;
}

} // namespace

bool prepararConsola() {
    entradaEsConsola = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &modoUsuario) != 0;
    if (!entradaEsConsola) {
        return false;
    }
    modoJuego = modoUsuario & ~static_cast<DWORD>(ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT);
    modoLinea = modoUsuario | ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT;
    std::atexit(restaurarModo);
    antesDeFallar(restaurarModo);
    SetConsoleCtrlHandler(alEventoDeConsola, TRUE);
    ponerModo(modoJuego);
    return true;
}

void modoDelJuego() { ponerModo(modoJuego); }
void modoDeLinea() { ponerModo(modoLinea); }
void modoDeTecla() { ponerModo(0); }
void restaurarModo() { ponerModo(modoUsuario); }

void siSeFueLaConsola() {
    DWORD eventos = 0;
    if (entradaEsConsola &&
        GetNumberOfConsoleInputEvents(GetStdHandle(STD_INPUT_HANDLE), &eventos) == 0) {
        consolaPerdida();
    }
}

void ordenDelInterprete(const char *orden) {
    ejecutarOrden(orden);
    // A command that failed for want of a console ends the game.
    siSeFueLaConsola();
    // The interpreter may leave the console in a mode of its own.
    ponerModo(modoJuego);
}
