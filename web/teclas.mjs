// The keys typed and not yet read by the game: their bytes in order, the
// game's one wait for the next of them, and the terminal's request to have
// its screen drawn again, which the game gets in its next wait for a new key.

const utf8 = new TextEncoder();
// What a wait answers when it ran out with nothing typed, and what a wait
// with no limit answers when the screen is to be drawn again: the game's
// sinByte and pantallaPorRedibujar (src/console/plataforma/teclas.h), which
// tests/web/copias_test.cpp checks these against.
const sinByte = -2;
const pantallaPorRedibujar = -3;

let bytes = [];
let despertar = null;
let redibujar = false;

// Text typed (as a terminal sends it: UTF-8, escape sequences), after what
// is already waiting.
export function entregar(texto) {
  bytes.push(...utf8.encode(texto));
  despertar?.();
}

// The terminal's grid changed: the game draws its screen again.
export function pedirRedibujo() {
  redibujar = true;
  despertar?.();
}

// For a wait of esperaMs milliseconds (no limit when negative): the next
// byte typed, pantallaPorRedibujar, or undefined when there is none yet.
export function tomar(esperaMs) {
  if (redibujar && esperaMs < 0) {
    redibujar = false;
    return pantallaPorRedibujar;
  }
  return bytes.shift();
}

export function pendientes() {
  return bytes.length;
}

// Whether the game is waiting for a key now.
export function esperando() {
  return despertar !== null;
}

// Resolves with what tomar gives once it gives something, or sinByte when
// esperaMs milliseconds pass first (a negative wait has no limit).
export function esperar(esperaMs) {
  return new Promise((resolver) => {
    let plazo;
    const alLlegar = () => {
      const byte = tomar(esperaMs);
      if (byte !== undefined) {
        despertar = null;
        clearTimeout(plazo);
        resolver(byte);
      }
    };
    despertar = alLlegar;
    if (esperaMs >= 0) {
      plazo = setTimeout(() => {
        if (despertar === alLlegar) {
          despertar = null;
          resolver(sinByte);
        }
      }, esperaMs);
    }
  });
}

// Every key dropped, and the wait under way left unanswered for good: the
// game that waited is not resumed.
export function vaciar() {
  bytes = [];
  despertar = null;
  redibujar = false;
}
