// The page played in real browsers, headless Chromium and Firefox, and
// WebKit (WebKitGTK's MiniBrowser on an Xvfb display), as a person plays
// it: keys typed into the terminal, and the screen and the cursor read from
// the xterm.js terminal's buffer. Wherever the game does
// not depend on chance, the same keys are typed into the native build
// running in tmux, and after every step both must show the same screen with
// the cursor in the same place.
//
// Environment: TRES_EN_RAYAS_SITIO (the static site, build-web/web),
// TRES_EN_RAYAS_NPM (the folder whose node_modules holds puppeteer-core),
// TRES_EN_RAYAS_NATIVO (the native build, build/tres-en-rayas),
// NAVEGADORES (which to run: "chromium firefox webkit" by default).

import { after, afterEach, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawn, execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { lanzamientos, servir } from './sitio.mjs';
import { anchoMinimo, lanzarWebKit } from './webkit.mjs';
import { abrirLector } from './orca.mjs';

const raiz = path.resolve(fileURLToPath(import.meta.url), '../../..');
const sitio = process.env.TRES_EN_RAYAS_SITIO ?? path.join(raiz, 'build-web/web');
const nativo = process.env.TRES_EN_RAYAS_NATIVO ?? path.join(raiz, 'build/tres-en-rayas');
const carpetaNpm = process.env.TRES_EN_RAYAS_NPM ?? path.join(raiz, 'build-web/npm-pruebas');
const puppeteer = createRequire(path.join(carpetaNpm, 'package.json'))('puppeteer-core');
const configTmux = path.join(raiz, 'tests/terminal/tmux.conf');
const plazo = 15000;
// The longest line the game's line editor holds, in bytes: its
// capacidadEdicionMaxima (src/console/plataforma/editor.h), which
// tests/web/copias_test.cpp checks this against.
const capacidadEdicionMaxima = 256;

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
  Tab: ['Tab', 'Tab'],
};
// A step is a named key ({ tecla }), literal text ({ texto }) or a tap on
// a touch key ({ toque }, typed as text or Enter in tmux).
const tecla = (nombre) => ({ tecla: nombre });
const texto = (literal) => ({ texto: literal });
// Steps written as words: "<Name>" is a key, "[Label]" a touch key,
// "{girar}" the phone turned, any other word is text typed at once, "_"
// standing for a space.
const pasos = (guion) =>
  guion.split(' ').map((p) => {
    if (p.startsWith('<')) {
      return tecla(p.slice(1, -1));
    }
    if (p === '{girar}') {
      return { girar: true };
    }
    return p.startsWith('[') ? { toque: p.slice(1, -1) } : texto(p.replaceAll('_', ' '));
  });

// Changes made by a phone's keyboard to the terminal's field, each with the
// keys that make the same change in a terminal ("" for none) and, where it
// matters, what the field must then hold ("|" at its caret).
const componer = (texto, sobre) => ({ componer: texto, sobre });
const confirmar = (texto) => ({ confirmar: texto });
const caret = (n) => ({ caret: n });
const borrar = { borrar: true };
// A word committed with its events in the other order: compositionend, then
// input.
const alReves = (texto) => ({ alReves: texto });
const tecleo = (filas) =>
  filas.flatMap(([movil, teclas, campo]) =>
    typeof movil === 'string'
      ? pasos(movil).map((paso) => ({ ...paso, campo }))
      : [
          {
            movil,
            nativo: Array.isArray(teclas) ? teclas : teclas === '' ? [] : pasos(teclas),
            igual: teclas === '',
            campo,
          },
        ],
  );

// The page in one tab.
class Pagina {
  constructor(pestana) {
    this.pestana = pestana;
  }

  async abrir(url) {
    await this.pestana.goto(url);
    await this.cargada();
  }

  // The page loaded again. A driver may answer once the document is there,
  // before its modules have run: the page is read only once they have.
  async recargar() {
    await this.pestana.reload();
    await this.cargada();
  }

  async cargada() {
    await esperarA(
      () => this.pestana.evaluate(() => ({ lista: window.partida !== undefined, estado: document.readyState })),
      (p) => p.lista,
      "the page's modules to have run",
    );
  }

  leer() {
    return this.pestana.evaluate(() => {
      const pantalla = window.partida.terminal.buffer.active;
      const lineas = [];
      for (let y = 0; y < window.partida.terminal.rows; y++) {
        // Trailing blanks, written or not, are left out, as tmux leaves them.
        lineas.push(
          pantalla
            .getLine(pantalla.baseY + y)
            .translateToString(true)
            .replace(/ +$/, ''),
        );
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
    if (paso.movil !== undefined) {
      await this.teclear(paso.movil);
    } else if (paso.toque !== undefined) {
      await this.tocar(paso.toque);
    } else if (paso.texto !== undefined) {
      await this.pestana.keyboard.type(paso.texto);
    } else {
      await this.pestana.keyboard.press(nombres[paso.tecla][0]);
    }
  }

  // A change made to the terminal's field by a phone's own keyboard, as
  // Android's keyboards make it through the input method, announced by a
  // key of code 229: a composition (at the caret, or over a range of the
  // field: a word taken back to be composed again), text committed
  // (replacing the composition: a word ended, autocorrect, dictation), a
  // character erased before the caret, the caret moved. Chromium's
  // protocol plays them as a keyboard's input method does.
  async teclear(cambio) {
    this.cdp ??= await this.pestana.createCDPSession();
    const tecla229 = (type) =>
      this.cdp.send('Input.dispatchKeyEvent', { type, key: 'Unidentified', windowsVirtualKeyCode: 229 });
    if (cambio.caret !== undefined) {
      await this.pestana.evaluate((n) => window.partida.terminal.textarea.setSelectionRange(n, n), cambio.caret);
      return;
    }
    if (cambio.alReves !== undefined) {
      await this.pestana.evaluate((texto) => {
        const campo = window.partida.terminal.textarea;
        campo.setRangeText(texto, campo.selectionStart, campo.selectionEnd, 'end');
        campo.dispatchEvent(new CompositionEvent('compositionend', { data: texto, bubbles: true }));
        campo.dispatchEvent(
          new InputEvent('input', { inputType: 'insertFromComposition', data: texto, bubbles: true }),
        );
      }, cambio.alReves);
      return;
    }
    await tecla229('keyDown');
    if (cambio.componer !== undefined) {
      const fin = cambio.componer.length;
      const [replacementStart, replacementEnd] = cambio.sobre ?? [];
      await this.cdp.send('Input.imeSetComposition', {
        text: cambio.componer,
        selectionStart: fin,
        selectionEnd: fin,
        replacementStart,
        replacementEnd,
      });
    } else if (cambio.confirmar !== undefined) {
      await this.cdp.send('Input.insertText', { text: cambio.confirmar });
    } else {
      await this.pestana.evaluate(() => document.execCommand('delete'));
    }
    await tecla229('keyUp');
  }

  // The terminal's field, "|" at its caret.
  campo() {
    return this.pestana.evaluate(() => {
      const { value, selectionStart, selectionEnd } = window.partida.terminal.textarea;
      return selectionStart === selectionEnd
        ? `${value.slice(0, selectionStart)}|${value.slice(selectionStart)}`
        : value;
    });
  }

  // A tap on the touch key of that label.
  async tocar(etiqueta) {
    for (const boton of await this.pestana.$$('#tactil button')) {
      if ((await boton.evaluate((b) => b.textContent)) === etiqueta) {
        await boton.tap();
        return;
      }
    }
    assert.fail(`no touch key ${etiqueta}`);
  }

  // Boxes of the page's parts, in CSS pixels, and the grid.
  medidas() {
    return this.pestana.evaluate(() => {
      const caja = (elemento) => {
        const r = elemento.getBoundingClientRect();
        return { x: r.x, y: r.y, derecha: r.right, abajo: r.bottom, ancho: r.width, alto: r.height };
      };
      return {
        ventana: { ancho: window.innerWidth, alto: window.innerHeight },
        desplazable: document.documentElement.scrollWidth > window.innerWidth,
        terminal: caja(window.partida.terminal.element),
        teclas: [...document.querySelectorAll('#tactil button')].map(caja),
        columnas: window.partida.terminal.cols,
        filas: window.partida.terminal.rows,
        letra: window.partida.terminal.options.fontSize,
      };
    });
  }

  estado() {
    return this.pestana.evaluate(() => window.partida.estado);
  }

  // How many of the game's waits for a key the page has dealt with, and
  // whether the game now rests, done with every key and its screen told.
  reposo() {
    return this.pestana.evaluate(() => window.partida.reposo());
  }

  // Waits until the game rests after keys sent once antes was read: when
  // they reached the game (conTeclas), at a wait after them, so that a step
  // that must change nothing is checked only once the game has taken it.
  async esperarReposo(antes, conTeclas, que) {
    await esperarA(
      () => this.reposo(),
      (r) => r.quieta && (!conTeclas || r.atendidas > antes.atendidas),
      `the game to rest after ${que}`,
    );
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
    await esperarA(
      () => this.estado(),
      (e) => e === esperado,
      `estado ${esperado}`,
    );
  }
}

// The native build in a tmux pane (80x24, or the page's grid) on a private
// server.
let servidoresTmux = 0;
class Nativo {
  constructor(columnas = 80, filas = 24) {
    this.servidor = `tres-en-rayas-web-${process.pid}-${++servidoresTmux}`;
    vigilar('tmux', this.servidor);
    this.tmux('new-session', '-d', '-x', `${columnas}`, '-y', `${filas}`, '-s', 'juego', `${nativo}; exec sleep 3600`);
    [this.panel, this.terminal] = this.tmux('display-message', '-p', '-t', 'juego', '#{pane_pid} #{pane_tty}')
      .trim()
      .split(' ');
    vigilar('pid', this.panel);
    // The game, a child of the pane's shell, once it has started.
    this.juego = null;
  }

  tmux(...argumentos) {
    return execFileSync('tmux', ['-L', this.servidor, '-f', configTmux, ...argumentos], {
      encoding: 'utf8',
      env: { ...process.env, LC_ALL: 'C.UTF-8' },
    });
  }

  // The screen, the cursor and the pane's size of one moment: one tmux
  // command reads them all, so that the game cannot draw in between.
  leer() {
    const [posicion, ...lineas] = this.tmux(
      'display-message',
      '-p',
      '-t',
      'juego',
      '#{cursor_x} #{cursor_y} #{pane_width} #{pane_height}',
      ';',
      'capture-pane',
      '-p',
      '-t',
      'juego',
    ).split('\n');
    const [x, y, ancho, alto] = posicion.split(' ').map(Number);
    return { lineas: recortar(lineas), x, y, ancho, alto };
  }

  // Whether the game is done with all it was sent: asleep in its wait for a
  // key, or ended, with no signal left to handle (a resize's).
  quieto() {
    try {
      this.juego ??= execFileSync('pgrep', ['-P', this.panel], { encoding: 'utf8' }).trim();
    } catch {
      return false; // not started yet
    }
    try {
      const stat = fs.readFileSync(`/proc/${this.juego}/stat`, 'utf8');
      const estado = stat[stat.lastIndexOf(')') + 2];
      const sinSenales = () =>
        fs.readFileSync(`/proc/${this.juego}/status`, 'utf8').match(/^(Sig|Shd)Pnd:\s*0*$/gm)?.length === 2;
      return estado === 'Z' || (estado === 'S' && sinSenales());
    } catch {
      return true; // ended, and its output all written
    }
  }

  // How many reads the game has made: one more once it has taken a key.
  leidas() {
    return Number(fs.readFileSync(`/proc/${this.juego}/io`, 'utf8').match(/^syscr: (\d+)$/m)[1]);
  }

  // What the game shows once it is done with what it was sent, and marked
  // asentada only then: the terminal already has the pane's size (a resize
  // reaches the game as a signal, handled before it sleeps again), the game
  // is quiet, and two readings after that agree, so that tmux has drawn all
  // the game wrote. A screen caught between two of the game's writes is
  // never taken for what the game shows.
  asentada() {
    const tamano = execFileSync('stty', ['-F', this.terminal, 'size'], { encoding: 'utf8' }).trim();
    const quieto = this.quieto();
    const primera = this.leer();
    const segunda = this.leer();
    const asentada = quieto && iguales(primera, segunda) && tamano === `${segunda.alto} ${segunda.ancho}`;
    return { ...segunda, asentada };
  }

  // Waits for the game's screen to settle into one that cumple() accepts.
  esperarAsentada(cumple, que) {
    return esperarA(
      () => this.asentada(),
      (p) => p.asentada && cumple(p),
      que,
      comoTexto,
    );
  }

  async enviar(paso) {
    if (paso.movil !== undefined) {
      for (const tecla of paso.nativo) {
        await this.enviar(tecla);
      }
    } else if (paso.texto !== undefined || paso.toque !== undefined) {
      const literal = paso.texto ?? paso.toque;
      this.tmux('send-keys', '-t', 'juego', ...(literal === 'Intro' ? ['Enter'] : ['-l', literal]));
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

// What a blind player hears: each step, what is said after it (each
// announcement its lines; a board as its cells, row by row), and where
// the keyboard's focus then is. The live region's test and the screen
// reader's play it.
function loQueOyeUnCiego() {
  const tablero = (celdas) => celdas.match(/.../g).map((fila) => fila.split('').join(' '));
  const tableros = (...todos) => todos.map(tablero);
  const menuDicho = menu.map((linea) => linea.trim());
  const pausa = pausaTexto;
  const pregunta = 'El juego ha terminado desea continuar (Y/N).';
  // Steps, what is said after them, and where the focus then is.
  const filas = [
    ['x', [[menu[5] + 'Usted se ha equivocado de opcion, intente de nuevo', pausa]]],
    ['<Space>', [menuDicho]],
    ['2', [['Cual es el nombre del primer jugador:']]],
    ['Ana', []], // the screen reader echoes the letters itself
    ['<Enter>', [['Cual es el nombre del segundo jugador:']]],
    ['Luis <Enter>', tableros('123456789')],
    ['<Tab>', [], false],
    ['<ShiftTab>', [], true],
    ['5', tableros('1234X6789')],
    ['5', [['Introdujo una posicion ya usada intente de nuevo.', pausa]]],
    ['<Space>', []], // the screen stays as it was
    ['q', [['Introdujo un valor incorrecto.']]],
    ['<Space>', []], // taken as the wrong key's second code
    ['1', tableros('O234X6789')],
    ['4', tableros('O23XX6789')],
    ['2', tableros('OO3XX6789')],
    ['6', [[...tablero('OO3XXX789'), 'Felicidades ganastes Ana!!', pausa]]],
    ['<Space>', [[pregunta]]],
    ['x', [['Lo siento se ha equivocado intente de nuevo.', pausa]]],
    ['<Space>', [[pregunta]]],
    ['y', [menuDicho]],
    ['2', [['Cual es el nombre del primer jugador:']]],
    ['A <Enter>', [['Cual es el nombre del segundo jugador:']]],
    ['B <Enter>', tableros('123456789')],
    // A drawn game, one board after each move.
    ...['1234X6789', 'O234X6789', 'O234X678X', 'O2O4X678X', 'OXO4X678X', 'OXO4X67OX', 'OXO4X6XOX', 'OXOOX6XOX'].map(
      (celdas, i) => ['51932874'[i], tableros(celdas)],
    ),
    ['6', [[...tablero('OXOOXXXOX'), 'Lo siento has empatado.', pausa]]],
    ['<Space>', [[pregunta]]],
  ];
  return { menuDicho, filas };
}

// Types the same steps into the page and into the native build, in a pane
// of the page's columns and rows, and after each step waits for the native
// screen to change (unless the step is marked igual: its key changes
// nothing that shows), then for the page to show exactly what the native
// build shows, cursor included.
async function aLaPar(pagina, pasos) {
  const { columnas, filas } = await pagina.medidas();
  const nativa = new Nativo(columnas, filas);
  try {
    let antes = await nativa.esperarAsentada((p) => p.lineas[5] === menu[5], 'the native menu');
    await esperarA(
      () => pagina.leerRecortada(),
      (p) => iguales(p, antes),
      'the first menu',
      comoTexto,
    );
    for (const [i, paso] of pasos.entries()) {
      if (paso.girar) {
        // The phone turned: the page fits its grid again, and the native
        // build's pane takes the same columns and rows.
        const { ventana } = await pagina.medidas();
        await pagina.pestana.setViewport({
          width: ventana.alto,
          height: ventana.ancho,
          hasTouch: true,
          isMobile: true,
        });
        await pagina.pestana.evaluate(() => new Promise((listo) => requestAnimationFrame(listo)));
        const { columnas: c, filas: f } = await pagina.medidas();
        nativa.tmux('resize-window', '-t', 'juego', '-x', `${c}`, '-y', `${f}`);
      } else {
        const reposo = await pagina.reposo();
        // A key the native game gets that changes nothing it shows.
        const callada = paso.igual && paso.nativo?.length !== 0;
        const leidas = callada ? nativa.leidas() : 0;
        await nativa.enviar(paso);
        await pagina.enviar(paso);
        await pagina.esperarReposo(reposo, paso.movil === undefined, `step ${i}`);
        if (callada) {
          await nativa.esperarAsentada(() => nativa.leidas() > leidas, `the native game to read step ${i}`);
        }
      }
      const que = `step ${i} (${JSON.stringify(paso)})`;
      const ahora = paso.igual
        ? antes
        : await nativa.esperarAsentada((p) => !iguales(p, antes), `the native screen after ${que}`);
      await esperarA(
        () => pagina.leerRecortada(),
        (p) => iguales(p, ahora),
        `the page to show after ${que}:\n${comoTexto(ahora)}`,
        comoTexto,
      );
      if (paso.campo !== undefined) {
        await esperarA(
          () => pagina.campo(),
          (c) => c === paso.campo,
          `the field after ${que} to be ${paso.campo}`,
        );
      }
      antes = ahora;
    }
  } finally {
    nativa.cerrar();
  }
}

const todos = (process.env.NAVEGADORES ?? 'chromium firefox webkit').split(/\s+/).filter(Boolean);

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
      navegador =
        nombre === 'webkit'
          ? await lanzarWebKit({ carpetaNpm, carpeta: perfil, vigilar, plazo })
          : await puppeteer.launch({ ...lanzamientos[nombre], headless: true, userDataDir: perfil });
      vigilar('pid', navegador.process().pid);
    });
    after(async () => {
      await navegador?.close();
      fs.rmSync(perfil, { recursive: true, force: true });
    });

    // No test leaves behind an error of the page or a breach of its
    // Content-Security-Policy, as the page's loader notes them.
    afterEach(async () => {
      if (pagina) {
        assert.deepEqual(await pagina.pestana.evaluate(() => window.fallosDePagina), []);
      }
    });

    async function abrir(opciones = {}) {
      if (pagina) {
        await pagina.pestana.close();
      }
      const pestana = await navegador.newPage();
      if (opciones.ancho) {
        const tactil = Boolean(opciones.tactil);
        await pestana.setViewport({ width: opciones.ancho, height: opciones.alto, hasTouch: tactil, isMobile: tactil });
      }
      pagina = new Pagina(pestana);
      await pagina.abrir(opciones.direccion ?? url);
      return pagina;
    }

    test('the page: Spanish, accessible, relative URLs, a legible grid that fits the window, focus on the terminal', async () => {
      const p = await abrir();
      const datos = await p.pestana.evaluate(() => ({
        lang: document.documentElement.lang,
        titulo: document.title,
        icono: document.querySelector('link[rel="icon"]').getAttribute('href'),
        descripcion: document.querySelector('meta[name="description"]').content,
        tema: document.querySelector('meta[name="theme-color"]').content,
        etiqueta: window.partida.terminal.textarea.getAttribute('aria-label'),
        urls: [...document.querySelectorAll('[src], [href]')].map(
          (e) => e.getAttribute('src') ?? e.getAttribute('href'),
        ),
        foco: document.activeElement === window.partida.terminal.textarea,
        estado: window.partida.estado,
        tactil: getComputedStyle(document.getElementById('tactil')).display,
        otraVez: document.getElementById('jugar-otra-vez').hidden,
      }));
      assert.equal(datos.lang, 'es');
      assert.equal(datos.titulo, 'Tres en rayas');
      assert.equal(datos.icono, 'icono.svg');
      assert.match(datos.descripcion, /^El tres en rayas de la consola, en castellano/);
      assert.equal(datos.tema, '#000000');
      assert.equal(datos.etiqueta, 'Entrada de la terminal');
      for (const direccion of datos.urls) {
        assert.doesNotMatch(direccion, /^(\/|[a-z]+:)/, `${direccion} is not relative`);
      }
      assert.ok(datos.foco, 'the terminal has the focus');
      assert.equal(datos.estado, null);
      assert.equal(datos.tactil, 'none', 'no touch keys without a touch screen');
      assert.ok(datos.otraVez, 'no "Jugar otra vez" while the game runs');
      await p.esperarLineas(menu, 'the menu');
      // The page painted the game's menu from its HTML alone, hidden from
      // a screen reader (the live region says it), and gave it up to the
      // game's.
      const { primera, queda } = await p.pestana.evaluate(async () => {
        const pagina = new DOMParser().parseFromString(await (await fetch('./')).text(), 'text/html');
        const copia = pagina.getElementById('primera');
        return {
          primera: { lineas: copia.textContent.split('\n'), oculta: copia.getAttribute('aria-hidden') },
          queda: document.getElementById('primera') !== null,
        };
      });
      assert.deepEqual(primera, { lineas: menu, oculta: 'true' });
      assert.equal(queda, false);
      // A player who asks for less motion gets a cursor that does not blink
      // (asked for in Chromium, whose protocol can).
      const parpadeo = () => p.pestana.evaluate(() => window.partida.terminal.options.cursorBlink);
      assert.equal(await parpadeo(), true);
      if (nombre === 'chromium') {
        await p.pestana.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
        await esperarA(parpadeo, (x) => x === false, 'the cursor to stop blinking');
      }
      // What the game shows is told by a live region from the start, and
      // axe-core finds nothing.
      assert.equal(await p.pestana.evaluate(() => document.getElementById('anuncios').ariaLive), 'polite');
      // Run by the driver itself: the page's policy allows no script
      // written into it.
      const axe = fs.readFileSync(path.join(carpetaNpm, 'node_modules/axe-core/axe.min.js'), 'utf8');
      await (nombre === 'webkit' ? p.pestana.ejecutar(axe) : p.pestana.evaluate(axe));
      const violaciones = await p.pestana.evaluate(async () => (await window.axe.run(document)).violations);
      assert.deepEqual(
        violaciones.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`),
        [],
      );
      // 80x24 on a desktop, the letters growing with the window; at a
      // phone's width (in WebKit, the narrowest its window goes), letters of
      // 14 px and fewer columns. Nothing scrolls sideways, and the terminal
      // is wholly in the window.
      const vistas = [];
      for (const ancho of [1280, 1000, nombre === 'webkit' ? anchoMinimo : 420]) {
        await p.pestana.setViewport({ width: ancho, height: 800 });
        // The window's resize is handled before the next frame.
        await p.pestana.evaluate(() => new Promise((listo) => requestAnimationFrame(listo)));
        vistas.push(await p.medidas());
      }
      assert.deepEqual(vistas.map((m) => [m.columnas, m.filas]).slice(0, 2), [
        [80, 24],
        [80, 24],
      ]);
      assert.ok(vistas[0].letra > vistas[1].letra && vistas[1].letra >= 14, JSON.stringify(vistas));
      assert.ok(vistas[2].columnas < 80 && vistas[2].letra === 14, JSON.stringify(vistas[2]));
      for (const m of vistas) {
        assert.ok(
          !m.desplazable && m.terminal.derecha <= m.ventana.ancho && m.terminal.abajo <= m.ventana.alto,
          JSON.stringify(m),
        );
      }
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

    // What a blind player hears: after each step, what the page's live
    // region was given to say, each announcement once and in order (each
    // one its lines). A board is said as its cells, row by row.
    test('a blind player hears each new screen once, from the first, and Tab leaves the terminal and comes back', async () => {
      const p = await abrir();
      const { menuDicho, filas } = loQueOyeUnCiego();
      const region = () => p.pestana.evaluate(() => document.getElementById('anuncios').textContent);
      await esperarA(region, (t) => t === menuDicho.join('\n'), 'the menu said once the page has loaded');
      await p.pestana.evaluate(() => {
        window.addEventListener('keydown', (evento) => {
          if (evento.key === 'Tab' || evento.keyCode === 9) {
            window.tabImpedido = evento.defaultPrevented;
          }
        });
        window.dichos = [];
        const anuncios = document.getElementById('anuncios');
        new MutationObserver(() => window.dichos.push(anuncios.textContent)).observe(anuncios, {
          childList: true,
          subtree: true,
          characterData: true,
        });
      });
      const enTerminal = () => p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea);
      for (const [guion, esperados, foco] of filas) {
        const reposo = await p.reposo();
        for (const paso of pasos(guion)) {
          if (paso.tecla === 'ShiftTab') {
            await p.pestana.keyboard.down('Shift');
            await p.pestana.keyboard.press('Tab');
            await p.pestana.keyboard.up('Shift');
          } else {
            await p.enviar(paso);
          }
        }
        if (foco !== undefined) {
          // Tab is left to the browser, which moves the focus: out of the
          // page and back in Chromium; where the focus then goes when the
          // page has no other control differs between browsers.
          assert.equal(await p.pestana.evaluate(() => window.tabImpedido), false, `${guion} left to the browser`);
          if (nombre === 'chromium') {
            assert.equal(await enTerminal(), foco, `the terminal's focus after ${guion}`);
          } else {
            await p.pestana.evaluate(() => window.partida.terminal.focus());
          }
        }
        // Tab and Shift-Tab give the game no key.
        await p.esperarReposo(reposo, foco === undefined, guion);
        const dichos = esperados.map((lineas) => lineas.join('\n'));
        await esperarA(
          () => p.pestana.evaluate(() => window.dichos),
          (d) => JSON.stringify(d) === JSON.stringify(dichos),
          `what is said after ${guion}: ${JSON.stringify(dichos)}`,
        );
        await p.pestana.evaluate(() => {
          window.dichos = [];
        });
      }
    });

    // Wherever something takes the focus from the terminal without a key
    // of the player's (a script's blur, a screen reader setting its caret in
    // the heading or in the live region's text, as Orca does where its
    // reading stops), every key of a game reaches the game, in order, and
    // the terminal has the keyboard again after it.
    test('every key reaches the game wherever the focus or the selection was put, and the terminal takes the keyboard back', async () => {
      const p = await abrir();
      await p.esperarLineas(menu, 'the menu');
      const fuera = {
        'the focus on the body': () => document.activeElement.blur(),
        'the selection in the heading': () => getSelection().collapse(document.querySelector('h1').firstChild, 3),
        "the selection in the live region's text": () => {
          const region = document.getElementById('anuncios');
          getSelection().collapse(document.createTreeWalker(region, NodeFilter.SHOW_TEXT).nextNode() ?? region, 0);
        },
      };
      const formas = Object.entries(fuera);
      for (const [i, paso] of pasos('2 Í ñ <Left> <BSpace> <End> igo <Enter> Luis <Enter> 1 4 2 5 3').entries()) {
        const [como, llevar] = formas[i % formas.length];
        const reposo = await p.reposo();
        await p.pestana.evaluate(llevar);
        await p.enviar(paso);
        await p.esperarReposo(reposo, true, `${JSON.stringify(paso)} typed with ${como}`);
        await esperarA(
          () => p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea),
          (si) => si,
          `the terminal to have the keyboard after ${JSON.stringify(paso)} typed with ${como}`,
        );
      }
      await p.esperarTexto('Felicidades ganastes ñigo!!');
    });

    test("the menu's key is not a name's first letter, with xterm.js's screen reader mode on too", async () => {
      const p = await abrir();
      await p.esperarLineas(menu, 'the menu');
      // In that mode xterm.js lets the browser type the key into its field
      // as well.
      await p.pestana.evaluate(() => {
        window.partida.terminal.options.screenReaderMode = true;
      });
      await p.enviar(texto('2'));
      await p.esperarTexto('Cual es el nombre del primer jugador:');
      await p.pestana.keyboard.type('Ana\rLuis\r');
      await p.esperarTexto(' | 1 | 2 | 3 |');
      await p.pestana.keyboard.type('14253');
      await p.esperarTexto('Felicidades ganastes Ana!!');
    });

    test('a two-player game with edited names, refusals and the question, step by step as the native build', async () => {
      const p = await abrir();
      await aLaPar(
        p,
        pasos(
          '2 Añoz <BSpace> <Left> <Left> <Delete> <Home> X <End> ñ <Escape> Íñigo_Muñoz <Left> <Enter> ' +
            'Begoña <Enter> 1 4 1 <Space> 2 <Up> 5 q w 3 <Space> x <Space> y ' +
            // Two spaces typed in a row stay two spaces (WebKit's editing
            // would make the second a no-break space). A C1 control typed
            // (CSI, which would clear the screen) is a key, not text: never
            // echoed, never in the name.
            '2 Ana__Luisa\u009b2J <Enter> Luis <Enter> 5 1 9 3 2 8 7 4 6 <Space>',
        ),
      );
      await p.esperarTexto('El juego ha terminado desea continuar (Y/N).');
      await p.enviar(texto('n'));
      await p.esperarEstado(0);
    });

    test('the winner is named as typed, and keys typed ahead of the game are kept in order', async () => {
      const p = await abrir();
      // All at once, before the game has read any of it; with a C1 control
      // in it (CSI, then "2J", which would clear the screen), a key the
      // name never takes.
      await p.pestana.keyboard.type('2Íñigo\u009b2J Muñoz\rBegoña\r14253');
      await p.esperarTexto('Felicidades ganastes Íñigo2J Muñoz!!');
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

    test('keys typed on the menu the page paints before the game has loaded reach the game', async (contexto) => {
      if (nombre !== 'chromium') {
        contexto.skip("the game's modules are held back through Chromium's protocol only");
        return;
      }
      if (pagina) {
        await pagina.pestana.close();
        pagina = null;
      }
      // A context of its own, with no service worker from the tests before,
      // which would serve the modules past the interception.
      const propio = await navegador.createBrowserContext();
      try {
        const pestana = await propio.newPage();
        const p = new Pagina(pestana);
        // The game's modules held back until the keys are typed.
        let soltar;
        const suelto = new Promise((listo) => {
          soltar = listo;
        });
        await pestana.setRequestInterception(true);
        pestana.on('request', (pedido) =>
          pedido.url().endsWith('/partida.mjs') ? suelto.then(() => pedido.continue()) : pedido.continue(),
        );
        await pestana.goto(url);
        await esperarA(
          () => pestana.evaluate(() => [document.getElementById('primera') !== null, window.partida === undefined]),
          (estado) => estado.every(Boolean),
          "the page's menu, with no game yet",
        );
        await pestana.keyboard.type('2Ana\rLuis\r');
        await pestana.evaluate(() => document.querySelector('#tactil button[data-tecla="1"]').click());
        await pestana.keyboard.type('4253');
        soltar();
        await p.cargada();
        await p.esperarTexto('Felicidades ganastes Ana!!');
      } finally {
        await propio.close();
      }
    });

    // Where the browser puts the field's caret is not the player's move: a
    // keyboard's text inserted with the caret still before it when its
    // input event comes (as Chromium's insertion sometimes leaves it), and
    // the focus coming back with the caret restored elsewhere, move no
    // cursor of the game's.
    test("the field's caret as the browser leaves it moves no cursor of the game's", async () => {
      const p = await abrir();
      await p.esperarLineas(menu, 'the menu');
      await p.enviar(texto('2'));
      await p.esperarTexto('Cual es el nombre del primer jugador:');
      const insertarAntes = (letras) =>
        p.pestana.evaluate((t) => {
          const campo = window.partida.terminal.textarea;
          campo.setRangeText(t, campo.selectionStart, campo.selectionEnd, 'start');
          campo.dispatchEvent(new InputEvent('input', { inputType: 'insertText', data: t, bubbles: true }));
        }, letras);
      await insertarAntes('Í');
      await insertarAntes('ñ');
      await p.enviar(texto('igo'));
      await p.pestana.evaluate(() => {
        const campo = window.partida.terminal.textarea;
        campo.setSelectionRange(0, 0);
        campo.dispatchEvent(new FocusEvent('focus'));
      });
      await p.pestana.keyboard.type(' Muñoz\rB\r14253');
      await p.esperarTexto('Felicidades ganastes Íñigo Muñoz!!');
    });

    test('a whole game against the computer, its first screens as the native build, then "Jugar otra vez"', async () => {
      const p = await abrir();
      const nativa = new Nativo();
      try {
        await nativa.esperarAsentada((x) => x.lineas[5] === menu[5], 'the native menu');
        for (const lado of [nativa, p]) {
          await lado.enviar(texto('1'));
        }
        const primera = await nativa.esperarAsentada((x) => x.lineas[0] === '---------------', 'the native board');
        await esperarA(
          () => p.leerRecortada(),
          (x) => iguales(x, primera),
          'the first board',
          comoTexto,
        );
        // After the first move the computer's reply is random: the two are
        // compared by their layout, every cell's mark hidden.
        const forma = (x) => comoTexto({ ...x, lineas: x.lineas.map((l) => l.replace(/ \| [1-9XO]/g, ' | #')) });
        for (const lado of [nativa, p]) {
          await lado.enviar(texto('5'));
        }
        const segunda = await nativa.esperarAsentada((x) => (x.lineas[3] ?? '').includes('X'), 'the native reply');
        await esperarA(
          () => p.leerRecortada(),
          (x) => (x.lineas[3] ?? '').includes('X') && forma(x) === forma(segunda),
          'the reply',
          comoTexto,
        );
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
        await esperarA(
          () => p.leerRecortada(),
          (y) => !iguales(x, y),
          'the next screen',
          comoTexto,
        );
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

    test('installable, playable offline, and a new release shown within three reloads', async (contexto) => {
      if (nombre === 'firefox') {
        contexto.skip('the service worker is tested in Chromium and WebKit');
        return;
      }
      // A copy of the site of the test's own, served on a port of its own.
      const copia = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-sitio-'));
      vigilar('carpeta', copia);
      fs.cpSync(sitio, copia, { recursive: true });
      let propio = await servir(copia);
      const puerto = propio.address().port;
      try {
        const p = await abrir({ direccion: `http://127.0.0.1:${puerto}/` });
        const { pestana } = p;
        await pestana.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        await pestana.waitForFunction(() => navigator.serviceWorker.controller !== null);
        // Installability as Chromium judges it; WebKit has no such check.
        if (nombre === 'chromium') {
          const cdp = await pestana.createCDPSession();
          assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
        }
        // No network at all: the server is gone.
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        await p.recargar();
        await p.esperarLineas(menu, 'the menu offline');
        await p.enviar(texto('2'));
        await p.esperarTexto('Cual es el nombre del primer jugador:');
        await pestana.keyboard.type('Ana\rLuis\r14253');
        await p.esperarTexto('Felicidades ganastes Ana!!');
        // The site rebuilt with one change, its title, and its worker
        // written anew as the build writes it.
        const indice = path.join(copia, 'index.html');
        const publicar = (titulo) => {
          fs.writeFileSync(
            indice,
            fs.readFileSync(indice, 'utf8').replace(/<title>[^<]*<\/title>/, `<title>${titulo}</title>`),
          );
          execFileSync('cmake', [
            `-DSITIO=${copia}`,
            `-DPLANTILLA=${path.join(raiz, 'web/servicio.js')}`,
            '-P',
            path.join(raiz, 'web/huella.cmake'),
          ]);
        };
        publicar('Tres en rayas 2');
        // Served again where it was.
        propio = await servir(copia, puerto);
        const titulos = [];
        const viejas = await pestana.evaluate(() => caches.keys());
        for (let recarga = 0; recarga < 3 && titulos.at(-1) !== 'Tres en rayas 2'; recarga++) {
          await p.recargar();
          await p.esperarLineas(menu, 'the menu after a reload');
          titulos.push(await pestana.title());
          if (titulos.at(-1) === 'Tres en rayas 2') {
            break;
          }
          // Before reloading again, as a player would after a while: the
          // browser looks for a new worker once a page has loaded, and this
          // waits until it has installed the new release, however long a
          // busy machine makes that.
          await esperarA(
            () =>
              pestana.evaluate(async (viejas) => {
                const registro = await navigator.serviceWorker.getRegistration();
                const nuevas = (await caches.keys()).filter((cache) => !viejas.includes(cache));
                return (
                  registro.installing === null &&
                  registro.waiting === null &&
                  registro.active?.state === 'activated' &&
                  nuevas.length > 0
                );
              }, viejas),
            (instalada) => instalada,
            `the new release installed after reload ${recarga + 1} (titles: ${titulos})`,
          );
        }
        assert.equal(titulos.at(-1), 'Tres en rayas 2', `titles after each reload: ${titulos}`);
        // The old release's cache is gone.
        assert.equal((await pestana.evaluate(() => caches.keys())).length, 1);
        // A third release deployed mixed: one file changed after its worker
        // was written. Its install fails, and the second keeps playing
        // offline.
        publicar('Tres en rayas 3');
        fs.appendFileSync(path.join(copia, 'partida.css'), '\n/* half a deploy */\n');
        const estadoNuevo = await pestana.evaluate(async () => {
          const registro = await navigator.serviceWorker.getRegistration();
          await registro.update();
          const nuevo = registro.installing;
          if (nuevo === null) {
            return 'no new worker';
          }
          while (nuevo.state === 'installing') {
            await new Promise((listo) => nuevo.addEventListener('statechange', listo, { once: true }));
          }
          return nuevo.state;
        });
        assert.equal(estadoNuevo, 'redundant', 'the mixed release is not installed');
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        await p.recargar();
        await p.esperarLineas(menu, 'the menu offline after a mixed deploy');
        assert.equal(await pestana.title(), 'Tres en rayas 2');
        assert.equal((await pestana.evaluate(() => caches.keys())).length, 1);
      } finally {
        propio.closeAllConnections();
        propio.close();
        fs.rmSync(copia, { recursive: true, force: true });
      }
    });

    // Two copies of the site on one origin (two projects of one user on a
    // static host), each installed: each keeps its own offline copy, and
    // both play with no network.
    test('two copies of the site on one origin each play offline', async (contexto) => {
      if (nombre === 'firefox') {
        contexto.skip('the service worker is tested in Chromium and WebKit');
        return;
      }
      const raizPropia = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-sitios-'));
      vigilar('carpeta', raizPropia);
      for (const copia of ['a', 'b']) {
        fs.cpSync(sitio, path.join(raizPropia, copia), { recursive: true });
      }
      const propio = await servir(raizPropia);
      const base = `http://127.0.0.1:${propio.address().port}`;
      try {
        let p;
        for (const copia of ['a', 'b']) {
          p = await abrir({ direccion: `${base}/${copia}/` });
          await p.pestana.evaluate(() => navigator.serviceWorker.ready.then(() => true));
          await p.pestana.waitForFunction(() => navigator.serviceWorker.controller !== null);
        }
        assert.equal((await p.pestana.evaluate(() => caches.keys())).length, 2);
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        for (const copia of ['b', 'a']) {
          await p.pestana.goto(`${base}/${copia}/`);
          await p.cargada();
          await p.esperarLineas(menu, `the menu of /${copia}/ offline`);
        }
        await p.enviar(texto('2'));
        await p.esperarTexto('Cual es el nombre del primer jugador:');
        await p.pestana.keyboard.type('Ana\rLuis\r14253');
        await p.esperarTexto('Felicidades ganastes Ana!!');
      } finally {
        propio.closeAllConnections();
        propio.close();
        fs.rmSync(raizPropia, { recursive: true, force: true });
      }
    });

    test('Lighthouse, mobile and desktop: accessibility, best practices and SEO at 100', async (contexto) => {
      if (nombre !== 'chromium') {
        contexto.skip('Lighthouse runs in Chromium');
        return;
      }
      const { default: lighthouse } = await import(path.join(carpetaNpm, 'node_modules/lighthouse/core/index.js'));
      const { default: escritorio } = await import(
        path.join(carpetaNpm, 'node_modules/lighthouse/core/config/desktop-config.js')
      );
      const categorias = ['accessibility', 'best-practices', 'seo'];
      const puertoDepuracion = Number(new URL(navegador.wsEndpoint()).port);
      // Lighthouse's logger sets DEBUG in this process's environment, which
      // every program a later test starts would inherit (xdotool then prints
      // each command it runs): it is put back as it was.
      const depuracion = process.env.DEBUG;
      try {
        for (const config of [undefined, escritorio]) {
          const { lhr } = await lighthouse(
            url,
            { port: puertoDepuracion, onlyCategories: categorias, logLevel: 'error' },
            config,
          );
          const notas = Object.fromEntries(categorias.map((c) => [c, lhr.categories[c].score]));
          const fallos = Object.values(lhr.audits).filter(
            (a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === 'binary',
          );
          assert.deepEqual(
            notas,
            { accessibility: 1, 'best-practices': 1, seo: 1 },
            `${lhr.configSettings.formFactor}: ${fallos.map((a) => a.id)}`,
          );
        }
      } finally {
        if (depuracion === undefined) {
          delete process.env.DEBUG;
        } else {
          process.env.DEBUG = depuracion;
        }
      }
    });

    // Names typed through an input method: a phone's own keyboard (the
    // page with touch, at a phone's size), or an input method of a desktop.
    for (const tactil of [true, false]) {
      test(`names typed through ${tactil ? "a phone's own keyboard" : 'an input method on a desktop'}, as the native build gets them`, async (contexto) => {
        if (nombre !== 'chromium') {
          contexto.skip("input methods are played through Chromium's protocol only");
          return;
        }
        const p = await abrir(tactil ? { ancho: 390, alto: 844, tactil } : {});
        // Dictated past what the line holds: what the game has no room for
        // leaves the field too.
        const dictado = `María${' de la Santisima Trinidad y de todos los Santos'.repeat(6)}`;
        const cabe = `${Buffer.from(dictado).subarray(0, capacidadEdicionMaxima).toString()}|`;
        await aLaPar(p, [
          ...pasos(tactil ? '[2]' : '2'),
          ...tecleo([
            // A word composed letter by letter, and autocorrect committing
            // another.
            ...[...'Begon'].map((letra, i) => [componer('Begon'.slice(0, i + 1)), letra]),
            [confirmar('Begoña '), '<BSpace> ña_', 'Begoña |'],
            // Backspace into the committed word, which is composed again,
            // and inside the composition.
            [componer('Begoña', [0, 7]), '<BSpace>'],
            [componer('Begoñ'), '<BSpace>'],
            [componer('Begoña'), 'a'],
            [confirmar('Begoña'), '', 'Begoña|'],
            // The caret moved back in the field: typing there, then erasing
            // there.
            [caret(3), '<Left> <Left> <Left>', 'Beg|oña'],
            [componer('X'), 'X'],
            [confirmar('X'), '', 'BegX|oña'],
            [borrar, '<BSpace>', 'Beg|oña'],
            [caret(2), '<Left>'],
            [borrar, '<BSpace>', 'B|goña'],
            [caret(5), '<End>'],
            // The name ends, and the field holds nothing of it.
            ['<Enter>', null, '|'],
            // A second name: a long dictation, Escape on a hardware
            // keyboard, a word committed with its events in the other order,
            // then a phrase with ñ and accents, ended by the keyboard's Enter
            // as a line break in the field.
            [confirmar(dictado), [texto(dictado)], cabe],
            ['<Escape>', null, '|'],
            [alReves('María '), [texto('María ')]],
            [confirmar('José Ñúñez'), [texto('José Ñúñez')], 'María José Ñúñez|'],
            // A word composed, and a correction committed over it: of the
            // same length, then of another; each followed by more typing,
            // which goes where the correction ends.
            [confirmar(' '), '_'],
            ...[...'Ama'].map((letra, i) => [componer('Ama'.slice(0, i + 1)), letra]),
            [confirmar('Ana'), '<BSpace> <BSpace> n a', 'María José Ñúñez Ana|'],
            [confirmar(' '), '_', 'María José Ñúñez Ana |'],
            ...[...'Perz'].map((letra, i) => [componer('Perz'.slice(0, i + 1)), letra]),
            [confirmar('Pérez'), '<BSpace> <BSpace> <BSpace> é r e z', 'María José Ñúñez Ana Pérez|'],
            // The same inside the name: the caret put in a word, the word
            // composed again, a suggestion committed over it, more typing.
            [caret(18), Array(8).fill(tecla('Left'))],
            [componer('Ana', [17, 20]), '<Right> <Right>'],
            [confirmar('Ada'), '<Left> <BSpace> d <Right>', 'María José Ñúñez Ada| Pérez'],
            [confirmar('m'), 'm', 'María José Ñúñez Adam| Pérez'],
            [caret(8), Array(13).fill(tecla('Left'))],
            [componer('José', [6, 10]), '<Right> <Right>'],
            [confirmar('Josué'), '<Left> u <Right>', 'María Josué| Ñúñez Adam Pérez'],
            [confirmar(' Ana'), [texto(' Ana')], 'María Josué Ana| Ñúñez Adam Pérez'],
            [confirmar('\n'), '<Enter>', '|'],
          ]),
          ...pasos(tactil ? '[1] [4] [2] [5] [9] [6]' : '1 4 2 5 9 6'),
        ]);
        await esperarA(
          () => p.leerRecortada(),
          // Wrapped where the grid is narrow: the words, without the spaces.
          (x) => x.lineas.join('').replaceAll(' ', '').includes('FelicidadesganastesMaríaJosuéAnaÑúñezAdamPérez!!'),
          'the winner named',
          comoTexto,
        );
      });
    }

    // Phones upright and sideways, in Chromium's emulation with touch.
    for (const [ancho, alto] of [
      [390, 844],
      [844, 390],
      [360, 740],
      [740, 360],
    ]) {
      test(`a phone of ${ancho}x${alto}: legible, a keypad like the board, a whole game tapped as the native build plays it`, async (contexto) => {
        if (nombre !== 'chromium') {
          contexto.skip('touch screens are emulated in Chromium only (Firefox and WebKitGTK have no touch emulation)');
          return;
        }
        const p = await abrir({ ancho, alto, tactil: true });
        const m = await p.medidas();
        assert.ok(m.letra >= 14 && m.columnas <= 80 && m.filas <= 24 && !m.desplazable, JSON.stringify(m));
        // The terminal and the keypad in view, the keys in three columns,
        // each at least 48x48, under the terminal upright and beside it
        // sideways.
        const [uno, dos, , cuatro] = m.teclas;
        assert.equal(m.teclas.length, 12);
        assert.ok(dos.x > uno.x && cuatro.y > uno.y && cuatro.x === uno.x, JSON.stringify(m.teclas));
        for (const caja of [m.terminal, ...m.teclas]) {
          assert.ok(caja.x >= 0 && caja.y >= 0 && caja.derecha <= ancho && caja.abajo <= alto, JSON.stringify(caja));
        }
        assert.ok(
          m.teclas.every((t) => t.ancho >= 48 && t.alto >= 48),
          JSON.stringify(m.teclas),
        );
        assert.ok(alto > ancho ? uno.y >= m.terminal.abajo : uno.x >= m.terminal.derecha, JSON.stringify(m));
        assert.ok(await p.pestana.evaluate(() => document.getElementById('aviso-teclado').offsetHeight > 0));
        // A name long enough to wrap, typed on the phone's keyboard, which
        // comes up with the terminal's focus when the game asks for it; the
        // phone turned while it is half typed, and back on the board.
        await aLaPar(
          p,
          pasos(
            '[N] [Intro] [2] Maria_Jose_de_los_Angeles_Fernandez_Peña_Ruiz {girar} <BSpace> [Intro] Begoña [Intro] ' +
              '[1] [4] [1] {girar} [Intro] [2] [5] [3] [Intro] [Y]',
          ),
        );
        assert.equal(
          await p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea),
          false,
        );
        await p.tocar('3');
        await p.esperarEstado(0);
      });
    }
  });
}

// What a screen reader says: Orca, with the page in Chromium and in Firefox
// on a desktop of the test's own, keys typed as a person types them. After
// each step of what a blind player hears, what reached the synthesizer
// since the step before holds each announcement, in order, and each as
// often as it was made: the menu is heard once the page has loaded, and
// never twice. Run when TRES_EN_RAYAS_ORCA is 1, as tools/navegadores
// runs it (it needs Debian's orca, speech-dispatcher, at-spi2-core,
// python3-pyatspi, openbox, dbus and xdotool), and never beside another
// Orca of the same user, beside which Orca does not start.
const conOrca = process.env.TRES_EN_RAYAS_ORCA === '1';
for (const nombre of conOrca ? todos.filter((motor) => motor !== 'webkit') : []) {
  describe(`${nombre} with Orca`, () => {
    let carpeta;
    let lector;
    let navegador;
    // How much Orca had said before the browser started.
    let antes;
    before(async () => {
      carpeta = fs.mkdtempSync(path.join(os.tmpdir(), `tres-en-rayas-orca-${nombre}-`));
      vigilar('carpeta', carpeta);
      lector = await abrirLector({ carpeta, vigilar, esperarA });
      const perfil = path.join(carpeta, 'perfil');
      antes = lector.dicho().length;
      navegador = await puppeteer.launch(
        nombre === 'chromium'
          ? {
              ...lanzamientos.chromium,
              args: [...lanzamientos.chromium.args, '--force-renderer-accessibility', url],
              // No bar saying the browser is driven, which would take a Tab.
              ignoreDefaultArgs: ['--enable-automation'],
              headless: false,
              userDataDir: perfil,
              env: lector.entorno,
            }
          : {
              ...lanzamientos.firefox,
              args: [url],
              headless: false,
              userDataDir: perfil,
              env: lector.entorno,
              extraPrefsFirefox: { 'accessibility.force_disabled': -1 },
            },
      );
      vigilar('pid', navegador.process().pid);
    });
    after(async () => {
      await navegador?.close();
      await lector?.cerrar();
      fs.rmSync(carpeta, { recursive: true, force: true });
    });

    test('Orca says each new screen of the game once, from the first, and the focus leaves and comes back', async () => {
      const pestana = await (await navegador.waitForTarget((destino) => destino.url() === url)).page();
      const p = new Pagina(pestana);
      // A text as heard: the words, without punctuation or capitals.
      const oido = (texto) =>
        texto
          .toLowerCase()
          .replace(/[.,:;!¡?¿()/]/g, ' ')
          .replace(/\s+/g, ' ')
          .trim();
      const veces = (texto, parte) => texto.split(parte).length - 1;
      // What was said since the step before holds each announcement (its
      // lines), in order and as often as expected.
      async function oir(anuncios, que) {
        const esperados = anuncios.map((lineas) => oido(lineas.join(' ')));
        // The next step's speech starts where the one that matched ended.
        const dicho = await esperarA(
          () => lector.dicho().slice(antes),
          (nuevo) => {
            const texto = oido(nuevo);
            let desde = 0;
            for (const anuncio of esperados) {
              desde = texto.indexOf(anuncio, desde);
              if (desde < 0) {
                return false;
              }
              desde += anuncio.length;
            }
            return esperados.every(
              (anuncio) => veces(texto, anuncio) === esperados.filter((otro) => otro === anuncio).length,
            );
          },
          `Orca to say after ${que}: ${JSON.stringify(esperados)}`,
          (nuevo) => oido(nuevo),
        );
        antes += dicho.length;
      }
      const { menuDicho, filas } = loQueOyeUnCiego();
      // The browser opened the page as it started, as a player opens it.
      await oir([menuDicho], 'the load');
      const enTerminal = () =>
        pestana.evaluate(() => document.hasFocus() && document.activeElement === window.partida?.terminal.textarea);
      await esperarA(enTerminal, (si) => si, "the page's terminal to have the keyboard");
      // Where the page's focus and selection go, with the keys that reach
      // it once it has loaded: what a failed step prints beside Orca's log.
      await pestana.evaluate(() => {
        window.registroFoco = [];
        const nombrar = (elemento) =>
          elemento ? `${elemento.nodeName}${elemento.id ? `#${elemento.id}` : ''}` : 'nothing';
        const anotar = (texto) => window.registroFoco.push(`${(performance.now() / 1000).toFixed(3)} s: ${texto}`);
        for (const tipo of ['focusin', 'focusout']) {
          window.addEventListener(
            tipo,
            (e) => anotar(`${tipo} ${nombrar(e.target)}, then ${nombrar(e.relatedTarget)}`),
            true,
          );
        }
        document.addEventListener('selectionchange', () =>
          anotar(
            `the selection in ${nombrar(getSelection().anchorNode?.parentElement)}, ` +
              `the focus on ${nombrar(document.activeElement)}`,
          ),
        );
        window.addEventListener('keydown', (e) => anotar(`keydown ${e.key} on ${nombrar(e.target)}`), true);
      });
      const teclas = {
        '<Space>': 'space',
        '<Enter>': 'Return',
        '<Tab>': 'Tab',
        '<ShiftTab>': 'shift+Tab',
      };
      for (const [guion, esperados, foco] of filas) {
        const reposo = await p.reposo();
        lector.teclear(...guion.split(' ').map((palabra) => teclas[palabra] ?? { texto: palabra }));
        if (foco !== undefined) {
          // Tab leaves the page for the browser's own controls, and
          // Shift-Tab comes back to the terminal. The browser takes the
          // keyboard from the page a moment after the page lets it go; the
          // test's Shift-Tab, as a player's, comes once it has, so that the
          // browser's controls, and not the page on its way out, take it.
          const dondeDebe = foco ? enTerminal : () => pestana.evaluate(() => !document.hasFocus());
          await esperarA(dondeDebe, (si) => si, `the terminal's focus after ${guion} to be ${foco}`);
          if (foco) {
            // Back in the page, the player hears where the focus is before
            // typing on: Orca has then left the browse mode the document
            // put it in on the way.
            await esperarA(
              () => oido(lector.dicho().slice(antes)),
              (texto) => texto.includes('entrada de la terminal'),
              `Orca to say the terminal has the focus after ${guion}`,
            ).catch((error) => {
              error.message += `\n${lector.diagnostico()}`;
              throw error;
            });
          }
        }
        await p.esperarReposo(reposo, foco === undefined, guion).catch(async (error) => {
          const pagina = await pestana.evaluate(
            () =>
              `${document.hasFocus()} ${document.activeElement?.outerHTML.slice(0, 80)}\n` +
              `the page's focus and selection:\n${window.registroFoco.slice(-30).join('\n')}`,
          );
          error.message += `\nthe page's focus: ${pagina}\n${lector.diagnostico()}`;
          throw error;
        });
        await oir(esperados, guion);
      }
      assert.deepEqual(await pestana.evaluate(() => window.fallosDePagina), []);
    });
  });
}
