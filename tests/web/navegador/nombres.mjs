// Names: typed ahead of the game, edited with the editor's keys, the menu's
// key kept out of them, the field's caret as the browser leaves it, and
// names typed through input methods, a phone's own keyboard's included, each
// compared with what the native build gets from the same keys.
//
//   node --test tests/web/navegador/nombres.mjs

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { aLaPar } from '../alapar.mjs';
import { esperarA } from '../espera.mjs';
import { enCadaMotor } from '../motores.mjs';
import { comoTexto, menu, pausaTexto } from '../pantalla.mjs';
import { alReves, borrar, caret, componer, confirmar, pasos, tecla, tecleo, texto } from '../pasos.mjs';

// The longest line the game's line editor holds, in bytes: its
// capacidadEdicionMaxima (src/console/plataforma/editor.h), which
// tests/web/copias_test.cpp checks this against.
const capacidadEdicionMaxima = 256;

// What an engine cannot do here, and why.
const soloChromium = "input methods are played through Chromium's protocol only";

enCadaMotor('names', (motor) => {
  test('the winner is named as typed, and keys typed ahead of the game are kept in order', async () => {
    const p = await motor.abrir();
    // All at once, before the game has read any of it; with a C1 control
    // in it (CSI, then "2J", which would clear the screen), a key the
    // name never takes.
    await p.pestana.keyboard.type('2Íñigo\u009b2J Muñoz\rBegoña\r14253');
    await p.esperarTexto('Felicidades ganastes Íñigo2J Muñoz!!');
    const fin = await p.leerRecortada();
    assert.deepEqual(fin.lineas.slice(0, 7), [
      '---------------',
      ' | X | X | X |',
      '---------------',
      ' | O | O | 6 |',
      '---------------',
      ' | 7 | 8 | 9 |',
      '---------------',
    ]);
    assert.equal(fin.lineas.at(-1), pausaTexto);
  });

  test("the menu's key is not a name's first letter, with xterm.js's screen reader mode on too", async () => {
    const p = await motor.abrir();
    await p.esperarLineas(menu, 'the menu');
    // In that mode xterm.js lets the browser type the key into its field
    // as well.
    await p.pestana.evaluate(() => {
      window.partida.terminal.options.screenReaderMode = true;
    });
    await p.enviar(texto('2'));
    await p.esperarTexto('Cual es el nombre del primer jugador:');
    await p.pestana.keyboard.type('Ana\rLuis\r');
    await p.esperarTexto(' | 1 | 2 | 3 |');
    await p.pestana.keyboard.type('14253');
    await p.esperarTexto('Felicidades ganastes Ana!!');
  });

  // Where the browser puts the field's caret is not the player's move: a
  // keyboard's text inserted with the caret still before it when its
  // input event comes (as Chromium's insertion sometimes leaves it), and
  // the focus coming back with the caret restored elsewhere, move no
  // cursor of the game's.
  test("the field's caret as the browser leaves it moves no cursor of the game's", async () => {
    const p = await motor.abrir();
    await p.esperarLineas(menu, 'the menu');
    await p.enviar(texto('2'));
    await p.esperarTexto('Cual es el nombre del primer jugador:');
    const insertarAntes = (letras) =>
      p.pestana.evaluate((t) => {
        const campo = window.partida.terminal.textarea;
        campo.setRangeText(t, campo.selectionStart, campo.selectionEnd, 'start');
        campo.dispatchEvent(new InputEvent('input', { inputType: 'insertText', data: t, bubbles: true }));
      }, letras);
    await insertarAntes('Í');
    await insertarAntes('ñ');
    await p.enviar(texto('igo'));
    await p.pestana.evaluate(() => {
      const campo = window.partida.terminal.textarea;
      campo.setSelectionRange(0, 0);
      campo.dispatchEvent(new FocusEvent('focus'));
    });
    await p.pestana.keyboard.type(' Muñoz\rB\r14253');
    await p.esperarTexto('Felicidades ganastes Íñigo Muñoz!!');
  });
});

enCadaMotor(
  'input methods',
  (motor) => {
    // Names typed through an input method: a phone's own keyboard (the
    // page with touch, at a phone's size), or an input method of a desktop.
    for (const tactil of [true, false]) {
      test(`names typed through ${tactil ? "a phone's own keyboard" : 'an input method on a desktop'}, as the native build gets them`, async () => {
        const p = await motor.abrir(tactil ? { ancho: 390, alto: 844, tactil } : {});
        // Dictated past what the line holds: what the game has no room for
        // leaves the field too.
        const dictado = `María${' de la Santisima Trinidad y de todos los Santos'.repeat(6)}`;
        const cabe = `${Buffer.from(dictado).subarray(0, capacidadEdicionMaxima).toString()}|`;
        await aLaPar(p, [
          ...pasos(tactil ? '[2]' : '2'),
          ...tecleo([
            // A word composed letter by letter, and autocorrect committing
            // another.
            ...[...'Begon'].map((letra, i) => [componer('Begon'.slice(0, i + 1)), letra]),
            [confirmar('Begoña '), '<BSpace> ña_', 'Begoña |'],
            // Backspace into the committed word, which is composed again,
            // and inside the composition.
            [componer('Begoña', [0, 7]), '<BSpace>'],
            [componer('Begoñ'), '<BSpace>'],
            [componer('Begoña'), 'a'],
            [confirmar('Begoña'), '', 'Begoña|'],
            // The caret moved back in the field: typing there, then erasing
            // there.
            [caret(3), '<Left> <Left> <Left>', 'Beg|oña'],
            [componer('X'), 'X'],
            [confirmar('X'), '', 'BegX|oña'],
            [borrar, '<BSpace>', 'Beg|oña'],
            [caret(2), '<Left>'],
            [borrar, '<BSpace>', 'B|goña'],
            [caret(5), '<End>'],
            // The name ends, and the field holds nothing of it.
            ['<Enter>', null, '|'],
            // A second name: a long dictation, Escape on a hardware
            // keyboard, a word committed with its events in the other order,
            // then a phrase with ñ and accents, ended by the keyboard's Enter
            // as a line break in the field.
            [confirmar(dictado), [texto(dictado)], cabe],
            ['<Escape>', null, '|'],
            [alReves('María '), [texto('María ')]],
            [confirmar('José Ñúñez'), [texto('José Ñúñez')], 'María José Ñúñez|'],
            // A word composed, and a correction committed over it: of the
            // same length, then of another; each followed by more typing,
            // which goes where the correction ends.
            [confirmar(' '), '_'],
            ...[...'Ama'].map((letra, i) => [componer('Ama'.slice(0, i + 1)), letra]),
            [confirmar('Ana'), '<BSpace> <BSpace> n a', 'María José Ñúñez Ana|'],
            [confirmar(' '), '_', 'María José Ñúñez Ana |'],
            ...[...'Perz'].map((letra, i) => [componer('Perz'.slice(0, i + 1)), letra]),
            [confirmar('Pérez'), '<BSpace> <BSpace> <BSpace> é r e z', 'María José Ñúñez Ana Pérez|'],
            // The same inside the name: the caret put in a word, the word
            // composed again, a suggestion committed over it, more typing.
            [caret(18), Array(8).fill(tecla('Left'))],
            [componer('Ana', [17, 20]), '<Right> <Right>'],
            [confirmar('Ada'), '<Left> <BSpace> d <Right>', 'María José Ñúñez Ada| Pérez'],
            [confirmar('m'), 'm', 'María José Ñúñez Adam| Pérez'],
            [caret(8), Array(13).fill(tecla('Left'))],
            [componer('José', [6, 10]), '<Right> <Right>'],
            [confirmar('Josué'), '<Left> u <Right>', 'María Josué| Ñúñez Adam Pérez'],
            [confirmar(' Ana'), [texto(' Ana')], 'María Josué Ana| Ñúñez Adam Pérez'],
            [confirmar('\n'), '<Enter>', '|'],
          ]),
          ...pasos(tactil ? '[1] [4] [2] [5] [9] [6]' : '1 4 2 5 9 6'),
        ]);
        await esperarA(
          () => p.leerRecortada(),
          // Wrapped where the grid is narrow: the words, without the spaces.
          (x) => x.lineas.join('').replaceAll(' ', '').includes('FelicidadesganastesMaríaJosuéAnaÑúñezAdamPérez!!'),
          'the winner named',
          comoTexto,
        );
      });
    }
  },
  { firefox: soloChromium, webkit: soloChromium },
);
