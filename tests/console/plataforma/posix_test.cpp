// The console services of the POSIX build, with standard input taken from
// a pipe the test writes into.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "console/plataforma.h"
#include "guion/captura.h"

namespace {

// Puts the read end of a new pipe on standard input and answers the write
// end.
int entradaPorTuberia() {
    int extremos[2];
    if (pipe(extremos) != 0) {
        return -1;
    }
    dup2(extremos[0], STDIN_FILENO);
    close(extremos[0]);
    return extremos[1];
}

void escribir(int fd, const std::string &texto) {
    ASSERT_EQ(write(fd, texto.data(), texto.size()), static_cast<ssize_t>(texto.size()));
}

// Runs f with standard output going to a file, and answers what it wrote.
template <typename F> std::string salidaDe(F &&f) {
    captura::empezar();
    f();
    return captura::terminar();
}

// Each piece is written once the game has read the one before, so that it
// comes by itself while the game waits for the rest of the key: never after
// a sleep, which a busy machine can stretch past that wait.
TEST(PlataformaPosix, UnaFlechaPartidaEnVariasLecturasSonDosCodigos) {
    const int fd = entradaPorTuberia();
    std::thread escritor([fd] {
        for (const char *trozo : {"\x1b", "[", "A"}) {
            escribir(fd, trozo);
            int pendientes = 1;
            while (ioctl(STDIN_FILENO, FIONREAD, &pendientes) == 0 && pendientes > 0) {
                std::this_thread::yield();
            }
        }
        escribir(fd, "5");
    });
    EXPECT_EQ(leerTecla(), 0xE0);
    EXPECT_EQ(leerTecla(), 72);
    EXPECT_EQ(leerTecla(), '5');
    escritor.join();
    close(fd);
}

// A lone Escape is a key once the short wait for the rest of a sequence has
// run out, not a wait for ever; a '[' that comes after it is a key of its
// own. (That the wait lets a sequence's rest come is the test above.)
TEST(PlataformaPosix, EscapeSoloTrasUnaEsperaCorta) {
    const int fd = entradaPorTuberia();
    escribir(fd, "\x1b");
    EXPECT_EQ(leerTecla(), 27);
    escribir(fd, "[");
    EXPECT_EQ(leerTecla(), '[');
    close(fd);
}

TEST(PlataformaPosix, LaPausaEsperaSuPropiaTeclaYTerminaLaLinea) {
    const int fd = entradaPorTuberia();
    escribir(fd, "\x1b[Ap\x1b[B9");
    EXPECT_EQ(leerTecla(), 0xE0);
    // The Up key's second code stays for the game; the pause takes 'p',
    // then the whole Down key.
    const std::string salida = salidaDe([] {
        pausa();
        pausa();
    });
    EXPECT_EQ(salida, "Presione una tecla para continuar . . . \n"
                      "Presione una tecla para continuar . . . \n");
    EXPECT_EQ(leerTecla(), 72);
    EXPECT_EQ(leerTecla(), '9');
    close(fd);
}

TEST(PlataformaPosix, LineasYTeclasDeUnMismoFlujo) {
    const int fd = entradaPorTuberia();
    const std::string largo(60, 'n');
    escribir(fd, "Ana\n" + largo + "\n5");
    char nombre[50];
    leerLinea(nombre, sizeof nombre);
    EXPECT_STREQ(nombre, "Ana\n");
    leerLinea(nombre, sizeof nombre);
    EXPECT_EQ(std::string(nombre), largo.substr(0, 49));
    descartarEntrada();
    EXPECT_EQ(leerTecla(), '5') << "the rest of the long line is never a key";
    close(fd);
}

TEST(PlataformaPosix, SinTerminalNoSeEscribenSecuencias) {
    const std::string salida = salidaDe([] {
        limpiarPantalla();
        borrarPantalla();
    });
    EXPECT_EQ(salida, "");
}

// Each death test runs in a fresh start of this program, except under a CPU
// emulator, which cannot start it again by itself: there, in a fork.
#ifdef PRUEBAS_EMULADAS
constexpr const char *estiloDeMuerte = "fast";
#else
constexpr const char *estiloDeMuerte = "threadsafe";
#endif

TEST(PlataformaPosixMuerte, ElFinDeLaEntradaTerminaConEstadoCero) {
    GTEST_FLAG_SET(death_test_style, estiloDeMuerte);
    EXPECT_EXIT(
        {
            close(entradaPorTuberia());
            leerTecla();
            std::_Exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            const int fd = entradaPorTuberia();
            escribir(fd, "\x1b");
            close(fd);
            if (leerTecla() != 27) {
                std::_Exit(4);
            }
            leerTecla();
            std::_Exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            close(entradaPorTuberia());
            char nombre[50];
            leerLinea(nombre, sizeof nombre);
            std::_Exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            close(entradaPorTuberia());
            pausa();
            std::_Exit(3);
        },
        testing::ExitedWithCode(0), "");
}

TEST(PlataformaPosixMuerte, UnErrorDeLecturaTerminaConEstadoUnoYUnMensaje) {
    GTEST_FLAG_SET(death_test_style, estiloDeMuerte);
    EXPECT_EXIT(
        {
            // Reading a directory fails with an error that is not the end.
            const int directorio = open(".", O_RDONLY);
            dup2(directorio, STDIN_FILENO);
            leerTecla();
            std::_Exit(3);
        },
        testing::ExitedWithCode(1), "Error al leer la entrada");
}

// Output into a pipe nobody reads, SIGPIPE with its default action or
// ignored.
void escribirEnTuberiaCerrada(void (*accion)(int)) {
    int extremos[2];
    if (pipe(extremos) != 0) {
        std::_Exit(4);
    }
    close(extremos[0]);
    dup2(extremos[1], STDOUT_FILENO);
    std::signal(SIGPIPE, accion);
    escribir(entradaPorTuberia(), "5");
    std::printf("menu");
    pausa();
    std::_Exit(3);
}

TEST(PlataformaPosixMuerte, UnErrorDeEscrituraTerminaConEstadoUnoYUnMensaje) {
    GTEST_FLAG_SET(death_test_style, estiloDeMuerte);
    // A closed pipe ends the game as it ends any program in a pipeline, by
    // SIGPIPE; with SIGPIPE ignored, and on a full device, the write fails.
    EXPECT_EXIT(escribirEnTuberiaCerrada(SIG_DFL), testing::KilledBySignal(SIGPIPE), "");
    EXPECT_EXIT(escribirEnTuberiaCerrada(SIG_IGN), testing::ExitedWithCode(1),
                "Error al escribir la salida");
    if (access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full here (Linux has it): the full device is not tried";
    }
    EXPECT_EXIT(
        {
            dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
            escribir(entradaPorTuberia(), "5");
            std::printf("menu");
            leerTecla();
            std::_Exit(3);
        },
        testing::ExitedWithCode(1), "Error al escribir la salida");
}

} // namespace
