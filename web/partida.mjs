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
const deUtf8 = new TextDecoder();

function entregar(texto) {
  for (const byte of utf8.encode(texto)) {
    teclas.push(byte);
  }
  if (despertar) {
    despertar();
  }
}

// A name typed on a phone's own keyboard. Such keyboards seldom send keys:
// they edit the terminal's text field through the input method (a word
// composed letter by letter, autocorrect, a word taken back to be composed
// again, the caret moved, a phrase dictated). While the game reads a name,
// the page turns every change made to the field into the keys the game's
// line editor knows: the text put in as its bytes, the text taken out as
// Backspace or Delete, a caret moved as Left, Right, Home or End. The game
// tells the page its line before every key it reads; once it has read all
// it was sent, the field is made to hold exactly that line, so that a name
// edited with a hardware key, or text the line has no room for, shows there
// too. Only the field's text and caret are compared, never the events, so
// the order the browser delivers them in does not matter. xterm.js, which
// would send the field's changes in its own way, sees none of them while a
// name is read; outside a name it handles the keyboard as ever.
const campo = terminal.textarea;
let enNombre = false;
// The game's line once it has read what the page sent, and its cursor,
// counted in characters (code points), as the game's editor moves.
let linea = { texto: '', cursor: 0 };
const izquierda = '\x1b[D';
const derecha = '\x1b[C';
const inicio = '\x1b[H';
const fin = '\x1b[F';
const retroceso = '\x7f';
const suprimir = '\x1b[3~';
// The keyboard event being dispatched, for a key that xterm.js turns into
// bytes.
let teclaEnCurso = null;

// The keys that take the cursor from one character to another in a line of
// largo characters.
function mover(desde, hasta, largo) {
  if (hasta === desde) {
    return '';
  }
  if (hasta === 0 && desde > 1) {
    return inicio;
  }
  if (hasta === largo && largo - desde > 1) {
    return fin;
  }
  return (hasta < desde ? izquierda : derecha).repeat(Math.abs(hasta - desde));
}

// The field as it now stands, sent to the game as keys.
function seguirCampo() {
  const viejo = [...linea.texto];
  const nuevo = [...campo.value];
  let cursor = linea.cursor;
  let enviar = '';
  if (campo.value !== linea.texto) {
    let antes = 0;
    while (antes < viejo.length && antes < nuevo.length && viejo[antes] === nuevo[antes]) {
      antes += 1;
    }
    let despues = 0;
    while (despues < Math.min(viejo.length, nuevo.length) - antes && viejo.at(-1 - despues) === nuevo.at(-1 - despues)) {
      despues += 1;
    }
    // What went is erased from its nearer end.
    const quitados = viejo.length - antes - despues;
    if (quitados > 0 && Math.abs(cursor - antes) < Math.abs(cursor - antes - quitados)) {
      enviar += mover(cursor, antes, viejo.length) + suprimir.repeat(quitados);
    } else {
      enviar += mover(cursor, antes + quitados, viejo.length) + retroceso.repeat(quitados);
    }
    const puestos = nuevo.slice(antes, nuevo.length - despues).join('');
    cursor = antes + [...puestos].length;
    // A line break ends the name, as Enter does; whatever follows it goes to
    // what the game asks next.
    enviar += puestos.replace(/\r\n?|\n/g, '\r');
  }
  if (campo.selectionStart === campo.selectionEnd && !/[\r\n]/.test(enviar)) {
    const caret = [...campo.value.slice(0, campo.selectionStart)].length;
    enviar += mover(cursor, caret, nuevo.length);
    cursor = caret;
  }
  linea = { texto: campo.value, cursor };
  if (enviar !== '') {
    entregar(enviar);
  }
}

// The field holds the line, the caret at its cursor.
function ponerCampo() {
  const caret = [...linea.texto].slice(0, linea.cursor).join('').length;
  if (campo.value !== linea.texto) {
    campo.value = linea.texto;
  } else if (campo.selectionStart === caret && campo.selectionEnd === caret) {
    return;
  }
  campo.setSelectionRange(caret, caret);
}

// The game starts (1) or ends (0) reading a name: the field starts empty,
// and is left empty, so that nothing of one name is ever sent again.
function leyendoNombre(si) {
  enNombre = si;
  linea = { texto: '', cursor: 0 };
  campo.value = '';
  campo.setAttribute('autocapitalize', si ? 'words' : 'off');
}

for (const tipo of ['input', 'compositionstart', 'compositionupdate', 'compositionend']) {
  window.addEventListener(
    tipo,
    (evento) => {
      if (enNombre && evento.target === campo) {
        evento.stopImmediatePropagation();
        if (tipo === 'input' || tipo === 'compositionend') {
          seguirCampo();
        }
      }
    },
    true,
  );
}
// A caret moved. Text only changes with an input event, which comes before
// any selectionchange: a field found changed here or on coming back into
// focus was changed by the page (xterm.js empties it when it loses the
// focus), and gets the line back.
function caretMovido() {
  if (enNombre && document.activeElement === campo) {
    if (campo.value === linea.texto) {
      seguirCampo();
    } else {
      ponerCampo();
    }
  }
}
// Told on the document in some browsers, on the field itself in others.
document.addEventListener('selectionchange', caretMovido);
campo.addEventListener('selectionchange', caretMovido);
campo.addEventListener('focus', caretMovido);
// Keys that type a character, and the input method at work (keyCode 229),
// are left to the field, so that a keyboard's suggestions and autocorrect
// see the name as typed; other keys (Enter, Backspace, the arrows, Escape,
// Ctrl-U) go through xterm.js as ever, and one that it turns into bytes is
// kept from editing the field too: the game's line says what the field then
// holds.
const escribe = (evento) =>
  evento.keyCode === 229 || evento.isComposing || (!evento.ctrlKey && !evento.altKey && !evento.metaKey && [...(evento.key ?? '')].length === 1);
for (const tipo of ['keydown', 'keypress']) {
  window.addEventListener(
    tipo,
    (evento) => {
      teclaEnCurso = evento;
      if (enNombre && evento.target === campo && escribe(evento)) {
        evento.stopImmediatePropagation();
      }
    },
    true,
  );
}
terminal.onData((datos) => {
  if (enNombre && teclaEnCurso?.eventPhase) {
    teclaEnCurso.preventDefault();
  }
  entregar(datos);
});

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
      leyendoNombre(pide !== 0);
      if (pide) {
        terminal.focus();
      } else if (esTactil) {
        terminal.blur();
      }
    },
    // The name as it stands, and its cursor, in bytes of the game's memory,
    // before the game reads a key: once it has read everything, the field
    // follows it.
    linea_editada(texto, largo, cursor) {
      if (numero === actual && enNombre && teclas.length === 0) {
        const memoria = new Uint8Array(instancia.exports.memory.buffer, texto, largo);
        linea = { texto: deUtf8.decode(memoria), cursor: [...deUtf8.decode(memoria.subarray(0, cursor))].length };
        ponerCampo();
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
  leyendoNombre(false);
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
