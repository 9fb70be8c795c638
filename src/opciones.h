#pragma once

// The command line: --help and --version (and /? on Windows) answer and end
// the program before the console is touched; any other argument is ignored.
// Answers the exit status when the program is to end there, or -1 when the
// game is to start.
int atenderOpciones(int argc, const char *const argv[]);
