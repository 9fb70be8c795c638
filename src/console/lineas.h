#pragma once

#include <cstddef>

// Line input shared by every platform: the platform reads bytes, this keeps
// what is left of a line that did not fit until it is thrown away.

// Answered by a byte reader when the input has ended.
constexpr int finDeEntrada = -1;

// Reads one byte, waiting as long as it takes: 0..255, or finDeEntrada.
using LectorBytes = int (*)();

// Reads one whole line. Stores at most tam - 1 bytes in destino, the '\n'
// included when it fits, and ends them with NUL; the rest of the line is
// kept. What was kept and not yet thrown away is served first. Answers
// false, with destino empty, when the input ended before any byte.
bool leerLineaCon(LectorBytes leer, char *destino, std::size_t tam);

// Throws away what is kept of the last line.
void descartarRestoLinea();
