// The game's WebAssembly: compiled once, and one instance of it for each
// game, with its system calls (WASI) and the page's three imports.
//
// The game reads its keys in a blocking loop, as on any console. Here its
// import navegador.leer_byte hands over the next byte typed; when none is
// there yet, the game is suspended (binaryen's asyncify unwinds its stack
// into a page of its memory) until a key comes or the wait it asked for runs
// out, and then resumed where it stopped. That needs no threads, so no
// SharedArrayBuffer and no special headers: any static file host serves it.

import WASI, { WASIProcExit } from './wasi/wasi.js';
import { OpenFile, File, ConsoleStdout } from './wasi/fs_mem.js';

// The page of memory where the game's stack is kept while it waits.
const paginaWasm = 65536;
const deUtf8 = new TextDecoder();

// Compiled while it downloads (the page asked for it early); a host that
// serves it with another type gets it compiled once it is all here.
export function compilar(url) {
  return fetch(url).then((respuesta) => {
    if (!respuesta.ok) {
      throw new Error(`${respuesta.status} ${respuesta.statusText}`);
    }
    if (respuesta.headers.get('content-type') === 'application/wasm') {
      return WebAssembly.compileStreaming(respuesta);
    }
    return respuesta.arrayBuffer().then((bytes) => WebAssembly.compile(bytes));
  });
}

// Plays one game of the compiled module. teclas: the key queue (tomar,
// esperar, each for a wait of so many milliseconds). escribir(bytes): the game's output. pideLinea(si): the game
// starts or ends reading a name. lineaEditada(texto, cursor): the name as it
// stands before each key, its cursor in characters. alEsperar(): the game
// waits for a key. Answers { fin, abandonar }: fin resolves with the exit
// status (1 with a message when the game cannot load); a game abandoned
// never runs again.
export function jugar(modulo, { teclas, escribir, pideLinea, lineaEditada, alEsperar }) {
  let abandonada = false;
  const salida = new ConsoleStdout(escribir);
  const wasi = new WASI(['tres-en-rayas'], [], [new OpenFile(new File([])), salida, salida], { debug: false });
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
      const byte = teclas.tomar(esperaMs);
      if (byte !== undefined) {
        return byte;
      }
      alEsperar();
      // Nothing typed yet: the game's stack goes into its page, and the
      // game returns to correr, which waits and then resumes it.
      const vista = new DataView(asyncify.memory.buffer);
      vista.setInt32(datos, datos + 8, true);
      vista.setInt32(datos + 4, datos + paginaWasm, true);
      asyncify.asyncify_start_unwind(datos);
      suspendida = true;
      espera = teclas.esperar(esperaMs);
      return 0;
    },
    pide_linea(pide) {
      pideLinea(pide !== 0);
    },
    // The line and its cursor, in bytes of the game's memory.
    linea_editada(texto, largo, cursor) {
      const memoria = new Uint8Array(instancia.exports.memory.buffer, texto, largo);
      lineaEditada(deUtf8.decode(memoria), [...deUtf8.decode(memoria.subarray(0, cursor))].length);
    },
  };

  // What an abandoned game answers: nothing, ever.
  const nunca = new Promise(() => {});

  async function correr() {
    try {
      instancia = await WebAssembly.instantiate(await modulo, {
        wasi_snapshot_preview1: wasi.wasiImport,
        navegador,
      });
    } catch (error) {
      if (abandonada) {
        return nunca;
      }
      // Opened as a file, or a server that does not serve the .wasm.
      escribir(new TextEncoder().encode(`No se pudo cargar el juego (tres-en-rayas.wasm): ${error.message}\r\n`));
      return 1;
    }
    if (abandonada) {
      return nunca;
    }
    wasi.inst = instancia;
    datos = instancia.exports.memory.grow(1) * paginaWasm;
    try {
      for (;;) {
        instancia.exports._start();
        if (!suspendida) {
          return 0; // main returned
        }
        instancia.exports.asyncify_stop_unwind();
        suspendida = false;
        byteTraido = await espera;
        if (abandonada) {
          return nunca;
        }
        rebobinando = true;
        instancia.exports.asyncify_start_rewind(datos);
      }
    } catch (error) {
      if (error instanceof WASIProcExit) {
        return error.code;
      }
      console.error(error);
      return 1;
    }
  }

  return {
    fin: correr(),
    abandonar() {
      abandonada = true;
    },
  };
}
