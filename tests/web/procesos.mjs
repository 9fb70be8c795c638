// Programs the browser tests start beside the browsers (an Xvfb display, a
// driver, a bus, a screen reader): each in a process group of its own, told
// to the watcher, so that the group goes however the run ends.

import { spawn } from 'node:child_process';

// Starts one. Answers the process, and fin, which resolves once it has
// ended.
export function empezar(orden, argumentos, opciones, vigilar) {
  const proceso = spawn(orden, argumentos, { ...opciones, detached: true });
  vigilar('pid', proceso.pid);
  const fin = new Promise((listo) => proceso.once('exit', listo));
  return { proceso, fin };
}

// Ends one with its whole group; resolves once it has ended.
export function terminarGrupo({ proceso, fin }) {
  try {
    process.kill(-proceso.pid, 'SIGKILL');
  } catch {
    // already gone
  }
  return fin;
}

// The first line a program started with empezar writes on its pipe at fd.
export function primeraLinea({ proceso }, fd, que) {
  return new Promise((listo, fallo) => {
    let texto = '';
    proceso.stdio[fd].on('data', (datos) => {
      texto += datos;
      if (texto.includes('\n')) {
        listo(texto.split('\n')[0].trim());
      }
    });
    proceso.once('exit', () => fallo(new Error(`${que} did not start`)));
  });
}

// An Xvfb display of its own. Answers what empezar answers, the display's
// number once it is ready, and cerrar(), which ends it with SIGTERM first:
// on it Xvfb removes its socket in /tmp/.X11-unix, which SIGKILL leaves
// behind. The rest of its group goes after it.
export function abrirPantalla(entorno, vigilar) {
  const pantalla = empezar(
    'Xvfb',
    ['-displayfd', '3', '-nolisten', 'tcp', '-screen', '0', '1280x1024x24'],
    { env: entorno, stdio: ['ignore', 'ignore', 'ignore', 'pipe'] },
    vigilar,
  );
  const cerrar = async () => {
    try {
      pantalla.proceso.kill('SIGTERM');
    } catch {
      // already gone
    }
    await pantalla.fin;
    return terminarGrupo(pantalla);
  };
  return { ...pantalla, numero: primeraLinea(pantalla, 3, 'Xvfb'), cerrar };
}
