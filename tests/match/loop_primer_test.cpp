#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "board/tablero.h"
#include "board/victoria.h"
#include "guion/consola_guion.h"
#include "guion/esperado.h"
#include "match/partidas.h"

namespace {

using esperado::dibujo;
using esperado::espera;

struct Partida {
    std::string salida;
    int resultado = -1;
    std::string celdas;
};

Partida jugar(const std::string &teclas) {
    char tablero[3][3];
    crearTablero(tablero);
    Partida partida;
    partida.salida = guion::jugar(teclas, [&] { partida.resultado = loopPrimer(tablero); });
    partida.celdas = std::string(&tablero[0][0], 9);
    return partida;
}

// The computer's moves that no rule decides are random. This finds a seed
// with which the computer, answering each run of keys, leaves the board as
// given; the test then plays on from the same seed, knowing those cells.
unsigned semillaPara(const std::vector<std::pair<std::string, std::string>> &pasos) {
    for (unsigned semilla = 1; semilla < 20000; ++semilla) {
        bool vale = true;
        for (const auto &[teclas, celdas] : pasos) {
            std::srand(semilla);
            vale = vale && jugar(teclas).celdas == celdas;
        }
        if (vale) {
            return semilla;
        }
    }
    ADD_FAILURE() << "no seed leads the computer where the test needs it";
    return 1;
}

TEST(LoopPrimer, GanaLaPersona) {
    std::srand(semillaPara({{"5", "1O34X6789"}}));
    const Partida partida = jugar("5173z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.salida, guion::blanqueo + dibujo("123456789") + espera + dibujo("1O34X6789") +
                                  espera +                       // 1: blocked at 9
                                  dibujo("XO34X678O") + espera + // 7: blocked at 4
                                  dibujo("XO3OX6X8O") + espera + // 3: the other diagonal
                                  dibujo("XOXOX6X8O") + "\n\nFelicidades has ganado!!\n" +
                                  guion::pausa);
}

TEST(LoopPrimer, GanaElOrdenador) {
    std::srand(semillaPara({{"5", "O234X6789"}}));
    const Partida partida = jugar("5234z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.salida, guion::blanqueo + dibujo("123456789") + espera + dibujo("O234X6789") +
                                  espera +                       // 2: blocked at 8
                                  dibujo("OX34X67O9") + espera + // 3: blocked at 7
                                  dibujo("OXX4X6OO9") + espera + // 4: 'O' completes 7-8-9
                                  dibujo("OXXXX6OOO") +
                                  "\n\nLastima perdiste intenta de nuevo...\n" + guion::pausa);
}

TEST(LoopPrimer, EmpateTrasLaQuintaJugadaDeLaPersona) {
    std::srand(semillaPara({{"5", "1O34X6789"}, {"5438", "OOXXXOOX9"}}));
    const Partida partida = jugar("54389z");
    EXPECT_EQ(partida.resultado, 1);
    EXPECT_EQ(partida.salida, guion::blanqueo + dibujo("123456789") + espera + dibujo("1O34X6789") +
                                  espera + dibujo("1O3XXO789") + espera + dibujo("1OXXXOO89") +
                                  espera + dibujo("OOXXXOOX9") + espera + dibujo("OOXXXOOXX") +
                                  "\nLo siento has empatado.\n" + guion::pausa);
}

TEST(LoopPrimer, LaNovenaMarcaQueHaceLineaEsVictoriaNoEmpate) {
    std::srand(semillaPara({{"16", "XO345X7O9"}}));
    const Partida partida = jugar("16537z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.celdas.find_first_of("123456789"), std::string::npos) << partida.celdas;
    EXPECT_EQ(victoria(reinterpret_cast<const char(*)[3]>(partida.celdas.data())), 1);
    const std::string final =
        dibujo(partida.celdas) + "\n\nFelicidades has ganado!!\n" + guion::pausa;
    ASSERT_GE(partida.salida.size(), final.size());
    EXPECT_EQ(partida.salida.substr(partida.salida.size() - final.size()), final);
}

TEST(LoopPrimer, LosRechazosRedibujanElTableroAntesDeLaSiguienteTecla) {
    std::srand(1);
    const Partida partida = jugar("5ab5p");
    const std::string tras = dibujo(partida.celdas);
    EXPECT_EQ(partida.salida, guion::blanqueo + dibujo("123456789") + espera + tras +
                                  esperado::valorIncorrecto + tras + esperado::posicionUsada +
                                  tras + espera);
    // One 'X' and one 'O', nothing else changed by the refusals.
    int marcas = 0;
    for (const char c : partida.celdas) {
        marcas += (c == 'X' || c == 'O') ? 1 : 0;
    }
    EXPECT_EQ(marcas, 2);
    EXPECT_EQ(partida.celdas[4], 'X');
}

} // namespace
