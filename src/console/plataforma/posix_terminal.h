#pragma once

#include <signal.h>

// The terminal on standard input, on POSIX systems: kept in a mode of the
// game's own while it runs (no canonical mode, no echo, no flow control
// (Ctrl-S, Ctrl-Q) and no extended input keys (Ctrl-V, Ctrl-O), so that every
// key press comes at once, as a key, and is never shown), and given its
// settings back on every way out: the end, a signal that ends the game, and
// Ctrl-Z, after which fg brings the game's mode back.

// Puts a terminal on standard input in the game's mode, with the handlers
// that restore it. With a terminal on either side, a continue (SIGCONT) or a
// resize (SIGWINCH) asks for the screen again; those two signals are only
// taken during the waits, which use senalesDeEspera. Answers whether
// standard input is a terminal.
bool prepararTerminal(bool salidaEsTerminal);

// Gives the terminal its settings back. Async-signal-safe.
void restaurarTerminal();

// The signal mask for the waits: it lets a continue or a resize in.
const sigset_t *senalesDeEspera();

// Whether a continue or a resize asked for the screen again since the last
// time this was asked.
bool pideRedibujar();
