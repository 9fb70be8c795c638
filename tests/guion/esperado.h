#pragma once

// Pieces of the screens the game is expected to print, to build whole
// transcripts from.

#include <string>

#include "guion/consola_guion.h"

namespace esperado {

inline const std::string menu = guion::cls + "       Menu de tres en rayas:\n"
                                             "Decida su modalidad de juego:\n"
                                             " 1. Modo solitario (jugador vs IA).\n"
                                             " 2. Modo grupal (jugador vs jugador).\n"
                                             " 3. Salir.\n"
                                             "Hecho por Quarvendil";

inline const std::string pregunta = guion::cls + "El juego ha terminado desea continuar (Y/N).\n";

inline const std::string separador = "---------------";

// The board as drawn, from its nine cells in reading order ("XO3O5...").
inline std::string dibujo(const std::string &celdas) {
    std::string texto = guion::cls;
    for (int fila = 0; fila < 3; ++fila) {
        texto += separador + "\n |";
        for (int columna = 0; columna < 3; ++columna) {
            texto += ' ';
            texto += celdas.at(static_cast<std::size_t>(3 * fila + columna));
            texto += " |";
        }
        texto += '\n';
    }
    return texto + separador;
}

// What a move's wait prints: two line breaks under the board.
inline const std::string espera = "\n\n";
inline const std::string valorIncorrecto = "\n\nIntrodujo un valor incorrecto.";
inline const std::string posicionUsada =
    "\n\nIntrodujo una posicion ya usada intente de nuevo.\n" + guion::pausa;

} // namespace esperado
