// Phones: upright and sideways, legible, the keypad laid out as the board,
// and a whole game tapped and typed on the phone's keyboard, the phone
// turned in the middle, as the native build plays it.
//
//   node --test tests/web/navegador/movil.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { aLaPar } from '../alapar.mjs';
import { enCadaMotor } from '../motores.mjs';
import { pasos } from '../pasos.mjs';

// What an engine cannot do here, and why.
const sinTactil = 'touch screens are emulated in Chromium only (Firefox and WebKitGTK have no touch emulation)';

enCadaMotor(
  'phones',
  (motor) => {
    // Phones upright and sideways, in Chromium's emulation with touch.
    for (const [ancho, alto] of [
      [390, 844],
      [844, 390],
      [360, 740],
      [740, 360],
    ]) {
      test(`a phone of ${ancho}x${alto}: legible, a keypad like the board, a whole game tapped as the native build plays it`, async () => {
        const p = await motor.abrir({ ancho, alto, tactil: true });
        const m = await p.medidas();
        assert.ok(m.letra >= 14 && m.columnas <= 80 && m.filas <= 24 && !m.desplazable, JSON.stringify(m));
        // The terminal and the keypad in view, the keys in three columns,
        // each at least 48x48, under the terminal upright and beside it
        // sideways.
        const [uno, dos, , cuatro] = m.teclas;
        assert.equal(m.teclas.length, 12);
        assert.ok(dos.x > uno.x && cuatro.y > uno.y && cuatro.x === uno.x, JSON.stringify(m.teclas));
        for (const caja of [m.terminal, ...m.teclas]) {
          assert.ok(caja.x >= 0 && caja.y >= 0 && caja.derecha <= ancho && caja.abajo <= alto, JSON.stringify(caja));
        }
        assert.ok(
          m.teclas.every((t) => t.ancho >= 48 && t.alto >= 48),
          JSON.stringify(m.teclas),
        );
        assert.ok(alto > ancho ? uno.y >= m.terminal.abajo : uno.x >= m.terminal.derecha, JSON.stringify(m));
        assert.ok(await p.pestana.evaluate(() => document.getElementById('aviso-teclado').offsetHeight > 0));
        // A name long enough to wrap, typed on the phone's keyboard, which
        // comes up with the terminal's focus when the game asks for it; the
        // phone turned while it is half typed, and back on the board.
        await aLaPar(
          p,
          pasos(
            '[N] [Intro] [2] Maria_Jose_de_los_Angeles_Fernandez_Peña_Ruiz {girar} <BSpace> [Intro] Begoña [Intro] ' +
              '[1] [4] [1] {girar} [Intro] [2] [5] [3] [Intro] [Y]',
          ),
        );
        assert.equal(
          await p.pestana.evaluate(() => document.activeElement === window.partida.terminal.textarea),
          false,
        );
        await p.tocar('3');
        await p.esperarEstado(0);
      });
    }
  },
  { firefox: sinTactil, webkit: sinTactil },
);
