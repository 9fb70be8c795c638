// A name typed on a phone's own keyboard. Such keyboards seldom send keys:
// they edit the terminal's text field through the input method (a word
// composed letter by letter, autocorrect, a word taken back to be composed
// again, the caret moved, a phrase dictated). While the game reads a name,
// every change made to the field becomes the keys the game's line editor
// knows (edicion.mjs works them out from the field's text and caret, never
// from the events, so the order the browser delivers them in does not
// matter). The game tells the page its line before every key it reads; once
// it has read all it was sent, the field is made to hold exactly that line,
// so that a name edited with a hardware key, or text the line has no room
// for, shows there too. xterm.js, which would send the field's changes in
// its own way, sees none of them while a name is read; outside a name it
// handles the keyboard as ever.

import { caretDe, seguirCampo } from './edicion.mjs';

// terminal: the xterm.js terminal; entregar(texto) sends keys to the game;
// pendientes() says how many bytes the game has not read yet. Answers what
// the game tells the layer: leyendo(si) when a name starts or ends, and
// lineaDelJuego(texto, cursor) with the line before each key.
export function capaDeNombres(terminal, entregar, pendientes) {
  const campo = terminal.textarea;
  let enNombre = false;
  // The game's line once it has read what the page sent; its cursor in
  // characters (code points), as the game's editor moves.
  let linea = { texto: '', cursor: 0 };
  // The keyboard event being dispatched, for a key that xterm.js turns into
  // bytes; and whether xterm.js has sent the key being pressed.
  let teclaEnCurso = null;
  let enviadaPorXterm = false;

  // Sends what the field's change was. With conCaret, the field's caret
  // is the player's and the game's cursor follows it; without, the cursor
  // goes where the text the edit put in (escrito, as the browser tells it)
  // ends, or after the change.
  function seguir(conCaret, escrito = null) {
    const { teclas, linea: nueva } = seguirCampo(linea, {
      texto: campo.value,
      inicio: conCaret ? campo.selectionStart : null,
      fin: conCaret ? campo.selectionEnd : null,
      escrito,
    });
    linea = nueva;
    if (teclas !== '') {
      entregar(teclas);
    }
  }

  // The field holds the line, the caret at its cursor.
  function ponerCampo() {
    const caret = caretDe(linea);
    if (campo.value !== linea.texto) {
      campo.value = linea.texto;
    } else if (campo.selectionStart === caret && campo.selectionEnd === caret) {
      return;
    }
    campo.setSelectionRange(caret, caret);
  }

  for (const tipo of ['input', 'compositionstart', 'compositionupdate', 'compositionend']) {
    window.addEventListener(
      tipo,
      (evento) => {
        if (enNombre && evento.target === campo) {
          evento.stopImmediatePropagation();
          if (enviadaPorXterm && tipo === 'input') {
            // A key xterm.js already sent, that the browser types into the
            // field too (as it does for xterm.js's screen reader mode): the
            // menu's key that asked for the name is not its first letter.
            ponerCampo();
          } else if (tipo === 'input' || tipo === 'compositionend') {
            // Text typed or committed. Where the caret stands at this moment
            // is the browser's doing, not the player's: Chromium, inserting
            // a keyboard's text, may still hold it before the text. The
            // game's cursor goes where the edit's own text ends (a letter, a
            // word composed, a correction committed over a word), and the
            // field's caret is put there, but in a composition, whose caret
            // is the input method's.
            seguir(false, evento.data);
            if (!evento.isComposing) {
              ponerCampo();
            }
          }
        }
      },
      true,
    );
  }
  // The caret moved on its own: the player's move (a tap in the field, a
  // keyboard's cursor gesture, an input method placing it), which the
  // game's cursor follows. Text only changes with an input event, which
  // comes before any selectionchange: a field found changed here was
  // changed by the page (xterm.js empties it when it loses the focus), and
  // gets the line back.
  // The page's selection put outside the terminal (a screen reader's
  // caret, a script) is no move of the player's in the field, although
  // Chromium then says the field's caret is at its start.
  function caretMovido() {
    const enElCampo = terminal.element.contains(getSelection()?.anchorNode ?? null);
    if (enNombre && document.activeElement === campo && enElCampo) {
      if (campo.value === linea.texto) {
        seguir(true);
      } else {
        ponerCampo();
      }
    }
  }
  // Told on the document in some browsers, on the field itself in others.
  document.addEventListener('selectionchange', caretMovido);
  campo.addEventListener('selectionchange', caretMovido);
  // The focus coming back is no move of the player's, wherever the browser
  // puts the caret then: the field gets the line and its cursor back.
  campo.addEventListener('focus', () => {
    if (enNombre) {
      ponerCampo();
    }
  });
  // Keys that type a character, and the input method at work (keyCode 229),
  // are left to the field, so that a keyboard's suggestions and autocorrect
  // see the name as typed; other keys (Enter, Backspace, the arrows, Escape,
  // Ctrl-U) go through xterm.js as ever, and one that it turns into bytes is
  // kept from editing the field too: the game's line says what the field
  // then holds.
  const escribe = (evento) =>
    evento.keyCode === 229 ||
    evento.isComposing ||
    (!evento.ctrlKey && !evento.altKey && !evento.metaKey && [...(evento.key ?? '')].length === 1);
  for (const tipo of ['keydown', 'keypress']) {
    window.addEventListener(
      tipo,
      (evento) => {
        teclaEnCurso = evento;
        if (tipo === 'keydown') {
          enviadaPorXterm = false;
        }
        if (enNombre && evento.target === campo && escribe(evento)) {
          evento.stopImmediatePropagation();
        }
      },
      true,
    );
  }
  // The key press is over once its key comes up.
  window.addEventListener(
    'keyup',
    () => {
      enviadaPorXterm = false;
    },
    true,
  );
  terminal.onData(() => {
    enviadaPorXterm = Boolean(teclaEnCurso?.eventPhase);
    if (enNombre && teclaEnCurso?.eventPhase) {
      teclaEnCurso.preventDefault();
    }
  });

  return {
    // The game starts or ends reading a name: the field starts empty, and
    // is left empty, so that nothing of one name is ever sent again.
    leyendo(si) {
      enNombre = si;
      linea = { texto: '', cursor: 0 };
      campo.value = '';
      campo.setAttribute('autocapitalize', si ? 'words' : 'off');
    },
    // The field's caret put back where it belongs, at the game's cursor
    // while a name is read, which makes the page's selection the field's
    // again.
    devolverCaret() {
      const caret = enNombre ? caretDe(linea) : campo.selectionStart;
      campo.setSelectionRange(caret, enNombre ? caret : campo.selectionEnd);
    },
    // The name as it stands before the game reads a key: once the game has
    // read everything, the field follows it.
    lineaDelJuego(texto, cursor) {
      if (enNombre && pendientes() === 0) {
        linea = { texto, cursor };
        ponerCampo();
      }
    },
  };
}
