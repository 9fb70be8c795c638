#pragma once

// The console the game's screens are drawn for, and the sequences a
// terminal's screen is cleared and blanked with.

constexpr int columnasConsola = 80;
constexpr int filasConsola = 24;

// Clears a terminal's screen and puts the cursor in the top-left corner.
inline constexpr char secuenciaLimpiar[] = "\x1b[H\x1b[2J";
// Blanks a terminal's screen and leaves the cursor where it is.
inline constexpr char secuenciaBorrar[] = "\x1b[2J";
