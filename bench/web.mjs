// Key to screen in the page, in headless Chromium: from a key's keydown
// event to the terminal's next render that shows what the game answered.
// Keys alternate between a wrong key at the menu (its message and the pause)
// and the key that ends the pause (the menu again), so every key changes the
// screen. Then the time from navigation to the menu on screen, on a first
// visit (a fresh context: nothing cached, no worker) and from the service
// worker (a reload), median of 5 each, and Lighthouse's mobile performance
// score and first contentful paint, served gzipped and served plain.
// Prints the key's median and slowest, the two times in milliseconds, and
// for each server the score out of 100 and the paint in milliseconds.
//
//   node bench/web.mjs SITE_FOLDER NPM_FOLDER [KEYS]

import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import path from 'node:path';
import { lanzamientos, servir } from '../tests/web/sitio.mjs';

const [sitio, carpetaNpm, cuantas = '200'] = process.argv.slice(2);
const puppeteer = createRequire(path.join(path.resolve(carpetaNpm), 'package.json'))('puppeteer-core');
const servidor = await servir(sitio);
const navegador = await puppeteer.launch({ ...lanzamientos.chromium, headless: true });
try {
  const pagina = await navegador.newPage();
  const url = `http://127.0.0.1:${servidor.address().port}/`;

  // The menu's last line on screen, read at every frame, and when that was
  // since the navigation began.
  const alMenu = async (visita) => {
    await visita.waitForFunction(
      () => window.partida?.terminal.buffer.active.getLine(5).translateToString(true) === 'Hecho por Quarvendil',
      { polling: 'raf' },
    );
    return visita.evaluate(() => performance.now());
  };
  const mediana = (valores) => valores.sort((a, b) => a - b)[Math.floor((valores.length - 1) / 2)];

  await pagina.goto(url);
  await alMenu(pagina);
  await pagina.evaluate(() => {
    window.medidas = [];
    let desde = null;
    let escrito = false;
    document.addEventListener(
      'keydown',
      () => {
        desde = performance.now();
        escrito = false;
      },
      true,
    );
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
  const primeras = [];
  const desdeTrabajador = [];
  for (let vez = 0; vez < 5; vez++) {
    const contexto = await navegador.createBrowserContext();
    const visita = await contexto.newPage();
    await visita.goto(url);
    primeras.push(await alMenu(visita));
    await visita.waitForFunction(() => navigator.serviceWorker.controller !== null);
    await visita.reload();
    desdeTrabajador.push(await alMenu(visita));
    await contexto.close();
  }

  const { default: lighthouse } = await import(
    pathToFileURL(path.join(path.resolve(carpetaNpm), 'node_modules/lighthouse/core/index.js'))
  );
  // Lighthouse's mobile run on this gzipping server, and on a plain one
  // that sends every file as it stands: the score and the first paint.
  const simple = await servir(sitio, 0, { comprimir: false });
  const notas = [];
  try {
    for (const direccion of [url, `http://127.0.0.1:${simple.address().port}/`]) {
      const { lhr } = await lighthouse(direccion, {
        port: Number(new URL(navegador.wsEndpoint()).port),
        onlyCategories: ['performance'],
        logLevel: 'error',
      });
      notas.push(
        Math.round(lhr.categories.performance.score * 100),
        lhr.audits['first-contentful-paint'].numericValue.toFixed(0),
      );
    }
  } finally {
    simple.close();
  }
  console.log(
    `${mediana(medidas).toFixed(2)} ${medidas.at(-1).toFixed(2)} ` +
      `${mediana(primeras).toFixed(0)} ${mediana(desdeTrabajador).toFixed(0)} ${notas.join(' ')}`,
  );
} finally {
  await navegador.close();
  servidor.close();
}
