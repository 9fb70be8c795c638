// A screen as the browser tests compare them, the page's and the native
// build's alike: its lines and its cursor. And the game's screens that the
// tests wait for by name.

// A screen: its lines without trailing blanks or empty lines at the
// bottom, and the cursor.
export function comoTexto(p) {
  return `${p.lineas.join('\n')}\n[cursor ${p.x},${p.y}]`;
}
export const iguales = (a, b) => comoTexto(a) === comoTexto(b);
export function recortar(lineas) {
  while (lineas.length > 0 && lineas[lineas.length - 1] === '') {
    lineas.pop();
  }
  return lineas;
}

// The game's menu, and its pause.
export const menu = [
  '       Menu de tres en rayas:',
  'Decida su modalidad de juego:',
  ' 1. Modo solitario (jugador vs IA).',
  ' 2. Modo grupal (jugador vs jugador).',
  ' 3. Salir.',
  'Hecho por Quarvendil',
];
export const pausaTexto = 'Presione una tecla para continuar . . .';
