#pragma once

#include <windows.h>

#include <cstddef>

// Standard output on Windows: fully buffered and handed over right before
// each wait for the player, each command of the interpreter and the end, so
// that a whole screen goes out in one write. On a console it goes out as
// UTF-16 (WriteConsoleW), converted from the UTF-8 the game writes, so that
// names show as typed whatever the console's code page; to a pipe or a file
// it goes as bytes. A write that fails ends the game.

// Buffers standard output, and on a console has it converted. Called once,
// at start.
void prepararSalida();

bool salidaEsConsola();

// Hands what is buffered to the console, the pipe or the file.
void volcarSalida();

// Runs a command of the interpreter ("cls", "pause") on the console, after
// what is buffered.
void ejecutarOrden(const char *orden);

// Writes UTF-8 text to a console as UTF-16, which it shows whatever its code
// page, in one call. largo is at most 64 KiB.
bool escribirEnConsola(HANDLE consola, const char *texto, std::size_t largo);

// The console is gone: nothing is left to show or to restore; ends the game
// with status 0.
[[noreturn]] void consolaPerdida();

// Ends the game at once with status 1, its message on standard error,
// once what antesDeFallar was given has run.
[[noreturn]] void fallo(const char *mensaje);

// What fallo runs first: the console's input mode given back to the
// player, as every other way out gives it back.
void antesDeFallar(void (*restaurar)());
