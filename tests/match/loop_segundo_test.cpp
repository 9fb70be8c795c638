#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "board/tablero.h"
#include "guion/consola_guion.h"
#include "guion/esperado.h"
#include "match/partidas.h"

namespace {

using esperado::dibujo;
using esperado::espera;

const std::string nombres = guion::blanqueo + "Cual es el nombre del primer jugador: " +
                            "Cual es el nombre del segundo jugador: ";

struct Partida {
    std::string salida;
    int resultado = -1;
    std::string celdas;
    std::string sinLeer;
};

Partida jugar(const std::string &entrada) {
    char tablero[3][3];
    std::memset(tablero, 'O', sizeof tablero); // whatever the last match left
    Partida partida;
    partida.salida = guion::jugar(entrada, [&] { partida.resultado = loopSegundo(tablero); });
    partida.celdas = std::string(&tablero[0][0], 9);
    partida.sinLeer = guion::sinLeer();
    return partida;
}

bool terminaCon(const std::string &texto, const std::string &final) {
    return texto.size() >= final.size() &&
           texto.compare(texto.size() - final.size(), final.size(), final) == 0;
}

TEST(LoopSegundo, EmpateConLaSegundaJugadaNuncaPedida) {
    const Partida partida = jugar("Ana\nLuis\n123547869zq");
    EXPECT_EQ(partida.resultado, 1);
    EXPECT_EQ(partida.celdas, "XOXXOOOXX");
    EXPECT_EQ(partida.sinLeer, "q");
    EXPECT_EQ(partida.salida, nombres +
                                  // 1 and 2
                                  dibujo("123456789") + espera + dibujo("X23456789") + espera +
                                  // 3 and 5
                                  dibujo("XO3456789") + espera + dibujo("XOX456789") + espera +
                                  // 4 and 7
                                  dibujo("XOX4O6789") + espera + dibujo("XOXXO6789") + espera +
                                  // 8 and 6
                                  dibujo("XOXXO6O89") + espera + dibujo("XOXXO6OX9") + espera +
                                  // 9 fills the board
                                  dibujo("XOXXOOOX9") + espera + dibujo("XOXXOOOXX") +
                                  "\nLo siento has empatado.\n" + guion::pausa);
}

TEST(LoopSegundo, GanaElPrimeroConLaNovenaMarca) {
    const Partida partida = jugar("Ana\nLuis\n214357986z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.celdas, "OXOXXXOOX");
    EXPECT_TRUE(terminaCon(partida.salida, dibujo("OXOXX6OOX") + espera + dibujo("OXOXXXOOX") +
                                               "\n\nFelicidades ganastes Ana!!\n" + guion::pausa))
        << partida.salida;
    EXPECT_EQ(partida.salida.find("empatado"), std::string::npos);
}

TEST(LoopSegundo, GanaElSegundo) {
    const Partida partida = jugar("Ana\nLuis\n123598z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.celdas, "XOX4O67OX");
    EXPECT_TRUE(terminaCon(partida.salida, dibujo("XOX4O6789") + espera + dibujo("XOX4O678X") +
                                               espera + dibujo("XOX4O67OX") +
                                               "\n\nFelicidades ganastes Luis!!\n" + guion::pausa))
        << partida.salida;
}

TEST(LoopSegundo, RechazosDelPrimeroRedibujanYLosDelSegundoSeAmontonan) {
    const Partida partida = jugar("A\nB\n"
                                  "xy5"   // first: wrong key, then 5
                                  "5pqr1" // second: taken cell, wrong key, then 1
                                  "1p");  // first: taken cell
    EXPECT_EQ(partida.salida,
              nombres + dibujo("123456789") + esperado::valorIncorrecto + // x, y swallowed
                  dibujo("123456789") + espera +                          // 5
                  dibujo("1234X6789") + esperado::posicionUsada +         // 5, pause p
                  esperado::valorIncorrecto +                             // q, r swallowed
                  espera +                                                // 1
                  dibujo("O234X6789") + esperado::posicionUsada +         // 1, pause p
                  dibujo("O234X6789") + espera);                          // input ends
    EXPECT_EQ(partida.celdas, "O234X6789");
}

// The winner's message of a match won by the first player, with the names
// given as the two lines of the script.
std::string ganaElPrimero(const std::string &lineas) {
    const Partida partida = jugar(lineas + "14253z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.sinLeer, "") << "every key was taken as planned";
    const std::string inicio = "\n\nFelicidades ganastes ";
    const std::size_t donde = partida.salida.rfind(inicio);
    if (donde == std::string::npos) {
        ADD_FAILURE() << partida.salida;
        return "";
    }
    return partida.salida.substr(donde + inicio.size());
}

TEST(LoopSegundo, NombresVaciosLargosYConPorcentaje) {
    const std::string cuarentaYNueve(49, 'a');
    EXPECT_EQ(ganaElPrimero("\nLuis\n"), "!!\n" + guion::pausa);
    EXPECT_EQ(ganaElPrimero(std::string(48, 'n') + "\nB\n"), std::string(48, 'n') + "!!\n<pausa>");
    // 49 bytes fill the buffer: the line break stays behind and is thrown
    // away before the second prompt.
    EXPECT_EQ(ganaElPrimero(cuarentaYNueve + "\nB\n"), cuarentaYNueve + "!!\n<pausa>");
    // The rest of a longer line is never taken as the second name.
    EXPECT_EQ(ganaElPrimero(cuarentaYNueve + "bbbbbbbbbbb\nB\n"), cuarentaYNueve + "!!\n<pausa>");
    EXPECT_EQ(ganaElPrimero("100%s %d %n\nB\n"), "100%s %d %n!!\n<pausa>");
}

TEST(LoopSegundo, ElRestoDeUnSegundoNombreLargoNoSeTomaPorJugadas) {
    // The second name's rest is full of digits; none of them is a move.
    const std::string segundo = std::string(49, 'b') + "9876543219876";
    const Partida partida = jugar("A\n" + segundo + "\n" + "123598z");
    EXPECT_EQ(partida.resultado, 0);
    EXPECT_EQ(partida.celdas, "XOX4O67OX");
    EXPECT_TRUE(terminaCon(partida.salida,
                           "Felicidades ganastes " + std::string(49, 'b') + "!!\n" + guion::pausa))
        << partida.salida;
}

TEST(LoopSegundo, SinNombreAlAcabarseLaEntradaNoSeJuega) {
    const Partida partida = jugar("Ana");
    EXPECT_EQ(partida.salida, nombres);
    EXPECT_EQ(jugar("").salida, guion::blanqueo + "Cual es el nombre del primer jugador: ");
}

TEST(ChNewLine, CortaEnElPrimerSaltoDeLinea) {
    char texto[] = "ab\ncd\n";
    chNewLine(texto);
    EXPECT_STREQ(texto, "ab");
    EXPECT_EQ(texto[3], 'c') << "nothing after the first break is touched";
    char sinSalto[] = "abc";
    chNewLine(sinSalto);
    EXPECT_STREQ(sinSalto, "abc");
    char vacio[] = "";
    chNewLine(vacio);
    EXPECT_STREQ(vacio, "");
}

} // namespace
