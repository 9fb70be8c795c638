// The first screen and the page around it: the page's language, labels,
// addresses and focus, the menu painted from the HTML before the game has
// loaded and then the game's own, the cursor for a player who asks for less
// motion, a grid that fits the window, and keys typed on that first menu
// reaching the game.
//
//   node --test tests/web/navegador/primera.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { esperarA } from '../espera.mjs';
import { enCadaMotor } from '../motores.mjs';
import { Pagina } from '../pagina.mjs';
import { menu } from '../pantalla.mjs';
import { anchoMinimo } from '../webkit.mjs';

// What an engine cannot do here, and why.
const soloChromium = "the game's modules are held back through Chromium's protocol only";

enCadaMotor('the first screen', (motor) => {
  test('the page: Spanish, labelled, relative URLs, a legible grid that fits the window, focus on the terminal', async () => {
    const p = await motor.abrir();
    const datos = await p.pestana.evaluate(() => ({
      lang: document.documentElement.lang,
      titulo: document.title,
      icono: document.querySelector('link[rel="icon"]').getAttribute('href'),
      descripcion: document.querySelector('meta[name="description"]').content,
      tema: document.querySelector('meta[name="theme-color"]').content,
      etiqueta: window.partida.terminal.textarea.getAttribute('aria-label'),
      urls: [...document.querySelectorAll('[src], [href]')].map((e) => e.getAttribute('src') ?? e.getAttribute('href')),
      foco: document.activeElement === window.partida.terminal.textarea,
      estado: window.partida.estado,
      tactil: getComputedStyle(document.getElementById('tactil')).display,
      otraVez: document.getElementById('jugar-otra-vez').hidden,
    }));
    assert.equal(datos.lang, 'es');
    assert.equal(datos.titulo, 'Tres en rayas');
    assert.equal(datos.icono, 'icono.svg');
    assert.match(datos.descripcion, /^El tres en rayas de la consola, en castellano/);
    assert.equal(datos.tema, '#000000');
    assert.equal(datos.etiqueta, 'Entrada de la terminal');
    for (const direccion of datos.urls) {
      assert.doesNotMatch(direccion, /^(\/|[a-z]+:)/, `${direccion} is not relative`);
    }
    assert.ok(datos.foco, 'the terminal has the focus');
    assert.equal(datos.estado, null);
    assert.equal(datos.tactil, 'none', 'no touch keys without a touch screen');
    assert.ok(datos.otraVez, 'no "Jugar otra vez" while the game runs');
    await p.esperarLineas(menu, 'the menu');
    // The page painted the game's menu from its HTML alone, hidden from
    // a screen reader (the live region says it), and gave it up to the
    // game's.
    const { primera, queda } = await p.pestana.evaluate(async () => {
      const pagina = new DOMParser().parseFromString(await (await fetch('./')).text(), 'text/html');
      const copia = pagina.getElementById('primera');
      return {
        primera: { lineas: copia.textContent.split('\n'), oculta: copia.getAttribute('aria-hidden') },
        queda: document.getElementById('primera') !== null,
      };
    });
    assert.deepEqual(primera, { lineas: menu, oculta: 'true' });
    assert.equal(queda, false);
    // A player who asks for less motion gets a cursor that does not blink
    // (asked for in Chromium, whose protocol can).
    const parpadeo = () => p.pestana.evaluate(() => window.partida.terminal.options.cursorBlink);
    assert.equal(await parpadeo(), true);
    if (motor.nombre === 'chromium') {
      await p.pestana.emulateMediaFeatures([{ name: 'prefers-reduced-motion', value: 'reduce' }]);
      await esperarA(parpadeo, (x) => x === false, 'the cursor to stop blinking');
    }
    // What the game shows is told by a live region from the start.
    assert.equal(await p.pestana.evaluate(() => document.getElementById('anuncios').ariaLive), 'polite');
    // 80x24 on a desktop, the letters growing with the window; at a
    // phone's width (in WebKit, the narrowest its window goes), letters of
    // 14 px and fewer columns. Nothing scrolls sideways, and the terminal
    // is wholly in the window.
    const vistas = [];
    for (const ancho of [1280, 1000, motor.nombre === 'webkit' ? anchoMinimo : 420]) {
      await p.pestana.setViewport({ width: ancho, height: 800 });
      // The window's resize is handled before the next frame.
      await p.pestana.evaluate(() => new Promise((listo) => requestAnimationFrame(listo)));
      vistas.push(await p.medidas());
    }
    assert.deepEqual(vistas.map((m) => [m.columnas, m.filas]).slice(0, 2), [
      [80, 24],
      [80, 24],
    ]);
    assert.ok(vistas[0].letra > vistas[1].letra && vistas[1].letra >= 14, JSON.stringify(vistas));
    assert.ok(vistas[2].columnas < 80 && vistas[2].letra === 14, JSON.stringify(vistas[2]));
    for (const m of vistas) {
      assert.ok(
        !m.desplazable && m.terminal.derecha <= m.ventana.ancho && m.terminal.abajo <= m.ventana.alto,
        JSON.stringify(m),
      );
    }
  });
});

enCadaMotor(
  'keys before the game',
  (motor) => {
    test('keys typed on the menu the page paints before the game has loaded reach the game', async () => {
      await motor.cerrar();
      // A context of its own, with no service worker from the tests before,
      // which would serve the modules past the interception.
      const propio = await motor.navegador.createBrowserContext();
      try {
        const pestana = await propio.newPage();
        const p = new Pagina(pestana);
        // The game's modules held back until the keys are typed.
        let soltar;
        const suelto = new Promise((listo) => {
          soltar = listo;
        });
        await pestana.setRequestInterception(true);
        pestana.on('request', (pedido) =>
          pedido.url().endsWith('/partida.mjs') ? suelto.then(() => pedido.continue()) : pedido.continue(),
        );
        await pestana.goto(motor.url);
        await esperarA(
          () => pestana.evaluate(() => [document.getElementById('primera') !== null, window.partida === undefined]),
          (estado) => estado.every(Boolean),
          "the page's menu, with no game yet",
        );
        await pestana.keyboard.type('2Ana\rLuis\r');
        await pestana.evaluate(() => document.querySelector('#tactil button[data-tecla="1"]').click());
        await pestana.keyboard.type('4253');
        soltar();
        await p.cargada();
        await p.esperarTexto('Felicidades ganastes Ana!!');
      } finally {
        await propio.close();
      }
    });
  },
  { firefox: soloChromium, webkit: soloChromium },
);
