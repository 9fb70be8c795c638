#pragma once

// One scripted keyboard for the platform layer's tests: bytes as a
// terminal, a pipe or a file delivers them, read in order from a script,
// and the line editor fed from it.

#include <cstddef>
#include <string>
#include <vector>

#include "console/plataforma/editor.h"

namespace tecladoGuion {

// Starts a script of bytes.
void empezar(const std::string &bytes);
// The same as codes, where sinByte stands for a pause long enough for any
// wait to run out.
void empezar(const std::vector<int> &codigos);

// The next byte, as a reader with a wait: at a pause, sinByte to a wait with
// a limit and the byte after it to a wait with none; finDeEntrada once the
// script has run out. Each wait asked for is noted.
int leerConEspera(int esperaMs);
// The next byte, as a reader that waits as long as it takes.
int leer();

// How many bytes and pauses were taken off the script.
std::size_t leidos();
// The waits asked for since the script started, in order.
const std::vector<int> &esperas();

// The line the editor leaves after these keys, read as a terminal sends
// them (characters whole), or "<fin>" when the input ran out. A byte 0xFF,
// which no UTF-8 text holds, stands for a pause. The editor's answer is
// checked to be the line's length.
std::string editar(const std::string &teclas, std::size_t tam = 50, Seguimiento seguir = nullptr);
// The echo of the last editar.
const std::string &eco();

} // namespace tecladoGuion
