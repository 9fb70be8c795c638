// The README's two pictures, made again from the game itself: the native
// game in a terminal (a tmux pane of 80x24, its screen drawn as a terminal
// shows it) and the page on a phone (Chromium's emulation of a 360x740
// touch screen), both after the same moves of a two-player game.
//
//   node tools/capturas.mjs SITE_FOLDER NPM_FOLDER GAME OUT_FOLDER

import { createRequire } from 'node:module';
import path from 'node:path';
import { Nativo } from '../tests/web/nativo.mjs';
import { tecla, texto } from '../tests/web/pasos.mjs';
import { lanzamientos, servir } from '../tests/web/sitio.mjs';
import { soltarVigia } from '../tests/web/vigia.mjs';

const [sitio, carpetaNpm, juego, salida] = process.argv.slice(2);
const puppeteer = createRequire(path.join(path.resolve(carpetaNpm), 'package.json'))('puppeteer-core');

// The keys: two players, Íñigo and Begoña, and the moves of Íñigo's win.
const nombres = ['Íñigo', 'Begoña'];
const jugadas = ['5', '1', '9', '3', '2', '4', '8'];
const final = 'Felicidades ganastes Íñigo!!';

const servidor = await servir(sitio);
const navegador = await puppeteer.launch({ ...lanzamientos.chromium, headless: true });
const nativa = new Nativo(80, 24, { juego });
try {
  await nativa.esperarTexto('Hecho por Quarvendil');
  await nativa.enviar(texto('2'));
  for (const [i, nombre] of nombres.entries()) {
    await nativa.esperarTexto(['primer', 'segundo'][i] + ' jugador:');
    await nativa.enviar(texto(nombre));
    await nativa.enviar(tecla('Enter'));
  }
  for (const jugada of jugadas) {
    await nativa.enviar(texto(jugada));
  }
  // The terminal: the screen once it shows the last move's board, settled,
  // its cursor where the game left it.
  const { lineas, x, y } = await nativa.esperarAsentada(
    (p) => p.lineas.join('\n').includes(final),
    JSON.stringify(final),
  );
  const filas = Array.from({ length: 24 }, (_, i) => lineas[i] ?? '');
  // The cursor, as a terminal draws it: the cell under it in reverse.
  filas[y] = filas[y].padEnd(x + 1);
  const html = (t) => t.replace(/&/g, '&amp;').replace(/</g, '&lt;');
  const cursor = [...filas[y]];
  filas[y] = `${html(cursor.slice(0, x).join(''))}<span style="background:#e5e5e5;color:#1e1e1e">${html(
    cursor[x],
  )}</span>${html(cursor.slice(x + 1).join(''))}`;
  const terminal = await navegador.newPage();
  await terminal.setViewport({ width: 700, height: 430 });
  await terminal.setContent(
    `<body style="margin:0;background:#1e1e1e;padding:10px"><pre style="margin:0;color:#e5e5e5;font:14px/17px monospace">${filas
      .map((fila, i) => (i === y ? fila : html(fila)))
      .join('\n')}</pre>`,
  );
  await terminal.screenshot({ path: path.join(salida, 'terminal.png') });

  // The phone: the same game, its names typed and its moves tapped.
  const movil = await navegador.newPage();
  await movil.emulate({
    viewport: { width: 360, height: 740, isMobile: true, hasTouch: true, deviceScaleFactor: 1 },
    userAgent: 'Mozilla/5.0 (Linux; Android 14) Mobile',
  });
  await movil.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
  await movil.goto(`http://127.0.0.1:${servidor.address().port}/`);
  const quieta = () => movil.waitForFunction(() => window.partida?.reposo().quieta);
  const tocar = async (tecla) => {
    await movil.tap(`#tactil button[data-tecla="${tecla}"]`);
    await quieta();
  };
  await quieta();
  await tocar('2');
  for (const nombre of nombres) {
    await movil.keyboard.type(nombre);
    await movil.keyboard.press('Enter');
    await quieta();
  }
  for (const jugada of jugadas) {
    await tocar(jugada);
  }
  await movil.waitForFunction(
    (texto) => {
      const pantalla = window.partida.terminal.buffer.active;
      const filas = Array.from({ length: pantalla.length }, (_, i) => pantalla.getLine(i).translateToString(true));
      return filas.join('').includes(texto);
    },
    {},
    final,
  );
  await movil.evaluate(() => document.activeElement.blur());
  await movil.screenshot({ path: path.join(salida, 'movil.png') });
} finally {
  await navegador.close();
  servidor.close();
  nativa.cerrar();
  soltarVigia();
}
