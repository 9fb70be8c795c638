#include "console/plataforma/windows_lectura.h"

#include <windows.h>

#include <cstddef>

#include "console/plataforma/lector.h"
#include "console/plataforma/windows_consola.h"
#include "console/plataforma/windows_salida.h"
#include "console/plataforma/windows_teclas.h"

namespace {

bool lineaAcabada = false;

// A name's line from the console, read as UTF-16 and kept as UTF-8, served
// byte by byte to the shared line reader. The console edits and echoes the
// line itself, as its line input does.
char lineaDeConsola[3 * 257];
std::size_t largoDeConsola = 0;
std::size_t leidoDeConsola = 0;
bool alEmpezarLinea = true;
wchar_t primeraMitad = 0; // a character's first half, waiting for its second

bool esPrimeraMitad(wchar_t caracter) { return caracter >= 0xD800 && caracter <= 0xDBFF; }

} // namespace

int leerByteDeConsola() {
    while (!lineaAcabada && leidoDeConsola >= largoDeConsola) {
        wchar_t ancho[257];
        DWORD desde = 0;
        if (primeraMitad != 0) {
            ancho[desde++] = primeraMitad;
            primeraMitad = 0;
        }
        DWORD leidos = 0;
        // A console whose line input fails has gone, as when its key events
        // cannot be read: its handle may still answer (Wine's does, once
        // its terminal is gone), but nothing more can be typed into it.
        if (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), ancho + desde, 256, &leidos, nullptr) ==
            0) {
            consolaPerdida();
        }
        leidos += desde;
        // As a byte read of the console has it: nothing read, or Ctrl-Z at
        // the start of a line, is the end of input.
        if (leidos == 0 || (alEmpezarLinea && ancho[0] == 0x1A)) {
            lineaAcabada = true;
            break;
        }
        if (esPrimeraMitad(ancho[leidos - 1])) {
            primeraMitad = ancho[--leidos];
        }
        const int largo =
            WideCharToMultiByte(CP_UTF8, 0, ancho, static_cast<int>(leidos), lineaDeConsola,
                                static_cast<int>(sizeof lineaDeConsola), nullptr, nullptr);
        largoDeConsola = largo > 0 ? static_cast<std::size_t>(largo) : 0;
        leidoDeConsola = 0;
        alEmpezarLinea = largoDeConsola > 0 && lineaDeConsola[largoDeConsola - 1] == '\n';
    }
    if (leidoDeConsola < largoDeConsola) {
        return static_cast<unsigned char>(lineaDeConsola[leidoDeConsola++]);
    }
    return finDeEntrada;
}

namespace {

// windows_teclas names these codes without windows.h.
static_assert(virtualF1 == VK_F1 && virtualF11 == VK_F11 && VK_F10 == VK_F1 + 9 &&
              VK_F12 == VK_F11 + 1);

// A key event's codes, by the table of windows_teclas.
bool codigosExtendidos(const KEY_EVENT_RECORD &tecla, int &prefijo, int &codigo) {
    const DWORD estado = tecla.dwControlKeyState;
    const EventoTecla evento{tecla.wVirtualKeyCode,
                             tecla.wVirtualScanCode,
                             (estado & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0,
                             (estado & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0,
                             (estado & SHIFT_PRESSED) != 0,
                             (estado & ENHANCED_KEY) != 0};
    return codigosExtendidos(evento, prefijo, codigo);
}

// A key's code by its character, as a console with a Latin code page gives
// it: the character's Latin-1 code, or '?' for one outside Latin-1 (a
// character beyond UTF-16's first plane comes as two halves: the first gives
// the '?', the second nothing). No such code is ever a digit.
int codigoDeCaracter(wchar_t caracter) { return caracter <= 0xFF ? caracter : '?'; }

bool esSegundaMitad(wchar_t caracter) { return caracter >= 0xDC00 && caracter <= 0xDFFF; }

// Codes read from the console and not yet handed over: the second code of
// a two-code key, and the repeats of a key held down.
int pendientes[2];
int cuantosPendientes = 0;
int siguientePendiente = 0;
WORD repeticiones = 0;

} // namespace

int leerTeclaDeConsola() {
    if (siguientePendiente < cuantosPendientes) {
        return pendientes[siguientePendiente++];
    }
    if (repeticiones > 0) {
        --repeticiones;
        siguientePendiente = 1;
        return pendientes[0];
    }
    // As the key reader does: while it waits, Ctrl-C is a key too.
    modoDeTecla();
    for (;;) {
        INPUT_RECORD registro{};
        DWORD leidos = 0;
        if (ReadConsoleInputW(GetStdHandle(STD_INPUT_HANDLE), &registro, 1, &leidos) == 0 ||
            leidos == 0) {
            consolaPerdida();
        }
        if (registro.EventType != KEY_EVENT || registro.Event.KeyEvent.bKeyDown == 0) {
            continue;
        }
        const KEY_EVENT_RECORD &tecla = registro.Event.KeyEvent;
        const wchar_t caracter = tecla.uChar.UnicodeChar;
        int prefijo = 0;
        int codigo = 0;
        if (esSegundaMitad(caracter)) {
            continue; // the rest of a character already handed over
        }
        if (caracter != 0) {
            pendientes[0] = codigoDeCaracter(caracter);
            cuantosPendientes = 1;
        } else if (codigosExtendidos(tecla, prefijo, codigo)) {
            pendientes[0] = prefijo;
            pendientes[1] = codigo;
            cuantosPendientes = 2;
        } else {
            continue;
        }
        repeticiones = tecla.wRepeatCount > 1 ? tecla.wRepeatCount - 1 : 0;
        siguientePendiente = 1;
        modoDelJuego();
        return pendientes[0];
    }
}
