// The little language of the browser tests' steps: keys by name, text, taps
// on the touch keys, the phone turned, and the changes a phone's own
// keyboard makes to the terminal's field. The page's driver (pagina.mjs)
// and the native build's (nativo.mjs) each play a step their own way.

// Keys by name, as the browser and tmux call them.
export const nombres = {
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
export const tecla = (nombre) => ({ tecla: nombre });
export const texto = (literal) => ({ texto: literal });
// Steps written as words: "<Name>" is a key, "[Label]" a touch key,
// "{girar}" the phone turned, any other word is text typed at once, "_"
// standing for a space.
export const pasos = (guion) =>
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
export const componer = (texto, sobre) => ({ componer: texto, sobre });
export const confirmar = (texto) => ({ confirmar: texto });
export const caret = (n) => ({ caret: n });
export const borrar = { borrar: true };
// A word committed with its events in the other order: compositionend, then
// input.
export const alReves = (texto) => ({ alReves: texto });
export const tecleo = (filas) =>
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
