#include "guion/teclado_guion.h"

#include <gtest/gtest.h>

#include "console/plataforma/lector.h"

namespace {

std::vector<int> guion;
std::size_t siguiente = 0;
std::vector<int> pedidas;
std::string ecoGrabado;
ColaTeclas cola = colaVacia;

Pulsacion leerPulsacion() { return siguientePulsacion(cola, tecladoGuion::leerConEspera, true); }

void grabarEco(const char *bytes, std::size_t cuantos) { ecoGrabado.append(bytes, cuantos); }

} // namespace

namespace tecladoGuion {

void empezar(const std::string &bytes) {
    std::vector<int> codigos;
    for (const char byte : bytes) {
        codigos.push_back(static_cast<unsigned char>(byte));
    }
    empezar(codigos);
}

void empezar(const std::vector<int> &codigos) {
    guion = codigos;
    siguiente = 0;
    pedidas.clear();
}

int leerConEspera(int esperaMs) {
    pedidas.push_back(esperaMs);
    if (siguiente >= guion.size()) {
        return finDeEntrada;
    }
    const int byte = guion[siguiente++];
    if (byte == sinByte && esperaMs < 0) {
        // Nothing to wait out when the reader waits without a limit.
        return siguiente < guion.size() ? guion[siguiente++] : finDeEntrada;
    }
    return byte;
}

int leer() { return leerConEspera(-1); }

std::size_t leidos() { return siguiente; }

const std::vector<int> &esperas() { return pedidas; }

std::string editar(const std::string &teclas, std::size_t tam, Seguimiento seguir) {
    empezar(teclas);
    for (int &byte : guion) {
        byte = byte == 0xFF ? sinByte : byte;
    }
    ecoGrabado.clear();
    cola = colaVacia;
    std::string linea(tam, '#');
    const int largo = editarLinea(leerPulsacion, grabarEco, linea.data(), tam, seguir);
    if (largo < 0) {
        return "<fin>";
    }
    EXPECT_EQ(std::string(linea.c_str()).size(), static_cast<std::size_t>(largo));
    return linea.c_str();
}

const std::string &eco() { return ecoGrabado; }

} // namespace tecladoGuion
