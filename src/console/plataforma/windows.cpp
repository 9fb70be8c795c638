// The console services on Windows: the console's own calls and the command
// interpreter's "cls" and "pause" when standard input and output are the
// console, and plain byte reads when input comes from a pipe or a file.
//
// Standard output is fully buffered and handed over right before each wait
// for the player, each command of the interpreter and the end, so that a
// whole screen goes out in one write. A write that fails ends the game.

#include <conio.h>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/plataforma.h"
#include "console/plataforma/lineas.h"

namespace {

bool entradaEsConsola = false;
bool salidaEsConsola = false;
bool entradaAcabada = false;
DWORD modoUsuario = 0;
DWORD modoJuego = 0;
DWORD modoLinea = 0;

bool esConsola(DWORD cual) {
    DWORD modo = 0;
    return GetConsoleMode(GetStdHandle(cual), &modo) != 0;
}

[[noreturn]] void terminar(int estado) { std::exit(estado); }

// Ends the game at once with status 1, its message on standard error.
[[noreturn]] void fallo(const char *mensaje) {
    std::fputs(mensaje, stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

void volcarSalida() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        fallo(mensajeFalloEscritura);
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
    if (leidos < 0) {
        std::fflush(stdout);
        fallo(mensajeFalloLectura);
    }
    entradaAcabada = true;
    return finDeEntrada;
}

// One key: from the console without echo and without Enter, or the next
// byte of a pipe or file.
int leerCodigo() {
    volcarSalida();
    if (entradaEsConsola) {
        return _getch();
    }
    const int byte = leerByte();
    if (byte == finDeEntrada) {
        terminar(0);
    }
    return byte;
}

void ponerModo(DWORD modo) {
    if (entradaEsConsola) {
        SetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), modo);
    }
}

void restaurarModo() { ponerModo(modoUsuario); }

// Ctrl-C, Ctrl-Break or a closed window: the console gets its mode back
// before the default handling ends the program.
BOOL WINAPI alEventoDeConsola(DWORD /*evento*/) {
    restaurarModo();
    return FALSE;
}

void ordenDelInterprete(const char *orden) {
    volcarSalida();
    std::system(orden);
    // The interpreter may leave the console in a mode of its own.
    ponerModo(modoJuego);
}

} // namespace

bool mostrarTexto(const char *texto) {
    HANDLE salida = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD modo = 0;
    if (GetConsoleMode(salida, &modo) != 0) {
        // The console shows UTF-16 whatever its code page.
        wchar_t ancho[4096];
        const int largo = MultiByteToWideChar(CP_UTF8, 0, texto, -1, ancho, 4096);
        DWORD escritos = 0;
        if (largo > 0 &&
            WriteConsoleW(salida, ancho, static_cast<DWORD>(largo - 1), &escritos, nullptr) != 0) {
            return true;
        }
    } else if (std::fputs(texto, stdout) >= 0 && std::fflush(stdout) == 0) {
        return true;
    }
    std::fputs(mensajeFalloEscritura, stderr);
    return false;
}

void iniciarConsola() {
    salidaEsConsola = esConsola(STD_OUTPUT_HANDLE);
    std::setvbuf(stdout, nullptr, _IOFBF, 8192);
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
    SetConsoleCtrlHandler(alEventoDeConsola, TRUE);
    ponerModo(modoJuego);
}

int leerTecla() { return leerCodigo(); }

void leerLinea(char *destino, std::size_t tam) {
    ponerModo(modoLinea);
    volcarSalida();
    const bool leida = leerLineaCon(leerByte, destino, tam);
    ponerModo(modoJuego);
    if (!leida) {
        terminar(0);
    }
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() {
    if (salidaEsConsola) {
        ordenDelInterprete("cls");
    }
}

void borrarPantalla() {
    if (!salidaEsConsola) {
        return;
    }
    volcarSalida();
    // The first 1920 cells (24 rows of 80) become spaces; the cursor and the
    // colours stay as they are.
    DWORD escritas = 0;
    FillConsoleOutputCharacterA(GetStdHandle(STD_OUTPUT_HANDLE), ' ', 1920, COORD{0, 0}, &escritas);
}

void pausa() {
    if (entradaEsConsola) {
        ordenDelInterprete("pause");
        return;
    }
    // The interpreter would read an unknown amount of a piped input: the
    // pause takes exactly one key of it instead.
    std::printf("Presione una tecla para continuar . . . ");
    leerCodigo();
    std::putchar('\n');
}

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    copiaParaMostrar(texto, destino, tam, salidaEsConsola);
}
