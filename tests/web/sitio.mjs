// What the browser tests and the benchmark share: the static site served on
// the loopback as any static host would (cached for a day, gzipped or not), and how headless Chromium and
// Firefox are started (Debian's own; puppeteer downloads none).

import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import zlib from 'node:zlib';

// The static site, served as any static host would.
const tipos = {
  '.html': 'text/html; charset=utf-8',
  '.mjs': 'text/javascript',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.svg': 'image/svg+xml',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.txt': 'text/plain; charset=utf-8',
};
// On the port given, or on any free one; comprimir false serves every
// file as it stands, as the plainest static host does.
export function servir(sitio, puerto = 0, { comprimir = true } = {}) {
  const carpeta = path.resolve(sitio);
  const servidor = http.createServer((pedido, respuesta) => {
    const ruta = decodeURIComponent(new URL(pedido.url, 'http://localhost').pathname);
    let archivo = path.join(carpeta, ruta);
    if (!archivo.startsWith(carpeta)) {
      respuesta.writeHead(403).end();
      return;
    }
    if (ruta.endsWith('/')) {
      archivo = path.join(archivo, 'index.html');
    }
    fs.readFile(archivo, (error, datos) => {
      if (error) {
        respuesta.writeHead(404).end();
        return;
      }
      const tipo = tipos[path.extname(archivo)] ?? 'application/octet-stream';
      // A day in the HTTP cache, as static hosts let files stay, and
      // gzipped for a browser that takes it, as they send them.
      const cabeceras = { 'content-type': tipo, 'cache-control': 'max-age=86400', vary: 'accept-encoding' };
      if (comprimir && /\bgzip\b/.test(pedido.headers['accept-encoding'] ?? '') && tipo !== 'image/png') {
        cabeceras['content-encoding'] = 'gzip';
        datos = zlib.gzipSync(datos);
      }
      respuesta.writeHead(200, cabeceras).end(datos);
    });
  });
  return new Promise((listo) => servidor.listen(puerto, '127.0.0.1', () => listo(servidor)));
}

export const lanzamientos = {
  chromium: {
    browser: 'chrome',
    executablePath: '/usr/bin/chromium',
    args: [
      '--no-sandbox',
      '--disable-gpu',
      '--disable-quic',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  },
  firefox: { browser: 'firefox', executablePath: '/usr/bin/firefox-esr' },
};
