// The page: the game, compiled to WebAssembly, played in an xterm.js
// terminal. This module puts the parts together: the terminal
// (terminal.mjs), the keys typed (teclas.mjs), names typed on a phone's
// keyboard (nombres.mjs), what a screen reader is told (anuncios.mjs), the
// keyboard kept for the game (foco.mjs) and the game itself (juego.mjs);
// and it has the page's controls, "Jugar otra
// vez" and the keypad, and the service worker that keeps the site for
// playing offline.

import { abrirTerminal } from './terminal.mjs';
import * as teclas from './teclas.mjs';
import { capaDeNombres } from './nombres.mjs';
import { crearAnuncios } from './anuncios.mjs';
import { guardarTeclado } from './foco.mjs';
import { compilar, jugar } from './juego.mjs';

const botonOtraVez = document.getElementById('jugar-otra-vez');
const tactil = document.getElementById('tactil');
const esTactil = window.matchMedia('(pointer: coarse)').matches;

const { terminal, escribir, limpiezas } = abrirTerminal(
  document.getElementById('terminal'),
  document.getElementById('pantalla'),
  teclas.pedirRedibujo,
);
// Whether a game is running: until it ends, keys typed anywhere on the page
// but on a control are the game's.
let jugando = false;
// The keyboard's guard before the names' layer: the window's listeners run
// in the order they were added, and the names' layer stops a name's letter
// from going further. The guard sees the letter first, and gives the page's
// selection back to the field before the browser types it, where the
// selection was put elsewhere and the page has not yet been told.
const teclado = guardarTeclado(
  terminal,
  teclas.entregar,
  () => jugando,
  () => nombres.devolverCaret(),
);
const nombres = capaDeNombres(terminal, teclas.entregar, teclas.pendientes);
terminal.onData(teclas.entregar);
const anuncios = crearAnuncios(document.getElementById('anuncios'), terminal, limpiezas);

// The page asked for it early: it compiles while it downloads.
const modulo = compilar(new URL('tres-en-rayas.wasm', import.meta.url));

// The site is kept by a service worker, for playing offline; a new release
// replaces it at the next visits. It is registered once the game first waits
// for a key, so that its downloads never delay the game's.
let sitioGuardado = false;
function guardarSitio() {
  if (!sitioGuardado && 'serviceWorker' in navigator) {
    sitioGuardado = true;
    navigator.serviceWorker.register('servicio.js').catch((error) => console.warn(error));
  }
}

// The game asks for a name, or has it: the name layer and the announcer
// follow, and the keyboard's focus goes to the terminal, so that a phone
// shows its keyboard where the browser allows it, and on a touch screen
// leaves it after the name, so that the keyboard no longer hides the keypad.
function pideLinea(si) {
  nombres.leyendo(si);
  anuncios.leyendo(si);
  if (si) {
    terminal.focus();
  } else if (esTactil) {
    teclado.soltar();
  }
}

// The game waits for a key: the site is kept, and what the screen newly
// shows is told.
function alEsperar() {
  guardarSitio();
  anuncios.anunciar();
}

let partida = null;

// A new game; the one before, if any, is left waiting for good.
function nueva() {
  partida?.abandonar();
  teclas.vaciar();
  nombres.leyendo(false);
  terminal.reset();
  anuncios.reiniciar();
  window.partida.estado = null;
  jugando = true;
  botonOtraVez.hidden = true;
  // On a touch screen the keypad plays, and the phone's keyboard stays
  // away until a name is asked for or the terminal is tapped.
  if (esTactil) {
    botonOtraVez.blur();
  } else {
    terminal.focus();
  }
  const esta = jugar(modulo, {
    teclas,
    escribir,
    pideLinea,
    lineaEditada: nombres.lineaDelJuego,
    alEsperar,
  });
  partida = esta;
  // The game ended: its status, and the button for another, which takes the
  // keyboard's focus so that Enter starts it.
  esta.fin.then((estado) => {
    if (partida === esta) {
      jugando = false;
    }
    window.partida.estado = estado;
    botonOtraVez.hidden = false;
    botonOtraVez.focus();
  });
}

// For the tests, the benchmark and a page that embeds the game, and for
// nothing else on the page: the
// terminal, the game's exit status once it ends, a new game, and reposo():
// how many of the game's waits for a key have been dealt with, and whether
// the game now rests, done with every key typed and its screen told (or
// has ended).
window.partida = {
  terminal,
  estado: null,
  nueva,
  reposo: () => ({
    atendidas: anuncios.atendidas(),
    quieta: window.partida.estado !== null || (teclas.esperando() && teclas.pendientes() === 0 && anuncios.alDia()),
  }),
};

botonOtraVez.addEventListener('click', nueva);

// The keypad types without taking the focus.
tactil.addEventListener('pointerdown', (evento) => evento.preventDefault());
tactil.addEventListener('click', (evento) => {
  const boton = evento.target.closest('button');
  if (boton) {
    teclas.entregar(boton.dataset.tecla);
  }
});

nueva();
// What was typed on the page's copy of the menu, before the game loaded.
teclas.entregar(window.tecleoTemprano?.() ?? '');
