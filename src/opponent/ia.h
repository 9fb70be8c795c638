#pragma once

// One rule of the computer's table: when both held cells show the phase's
// mark and the target is free, the computer plays the target.
struct Regla {
    int primera;
    int segunda;
    int objetivo;
};

// The 24 rules, in the order they are tried: every line of the board with
// each of its three cells as target.
extern const Regla reglasIA[24];

// Plays the computer's 'O': completes a line of its own if a rule allows it,
// otherwise blocks a line of 'X', otherwise takes a random free cell.
// Answers 1 when a mark was placed and 0 when the board had no free cell
// (then nothing is written and no random number is drawn).
int inteligenciaArtificial(char tablero[3][3]);
