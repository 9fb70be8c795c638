// The page's loader, the one script its HTML names (the page's policy
// allows no script written in the HTML itself). It keeps the keys typed and
// the keypad keys tapped on the menu the HTML paints, before the game has
// loaded, for the game (window.tecleoTemprano); notes every error of the
// page and every breach of its policy (window.fallosDePagina, which the
// browser tests hold to nothing); and asks for the game.
window.fallosDePagina = [];
addEventListener('error', (evento) => window.fallosDePagina.push(`error: ${evento.message}`));
addEventListener('unhandledrejection', (evento) => window.fallosDePagina.push(`rejection: ${evento.reason}`));
addEventListener('securitypolicyviolation', (evento) =>
  window.fallosDePagina.push(`policy: ${evento.effectiveDirective} ${evento.blockedURI}`),
);
const tempranas = [];
const alTeclear = (evento) => {
  if (evento.key === 'Enter') {
    tempranas.push('\r');
  } else if ([...evento.key].length === 1 && !evento.ctrlKey && !evento.altKey && !evento.metaKey) {
    tempranas.push(evento.key);
  }
};
const alTocar = (evento) => {
  const boton = evento.target.closest('#tactil button');
  if (boton) {
    tempranas.push(boton.dataset.tecla);
  }
};
addEventListener('keydown', alTeclear);
addEventListener('click', alTocar);
window.tecleoTemprano = () => {
  removeEventListener('keydown', alTeclear);
  removeEventListener('click', alTocar);
  return tempranas.join('');
};
// The game's modules and its WebAssembly are asked for once the first
// screen is painted, so that on a slow network nothing delays it;
// then all at once, so that none waits for the module that imports it.
requestAnimationFrame(() =>
  setTimeout(() => {
    const pedir = (rel, href, como) => {
      const enlace = Object.assign(document.createElement('link'), { rel, href });
      if (como) {
        Object.assign(enlace, { as: como, type: 'application/wasm', crossOrigin: 'anonymous' });
      }
      document.head.append(enlace);
    };
    pedir('preload', 'tres-en-rayas.wasm', 'fetch');
    for (const modulo of [
      'partida.mjs',
      'terminal.mjs',
      'xterm.mjs',
      'teclas.mjs',
      'nombres.mjs',
      'anuncios.mjs',
      'foco.mjs',
      'edicion.mjs',
      'juego.mjs',
      'wasi/wasi.js',
      'wasi/fs_mem.js',
    ]) {
      pedir('modulepreload', modulo);
    }
    import('./partida.mjs');
  }),
);
