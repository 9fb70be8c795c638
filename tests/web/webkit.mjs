// WebKit, the engine of Safari and of every browser on an iPhone or an iPad,
// for the browser tests: Debian's WebKitGTK MiniBrowser, driven through
// WebKitWebDriver by selenium-webdriver, on an Xvfb display of its own. What
// the tests ask of a page (in puppeteer's words: goto, evaluate, keyboard,
// click, reload, ...) is done here through WebDriver, so that the same tests
// play in WebKit. WebKitGTK has no touch emulation, and MiniBrowser's window
// is never narrower than 447 px.

import { createRequire } from 'node:module';
import fs from 'node:fs';
import path from 'node:path';
import { abrirPantalla, empezar, terminarGrupo } from './procesos.mjs';

// The narrowest MiniBrowser's window goes.
export const anchoMinimo = 447;

// MiniBrowser, in the library folder of this machine's architecture.
const miniBrowser = () =>
  fs
    .readdirSync('/usr/lib')
    .map((carpeta) => path.join('/usr/lib', carpeta, 'webkit2gtk-4.1/MiniBrowser'))
    .find((programa) => fs.existsSync(programa));

// Starts the browser: an Xvfb display, WebKitWebDriver on a free port and a
// session of MiniBrowser, its data in carpeta (a folder of the test's own).
// Answers what the tests use of a puppeteer browser: newPage, close and
// process.
export async function lanzarWebKit({ carpetaNpm, carpeta, vigilar, plazo }) {
  const requerir = createRequire(path.join(carpetaNpm, 'package.json'));
  const { Builder, By, Key } = requerir('selenium-webdriver');
  const { findFreePort } = requerir('selenium-webdriver/net/portprober');
  const { waitForServer } = requerir('selenium-webdriver/http/util');
  const pantalla = abrirPantalla(process.env, vigilar);
  const numero = await pantalla.numero;
  const puerto = await findFreePort('127.0.0.1');
  const entorno = {
    ...process.env,
    DISPLAY: `:${numero}`,
    HOME: carpeta,
    XDG_CONFIG_HOME: path.join(carpeta, 'config'),
    XDG_CACHE_HOME: path.join(carpeta, 'cache'),
    XDG_DATA_HOME: path.join(carpeta, 'data'),
    // No session bus, so that none is started for it: on a desktop's
    // Debian (dbus-x11), GLib would launch one, and it the desktop portals,
    // one of which mounts a FUSE file system in the profile; all of them
    // outlive the browser. The browser needs no bus to be driven; nor the
    // accessibility bus, which GTK would look for too.
    DBUS_SESSION_BUS_ADDRESS: 'disabled:',
    NO_AT_BRIDGE: '1',
  };
  const conductor = empezar('WebKitWebDriver', [`--port=${puerto}`], { stdio: 'ignore', env: entorno }, vigilar);
  const direccion = `http://127.0.0.1:${puerto}`;
  await waitForServer(direccion, plazo);
  const sesion = await new Builder()
    .usingServer(direccion)
    .withCapabilities({
      browserName: 'MiniBrowser',
      'webkitgtk:browserOptions': { binary: miniBrowser(), args: ['--automation'] },
    })
    .build();

  // Keys by puppeteer's names (ArrowLeft is Key.ARROW_LEFT).
  const tecla = (nombre) =>
    nombre === 'Backspace' ? Key.BACK_SPACE : (Key[nombre.replace(/(.)([A-Z])/g, '$1_$2').toUpperCase()] ?? nombre);
  // Keys held down (Control), pressed again around each key typed.
  let pulsadas = [];
  const acciones = (...codigos) => {
    let lista = sesion.actions();
    for (const pulsada of pulsadas) {
      lista = lista.keyDown(pulsada);
    }
    lista = lista.sendKeys(...codigos);
    for (const pulsada of pulsadas) {
      lista = lista.keyUp(pulsada);
    }
    return lista.perform();
  };

  // A function and its arguments, run in the page; its promise is awaited
  // there, as puppeteer's evaluate does.
  async function evaluate(funcion, ...argumentos) {
    const { valor, error } = await sesion.executeAsyncScript(
      `const listo = arguments[arguments.length - 1];
       Promise.resolve()
         .then(() => (${funcion})(...arguments[0]))
         .then((valor) => listo({ valor }), (error) => listo({ error: String(error) }));`,
      argumentos,
    );
    if (error !== undefined) {
      throw new Error(error);
    }
    return valor;
  }

  // The one window, for every test in turn: a new page is the next address
  // it opens, in a window of the size it had at first.
  const tamano = await sesion.manage().window().getRect();
  const pestana = {
    goto: (url) => sesion.get(url),
    evaluate,
    waitForFunction: (funcion, opciones = {}, ...argumentos) =>
      sesion.wait(() => evaluate(funcion, ...argumentos), opciones.timeout ?? plazo, `waited in vain for ${funcion}`),
    keyboard: {
      // A carriage return is Enter.
      type: (texto) => acciones(...texto.split(/(\r)/).map((parte) => (parte === '\r' ? Key.ENTER : parte))),
      press: (nombre) => acciones(tecla(nombre)),
      down: async (nombre) => {
        pulsadas.push(tecla(nombre));
      },
      up: async (nombre) => {
        pulsadas = pulsadas.filter((pulsada) => pulsada !== tecla(nombre));
      },
    },
    click: async (selector) => (await sesion.findElement(By.css(selector))).click(),
    // The window's size: the page gets what its frame leaves.
    setViewport: ({ width, height }) => sesion.manage().window().setRect({ width, height }),
    reload: () => sesion.navigate().refresh(),
    title: () => sesion.getTitle(),
    // A script's source run in the page by the driver, past the page's own
    // policy, which allows no script written into it.
    ejecutar: (codigo) => sesion.executeScript(codigo),
    close: async () => {},
  };

  return {
    async newPage() {
      pulsadas = [];
      await sesion.manage().window().setRect({ width: tamano.width, height: tamano.height });
      return pestana;
    },
    process: () => conductor.proceso,
    async close() {
      try {
        await sesion.quit();
      } finally {
        await Promise.all([terminarGrupo(conductor), pantalla.cerrar()]);
      }
    },
  };
}
