#pragma once

#include "console/plataforma/teclas.h"

// The keys of a terminal that the game draws on (a POSIX terminal, or the
// page's xterm.js), read through the shared decoder. A wait for a key that
// is answered with pantallaPorRedibujar draws the screen again and goes on
// waiting: the game, and the pause, never see it; the line editor does, to
// draw its line again.

struct Teclado {
    LectorConEspera leer; // the terminal's bytes
    bool utf8;            // whether a UTF-8 character is one key press
    void (*redibujar)();  // draws the screen again, as it was
    // Called when the input ended; it does not return. None where the input
    // never ends.
    void (*alAcabar)();
};

// The three share one queue of codes: the second code of a key whose first
// the game read, and a byte read too far.

// The next key code, for leerTecla.
int teclaDe(const Teclado &teclado);

// The next whole key press, for the line editor: pantallaPorRedibujar once
// the screen was drawn again.
Pulsacion pulsacionDe(const Teclado &teclado);

// Waits for one whole key press of its own, all of its codes, for the pause.
// A code still queued from an earlier key is left to the game, as the
// Windows console does.
void esperarPulsacionDe(const Teclado &teclado);
