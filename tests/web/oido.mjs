import { menu, pausaTexto } from './pantalla.mjs';

// What a blind player hears: each step, what is said after it (each
// announcement its lines; a board as its cells, row by row), and where
// the keyboard's focus then is. The live region's test and the screen
// reader's play it.
export function loQueOyeUnCiego() {
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
