#pragma once

#include <cstddef>

// What a terminal shows, kept by the game itself: the bytes sent to it since
// the screen was last cleared, so that it can be shown again when its
// picture was spoilt (a stop and fg, a resize, a page whose grid changed).
// Shared by the platforms that draw on a terminal (POSIX and the browser).

// Only what follows the last clearing of the screen is kept; should it ever
// outgrow its room, its oldest lines go.

// Notes what standard output's buffer holds, just before it is handed over:
// the printed bytes, those before the buffer's trailing NULs (the game never
// prints one, and the buffer is zeroed after each hand-over). Answers the
// last of them, or '\0' when there were none.
char anotarBufferSalida(const char *buffer, std::size_t tam);

// Notes a line that reached the terminal some other way, such as the echo
// of a name, and its end.
void anotarLineaEnPantalla(const char *bytes, std::size_t cuantos);

// The screen again, as it was, cursor included, in one write: the game's
// clear-screen sequence and what it showed, handed to escribir. Answers
// what escribir answered.
bool redibujarCon(bool (*escribir)(const char *bytes, std::size_t cuantos));
