#include "console/plataforma/lineas.h"

#include <cstring>

#include "console/plataforma/teclas.h"

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

void quitaCaracterCortado(char *texto) {
    std::size_t fin = std::strlen(texto);
    const bool conSalto = fin > 0 && texto[fin - 1] == '\n';
    if (conSalto) {
        --fin;
    }
    // The start of the last character: up to three continuation bytes back.
    std::size_t inicio = fin;
    while (inicio > 0 && fin - inicio < 3 &&
           esContinuacionUtf8(static_cast<unsigned char>(texto[inicio - 1]))) {
        --inicio;
    }
    if (inicio == 0) {
        return;
    }
    --inicio;
    const int largo = largoCaracterUtf8(static_cast<unsigned char>(texto[inicio]));
    if (largo > 0 && fin - inicio < static_cast<std::size_t>(largo)) {
        if (conSalto) {
            texto[inicio++] = '\n';
        }
        texto[inicio] = '\0';
    }
}

void copiaParaMostrar(const char *texto, char *destino, std::size_t tam, bool enTerminal) {
    std::size_t escritos = 0;
    for (; *texto != '\0'; ++texto) {
        const auto byte = static_cast<unsigned char>(*texto);
        const bool control = enTerminal && (byte < 0x20 || byte == 0x7F);
        if (escritos + (control ? 2 : 1) >= tam) {
            break;
        }
        if (control) {
            destino[escritos++] = '^';
            destino[escritos++] = static_cast<char>(byte ^ 0x40);
        } else {
            destino[escritos++] = static_cast<char>(byte);
        }
    }
    if (tam > 0) {
        destino[escritos] = '\0';
    }
}

const char textoPausa[] = "Presione una tecla para continuar . . . ";
const char mensajeFalloLectura[] = "\nError al leer la entrada: el juego termina.\n";
const char mensajeFalloEscritura[] = "\nError al escribir la salida: el juego termina.\n";
