#include "guion/consola_guion.h"

#include <cstdio>

#include "console/plataforma.h"
#include "console/plataforma/lineas.h"
#include "console/plataforma/mostrar.h"
#include "guion/captura.h"

namespace {

std::string entrada;
std::size_t leidos = 0;
// The second code of a key that sends two, handed over by the next key
// read; as on a real console, the pause does not take it.
int pendiente = -1;

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
    captura::empezar();
}

std::string terminar() { return captura::terminar(); }

std::string sinLeer() { return entrada.substr(leidos); }

} // namespace guion

bool mostrarTexto(const char *texto) { return std::fputs(texto, stdout) >= 0; }

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

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    // A recorded transcript keeps the name's bytes as they were.
    copiaParaMostrar(texto, destino, tam, false);
}
