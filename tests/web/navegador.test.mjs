// The page played in real browsers, as a person plays it: keys typed into
// the terminal, and the screen and the cursor read from the xterm.js
// terminal's buffer. Wherever the game does not depend on chance, the same
// keys are typed into the native build running in tmux, and after every
// step both must show the same screen with the cursor in the same place.
//
// This file runs every topic of navegador/ in one process, so that each
// engine starts once for them all; each topic also runs alone with
// node --test FILE. The harness they share: motores.mjs (the engines, the
// site served), pagina.mjs (the page's driver), nativo.mjs (the native
// build's, in tmux), alapar.mjs (the two side by side), pasos.mjs (the
// steps' language), oido.mjs (what a blind player hears), orca.mjs (Orca on
// a desktop of the tests' own), vigia.mjs (the watcher that ends what a run
// starts).

import './navegador/primera.mjs';
import './navegador/partida.mjs';
import './navegador/nombres.mjs';
import './navegador/movil.mjs';
import './navegador/sinred.mjs';
import './navegador/auditorias.mjs';
import './navegador/ciego.mjs';
