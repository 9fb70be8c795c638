#pragma once

// The platforms' own texts, the same on each.

// The press-any-key line a pause prints where no command interpreter prints
// its own.
extern const char textoPausa[];

// The one-line messages of the two platform failures that end the game.
extern const char mensajeFalloLectura[];
extern const char mensajeFalloEscritura[];
