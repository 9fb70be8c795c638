// The service worker: keeps every file of the site, so that after one visit
// the game starts and plays with no network.
//
// The build writes in the release's fingerprint, a hash of the site's
// contents, and the list of its files, each with its SHA-256. A new release
// is a new worker: the browser finds it at the next visit (it fetches this
// file past the HTTP cache), installs it, which fetches every file anew,
// also past the HTTP cache, and checks each against the release's hash, and
// then it takes over at once and deletes the old release's cache. A reload
// or two shows the new release. A file that is not the release's (a host
// that serves two releases mixed while it deploys) fails the install: the
// release before keeps playing, offline too.
//
// Caches belong to the origin, and one origin may hold several copies of
// the site (two projects of one user on a static host, a release and a
// preview): each copy's caches are named after its scope, and it deletes
// only its own.

const propias = `tres-en-rayas-${self.registration.scope}-`;
const cache = `${propias}@HUELLA@`;
const archivos = '@ARCHIVOS@'.split(' ').map((par) => par.split('='));

const hexadecimal = (bytes) => [...new Uint8Array(bytes)].map((byte) => byte.toString(16).padStart(2, '0')).join('');

// Every file fetched and checked before any is kept.
async function guardar() {
  const respuestas = await Promise.all(
    archivos.map(async ([archivo, suma]) => {
      const respuesta = await fetch(new Request(archivo, { cache: 'reload' }));
      const leida = hexadecimal(await crypto.subtle.digest('SHA-256', await respuesta.clone().arrayBuffer()));
      if (!respuesta.ok || leida !== suma) {
        throw new Error(`${archivo} is not this release's (${respuesta.status}, SHA-256 ${leida})`);
      }
      return [archivo, respuesta];
    }),
  );
  const guardados = await caches.open(cache);
  await Promise.all(respuestas.map(([archivo, respuesta]) => guardados.put(archivo, respuesta)));
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
