// The README's two pictures, made again from the game itself: the native
// game in a terminal (a tmux pane of 80x24, its screen drawn as a terminal
// shows it) and the page on a phone (Chromium's emulation of a 360x740
// touch screen), both after the same moves of a two-player game.
//
//   node tools/capturas.mjs SITE_FOLDER NPM_FOLDER GAME OUT_FOLDER

import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { lanzamientos, servir } from '../tests/web/sitio.mjs';

const [sitio, carpetaNpm, juego, salida] = process.argv.slice(2);
const puppeteer = createRequire(path.join(path.resolve(carpetaNpm), 'package.json'))('puppeteer-core');

// The keys: two players, Íñigo and Begoña, and the moves of Íñigo's win.
const nombres = ['Íñigo', 'Begoña'];
const jugadas = ['5', '1', '9', '3', '2', '4', '8'];
const final = 'Felicidades ganastes Íñigo!!';

const carpeta = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-capturas-'));
const servidor = await servir(sitio);
const navegador = await puppeteer.launch({ ...lanzamientos.chromium, headless: true });
const tmux = (...argumentos) =>
  execFileSync('tmux', ['-S', path.join(carpeta, 'tmux'), '-f', '/dev/null', ...argumentos], { encoding: 'utf8' });
try {
  // The terminal: the screen once it shows the last move's board.
  tmux('new-session', '-d', '-x', '80', '-y', '24', '-e', 'LANG=C.UTF-8', path.resolve(juego));
  const hasta = async (texto) => {
    for (let intento = 0; intento < 200; intento++) {
      const pantalla = tmux('capture-pane', '-p');
      if (pantalla.includes(texto)) {
        return pantalla;
      }
      await new Promise((listo) => setTimeout(listo, 50));
    }
    throw new Error(`no llegó «${texto}»:\n${tmux('capture-pane', '-p')}`);
  };
  await hasta('Hecho por Quarvendil');
  tmux('send-keys', '-l', '2');
  for (const [i, nombre] of nombres.entries()) {
    await hasta(['primer', 'segundo'][i] + ' jugador:');
    tmux('send-keys', '-l', nombre);
    tmux('send-keys', 'Enter');
  }
  for (const jugada of jugadas) {
    tmux('send-keys', '-l', jugada);
  }
  const filas = (await hasta(final)).split('\n').slice(0, 24);
  // The cursor, as a terminal draws it: the cell under it in reverse.
  const [x, y] = tmux('display-message', '-p', '#{cursor_x} #{cursor_y}').trim().split(' ').map(Number);
  filas[y] = filas[y].padEnd(x + 1);
  const html = (texto) => texto.replace(/&/g, '&amp;').replace(/</g, '&lt;');
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
  try {
    tmux('kill-server');
  } catch {
    // already gone
  }
  fs.rmSync(carpeta, { recursive: true, force: true });
}
