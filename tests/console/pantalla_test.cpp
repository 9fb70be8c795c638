#include <gtest/gtest.h>

#include "board/tablero.h"
#include "console/pantalla.h"
#include "guion/consola_guion.h"
#include "guion/esperado.h"

namespace {

TEST(Pantalla, TableroNuevoSinSaltoTrasLaUltimaLinea) {
    char tablero[3][3];
    crearTablero(tablero);
    const std::string salida = guion::jugar("", [&] { muestraTablero(tablero); });
    EXPECT_EQ(salida, "<cls>---------------\n"
                      " | 1 | 2 | 3 |\n"
                      "---------------\n"
                      " | 4 | 5 | 6 |\n"
                      "---------------\n"
                      " | 7 | 8 | 9 |\n"
                      "---------------");
}

TEST(Pantalla, LasMarcasOcupanElLugarDeSuDigito) {
    char tablero[3][3];
    crearTablero(tablero);
    introDato(tablero, 1, 0);
    introDato(tablero, 3, 1);
    introDato(tablero, 8, 0);
    const std::string salida = guion::jugar("", [&] { muestraTablero(tablero); });
    EXPECT_EQ(salida, esperado::dibujo("X2O4567X9"));
    EXPECT_NE(salida.find("\n | X | 2 | O |\n"), std::string::npos);
}

TEST(Pantalla, ClearSoloBlanqueaSinDibujarNada) {
    EXPECT_EQ(guion::jugar("", [] { clear(); }), guion::blanqueo);
}

} // namespace
