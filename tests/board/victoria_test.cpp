#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/tablero.h"
#include "board/victoria.h"

namespace {

// Answers victoria for a board given as its nine cells in reading order.
int victoriaDe(const std::string &celdas) {
    char tablero[3][3];
    std::memcpy(tablero, celdas.data(), 9);
    return victoria(tablero);
}

TEST(Victoria, SinLineaEsCero) {
    char tablero[3][3];
    crearTablero(tablero);
    EXPECT_EQ(victoria(tablero), 0);
    EXPECT_EQ(victoriaDe("XOXXOOOXX"), 0); // full, no line
    EXPECT_EQ(victoriaDe("XX3OO6789"), 0); // two in a row is not a line
    EXPECT_EQ(victoriaDe("XXO456789"), 0); // mixed line
}

TEST(Victoria, CadaLineaDeCadaMarca) {
    const int lineas[8][3] = {{1, 5, 9}, {7, 5, 3}, {1, 2, 3}, {4, 5, 6},
                              {7, 8, 9}, {1, 4, 7}, {2, 5, 8}, {3, 6, 9}};
    for (const auto &linea : lineas) {
        for (const char marca : {'X', 'O'}) {
            std::string celdas = "123456789";
            for (const int posicion : linea) {
                celdas[static_cast<std::size_t>(posicion - 1)] = marca;
            }
            EXPECT_EQ(victoriaDe(celdas), marca == 'X' ? 1 : 2)
                << celdas << " " << linea[0] << linea[1] << linea[2];
        }
    }
    EXPECT_EQ(victoriaDe("12X4X6X89"), 1); // 3, 5, 7
    EXPECT_EQ(victoriaDe("1O34O67O9"), 2); // 2, 5, 8
}

TEST(Victoria, ConDosLineasDecideElOrdenDeBusqueda) {
    // Rows are scanned before columns, and top before bottom.
    EXPECT_EQ(victoriaDe("OOO456XXX"), 2);
    EXPECT_EQ(victoriaDe("XXX456OOO"), 1);
    // Left column before right column.
    EXPECT_EQ(victoriaDe("X2OX5OX8O"), 1);
    EXPECT_EQ(victoriaDe("O2XO5XO8X"), 2);
}

} // namespace
