#pragma once

#include <cstddef>

// The few services the game needs from the console it runs in. Each
// platform supplies them in a file of its own; the game only calls these.
//
// On every platform, standard output is flushed before any wait for the
// player, and the end of input (a pipe or file that ran out, a terminal that
// went away) ends the program with exit status 0 after restoring the
// terminal.

// Writes one of the program's own texts, in UTF-8, to standard output as the
// console shows it, without changing any of its settings. Answers false,
// with a message on standard error, when it could not be written.
bool mostrarTexto(const char *texto);

// Prepares the console for the game: keys without echo and without Enter,
// and the terminal restored on every way out. Called once, at start.
void iniciarConsola();

// One key code, read without echo and without Enter. Keys that send more
// than one code (cursor and function keys) are handed over code by code: a
// prefix (0xE0, or 0 for F1-F10) and then the key's own code.
int leerTecla();

// Reads one typed and echoed line. Stores at most tam - 1 bytes in destino,
// with the '\n' when it fits, and ends them with NUL. What did not fit stays
// buffered until descartarEntrada throws it away. tam must be at least 1.
void leerLinea(char *destino, std::size_t tam);

// Throws away what standard input holds buffered from an earlier line.
// Keys not yet read are kept.
void descartarEntrada();

// Empties the screen and puts the cursor in the top-left corner.
void limpiarPantalla();

// Blanks the screen and leaves the cursor where it was.
void borrarPantalla();

// Prints a press-any-key line, waits for one whole key press and ends the
// line.
void pausa();

// Copies texto into destino as it is to be shown: on a terminal, control
// bytes appear in caret notation (ESC as ^[), so that no text, such as a name
// read from a file, can command the terminal; elsewhere unchanged. Stores at
// most tam - 1 bytes and a NUL.
void textoParaMostrar(const char *texto, char *destino, std::size_t tam);
