// What a screen reader is told of the game: a live region of the page's own,
// fed from the terminal's screen each time the game waits for a key. It
// holds what the screen newly shows since the last time: the whole screen
// when the game cleared it (a menu, a board), else the lines that changed
// or came (a refusal, a result, a question). A board is said as its cells,
// row by row ("1 2 3", "4 X 6", "7 O 9"), without its lines and bars. While
// a name is typed only its prompt is said: the screen reader echoes the
// keys itself. The first screen is said once the page has loaded, so that
// it does not come while the screen reader is still busy with the load.

// A screen's line as it is said: the board's bars and rules left out.
function comoSeDice(linea) {
  if (/^\s*-+\s*$/.test(linea)) {
    return '';
  }
  return linea.replace(/ \|/g, ' ').replace(/\s+/g, ' ').trim();
}

// What is said of the screen ahora, after the screen antes (null when it
// was cleared in between): the lines that are new, as they are said.
function loNuevo(antes, ahora) {
  return ahora
    .filter((linea, fila) => antes === null || antes[fila] !== linea)
    .map(comoSeDice)
    .filter((dicho) => dicho !== '');
}

const cargada = new Promise((listo) => {
  if (document.readyState === 'complete') {
    listo();
  } else {
    window.addEventListener('load', () => listo(), { once: true });
  }
}).then(() => new Promise((listo) => setTimeout(listo, 500)));

// region: the live region; terminal: the xterm.js terminal; limpiezas():
// how many times the game has cleared the screen.
export function crearAnuncios(region, terminal, limpiezas) {
  let antes = null;
  let limpiadas = -1;
  // The game's waits told to the announcer, and those it is done with:
  // their screen read, and what is new said (or, in a name, kept quiet).
  let pedidas = 0;
  let atendidas = 0;
  // A name is being typed, and its prompt was said.
  let leyendo = false;
  let promptDicho = false;

  function lineas() {
    const pantalla = terminal.buffer.active;
    const todas = [];
    for (let fila = 0; fila < terminal.rows; fila++) {
      todas.push(
        pantalla
          .getLine(pantalla.baseY + fila)
          .translateToString(true)
          .replace(/\s+$/, ''),
      );
    }
    return todas;
  }

  // The game waits for a key: the screen is read once the terminal has
  // drawn all the game wrote before the wait (and nothing it wrote after),
  // and what is new is said, but for a name's echo once its prompt was said.
  function anunciar() {
    const callar = leyendo && promptDicho;
    promptDicho = leyendo;
    pedidas += 1;
    terminal.write('', () => {
      const ahora = lineas();
      const nuevo = loNuevo(limpiezas() === limpiadas ? antes : null, ahora);
      antes = ahora;
      limpiadas = limpiezas();
      cargada.then(() => {
        if (!callar && nuevo.length > 0) {
          const parrafo = document.createElement('p');
          parrafo.textContent = nuevo.join('\n');
          region.replaceChildren(parrafo);
        }
        atendidas += 1;
      });
    });
  }

  return {
    anunciar,
    // The game asks for a name (true), or has it: its prompt is yet to be
    // said.
    leyendo(si) {
      leyendo = si;
      promptDicho = false;
    },
    // How many waits the announcer is done with, and whether it is done
    // with every one it was told of.
    atendidas: () => atendidas,
    alDia: () => atendidas === pedidas,
    // A new game: its first screen is new.
    reiniciar() {
      antes = null;
      limpiadas = -1;
      leyendo = false;
      promptDicho = false;
    },
  };
}
