#pragma once

#include <cstddef>

// Line input shared by every platform: the platform reads bytes, this keeps
// what is left of a line that did not fit until it is thrown away. Also the
// few other pieces the three platforms (POSIX, Windows, the page) use.

// Answered by a byte reader when the input has ended.
constexpr int finDeEntrada = -1;

// Reads one byte, waiting as long as it takes: 0..255, or finDeEntrada.
using LectorBytes = int (*)();

// Reads one whole line. Stores at most tam - 1 bytes in destino, the '\n'
// included when it fits, and ends them with NUL; the rest of the line is
// kept. What was kept and not yet thrown away is served first. A "\r" right
// before the "\n" is dropped, as text-mode input drops it. Answers false,
// with destino empty, when the input ended before any byte.
bool leerLineaCon(LectorBytes leer, char *destino, std::size_t tam);

// Throws away what is kept of the last line.
void descartarRestoLinea();

// Drops a UTF-8 character cut short at the end of a text (before its "\n",
// if it has one), so that a name cut at its length never ends in part of a
// character.
void quitaCaracterCortado(char *texto);

// Copies texto into destino, with its controls shown as cat -v shows them
// when enTerminal, so that no text can command the terminal it is shown on:
// C0 in caret notation (ESC as ^[), DEL as ^?, and C1 (U+0080 to U+009F,
// in UTF-8, or as a byte 0x80 to 0x9F that starts no UTF-8 character) as
// M- and the caret notation of its low seven bits (CSI, U+009B, as M-^[).
// Stores at most tam - 1 bytes, never half a notation or a character, and
// ends them with NUL.
void copiaParaMostrar(const char *texto, char *destino, std::size_t tam, bool enTerminal);

// The press-any-key line a pause prints where no command interpreter prints
// its own.
extern const char textoPausa[];

// The console the game's screens are drawn for.
constexpr int columnasConsola = 80;
constexpr int filasConsola = 24;

// Clears a terminal's screen and puts the cursor in the top-left corner.
inline constexpr char secuenciaLimpiar[] = "\x1b[H\x1b[2J";
// Blanks a terminal's screen and leaves the cursor where it is.
inline constexpr char secuenciaBorrar[] = "\x1b[2J";

// The one-line messages of the two platform failures that end the game.
extern const char mensajeFalloLectura[];
extern const char mensajeFalloEscritura[];
