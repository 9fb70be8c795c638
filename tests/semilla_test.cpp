// The generator's seed, through the clock: the game's calls to time() come
// here, and are counted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "board/tablero.h"
#include "board/victoria.h"
#include "guion/consola_guion.h"
#include "guion/esperado.h"
#include "opponent/ia.h"

int mainDelJuego(int argc = 0, char *argv[] = nullptr);

namespace {

std::time_t reloj = 0;
int llamadas = 0;
std::size_t porLeerAlLlamar = 0;

} // namespace

// Each call answers the next second, so that seeding twice never gives the
// same sequence twice.
extern "C" std::time_t time(std::time_t *t) noexcept {
    ++llamadas;
    porLeerAlLlamar = guion::sinLeer().size();
    const std::time_t ahora = reloj++;
    if (t != nullptr) {
        *t = ahora;
    }
    return ahora;
}

namespace {

TEST(Semilla, UnaVezDelRelojAntesDelPrimerMenuYParaTodaLaPartida) {
    for (const std::time_t segundo : {std::time_t{5}, std::time_t{1700000000}}) {
        // Two solo matches in one run, the person always taking the first
        // free cell. Played here first with the generator seeded from that
        // second, to foresee the computer's moves and both final boards.
        std::srand(static_cast<unsigned>(segundo));
        std::string teclas = "1";
        std::string finales;
        for (int partida = 0; partida < 2; ++partida) {
            char tablero[3][3];
            crearTablero(tablero);
            for (;;) {
                int libre = 1;
                while (compruebaPos(tablero, libre) == 0) {
                    ++libre;
                }
                introDato(tablero, libre, 0);
                teclas += static_cast<char>('0' + libre);
                if (victoria(tablero) == 1 || inteligenciaArtificial(tablero) == 0 ||
                    victoria(tablero) == 2) {
                    break;
                }
            }
            finales += esperado::dibujo(std::string(&tablero[0][0], 9));
            teclas += partida == 0 ? "zy1" : "zn";
        }

        reloj = segundo;
        llamadas = 0;
        const std::string salida = guion::jugar(teclas, [] { mainDelJuego(); });
        EXPECT_EQ(llamadas, 1) << "seeded once per run";
        EXPECT_EQ(porLeerAlLlamar, teclas.size()) << "seeded before the first key";
        const std::size_t primera = salida.find(finales.substr(0, finales.size() / 2) + "\n");
        ASSERT_NE(primera, std::string::npos) << salida;
        EXPECT_NE(salida.find(finales.substr(finales.size() / 2) + "\n", primera + 1),
                  std::string::npos)
            << "the second match goes on with the same sequence:\n"
            << salida;
    }
}

} // namespace
