// The keyboard kept for the game. The terminal's text field has the focus
// while the game runs; where something else takes it away, the keys still
// reach the game.
//
// - A key typed while no control of the page has the focus (the body, the
//   first screen's copy, the heading, the live region, text where a screen
//   reader's caret or a click put the selection) is sent to the game as the
//   terminal sends it, in order with the keys before it, and the terminal
//   takes the keyboard back. On a control (a button), the keys it acts on,
//   Enter and Space, stay its own; any other key goes to the game too.
// - Tab and Shift-Tab, and the browser's own keys (with Ctrl, Alt or Meta,
//   the function keys), are always left to the browser: the focus can leave
//   the terminal, and no key is taken from the browser.
// - The field's focus taken away by no key of the player's and given to no
//   control (a screen reader setting its caret where its reading stopped, a
//   click on the page's text, a script) comes back to the terminal at once.
//   A screen reader then stays in its focus mode, where every key is the
//   page's: in its browse mode it would take letters and digits for moves
//   through the page, and the page would never see them.

import { derecha, fin, inicio, izquierda, retroceso, suprimir } from './edicion.mjs';

// The keys other than characters that the game reads, as xterm.js sends
// them.
const secuencias = {
  Enter: '\r',
  Backspace: retroceso,
  Escape: '\x1b',
  ArrowLeft: izquierda,
  ArrowRight: derecha,
  ArrowUp: '\x1b[A',
  ArrowDown: '\x1b[B',
  Home: inicio,
  End: fin,
  Delete: suprimir,
};

// The controls whose keys are their own.
const controles = 'button, a[href], input, select, textarea, summary, [contenteditable], [tabindex]';

// What a key pressed outside the terminal sends to the game, or null for a
// key left where it was typed. A character needs no Ctrl, Alt or Meta, but
// for AltGr, which some systems tell as Ctrl and Alt together.
export function textoDeTecla(evento, enControl) {
  if (evento.metaKey || evento.key === 'Tab' || evento.isComposing) {
    return null;
  }
  if (enControl && (evento.key === 'Enter' || evento.key === ' ')) {
    return null;
  }
  const altGr = evento.ctrlKey && evento.altKey;
  if ([...(evento.key ?? '')].length === 1 && (altGr || (!evento.ctrlKey && !evento.altKey))) {
    return evento.key;
  }
  if (evento.ctrlKey || evento.altKey) {
    return null;
  }
  return secuencias[evento.key] ?? null;
}

// terminal: the xterm.js terminal; entregar(texto) sends keys to the game;
// enJuego() says whether a game is running; devolverCaret() puts the
// field's caret back where it belongs. Answers soltar(), which takes
// the focus from the terminal on the page's own behalf (on a touch screen,
// so that the phone's keyboard no longer hides the keypad): it does not
// come back until the player or the page gives it.
export function guardarTeclado(terminal, entregar, enJuego, devolverCaret) {
  const campo = terminal.textarea;
  const esControl = (elemento) =>
    elemento instanceof Element && elemento !== campo && elemento.closest(controles) !== null;
  // A Tab being pressed, whose move of the focus is the player's.
  let tabulando = false;
  let soltando = false;

  // The page's selection put outside the terminal while its field keeps the
  // focus (a script, a screen reader's caret): the browser would type a
  // character there, where it is lost, and not into the field. The field's
  // own selection is made the page's again.
  function recobrarSeleccion() {
    const seleccion = getSelection();
    if (document.activeElement === campo && seleccion?.anchorNode && !terminal.element.contains(seleccion.anchorNode)) {
      devolverCaret();
    }
  }
  document.addEventListener('selectionchange', recobrarSeleccion);

  window.addEventListener(
    'keydown',
    (evento) => {
      tabulando = evento.key === 'Tab';
      if (evento.target === campo) {
        recobrarSeleccion();
        return;
      }
      if (!enJuego()) {
        return;
      }
      const enControl = esControl(evento.target);
      if (evento.key === 'Dead' || evento.keyCode === 229) {
        // A dead key or an input method starting: the characters it makes
        // are typed into the terminal.
        if (!enControl) {
          terminal.focus();
        }
        return;
      }
      const texto = textoDeTecla(evento, enControl);
      if (texto !== null) {
        evento.preventDefault();
        evento.stopImmediatePropagation();
        terminal.focus();
        entregar(texto);
      }
    },
    true,
  );
  window.addEventListener(
    'keyup',
    () => {
      tabulando = false;
    },
    true,
  );

  campo.addEventListener('focusout', (evento) => {
    if (soltando || tabulando || evento.relatedTarget !== null) {
      return;
    }
    // Where the focus went is known once the move is over: the window
    // itself losing it (another window, the browser's own controls) keeps
    // it there.
    setTimeout(() => {
      const activo = document.activeElement;
      if (enJuego() && document.hasFocus() && !tabulando && (activo === null || !esControl(activo))) {
        if (activo !== campo) {
          terminal.focus();
        }
      }
    });
  });

  return {
    soltar() {
      soltando = true;
      try {
        terminal.blur();
      } finally {
        soltando = false;
      }
    },
  };
}
