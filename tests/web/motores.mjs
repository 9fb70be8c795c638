// The browsers the page is played in, for every topic file of the browser
// tests: headless Chromium and Firefox, and WebKit (WebKitGTK's MiniBrowser
// on an Xvfb display). A topic file gives its tests once, and enCadaMotor
// plays them in each engine, in a suite of the engine's name; an engine that
// cannot play them is skipped there, with the reason, and never started.
// Each engine is started once per run, the first time a suite needs it, and
// shared by every topic file the run loads (navegador.test.mjs loads them
// all); the site is served once. Both end with the run, and whatever is
// left goes with the watcher.
//
// Environment: TRES_EN_RAYAS_SITIO (the static site, build-web/web),
// TRES_EN_RAYAS_NPM (the folder whose node_modules holds puppeteer-core),
// NAVEGADORES (which engines: "chromium firefox webkit" by default).

import { after, afterEach, before, describe } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { plazo } from './espera.mjs';
import { Pagina } from './pagina.mjs';
import { lanzamientos, servir } from './sitio.mjs';
import { soltarVigia, vigilar } from './vigia.mjs';
import { lanzarWebKit } from './webkit.mjs';

export const raiz = path.resolve(fileURLToPath(import.meta.url), '../../..');
export const sitio = process.env.TRES_EN_RAYAS_SITIO ?? path.join(raiz, 'build-web/web');
export const carpetaNpm = path.resolve(process.env.TRES_EN_RAYAS_NPM ?? path.join(raiz, 'build-web/npm-pruebas'));
export const puppeteer = createRequire(path.join(carpetaNpm, 'package.json'))('puppeteer-core');
export const todos = (process.env.NAVEGADORES ?? 'chromium firefox webkit').split(/\s+/).filter(Boolean);

// The site, served once, and each engine, started once: promises, so that
// two suites asking at once share one.
let servido = null;
const lanzados = new Map();
const perfiles = [];

function lanzar(nombre) {
  if (!lanzados.has(nombre)) {
    const perfil = fs.mkdtempSync(path.join(os.tmpdir(), `tres-en-rayas-${nombre}-`));
    vigilar('carpeta', perfil);
    perfiles.push(perfil);
    lanzados.set(
      nombre,
      (async () => {
        const navegador =
          nombre === 'webkit'
            ? await lanzarWebKit({ carpetaNpm, carpeta: perfil, vigilar, plazo })
            : await puppeteer.launch({ ...lanzamientos[nombre], headless: true, userDataDir: perfil });
        vigilar('pid', navegador.process().pid);
        return navegador;
      })(),
    );
  }
  return lanzados.get(nombre);
}

// The site's address, once it is served.
export async function direccion() {
  servido ??= servir(sitio);
  return `http://127.0.0.1:${(await servido).address().port}/`;
}

after(async () => {
  for (const navegador of lanzados.values()) {
    await (await navegador.catch(() => null))?.close();
  }
  (await servido)?.close();
  for (const perfil of perfiles) {
    fs.rmSync(perfil, { recursive: true, force: true });
  }
  soltarVigia();
});

// Plays cuerpo's tests in each engine. cuerpo(m) gets the engine's name
// (m.nombre) and, inside its tests, the browser (m.navegador), the site's
// address (m.url) and m.abrir(opciones), which opens the page in a new tab
// (closing the suite's last one): at the site's address or at
// opciones.direccion, in a window of opciones.ancho x opciones.alto, with
// touch if opciones.tactil. salvo gives, for an engine that cannot play
// these tests, why.
export function enCadaMotor(tema, cuerpo, salvo = {}) {
  for (const nombre of todos) {
    describe(`${nombre}: ${tema}`, { skip: salvo[nombre] ?? false }, () => {
      const m = { nombre, navegador: null, url: null, pagina: null };
      before(async () => {
        m.url = await direccion();
        m.navegador = await lanzar(nombre);
      });
      after(() => m.cerrar());
      // No test leaves behind an error of the page or a breach of its
      // Content-Security-Policy, as the page's loader notes them.
      afterEach(async () => {
        if (m.pagina) {
          assert.deepEqual(await m.pagina.pestana.evaluate(() => window.fallosDePagina), []);
        }
      });
      m.abrir = async (opciones = {}) => {
        await m.cerrar();
        const pestana = await m.navegador.newPage();
        if (opciones.ancho) {
          const tactil = Boolean(opciones.tactil);
          await pestana.setViewport({
            width: opciones.ancho,
            height: opciones.alto,
            hasTouch: tactil,
            isMobile: tactil,
          });
        }
        m.pagina = new Pagina(pestana);
        await m.pagina.abrir(opciones.direccion ?? m.url);
        return m.pagina;
      };
      // The suite's tab closed, for a test that opens its own.
      m.cerrar = async () => {
        await m.pagina?.pestana.close();
        m.pagina = null;
      };
      cuerpo(m);
    });
  }
}
