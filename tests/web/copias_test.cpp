// The page's JavaScript, its style sheet and its tests keep copies of a few
// of the game's facts. Each copy is read from its file and held to the
// game's own constant, so that the two never drift apart.

#include <gtest/gtest.h>

#include <string>

#include "console/plataforma/consola.h"
#include "console/plataforma/editor.h"
#include "console/plataforma/lector.h"
#include "guion/fuente.h"
#include "guion/teclado_guion.h"

namespace {

// The value of "const nombre = ...;" in a module: a number as it is written,
// a string in single quotes as its bytes (its escapes \xHH only).
std::string valorEnJs(const std::string &modulo, const std::string &nombre) {
    const std::string texto = fuente(modulo);
    const std::string marca = "const " + nombre + " = ";
    const std::size_t donde = texto.find(marca);
    if (donde == std::string::npos) {
        return "<no está>";
    }
    const std::size_t desde = donde + marca.size();
    const std::string literal = texto.substr(desde, texto.find(';', desde) - desde);
    if (literal.empty() || literal[0] != '\'') {
        return literal;
    }
    std::string bytes;
    for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
        if (literal[i] != '\\') {
            bytes += literal[i];
        } else if (literal[i + 1] == 'x') {
            bytes += static_cast<char>(std::stoi(literal.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            return "<escape desconocido>";
        }
    }
    return bytes;
}

TEST(CopiasEnLaPagina, ValenLoQueEnElJuego) {
    const struct {
        const char *modulo;
        const char *nombre;
        std::string valor;
    } copias[] = {
        {"web/teclas.mjs", "sinByte", std::to_string(sinByte)},
        {"web/teclas.mjs", "pantallaPorRedibujar", std::to_string(pantallaPorRedibujar)},
        {"web/terminal.mjs", "columnas", std::to_string(columnasConsola)},
        {"web/terminal.mjs", "filas", std::to_string(filasConsola)},
        {"web/terminal.mjs", "secuenciaLimpiar", secuenciaLimpiar},
        {"tests/web/navegador/nombres.mjs", "capacidadEdicionMaxima",
         std::to_string(capacidadEdicionMaxima)},
    };
    for (const auto &copia : copias) {
        EXPECT_EQ(valorEnJs(copia.modulo, copia.nombre), copia.valor)
            << copia.modulo << ": " << copia.nombre;
    }
    // The style sheet sizes the terminal's box: the console's columns and
    // rows, and the letter's bounds that terminal.mjs fits them with.
    const std::string estilo = fuente("web/partida.css");
    for (const std::string &medida :
         {"clamp(" + valorEnJs("web/terminal.mjs", "letraMinima") + "px,",
          ", " + valorEnJs("web/terminal.mjs", "letraMaxima") + "px);",
          "min(" + std::to_string(columnasConsola) + "ch,",
          "height: " + std::to_string(filasConsola) + "lh;"}) {
        EXPECT_NE(estilo.find(medida), std::string::npos) << "web/partida.css lacks " << medida;
    }
}

using tecladoGuion::editar;

TEST(CopiasEnLaPagina, LasTeclasDeLosNombresEditanComoSeLlaman) {
    const auto tecla = [](const char *nombre) { return valorEnJs("web/edicion.mjs", nombre); };
    const struct {
        std::string teclas;
        const char *linea;
    } casos[] = {
        {"abc" + tecla("izquierda") + "X", "abXc\n"},
        {"abc" + tecla("inicio") + "X", "Xabc\n"},
        {"abc" + tecla("inicio") + tecla("derecha") + "X", "aXbc\n"},
        {"abc" + tecla("inicio") + tecla("fin") + "X", "abcX\n"},
        {"abc" + tecla("retroceso") + "X", "abX\n"},
        {"abc" + tecla("inicio") + tecla("suprimir") + "X", "Xbc\n"},
    };
    for (const auto &caso : casos) {
        EXPECT_EQ(editar(caso.teclas + "\r"), caso.linea) << caso.teclas;
    }
}

} // namespace
