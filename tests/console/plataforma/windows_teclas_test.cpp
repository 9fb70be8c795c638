// The Windows console's key events, as the codes its runtime library's key
// reader hands over for each: a table from its documentation, one key and
// modifier per row.

#include <gtest/gtest.h>

#include "console/plataforma/windows_teclas.h"

namespace {

TEST(TeclasWindows, CadaEventoDaLosCodigosDeLaConsola) {
    // Virtual-key and scan codes as the console reports them.
    constexpr int vkF1 = 0x70, vkF5 = 0x74, vkF10 = 0x79, vkF11 = 0x7A, vkF12 = 0x7B;
    constexpr int vkShift = 0x10, vkA = 0x41, vkHome = 0x24, vkLeft = 0x25, vkDelete = 0x2E;
    const struct {
        const char *tecla;
        EventoTecla evento;
        bool tieneCodigos;
        int prefijo;
        int codigo;
    } casos[] = {
        {"F1", {vkF1, 59, false, false, false, false}, true, 0, 59},
        {"F10", {vkF10, 68, false, false, false, false}, true, 0, 68},
        {"Shift-F1", {vkF1, 59, false, false, true, false}, true, 0, 84},
        {"Ctrl-F5", {vkF5, 63, true, false, false, false}, true, 0, 98},
        {"Alt-F10", {vkF10, 68, false, true, false, false}, true, 0, 113},
        {"Ctrl-Alt-F1, Alt first", {vkF1, 59, true, true, false, false}, true, 0, 104},
        {"F11", {vkF11, 87, false, false, false, false}, true, 0xE0, 133},
        {"F12", {vkF12, 88, false, false, false, false}, true, 0xE0, 134},
        {"Shift-F12", {vkF12, 88, false, false, true, false}, true, 0xE0, 136},
        {"Ctrl-F11", {vkF11, 87, true, false, false, false}, true, 0xE0, 137},
        {"Alt-F12", {vkF12, 88, false, true, false, false}, true, 0xE0, 140},
        {"Home", {vkHome, 71, false, false, false, true}, true, 0xE0, 71},
        {"Home on the keypad", {vkHome, 71, false, false, false, false}, true, 0, 71},
        {"Shift-Home, as Home", {vkHome, 71, false, false, true, true}, true, 0xE0, 71},
        {"Ctrl-Home", {vkHome, 71, true, false, false, true}, true, 0xE0, 119},
        {"Ctrl-Left", {vkLeft, 75, true, false, false, true}, true, 0xE0, 115},
        {"Alt-Left", {vkLeft, 75, false, true, false, true}, true, 0xE0, 155},
        {"Ctrl-Delete", {vkDelete, 83, true, false, false, true}, true, 0xE0, 147},
        {"Alt-Delete", {vkDelete, 83, false, true, false, true}, true, 0xE0, 163},
        {"Shift alone", {vkShift, 42, false, false, true, false}, false, 0, 0},
        {"A with no character", {vkA, 30, false, false, false, false}, false, 0, 0},
    };
    for (const auto &caso : casos) {
        int prefijo = -1;
        int codigo = -1;
        EXPECT_EQ(codigosExtendidos(caso.evento, prefijo, codigo), caso.tieneCodigos) << caso.tecla;
        if (caso.tieneCodigos) {
            EXPECT_EQ(prefijo, caso.prefijo) << caso.tecla;
            EXPECT_EQ(codigo, caso.codigo) << caso.tecla;
        }
    }
}

} // namespace
