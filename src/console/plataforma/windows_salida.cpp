// Standard output on Windows, and what reaches the console of it.

#include "console/plataforma/windows_salida.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "console/plataforma/mensajes.h"

namespace {

bool haciaConsola = false;
// On a console, what the game writes reaches it converted to UTF-16: the C
// library's standard output writes into a pipe (tuberia), whose bytes are
// handed to the console (consolaDeSalida) at each flush. Standard output is
// the console again (consola) for the interpreter's commands.
HANDLE consolaDeSalida = INVALID_HANDLE_VALUE;
HANDLE salidaDeTuberia = nullptr;
int consola = -1;
int tuberia = -1;

// Hands what the pipe holds to the console, a whole screen in one write. The
// C library has already written each "\n" as "\r\n".
bool pasarAConsola() {
    static char bytes[1 << 16];
    for (;;) {
        DWORD disponibles = 0;
        if (PeekNamedPipe(salidaDeTuberia, nullptr, 0, nullptr, &disponibles, nullptr) == 0) {
            return false;
        }
        if (disponibles == 0) {
            return true;
        }
        DWORD leidos = 0;
        if (ReadFile(salidaDeTuberia, bytes,
                     disponibles < sizeof bytes ? disponibles : sizeof bytes, &leidos,
                     nullptr) == 0) {
            return false;
        }
        if (!escribirEnConsola(consolaDeSalida, bytes, leidos)) {
            return false;
        }
    }
}

// Standard output's C library side into a pipe, on a console. Should that
// fail, the bytes go to the console as they are. The pipe holds 64 KiB, far
// more than the game prints between two waits, when it is emptied.
void convertirSalidaDeConsola() {
    HANDLE lectura = nullptr;
    HANDLE escritura = nullptr;
    if (CreatePipe(&lectura, &escritura, nullptr, 1 << 16) == 0) {
        return;
    }
    tuberia = _open_osfhandle(reinterpret_cast<intptr_t>(escritura), _O_TEXT | _O_WRONLY);
    consola = _dup(_fileno(stdout));
    if (tuberia < 0 || consola < 0 || _dup2(tuberia, _fileno(stdout)) != 0) {
        return;
    }
    salidaDeTuberia = lectura;
    // The C library hands a file's Windows handle over as an integer.
    consolaDeSalida =
        reinterpret_cast<HANDLE>(_get_osfhandle(consola)); // NOLINT(performance-no-int-to-ptr)
    SetStdHandle(STD_OUTPUT_HANDLE, consolaDeSalida);
}

} // namespace

bool escribirEnConsola(HANDLE consola, const char *texto, std::size_t largo) {
    static wchar_t ancho[1 << 16];
    if (largo == 0) {
        return true;
    }
    const int anchos = MultiByteToWideChar(CP_UTF8, 0, texto, static_cast<int>(largo), ancho,
                                           static_cast<int>(sizeof ancho / sizeof ancho[0]));
    DWORD escritos = 0;
    return anchos > 0 &&
           WriteConsoleW(consola, ancho, static_cast<DWORD>(anchos), &escritos, nullptr) != 0;
}

[[noreturn]] void consolaPerdida() { std::_Exit(0); }

namespace {
void (*restaurarAlFallar)() = nullptr;
} // namespace

void antesDeFallar(void (*restaurar)()) { restaurarAlFallar = restaurar; }

[[noreturn]] void fallo(const char *mensaje) {
    if (restaurarAlFallar != nullptr) {
        restaurarAlFallar();
    }
    std::fputs(mensaje, stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

void prepararSalida() {
    DWORD modo = 0;
    haciaConsola = GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &modo) != 0;
    std::setvbuf(stdout, nullptr, _IOFBF, 8192);
    if (haciaConsola) {
        convertirSalidaDeConsola();
    }
}

bool salidaEsConsola() { return haciaConsola; }

void volcarSalida() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        fallo(mensajeFalloEscritura);
    }
    if (consolaDeSalida != INVALID_HANDLE_VALUE && !pasarAConsola()) {
        DWORD modo = 0;
        if (GetConsoleMode(consolaDeSalida, &modo) == 0) {
            consolaPerdida();
        }
        fallo(mensajeFalloEscritura);
    }
}

void ejecutarOrden(const char *orden) {
    volcarSalida();
    if (consolaDeSalida != INVALID_HANDLE_VALUE) {
        _dup2(consola, _fileno(stdout));
    }
    // The command interpreter's own "cls" and "pause", fixed texts.
    std::system(orden); // NOLINT(cert-env33-c)
    if (consolaDeSalida != INVALID_HANDLE_VALUE) {
        _dup2(tuberia, _fileno(stdout));
        SetStdHandle(STD_OUTPUT_HANDLE, consolaDeSalida);
    }
}
