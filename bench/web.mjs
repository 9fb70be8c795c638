// Key to screen in the page, in headless Chromium: from a key's keydown
// event to the terminal's next render that shows what the game answered.
// Keys alternate between a wrong key at the menu (its message and the pause)
// and the key that ends the pause (the menu again), so every key changes the
// screen. Prints the median and the slowest, in milliseconds.
//
//   node bench/web.mjs SITE_FOLDER NPM_FOLDER [KEYS]

import { createRequire } from 'node:module';
import path from 'node:path';
import { lanzamientos, servir } from '../tests/web/sitio.mjs';

const [sitio, carpetaNpm, cuantas = '200'] = process.argv.slice(2);
const puppeteer = createRequire(path.join(path.resolve(carpetaNpm), 'package.json'))('puppeteer-core');
const servidor = await servir(sitio);
const navegador = await puppeteer.launch({ ...lanzamientos.chromium, headless: true });
try {
  const pagina = await navegador.newPage();
  await pagina.goto(`http://127.0.0.1:${servidor.address().port}/`);
  await pagina.waitForFunction(() => window.partida?.terminal.buffer.active.getLine(5).translateToString(true) === 'Hecho por Quarvendil');
  await pagina.evaluate(() => {
    window.medidas = [];
    let desde = null;
    let escrito = false;
    document.addEventListener('keydown', () => {
      desde = performance.now();
      escrito = false;
    }, true);
    // Only a render of what the game wrote counts, not the cursor's blink.
    window.partida.terminal.onWriteParsed(() => {
      escrito = true;
    });
    window.partida.terminal.onRender(() => {
      if (desde !== null && escrito) {
        window.medidas.push(performance.now() - desde);
        desde = null;
      }
    });
  });
  const total = Number(cuantas);
  for (let i = 0; i < total; i++) {
    await pagina.keyboard.press(i % 2 === 0 ? 'x' : 'z');
    await pagina.waitForFunction((n) => window.medidas.length > n, {}, i);
  }
  const medidas = (await pagina.evaluate(() => window.medidas)).sort((a, b) => a - b);
  console.log(`${medidas[Math.floor((medidas.length - 1) / 2)].toFixed(2)} ${medidas.at(-1).toFixed(2)}`);
} finally {
  await navegador.close();
  servidor.close();
}
