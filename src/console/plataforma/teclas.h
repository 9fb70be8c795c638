#pragma once

// Turns the bytes a terminal sends into key codes as the Windows console
// hands them over: one code for an ordinary key, and two for a cursor or
// function key, which a terminal sends as an escape sequence (ESC followed
// at once by '[' or 'O' and the rest of the sequence). The first of the two
// is a prefix, 0xE0 (or 0 for F1-F10), the second the key's code: Up 72,
// Down 80, Left 75, Right 77, and so on. A lone Escape is 27; ESC followed
// at once by another key is that key with Alt, one key press that the game
// does not know (two codes, neither of them a digit).
//
// A terminal sends a key such as 'ñ' or '€' as the several bytes of its
// UTF-8 character. When asked to, they are read whole and handed over as
// one code, as a Windows console with a Latin code page does: the
// character's Latin-1 code, or '?' for a character outside Latin-1. A byte
// that can neither start nor go on with a character is a key by itself.

// Answered by a byte reader when its wait ran out with nothing read.
constexpr int sinByte = -2;

// Answered by a byte reader, and handed on as a key code, when the screen
// has to be drawn again: the game was continued after a stop, or its window
// was resized.
constexpr int pantallaPorRedibujar = -3;

// Reads one byte: 0..255, sinByte when esperaMs milliseconds passed with
// nothing to read (a negative wait has no limit), or finDeEntrada (-1).
using LectorConEspera = int (*)(int esperaMs);

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

// How many bytes a UTF-8 character that starts with this byte has; 0 when
// no character starts with it.
int largoCaracterUtf8(int byte);

// Whether a byte goes on with a UTF-8 character begun before it.
constexpr bool esContinuacionUtf8(unsigned char byte) { return (byte & 0xC0) == 0x80; }

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
