#include <gtest/gtest.h>

#include <string>

#include "board/tablero.h"
#include "console/entrada.h"
#include "console/plataforma.h"
#include "guion/consola_guion.h"
#include "guion/esperado.h"

namespace {

struct Jugada {
    std::string salida;
    int resultado = -1;
    std::string celdas;
    std::string sinLeer;
};

// One call of introducirDato on a board that has 'X' on 5, over the script.
Jugada jugar(const std::string &teclas, int jugador = 0) {
    char tablero[3][3];
    crearTablero(tablero);
    introDato(tablero, 5, 0);
    Jugada jugada;
    jugada.salida =
        guion::jugar(teclas, [&] { jugada.resultado = introducirDato(tablero, jugador); });
    jugada.celdas = std::string(&tablero[0][0], 9);
    jugada.sinLeer = guion::sinLeer();
    return jugada;
}

TEST(IntroducirDato, UnDigitoLibrePoneLaMarcaDelJugador) {
    const Jugada x = jugar("7");
    EXPECT_EQ(x.resultado, 1);
    EXPECT_EQ(x.salida, "\n\n");
    EXPECT_EQ(x.celdas, "1234X6X89");

    const Jugada o = jugar("1", 1);
    EXPECT_EQ(o.resultado, 1);
    EXPECT_EQ(o.celdas, "O234X6789");
}

TEST(IntroducirDato, UnaCasillaOcupadaAvisaYPausa) {
    const Jugada jugada = jugar("5z9");
    EXPECT_EQ(jugada.resultado, 0);
    EXPECT_EQ(jugada.salida, esperado::posicionUsada);
    EXPECT_EQ(jugada.celdas, "1234X6789");
    EXPECT_EQ(jugada.sinLeer, "9") << "the pause takes one key only";
}

TEST(IntroducirDato, OtraTeclaAvisaYSeTragaLaSiguienteSeaCualSea) {
    const std::string teclas[] = {"0",    "a",   "\n", " ", "\x1b", std::string(1, '\0'),
                                  "\xE0", "\xB1" /* '1' with the top bit set */};
    for (const std::string &tecla : teclas) {
        const Jugada jugada = jugar(tecla + "3" + "8");
        EXPECT_EQ(jugada.resultado, 0) << int(tecla[0]);
        EXPECT_EQ(jugada.salida, esperado::valorIncorrecto) << int(tecla[0]);
        EXPECT_EQ(jugada.celdas, "1234X6789") << "a digit after a wrong key is not a move";
        EXPECT_EQ(jugada.sinLeer, "8");
    }
}

TEST(IntroducirDato, ElRestoDeUnaLineaSeDescartaYLasTeclasNo) {
    char tablero[3][3];
    crearTablero(tablero);
    char linea[5];
    int resultado = -1;
    // A line too long for its buffer leaves a rest; the move's key is read
    // from the keys, never from that rest.
    const std::string salida = guion::jugar("abcd1234\n6", [&] {
        leerLinea(linea, sizeof linea);
        resultado = introducirDato(tablero, 0);
    });
    EXPECT_EQ(std::string(linea), "abcd");
    EXPECT_EQ(resultado, 1);
    EXPECT_EQ(casilla(tablero, 6), 'X');
    EXPECT_EQ(salida, "\n\n");
}

} // namespace
