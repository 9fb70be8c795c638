// The console services on POSIX terminals (and on pipes and files), with
// POSIX.1-2008 interfaces only, so that the same file serves Linux, macOS
// and the BSDs.
//
// While the game runs, a terminal on standard input is kept in a mode of the
// game's own: no canonical mode, no echo, no flow control (Ctrl-S, Ctrl-Q)
// and no extended input keys (Ctrl-V, Ctrl-O), so that every key press comes
// at once, as a key, and is never shown. Names are read in the same mode by
// the game's own line editor. The terminal's settings are restored on every
// way out.
//
// Standard output is fully buffered and handed to the device right before
// each wait for the player and at the end, so that a whole screen goes out
// in one write. A write that fails ends the game.
//
// On a terminal the game keeps what it has shown since it last cleared the
// screen, and shows it again when it is continued after a stop (Ctrl-Z and
// fg) or its window is resized: the shell's lines, or the terminal's reflow,
// never stay on the game's screen.

#include <fcntl.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "console/plataforma.h"
#include "console/plataforma/editor.h"
#include "console/plataforma/lineas.h"
#include "console/plataforma/teclas.h"

namespace {

termios ajustesUsuario{};
termios ajustesJuego{};
volatile std::sig_atomic_t hayTerminal = 0;
// Set by the signals of a continue or a resize; the next wait draws the
// screen again.
volatile std::sig_atomic_t hayQueRedibujar = 0;
// The signals that ask for the screen again are only taken during the waits,
// so that a wait never misses one: elsewhere they are held back.
sigset_t senalesDeEspera;

bool salidaEsTerminal = false;
bool entradaAcabada = false;
ColaTeclas cola = colaVacia;
// Where a name's echo goes: the terminal the keys come from.
int fdEco = -1;

// Standard output's buffer. On a terminal it is also read, just before it is
// handed over, for the last byte printed: the end of the game needs to know
// whether the cursor stands at the start of a line. The game never prints a
// NUL, so the bytes behind the printed ones stay 0 once cleared.
char bufferSalida[8192];
char ultimoEscrito = '\n';

// What the terminal shows: the bytes sent to it since the screen was last
// cleared. Should it ever outgrow its room, its oldest lines go.
const char secuenciaLimpiar[] = "\x1b[H\x1b[2J";
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

// Only async-signal-safe calls here: it runs inside signal handlers too.
void restaurarTerminal() {
    if (hayTerminal != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &ajustesUsuario);
    }
}

void aplicarModo() {
    if (hayTerminal != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &ajustesJuego);
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

// A signal that the game was started with ignored stays ignored. A wait cut
// short by the signal goes on after it, unless the signal is to end the wait.
void instalar(int senal, void (*manejador)(int), bool cortaLaEspera = false) {
    struct sigaction previa {};
    if (sigaction(senal, nullptr, &previa) == 0 && previa.sa_handler == SIG_IGN) {
        return;
    }
    struct sigaction accion {};
    accion.sa_handler = manejador;
    sigemptyset(&accion.sa_mask);
    // The handlers raise their own signal again, which must not wait until
    // they return.
    accion.sa_flags = (cortaLaEspera ? 0 : SA_RESTART) | SA_NODEFER;
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
    hayQueRedibujar = 1;
    errno = errnoGuardado;
}

void alRedimensionar(int /*senal*/) { hayQueRedibujar = 1; }

// Every signal that would end the game silently: the terminal is restored
// before it does.
const int senalesFatales[] = {
    SIGINT,    SIGTERM, SIGHUP,  SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
    SIGXCPU,   SIGXFSZ, SIGABRT, SIGSEGV, SIGBUS,  SIGFPE,  SIGILL,  SIGTRAP, SIGSYS,
#ifdef SIGPOLL
    SIGPOLL,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGEMT
    SIGEMT,
#endif
#ifdef SIGLOST
    SIGLOST,
#endif
};

[[noreturn]] void terminar(int estado) {
    restaurarTerminal();
    std::exit(estado);
}

// Ends the game at once with status 1, its message on standard error.
[[noreturn]] void fallo(const char *mensaje) {
    restaurarTerminal();
    const std::size_t largo = std::strlen(mensaje);
    if (write(STDERR_FILENO, mensaje, largo) < 0) {
        // Nothing more can be told.
    }
    std::_Exit(1);
}

[[noreturn]] void falloDeLectura() {
    std::fflush(stdout);
    fallo(mensajeFalloLectura);
}

void volcarSalida() {
    if (salidaEsTerminal) {
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
    if (salidaEsTerminal) {
        std::memset(bufferSalida, 0, sizeof bufferSalida);
    }
}

// At the end: what is left goes out, and on a terminal the last line is
// ended, so that the shell's prompt does not stand behind the game's text.
void alSalir() {
    volcarSalida();
    if (salidaEsTerminal && ultimoEscrito != '\n') {
        std::putchar('\n');
        volcarSalida();
    }
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
                              esperaMs >= 0 ? &plazo : nullptr, &senalesDeEspera);
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
        const int listo = esperarEntrada(esperaMs);
        if (listo == 0) {
            return sinByte;
        }
        if (listo < 0) {
            if (esperaMs < 0 && hayQueRedibujar != 0) {
                hayQueRedibujar = 0;
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
    if (!salidaEsTerminal) {
        return;
    }
    char todo[sizeof secuenciaLimpiar - 1 + sizeof pantalla];
    std::memcpy(todo, secuenciaLimpiar, sizeof secuenciaLimpiar - 1);
    std::memcpy(todo + sizeof secuenciaLimpiar - 1, pantalla, largoPantalla);
    if (!escribirEn(STDOUT_FILENO, todo, sizeof secuenciaLimpiar - 1 + largoPantalla)) {
        fallo(mensajeFalloEscritura);
    }
}

// On a terminal a UTF-8 character is one key press; from a pipe or a file
// every byte is a key.
bool porCaracteres() { return hayTerminal != 0; }

// One whole key press; the end of input ends the game. When the screen was
// drawn again, answers pantallaPorRedibujar, for the line editor to draw its
// line.
Pulsacion leerPulsacion() {
    const Pulsacion tecla = siguientePulsacion(cola, leerByteConEspera, porCaracteres());
    if (tecla.codigo == finDeEntrada) {
        terminar(0);
    }
    if (tecla.codigo == pantallaPorRedibujar) {
        redibujarPantalla();
    }
    return tecla;
}

void escribirSecuencia(const char *secuencia) {
    if (salidaEsTerminal) {
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

// The line as the editor left it, handed to the shared line reader so that
// it is cut to its length as a piped line is.
char lineaEditada[capacidadEdicionMaxima + 2];
std::size_t largoEditada = 0;
std::size_t leidoEditada = 0;

int byteEditado() {
    return leidoEditada < largoEditada ? static_cast<unsigned char>(lineaEditada[leidoEditada++])
                                       : finDeEntrada;
}

bool editarNombre(char *destino, std::size_t tam) {
    const int largo = editarLinea(leerPulsacion, eco, lineaEditada, sizeof lineaEditada);
    // The editor ended the line on the terminal, which now shows it whole.
    ultimoEscrito = '\n';
    if (largo > 0) {
        anotarEnPantalla(lineaEditada, static_cast<std::size_t>(largo) - 1);
    }
    anotarEnPantalla("\r\n", 2);
    if (largo <= 0) {
        destino[0] = '\0'; // Ctrl-D on an empty line: an empty name
        return true;
    }
    largoEditada = static_cast<std::size_t>(largo);
    leidoEditada = 0;
    return leerLineaCon(byteEditado, destino, tam);
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
    salidaEsTerminal = isatty(STDOUT_FILENO) != 0;
    std::setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida);
    if (isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &ajustesUsuario) == 0) {
        ajustesJuego = ajustesUsuario;
        ajustesJuego.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
        ajustesJuego.c_iflag &= ~static_cast<tcflag_t>(IXON);
        ajustesJuego.c_cc[VMIN] = 1;
        ajustesJuego.c_cc[VTIME] = 0;
        const int modo = fcntl(STDIN_FILENO, F_GETFL);
        if (modo >= 0 && (modo & O_ACCMODE) != O_RDONLY) {
            fdEco = STDIN_FILENO;
        } else if (salidaEsTerminal) {
            fdEco = STDOUT_FILENO;
        }

        hayTerminal = 1;
        std::atexit(restaurarTerminal);
        for (const int senal : senalesFatales) {
            instalar(senal, alTerminarPorSenal);
        }
        instalar(SIGTSTP, alSuspender);
    }
    if (hayTerminal != 0 || salidaEsTerminal) {
        sigset_t retenidas;
        sigemptyset(&retenidas);
        sigaddset(&retenidas, SIGCONT);
        sigaddset(&retenidas, SIGWINCH);
        sigprocmask(SIG_BLOCK, &retenidas, &senalesDeEspera);
        sigdelset(&senalesDeEspera, SIGCONT);
        sigdelset(&senalesDeEspera, SIGWINCH);
        instalar(SIGCONT, alContinuar, true);
        instalar(SIGWINCH, alRedimensionar, true);
    } else {
        sigprocmask(SIG_BLOCK, nullptr, &senalesDeEspera);
    }
    if (hayTerminal != 0) {
        // TCSANOW and not TCSAFLUSH: keys already typed are kept.
        tcsetattr(STDIN_FILENO, TCSANOW, &ajustesJuego);
    }
    // Registered last, so that it runs first: the output is finished while
    // the terminal is still in the game's mode.
    std::atexit(alSalir);
}

int leerTecla() {
    volcarSalida();
    for (;;) {
        const int codigo = siguienteTecla(cola, leerByteConEspera, porCaracteres());
        if (codigo == finDeEntrada) {
            terminar(0);
        }
        if (codigo != pantallaPorRedibujar) {
            return codigo;
        }
        redibujarPantalla();
    }
}

void leerLinea(char *destino, std::size_t tam) {
    volcarSalida();
    const bool leida =
        hayTerminal != 0 ? editarNombre(destino, tam) : leerLineaCon(leerByte, destino, tam);
    if (!leida) {
        terminar(0);
    }
    quitaCaracterCortado(destino);
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() { escribirSecuencia("\x1b[H\x1b[2J"); }

void borrarPantalla() { escribirSecuencia("\x1b[2J"); }

void pausa() {
    std::fputs("Presione una tecla para continuar . . . ", stdout);
    // The pause waits for a key press of its own, all of its codes, and
    // leaves a code still queued from an earlier key to the game, as the
    // Windows console does.
    volcarSalida();
    while (leerPulsacion().codigo == pantallaPorRedibujar) {
    }
    std::putchar('\n');
}

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    copiaParaMostrar(texto, destino, tam, salidaEsTerminal);
}
