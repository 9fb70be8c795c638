#include <gtest/gtest.h>

#include <string>

#include "console/lineas.h"

namespace {

std::string entrada;
std::size_t leidos = 0;

int leerGuion() {
    return leidos < entrada.size() ? static_cast<unsigned char>(entrada[leidos++]) : finDeEntrada;
}

void empezar(const std::string &texto) {
    entrada = texto;
    leidos = 0;
    descartarRestoLinea();
}

std::string leer(std::size_t tam = 50) {
    std::string destino(tam, '#');
    const bool hay = leerLineaCon(leerGuion, destino.data(), tam);
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
    EXPECT_EQ(leidos, 49U + 50U) << "the whole line is taken off the input";
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
