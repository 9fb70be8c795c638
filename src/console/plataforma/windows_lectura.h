#pragma once

// What the Windows console itself is read for: a name, with its own line
// input, in UTF-16; and keys, as its key events.

// The next byte of a name's line, read with the console's line input as
// UTF-16 and handed over as UTF-8; finDeEntrada once the input has ended.
int leerByteDeConsola();

// One key code from the console, without echo and without Enter, as the
// runtime library's key reader (_getch) hands them over; unlike it, a
// console that is gone ends the game.
int leerTeclaDeConsola();
