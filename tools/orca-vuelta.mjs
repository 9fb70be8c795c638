// Orca 43 and Chromium, without the game: a page with one text field that
// has the focus. Each round, Tab takes the focus to the browser's own
// button and Shift-Tab brings it back, and a digit is typed. Where Orca
// says nothing after the Shift-Tab, the digit is typed again after Orca+A
// (Insert+A), which puts Orca in its focus mode. Prints each round and the
// count; REGISTRO=FILE keeps Orca's log. A reproduction for Orca's
// maintainers, not a test: docs/pagina.md says what it shows.
//
//   node tools/orca-vuelta.mjs NPM_FOLDER [ROUNDS]

import { createRequire } from 'node:module';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { abrirLector, conLector } from '../tests/web/orca.mjs';
import { esperarA } from '../tests/web/espera.mjs';
import { servir } from '../tests/web/sitio.mjs';
import { soltarVigia, vigilar } from '../tests/web/vigia.mjs';

const [carpetaNpm, rondas = '20'] = process.argv.slice(2);
const puppeteer = createRequire(path.join(path.resolve(carpetaNpm), 'package.json'))('puppeteer-core');
const carpeta = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-orca-vuelta-'));
vigilar('carpeta', carpeta);
const sitio = path.join(carpeta, 'sitio');
fs.mkdirSync(sitio);
fs.writeFileSync(
  path.join(sitio, 'index.html'),
  '<!doctype html><html lang="es"><meta charset="utf-8"><title>Prueba</title>' +
    '<h1>Prueba</h1><input aria-label="Campo de prueba" autofocus>\n',
);
const servidor = await servir(sitio);
const url = `http://127.0.0.1:${servidor.address().port}/`;
let lector;
let navegador;
try {
  lector = await abrirLector({ carpeta, vigilar, esperarA });
  navegador = await puppeteer.launch(conLector('chromium', lector, url, path.join(carpeta, 'perfil')));
  vigilar('pid', navegador.process().pid);
  const pestana = await (await navegador.waitForTarget((destino) => destino.url() === url)).page();
  let desde = 0;
  // Whether the tests' wait for que ends with cumple(leer()) true.
  const llega = (leer, cumple, que) =>
    esperarA(leer, cumple, que).then(
      () => true,
      () => false,
    );
  // Waits for Orca to say texto after what it had said at desde; false
  // once the tests' wait is over and it has not.
  const oir = (texto) =>
    llega(
      () => lector.dicho().slice(desde).toLowerCase(),
      (dicho) => dicho.includes(texto),
      texto,
    );
  // Types 5 in the field, emptied first; whether the field got it.
  const cinco = async () => {
    await pestana.evaluate(() => {
      document.querySelector('input').value = '';
    });
    lector.teclear('5');
    return llega(
      () => pestana.evaluate(() => document.querySelector('input').value),
      (valor) => valor === '5',
      'the digit in the field',
    );
  };
  if (!(await oir('campo de prueba'))) {
    throw new Error('Orca never said the field as the page loaded');
  }
  const cuenta = { silencio: 0, perdida: 0, remedio: 0 };
  for (let ronda = 1; ronda <= Number(rondas); ronda++) {
    desde = lector.dicho().length;
    lector.teclear('Tab');
    if (!(await oir('botón'))) {
      throw new Error(`round ${ronda}: Orca never said the browser's button after Tab`);
    }
    desde = lector.dicho().length;
    lector.teclear('shift+Tab');
    const dicho = await oir('campo de prueba');
    const recibido = await cinco();
    let linea = `round ${ronda}: ${dicho ? 'the field heard' : 'Orca silent'}, ${recibido ? 'the digit typed' : 'the digit lost'}`;
    if (!dicho) {
      cuenta.silencio++;
      desde = lector.dicho().length;
      lector.teclear('Insert+a');
      const foco = await oir('modo foco');
      const despues = foco && (await cinco());
      cuenta.remedio += despues ? 1 : 0;
      linea += `; after Orca+A, ${foco ? '"modo foco"' : 'no "modo foco"'} and the digit ${despues ? 'typed' : 'lost'}`;
    }
    cuenta.perdida += recibido ? 0 : 1;
    console.log(linea);
  }
  console.log(
    `${rondas} rounds: Orca silent after ${cuenta.silencio} returns, ${cuenta.perdida} digits lost, ` +
      `${cuenta.remedio} typed after Orca+A`,
  );
} finally {
  if (process.env.REGISTRO && fs.existsSync(path.join(carpeta, 'orca.log'))) {
    fs.copyFileSync(path.join(carpeta, 'orca.log'), process.env.REGISTRO);
  }
  await navegador?.close();
  await lector?.cerrar();
  servidor.close();
  fs.rmSync(carpeta, { recursive: true, force: true });
  soltarVigia();
}
