// What the Orca test reads in Orca's log after Shift-Tab brings the focus
// back to the page: whether Orca 43 took its focus to the terminal's field
// in silence, its own fault (calladoAlVolver in orca.mjs). The lines are
// Orca's own, from the logs of a failed and a passed run.

import { test } from 'node:test';
import assert from 'node:assert/strict';
import { calladoAlVolver } from './orca.mjs';

const callado =
  '08:04:58.909612 - ORCA: Changing locusOfFocus from [push button | Tab search] to [entry | Entrada de la terminal]. Notify: False\n' +
  '08:04:58.910686 - WEB: Event handled: Setting locusOfFocus to [entry | Entrada de la terminal] (Context is not a non-focused link)\n' +
  '08:04:58.910706 - ORCA: Setting locusOfFocus to existing locusOfFocus\n';
const campo =
  '08:04:58.922828 - OBJECT EVENT: object:state-changed:focused (1, 0, 0)\n' +
  '08:04:58.930028 - WEB: Event handled: Setting locusOfFocus to web app descendant\n';
const yaEstaba = '08:04:58.930050 - ORCA: Setting locusOfFocus to existing locusOfFocus\n';
const dicho =
  '08:05:55.562421 - ORCA: Active script is: <orca.scripts.toolkits.Chromium.script.Script object at 0x7fe6197c2f10>\n' +
  '08:05:55.562802 - ORCA: Changing locusOfFocus from [push button | Tab search] to [entry | Entrada de la terminal]. Notify: True\n';

test("Orca's silent return is told from the one it says, and from one not yet over", () => {
  const casos = [
    [
      'the document handled first: the focus taken in silence, the field found already had',
      callado + campo + yaEstaba,
      true,
    ],
    ['the same, the field not yet handled', callado, false],
    ["the same, the field's event not yet over", callado + campo, false],
    ['the document skipped: the field said', campo + dicho, false],
    [
      'the silent focus somewhere else, then the field said',
      callado.replace('entry | Entrada de la terminal', 'heading | Tres en rayas') + campo + dicho,
      false,
    ],
    ['the field said, then its focus again', campo + dicho + campo + yaEstaba, false],
    ['nothing yet', '', false],
  ];
  for (const [caso, registro, esperado] of casos) {
    assert.equal(calladoAlVolver(registro), esperado, caso);
  }
});
