// The service worker: keeps every file of the site, so that after one visit
// the game starts and plays with no network.
//
// The build writes in the release's fingerprint, a hash of every file's
// name and SHA-256, and the list of its files. A new release is a new
// worker: the browser finds it at the next visit (it fetches this file past
// the HTTP cache), installs it, which fetches every file anew, also past
// the HTTP cache, and works the fingerprint out again from what it got,
// and then it takes over at once and deletes the old release's cache. A
// reload or two shows the new release. Files that are not the release's (a
// host that serves two releases mixed while it deploys) fail the install:
// the release before keeps playing, offline too.
//
// Caches belong to the origin, and one origin may hold several copies of
// the site (two projects of one user on a static host, a release and a
// preview): each copy's caches are named after its scope, and it deletes
// only its own.

const huella = '@HUELLA@';
const propias = `tres-en-rayas-${self.registration.scope}-`;
const cache = `${propias}${huella}`;
const archivos = '@ARCHIVOS@'.split(' ');

const sha256 = async (datos) =>
  [...new Uint8Array(await crypto.subtle.digest('SHA-256', datos))]
    .map((byte) => byte.toString(16).padStart(2, '0'))
    .join('');

// Every file fetched, and kept only when together they are the release:
// each file's name and SHA-256, a line each in the list's order, hash to
// its fingerprint, as web/huella.cmake works it out; the page's own address
// ("./") is its index.html.
async function guardar() {
  const respuestas = await Promise.all(
    archivos.map(async (archivo) => {
      const respuesta = await fetch(new Request(archivo, { cache: 'reload' }));
      if (!respuesta.ok) {
        throw new Error(`${archivo}: ${respuesta.status}`);
      }
      return { archivo, respuesta, suma: await sha256(await respuesta.clone().arrayBuffer()) };
    }),
  );
  const suma = (archivo) => respuestas.find((r) => r.archivo === archivo).suma;
  const lineas = respuestas.filter((r) => r.archivo !== './').map((r) => `${r.archivo.slice(2)} ${r.suma}\n`);
  const obtenida = (await sha256(new TextEncoder().encode(lineas.join('')))).slice(0, huella.length);
  if (obtenida !== huella || suma('./') !== suma('./index.html')) {
    throw new Error(`the files fetched are not release ${huella} (${obtenida})`);
  }
  const guardados = await caches.open(cache);
  await Promise.all(respuestas.map(({ archivo, respuesta }) => guardados.put(archivo, respuesta)));
}

self.addEventListener('install', (evento) => {
  evento.waitUntil(
    guardar()
      .catch(async (error) => {
        await caches.delete(cache);
        throw error;
      })
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (evento) => {
  evento.waitUntil(
    caches
      .keys()
      .then((nombres) =>
        Promise.all(
          nombres
            .filter((nombre) => nombre.startsWith(propias) && nombre !== cache)
            .map((nombre) => caches.delete(nombre)),
        ),
      )
      .then(() => self.clients.claim()),
  );
});

// The site's files from the cache; anything else from the network.
self.addEventListener('fetch', (evento) => {
  if (evento.request.method !== 'GET') {
    return;
  }
  evento.respondWith(
    caches
      .match(evento.request, { cacheName: cache, ignoreSearch: true })
      .then((guardada) => guardada ?? fetch(evento.request)),
  );
});
