#pragma once

// A file of the project's sources, read whole by its path in the repository,
// for the tests that hold a copy in a document or a page module to the game.
// TRES_EN_RAYAS_FUENTES is the sources' folder, given by the build.

#include <fstream>
#include <sstream>
#include <string>

inline std::string fuente(const std::string &ruta) {
    std::ifstream archivo(std::string(TRES_EN_RAYAS_FUENTES) + "/" + ruta);
    std::stringstream texto;
    texto << archivo.rdbuf();
    return texto.str();
}
