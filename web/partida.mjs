// The page: the game, compiled to WebAssembly, played in an xterm.js terminal
// of 80 columns and 24 rows, or fewer where they would not be legible.
//
// The game reads its keys in a blocking loop, as on any console. Here its
// one import, navegador.leer_byte, hands over the next byte typed; when none
// is there yet, the game is suspended (binaryen's asyncify unwinds its stack
// into a page of its memory) until a key comes or the wait it asked for runs
// out, and then resumed where it stopped. That needs no threads, so no
// SharedArrayBuffer and no special headers: any static file host serves it.
// The other system calls (standard output, the clock, the exit) go through
// the WASI shim. A service worker keeps the site for playing offline.

import { Terminal } from './xterm.mjs';
import WASI, { WASIProcExit } from './wasi/wasi.js';
import { OpenFile, File, ConsoleStdout } from './wasi/fs_mem.js';

const columnas = 80;
const filas = 24;
// The letters never go below this, nor above the other.
const letraMinima = 14;
const letraMaxima = 24;
// What leer_byte answers when its wait ran out with nothing typed.
const sinByte = -2;
// The page of memory where the game's stack is kept while it waits.
const paginaWasm = 65536;

const pantalla = document.getElementById('pantalla');
const contenedor = document.getElementById('terminal');
const botonOtraVez = document.getElementById('jugar-otra-vez');
const tactil = document.getElementById('tactil');
const lector = document.getElementById('lector');
const esTactil = window.matchMedia('(pointer: coarse)').matches;
const sinMovimiento = window.matchMedia('(prefers-reduced-motion: reduce)');

// What screen readers announce of the terminal, in the page's language.
Terminal.strings.promptLabel = 'Entrada del terminal';
Terminal.strings.tooMuchOutput = 'Demasiado texto para leerlo en voz alta: recorra las filas para leerlas';

const terminal = new Terminal({
  cols: columnas,
  rows: filas,
  convertEol: true,
  cursorBlink: !sinMovimiento.matches,
  scrollback: 0,
  fontSize: letraMinima,
  fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
});
terminal.open(contenedor);
sinMovimiento.addEventListener('change', () => {
  terminal.options.cursorBlink = !sinMovimiento.matches;
});

// What the terminal shows: the bytes the game wrote since it last cleared
// the screen (with the game's own clear-screen sequence). When the grid
// changes, the screen is drawn again from them, as the game itself does in
// a terminal that changes size.
const limpiar = new TextEncoder().encode('\x1b[H\x1b[2J');
let enPantalla = new Uint8Array(0);

function anotar(bytes) {
  const todo = new Uint8Array(enPantalla.length + bytes.length);
  todo.set(enPantalla);
  todo.set(bytes, enPantalla.length);
  enPantalla = todo;
  // What was kept holds no clearing: only a sequence that ends in the new
  // bytes can be one, the last of them the one that counts.
  const desde = Math.max(0, todo.length - bytes.length - limpiar.length + 1);
  for (let i = todo.length - limpiar.length; i >= desde; i--) {
    if (limpiar.every((byte, j) => todo[i + j] === byte)) {
      enPantalla = todo.slice(i + limpiar.length);
      break;
    }
  }
}

// The grid in the terminal's box: 80x24 wherever they fit with letters of
// letraMinima or more, the letters then as large as the box allows; where
// they do not, the most columns and rows that fit at letraMinima.
function ajustar() {
  const antes = `${terminal.cols}x${terminal.rows}`;
  encajar();
  if (`${terminal.cols}x${terminal.rows}` !== antes) {
    terminal.write(limpiar);
    terminal.write(enPantalla);
  }
}

function encajar() {
  const ancho = pantalla.clientWidth;
  // The box's height, less the lines under the terminal and their gaps.
  const debajo = [...pantalla.children].filter((parte) => parte !== contenedor && parte.offsetHeight > 0);
  const alto = debajo.reduce((resto, parte) => resto - parte.offsetHeight - 8, pantalla.clientHeight);
  const rejilla = () => terminal.element.querySelector('.xterm-screen').getBoundingClientRect();
  const cabe = () => rejilla().width <= ancho && rejilla().height <= alto;
  terminal.options.fontSize = letraMinima;
  // A cell's size at letraMinima, from the grid as drawn.
  const celdaAncho = rejilla().width / terminal.cols;
  const celdaAlto = rejilla().height / terminal.rows;
  const escala = Math.min(ancho / (columnas * celdaAncho), alto / (filas * celdaAlto));
  if (escala >= 1) {
    terminal.resize(columnas, filas);
    let letra = Math.min(letraMaxima, Math.floor(letraMinima * escala));
    terminal.options.fontSize = letra;
    while (letra > letraMinima && !cabe()) {
      terminal.options.fontSize = --letra;
    }
    return;
  }
  let cols = Math.max(1, Math.min(columnas, Math.floor(ancho / celdaAncho)));
  let rows = Math.max(1, Math.min(filas, Math.floor(alto / celdaAlto)));
  terminal.resize(cols, rows);
  while (!cabe() && (cols > 1 || rows > 1)) {
    cols = Math.max(1, cols - (rejilla().width > ancho ? 1 : 0));
    rows = Math.max(1, rows - (rejilla().height > alto ? 1 : 0));
    terminal.resize(cols, rows);
  }
}
ajustar();
window.addEventListener('resize', ajustar);

// The bytes typed and not yet read by the game, in order, and the game's
// wait for them.
let teclas = [];
let despertar = null;
const utf8 = new TextEncoder();

function entregar(texto) {
  for (const byte of utf8.encode(texto)) {
    teclas.push(byte);
  }
  if (despertar) {
    despertar();
  }
}

terminal.onData(entregar);

// Resolves with the next byte typed, or sinByte when esperaMs milliseconds
// pass first (a negative wait has no limit).
function esperarByte(esperaMs) {
  return new Promise((resolver) => {
    let plazo;
    const alLlegar = () => {
      despertar = null;
      clearTimeout(plazo);
      resolver(teclas.shift());
    };
    despertar = alLlegar;
    if (esperaMs >= 0) {
      plazo = setTimeout(() => {
        if (despertar === alLlegar) {
          despertar = null;
        }
        resolver(sinByte);
      }, esperaMs);
    }
  });
}

// The site is kept by a service worker, for playing offline; a new release
// replaces it at the next visits. It is registered once the game waits for
// its first key, so that its downloads never delay the game's.
let sitioGuardado = false;
function guardarSitio() {
  if (!sitioGuardado && 'serviceWorker' in navigator) {
    sitioGuardado = true;
    navigator.serviceWorker.register('servicio.js').catch((error) => console.warn(error));
  }
}

// Compiled while it downloads (the page asked for it early); a host that
// serves it with another type gets it compiled once it is all here.
const modulo = fetch(new URL('tres-en-rayas.wasm', import.meta.url)).then((respuesta) => {
  if (!respuesta.ok) {
    throw new Error(`${respuesta.status} ${respuesta.statusText}`);
  }
  if (respuesta.headers.get('content-type') === 'application/wasm') {
    return WebAssembly.compileStreaming(respuesta);
  }
  return respuesta.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
});

// Each game is one instance of the module; a new game leaves the old one
// waiting forever, and it is then thrown away.
let actual = 0;

async function jugar(numero) {
  const salida = new ConsoleStdout((bytes) => {
    anotar(bytes);
    terminal.write(bytes);
  });
  const wasi = new WASI(['tres-en-rayas'], [], [new OpenFile(new File([])), salida, salida], {
    debug: false,
  });
  let instancia = null;
  let datos = 0;
  let suspendida = false;
  let rebobinando = false;
  let espera = null;
  let byteTraido = 0;

  const navegador = {
    leer_byte(esperaMs) {
      const asyncify = instancia.exports;
      if (rebobinando) {
        asyncify.asyncify_stop_rewind();
        rebobinando = false;
        return byteTraido;
      }
      if (teclas.length > 0) {
        return teclas.shift();
      }
      guardarSitio();
      // Nothing typed yet: the game's stack goes into its page, and the
      // game returns to jugar, which waits and then resumes it.
      const vista = new DataView(asyncify.memory.buffer);
      vista.setInt32(datos, datos + 8, true);
      vista.setInt32(datos + 4, datos + paginaWasm, true);
      asyncify.asyncify_start_unwind(datos);
      suspendida = true;
      espera = esperarByte(esperaMs);
      return 0;
    },
    // The game asks for a name (1), or has it (0): the keyboard's focus
    // goes to the terminal, so that a phone shows its keyboard where the
    // browser allows it, and on a touch screen leaves it after the name,
    // so that the keyboard no longer hides the keypad.
    pide_linea(pide) {
      if (numero !== actual) {
        return;
      }
      if (pide) {
        terminal.focus();
      } else if (esTactil) {
        terminal.blur();
      }
    },
  };

  try {
    instancia = await WebAssembly.instantiate(await modulo, {
      wasi_snapshot_preview1: wasi.wasiImport,
      navegador,
    });
  } catch (error) {
    // Opened as a file, or a server that does not serve the .wasm.
    terminal.write(`No se pudo cargar el juego (tres-en-rayas.wasm): ${error.message}\r\n`);
    terminar(numero, 1);
    return;
  }
  wasi.inst = instancia;
  datos = instancia.exports.memory.grow(1) * paginaWasm;

  let estado = 0;
  try {
    for (;;) {
      instancia.exports._start();
      if (!suspendida) {
        break; // main returned
      }
      instancia.exports.asyncify_stop_unwind();
      suspendida = false;
      byteTraido = await espera;
      if (numero !== actual) {
        return;
      }
      rebobinando = true;
      instancia.exports.asyncify_start_rewind(datos);
    }
  } catch (error) {
    if (error instanceof WASIProcExit) {
      estado = error.code;
    } else {
      console.error(error);
      estado = 1;
    }
  }
  terminar(numero, estado);
}

// The game ended: its status, and the button for another, which takes the
// keyboard's focus so that Enter starts it.
function terminar(numero, estado) {
  if (numero === actual) {
    window.partida.estado = estado;
    botonOtraVez.hidden = false;
    botonOtraVez.focus();
  }
}

function nueva() {
  actual += 1;
  despertar = null;
  teclas = [];
  enPantalla = new Uint8Array(0);
  window.partida.estado = null;
  botonOtraVez.hidden = true;
  terminal.reset();
  // On a touch screen the keypad plays, and the phone's keyboard stays
  // away until a name is asked for or the terminal is tapped.
  if (esTactil) {
    botonOtraVez.blur();
  } else {
    terminal.focus();
  }
  jugar(actual);
}

window.partida = { terminal, estado: null, nueva };

botonOtraVez.addEventListener('click', nueva);

lector.addEventListener('change', () => {
  terminal.options.screenReaderMode = lector.checked;
});

// The keypad types without taking the focus.
tactil.addEventListener('pointerdown', (evento) => evento.preventDefault());
tactil.addEventListener('click', (evento) => {
  const boton = evento.target.closest('button');
  if (boton) {
    entregar(boton.dataset.tecla);
  }
});

nueva();
