// The page played in real browsers, headless Chromium and Firefox, as a
// person plays it: keys typed into the terminal, and the screen and the
// cursor read from the xterm.js terminal's buffer. Wherever the game does
// not depend on chance, the same keys are typed into the native build
// running in tmux, and after every step both must show the same screen with
// the cursor in the same place.
//
// Environment: TRES_EN_RAYAS_SITIO (the static site, build-web/web),
// TRES_EN_RAYAS_NPM (the folder whose node_modules holds puppeteer-core),
// TRES_EN_RAYAS_NATIVO (the native build, build/tres-en-rayas),
// NAVEGADORES (which to run: "chromium firefox" by default).

import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { lanzamientos, servir } from './sitio.mjs';

const raiz = path.resolve(fileURLToPath(import.meta.url), '../../..');
const sitio = process.env.TRES_EN_RAYAS_SITIO ?? path.join(raiz, 'build-web/web');
const nativo = process.env.TRES_EN_RAYAS_NATIVO ?? path.join(raiz, 'build/tres-en-rayas');
const carpetaNpm = process.env.TRES_EN_RAYAS_NPM ?? path.join(raiz, 'build-web/npm');
const puppeteer = createRequire(path.join(carpetaNpm, 'package.json'))('puppeteer-core');
const configTmux = path.join(raiz, 'tests/terminal/tmux.conf');
const plazo = 15000;

// A watcher in a session of its own ends every browser and tmux server
// this run starts when the run ends, however it ends: it reads what it is
// told of them until its standard input, held only by this process, closes.
// A pid is a process and its group (a browser's); a tmux server is ended by
// its name; a browser's profile folder, told before the browser starts,
// names the processes of a browser still starting, and goes with them.
const vigia = spawn(
  'sh',
  [
    '-c',
    'pids=; servidores=; carpetas=; while read -r clase id; do case $clase in ' +
      'pid) pids="$pids $id -$id" ;; tmux) servidores="$servidores $id" ;; *) carpetas="$carpetas $id" ;; esac; done; ' +
      'for s in $servidores; do tmux -L "$s" kill-server 2>/dev/null; done; ' +
      'for c in $carpetas; do pids="$pids $(pgrep -f -- "$c" | tr "\n" " ")"; done; ' +
      '[ -z "$pids" ] || kill -9 $pids 2>/dev/null; ' +
      'for c in $carpetas; do rm -rf -- "$c"; done; exit 0',
  ],
  { detached: true, stdio: ['pipe', 'ignore', 'ignore'] },
);
vigia.unref();
const vigilar = (clase, id) => vigia.stdin.write(`${clase} ${id}\n`);

const esperar = (ms) => new Promise((listo) => setTimeout(listo, ms));

// Polls until leer() gives something cumple() accepts; fails with the last
// reading, described by mostrar().
async function esperarA(leer, cumple, que, mostrar = (x) => JSON.stringify(x, null, 1)) {
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

// A screen: its lines without trailing blanks or empty lines at the
// bottom, and the cursor.
function comoTexto(p) {
  return `${p.lineas.join('\n')}\n[cursor ${p.x},${p.y}]`;
}
const iguales = (a, b) => comoTexto(a) === comoTexto(b);
function recortar(lineas) {
  while (lineas.length > 0 && lineas[lineas.length - 1] === '') {
    lineas.pop();
  }
  return lineas;
}

// Keys by name, as the browser and tmux call them.
const nombres = {
  Enter: ['Enter', 'Enter'],
  Space: [' ', 'Space'],
  BSpace: ['Backspace', 'BSpace'],
  Escape: ['Escape', 'Escape'],
  Left: ['ArrowLeft', 'Left'],
  Right: ['ArrowRight', 'Right'],
  Up: ['ArrowUp', 'Up'],
  Home: ['Home', 'Home'],
  End: ['End', 'End'],
  Delete: ['Delete', 'DC'],
  F1: ['F1', 'F1'],
};
// A step is a named key ({ tecla }) or literal text ({ texto }).
const tecla = (nombre) => ({ tecla: nombre });
const texto = (literal) => ({ texto: literal });
// Steps written as words: "<Name>" is a key, any other word is text typed
// at once, "_" standing for a space.
const pasos = (guion) =>
  guion.split(' ').map((p) => (p.startsWith('<') ? tecla(p.slice(1, -1)) : texto(p.replaceAll('_', ' '))));

// The page in one tab.
class Pagina {
  constructor(pestana) {
    this.pestana = pestana;
  }

  async abrir(url) {
    await this.pestana.goto(url);
    await this.pestana.waitForFunction(() => window.partida !== undefined);
  }

  leer() {
    return this.pestana.evaluate(() => {
      const pantalla = window.partida.terminal.buffer.active;
      const lineas = [];
      for (let y = 0; y < window.partida.terminal.rows; y++) {
        // Trailing blanks, written or not, are left out, as tmux leaves them.
        lineas.push(pantalla.getLine(pantalla.baseY + y).translateToString(true).replace(/ +$/, ''));
      }
      return { lineas, x: pantalla.cursorX, y: pantalla.cursorY };
    });
  }

  async leerRecortada() {
    const p = await this.leer();
    recortar(p.lineas);
    return p;
  }

  async enviar(paso) {
    if (paso.texto !== undefined) {
      await this.pestana.keyboard.type(paso.texto);
    } else {
      await this.pestana.keyboard.press(nombres[paso.tecla][0]);
    }
  }

  estado() {
    return this.pestana.evaluate(() => window.partida.estado);
  }

  async esperarLineas(esperadas, que) {
    return esperarA(
      () => this.leerRecortada(),
      (p) => JSON.stringify(p.lineas) === JSON.stringify(esperadas),
      que,
      comoTexto,
    );
  }

  async esperarTexto(fragmento) {
    return esperarA(
      () => this.leerRecortada(),
      (p) => p.lineas.join('\n').includes(fragmento),
      JSON.stringify(fragmento),
      comoTexto,
    );
  }

  async esperarEstado(esperado) {
    await esperarA(() => this.estado(), (e) => e === esperado, `estado ${esperado}`);
  }
}

// The native build in an 80x24 tmux pane on a private server.
let servidoresTmux = 0;
class Nativo {
  constructor() {
    this.servidor = `tres-en-rayas-web-${process.pid}-${++servidoresTmux}`;
    vigilar('tmux', this.servidor);
    this.tmux('new-session', '-d', '-x', '80', '-y', '24', '-s', 'juego', `${nativo}; exec sleep 3600`);
    vigilar('pid', this.tmux('display-message', '-p', '-t', 'juego', '#{pane_pid}').trim());
  }

  tmux(...argumentos) {
    return execFileSync('tmux', ['-L', this.servidor, '-f', configTmux, ...argumentos], {
      encoding: 'utf8',
      env: { ...process.env, LC_ALL: 'C.UTF-8' },
    });
  }

  async leer() {
    const lineas = recortar(this.tmux('capture-pane', '-p', '-t', 'juego').split('\n'));
    const [x, y] = this.tmux('display-message', '-p', '-t', 'juego', '#{cursor_x} #{cursor_y}')
      .trim()
      .split(' ')
      .map(Number);
    return { lineas, x, y };
  }

  async enviar(paso) {
    if (paso.texto !== undefined) {
      this.tmux('send-keys', '-t', 'juego', '-l', paso.texto);
    } else {
      this.tmux('send-keys', '-t', 'juego', nombres[paso.tecla][1]);
    }
  }

  cerrar() {
    try {
      this.tmux('kill-server');
    } catch {
      // already gone
    }
  }
}

const menu = [
  '       Menu de tres en rayas:',
  'Decida su modalidad de juego:',
  ' 1. Modo solitario (jugador vs IA).',
  ' 2. Modo grupal (jugador vs jugador).',
  ' 3. Salir.',
  'Hecho por Quarvendil',
];
const pausaTexto = 'Presione una tecla para continuar . . .';

// Types the same steps into the page and into the native build, and after
// each step waits for the native screen to change (unless the step is
// marked igual: its key changes nothing that shows), then for the page to
// show exactly what the native build shows, cursor included.
async function aLaPar(pagina, pasos) {
  const nativa = new Nativo();
  try {
    let antes = await esperarA(() => nativa.leer(), (p) => p.lineas[5] === menu[5], 'the native menu', comoTexto);
    await esperarA(() => pagina.leerRecortada(), (p) => iguales(p, antes), 'the first menu', comoTexto);
    for (const [i, paso] of pasos.entries()) {
      await nativa.enviar(paso);
      await pagina.enviar(paso);
      const que = `step ${i} (${JSON.stringify(paso)})`;
      const ahora = paso.igual
        ? antes
        : await esperarA(() => nativa.leer(), (p) => !iguales(p, antes), `the native screen after ${que}`, comoTexto);
      await esperarA(
        () => pagina.leerRecortada(),
        (p) => iguales(p, ahora),
        `the page to show after ${que}:\n${comoTexto(ahora)}`,
        comoTexto,
      );
      antes = ahora;
    }
  } finally {
    nativa.cerrar();
  }
}

const todos = (process.env.NAVEGADORES ?? 'chromium firefox').split(/\s+/).filter(Boolean);

let servidor;
let url;
before(async () => {
  servidor = await servir(sitio);
  url = `http://127.0.0.1:${servidor.address().port}/`;
});
after(() => {
  servidor?.close();
  vigia.stdin.end();
});

for (const nombre of todos) {
  describe(nombre, () => {
    let navegador;
    let pagina;

    let perfil;

    before(async () => {
      perfil = fs.mkdtempSync(path.join(os.tmpdir(), `tres-en-rayas-${nombre}-`));
      vigilar('carpeta', perfil);
      navegador = await puppeteer.launch({ ...lanzamientos[nombre], headless: true, userDataDir: perfil });
      vigilar('pid', navegador.process().pid);
    });
    after(async () => {
      await navegador?.close();
      fs.rmSync(perfil, { recursive: true, force: true });
    });

    async function abrir(opciones = {}) {
      if (pagina) {
        await pagina.pestana.close();
      }
      const pestana = await navegador.newPage();
      if (opciones.tactil) {
        await pestana.setViewport({ width: 412, height: 915, hasTouch: true, isMobile: true });
      }
      pagina = new Pagina(pestana);
      await pagina.abrir(url);
      return pagina;
    }

    test('the page: Spanish, relative URLs, 80x24 whatever the window, focus on the terminal', async () => {
      const p = await abrir();
      const datos = await p.pestana.evaluate(() => ({
        lang: document.documentElement.lang,
        titulo: document.title,
        icono: document.querySelector('link[rel="icon"]').getAttribute('href'),
        urls: [...document.querySelectorAll('[src], [href]')].map((e) => e.getAttribute('src') ?? e.getAttribute('href')),
        foco: document.activeElement === window.partida.terminal.textarea,
        estado: window.partida.estado,
        tactil: document.getElementById('tactil').hidden,
        otraVez: document.getElementById('jugar-otra-vez').hidden,
      }));
      assert.equal(datos.lang, 'es');
      assert.equal(datos.titulo, 'Tres en rayas');
      assert.equal(datos.icono, 'icono.svg');
      for (const direccion of datos.urls) {
        assert.doesNotMatch(direccion, /^(\/|[a-z]+:)/, `${direccion} is not relative`);
      }
      assert.ok(datos.foco, 'the terminal has the focus');
      assert.equal(datos.estado, null);
      assert.ok(datos.tactil, 'no touch keys without a touch screen');
      assert.ok(datos.otraVez, 'no "Jugar otra vez" while the game runs');
      await p.esperarLineas(menu, 'the menu');
      const letras = [];
      for (const ancho of [1280, 420]) {
        await p.pestana.setViewport({ width: ancho, height: 800 });
        await esperar(100);
        letras.push(
          await p.pestana.evaluate(() => [
            window.partida.terminal.cols,
            window.partida.terminal.rows,
            window.partida.terminal.options.fontSize,
          ]),
        );
      }
      assert.deepEqual(letras.map(([c, f]) => [c, f]), [[80, 24], [80, 24]]);
      assert.ok(letras[1][2] < letras[0][2], `the letters shrink in a narrow window: ${letras}`);
      // The screen reader's mode, for blind players.
      await p.pestana.click('#lector');
      assert.equal(await p.pestana.evaluate(() => window.partida.terminal.options.screenReaderMode), true);
    });

    test('the menu refuses wrong keys as the native build does, Ctrl-C too, and 3 ends with status 0', async () => {
      const p = await abrir();
      await aLaPar(p, [
        ...pasos('x <Space> ñ z <F1>'),
        // The pause took a key of its own; F1's second code is refused next.
        { ...texto('q'), igual: true },
        ...pasos('w <Enter> e'),
      ]);
      // Ctrl-C is a key, not the end of the game.
      await p.pestana.keyboard.down('Control');
      await p.pestana.keyboard.press('c');
      await p.pestana.keyboard.up('Control');
      await p.esperarTexto('Hecho por QuarvendilUsted se ha equivocado de opcion, intente de nuevo');
      assert.equal(await p.estado(), null);
      await p.enviar(tecla('Space'));
      await p.esperarLineas(menu, 'the menu after the pause');
      await p.enviar(texto('3'));
      await p.esperarEstado(0);
      // The screen stays as the game left it.
      const final = await p.leerRecortada();
      assert.deepEqual(final.lineas, menu);
      assert.deepEqual(
        await p.pestana.evaluate(() => [document.getElementById('jugar-otra-vez').hidden, document.activeElement.id]),
        [false, 'jugar-otra-vez'],
      );
    });

    test('a two-player game with edited names, refusals and the question, step by step as the native build', async () => {
      const p = await abrir();
      await aLaPar(
        p,
        pasos(
          '2 Añoz <BSpace> <Left> <Left> <Delete> <Home> X <End> ñ <Escape> Íñigo_Muñoz <Left> <Enter> ' +
            'Begoña <Enter> 1 4 1 <Space> 2 <Up> 5 q w 3 <Space> x <Space> y ' +
            '2 Ana <Enter> Luis <Enter> 5 1 9 3 2 8 7 4 6 <Space>',
        ),
      );
      await p.esperarTexto('El juego ha terminado desea continuar (Y/N).');
      await p.enviar(texto('n'));
      await p.esperarEstado(0);
    });

    test('the winner is named as typed, and keys typed ahead of the game are kept in order', async () => {
      const p = await abrir();
      // All at once, before the game has read any of it.
      await p.pestana.keyboard.type('2Íñigo Muñoz\rBegoña\r14253');
      await p.esperarTexto('Felicidades ganastes Íñigo Muñoz!!');
      const fin = await p.leerRecortada();
      assert.deepEqual(fin.lineas.slice(0, 7), [
        '---------------',
        ' | X | X | X |',
        '---------------',
        ' | O | O | 6 |',
        '---------------',
        ' | 7 | 8 | 9 |',
        '---------------',
      ]);
      assert.equal(fin.lineas.at(-1), pausaTexto);
    });

    test('a whole game against the computer, its first screens as the native build, then "Jugar otra vez"', async () => {
      const p = await abrir();
      const nativa = new Nativo();
      try {
        await esperarA(() => nativa.leer(), (x) => x.lineas[5] === menu[5], 'the native menu', comoTexto);
        for (const lado of [nativa, p]) {
          await lado.enviar(texto('1'));
        }
        const primera = await esperarA(() => nativa.leer(), (x) => x.lineas[0] === '---------------', 'the native board', comoTexto);
        await esperarA(() => p.leerRecortada(), (x) => iguales(x, primera), 'the first board', comoTexto);
        // After the first move the computer's reply is random: the two are
        // compared by their layout, every cell's mark hidden.
        const forma = (x) => comoTexto({ ...x, lineas: x.lineas.map((l) => l.replace(/ \| [1-9XO]/g, ' | #')) });
        for (const lado of [nativa, p]) {
          await lado.enviar(texto('5'));
        }
        const segunda = await esperarA(() => nativa.leer(), (x) => (x.lineas[3] ?? '').includes('X'), 'the native reply', comoTexto);
        await esperarA(() => p.leerRecortada(), (x) => (x.lineas[3] ?? '').includes('X') && forma(x) === forma(segunda), 'the reply', comoTexto);
      } finally {
        nativa.cerrar();
      }
      // Then free cells, lowest first, until the match ends.
      const finales = ['Felicidades has ganado!!', 'Lo siento has empatado.', 'Lastima perdiste intenta de nuevo...'];
      for (;;) {
        const x = await p.leerRecortada();
        if (x.lineas.at(-1) === pausaTexto) {
          assert.ok(finales.includes(x.lineas.at(-2)), comoTexto(x));
          break;
        }
        const libre = x.lineas.join('').match(/[1-9]/);
        assert.ok(libre, comoTexto(x));
        await p.enviar(texto(libre[0]));
        await esperarA(() => p.leerRecortada(), (y) => !iguales(x, y), 'the next screen', comoTexto);
      }
      await p.enviar(tecla('Space'));
      await p.esperarLineas(['El juego ha terminado desea continuar (Y/N).'], 'the question');
      await p.enviar(texto('N'));
      await p.esperarEstado(0);
      // A new game, with the keyboard's focus on the terminal.
      await p.pestana.click('#jugar-otra-vez');
      await p.esperarLineas(menu, 'the menu of a new game');
      const otra = await p.pestana.evaluate(() => ({
        estado: window.partida.estado,
        foco: document.activeElement === window.partida.terminal.textarea,
        boton: document.getElementById('jugar-otra-vez').hidden,
      }));
      assert.deepEqual(otra, { estado: null, foco: true, boton: true });
      await p.enviar(texto('3'));
      await p.esperarEstado(0);
    });

    test('on a touch screen, a row of keys under the terminal plays', async (contexto) => {
      if (nombre !== 'chromium') {
        contexto.skip('touch screens are emulated in Chromium only');
        return;
      }
      const p = await abrir({ tactil: true });
      await p.esperarLineas(menu, 'the menu');
      assert.equal(await p.pestana.evaluate(() => document.getElementById('tactil').hidden), false);
      const tocar = async (etiqueta) => {
        for (const boton of await p.pestana.$$('#tactil button')) {
          if ((await boton.evaluate((b) => b.textContent)) === etiqueta) {
            await boton.tap();
            return;
          }
        }
        assert.fail(`no touch key ${etiqueta}`);
      };
      await tocar('N');
      await p.esperarTexto(pausaTexto);
      await tocar('Intro');
      await p.esperarLineas(menu, 'the menu after the pause');
      await tocar('2');
      await p.esperarTexto('Cual es el nombre del primer jugador:');
      await p.pestana.keyboard.type('Ana');
      await tocar('Intro');
      await p.pestana.keyboard.type('Luis\r');
      await p.esperarTexto(' | 1 | 2 | 3 |');
      for (const t of ['1', '4', '2', '5', '3']) {
        await tocar(t);
      }
      await p.esperarTexto('Felicidades ganastes Ana!!');
      await tocar('Intro');
      await p.esperarTexto('El juego ha terminado desea continuar (Y/N).');
      await tocar('Y');
      await p.esperarLineas(menu, 'the menu after Y');
      await tocar('3');
      await p.esperarEstado(0);
    });
  });
}
