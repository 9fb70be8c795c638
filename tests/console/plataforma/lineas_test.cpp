#include <gtest/gtest.h>

#include <string>

#include "console/plataforma/lineas.h"
#include "console/plataforma/mostrar.h"
#include "console/plataforma/utf8.h"
#include "guion/teclado_guion.h"

namespace {

void empezar(const std::string &texto) {
    tecladoGuion::empezar(texto);
    descartarRestoLinea();
}

std::string leer(std::size_t tam = 50) {
    std::string destino(tam, '#');
    const bool hay = leerLineaCon(tecladoGuion::leer, destino.data(), tam);
    return hay ? std::string(destino.c_str()) : "<fin>";
}

TEST(Lineas, SeEntregaConSuSaltoCuandoCabe) {
    empezar("Ana\nLuis\n");
    EXPECT_EQ(leer(), "Ana\n");
    EXPECT_EQ(leer(), "Luis\n");
    EXPECT_EQ(leer(), "<fin>");
}

TEST(Lineas, CuarentaYNueveBytesComoMucho) {
    const std::string nombre48(48, 'a');
    const std::string nombre49(49, 'b');
    empezar(nombre48 + "\n" + nombre49 + "\n" + nombre49 + "cccc\nZ\n");
    EXPECT_EQ(leer(), nombre48 + "\n");
    EXPECT_EQ(leer(), nombre49);
    EXPECT_EQ(tecladoGuion::leidos(), 49U + 50U) << "the whole line is taken off the input";
    descartarRestoLinea();
    EXPECT_EQ(leer(), nombre49);
    descartarRestoLinea();
    EXPECT_EQ(leer(), "Z\n");
}

TEST(Lineas, LoQueNoSeDescartaSeSirvePrimero) {
    empezar("abcdefgh\nij\n");
    EXPECT_EQ(leer(4), "abc");
    EXPECT_EQ(leer(4), "def");
    EXPECT_EQ(leer(4), "gh\n");
    EXPECT_EQ(leer(4), "ij\n");
}

TEST(Lineas, UnRestoMuyLargoSeQuitaEntero) {
    empezar(std::string(5000, 'x') + "\nsiguiente\n");
    EXPECT_EQ(leer(), std::string(49, 'x'));
    descartarRestoLinea();
    EXPECT_EQ(leer(), "siguiente\n");
}

TEST(Lineas, ElRetornoDeUnaLineaDeArchivoSeQuita) {
    const std::string n48(48, 'a');
    empezar("Ana\r\n" + n48 + "\r\nLu\ris\r\n\r\n");
    EXPECT_EQ(leer(), "Ana\n");
    EXPECT_EQ(leer(), n48 + "\n") << "a \"\\r\\n\" split by the cut";
    descartarRestoLinea();
    EXPECT_EQ(leer(), "Lu\ris\n") << "only right before the line break";
    EXPECT_EQ(leer(), "\n");
}

TEST(Lineas, UnNombreNuncaAcabaEnMedioCaracter) {
    const struct {
        std::string antes, despues;
    } casos[] = {
        {"Mu\xc3\xb1oz", "Mu\xc3\xb1oz"},
        {"Mu\xc3", "Mu"},
        {"Mu\xc3\n", "Mu\n"},
        {"x\xe2\x82", "x"},
        {"x\xe2\x82\xac", "x\xe2\x82\xac"},
        {"x\xf0\x9f\x98", "x"},
        {"\xb1\xb1", "\xb1\xb1"},
        {"", ""},
    };
    for (const auto &caso : casos) {
        std::string texto = caso.antes;
        quitaCaracterCortado(texto.data());
        EXPECT_EQ(std::string(texto.c_str()), caso.despues) << caso.antes;
    }
}

TEST(Lineas, EnUnaTerminalLosControlesSeMuestranComoTexto) {
    struct Caso {
        const char *texto;
        bool enTerminal;
        const char *mostrado;
    };
    const Caso casos[] = {
        // C0 and DEL, in caret notation; printable text and UTF-8 as they are.
        {"a\x1b[7m\x07\x7f%\xc3\xb1", true, "a^[[7m^G^?%\xc3\xb1"},
        {"\x1b\x1b\x1b\x1b\x1b\x1b\x1b", true, "^[^[^[^[^[^["}, // never half a pair
        // C1 in UTF-8: CSI, OSC, DCS, NEL, the first and the last.
        {"Ana\xc2\x9b"
         "2J",
         true, "AnaM-^[2J"},
        {"\xc2\x9d"
         "8;;x\xc2\x9c",
         true, "M-^]8;;xM-^\\"},
        {"\xc2\x90q\xc2\x85\xc2\x80", true, "M-^PqM-^EM-^@"},
        {"\xc2\x9f!", true, "M-^_!"},
        // C1 as raw bytes that start no character, and a raw byte that is none.
        {"\x9b"
         "6n\x80\xa0",
         true, "M-^[6nM-^@\xa0"},
        {"\x9f", true, "M-^_"},
        // What looks like C1 inside a character is not: U+00A0, U+0100, U+0800.
        {"\xc2\xa0\xc4\x80\xe0\xa0\x80", true, "\xc2\xa0\xc4\x80\xe0\xa0\x80"},
        // U+00DB is a character; cut short, its lead byte is no control, and
        // its other byte a C1 one.
        {"\xc3\x9b", true, "\xc3\x9b"},
        {"\xe2\x9b", true, "\xe2M-^["},
        // Never half a notation, nor half a character.
        {"abcdefghij\xc2\x9b", true, "abcdefghij"},
        {"abcdefghijkl\xc3\xb1", true, "abcdefghijkl"},
        // Not shown on a terminal: as it is.
        {"a\x1b[7m\xc2\x9b\x9b", false, "a\x1b[7m\xc2\x9b\x9b"},
    };
    for (const auto &caso : casos) {
        char destino[14];
        copiaParaMostrar(caso.texto, destino, sizeof destino, caso.enTerminal);
        EXPECT_STREQ(destino, caso.mostrado) << caso.texto;
    }
}

TEST(Lineas, FinDeEntrada) {
    empezar("");
    EXPECT_EQ(leer(), "<fin>");
    empezar("sin salto");
    EXPECT_EQ(leer(), "sin salto");
    EXPECT_EQ(leer(), "<fin>");
    empezar("\n");
    EXPECT_EQ(leer(), "\n");
    // A long line cut by the end of input.
    empezar(std::string(60, 'y'));
    EXPECT_EQ(leer(), std::string(49, 'y'));
    descartarRestoLinea();
    EXPECT_EQ(leer(), "<fin>");
}

} // namespace
