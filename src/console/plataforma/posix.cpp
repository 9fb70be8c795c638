// The console services on POSIX terminals (and on pipes and files), with
// POSIX.1-2008 interfaces only, so that the same files serve Linux, macOS
// and the BSDs. The terminal's modes and signals are in posix_terminal,
// standard output and the screen drawn again in posix_salida; here, the
// input: keys, names (read by the game's own line editor on a terminal) and
// the pause.

#include <fcntl.h>
#include <sys/select.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "console/plataforma.h"
#include "console/plataforma/consola.h"
#include "console/plataforma/editor.h"
#include "console/plataforma/lineas.h"
#include "console/plataforma/mensajes.h"
#include "console/plataforma/mostrar.h"
#include "console/plataforma/posix_salida.h"
#include "console/plataforma/posix_terminal.h"
#include "console/plataforma/teclado.h"
#include "console/plataforma/utf8.h"

namespace {

bool entradaEsTerminal = false;
bool entradaAcabada = false;
// Neither standard input nor standard output is a terminal.
bool sinTerminal = false;
// Where a name's echo goes: the terminal the keys come from.
int fdEco = -1;

[[noreturn]] void terminar(int estado) {
    restaurarTerminal();
    std::exit(estado);
}

// The end of input ends the game.
[[noreturn]] void entradaTerminada() { terminar(0); }

[[noreturn]] void falloDeLectura() {
    std::fflush(stdout);
    fallo(mensajeFalloLectura);
}

// Waits up to esperaMs milliseconds (no limit when negative) for input:
// answers 1 when there is some, 0 when the wait ran out, -1 when a signal
// cut it short.
int esperarEntrada(int esperaMs) {
    fd_set listos;
    FD_ZERO(&listos);
    FD_SET(STDIN_FILENO, &listos);
    timespec plazo{};
    plazo.tv_sec = esperaMs / 1000;
    plazo.tv_nsec = static_cast<long>(esperaMs % 1000) * 1000000L;
    const int listo = pselect(STDIN_FILENO + 1, &listos, nullptr, nullptr,
                              esperaMs >= 0 ? &plazo : nullptr, senalesDeEspera());
    if (listo < 0 && errno != EINTR) {
        falloDeLectura();
    }
    return listo < 0 ? -1 : listo;
}

// One byte straight from the input device, never through stdio's buffer.
// A wait for a new key press answers pantallaPorRedibujar when the screen is
// to be drawn again.
int leerByteConEspera(int esperaMs) {
    if (entradaAcabada) {
        return finDeEntrada;
    }
    for (;;) {
        // With no terminal on either side nothing can ask for the screen
        // again, so an endless wait is the read itself.
        const int listo = esperaMs < 0 && sinTerminal ? 1 : esperarEntrada(esperaMs);
        if (listo == 0) {
            return sinByte;
        }
        if (listo < 0) {
            if (esperaMs < 0 && pideRedibujar()) {
                return pantallaPorRedibujar;
            }
            continue;
        }
        unsigned char byte = 0;
        const ssize_t leidos = read(STDIN_FILENO, &byte, 1);
        if (leidos == 1) {
            return byte;
        }
        if (leidos == 0 || errno == EIO) {
            // A pipe or file ran out, or the terminal went away.
            entradaAcabada = true;
            return finDeEntrada;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // Input left non-blocking by someone else: wait for it.
            esperarEntrada(-1);
            continue;
        }
        if (errno != EINTR) {
            falloDeLectura();
        }
    }
}

// Bytes from a pipe or a file: no screen to draw again there.
int leerByte() {
    int byte = 0;
    do {
        byte = leerByteConEspera(-1);
    } while (byte == pantallaPorRedibujar);
    return byte;
}

// The keys: on a terminal a UTF-8 character is one key press; from a pipe
// or a file every byte is a key.
Teclado teclado() {
    return {leerByteConEspera, entradaEsTerminal, redibujarPantalla, entradaTerminada};
}

Pulsacion leerPulsacion() { return pulsacionDe(teclado()); }

void escribirSecuencia(const char *secuencia) {
    if (salidaEsTerminal()) {
        std::fputs(secuencia, stdout);
    }
}

// The name's echo, on the terminal the keys come from. An echo that cannot
// be shown is no reason to stop.
void eco(const char *bytes, std::size_t cuantos) {
    if (fdEco >= 0) {
        escribirEn(fdEco, bytes, cuantos);
    }
}

} // namespace

bool mostrarTexto(const char *texto) {
    if (std::fputs(texto, stdout) < 0 || std::fflush(stdout) != 0) {
        std::fputs(mensajeFalloEscritura, stderr);
        return false;
    }
    return true;
}

void iniciarConsola() {
    prepararSalida();
    entradaEsTerminal = prepararTerminal(salidaEsTerminal());
    sinTerminal = !entradaEsTerminal && !salidaEsTerminal();
    if (entradaEsTerminal) {
        const int modo = fcntl(STDIN_FILENO, F_GETFL);
        if (modo >= 0 && (modo & O_ACCMODE) != O_RDONLY) {
            fdEco = STDIN_FILENO;
        } else if (salidaEsTerminal()) {
            fdEco = STDOUT_FILENO;
        }
    }
    // Registered last, so that it runs first: the output is finished while
    // the terminal is still in the game's mode.
    std::atexit(terminarSalida);
}

int leerTecla() {
    volcarSalida();
    return teclaDe(teclado());
}

void leerLinea(char *destino, std::size_t tam) {
    volcarSalida();
    const bool leida = entradaEsTerminal
                           ? leerLineaEditada(leerPulsacion, eco, anotarEcoEnPantalla, destino, tam)
                           : leerLineaCon(leerByte, destino, tam);
    if (!leida) {
        terminar(0);
    }
    quitaCaracterCortado(destino);
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() { escribirSecuencia(secuenciaLimpiar); }

void borrarPantalla() { escribirSecuencia(secuenciaBorrar); }

void pausa() {
    std::fputs(textoPausa, stdout);
    volcarSalida();
    esperarPulsacionDe(teclado());
    std::putchar('\n');
}

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    copiaParaMostrar(texto, destino, tam, salidaEsTerminal());
}
