#include "console/plataforma/registro.h"

#include <cstring>

#include "console/plataforma/consola.h"

namespace {

char pantalla[16384];
std::size_t largoPantalla = 0;

// Notes bytes that reached the terminal.
void anotarEnPantalla(const char *bytes, std::size_t cuantos) {
    // Only what follows the last clearing of the screen is on it.
    const std::size_t largoLimpiar = sizeof secuenciaLimpiar - 1;
    for (std::size_t i = cuantos; i >= largoLimpiar; --i) {
        if (std::memcmp(bytes + i - largoLimpiar, secuenciaLimpiar, largoLimpiar) == 0) {
            bytes += i;
            cuantos -= i;
            largoPantalla = 0;
            break;
        }
    }
    if (cuantos > sizeof pantalla) {
        bytes += cuantos - sizeof pantalla;
        cuantos = sizeof pantalla;
    }
    if (largoPantalla + cuantos > sizeof pantalla) {
        // Whole lines are dropped, so that no escape sequence is cut.
        const std::size_t sobran = largoPantalla + cuantos - sizeof pantalla;
        const void *salto = std::memchr(pantalla + sobran, '\n', largoPantalla - sobran);
        const std::size_t desde =
            salto != nullptr
                ? static_cast<std::size_t>(static_cast<const char *>(salto) - pantalla) + 1
                : largoPantalla;
        std::memmove(pantalla, pantalla + desde, largoPantalla - desde);
        largoPantalla -= desde;
    }
    std::memcpy(pantalla + largoPantalla, bytes, cuantos);
    largoPantalla += cuantos;
}

} // namespace

char anotarBufferSalida(const char *buffer, std::size_t tam) {
    std::size_t pendientes = tam;
    while (pendientes > 0 && buffer[pendientes - 1] == '\0') {
        --pendientes;
    }
    if (pendientes == 0) {
        return '\0';
    }
    anotarEnPantalla(buffer, pendientes);
    return buffer[pendientes - 1];
}

void anotarLineaEnPantalla(const char *bytes, std::size_t cuantos) {
    anotarEnPantalla(bytes, cuantos);
    anotarEnPantalla("\r\n", 2);
}

bool redibujarCon(bool (*escribir)(const char *bytes, std::size_t cuantos)) {
    char todo[sizeof secuenciaLimpiar - 1 + sizeof pantalla];
    std::memcpy(todo, secuenciaLimpiar, sizeof secuenciaLimpiar - 1);
    std::memcpy(todo + sizeof secuenciaLimpiar - 1, pantalla, largoPantalla);
    return escribir(todo, sizeof secuenciaLimpiar - 1 + largoPantalla);
}
