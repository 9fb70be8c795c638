#pragma once

// The Windows console's key events turned into the codes its runtime
// library's key reader (_getch) hands over for a key with no character: a
// prefix, then the key's code. Plain data in, plain codes out, with nothing
// of the console itself, so that the table can be tested on any system.

// What of a key event decides its codes.
struct EventoTecla {
    int teclaVirtual;  // the virtual-key code (wVirtualKeyCode)
    int codigoEscaneo; // the scan code (wVirtualScanCode)
    bool ctrl;
    bool alt;
    bool mayusculas;
    bool extendida; // ENHANCED_KEY: a key of the cursor keys' own block
};

// The virtual-key codes of F1 (to F10, in order) and F11 (and F12), as
// windows.h names them VK_F1 and VK_F11.
constexpr int virtualF1 = 0x70;
constexpr int virtualF11 = 0x7A;

// The second code of a function key with Shift, Ctrl or Alt: F1-F10 follow
// F1's, F12 follows F11's.
constexpr int teclaMayusF1 = 84;
constexpr int teclaCtrlF1 = 94;
constexpr int teclaAltF1 = 104;
constexpr int teclaMayusF11 = 135;
constexpr int teclaCtrlF11 = 137;
constexpr int teclaAltF11 = 139;

// The two codes of a key that has no character; false for a key that gives
// none, such as Shift alone.
bool codigosExtendidos(const EventoTecla &tecla, int &prefijo, int &codigo);
