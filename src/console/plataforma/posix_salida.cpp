// Standard output on POSIX systems, and what a terminal shows.

#include "console/plataforma/posix_salida.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "console/plataforma/lineas.h"
#include "console/plataforma/posix_terminal.h"

namespace {

bool haciaTerminal = false;

// Standard output's buffer. On a terminal it is also read, just before it is
// handed over, for what was printed: the screen's record, and its last byte,
// since the end of the game needs to know whether the cursor stands at the
// start of a line. The game never prints a NUL, so the bytes behind the
// printed ones stay 0 once cleared.
char bufferSalida[8192];
char ultimoEscrito = '\n';

// What the terminal shows: the bytes sent to it since the screen was last
// cleared. Should it ever outgrow its room, its oldest lines go.
char pantalla[16384];
std::size_t largoPantalla = 0;

void anotarEnPantalla(const char *bytes, std::size_t cuantos) {
    // Only what follows the last clearing of the screen is on it.
    const std::size_t largoLimpiar = sizeof secuenciaLimpiar - 1;
    for (std::size_t i = cuantos; i >= largoLimpiar; --i) {
        if (std::memcmp(bytes + i - largoLimpiar, secuenciaLimpiar, largoLimpiar) == 0) {
            bytes += i;
            cuantos -= i;
            largoPantalla = 0;
            break;
        }
    }
    if (cuantos > sizeof pantalla) {
        bytes += cuantos - sizeof pantalla;
        cuantos = sizeof pantalla;
    }
    if (largoPantalla + cuantos > sizeof pantalla) {
        // Whole lines are dropped, so that no escape sequence is cut.
        const std::size_t sobran = largoPantalla + cuantos - sizeof pantalla;
        const void *salto = std::memchr(pantalla + sobran, '\n', largoPantalla - sobran);
        const std::size_t desde =
            salto != nullptr
                ? static_cast<std::size_t>(static_cast<const char *>(salto) - pantalla) + 1
                : largoPantalla;
        std::memmove(pantalla, pantalla + desde, largoPantalla - desde);
        largoPantalla -= desde;
    }
    std::memcpy(pantalla + largoPantalla, bytes, cuantos);
    largoPantalla += cuantos;
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
        std::size_t pendientes = sizeof bufferSalida;
        while (pendientes > 0 && bufferSalida[pendientes - 1] == '\0') {
            --pendientes;
        }
        if (pendientes > 0) {
            ultimoEscrito = bufferSalida[pendientes - 1];
            anotarEnPantalla(bufferSalida, pendientes);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        fallo(mensajeFalloEscritura);
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

void anotarLineaEnPantalla(const char *bytes, std::size_t cuantos) {
    anotarEnPantalla(bytes, cuantos);
    anotarEnPantalla("\r\n", 2);
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
    char todo[sizeof secuenciaLimpiar - 1 + sizeof pantalla];
    std::memcpy(todo, secuenciaLimpiar, sizeof secuenciaLimpiar - 1);
    std::memcpy(todo + sizeof secuenciaLimpiar - 1, pantalla, largoPantalla);
    if (!escribirEn(STDOUT_FILENO, todo, sizeof secuenciaLimpiar - 1 + largoPantalla)) {
        fallo(mensajeFalloEscritura);
    }
}
