// The page's name layer at its core: what a phone's keyboard did to the
// terminal's field, turned into the fewest keys of the game's line editor.
// Each row: the game's line and the field ("|" at the cursor and at the
// caret; no "|" in the field for a selection, "?" at its end for a caret
// not known), the keys expected, as words
// ("<-", "->", "Inicio", "Fin", "Borra", "Supr", "Intro", "_" for a space,
// any other word typed as it stands), and the line's cursor afterwards.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { caretDe, derecha, fin, inicio, izquierda, retroceso, seguirCampo, suprimir } from '../../web/edicion.mjs';

const nombres = {
  '<-': izquierda,
  '->': derecha,
  Inicio: inicio,
  Fin: fin,
  Borra: retroceso,
  Supr: suprimir,
  Intro: '\r',
  _: ' ',
};
const teclas = (palabras) =>
  palabras
    .split(' ')
    .filter(Boolean)
    .map((p) => nombres[p] ?? p)
    .join('');

// "Beg|oña" as the line, or as the field with its caret.
function linea(marcada) {
  const [antes, despues] = marcada.split('|');
  return { texto: antes + despues, cursor: [...antes].length };
}
function campo(marcado) {
  if (marcado.endsWith('?')) {
    return { texto: marcado.slice(0, -1), inicio: null, fin: null };
  }
  if (!marcado.includes('|')) {
    return { texto: marcado, inicio: 0, fin: marcado.length };
  }
  const [antes, despues] = marcado.split('|');
  return { texto: antes + despues, inicio: antes.length, fin: antes.length };
}

const filas = [
  // Typing, and autocorrect replacing a word.
  ['a letter typed at the end', 'Beg|', 'Bego|', 'o', 4],
  ['a letter typed inside', 'B|goña', 'Be|goña', 'e', 2],
  ['autocorrect replacing the word', 'Begon|', 'Begoña |', 'Borra ñ a _', 7],
  ['a word taken back to be composed again', 'Begoña |', 'Begoña|', 'Borra', 6],
  ['a word replaced while the caret stays before it', '|Bego', 'Begoña|', 'Fin ñ a', 6],
  // Erasing, from the nearer end.
  ['Delete in the field', 'Jos|xé', 'Jos|é', 'Supr', 3],
  ['Backspace in the field', 'Josx|é', 'Jos|é', 'Borra', 3],
  ['a word erased behind the cursor', 'Ana María|', 'Ana|', 'Borra Borra Borra Borra Borra Borra', 3],
  ['a word erased ahead of the cursor', '|Ana María', '|María', 'Supr Supr Supr Supr', 0],
  // The caret moved: Home and End where they save keys.
  ['caret to the start', 'Begoña|', '|Begoña', 'Inicio', 0],
  ['caret to the end', '|Begoña', 'Begoña|', 'Fin', 6],
  ['caret one back', 'Beg|oña', 'Be|goña', '<-', 2],
  ['caret one on', 'B|egoña', 'Be|goña', '->', 2],
  ['a selection moves nothing', 'Beg|oña', 'Begoña', '', 3],
  // Repeated letters: the change where it costs fewest keys.
  ['"a" typed between two', 'a|a', 'aa|a', 'a', 2],
  ['"a" typed after two', 'aa|', 'aaa|', 'a', 3],
  ['Backspace after "Gal" in "Gallo"', 'Gal|lo', 'Ga|lo', 'Borra', 2],
  ['Delete after "Ga" in "Gallo"', 'Ga|llo', 'Ga|lo', 'Supr', 2],
  ['"l" typed after "Gal" in "Galo"', 'Gal|o', 'Gall|o', 'l', 4],
  // ñ, and a character outside the BMP, one character each.
  ['ñ typed', 'Mu|', 'Muñ|', 'ñ', 3],
  ['ñ erased', 'Muñ|oz', 'Mu|oz', 'Borra', 2],
  ['a character outside the BMP typed', 'Ana|', 'Ana😀|', '😀', 4],
  ['the caret over a character outside the BMP', 'A😀b|', 'A|😀b', '<- <-', 1],
  ['a character outside the BMP erased', 'A😀|b', 'A|b', 'Borra', 1],
  // A line break ends the name as Enter does; what follows goes on.
  ['a line break', 'Ana|', 'Ana\n|', 'Intro', 4],
  ['a carriage return and line feed', 'Ana|', 'Ana\r\n|', 'Intro', 5],
  ['a line break with more text', 'Ana|', 'Ana\nLuis|', 'Intro L u i s', 8],
  ['nothing changed', 'Ana|', 'Ana|', '', 3],
  // The caret not known (as a browser may hold it when the text comes): the
  // change alone, and the cursor after it.
  ['a letter typed, the caret not known', '|', 'Í?', 'Í', 1],
  ['a letter typed inside, the caret not known', 'B|goña', 'Begoña?', 'e', 2],
  ['nothing changed, the caret not known', 'An|a', 'Ana?', '', 2],
  // The caret not known, and the text the edit put in told (its sixth
  // column): the cursor where that text ends, wherever the change differs.
  ['a correction of the same length over the last word', 'Ama|', 'Ana?', '<- Borra n ->', 3, 'Ana'],
  [
    'a correction of another length over the last word',
    'Ana Perz|',
    'Ana Pérez?',
    '<- Borra Borra é r e ->',
    9,
    'Pérez',
  ],
  ['a correction of the same length over a word inside', 'A|na Pérez', 'Ada Pérez?', 'Supr d ->', 3, 'Ada'],
  ['a correction of another length over a word inside', 'Jo|sé Ruiz', 'Josué Ruiz?', '-> u ->', 5, 'Josué'],
  ['a letter typed after two alike', 'aa|', 'aaa?', 'a', 3, 'a'],
  ['a letter typed before two alike', '|aa', 'aaa?', 'a', 1, 'a'],
  ['text told that the field does not hold', 'Ana|', 'Ana Luis?', '_ L u i s', 8, 'Pedro'],
];

for (const [nombre, antes, ahora, esperadas, cursor, escrito] of filas) {
  test(nombre, () => {
    const { teclas: enviadas, linea: nueva } = seguirCampo(linea(antes), { ...campo(ahora), escrito });
    assert.deepEqual(
      { teclas: JSON.stringify(enviadas), cursor: nueva.cursor, texto: nueva.texto },
      { teclas: JSON.stringify(teclas(esperadas)), cursor, texto: campo(ahora).texto },
    );
  });
}

test('the caret goes where the cursor is, in UTF-16 units', () => {
  assert.deepEqual([linea('Beg|oña'), linea('A😀|b'), linea('|'), linea('Ñ|')].map(caretDe), [3, 3, 0, 1]);
});
