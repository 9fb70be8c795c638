// The menu and whole games, the page beside the native build: the menu's
// refusals, Ctrl-C and the exit; a two-player game step by step with the
// same screens and cursor as the native build in tmux; a game against the
// computer, and "Jugar otra vez".
//
//   node --test tests/web/navegador/partida.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { aLaPar } from '../alapar.mjs';
import { esperarA } from '../espera.mjs';
import { enCadaMotor } from '../motores.mjs';
import { Nativo } from '../nativo.mjs';
import { comoTexto, iguales, menu, pausaTexto } from '../pantalla.mjs';
import { pasos, tecla, texto } from '../pasos.mjs';

enCadaMotor('the menu and whole games', (motor) => {
  test('the menu refuses wrong keys as the native build does, Ctrl-C too, and 3 ends with status 0', async () => {
    const p = await motor.abrir();
    await aLaPar(p, [
      ...pasos('x <Space> ñ z <F1>'),
      // The pause took a key of its own; F1's second code is refused next.
      { ...texto('q'), igual: true },
      ...pasos('w <Enter> e'),
    ]);
    // Ctrl-C is a key, not the end of the game.
    await p.pestana.keyboard.down('Control');
    await p.pestana.keyboard.press('c');
    await p.pestana.keyboard.up('Control');
    await p.esperarTexto('Hecho por QuarvendilUsted se ha equivocado de opcion, intente de nuevo');
    assert.equal(await p.estado(), null);
    await p.enviar(tecla('Space'));
    await p.esperarLineas(menu, 'the menu after the pause');
    await p.enviar(texto('3'));
    await p.esperarEstado(0);
    // The screen stays as the game left it.
    const final = await p.leerRecortada();
    assert.deepEqual(final.lineas, menu);
    assert.deepEqual(
      await p.pestana.evaluate(() => [document.getElementById('jugar-otra-vez').hidden, document.activeElement.id]),
      [false, 'jugar-otra-vez'],
    );
  });

  test('a two-player game with edited names, refusals and the question, step by step as the native build', async () => {
    const p = await motor.abrir();
    await aLaPar(
      p,
      pasos(
        '2 Añoz <BSpace> <Left> <Left> <Delete> <Home> X <End> ñ <Escape> Íñigo_Muñoz <Left> <Enter> ' +
          'Begoña <Enter> 1 4 1 <Space> 2 <Up> 5 q w 3 <Space> x <Space> y ' +
          // Two spaces typed in a row stay two spaces (WebKit's editing
          // would make the second a no-break space). A C1 control typed
          // (CSI, which would clear the screen) is a key, not text: never
          // echoed, never in the name.
          '2 Ana__Luisa\u009b2J <Enter> Luis <Enter> 5 1 9 3 2 8 7 4 6 <Space>',
      ),
    );
    await p.esperarTexto('El juego ha terminado desea continuar (Y/N).');
    await p.enviar(texto('n'));
    await p.esperarEstado(0);
  });

  test('a whole game against the computer, its first screens as the native build, then "Jugar otra vez"', async () => {
    const p = await motor.abrir();
    const nativa = new Nativo();
    try {
      await nativa.esperarAsentada((x) => x.lineas[5] === menu[5], 'the native menu');
      for (const lado of [nativa, p]) {
        await lado.enviar(texto('1'));
      }
      const primera = await nativa.esperarAsentada((x) => x.lineas[0] === '---------------', 'the native board');
      await esperarA(
        () => p.leerRecortada(),
        (x) => iguales(x, primera),
        'the first board',
        comoTexto,
      );
      // After the first move the computer's reply is random: the two are
      // compared by their layout, every cell's mark hidden.
      const forma = (x) => comoTexto({ ...x, lineas: x.lineas.map((l) => l.replace(/ \| [1-9XO]/g, ' | #')) });
      for (const lado of [nativa, p]) {
        await lado.enviar(texto('5'));
      }
      const segunda = await nativa.esperarAsentada((x) => (x.lineas[3] ?? '').includes('X'), 'the native reply');
      await esperarA(
        () => p.leerRecortada(),
        (x) => (x.lineas[3] ?? '').includes('X') && forma(x) === forma(segunda),
        'the reply',
        comoTexto,
      );
    } finally {
      nativa.cerrar();
    }
    // Then free cells, lowest first, until the match ends.
    const finales = ['Felicidades has ganado!!', 'Lo siento has empatado.', 'Lastima perdiste intenta de nuevo...'];
    for (;;) {
      const x = await p.leerRecortada();
      if (x.lineas.at(-1) === pausaTexto) {
        assert.ok(finales.includes(x.lineas.at(-2)), comoTexto(x));
        break;
      }
      const libre = x.lineas.join('').match(/[1-9]/);
      assert.ok(libre, comoTexto(x));
      await p.enviar(texto(libre[0]));
      await esperarA(
        () => p.leerRecortada(),
        (y) => !iguales(x, y),
        'the next screen',
        comoTexto,
      );
    }
    await p.enviar(tecla('Space'));
    await p.esperarLineas(['El juego ha terminado desea continuar (Y/N).'], 'the question');
    await p.enviar(texto('N'));
    await p.esperarEstado(0);
    // A new game, with the keyboard's focus on the terminal.
    await p.pestana.click('#jugar-otra-vez');
    await p.esperarLineas(menu, 'the menu of a new game');
    const otra = await p.pestana.evaluate(() => ({
      estado: window.partida.estado,
      foco: document.activeElement === window.partida.terminal.textarea,
      boton: document.getElementById('jugar-otra-vez').hidden,
    }));
    assert.deepEqual(otra, { estado: null, foco: true, boton: true });
    await p.enviar(texto('3'));
    await p.esperarEstado(0);
  });
});
