// The console services on Windows: the console's own calls and the command
// interpreter's "cls" and "pause" when standard input and output are the
// console, and plain byte reads when input comes from a pipe or a file.
//
// A console that goes away (its window closed, the user logged off, the
// system shut down, a pseudo-console ended) ends the game at once with
// status 0: a read of its key events or of its line input that fails means
// it has gone, and a failed byte read or command is followed by a look at
// whether the console is still there.
//
// Here are the boundary's functions and a pipe's or a file's bytes; the
// console's modes, control events and the interpreter's commands are in
// windows_consola, its names and key events in windows_lectura (with the
// key events' codes in windows_teclas), standard output in windows_salida.
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
#include "console/plataforma/utf8.h"
#include "console/plataforma/windows_consola.h"
#include "console/plataforma/windows_lectura.h"
#include "console/plataforma/windows_salida.h"

namespace {

bool entradaEsConsola = false;
bool entradaAcabada = false;

[[noreturn]] void terminar(int estado) { std::exit(estado); }

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

// One key: from the console without echo and without Enter, or the next
// byte of a pipe or file.
int leerCodigo() {
    volcarSalida();
    if (entradaEsConsola) {
        return leerTeclaDeConsola();
    }
    const int byte = leerByte();
    if (byte == finDeEntrada) {
        terminar(0);
    }
    return byte;
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
    entradaEsConsola = prepararConsola();
    if (!entradaEsConsola) {
        // Bytes as they come: no line-end translation and no Ctrl-Z as end.
        _setmode(_fileno(stdin), _O_BINARY);
    }
}

int leerTecla() { return leerCodigo(); }

void leerLinea(char *destino, std::size_t tam) {
    modoDeLinea();
    volcarSalida();
    const bool leida = leerLineaCon(entradaEsConsola ? leerByteDeConsola : leerByte, destino, tam);
    modoDelJuego();
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
