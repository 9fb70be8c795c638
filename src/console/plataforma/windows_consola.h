#pragma once

// The Windows console's input modes, its control events and the command
// interpreter's commands ("cls", "pause"), as posix_terminal keeps a
// terminal's modes and signals.

// When input is the console: notes its mode, to give it back on every way
// out, installs the control handler and puts the game's mode on. Answers
// whether input is the console.
bool prepararConsola();

// The game's mode between reads: no echo and no line editing, so that keys
// typed while the game prints are kept and never shown.
void modoDelJuego();
// A name's mode: the console echoes and edits the line itself.
void modoDeLinea();
// A key's wait, as the runtime library's key reader has it: Ctrl-C is a key.
void modoDeTecla();
// The player's mode, as it was at start.
void restaurarModo();

// Ends the game with status 0 when input was the console and it is gone.
void siSeFueLaConsola();

// Runs a command of the interpreter on the console, after what is buffered,
// and puts the game's mode back after it.
void ordenDelInterprete(const char *orden);
