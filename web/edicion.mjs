// What a phone's keyboard did to the terminal's text field, as the keys of
// the game's line editor. A pure function of the game's line (its text and
// its cursor, counted in characters, as the editor moves) and the field (its
// text and its caret, counted in UTF-16 units, as the browser counts them):
// it answers the keys that make the line what the field holds, the fewest
// it can find, and the line once the game has read them.

// The keys as a terminal sends them, as the game's key decoder
// (src/console/plataforma/teclas.cpp) reads them: teclaIzquierda,
// teclaDerecha, teclaInicio, teclaFin, teclaRetroceso and teclaSuprimir
// (teclas.h). tests/web/copias_test.cpp checks that they edit a line as
// their names say.
export const izquierda = '\x1b[D';
export const derecha = '\x1b[C';
export const inicio = '\x1b[H';
export const fin = '\x1b[F';
export const retroceso = '\x7f';
export const suprimir = '\x1b[3~';

// The keys that take the cursor from one character to another in a line of
// largo characters, and how many they are.
function mover(desde, hasta, largo) {
  if (hasta === desde) {
    return [];
  }
  if (hasta === 0 && desde > 1) {
    return [inicio];
  }
  if (hasta === largo && largo - desde > 1) {
    return [fin];
  }
  return Array(Math.abs(hasta - desde)).fill(hasta < desde ? izquierda : derecha);
}

// The text's characters up to a UTF-16 position, counted.
const caracteresHasta = (texto, posicion) => [...texto.slice(0, posicion)].length;

// The UTF-16 position of the line's cursor: where the field's caret goes.
export function caretDe(linea) {
  return [...linea.texto].slice(0, linea.cursor).join('').length;
}

// The keys of one way to make the change: the characters from desde to
// desde + quitados of the old line replaced by puestos, erased from the
// cheaper end, with the cursor starting at cursor.
function cambio(cursor, desde, quitados, puestos, largo) {
  let borrar = [];
  if (quitados > 0) {
    const porDelante = [...mover(cursor, desde, largo), ...Array(quitados).fill(suprimir)];
    const porDetras = [...mover(cursor, desde + quitados, largo), ...Array(quitados).fill(retroceso)];
    borrar = porDelante.length < porDetras.length ? porDelante : porDetras;
  } else {
    borrar = mover(cursor, desde, largo);
  }
  return [...borrar, ...puestos];
}

const esCaret = (campo) => campo.inicio !== null && campo.inicio === campo.fin;

// Where the edit's own text ends, in characters, or null: the text the
// browser says the edit put in (a letter, a committed composition, a word
// replaced by a correction or a suggestion, a dictated phrase) stands in
// the new line with the old line's start before it and its end after it.
// Where it could stand in several places ("a" typed into "aa"), the one
// whose replaced part of the old line is nearest the cursor.
function finDeLoEscrito(viejo, nuevo, escrito, cursor) {
  const puesto = [...escrito];
  let mejor = null;
  for (let desde = 0; puesto.length > 0 && desde + puesto.length <= nuevo.length; desde++) {
    const tras = nuevo.length - desde - puesto.length;
    const encaja =
      desde + tras <= viejo.length &&
      puesto.every((letra, i) => nuevo[desde + i] === letra) &&
      nuevo.slice(0, desde).every((letra, i) => viejo[i] === letra) &&
      nuevo.slice(desde + puesto.length).every((letra, i) => viejo[viejo.length - tras + i] === letra);
    const distancia = Math.max(0, desde - cursor, cursor - (viejo.length - tras));
    if (encaja && (mejor === null || distancia < mejor.distancia)) {
      mejor = { distancia, fin: desde + puesto.length };
    }
  }
  return mejor?.fin ?? null;
}

// linea: { texto, cursor }; campo: { texto, inicio, fin, escrito } (the
// selection, a caret when both are the same; inicio null when the caret is
// not known: the cursor then goes where the text the edit put in, escrito,
// ends, or after the change when there is none). Answers { teclas, linea }.
export function seguirCampo(linea, campo) {
  const viejo = [...linea.texto];
  const nuevo = [...campo.texto];
  let teclas = [];
  let cursor = linea.cursor;
  if (campo.texto !== linea.texto) {
    const corto = Math.min(viejo.length, nuevo.length);
    let prefijo = 0;
    while (prefijo < corto && viejo[prefijo] === nuevo[prefijo]) {
      prefijo += 1;
    }
    let sufijo = 0;
    while (sufijo < corto && viejo.at(-1 - sufijo) === nuevo.at(-1 - sufijo)) {
      sufijo += 1;
    }
    // Where a letter repeats ("aa", "Gallo") the change can stand in
    // several places, every one as small: the one that costs the fewest
    // keys, counting the caret's move after it, is sent.
    let caret = esCaret(campo) ? caracteresHasta(campo.texto, campo.inicio) : null;
    if (caret === null && campo.escrito) {
      caret = finDeLoEscrito(viejo, nuevo, campo.escrito, linea.cursor);
    }
    let mejor = null;
    for (let desde = Math.min(prefijo, Math.max(0, corto - sufijo)); desde <= prefijo; desde++) {
      const tras = Math.min(sufijo, corto - desde);
      const quitados = viejo.length - desde - tras;
      // A line break ends the name, as Enter does; whatever follows it goes
      // to what the game asks next.
      const puestos = nuevo.slice(desde, nuevo.length - tras);
      const escritos = puestos.join('').replace(/\r\n?|\n/g, '\r');
      let claves = cambio(cursor, desde, quitados, [...escritos], viejo.length);
      const despues = desde + puestos.length;
      const conSalto = escritos.includes('\r');
      if (caret !== null && !conSalto) {
        claves = [...claves, ...mover(despues, caret, nuevo.length)];
      }
      if (mejor === null || claves.length < mejor.claves.length) {
        mejor = { claves, cursor: conSalto || caret === null ? despues : caret };
      }
    }
    teclas = mejor.claves;
    cursor = mejor.cursor;
  } else if (esCaret(campo)) {
    const caret = caracteresHasta(campo.texto, campo.inicio);
    teclas = mover(cursor, caret, nuevo.length);
    cursor = caret;
  }
  return { teclas: teclas.join(''), linea: { texto: campo.texto, cursor } };
}
