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

namespace {

// How many bytes the whole UTF-8 character texto starts with takes, or 0
// where it starts with no such character.
std::size_t caracterEntero(const unsigned char *texto) {
    const int largo = largoCaracterUtf8(texto[0]);
    for (int i = 1; i < largo; ++i) {
        if ((texto[i] & 0xC0) != 0x80) {
            return 0;
        }
    }
    return static_cast<std::size_t>(largo);
}

// Where texto starts with a control, its code (C0 and DEL; C1, U+0080 to
// U+009F, in UTF-8 or as a byte of its own that starts no character), and
// how many bytes it takes; else the length of what starts it, to be copied
// whole.
struct Trozo {
    int control;
    std::size_t largo;
};
Trozo trozoDe(const unsigned char *texto) {
    const unsigned char byte = texto[0];
    if (byte < 0x20 || byte == 0x7F) {
        return {byte, 1};
    }
    if (byte < 0x80) {
        return {-1, 1};
    }
    const std::size_t largo = caracterEntero(texto);
    if (largo == 2 && byte == 0xC2 && texto[1] <= 0x9F) {
        return {texto[1], 2};
    }
    if (largo == 0) {
        return {byte <= 0x9F ? byte : -1, 1};
    }
    return {-1, largo};
}

} // namespace

void copiaParaMostrar(const char *texto, char *destino, std::size_t tam, bool enTerminal) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(texto);
    std::size_t escritos = 0;
    while (*bytes != '\0') {
        const Trozo trozo = enTerminal ? trozoDe(bytes) : Trozo{-1, 1};
        // A C0 control as ^X (ESC as ^[), DEL as ^?, a C1 control as M-^X
        // (CSI, 0x9B, as M-^[), as cat -v shows them.
        const bool c1 = trozo.control >= 0x80;
        const std::size_t ocupa = trozo.control < 0 ? trozo.largo : c1 ? 4 : 2;
        if (escritos + ocupa >= tam) {
            break;
        }
        if (trozo.control < 0) {
            for (std::size_t i = 0; i < trozo.largo; ++i) {
                destino[escritos++] = static_cast<char>(bytes[i]);
            }
        } else {
            if (c1) {
                destino[escritos++] = 'M';
                destino[escritos++] = '-';
            }
            destino[escritos++] = '^';
            destino[escritos++] = static_cast<char>((trozo.control & 0x7F) ^ 0x40);
        }
        bytes += trozo.largo;
    }
    if (tam > 0) {
        destino[escritos] = '\0';
    }
}

const char textoPausa[] = "Presione una tecla para continuar . . . ";
const char mensajeFalloLectura[] = "\nError al leer la entrada: el juego termina.\n";
const char mensajeFalloEscritura[] = "\nError al escribir la salida: el juego termina.\n";
