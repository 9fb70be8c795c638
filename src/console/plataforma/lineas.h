#pragma once

#include <cstddef>

#include "console/plataforma/lector.h"

// Line input shared by every platform: the platform reads bytes, this keeps
// what is left of a line that did not fit until it is thrown away.

// Reads one whole line. Stores at most tam - 1 bytes in destino, the '\n'
// included when it fits, and ends them with NUL; the rest of the line is
// kept. What was kept and not yet thrown away is served first. A "\r" right
// before the "\n" is dropped, as text-mode input drops it. Answers false,
// with destino empty, when the input ended before any byte.
bool leerLineaCon(LectorBytes leer, char *destino, std::size_t tam);

// Throws away what is kept of the last line.
void descartarRestoLinea();
