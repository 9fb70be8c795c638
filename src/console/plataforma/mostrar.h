#pragma once

#include <cstddef>

// A text made safe to show: no byte of a name can command the terminal it
// is shown on.

// Copies texto into destino, with its controls shown as cat -v shows them
// when enTerminal: C0 in caret notation (ESC as ^[), DEL as ^?, and C1
// (U+0080 to U+009F, in UTF-8, or as a byte 0x80 to 0x9F that starts no
// UTF-8 character) as M- and the caret notation of its low seven bits (CSI,
// U+009B, as M-^[). Stores at most tam - 1 bytes, never half a notation or
// a character, and ends them with NUL.
void copiaParaMostrar(const char *texto, char *destino, std::size_t tam, bool enTerminal);
