#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/plataforma/lector.h"
#include "console/plataforma/teclas.h"
#include "guion/teclado_guion.h"

namespace {

using tecladoGuion::esperas;

std::vector<int> decodificar(const std::vector<int> &bytes, bool utf8 = false) {
    tecladoGuion::empezar(bytes);
    ColaTeclas cola = colaVacia;
    std::vector<int> codigos;
    for (int codigo = siguienteTecla(cola, tecladoGuion::leerConEspera, utf8);
         codigo != finDeEntrada; codigo = siguienteTecla(cola, tecladoGuion::leerConEspera, utf8)) {
        codigos.push_back(codigo);
    }
    return codigos;
}

std::vector<int> bytes(const std::string &texto) {
    std::vector<int> resultado;
    for (const char c : texto) {
        resultado.push_back(static_cast<unsigned char>(c));
    }
    return resultado;
}

using V = std::vector<int>;

TEST(Teclas, LasTeclasCorrientesSonUnCodigo) {
    EXPECT_EQ(decodificar(bytes("15aZ\n")), V({'1', '5', 'a', 'Z', '\n'}));
    EXPECT_EQ(decodificar({0xC3, 0xB1}), V({0xC3, 0xB1})); // from a pipe, byte by byte
}

TEST(Teclas, UnCaracterUtf8EsUnaSolaTecla) {
    const struct {
        std::string bytes;
        V codigos;
    } casos[] = {
        {"\xc3\xb1", {0xF1}}, // ñ, its Latin-1 code
        {"\xc2\xba"
         "5",
         {0xBA, '5'}}, // º, then a move
        {"\xe2\x82\xac"
         "5",
         {'?', '5'}},                // €, outside Latin-1
        {"\xf0\x9f\x98\x80", {'?'}}, // four bytes
        {"\xb1"
         "5",
         {0xB1, '5'}}, // a lone continuation byte
        {"\xc3"
         "5",
         {0xC3, '5'}},                        // cut short: the next byte is a key
        {"\xe0\x80", {0xE0, 0x80}},           // overlong: each byte alone
        {"\xff\xc0\xf5", {0xFF, 0xC0, 0xF5}}, // bytes that start nothing
    };
    for (const auto &caso : casos) {
        EXPECT_EQ(decodificar(bytes(caso.bytes), true), caso.codigos) << caso.bytes;
    }
    // Whatever the character, its code is never a digit.
    for (int primero = 0xC2; primero <= 0xDF; ++primero) {
        for (int segundo = 0x80; segundo <= 0xBF; ++segundo) {
            const V codigos = decodificar({primero, segundo}, true);
            ASSERT_EQ(codigos.size(), 1U);
            const auto tecla = static_cast<signed char>(codigos[0]);
            EXPECT_FALSE(tecla >= '0' && tecla <= '9') << primero << " " << segundo;
        }
    }
}

TEST(Teclas, LasFlechasSonDosCodigosComoEnLaConsolaDeWindows) {
    EXPECT_EQ(decodificar(bytes("\x1b[A\x1b[B\x1b[D\x1b[C")),
              V({0xE0, 72, 0xE0, 80, 0xE0, 75, 0xE0, 77}));
    // Application cursor mode, and modifiers.
    EXPECT_EQ(decodificar(bytes("\x1bOA\x1b[1;5D")), V({0xE0, 72, 0xE0, 75}));
}

TEST(Teclas, InicioFinPaginasInsertarSuprimir) {
    EXPECT_EQ(decodificar(bytes("\x1b[H\x1b[F\x1bOH\x1b[1~\x1b[4~")),
              V({0xE0, 71, 0xE0, 79, 0xE0, 71, 0xE0, 71, 0xE0, 79}));
    EXPECT_EQ(decodificar(bytes("\x1b[5~\x1b[6~\x1b[2~\x1b[3~")),
              V({0xE0, 73, 0xE0, 81, 0xE0, 82, 0xE0, 83}));
}

TEST(Teclas, TeclasDeFuncion) {
    EXPECT_EQ(decodificar(bytes("\x1bOP\x1bOS\x1b[15~\x1b[21~\x1b[23~\x1b[24~")),
              V({0, 59, 0, 62, 0, 63, 0, 68, 0xE0, 133, 0xE0, 134}));
    // The Linux console's F1.
    EXPECT_EQ(decodificar(bytes("\x1b[[A")), V({0, 59}));
}

TEST(Teclas, LasCifrasDeUnaSecuenciaNuncaSonJugadas) {
    // Unknown or cut-short sequences are still two codes, never a digit.
    for (const std::string secuencia : {"\x1b[99~", "\x1b[1;2", "\x1b[12;34;56x", "\x1bO"}) {
        std::vector<int> llegada = bytes(secuencia);
        llegada.push_back(sinByte);
        llegada.push_back('7');
        const V codigos = decodificar(llegada);
        ASSERT_EQ(codigos.size(), 3U) << secuencia;
        EXPECT_EQ(codigos[0], 0xE0);
        EXPECT_FALSE(codigos[1] >= '1' && codigos[1] <= '9');
        EXPECT_EQ(codigos[2], '7');
    }
}

TEST(Teclas, EscapeSoloEsVeintisiete) {
    EXPECT_EQ(decodificar({27, sinByte, '5'}), V({27, '5'}));
    EXPECT_EQ(decodificar({27}), V({27})); // input ends behind it
    // Escape, then a key once the wait ran out: two keys.
    EXPECT_EQ(decodificar({27, sinByte, 'x', '5'}), V({27, 'x', '5'}));
    // After an ESC the decoder waits a short while, and no longer.
    decodificar({27, sinByte});
    ASSERT_GE(esperas().size(), 2U);
    EXPECT_EQ(esperas()[0], -1);
    EXPECT_EQ(esperas()[1], esperaTrasEscape);
}

// What terminal emulators send, with their default settings, where they
// differ; and Alt with a key, ESC followed at once by the key's bytes: one
// key press, two codes the game does not know.
TEST(Teclas, LasSecuenciasDeCadaTerminal) {
    const V alt = {0xE0, 0};
    const struct {
        std::string bytes;
        V codigos;
    } casos[] = {
        {"\x1b[P", {0xE0, 83}},    // st: Delete
        {"\x1b[4h", {0xE0, 82}},   // st: Insert
        {"\x1b[4~", {0xE0, 79}},   // st: End
        {"\x1b[1;2P", {0, 59}},    // Shift-F1 keeps its meaning
        {"\x1b[7~", {0xE0, 71}},   // urxvt: Home
        {"\x1b[8~", {0xE0, 79}},   // urxvt: End
        {"\x1bOd", {0xE0, 75}},    // urxvt: Ctrl-Left
        {"\x1b[1;5D", {0xE0, 75}}, // the others: Ctrl-Left
        {"\x1b"
         "b",
         alt}, // Alt-b
        {"\x1b"
         "5",
         alt},                 // Alt-5 is no move
        {"\x1b\xc3\xb1", alt}, // Alt-ñ, a whole character
        {"\x1b\x1b[A", alt},   // Alt-Up
        {"\x1b\x7f", alt},     // Alt-Backspace
    };
    for (const auto &caso : casos) {
        std::vector<int> llegada = bytes(caso.bytes);
        llegada.push_back(sinByte);
        llegada.push_back('7');
        V esperados = caso.codigos;
        esperados.push_back('7');
        EXPECT_EQ(decodificar(llegada, true), esperados) << testing::PrintToString(caso.bytes);
    }
}

TEST(Teclas, UnaSecuenciaQueLlegaAPedazosSeJuntaIgual) {
    // Each byte is a read of its own; all come within their waits.
    EXPECT_EQ(decodificar({27, '[', '2', '4', '~', '8'}), V({0xE0, 134, '8'}));
    ASSERT_GE(esperas().size(), 5U);
    for (std::size_t i = 1; i <= 4; ++i) {
        EXPECT_GE(esperas()[i], 0) << "a sequence begun never blocks without limit";
    }
}

} // namespace
