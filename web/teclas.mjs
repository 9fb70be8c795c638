// The keys typed and not yet read by the game: their bytes in order, and the
// game's one wait for the next of them.

const utf8 = new TextEncoder();
// What a wait answers when it ran out with nothing typed.
export const sinByte = -2;

let bytes = [];
let despertar = null;

// Text typed (as a terminal sends it: UTF-8, escape sequences), after what
// is already waiting.
export function entregar(texto) {
  bytes.push(...utf8.encode(texto));
  despertar?.();
}

// The next byte typed, or undefined when there is none yet.
export function tomar() {
  return bytes.shift();
}

export function pendientes() {
  return bytes.length;
}

// Resolves with the next byte typed, or sinByte when esperaMs milliseconds
// pass first (a negative wait has no limit).
export function esperar(esperaMs) {
  return new Promise((resolver) => {
    let plazo;
    const alLlegar = () => {
      despertar = null;
      clearTimeout(plazo);
      resolver(bytes.shift());
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
}
