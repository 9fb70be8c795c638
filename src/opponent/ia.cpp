#include "opponent/ia.h"

#include <cstdlib>

#include "board/tablero.h"

const Regla reglasIA[24] = {
    {1, 2, 3}, // 1  top row
    {2, 3, 1}, // 2  top row
    {1, 4, 7}, // 3  left column
    {4, 7, 1}, // 4  left column
    {1, 3, 2}, // 5  top row
    {1, 7, 4}, // 6  left column
    {2, 5, 8}, // 7  middle column
    {5, 8, 2}, // 8  middle column
    {4, 5, 6}, // 9  middle row
    {5, 6, 4}, // 10 middle row
    {4, 6, 5}, // 11 middle row
    {2, 8, 5}, // 12 middle column
    {1, 9, 5}, // 13 main diagonal
    {3, 7, 5}, // 14 other diagonal
    {1, 5, 9}, // 15 main diagonal
    {5, 9, 1}, // 16 main diagonal
    {5, 7, 3}, // 17 other diagonal
    {3, 5, 7}, // 18 other diagonal
    {8, 9, 7}, // 19 bottom row
    {6, 9, 3}, // 20 right column
    {3, 6, 9}, // 21 right column
    {7, 8, 9}, // 22 bottom row
    {3, 9, 6}, // 23 right column
    {7, 9, 8}, // 24 bottom row
};

namespace {

constexpr int jugadorIA = 1;

// Walks the table with one mark and plays the target of the first rule that
// fires. Answers whether a rule fired.
bool aplicaReglas(char tablero[3][3], char marca) {
    for (const Regla &regla : reglasIA) {
        if (casilla(tablero, regla.primera) == marca && casilla(tablero, regla.segunda) == marca &&
            compruebaPos(tablero, regla.objetivo) == 1) {
            introDato(tablero, regla.objetivo, jugadorIA);
            return true;
        }
    }
    return false;
}

} // namespace

int inteligenciaArtificial(char tablero[3][3]) {
    if (!hayCasillaLibre(tablero)) {
        return 0;
    }
    // Its own line first, then the person's.
    if (aplicaReglas(tablero, 'O') || aplicaReglas(tablero, 'X')) {
        return 1;
    }
    // The game's opponent is meant to be this simple; rand() is its only
    // source of randomness and main seeds it once per run.
    int posicion = std::rand() % 9 + 1; // NOLINT(cert-msc30-c,cert-msc50-cpp)
    while (compruebaPos(tablero, posicion) == 0) {
        posicion = std::rand() % 9 + 1; // NOLINT(cert-msc30-c,cert-msc50-cpp)
    }
    introDato(tablero, posicion, jugadorIA);
    return 1;
}
