// A desktop with a screen reader for the browser tests: an Xvfb display, a
// session bus, the accessibility bus, a window manager, Speech Dispatcher
// and Orca, in Spanish, everything in a folder of the test's own. There is
// no sound card: Speech Dispatcher's generic module hands every text it is
// given to speak to a script that writes it down, so what Orca says is read
// from that file, as a voice would say it. Keys are typed on the display
// with xdotool, so that Orca takes them as a person's.

import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { abrirPantalla, empezar, primeraLinea, terminarGrupo } from './procesos.mjs';
import { lanzamientos } from './sitio.mjs';

// carpeta: the test's folder; vigilar(clase, id): the watcher; esperarA: the
// tests' polling. Answers the environment a browser starts in, what has
// been said so far (dicho()), teclear(...keys) with xdotool's key names or
// { texto }, diagnostico() and cerrar().
export async function abrirLector({ carpeta, vigilar, esperarA }) {
  // Speech Dispatcher, in a locale the machine lacks, ends at once and says
  // nothing of why.
  if (!/^es_ES\.utf-?8$/im.test(execFileSync('locale', ['-a'], { encoding: 'utf8' }))) {
    throw new Error('the es_ES.UTF-8 locale is missing: localedef -i es_ES -c -f UTF-8 es_ES.UTF-8');
  }
  const hogar = path.join(carpeta, 'hogar');
  const config = path.join(hogar, '.config');
  const datos = path.join(hogar, '.local/share');
  const ejecucion = path.join(carpeta, 'run');
  const voz = path.join(carpeta, 'voz.txt');
  const anotar = path.join(carpeta, 'anotar');
  for (const carpetaNueva of [path.join(config, 'speech-dispatcher/modules'), path.join(datos, 'orca'), ejecucion]) {
    fs.mkdirSync(carpetaNueva, { recursive: true, mode: 0o700 });
  }
  fs.writeFileSync(voz, '');
  // ALSA's null device, for the modules that want one.
  fs.writeFileSync(path.join(hogar, '.asoundrc'), 'pcm.!default { type null }\n');
  fs.writeFileSync(anotar, `#!/bin/sh\ncat >> '${voz}'\nprintf '\\n' >> '${voz}'\n`, { mode: 0o755 });
  fs.writeFileSync(
    path.join(config, 'speech-dispatcher/speechd.conf'),
    [
      'AudioOutputMethod "alsa"',
      'AddModule "generic" "sd_generic" "generic.conf"',
      'DefaultModule generic',
      'DefaultLanguage "es"',
      '',
    ].join('\n'),
  );
  // The whole text at once (a large chunk), without the GenericPunct lines,
  // which the module takes for errors when they have no argument.
  fs.writeFileSync(
    path.join(config, 'speech-dispatcher/modules/generic.conf'),
    [
      `GenericExecuteSynth "printf '%s' \\'$DATA\\' | ${anotar}"`,
      'GenericMaxChunkLength 100000',
      'AddVoice "es" "MALE1" "es"',
      // In UTF-8, as Orca gives it, and not the module's default Latin-1.
      'GenericLanguage "es" "es" "utf-8"',
      '',
    ].join('\n'),
  );
  // Orca as a player has it (Say All on load, caret and structural
  // navigation in its browse mode), but that it says what the page says,
  // not the keys typed. Its debug log, which a player does not have, is
  // written line by line: Orca opens it with a block's buffer, and a log
  // read then ends wherever the last block did, not where Orca is.
  fs.writeFileSync(
    path.join(datos, 'orca/orca-customizations.py'),
    [
      'import orca.settings',
      'orca.settings.enableKeyEcho = False',
      'orca.settings.enableEchoByCharacter = False',
      'orca.settings.enableEchoByWord = False',
      'import orca.debug',
      'if orca.debug.debugFile:',
      '    orca.debug.debugFile.reconfigure(line_buffering=True)',
      '',
    ].join('\n'),
  );

  const base = { ...process.env };
  delete base.NO_AT_BRIDGE;
  delete base.GTK_MODULES;
  delete base.DBUS_SESSION_BUS_ADDRESS;
  Object.assign(base, {
    HOME: hogar,
    XDG_CONFIG_HOME: config,
    XDG_DATA_HOME: datos,
    XDG_CACHE_HOME: path.join(hogar, '.cache'),
    XDG_RUNTIME_DIR: ejecucion,
    LANG: 'es_ES.UTF-8',
    LC_ALL: 'es_ES.UTF-8',
    GNOME_ACCESSIBILITY: '1',
  });

  const pantalla = abrirPantalla(base, vigilar);
  // A session bus that starts no service of its own (no desktop portal,
  // whose FUSE mount would outlive the test).
  const configBus = path.join(carpeta, 'bus.conf');
  fs.writeFileSync(
    configBus,
    `<busconfig><type>session</type><listen>unix:dir=${carpeta}</listen><auth>EXTERNAL</auth>` +
      '<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/>' +
      '<allow own="*"/></policy></busconfig>\n',
  );
  const bus = empezar(
    'dbus-daemon',
    [`--config-file=${configBus}`, '--nofork', '--nopidfile', '--print-address=1'],
    { env: base, stdio: ['ignore', 'pipe', 'ignore'] },
    vigilar,
  );
  const procesos = [pantalla, bus];
  const [numero, direccion] = await Promise.all([pantalla.numero, primeraLinea(bus, 1, 'the session bus')]);
  const entorno = { ...base, DISPLAY: `:${numero}`, DBUS_SESSION_BUS_ADDRESS: direccion };
  const lanzar = (orden, ...argumentos) =>
    procesos.push(empezar(orden, argumentos, { env: entorno, stdio: 'ignore' }, vigilar));
  lanzar('/usr/libexec/at-spi-bus-launcher', '--launch-immediately');
  lanzar('openbox');
  // Speech Dispatcher started here, in the foreground, so that Orca finds
  // it and starts none of its own, which would leave its process group.
  lanzar('speech-dispatcher', '--run-single', '--timeout', '0');
  await esperarA(
    () => fs.existsSync(path.join(ejecucion, 'speech-dispatcher/speechd.sock')),
    (hay) => hay,
    "Speech Dispatcher's socket",
  );
  // Orca's log of what it does with each key, for a failure to tell.
  const registro = path.join(carpeta, 'orca.log');
  lanzar('orca', '--debug-file', registro);

  const dicho = () => fs.readFileSync(voz, 'utf8');
  const leerRegistro = () => fs.readFileSync(registro, 'utf8');
  await esperarA(
    dicho,
    (texto) => texto.includes('Lector de pantalla activado'),
    'Orca speaking',
    (t) => t,
  );

  return {
    entorno,
    dicho,
    // Orca's debug log as it stands.
    registro: leerRegistro,
    // Keys as xdotool names them ("Return", "shift+Tab"), or { texto }.
    teclear(...teclas) {
      for (const tecla of teclas) {
        const argumentos = typeof tecla === 'string' ? ['key', tecla] : ['type', tecla.texto];
        execFileSync('xdotool', argumentos, { env: entorno });
      }
    },
    // Where the display's keys go, what Orca last did with a key and with
    // its focus, and the last lines of its log: what a failed step prints,
    // should a key never reach the page or Orca say nothing.
    diagnostico() {
      let foco;
      try {
        foco = execFileSync('xdotool', ['getwindowfocus', 'getwindowname'], { env: entorno, encoding: 'utf8' }).trim();
      } catch (error) {
        foco = `unknown (${error.message})`;
      }
      const lineas = leerRegistro().trimEnd().split('\n');
      const teclas = lineas
        .filter((linea) =>
          /PROCESS ATSPI_KEY_PRESSED_EVENT|CONSUME:|_inFocusMode|WEB: .*(focus mode|[Cc]aret|SayAll)|[Ss]ay [Aa]ll|locusOfFocus to|Notify:/.test(
            linea,
          ),
        )
        .slice(-40);
      // The end of the log as it stands: what Orca did last.
      return [
        `the display's focus: ${foco}`,
        "Orca's last keys and focus:",
        ...teclas,
        "the end of Orca's log:",
        ...lineas.slice(-4),
      ].join('\n');
    },
    // Every process of the desktop ended, with its group, the last first.
    async cerrar() {
      for (const proceso of procesos.reverse()) {
        await (proceso.cerrar?.() ?? terminarGrupo(proceso));
      }
    },
  };
}

// puppeteer's options for a browser (chromium or firefox) that opens url on
// the reader's desktop, headed, with its profile in perfil, and shows Orca
// its page as it shows a player's.
export function conLector(nombre, lector, url, perfil) {
  const comun = { headless: false, userDataDir: perfil, env: lector.entorno };
  return nombre === 'chromium'
    ? {
        ...lanzamientos.chromium,
        ...comun,
        args: [...lanzamientos.chromium.args, '--force-renderer-accessibility', url],
        // No bar saying the browser is driven, which would take a Tab.
        ignoreDefaultArgs: ['--enable-automation'],
      }
    : {
        ...lanzamientos.firefox,
        ...comun,
        args: [url],
        extraPrefsFirefox: { 'accessibility.force_disabled': -1 },
      };
}

// Whether Orca's log, since Shift-Tab brought the focus back to the page,
// shows Orca 43's fault with Chromium: it handled the document's focus
// first, took its own focus to the terminal's field there without a word,
// and then took the field's focus for one it already had. Orca has then
// said nothing, and is in its browse mode.
export function calladoAlVolver(registro) {
  return /to \[entry \| Entrada de la terminal\]\. Notify: False\n[\s\S]*Setting locusOfFocus to web app descendant\n[^\n]*Setting locusOfFocus to existing locusOfFocus/.test(
    registro,
  );
}
