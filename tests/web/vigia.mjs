// A watcher in a session of its own ends every browser, tmux server and
// folder a run starts when the run ends, however it ends: it reads what it
// is told of them until its standard input, held only by this process,
// closes. A pid is a process and its group (a browser's); a tmux server is
// ended by its socket's path; a folder (a browser's profile, told before
// the browser starts, or a tmux server's) goes with every process whose
// command line names it. It starts with the first thing it is told of.

import { spawn } from 'node:child_process';

let vigia = null;

export function vigilar(clase, id) {
  if (vigia === null) {
    vigia = spawn(
      'sh',
      [
        '-c',
        'pids=; servidores=; carpetas=; while read -r clase id; do case $clase in ' +
          'pid) pids="$pids $id -$id" ;; tmux) servidores="$servidores $id" ;; *) carpetas="$carpetas $id" ;; esac; done; ' +
          'for s in $servidores; do tmux -S "$s" kill-server 2>/dev/null; done; ' +
          'for c in $carpetas; do pids="$pids $(pgrep -f -- "$c" | tr "\n" " ")"; done; ' +
          '[ -z "$pids" ] || kill -9 $pids 2>/dev/null; ' +
          'for c in $carpetas; do rm -rf -- "$c"; done; exit 0',
      ],
      { detached: true, stdio: ['pipe', 'ignore', 'ignore'] },
    );
    vigia.unref();
  }
  vigia.stdin.write(`${clase} ${id}\n`);
}

// The run is over: the watcher ends what it was told of.
export function soltarVigia() {
  vigia?.stdin.end();
  vigia = null;
}
