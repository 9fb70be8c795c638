// The service worker: keeps every file of the site, so that after one visit
// the game starts and plays with no network.
//
// The build writes in the release's fingerprint, a hash of the site's
// contents, and the list of its files. A new release is a new worker: the
// browser finds it at the next visit (it fetches this file past the HTTP
// cache), installs it, which fetches every file anew, also past the HTTP
// cache, and then it takes over at once and deletes the old release's
// cache. A reload or two shows the new release.

const cache = 'tres-en-rayas-@HUELLA@';
const archivos = '@ARCHIVOS@'.split(' ');

self.addEventListener('install', (evento) => {
  evento.waitUntil(
    caches
      .open(cache)
      .then((guardados) => guardados.addAll(archivos.map((archivo) => new Request(archivo, { cache: 'reload' }))))
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
            .filter((nombre) => nombre.startsWith('tres-en-rayas-') && nombre !== cache)
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
