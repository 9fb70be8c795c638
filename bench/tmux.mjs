// One two-player match typed in a real terminal, for bench/medir.sh: the
// game in a tmux pane of 80x24 under strace, which writes its reads and its
// writes to TRACE_FILE. Each key is sent once the screen asks for it, and
// the script ends once the game has, the trace complete.
//
//   node bench/tmux.mjs GAME TRACE_FILE

import { esperarA } from '../tests/web/espera.mjs';
import { citar, Nativo } from '../tests/web/nativo.mjs';
import { tecla, texto } from '../tests/web/pasos.mjs';
import { soltarVigia } from '../tests/web/vigia.mjs';

const [juego, traza] = process.argv.slice(2);
const nativa = new Nativo(80, 24, { juego, antes: `strace -o ${citar(traza)} -e trace=read,write` });
try {
  // The keys, each with what the screen shows when the game asks for it.
  const partida = [
    ['Hecho por', texto('2')],
    ['primer jugador', texto('Ana'), tecla('Enter')],
    ['segundo jugador', texto('Luis'), tecla('Enter')],
    ...[...'123547869'].map((jugada) => ['---------------', texto(jugada)]),
    ['empatado', texto('z')],
    ['(Y/N)', texto('n')],
  ];
  for (const [pantalla, ...teclas] of partida) {
    await nativa.esperarTexto(pantalla);
    for (const paso of teclas) {
      await nativa.enviar(paso);
    }
  }
  await esperarA(
    () => nativa.terminado(),
    (si) => si,
    "the game's end",
  );
} finally {
  nativa.cerrar();
  soltarVigia();
}
