// The console services on POSIX terminals (and on pipes and files).
//
// While the game runs, a terminal on standard input is kept without
// canonical mode and without echo, so that keys come one at a time and are
// never shown, even when typed while the game is still printing. Its
// settings are restored on every way out.

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "console/lineas.h"
#include "console/plataforma.h"
#include "console/teclas.h"

namespace {

termios ajustesUsuario{};
termios ajustesJuego{};
termios ajustesLinea{};
volatile std::sig_atomic_t hayTerminal = 0;
// Whether a name line is being read, so that a resumed game gets back the
// mode it was in.
volatile std::sig_atomic_t leyendoLinea = 0;

bool salidaEsTerminal = false;
bool entradaAcabada = false;
ColaTeclas cola = colaVacia;

// Only async-signal-safe calls here: it runs inside signal handlers too.
void restaurarTerminal() {
    if (hayTerminal != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &ajustesUsuario);
    }
}

void aplicarModo() {
    if (hayTerminal != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, leyendoLinea != 0 ? &ajustesLinea : &ajustesJuego);
    }
}

// Ends the game by the signal that came, once the terminal is restored, so
// that the parent shell sees how it ended.
void alTerminarPorSenal(int senal) {
    restaurarTerminal();
    std::signal(senal, SIG_DFL);
    std::raise(senal);
}

void alSuspender(int senal);

void instalar(int senal, void (*manejador)(int)) {
    struct sigaction accion {};
    accion.sa_handler = manejador;
    sigemptyset(&accion.sa_mask);
    // The handlers raise their own signal again, which must not wait until
    // they return.
    accion.sa_flags = SA_RESTART | SA_NODEFER;
    sigaction(senal, &accion, nullptr);
}

void alSuspender(int senal) {
    const int errnoGuardado = errno;
    restaurarTerminal();
    std::signal(senal, SIG_DFL);
    std::raise(senal); // stops here until SIGCONT
    // cppcheck-suppress unreachableCode ; raise returns once the game is resumed
    instalar(senal, alSuspender);
    aplicarModo();
    errno = errnoGuardado;
}

void alContinuar(int /*senal*/) {
    const int errnoGuardado = errno;
    aplicarModo();
    errno = errnoGuardado;
}

[[noreturn]] void terminar(int estado) {
    restaurarTerminal();
    std::exit(estado);
}

[[noreturn]] void falloDeLectura() {
    std::fflush(stdout);
    std::fputs("\nError al leer la entrada: el juego termina.\n", stderr);
    terminar(1);
}

// One byte straight from the input device, never through stdio's buffer.
int leerByteConEspera(int esperaMs) {
    if (entradaAcabada) {
        return finDeEntrada;
    }
    for (;;) {
        if (esperaMs >= 0) {
            pollfd espera{STDIN_FILENO, POLLIN, 0};
            const int listo = poll(&espera, 1, esperaMs);
            if (listo == 0) {
                return sinByte;
            }
            if (listo < 0 && errno != EINTR) {
                falloDeLectura();
            }
            if (listo < 0) {
                continue;
            }
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
            pollfd espera{STDIN_FILENO, POLLIN, 0};
            poll(&espera, 1, -1);
            continue;
        }
        if (errno != EINTR) {
            falloDeLectura();
        }
    }
}

int leerByte() { return leerByteConEspera(-1); }

int leerCodigo() {
    std::fflush(stdout);
    const int codigo = siguienteTecla(cola, leerByteConEspera);
    if (codigo == finDeEntrada) {
        terminar(0);
    }
    return codigo;
}

void escribirSecuencia(const char *secuencia) {
    if (salidaEsTerminal) {
        std::fputs(secuencia, stdout);
    }
}

} // namespace

void iniciarConsola() {
    salidaEsTerminal = isatty(STDOUT_FILENO) != 0;
    if (isatty(STDIN_FILENO) == 0 || tcgetattr(STDIN_FILENO, &ajustesUsuario) != 0) {
        return;
    }
    ajustesJuego = ajustesUsuario;
    ajustesJuego.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    ajustesJuego.c_cc[VMIN] = 1;
    ajustesJuego.c_cc[VTIME] = 0;
    ajustesLinea = ajustesUsuario;
    ajustesLinea.c_lflag |= static_cast<tcflag_t>(ICANON | ECHO);

    hayTerminal = 1;
    std::atexit(restaurarTerminal);
    for (const int senal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        instalar(senal, alTerminarPorSenal);
    }
    instalar(SIGTSTP, alSuspender);
    instalar(SIGCONT, alContinuar);
    // TCSANOW and not TCSAFLUSH: keys already typed are kept.
    tcsetattr(STDIN_FILENO, TCSANOW, &ajustesJuego);
}

int leerTecla() { return leerCodigo(); }

void leerLinea(char *destino, std::size_t tam) {
    // Echo is back on before the prompt shows, so that nothing typed at
    // the prompt goes unseen.
    leyendoLinea = 1;
    aplicarModo();
    std::fflush(stdout);
    const bool leida = leerLineaCon(leerByte, destino, tam);
    leyendoLinea = 0;
    aplicarModo();
    if (!leida) {
        terminar(0);
    }
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() { escribirSecuencia("\x1b[H\x1b[2J"); }

void borrarPantalla() { escribirSecuencia("\x1b[2J"); }

void pausa() {
    std::printf("Presione una tecla para continuar . . . ");
    std::fflush(stdout);
    // The pause waits for a key press of its own, all of its codes, and
    // leaves a code still queued from an earlier key to the game, as the
    // Windows console does.
    ColaTeclas propia = colaVacia;
    propia.devuelto = cola.devuelto;
    if (siguienteTecla(propia, leerByteConEspera) == finDeEntrada) {
        terminar(0);
    }
    cola.devuelto = propia.devuelto;
    std::putchar('\n');
}
