#pragma once

#include <cstddef>

#include "console/plataforma/teclas.h"

// The line input of a console, for a terminal read key by key: the line is
// echoed and edited as it is typed. Backspace erases one character, Escape
// and Ctrl-U clear the line, Ctrl-W erases a word, Left, Right, Home, End
// and Delete move and edit within it, and Enter ends it wherever the cursor
// is. Ctrl-D on an empty line ends it empty; other control, cursor and
// function keys never enter the line. The code pantallaPorRedibujar draws
// the line again where the cursor stands, as the line's new start.
//
// The echo keeps the place where the line starts (the terminal's saved
// cursor) and draws the line again from there after every change that is not
// typing at its end, so that a line that wraps is edited as well as a short
// one.

// The longest line it edits, in bytes.
constexpr std::size_t capacidadEdicionMaxima = 256;

// Answers the next key press.
using LectorPulsaciones = Pulsacion (*)();
// Sends bytes to the terminal.
using Eco = void (*)(const char *bytes, std::size_t cuantos);
// Told the line as it stands and the cursor's place in it, both in bytes,
// before every key is read: for a platform that keeps a copy of the line in
// step with it (the browser's text field that a phone's keyboard edits).
using Seguimiento = void (*)(const char *texto, std::size_t largo, std::size_t cursor);

// Reads one line into texto, which holds tam bytes: at most tam - 1 bytes of
// text, then "\n" when Enter ended it, then NUL. Characters that do not fit
// are not taken. Answers how many bytes it stored (0 for Ctrl-D on an empty
// line), or -1 when the input ended first. seguir, when given, follows the
// line as it is edited.
int editarLinea(LectorPulsaciones leer, Eco eco, char *texto, std::size_t tam,
                Seguimiento seguir = nullptr);

// A name typed at a terminal: the line as editarLinea leaves it, handed to
// the shared line reader (leerLineaCon) so that it is cut to tam bytes, and
// what did not fit kept, exactly as for a piped line. anotar, when given, is
// told the line as it now stands on the screen, without its "\n"; seguir is
// as for editarLinea. Ctrl-D on an empty line gives an empty name. Answers
// false when the input ended first.
bool leerLineaEditada(LectorPulsaciones leer, Eco eco, Eco anotar, char *destino, std::size_t tam,
                      Seguimiento seguir = nullptr);
