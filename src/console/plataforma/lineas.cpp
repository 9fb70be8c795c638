#include "console/plataforma/lineas.h"

namespace {

// What is left of the last line read. Only the first bytes of it are
// stored: the game always throws the rest away before it reads again, so a
// longer rest only has to be taken off the input, not kept whole.
constexpr std::size_t capacidadResto = 1024;
char resto[capacidadResto];
std::size_t inicioResto = 0;
std::size_t finResto = 0;

int siguienteByte(LectorBytes leer) {
    if (inicioResto < finResto) {
        return static_cast<unsigned char>(resto[inicioResto++]);
    }
    return leer();
}

bool restoAcabaLinea() {
    for (std::size_t i = inicioResto; i < finResto; ++i) {
        if (resto[i] == '\n') {
            return true;
        }
    }
    return false;
}

// Takes the rest of the current line off the input and keeps it.
void guardaRestoDeLinea(LectorBytes leer) {
    if (restoAcabaLinea()) {
        return;
    }
    std::size_t nuevoFin = 0;
    for (std::size_t i = inicioResto; i < finResto; ++i) {
        resto[nuevoFin++] = resto[i];
    }
    inicioResto = 0;
    finResto = nuevoFin;
    for (;;) {
        const int byte = leer();
        if (byte == finDeEntrada) {
            return;
        }
        if (finResto < capacidadResto) {
            resto[finResto++] = static_cast<char>(byte);
        }
        if (byte == '\n') {
            return;
        }
    }
}

} // namespace

bool leerLineaCon(LectorBytes leer, char *destino, std::size_t tam) {
    if (tam == 0) {
        return false;
    }
    std::size_t guardados = 0;
    bool acabada = false;
    bool agotada = false;
    while (!acabada && guardados + 1 < tam) {
        const int byte = siguienteByte(leer);
        if (byte == finDeEntrada) {
            agotada = true;
            break;
        }
        acabada = byte == '\n';
        if (acabada && guardados > 0 && destino[guardados - 1] == '\r') {
            --guardados;
        }
        destino[guardados++] = static_cast<char>(byte);
    }
    destino[guardados] = '\0';
    if (!acabada && !agotada) {
        guardaRestoDeLinea(leer);
        // A "\r\n" split by the cut: the "\n" takes the "\r"'s place.
        if (guardados > 0 && destino[guardados - 1] == '\r' && inicioResto < finResto &&
            resto[inicioResto] == '\n') {
            destino[guardados - 1] = '\n';
            ++inicioResto;
        }
    }
    return guardados > 0 || !agotada;
}

void descartarRestoLinea() {
    inicioResto = 0;
    finResto = 0;
}
