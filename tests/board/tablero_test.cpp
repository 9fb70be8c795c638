#include <gtest/gtest.h>

#include <cstring>

#include "board/tablero.h"

namespace {

std::string celdas(const char tablero[3][3]) { return {&tablero[0][0], 9}; }

TEST(Tablero, SeLlenaConLosDigitosEnOrdenDeLecturaYTodoEstaLibre) {
    char tablero[3][3];
    std::memset(tablero, 'X', sizeof tablero);
    crearTablero(tablero);
    EXPECT_EQ(celdas(tablero), "123456789");
    for (int posicion = 1; posicion <= 9; ++posicion) {
        EXPECT_EQ(compruebaPos(tablero, posicion), 1) << posicion;
    }
}

TEST(Tablero, CadaNumeroCaeEnSuFilaYColumna) {
    // 3, 6 and 9 leave no remainder and must land in the third column.
    const int esperadas[10][2] = {{-1, -1}, {0, 0}, {0, 1}, {0, 2}, {1, 0},
                                  {1, 1},   {1, 2}, {2, 0}, {2, 1}, {2, 2}};
    for (int posicion = 1; posicion <= 9; ++posicion) {
        char tablero[3][3];
        crearTablero(tablero);
        introDato(tablero, posicion, 0);
        const int fila = esperadas[posicion][0];
        const int columna = esperadas[posicion][1];
        EXPECT_EQ(tablero[fila][columna], 'X') << posicion;
        EXPECT_EQ(casilla(tablero, posicion), 'X') << posicion;
        EXPECT_EQ(compruebaPos(tablero, posicion), 0) << posicion;
        // Exactly one cell changed.
        int cambiadas = 0;
        for (int otra = 1; otra <= 9; ++otra) {
            cambiadas += casilla(tablero, otra) == 'X' ? 1 : 0;
        }
        EXPECT_EQ(cambiadas, 1) << posicion;
    }
}

TEST(Tablero, LaMarcaDependeDelJugadorYSeSobrescribeSinComprobar) {
    char tablero[3][3];
    crearTablero(tablero);
    introDato(tablero, 4, 1);
    EXPECT_EQ(casilla(tablero, 4), 'O');
    EXPECT_EQ(compruebaPos(tablero, 4), 0);
    introDato(tablero, 4, 0);
    EXPECT_EQ(casilla(tablero, 4), 'X');
    introDato(tablero, 4, 7); // any non-zero player writes 'O'
    EXPECT_EQ(casilla(tablero, 4), 'O');
}

TEST(Tablero, LibreEsTodoLoQueNoSeaXNiO) {
    char tablero[3][3];
    crearTablero(tablero);
    tablero[0][0] = 'x'; // lower case is not a mark
    tablero[0][1] = '0';
    EXPECT_EQ(compruebaPos(tablero, 1), 1);
    EXPECT_EQ(compruebaPos(tablero, 2), 1);
}

TEST(Tablero, LosNumerosFueraDelTableroNiSeLeenNiSeEscriben) {
    char tablero[3][3];
    crearTablero(tablero);
    for (const int posicion : {0, -1, 10, 100}) {
        EXPECT_EQ(compruebaPos(tablero, posicion), 0) << posicion;
        EXPECT_EQ(casilla(tablero, posicion), '\0') << posicion;
        introDato(tablero, posicion, 0);
    }
    EXPECT_EQ(celdas(tablero), "123456789");
}

} // namespace
