// The console services on Windows: the console's own calls and the command
// interpreter's "cls" and "pause" when standard input and output are the
// console, and plain byte reads when input comes from a pipe or a file.
//
// A console that goes away (its window closed, the user logged off, the
// system shut down, a pseudo-console ended) ends the game at once with
// status 0: a read of its key events or of its line input that fails means
// it has gone, and a failed byte read or command is followed by a look at
// whether the console is still there.
// Standard output, and what of it reaches the console, is in windows_salida.
//
// Text crosses the console as UTF-16, whatever its code pages: names are read
// with ReadConsoleW and kept in UTF-8, as on every other platform; what the
// game writes goes out through WriteConsoleW; keys are read by their
// character. So "Íñigo" stays "Íñigo" whether the console's code page is 850,
// 1252 or 65001 (UTF-8, where ReadFile hands back NULs for every character
// outside ASCII). Pipes and files get bytes, as they come.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/plataforma.h"
#include "console/plataforma/consola.h"
#include "console/plataforma/lineas.h"
#include "console/plataforma/mensajes.h"
#include "console/plataforma/mostrar.h"
#include "console/plataforma/teclas.h"
#include "console/plataforma/utf8.h"
#include "console/plataforma/windows_salida.h"
#include "console/plataforma/windows_teclas.h"

namespace {

bool entradaEsConsola = false;
bool entradaAcabada = false;
DWORD modoUsuario = 0;
DWORD modoJuego = 0;
DWORD modoLinea = 0;

[[noreturn]] void terminar(int estado) { std::exit(estado); }

void siSeFueLaConsola() {
    DWORD eventos = 0;
    if (entradaEsConsola &&
        GetNumberOfConsoleInputEvents(GetStdHandle(STD_INPUT_HANDLE), &eventos) == 0) {
        consolaPerdida();
    }
}

// One byte of standard input, never through stdio's buffer.
int leerByte() {
    if (entradaAcabada) {
        return finDeEntrada;
    }
    unsigned char byte = 0;
    const int leidos = _read(_fileno(stdin), &byte, 1);
    if (leidos == 1) {
        return byte;
    }
    siSeFueLaConsola();
    if (leidos < 0) {
        std::fflush(stdout);
        fallo(mensajeFalloLectura);
    }
    entradaAcabada = true;
    return finDeEntrada;
}

// A name's line from the console, read as UTF-16 and kept as UTF-8, served
// byte by byte to the shared line reader. The console edits and echoes the
// line itself, as its line input does.
char lineaDeConsola[3 * 257];
std::size_t largoDeConsola = 0;
std::size_t leidoDeConsola = 0;
bool alEmpezarLinea = true;
wchar_t primeraMitad = 0; // a character's first half, waiting for its second

bool esPrimeraMitad(wchar_t caracter) { return caracter >= 0xD800 && caracter <= 0xDBFF; }

int leerByteDeConsola() {
    while (!entradaAcabada && leidoDeConsola >= largoDeConsola) {
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
            entradaAcabada = true;
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

void ponerModo(DWORD modo) {
    if (entradaEsConsola) {
        SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modo);
    }
}

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

// One key code from the console, without echo and without Enter, as the
// runtime library's key reader (_getch) hands them over; unlike it, a
// console that is gone ends the game.
int leerDeConsola() {
    if (siguientePendiente < cuantosPendientes) {
        return pendientes[siguientePendiente++];
    }
    if (repeticiones > 0) {
        --repeticiones;
        siguientePendiente = 1;
        return pendientes[0];
    }
    // As the key reader does: while it waits, Ctrl-C is a key too.
    ponerModo(0);
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
        ponerModo(modoJuego);
        return pendientes[0];
    }
}

// One key: from the console without echo and without Enter, or the next
// byte of a pipe or file.
int leerCodigo() {
    volcarSalida();
    if (entradaEsConsola) {
        return leerDeConsola();
    }
    const int byte = leerByte();
    if (byte == finDeEntrada) {
        terminar(0);
    }
    return byte;
}

void restaurarModo() { ponerModo(modoUsuario); }

// Ctrl-C or Ctrl-Break: the console gets its mode back before the default
// handling ends the program. A closed window, a logoff or a shutdown ends
// it at once with status 0.
BOOL WINAPI alEventoDeConsola(DWORD evento) {
    restaurarModo();
    if (evento == CTRL_CLOSE_EVENT || evento == CTRL_LOGOFF_EVENT ||
        evento == CTRL_SHUTDOWN_EVENT) {
        ExitProcess(0);
    }
    return FALSE;
}

void ordenDelInterprete(const char *orden) {
    ejecutarOrden(orden);
    // A command that failed for want of a console ends the game.
    siSeFueLaConsola();
    // The interpreter may leave the console in a mode of its own.
    ponerModo(modoJuego);
}

} // namespace

bool mostrarTexto(const char *texto) {
    HANDLE salida = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD modo = 0;
    if (GetConsoleMode(salida, &modo) != 0) {
        if (escribirEnConsola(salida, texto, std::strlen(texto))) {
            return true;
        }
    } else if (std::fputs(texto, stdout) >= 0 && std::fflush(stdout) == 0) {
        return true;
    }
    std::fputs(mensajeFalloEscritura, stderr);
    return false;
}

void iniciarConsola() {
    prepararSalida();
    // Runs at the end, after the console's mode is back: what is left of the
    // output goes out, and a failed write is not taken for success.
    std::atexit(volcarSalida);
    entradaEsConsola = GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &modoUsuario) != 0;
    if (!entradaEsConsola) {
        // Bytes as they come: no line-end translation and no Ctrl-Z as end.
        _setmode(_fileno(stdin), _O_BINARY);
        return;
    }
    // Between key reads the console neither echoes nor edits lines, so
    // that keys typed while the game prints are kept and never shown; a
    // name is read with both back on.
    modoJuego = modoUsuario & ~static_cast<DWORD>(ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT);
    modoLinea = modoUsuario | ENABLE_ECHO_INPUT | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT;
    std::atexit(restaurarModo);
    antesDeFallar(restaurarModo);
    SetConsoleCtrlHandler(alEventoDeConsola, TRUE);
    ponerModo(modoJuego);
}

int leerTecla() { return leerCodigo(); }

void leerLinea(char *destino, std::size_t tam) {
    ponerModo(modoLinea);
    volcarSalida();
    const bool leida = leerLineaCon(entradaEsConsola ? leerByteDeConsola : leerByte, destino, tam);
    ponerModo(modoJuego);
    if (!leida) {
        terminar(0);
    }
    if (entradaEsConsola) {
        quitaCaracterCortado(destino);
    }
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() {
    if (salidaEsConsola()) {
        ordenDelInterprete("cls");
    }
}

void borrarPantalla() {
    if (!salidaEsConsola()) {
        return;
    }
    volcarSalida();
    // The console's first rows, as many as the game draws, become spaces;
    // the cursor and the colours stay as they are.
    DWORD escritas = 0;
    FillConsoleOutputCharacterA(GetStdHandle(STD_OUTPUT_HANDLE), ' ',
                                columnasConsola * filasConsola, COORD{0, 0}, &escritas);
}

void pausa() {
    if (entradaEsConsola) {
        ordenDelInterprete("pause");
        return;
    }
    // The interpreter would read an unknown amount of a piped input: the
    // pause takes exactly one key of it instead.
    std::fputs(textoPausa, stdout);
    leerCodigo();
    std::putchar('\n');
}

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    copiaParaMostrar(texto, destino, tam, salidaEsConsola());
}
