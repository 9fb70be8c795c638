// The terminal's modes and the game's signals on POSIX systems.

#include "console/plataforma/posix_terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {

termios ajustesUsuario{};
termios ajustesJuego{};
volatile std::sig_atomic_t hayTerminal = 0;
// Set by the signals of a continue or a resize; the next wait draws the
// screen again.
volatile std::sig_atomic_t hayQueRedibujar = 0;
sigset_t mascaraDeEspera;

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

} // namespace

// Only async-signal-safe calls here: it runs inside signal handlers too.
void restaurarTerminal() {
    if (hayTerminal != 0) {
        tcsetattr(STDIN_FILENO, TCSANOW, &ajustesUsuario);
    }
}

bool prepararTerminal(bool salidaEsTerminal) {
    if (isatty(STDIN_FILENO) != 0 && tcgetattr(STDIN_FILENO, &ajustesUsuario) == 0) {
        ajustesJuego = ajustesUsuario;
        ajustesJuego.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
        ajustesJuego.c_iflag &= ~static_cast<tcflag_t>(IXON);
        ajustesJuego.c_cc[VMIN] = 1;
        ajustesJuego.c_cc[VTIME] = 0;
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
        sigprocmask(SIG_BLOCK, &retenidas, &mascaraDeEspera);
        sigdelset(&mascaraDeEspera, SIGCONT);
        sigdelset(&mascaraDeEspera, SIGWINCH);
        instalar(SIGCONT, alContinuar, true);
        instalar(SIGWINCH, alRedimensionar, true);
    } else {
        sigprocmask(SIG_BLOCK, nullptr, &mascaraDeEspera);
    }
    // TCSANOW and not TCSAFLUSH: keys already typed are kept.
    aplicarModo();
    return hayTerminal != 0;
}

const sigset_t *senalesDeEspera() { return &mascaraDeEspera; }

bool pideRedibujar() {
    if (hayQueRedibujar == 0) {
        return false;
    }
    hayQueRedibujar = 0;
    return true;
}
