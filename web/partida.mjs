// The page: the game, compiled to WebAssembly, played in an xterm.js terminal
// of 80 columns and 24 rows.
//
// The game reads its keys in a blocking loop, as on any console. Here its
// one import, navegador.leer_byte, hands over the next byte typed; when none
// is there yet, the game is suspended (binaryen's asyncify unwinds its stack
// into a page of its memory) until a key comes or the wait it asked for runs
// out, and then resumed where it stopped. That needs no threads, so no
// SharedArrayBuffer and no special headers: any static file host serves it.
// The other system calls (standard output, the clock, the exit) go through
// the WASI shim.

import { Terminal } from './xterm.mjs';
import { WASI, WASIProcExit, OpenFile, File, ConsoleStdout } from './wasi/index.js';

const columnas = 80;
const filas = 24;
// What leer_byte answers when its wait ran out with nothing typed.
const sinByte = -2;
// The page of memory where the game's stack is kept while it waits.
const paginaWasm = 65536;

const contenedor = document.getElementById('terminal');
const botonOtraVez = document.getElementById('jugar-otra-vez');
const tactil = document.getElementById('tactil');
const lector = document.getElementById('lector');

// The grid never changes; only the letters grow or shrink with the window.
function tamanoLetra() {
  const ancho = Math.min(window.innerWidth, document.documentElement.clientWidth || window.innerWidth) - 16;
  const alto = window.innerHeight - (tactil.hidden ? 80 : 200);
  const porAncho = ancho / (columnas * 0.6);
  const porAlto = alto / (filas * 1.2);
  return Math.max(6, Math.min(24, Math.floor(Math.min(porAncho, porAlto))));
}

const terminal = new Terminal({
  cols: columnas,
  rows: filas,
  convertEol: true,
  cursorBlink: true,
  scrollback: 0,
  fontSize: tamanoLetra(),
  fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
});
terminal.open(contenedor);
window.addEventListener('resize', () => {
  terminal.options.fontSize = tamanoLetra();
});

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

const modulo = fetch(new URL('tres-en-rayas.wasm', import.meta.url))
  .then((respuesta) => {
    if (!respuesta.ok) {
      throw new Error(`${respuesta.status} ${respuesta.statusText}`);
    }
    return respuesta.arrayBuffer();
  })
  .then((bytes) => WebAssembly.compile(bytes));

// Each game is one instance of the module; a new game leaves the old one
// waiting forever, and it is then thrown away.
let actual = 0;

async function jugar(numero) {
  const salida = new ConsoleStdout((bytes) => terminal.write(bytes));
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
  window.partida.estado = null;
  botonOtraVez.hidden = true;
  terminal.reset();
  terminal.focus();
  jugar(actual);
}

window.partida = { terminal, estado: null, nueva };

botonOtraVez.addEventListener('click', nueva);

lector.addEventListener('change', () => {
  terminal.options.screenReaderMode = lector.checked;
});

// On a touch screen: the keys the game asks for, under the terminal. They
// type without taking the focus, so that the phone's keyboard stays away
// until the terminal is tapped, for a name.
if (window.matchMedia('(pointer: coarse)').matches) {
  tactil.hidden = false;
  terminal.options.fontSize = tamanoLetra();
}
tactil.addEventListener('pointerdown', (evento) => evento.preventDefault());
tactil.addEventListener('click', (evento) => {
  const boton = evento.target.closest('button');
  if (boton) {
    entregar(boton.dataset.tecla);
  }
});

nueva();
