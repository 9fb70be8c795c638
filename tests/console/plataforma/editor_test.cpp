#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/plataforma/editor.h"
#include "console/plataforma/lector.h"
#include "guion/teclado_guion.h"

namespace {

using tecladoGuion::eco;
using tecladoGuion::editar;

// A pause: any wait for a byte runs out there.
const std::string pausa = "\xff";

const std::string izquierda = "\x1b[D";
const std::string derecha = "\x1b[C";
const std::string inicio = "\x1b[H";
const std::string fin = "\x1b[F";
const std::string suprimir = "\x1b[3~";

TEST(Editor, LasTeclasEditanLaLineaComoEnUnaConsola) {
    const struct {
        std::string teclas;
        std::string linea;
    } casos[] = {
        {"Ana\r", "Ana\n"},
        {"Ana\n", "Ana\n"},
        {"Pepe\x1b" + pausa + "Ana\r", "Ana\n"}, // Escape clears
        {"Ana\x1b"
         "b\x1b"
         "f\x1b\xc3\xb1\x1b\x7f\r",
         "Ana\n"},                                                 // Alt with a key: nothing
        {"A\xc3\xb1x\x7f\x7f\r", "A\n"},                           // Backspace: a whole ñ
        {"ab\b\r", "a\n"},                                         // Ctrl-H too
        {"abc" + izquierda + izquierda + suprimir + "\r", "ac\n"}, // Delete
        {"bc" + inicio + "a" + fin + "d\r", "abcd\n"},             // Home and End
        {"\xc3\xb1"
         "b" +
             izquierda + izquierda + "a" + derecha + "X\r",
         "a\xc3\xb1Xb\n"},
        {"uno dos  \x17\r", "uno \n"},     // Ctrl-W: a word
        {"uno dos\x15x\r", "x\n"},         // Ctrl-U clears
        {"ab" + izquierda + "\r", "ab\n"}, // Enter anywhere
        {"a\x01\x13\x16\t" + std::string("\x1b[A\x1bOP\x1b[15~") + "b\r", "ab\n"},
        {"A\xc2\x9b"
         "2J\xc2\x85\xc2\x9d"
         "b\xc2\x80\xc2\x9f\r",
         "A2Jb\n"},   // C1 controls typed (CSI, NEL, OSC): nothing
        {"\x04", ""}, // Ctrl-D, empty line
        {"a\x04"
         "b\r",
         "ab\n"},                                         // elsewhere ignored
        {"\x7f" + izquierda + suprimir + "\x17\r", "\n"}, // nothing to edit
        {"Ana", "<fin>"},
    };
    for (const auto &caso : casos) {
        EXPECT_EQ(editar(caso.teclas), caso.linea) << caso.teclas;
    }
    // What does not fit is not taken.
    EXPECT_EQ(editar("abc\xc3\xb1xyz\r", 6), "abcx\n");
    EXPECT_EQ(editar(std::string(300, 'x') + "\r", 300),
              std::string(capacidadEdicionMaxima, 'x') + "\n");
}

TEST(Editor, ElEcoEscribeLoTecleadoYRedibujaLasEdiciones) {
    const std::string guarda = "\x1b"
                               "7";
    const std::string vuelve = "\x1b"
                               "8";
    const std::string borra = "\x1b[J";
    editar("ab" + izquierda + "X\r");
    EXPECT_EQ(eco(), guarda + "a" + "b" +                         // typed at the end
                         vuelve + borra + "ab" + vuelve + "a" +   // Left
                         vuelve + borra + "aXb" + vuelve + "aX" + // typed inside
                         vuelve + borra + "aXb" + "\r\n");        // Enter from inside
    editar("\x04");
    EXPECT_EQ(eco(), guarda + "\r\n");
    // A C1 control typed is never echoed, where a terminal would obey it.
    editar("a\xc2\x9b"
           "2J\r");
    EXPECT_EQ(eco(), guarda + "a2J\r\n");
}

// The line before each key as a copy kept in step sees it, "|" at the cursor.
std::vector<std::string> seguidas;

void seguir(const char *texto, std::size_t largo, std::size_t cursor) {
    seguidas.push_back(std::string(texto, cursor) + "|" +
                       std::string(texto + cursor, largo - cursor));
}

TEST(Editor, QuienSigueLaLineaLaVeAntesDeCadaTecla) {
    // Room for 4 bytes: the y does not fit, and the copy never shows it.
    const std::string ene = "\xc3\xb1";
    EXPECT_EQ(editar("A" + ene + izquierda + "xy\x1b" + pausa + "\r", 6, seguir), "\n");
    const std::vector<std::string> esperadas = {
        "|", "A|", "A" + ene + "|", "A|" + ene, "Ax|" + ene, "Ax|" + ene, "|",
    };
    EXPECT_EQ(seguidas, esperadas);
}

} // namespace
