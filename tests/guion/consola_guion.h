#pragma once

// A console for the tests: keys and lines come from a script, and what the
// game prints is recorded, with a mark where each screen service ran.

#include <string>

namespace guion {

// Marks left in the transcript by the screen services.
inline const std::string cls = "<cls>";
inline const std::string blanqueo = "<clear>";
inline const std::string pausa = "<pausa>";

// Thrown by a read when the script has run out: the game ends there.
struct FinDeGuion {};

// Starts a run: the script's bytes are key codes and the characters of
// lines, taken in order from one stream, as from a pipe. A key code 0 or
// 0xE0 is the prefix of a two-code key, and the byte after it is that key's
// second code. Standard output is recorded from here on.
void empezar(const std::string &entrada);

// Ends the recording and hands over what was printed.
std::string terminar();

// What is left of the script.
std::string sinLeer();

// Runs one piece of the game over the script and answers its transcript.
// The game's end of input ends the piece too.
template <typename Funcion> std::string jugar(const std::string &entrada, Funcion &&funcion) {
    empezar(entrada);
    try {
        funcion();
    } catch (const FinDeGuion &) {
        // The script ran out: the game ends as it does on closed input.
    }
    return terminar();
}

} // namespace guion
