// The blind player: what the page's live region says after each step of the
// table of what a blind player hears (oido.mjs), Tab leaving the terminal
// and coming back, every key reaching the game wherever a script or a
// screen reader's caret put the focus or the selection, and Orca saying
// the same table in Chromium and Firefox.
//
//   node --test tests/web/navegador/ciego.mjs
//   TRES_EN_RAYAS_ORCA=1 node --test tests/web/navegador/ciego.mjs

import { describe, test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { loQueOyeUnCiego } from '../oido.mjs';
import { esperarA } from '../espera.mjs';
import { direccion, enCadaMotor, puppeteer, todos } from '../motores.mjs';
import { abrirLector, calladoAlVolver, conLector } from '../orca.mjs';
import { Pagina } from '../pagina.mjs';
import { menu } from '../pantalla.mjs';
import { pasos } from '../pasos.mjs';
import { vigilar } from '../vigia.mjs';

enCadaMotor('the live region and the focus', (motor) => {
  // What a blind player hears: after each step, what the page's live
  // region was given to say, each announcement once and in order (each
  // one its lines). A board is said as its cells, row by row.
  test('a blind player hears each new screen once, from the first, and Tab leaves the terminal and comes back', async () => {
    const p = await motor.abrir();
    const { menuDicho, filas } = loQueOyeUnCiego();
    const region = () => p.pestana.evaluate(() => document.getElementById('anuncios').textContent);
    await esperarA(region, (t) => t === menuDicho.join('\n'), 'the menu said once the page has loaded');
    await p.pestana.evaluate(() => {
      window.addEventListener('keydown', (evento) => {
        if (evento.key === 'Tab' || evento.keyCode === 9) {
          window.tabImpedido = evento.defaultPrevented;
        }
      });
      window.dichos = [];
      const anuncios = document.getElementById('anuncios');
      new MutationObserver(() => window.dichos.push(anuncios.textContent)).observe(anuncios, {
        childList: true,
        subtree: true,
        characterData: true,
      });
    });
    const enTerminal = () => p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea);
    for (const [guion, esperados, foco] of filas) {
      const reposo = await p.reposo();
      for (const paso of pasos(guion)) {
        if (paso.tecla === 'ShiftTab') {
          await p.pestana.keyboard.down('Shift');
          await p.pestana.keyboard.press('Tab');
          await p.pestana.keyboard.up('Shift');
        } else {
          await p.enviar(paso);
        }
      }
      if (foco !== undefined) {
        // Tab is left to the browser, which moves the focus: out of the
        // page and back in Chromium; where the focus then goes when the
        // page has no other control differs between browsers.
        assert.equal(await p.pestana.evaluate(() => window.tabImpedido), false, `${guion} left to the browser`);
        if (motor.nombre === 'chromium') {
          assert.equal(await enTerminal(), foco, `the terminal's focus after ${guion}`);
        } else {
          await p.pestana.evaluate(() => window.partida.terminal.focus());
        }
      }
      // Tab and Shift-Tab give the game no key.
      await p.esperarReposo(reposo, foco === undefined, guion);
      const dichos = esperados.map((lineas) => lineas.join('\n'));
      await esperarA(
        () => p.pestana.evaluate(() => window.dichos),
        (d) => JSON.stringify(d) === JSON.stringify(dichos),
        `what is said after ${guion}: ${JSON.stringify(dichos)}`,
      );
      await p.pestana.evaluate(() => {
        window.dichos = [];
      });
    }
  });

  // Wherever something takes the focus from the terminal without a key
  // of the player's (a script's blur, a screen reader setting its caret in
  // the heading or in the live region's text, as Orca does where its
  // reading stops), every key of a game reaches the game, in order, and
  // the terminal has the keyboard again after it.
  test('every key reaches the game wherever the focus or the selection was put, and the terminal takes the keyboard back', async () => {
    const p = await motor.abrir();
    await p.esperarLineas(menu, 'the menu');
    const cuerpo = 'the focus on the body';
    const titulo = 'the selection in the heading';
    const region = "the selection in the live region's text";
    const tarde = "the selection in the live region's text, the page told of it after the key";
    const enLaRegion = () => {
      const anuncios = document.getElementById('anuncios');
      getSelection().collapse(document.createTreeWalker(anuncios, NodeFilter.SHOW_TEXT).nextNode() ?? anuncios, 0);
    };
    // The browser tells the page of a move of the selection a moment later,
    // and a busy machine's keys may come first: the move's notice is held
    // back from the page, and the key must still reach the game.
    const retener = () =>
      document.addEventListener('selectionchange', (e) => e.stopImmediatePropagation(), { capture: true, once: true });
    // What puts the focus or the selection there, in the page, in order.
    const fuera = {
      [cuerpo]: [() => document.activeElement.blur()],
      [titulo]: [() => getSelection().collapse(document.querySelector('h1').firstChild, 3)],
      [region]: [enLaRegion],
      [tarde]: [retener, enLaRegion],
    };
    // Each step of the game, and where the focus or the selection is put
    // before it: the body, the heading and the live region's text in turn,
    // and before "is", the live region's text with its notice held back.
    const vuelta = [cuerpo, titulo, region];
    let vez = 0;
    for (const paso of pasos('2 Í ñ <Left> <BSpace> <End> igo <Enter> Lu is <Enter> 1 4 2 5 3')) {
      const como = paso.texto === 'is' ? tarde : vuelta[vez++ % vuelta.length];
      const reposo = await p.reposo();
      await p.pestana.evaluate(
        (paso) => window.registroFoco.push(`the test: ${paso}`),
        `${JSON.stringify(paso)} with ${como}`,
      );
      for (const llevar of fuera[como]) {
        await p.pestana.evaluate(llevar);
      }
      await p.enviar(paso);
      await p.esperarReposo(reposo, true, `${JSON.stringify(paso)} typed with ${como}`).catch(async (error) => {
        error.message += `\n${await p.focoAnotado()}`;
        throw error;
      });
      await esperarA(
        () => p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea),
        (si) => si,
        `the terminal to have the keyboard after ${JSON.stringify(paso)} typed with ${como}`,
      );
    }
    await p.esperarTexto('Felicidades ganastes ñigo!!');
  });
});

// What a screen reader says: Orca, with the page in Chromium and in Firefox
// on a desktop of the test's own, keys typed as a person types them. After
// each step of what a blind player hears, what reached the synthesizer
// since the step before holds each announcement, in order, and each as
// often as it was made: the menu is heard once the page has loaded, and
// never twice. Run when TRES_EN_RAYAS_ORCA is 1, as tools/navegadores
// runs it (it needs Debian's orca, speech-dispatcher, at-spi2-core,
// python3-pyatspi, openbox, dbus and xdotool), and never beside another
// Orca of the same user, beside which Orca does not start.
const conOrca = process.env.TRES_EN_RAYAS_ORCA === '1';
const sinOrca = {
  webkit: 'Orca is heard with Chromium and Firefox only',
};
for (const nombre of todos) {
  const salvo = conOrca ? sinOrca[nombre] : 'Orca is heard when TRES_EN_RAYAS_ORCA is 1';
  describe(`${nombre} with Orca`, { skip: salvo ?? false }, () => {
    let carpeta;
    let lector;
    let navegador;
    // How much Orca had said before the browser started.
    let antes;
    let url;
    before(async () => {
      url = await direccion();
      carpeta = fs.mkdtempSync(path.join(os.tmpdir(), `tres-en-rayas-orca-${nombre}-`));
      vigilar('carpeta', carpeta);
      lector = await abrirLector({ carpeta, vigilar, esperarA });
      antes = lector.dicho().length;
      navegador = await puppeteer.launch(conLector(nombre, lector, url, path.join(carpeta, 'perfil')));
      vigilar('pid', navegador.process().pid);
    });
    after(async () => {
      await navegador?.close();
      await lector?.cerrar();
      fs.rmSync(carpeta, { recursive: true, force: true });
    });

    test('Orca says each new screen of the game once, from the first, and the focus leaves and comes back', async (t) => {
      const pestana = await (await navegador.waitForTarget((destino) => destino.url() === url)).page();
      const p = new Pagina(pestana);
      // A text as heard: the words, without punctuation or capitals.
      const oido = (texto) =>
        texto
          .toLowerCase()
          .replace(/[.,:;!¡?¿()/]/g, ' ')
          .replace(/\s+/g, ' ')
          .trim();
      const veces = (texto, parte) => texto.split(parte).length - 1;
      // What was said since the step before holds each announcement (its
      // lines), in order and as often as expected.
      async function oir(anuncios, que) {
        const esperados = anuncios.map((lineas) => oido(lineas.join(' ')));
        // The next step's speech starts where the one that matched ended.
        const dicho = await esperarA(
          () => lector.dicho().slice(antes),
          (nuevo) => {
            const texto = oido(nuevo);
            let desde = 0;
            for (const anuncio of esperados) {
              desde = texto.indexOf(anuncio, desde);
              if (desde < 0) {
                return false;
              }
              desde += anuncio.length;
            }
            return esperados.every(
              (anuncio) => veces(texto, anuncio) === esperados.filter((otro) => otro === anuncio).length,
            );
          },
          `Orca to say after ${que}: ${JSON.stringify(esperados)}`,
          (nuevo) => oido(nuevo),
        );
        antes += dicho.length;
      }
      const { menuDicho, filas } = loQueOyeUnCiego();
      // The browser opened the page as it started, as a player opens it.
      await oir([menuDicho], 'the load');
      const enTerminal = () =>
        pestana.evaluate(() => document.hasFocus() && document.activeElement === window.partida?.terminal.textarea);
      await esperarA(enTerminal, (si) => si, "the page's terminal to have the keyboard");
      // Where the page's focus and selection go, with the keys that reach
      // it once it has loaded: what a failed step prints beside Orca's log.
      await p.anotarFoco();
      const teclas = {
        '<Space>': 'space',
        '<Enter>': 'Return',
        '<Tab>': 'Tab',
        '<ShiftTab>': 'shift+Tab',
      };
      for (const [guion, esperados, foco] of filas) {
        const reposo = await p.reposo();
        const registrado = lector.registro().length;
        lector.teclear(...guion.split(' ').map((palabra) => teclas[palabra] ?? { texto: palabra }));
        if (foco !== undefined) {
          // Tab leaves the page for the browser's own controls, and
          // Shift-Tab comes back to the terminal. A blind player types on
          // once they hear where the focus is, and so does the test: out of
          // the page, a button of the browser's (Chromium's "Tab search",
          // Firefox's "Firefox View"); back in it, the terminal, once Orca
          // has left the browse mode the document put it in on the way.
          const dondeDebe = foco ? enTerminal : () => pestana.evaluate(() => !document.hasFocus());
          await esperarA(dondeDebe, (si) => si, `the terminal's focus after ${guion} to be ${foco}`);
          const oye = foco ? 'entrada de la terminal' : 'botón';
          const visto = await esperarA(
            () => ({
              dicho: oido(lector.dicho().slice(antes)),
              callado: foco && calladoAlVolver(lector.registro().slice(registrado)),
            }),
            ({ dicho, callado }) => dicho.includes(oye) || callado,
            `Orca to say "${oye}" after ${guion}`,
            ({ dicho }) => dicho,
          ).catch((error) => {
            error.message += `\n${lector.diagnostico()}`;
            throw error;
          });
          if (!visto.dicho.includes(oye)) {
            // Orca 43's own fault, which tools/orca-vuelta.mjs shows on a
            // page of one field: it took the focus to the terminal in
            // silence and stays in its browse mode, where the next digit
            // would be its own command. The player hears nothing, and does
            // what LEEME.md tells them: Orca+A, for its focus mode.
            t.diagnostic(`Orca said nothing after ${guion}, its known fault; Orca+A typed, as LEEME.md says`);
            lector.teclear('Insert+a');
            await esperarA(
              () => oido(lector.dicho().slice(antes)),
              (texto) => texto.includes('modo foco'),
              `Orca to say "modo foco" after Orca+A`,
            ).catch((error) => {
              error.message += `\n${lector.diagnostico()}`;
              throw error;
            });
          }
        }
        await p.esperarReposo(reposo, foco === undefined, guion).catch(async (error) => {
          error.message += `\n${await p.focoAnotado()}\n${lector.diagnostico()}`;
          throw error;
        });
        await oir(esperados, guion);
      }
      assert.deepEqual(await pestana.evaluate(() => window.fallosDePagina), []);
    });
  });
}
