// Standard output on POSIX systems, and what a terminal shows.

#include "console/plataforma/posix_salida.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/plataforma/mensajes.h"
#include "console/plataforma/posix_terminal.h"
#include "console/plataforma/registro.h"

namespace {

bool haciaTerminal = false;

// Standard output's buffer. On a terminal it is also read, just before it is
// handed over, for what was printed: the screen's record, and its last byte,
// since the end of the game needs to know whether the cursor stands at the
// start of a line. The game never prints a NUL, so the bytes behind the
// printed ones stay 0 once cleared.
char bufferSalida[8192];
char ultimoEscrito = '\n';

// Output that could not be written. A terminal that is no longer one went
// away (its window closed with hangups ignored): the game ends as when its
// input ends, with status 0 and nothing to tell, since nobody is left to read
// it. Anything else (a full disk, a closed pipe with SIGPIPE ignored) is a
// failure.
[[noreturn]] void salidaFallida() {
    if (haciaTerminal && isatty(STDOUT_FILENO) == 0) {
        restaurarTerminal();
        std::_Exit(0);
    }
    fallo(mensajeFalloEscritura);
}

} // namespace

// Ends the game at once with status 1, its message on standard error.
[[noreturn]] void fallo(const char *mensaje) {
    restaurarTerminal();
    const std::size_t largo = std::strlen(mensaje);
    if (write(STDERR_FILENO, mensaje, largo) < 0) {
        // Nothing more can be told.
    }
    std::_Exit(1);
}

void prepararSalida() {
    haciaTerminal = isatty(STDOUT_FILENO) != 0;
    std::setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida);
}

bool salidaEsTerminal() { return haciaTerminal; }

void volcarSalida() {
    if (haciaTerminal) {
        const char ultimo = anotarBufferSalida(bufferSalida, sizeof bufferSalida);
        if (ultimo != '\0') {
            ultimoEscrito = ultimo;
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        salidaFallida();
    }
    if (haciaTerminal) {
        std::memset(bufferSalida, 0, sizeof bufferSalida);
    }
}

void terminarSalida() {
    volcarSalida();
    if (haciaTerminal && ultimoEscrito != '\n') {
        std::putchar('\n');
        volcarSalida();
    }
}

void anotarEcoEnPantalla(const char *bytes, std::size_t cuantos) {
    anotarLineaEnPantalla(bytes, cuantos);
    ultimoEscrito = '\n';
}

// Sends bytes straight to a terminal; answers whether they all went.
bool escribirEn(int fd, const char *bytes, std::size_t cuantos) {
    while (cuantos > 0) {
        const ssize_t escritos = write(fd, bytes, cuantos);
        if (escritos < 0 && errno != EINTR) {
            return false;
        }
        if (escritos > 0) {
            bytes += escritos;
            cuantos -= static_cast<std::size_t>(escritos);
        }
    }
    return true;
}

// The screen again, as the game left it, in one write.
void redibujarPantalla() {
    if (!haciaTerminal) {
        return;
    }
    if (!redibujarCon([](const char *bytes, std::size_t cuantos) {
            return escribirEn(STDOUT_FILENO, bytes, cuantos);
        })) {
        salidaFallida();
    }
}
