#pragma once

// Records what is written to standard output, through its file descriptor,
// so that stdio and anything else writing there are caught in order.

#include <string>

namespace captura {

// From here on, standard output goes to a scratch file.
void empezar();

// Puts standard output back and answers what was written meanwhile.
std::string terminar();

} // namespace captura
