// The page's audits: axe-core in the three engines, and Lighthouse's
// accessibility, best practices and SEO, mobile and desktop, in Chromium.
//
//   node --test tests/web/navegador/auditorias.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { carpetaNpm, enCadaMotor } from '../motores.mjs';
import { menu } from '../pantalla.mjs';

// What an engine cannot do here, and why.
const soloChromium = 'Lighthouse runs in Chromium';

enCadaMotor('axe', (motor) => {
  test('axe-core finds nothing on the page', async () => {
    const p = await motor.abrir();
    await p.esperarLineas(menu, 'the menu');
    // Run by the driver itself: the page's policy allows no script
    // written into it.
    const axe = fs.readFileSync(path.join(carpetaNpm, 'node_modules/axe-core/axe.min.js'), 'utf8');
    await (motor.nombre === 'webkit' ? p.pestana.ejecutar(axe) : p.pestana.evaluate(axe));
    const violaciones = await p.pestana.evaluate(async () => (await window.axe.run(document)).violations);
    assert.deepEqual(
      violaciones.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`),
      [],
    );
  });
});

enCadaMotor(
  'Lighthouse',
  (motor) => {
    test('Lighthouse, mobile and desktop: accessibility, best practices and SEO at 100', async () => {
      const { default: lighthouse } = await import(path.join(carpetaNpm, 'node_modules/lighthouse/core/index.js'));
      const { default: escritorio } = await import(
        path.join(carpetaNpm, 'node_modules/lighthouse/core/config/desktop-config.js')
      );
      const categorias = ['accessibility', 'best-practices', 'seo'];
      const puertoDepuracion = Number(new URL(motor.navegador.wsEndpoint()).port);
      // Lighthouse's logger sets DEBUG in this process's environment, which
      // every program a later test starts would inherit (xdotool then prints
      // each command it runs): it is put back as it was.
      const depuracion = process.env.DEBUG;
      try {
        for (const config of [undefined, escritorio]) {
          const { lhr } = await lighthouse(
            motor.url,
            { port: puertoDepuracion, onlyCategories: categorias, logLevel: 'error' },
            config,
          );
          const notas = Object.fromEntries(categorias.map((c) => [c, lhr.categories[c].score]));
          const fallos = Object.values(lhr.audits).filter(
            (a) => a.score !== null && a.score < 1 && a.scoreDisplayMode === 'binary',
          );
          assert.deepEqual(
            notas,
            { accessibility: 1, 'best-practices': 1, seo: 1 },
            `${lhr.configSettings.formFactor}: ${fallos.map((a) => a.id)}`,
          );
        }
      } finally {
        if (depuracion === undefined) {
          delete process.env.DEBUG;
        } else {
          process.env.DEBUG = depuracion;
        }
      }
    });
  },
  { firefox: soloChromium, webkit: soloChromium },
);
