#include "console/plataforma/mostrar.h"

#include "console/plataforma/utf8.h"

namespace {

// How many bytes the whole UTF-8 character texto starts with takes, or 0
// where it starts with no such character.
std::size_t caracterEntero(const unsigned char *texto) {
    const int largo = largoCaracterUtf8(texto[0]);
    for (int i = 1; i < largo; ++i) {
        if (!esContinuacionUtf8(texto[i])) {
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
