#pragma once

#include "console/plataforma/lector.h"

// Turns the bytes a terminal sends into key codes as the Windows console
// hands them over: one code for an ordinary key, and two for a cursor or
// function key, which a terminal sends as an escape sequence (ESC followed
// at once by '[' or 'O' and the rest of the sequence): a prefix, then the
// key's code, as named below. A lone Escape is teclaEscape; ESC followed at
// once by another key is that key with Alt, one key press that the game
// does not know (two codes, neither of them a digit).
//
// A terminal sends a key such as 'ñ' or '€' as the several bytes of its
// UTF-8 character. When asked to, they are read whole and handed over as
// one code, as a Windows console with a Latin code page does: the
// character's Latin-1 code, or '?' for a character outside Latin-1. A byte
// that can neither start nor go on with a character is a key by itself.

// The key codes, as the Windows console's key reader hands them over. A
// cursor or function key comes as a prefix and then its own code.
constexpr int prefijoExtendido = 0xE0; // before the cursor keys, F11 and F12
constexpr int prefijoFuncion = 0;      // before F1-F10, and Shift+Tab
constexpr int teclaEscape = 27;
constexpr int teclaRetroceso = 0x7F; // Backspace, as a terminal sends it
constexpr int teclaCtrlD = 0x04;
constexpr int teclaCtrlH = 0x08; // Backspace, as some terminals send it
constexpr int teclaCtrlU = 0x15;
constexpr int teclaCtrlW = 0x17;
// The second code of a cursor key; each is its key's scan code too.
constexpr int teclaInicio = 71;
constexpr int teclaArriba = 72;
constexpr int teclaRePag = 73;
constexpr int teclaIzquierda = 75;
constexpr int teclaDerecha = 77;
constexpr int teclaFin = 79;
constexpr int teclaAbajo = 80;
constexpr int teclaAvPag = 81;
constexpr int teclaInsertar = 82;
constexpr int teclaSuprimir = 83;
// The second code of a function key: F1-F10 follow F1's, F12 follows F11's.
constexpr int teclaF1 = 59;
constexpr int teclaF11 = 133;
constexpr int teclaMayusTab = 15;

// How long to wait after an ESC for the rest of an escape sequence.
constexpr int esperaTrasEscape = 50;
// How long to wait for each further byte of a sequence already begun.
constexpr int esperaEnSecuencia = 100;

// The second code of a key not yet handed over, and a byte read too far;
// -1 when there is none.
struct ColaTeclas {
    int pendiente;
    int devuelto;
};

constexpr ColaTeclas colaVacia = {-1, -1};

// One whole key press.
struct Pulsacion {
    int codigo;  // its first code, or finDeEntrada
    int segundo; // the second code of a cursor or function key, or -1
    // The bytes of a character that can be part of a text (printable ASCII,
    // or a whole UTF-8 character when characters are read whole); none for
    // any other key.
    char texto[4];
    int largo;
};

// The next key press. utf8 says whether UTF-8 characters are read whole.
Pulsacion siguientePulsacion(ColaTeclas &cola, LectorConEspera leer, bool utf8);

// The next key code, or finDeEntrada when the input has ended: the first
// code of a key press, and its second at the next call.
int siguienteTecla(ColaTeclas &cola, LectorConEspera leer, bool utf8);
