#pragma once

#include <cstddef>

// Standard output on POSIX systems: fully buffered and handed to the device
// right before each wait for the player and at the end, so that a whole
// screen goes out in one write. A write that fails ends the game: with
// status 0 when the terminal it went to is gone, and with status 1 and a
// message otherwise.
//
// On a terminal it also keeps what the screen shows (registro), so that it
// can be shown again after a stop (Ctrl-Z and fg) or a resize, when the
// shell's lines or the terminal's reflow have spoilt it.

// Buffers standard output. Called once, at start.
void prepararSalida();

bool salidaEsTerminal();

// Hands what is buffered to the device.
void volcarSalida();

// At the end: what is left goes out, and on a terminal the last line is
// ended, so that the shell's prompt does not stand behind the game's text.
void terminarSalida();

// Notes the echo of a name, whose line was ended, as on the screen.
void anotarEcoEnPantalla(const char *bytes, std::size_t cuantos);

// Clears the screen and shows again what it showed, cursor included, in one
// write.
void redibujarPantalla();

// Sends bytes straight to fd; answers whether they all went.
bool escribirEn(int fd, const char *bytes, std::size_t cuantos);

// Ends the game at once with status 1, its message on standard error.
[[noreturn]] void fallo(const char *mensaje);
