#pragma once

// A byte reader, as the platforms hand one to the line input and to the key
// decoder: the codes it answers beside a byte (0..255), and its two shapes.

// The input has ended.
constexpr int finDeEntrada = -1;

// The wait ran out with nothing read.
constexpr int sinByte = -2;

// The screen has to be drawn again: the game was continued after a stop, or
// its window was resized. Handed on as a key code.
constexpr int pantallaPorRedibujar = -3;

// Reads one byte, waiting as long as it takes: 0..255, or finDeEntrada.
using LectorBytes = int (*)();

// Reads one byte: 0..255, sinByte when esperaMs milliseconds passed with
// nothing to read (a negative wait has no limit), finDeEntrada, or, to a
// wait with no limit, pantallaPorRedibujar.
using LectorConEspera = int (*)(int esperaMs);
