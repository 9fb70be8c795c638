#include "guion/captura.h"

#include <cstdio>
#include <stdexcept>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define dup _dup
#define dup2 _dup2
#define fileno _fileno
#define close _close
#else
#include <unistd.h>
#endif

namespace {

std::FILE *grabacion = nullptr;
int salidaOriginal = -1;

} // namespace

namespace captura {

void empezar() {
    std::fflush(stdout);
    grabacion = std::tmpfile();
    salidaOriginal = dup(fileno(stdout));
    if (grabacion == nullptr || salidaOriginal < 0 || dup2(fileno(grabacion), fileno(stdout)) < 0) {
        throw std::runtime_error("no se pudo grabar la salida");
    }
#ifdef _WIN32
    // The transcript keeps "\n" as printed, not as "\r\n".
    _setmode(fileno(stdout), _O_BINARY);
#endif
}

std::string terminar() {
    std::fflush(stdout);
    dup2(salidaOriginal, fileno(stdout));
    close(salidaOriginal);
    std::string texto;
    std::rewind(grabacion);
    for (int c = std::fgetc(grabacion); c != EOF; c = std::fgetc(grabacion)) {
        texto.push_back(static_cast<char>(c));
    }
    std::fclose(grabacion);
    grabacion = nullptr;
    return texto;
}

} // namespace captura
