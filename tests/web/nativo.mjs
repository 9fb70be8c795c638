// The native build, driven in tmux as the browser tests drive the page: the
// one tmux driver of the JavaScript side, used by the browser tests, the
// README's pictures (tools/capturas.mjs) and the benchmark (bench/tmux.mjs).
// Keys are sent with send-keys, and one tmux command reads the screen, the
// cursor and the pane's size of one moment.
//
// Environment: TRES_EN_RAYAS_NATIVO (the native build, build/tres-en-rayas
// unless given).

import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { esperarA } from './espera.mjs';
import { comoTexto, iguales, recortar } from './pantalla.mjs';
import { nombres } from './pasos.mjs';
import { vigilar } from './vigia.mjs';

const raiz = path.resolve(fileURLToPath(import.meta.url), '../../..');
export const nativo = process.env.TRES_EN_RAYAS_NATIVO ?? path.join(raiz, 'build/tres-en-rayas');
const configTmux = path.join(raiz, 'tests/terminal/tmux.conf');

// A word for a shell, whatever it holds.
export const citar = (texto) => `'${texto.replaceAll("'", "'\\''")}'`;

// The native build in a tmux pane (80x24, or the page's grid) on a private
// server, told to the watcher. The server's socket is in a folder of its
// own, removed with it: tmux leaves its socket behind when it ends. juego
// is the executable (the native build unless given); antes, words the
// pane's command runs it with (strace's, for the benchmark).
export class Nativo {
  constructor(columnas = 80, filas = 24, { juego = nativo, antes = '' } = {}) {
    this.carpeta = fs.mkdtempSync(path.join(os.tmpdir(), 'tres-en-rayas-tmux-'));
    vigilar('carpeta', this.carpeta);
    this.servidor = path.join(this.carpeta, 'servidor');
    vigilar('tmux', this.servidor);
    const orden = `${antes} ${citar(path.resolve(juego))}; exec sleep 3600`;
    this.tmux('new-session', '-d', '-x', `${columnas}`, '-y', `${filas}`, '-s', 'juego', orden);
    [this.panel, this.terminal] = this.tmux('display-message', '-p', '-t', 'juego', '#{pane_pid} #{pane_tty}')
      .trim()
      .split(' ');
    vigilar('pid', this.panel);
    // The game, a child of the pane's shell, once it has started.
    this.juego = null;
  }

  tmux(...argumentos) {
    return execFileSync('tmux', ['-S', this.servidor, '-f', configTmux, ...argumentos], {
      encoding: 'utf8',
      env: { ...process.env, LC_ALL: 'C.UTF-8' },
    });
  }

  // The screen, the cursor and the pane's size of one moment: one tmux
  // command reads them all, so that the game cannot draw in between.
  leer() {
    const [posicion, ...lineas] = this.tmux(
      'display-message',
      '-p',
      '-t',
      'juego',
      '#{cursor_x} #{cursor_y} #{pane_width} #{pane_height}',
      ';',
      'capture-pane',
      '-p',
      '-t',
      'juego',
    ).split('\n');
    const [x, y, ancho, alto] = posicion.split(' ').map(Number);
    return { lineas: recortar(lineas), x, y, ancho, alto };
  }

  // Whether the game is done with all it was sent: asleep in its wait for a
  // key, or ended, with no signal left to handle (a resize's).
  quieto() {
    try {
      this.juego ??= execFileSync('pgrep', ['-P', this.panel], { encoding: 'utf8' }).trim();
    } catch {
      return false; // not started yet
    }
    try {
      const stat = fs.readFileSync(`/proc/${this.juego}/stat`, 'utf8');
      const estado = stat[stat.lastIndexOf(')') + 2];
      const sinSenales = () =>
        fs.readFileSync(`/proc/${this.juego}/status`, 'utf8').match(/^(Sig|Shd)Pnd:\s*0*$/gm)?.length === 2;
      return estado === 'Z' || (estado === 'S' && sinSenales());
    } catch {
      return true; // ended, and its output all written
    }
  }

  // How many reads the game has made: one more once it has taken a key.
  leidas() {
    return Number(fs.readFileSync(`/proc/${this.juego}/io`, 'utf8').match(/^syscr: (\d+)$/m)[1]);
  }

  // What the game shows once it is done with what it was sent, and marked
  // asentada only then: the terminal already has the pane's size (a resize
  // reaches the game as a signal, handled before it sleeps again), the game
  // is quiet, and two readings after that agree, so that tmux has drawn all
  // the game wrote. A screen caught between two of the game's writes is
  // never taken for what the game shows.
  asentada() {
    const tamano = execFileSync('stty', ['-F', this.terminal, 'size'], { encoding: 'utf8' }).trim();
    const quieto = this.quieto();
    const primera = this.leer();
    const segunda = this.leer();
    const asentada = quieto && iguales(primera, segunda) && tamano === `${segunda.alto} ${segunda.ancho}`;
    return { ...segunda, asentada };
  }

  // Waits for the game's screen to settle into one that cumple() accepts.
  esperarAsentada(cumple, que) {
    return esperarA(
      () => this.asentada(),
      (p) => p.asentada && cumple(p),
      que,
      comoTexto,
    );
  }

  // Waits for the screen to show fragmento, settled or not: enough to type
  // on, as a player does once they see the question.
  esperarTexto(fragmento) {
    return esperarA(
      () => this.leer(),
      (p) => p.lineas.join('\n').includes(fragmento),
      JSON.stringify(fragmento),
      comoTexto,
    );
  }

  async enviar(paso) {
    if (paso.movil !== undefined) {
      for (const tecla of paso.nativo) {
        await this.enviar(tecla);
      }
    } else if (paso.texto !== undefined || paso.toque !== undefined) {
      const literal = paso.texto ?? paso.toque;
      this.tmux('send-keys', '-t', 'juego', ...(literal === 'Intro' ? ['Enter'] : ['-l', literal]));
    } else {
      this.tmux('send-keys', '-t', 'juego', nombres[paso.tecla][1]);
    }
  }

  // Whether the game has ended, and whatever ran it with it: the pane's
  // shell has gone on to its sleep.
  terminado() {
    return fs.readFileSync(`/proc/${this.panel}/comm`, 'utf8').trim() === 'sleep';
  }

  cerrar() {
    try {
      this.tmux('kill-server');
    } catch {
      // already gone
    }
    fs.rmSync(this.carpeta, { recursive: true, force: true });
  }
}
