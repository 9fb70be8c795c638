// The terminal the game plays in: xterm.js with its texts in Spanish, a grid
// of 80 columns and 24 rows fitted to its box (fewer where they would not be
// legible), a cursor that blinks unless the player asks for less motion,
// the game told when the grid changes, and Tab left to the
// browser, so that the keyboard's focus can leave it.

import { Terminal } from './xterm.mjs';

// The game's console: columnasConsola and filasConsola, and the game's own
// clear-screen sequence, secuenciaLimpiar (src/console/plataforma/lineas.h),
// which tests/web/copias_test.cpp checks these against.
const columnas = 80;
const filas = 24;
const secuenciaLimpiar = '\x1b[H\x1b[2J';
// The letters never go below this, nor above the other.
const letraMinima = 14;
const letraMaxima = 24;
// The gap between the parts of the terminal's box, in CSS pixels.
const hueco = 8;

const limpiar = new TextEncoder().encode(secuenciaLimpiar);

// What screen readers announce of the terminal, in the page's language.
Terminal.strings.promptLabel = 'Entrada de la terminal';
Terminal.strings.tooMuchOutput = 'Demasiado texto para leerlo en voz alta: recorra las filas para leerlas';

// Opens the terminal in contenedor, fitted to caja (the box it shares with
// the lines under it); alCambiarRejilla() is told when its grid changes.
// Answers the terminal, escribir, which shows the game's bytes, and
// limpiezas().
export function abrirTerminal(contenedor, caja, alCambiarRejilla) {
  const sinMovimiento = window.matchMedia('(prefers-reduced-motion: reduce)');
  const terminal = new Terminal({
    cols: columnas,
    rows: filas,
    convertEol: true,
    cursorBlink: !sinMovimiento.matches,
    scrollback: 0,
    fontSize: letraMinima,
    fontFamily: getComputedStyle(contenedor).getPropertyValue('--letra-terminal'),
  });
  // Tab and Shift-Tab move the focus, as anywhere on a page: the game has
  // no use for them, and gets no key.
  terminal.attachCustomKeyEventHandler((evento) => evento.key !== 'Tab' && evento.keyCode !== 9);
  // The page's copy of the first screen, if it has one, stays over the
  // terminal, hiding it, until the game has drawn.
  const primera = contenedor.querySelector('#primera');
  terminal.open(contenedor);
  sinMovimiento.addEventListener('change', () => {
    terminal.options.cursorBlink = !sinMovimiento.matches;
  });

  // How many times the screen was cleared, ever, as far as the terminal
  // has drawn what the game wrote.
  let limpiezas = 0;
  const limpia = (bytes) => bytes.some((_, i) => limpiar.every((byte, j) => bytes[i + j] === byte));
  function escribir(bytes) {
    const limpiaLaPantalla = limpia(bytes);
    terminal.write(bytes, () => {
      if (limpiaLaPantalla) {
        limpiezas += 1;
      }
      // The game's first screen replaces the page's, in one frame.
      primera?.remove();
    });
  }

  // The grid as drawn. xterm.js tells no cell's size, and its element is
  // held to the box's width: its screen's element is the grid.
  const rejilla = () => terminal.element.querySelector('.xterm-screen').getBoundingClientRect();

  // 80x24 wherever they fit with letters of letraMinima or more, the
  // letters then as large as the box allows; where they do not, the most
  // columns and rows that fit at letraMinima.
  function encajar() {
    const ancho = caja.clientWidth;
    // The box's height, less the lines under the terminal and their gaps.
    const debajo = [...caja.children].filter((parte) => parte !== contenedor && parte.offsetHeight > 0);
    const alto = debajo.reduce((resto, parte) => resto - parte.offsetHeight - hueco, caja.clientHeight);
    const cabe = () => rejilla().width <= ancho && rejilla().height <= alto;
    terminal.options.fontSize = letraMinima;
    // A cell's size at letraMinima.
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

  // When the grid changes the game draws its screen again, as it does in a
  // terminal that changes size.
  function ajustar() {
    const antes = `${terminal.cols}x${terminal.rows}`;
    encajar();
    if (primera?.isConnected) {
      const { width, height } = rejilla();
      Object.assign(primera.style, {
        position: 'absolute',
        top: '0',
        left: '0',
        fontSize: `${terminal.options.fontSize}px`,
        lineHeight: `${height / terminal.rows}px`,
        letterSpacing: getComputedStyle(terminal.element.querySelector('.xterm-rows')).letterSpacing,
        width: `${width}px`,
        height: `${height}px`,
      });
    }
    if (`${terminal.cols}x${terminal.rows}` !== antes) {
      alCambiarRejilla();
    }
  }
  ajustar();
  window.addEventListener('resize', ajustar);

  return { terminal, escribir, limpiezas: () => limpiezas };
}
