#include "guion/consola_guion.h"

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

#include "console/lineas.h"
#include "console/plataforma.h"

namespace {

std::string entrada;
std::size_t leidos = 0;
// The second code of a key that sends two, handed over by the next key
// read; as on a real console, the pause does not take it.
int pendiente = -1;
std::FILE *grabacion = nullptr;
int salidaOriginal = -1;

int leerByte() {
    if (leidos >= entrada.size()) {
        return finDeEntrada;
    }
    return static_cast<unsigned char>(entrada[leidos++]);
}

int leerCodigo() {
    std::fflush(stdout);
    const int codigo = leerByte();
    if (codigo == finDeEntrada) {
        throw guion::FinDeGuion{};
    }
    return codigo;
}

bool esPrefijo(int codigo) { return codigo == 0 || codigo == 0xE0; }

// The first code of a key press, with its second one put aside.
int leerPulsacion(int &segundo) {
    const int codigo = leerCodigo();
    segundo = esPrefijo(codigo) ? leerByte() : -1;
    return codigo;
}

void marca(const std::string &texto) { std::fputs(texto.c_str(), stdout); }

} // namespace

namespace guion {

void empezar(const std::string &texto) {
    entrada = texto;
    leidos = 0;
    pendiente = -1;
    descartarRestoLinea();
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

std::string sinLeer() { return entrada.substr(leidos); }

} // namespace guion

void iniciarConsola() {}

int leerTecla() {
    if (pendiente >= 0) {
        const int codigo = pendiente;
        pendiente = -1;
        return codigo;
    }
    return leerPulsacion(pendiente);
}

void leerLinea(char *destino, std::size_t tam) {
    std::fflush(stdout);
    if (!leerLineaCon(leerByte, destino, tam)) {
        throw guion::FinDeGuion{};
    }
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() { marca(guion::cls); }

void borrarPantalla() { marca(guion::blanqueo); }

void pausa() {
    marca(guion::pausa);
    // One whole key press of its own, both codes of a cursor key included.
    int segundo = -1;
    leerPulsacion(segundo);
}
