// How the browser tests wait: polling a condition, with one limit for every
// wait.

import assert from 'node:assert/strict';

export const plazo = 15000;

export const esperar = (ms) => new Promise((listo) => setTimeout(listo, ms));

// Polls until leer() gives something cumple() accepts; fails with the last
// reading, described by mostrar().
export async function esperarA(leer, cumple, que, mostrar = (x) => JSON.stringify(x, null, 1)) {
  const limite = Date.now() + plazo;
  let ultimo;
  while (Date.now() < limite) {
    ultimo = await leer();
    if (cumple(ultimo)) {
      return ultimo;
    }
    await esperar(20);
  }
  assert.fail(`waited in vain for ${que}; last seen:\n${mostrar(ultimo)}`);
}
