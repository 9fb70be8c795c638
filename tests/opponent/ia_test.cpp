#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "board/tablero.h"
#include "opponent/ia.h"

namespace {

// A board from its nine cells in reading order; '.' stands for a free cell.
struct Posicion {
    char tablero[3][3];

    explicit Posicion(const std::string &celdas) {
        crearTablero(tablero);
        for (int posicion = 1; posicion <= 9; ++posicion) {
            const char c = celdas.at(static_cast<std::size_t>(posicion - 1));
            if (c != '.') {
                introDato(tablero, posicion, c == 'X' ? 0 : 1);
            }
        }
    }

    std::string celdas() const { return {&tablero[0][0], 9}; }
};

// The cell the computer played, checking that it was the only change and
// that it wrote 'O' into a free cell.
int jugada(const std::string &antes) {
    Posicion posicion(antes);
    const std::string previo = posicion.celdas();
    EXPECT_EQ(inteligenciaArtificial(posicion.tablero), 1) << antes;
    const std::string despues = posicion.celdas();
    int cambiada = 0;
    int cambios = 0;
    for (int i = 0; i < 9; ++i) {
        if (previo[i] != despues[i]) {
            ++cambios;
            cambiada = i + 1;
            EXPECT_NE(previo[i], 'X') << antes;
            EXPECT_NE(previo[i], 'O') << antes;
            EXPECT_EQ(despues[i], 'O') << antes;
        }
    }
    EXPECT_EQ(cambios, 1) << antes;
    return cambiada;
}

TEST(ReglasIA, CadaReglaEsUnaLineaYCadaLineaTieneCadaCasillaComoObjetivoUnaVez) {
    const std::set<std::set<int>> lineas = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {1, 4, 7},
                                            {2, 5, 8}, {3, 6, 9}, {1, 5, 9}, {3, 5, 7}};
    std::set<std::pair<std::set<int>, int>> vistas;
    for (const Regla &regla : reglasIA) {
        const std::set<int> linea = {regla.primera, regla.segunda, regla.objetivo};
        EXPECT_EQ(linea.size(), 3U);
        EXPECT_TRUE(lineas.count(linea) == 1) << regla.primera << regla.segunda << regla.objetivo;
        EXPECT_TRUE(vistas.insert({linea, regla.objetivo}).second)
            << "objetivo repetido " << regla.objetivo;
    }
    EXPECT_EQ(vistas.size(), 24U);
}

TEST(ReglasIA, GanarVaAntesQueTapar) {
    // Rule 9 in the win phase beats rule 1 in the block phase.
    EXPECT_EQ(jugada("XX.OO...X"), 6);
    // Its own left column before the person's right column.
    EXPECT_EQ(jugada("O.X.X.O.X"), 4);
}

TEST(ReglasIA, DentroDeUnaFaseJuegaLaReglaMasBaja) {
    // Rules 1 and 7 both fire for 'O': rule 1 wins.
    EXPECT_EQ(jugada("OO.XOXX.X"), 3);
    // Rules 7 and 16 both fire for 'X': rule 7 blocks at 8, 1 stays open.
    EXPECT_EQ(jugada(".XOOX...X"), 8);
    // Left column, middle cell.
    EXPECT_EQ(jugada("X...O.X.."), 4);
}

TEST(ReglasIA, UnObjetivoOcupadoNoDisparaYSigueLaBusqueda) {
    // Rule 1 finds 3 taken; in the block phase rule 16 finds 1 taken and
    // rule 18 plays 7.
    EXPECT_EQ(jugada("OOX.X...X"), 7);
}

TEST(ReglasIA, TableroLlenoNoJuegaNiSacaAzar) {
    Posicion llena("XOXXOOOXX");
    std::srand(7);
    const int esperado = std::rand();
    std::srand(7);
    EXPECT_EQ(inteligenciaArtificial(llena.tablero), 0);
    EXPECT_EQ(llena.celdas(), "XOXXOOOXX");
    EXPECT_EQ(std::rand(), esperado) << "no random number may be drawn";
}

TEST(ReglasIA, SinReglaJuegaUnaCasillaLibreAlAzar) {
    // A line holding both marks never fires, nor does a lone mark.
    for (const char *celdas : {"OX......X", "....X....", "X........", "OX.X.O..."}) {
        std::set<int> jugadas;
        for (unsigned semilla = 1; semilla <= 200; ++semilla) {
            std::srand(semilla);
            jugadas.insert(jugada(celdas));
        }
        const std::string libres = Posicion(celdas).celdas();
        for (const int posicion : jugadas) {
            const char antes = libres[static_cast<std::size_t>(posicion - 1)];
            EXPECT_TRUE(antes != 'X' && antes != 'O') << celdas;
        }
        EXPECT_GT(jugadas.size(), 1U) << "the fallback should not always pick one cell";
    }
}

TEST(ReglasIA, ConUnaSolaCasillaLibreJuegaEsa) {
    // No rule fires on any of these: the fallback must find the last cell.
    for (const char *celdas : {"XOXXOOOX.", ".OXXOOOXX", "XOXX.OOXO"}) {
        const int libre = static_cast<int>(std::string(celdas).find('.')) + 1;
        for (unsigned semilla = 1; semilla <= 20; ++semilla) {
            std::srand(semilla);
            EXPECT_EQ(jugada(celdas), libre) << celdas;
        }
    }
}

// The table as the game's rules give it, written out here again so that the
// order of the game's own copy is checked against it.
constexpr int reglasEsperadas[24][3] = {
    {1, 2, 3}, {2, 3, 1}, {1, 4, 7}, {4, 7, 1}, {1, 3, 2}, {1, 7, 4}, {2, 5, 8}, {5, 8, 2},
    {4, 5, 6}, {5, 6, 4}, {4, 6, 5}, {2, 8, 5}, {1, 9, 5}, {3, 7, 5}, {1, 5, 9}, {5, 9, 1},
    {5, 7, 3}, {3, 5, 7}, {8, 9, 7}, {6, 9, 3}, {3, 6, 9}, {7, 8, 9}, {3, 9, 6}, {7, 9, 8},
};

// The first rule that fires for a mark, or -1.
int primeraQueDispara(const std::string &celdas, char marca) {
    for (int r = 0; r < 24; ++r) {
        const auto &[a, b, objetivo] = reglasEsperadas[r];
        if (celdas[a - 1] == marca && celdas[b - 1] == marca && celdas[objetivo - 1] == '.') {
            return r;
        }
    }
    return -1;
}

TEST(ReglasIA, DeDosReglasQueDisparanJuntasJuegaLaDeNumeroMasBajo) {
    // For every two rules that can fire together with different targets, in
    // each phase: a position where both fire, the lower one is the first to
    // fire, and (in the block phase) no rule fires for 'O'. The cells left
    // over are tried free or with the other mark until one such position
    // turns up.
    int probadas = 0;
    for (const char marca : {'O', 'X'}) {
        const char otra = marca == 'O' ? 'X' : 'O';
        for (int i = 0; i < 24; ++i) {
            for (int j = i + 1; j < 24; ++j) {
                const auto &[a, b, t] = reglasEsperadas[i];
                const auto &[c, d, u] = reglasEsperadas[j];
                std::string base(9, '?');
                for (const int celda : {a, b, c, d}) {
                    base[celda - 1] = marca;
                }
                if (t == u || base[t - 1] == marca || base[u - 1] == marca) {
                    continue; // they never fire together with different targets
                }
                base[t - 1] = '.';
                base[u - 1] = '.';
                for (int relleno = 0; relleno < 512; ++relleno) {
                    std::string celdas = base;
                    for (int k = 0; k < 9; ++k) {
                        if (celdas[k] == '?') {
                            celdas[k] = (relleno >> k & 1) != 0 ? otra : '.';
                        }
                    }
                    const bool otraFase = marca == 'X' && primeraQueDispara(celdas, 'O') >= 0;
                    if (otraFase || primeraQueDispara(celdas, marca) != i) {
                        continue;
                    }
                    EXPECT_EQ(jugada(celdas), t)
                        << celdas << ": rule " << i + 1 << " before rule " << j + 1;
                    ++probadas;
                    break;
                }
            }
        }
    }
    EXPECT_GT(probadas, 200);
}

TEST(ReglasIA, ElAzarEsLaPrimeraCasillaLibreDeRandModNueveMasUno) {
    // Positions where no rule fires, with few free cells so that draws are
    // often thrown away.
    for (const char *celdas : {"....X....", "OX......X", "XO.OXX.XO", "OXO.X.XOX", "XOXXOOOX."}) {
        for (unsigned semilla = 1; semilla <= 300; ++semilla) {
            std::srand(semilla);
            int esperada = 0;
            do {
                esperada = std::rand() % 9 + 1;
            } while (celdas[esperada - 1] != '.');
            const int siguiente = std::rand();
            std::srand(semilla);
            ASSERT_EQ(jugada(celdas), esperada) << celdas << " seed " << semilla;
            ASSERT_EQ(std::rand(), siguiente)
                << celdas << " seed " << semilla << ": one value per draw, and no other";
        }
    }
}

} // namespace
