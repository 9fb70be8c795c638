// Install, offline and update: the page installable and played with no
// network, a new release shown within three reloads, a mixed deploy never
// installed, and two copies of the site on one origin each kept offline.
//
//   node --test tests/web/navegador/sinred.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { esperarA } from '../espera.mjs';
import { enCadaMotor, raiz, sitio } from '../motores.mjs';
import { menu } from '../pantalla.mjs';
import { texto } from '../pasos.mjs';
import { servir } from '../sitio.mjs';
import { vigilar } from '../vigia.mjs';

// What an engine cannot do here, and why.
const sinTrabajador = 'the service worker is tested in Chromium and WebKit';

enCadaMotor(
  'install and offline',
  (motor) => {
    test('installable, playable offline, and a new release shown within three reloads', async () => {
      // A copy of the site of the test's own, served on a port of its own.
      const copia = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-sitio-'));
      vigilar('carpeta', copia);
      fs.cpSync(sitio, copia, { recursive: true });
      let propio = await servir(copia);
      const puerto = propio.address().port;
      try {
        const p = await motor.abrir({ direccion: `http://127.0.0.1:${puerto}/` });
        const { pestana } = p;
        await pestana.evaluate(() => navigator.serviceWorker.ready.then(() => true));
        await pestana.waitForFunction(() => navigator.serviceWorker.controller !== null);
        // Installability as Chromium judges it; WebKit has no such check.
        if (motor.nombre === 'chromium') {
          const cdp = await pestana.createCDPSession();
          assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
        }
        // No network at all: the server is gone.
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        await p.recargar();
        await p.esperarLineas(menu, 'the menu offline');
        await p.enviar(texto('2'));
        await p.esperarTexto('Cual es el nombre del primer jugador:');
        await pestana.keyboard.type('Ana\rLuis\r14253');
        await p.esperarTexto('Felicidades ganastes Ana!!');
        // The site rebuilt with one change, its title, and its worker
        // written anew as the build writes it.
        const indice = path.join(copia, 'index.html');
        const publicar = (titulo) => {
          fs.writeFileSync(
            indice,
            fs.readFileSync(indice, 'utf8').replace(/<title>[^<]*<\/title>/, `<title>${titulo}</title>`),
          );
          execFileSync('cmake', [
            `-DSITIO=${copia}`,
            `-DPLANTILLA=${path.join(raiz, 'web/servicio.js')}`,
            '-P',
            path.join(raiz, 'web/huella.cmake'),
          ]);
        };
        publicar('Tres en rayas 2');
        // Served again where it was.
        propio = await servir(copia, puerto);
        const titulos = [];
        const viejas = await pestana.evaluate(() => caches.keys());
        for (let recarga = 0; recarga < 3 && titulos.at(-1) !== 'Tres en rayas 2'; recarga++) {
          await p.recargar();
          await p.esperarLineas(menu, 'the menu after a reload');
          titulos.push(await pestana.title());
          if (titulos.at(-1) === 'Tres en rayas 2') {
            break;
          }
          // Before reloading again, as a player would after a while: the
          // browser looks for a new worker once a page has loaded, and this
          // waits until it has installed the new release, however long a
          // busy machine makes that.
          await esperarA(
            () =>
              pestana.evaluate(async (viejas) => {
                const registro = await navigator.serviceWorker.getRegistration();
                const nuevas = (await caches.keys()).filter((cache) => !viejas.includes(cache));
                return (
                  registro.installing === null &&
                  registro.waiting === null &&
                  registro.active?.state === 'activated' &&
                  nuevas.length > 0
                );
              }, viejas),
            (instalada) => instalada,
            `the new release installed after reload ${recarga + 1} (titles: ${titulos})`,
          );
        }
        assert.equal(titulos.at(-1), 'Tres en rayas 2', `titles after each reload: ${titulos}`);
        // The old release's cache is gone.
        assert.equal((await pestana.evaluate(() => caches.keys())).length, 1);
        // A third release deployed mixed: one file changed after its worker
        // was written. Its install fails, and the second keeps playing
        // offline.
        publicar('Tres en rayas 3');
        fs.appendFileSync(path.join(copia, 'partida.css'), '\n/* half a deploy */\n');
        const estadoNuevo = await pestana.evaluate(async () => {
          const registro = await navigator.serviceWorker.getRegistration();
          await registro.update();
          const nuevo = registro.installing;
          if (nuevo === null) {
            return 'no new worker';
          }
          while (nuevo.state === 'installing') {
            await new Promise((listo) => nuevo.addEventListener('statechange', listo, { once: true }));
          }
          return nuevo.state;
        });
        assert.equal(estadoNuevo, 'redundant', 'the mixed release is not installed');
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        await p.recargar();
        await p.esperarLineas(menu, 'the menu offline after a mixed deploy');
        assert.equal(await pestana.title(), 'Tres en rayas 2');
        assert.equal((await pestana.evaluate(() => caches.keys())).length, 1);
      } finally {
        propio.closeAllConnections();
        propio.close();
        fs.rmSync(copia, { recursive: true, force: true });
      }
    });

    // Two copies of the site on one origin (two projects of one user on a
    // static host), each installed: each keeps its own offline copy, and
    // both play with no network.
    test('two copies of the site on one origin each play offline', async () => {
      const raizPropia = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-sitios-'));
      vigilar('carpeta', raizPropia);
      for (const copia of ['a', 'b']) {
        fs.cpSync(sitio, path.join(raizPropia, copia), { recursive: true });
      }
      const propio = await servir(raizPropia);
      const base = `http://127.0.0.1:${propio.address().port}`;
      try {
        let p;
        for (const copia of ['a', 'b']) {
          p = await motor.abrir({ direccion: `${base}/${copia}/` });
          await p.pestana.evaluate(() => navigator.serviceWorker.ready.then(() => true));
          await p.pestana.waitForFunction(() => navigator.serviceWorker.controller !== null);
        }
        assert.equal((await p.pestana.evaluate(() => caches.keys())).length, 2);
        propio.closeAllConnections();
        await new Promise((listo) => propio.close(listo));
        for (const copia of ['b', 'a']) {
          await p.pestana.goto(`${base}/${copia}/`);
          await p.cargada();
          await p.esperarLineas(menu, `the menu of /${copia}/ offline`);
        }
        await p.enviar(texto('2'));
        await p.esperarTexto('Cual es el nombre del primer jugador:');
        await p.pestana.keyboard.type('Ana\rLuis\r14253');
        await p.esperarTexto('Felicidades ganastes Ana!!');
      } finally {
        propio.closeAllConnections();
        propio.close();
        fs.rmSync(raizPropia, { recursive: true, force: true });
      }
    });
  },
  { firefox: sinTrabajador },
);
