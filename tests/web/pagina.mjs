// The page in one tab, driven as a person plays it: keys typed into the
// terminal, taps on the touch keys, a phone's keyboard's edits played through
// Chromium's protocol, and the screen, the cursor and the field read from
// xterm.js. A tab is puppeteer's, or webkit.mjs's for WebKit.

import assert from 'node:assert/strict';
import { esperarA } from './espera.mjs';
import { comoTexto, recortar } from './pantalla.mjs';
import { nombres } from './pasos.mjs';

// Run in the page: notes where its focus and its selection go, and the keys
// and edits that reach it, each with its time, in window.registroFoco. Its
// listeners are the window's first where it runs before the page's own, so
// that a key the page stops is noted too.
function anotarFoco() {
  if (window.registroFoco) {
    return;
  }
  window.registroFoco = [];
  const nombrar = (elemento) => (elemento ? `${elemento.nodeName}${elemento.id ? `#${elemento.id}` : ''}` : 'nothing');
  const anotar = (texto) => window.registroFoco.push(`${(performance.now() / 1000).toFixed(3)} s: ${texto}`);
  for (const tipo of ['focusin', 'focusout']) {
    window.addEventListener(
      tipo,
      (e) => anotar(`${tipo} ${nombrar(e.target)}, then ${nombrar(e.relatedTarget)}`),
      true,
    );
  }
  document.addEventListener('selectionchange', () =>
    anotar(
      `the selection in ${nombrar(getSelection().anchorNode?.parentElement ?? getSelection().anchorNode)}, ` +
        `the focus on ${nombrar(document.activeElement)}`,
    ),
  );
  window.addEventListener('keydown', (e) => anotar(`keydown ${e.key} on ${nombrar(e.target)}`), true);
  for (const tipo of ['beforeinput', 'input']) {
    window.addEventListener(
      tipo,
      (e) => anotar(`${tipo} ${e.inputType} ${JSON.stringify(e.data)} on ${nombrar(e.target)}`),
      true,
    );
  }
}

// The page in one tab.
export class Pagina {
  constructor(pestana) {
    this.pestana = pestana;
  }

  async abrir(url) {
    await this.pestana.evaluateOnNewDocument?.(anotarFoco);
    await this.pestana.goto(url);
    await this.cargada();
    // Where the driver cannot run it before the page (WebKit's), from now.
    await this.anotarFoco();
  }

  // The page loaded again. A driver may answer once the document is there,
  // before its modules have run: the page is read only once they have.
  async recargar() {
    await this.pestana.reload();
    await this.cargada();
  }

  async cargada() {
    await esperarA(
      () => this.pestana.evaluate(() => ({ lista: window.partida !== undefined, estado: document.readyState })),
      (p) => p.lista,
      "the page's modules to have run",
    );
  }

  leer() {
    return this.pestana.evaluate(() => {
      const pantalla = window.partida.terminal.buffer.active;
      const lineas = [];
      for (let y = 0; y < window.partida.terminal.rows; y++) {
        // Trailing blanks, written or not, are left out, as tmux leaves them.
        lineas.push(
          pantalla
            .getLine(pantalla.baseY + y)
            .translateToString(true)
            .replace(/ +$/, ''),
        );
      }
      return { lineas, x: pantalla.cursorX, y: pantalla.cursorY };
    });
  }

  async leerRecortada() {
    const p = await this.leer();
    recortar(p.lineas);
    return p;
  }

  async enviar(paso) {
    if (paso.movil !== undefined) {
      await this.teclear(paso.movil);
    } else if (paso.toque !== undefined) {
      await this.tocar(paso.toque);
    } else if (paso.texto !== undefined) {
      await this.pestana.keyboard.type(paso.texto);
    } else {
      await this.pestana.keyboard.press(nombres[paso.tecla][0]);
    }
  }

  // A change made to the terminal's field by a phone's own keyboard, as
  // Android's keyboards make it through the input method, announced by a
  // key of code 229: a composition (at the caret, or over a range of the
  // field: a word taken back to be composed again), text committed
  // (replacing the composition: a word ended, autocorrect, dictation), a
  // character erased before the caret, the caret moved. Chromium's
  // protocol plays them as a keyboard's input method does.
  async teclear(cambio) {
    this.cdp ??= await this.pestana.createCDPSession();
    const tecla229 = (type) =>
      this.cdp.send('Input.dispatchKeyEvent', { type, key: 'Unidentified', windowsVirtualKeyCode: 229 });
    if (cambio.caret !== undefined) {
      await this.pestana.evaluate((n) => window.partida.terminal.textarea.setSelectionRange(n, n), cambio.caret);
      return;
    }
    if (cambio.alReves !== undefined) {
      await this.pestana.evaluate((texto) => {
        const campo = window.partida.terminal.textarea;
        campo.setRangeText(texto, campo.selectionStart, campo.selectionEnd, 'end');
        campo.dispatchEvent(new CompositionEvent('compositionend', { data: texto, bubbles: true }));
        campo.dispatchEvent(
          new InputEvent('input', { inputType: 'insertFromComposition', data: texto, bubbles: true }),
        );
      }, cambio.alReves);
      return;
    }
    await tecla229('keyDown');
    if (cambio.componer !== undefined) {
      const fin = cambio.componer.length;
      const [replacementStart, replacementEnd] = cambio.sobre ?? [];
      await this.cdp.send('Input.imeSetComposition', {
        text: cambio.componer,
        selectionStart: fin,
        selectionEnd: fin,
        replacementStart,
        replacementEnd,
      });
    } else if (cambio.confirmar !== undefined) {
      await this.cdp.send('Input.insertText', { text: cambio.confirmar });
    } else {
      await this.pestana.evaluate(() => document.execCommand('delete'));
    }
    await tecla229('keyUp');
  }

  // The terminal's field, "|" at its caret.
  campo() {
    return this.pestana.evaluate(() => {
      const { value, selectionStart, selectionEnd } = window.partida.terminal.textarea;
      return selectionStart === selectionEnd
        ? `${value.slice(0, selectionStart)}|${value.slice(selectionStart)}`
        : value;
    });
  }

  // A tap on the touch key of that label.
  async tocar(etiqueta) {
    for (const boton of await this.pestana.$$('#tactil button')) {
      if ((await boton.evaluate((b) => b.textContent)) === etiqueta) {
        await boton.tap();
        return;
      }
    }
    assert.fail(`no touch key ${etiqueta}`);
  }

  // Boxes of the page's parts, in CSS pixels, and the grid.
  medidas() {
    return this.pestana.evaluate(() => {
      const caja = (elemento) => {
        const r = elemento.getBoundingClientRect();
        return { x: r.x, y: r.y, derecha: r.right, abajo: r.bottom, ancho: r.width, alto: r.height };
      };
      return {
        ventana: { ancho: window.innerWidth, alto: window.innerHeight },
        desplazable: document.documentElement.scrollWidth > window.innerWidth,
        terminal: caja(window.partida.terminal.element),
        teclas: [...document.querySelectorAll('#tactil button')].map(caja),
        columnas: window.partida.terminal.cols,
        filas: window.partida.terminal.rows,
        letra: window.partida.terminal.options.fontSize,
      };
    });
  }

  // From now on, the page notes where its focus and its selection go, and
  // the keys and the edits that reach it: what a failed step prints. A page
  // opened by abrir() notes them from before its own modules run, where the
  // driver can.
  anotarFoco() {
    return this.pestana.evaluate(anotarFoco);
  }

  // Where the page's focus is, and its last notes.
  focoAnotado() {
    return this.pestana.evaluate(
      () =>
        `the page's focus: ${document.hasFocus()} ${document.activeElement?.outerHTML.slice(0, 80)}\n` +
        `the page's focus, selection, keys and edits:\n${(window.registroFoco ?? []).slice(-30).join('\n')}`,
    );
  }

  estado() {
    return this.pestana.evaluate(() => window.partida.estado);
  }

  // How many of the game's waits for a key the page has dealt with, and
  // whether the game now rests, done with every key and its screen told.
  reposo() {
    return this.pestana.evaluate(() => window.partida.reposo());
  }

  // Waits until the game rests after keys sent once antes was read: when
  // they reached the game (conTeclas), at a wait after them, so that a step
  // that must change nothing is checked only once the game has taken it.
  async esperarReposo(antes, conTeclas, que) {
    await esperarA(
      () => this.reposo(),
      (r) => r.quieta && (!conTeclas || r.atendidas > antes.atendidas),
      `the game to rest after ${que}`,
    );
  }

  async esperarLineas(esperadas, que) {
    return esperarA(
      () => this.leerRecortada(),
      (p) => JSON.stringify(p.lineas) === JSON.stringify(esperadas),
      que,
      comoTexto,
    );
  }

  async esperarTexto(fragmento) {
    return esperarA(
      () => this.leerRecortada(),
      (p) => p.lineas.join('\n').includes(fragmento),
      JSON.stringify(fragmento),
      comoTexto,
    );
  }

  async esperarEstado(esperado) {
    await esperarA(
      () => this.estado(),
      (e) => e === esperado,
      `estado ${esperado}`,
    );
  }
}
