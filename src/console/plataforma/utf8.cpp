#include "console/plataforma/utf8.h"

#include <cstddef>
#include <cstring>

int largoCaracterUtf8(int byte) {
    if (byte >= 0xC2 && byte <= 0xDF)
        return 2;
    if (byte >= 0xE0 && byte <= 0xEF)
        return 3;
    if (byte >= 0xF0 && byte <= 0xF4)
        return 4;
    return 0;
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
