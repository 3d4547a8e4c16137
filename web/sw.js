// Keeps Spirehold playable offline: the page and its files come from the cache first. The build
// stamps its own version into the cache's name, so a new build fills a new cache and drops the old.
'use strict';

const CACHE = 'spirehold-@BUILD_VERSION@';
const FILES = [
  './',
  'index.html',
  'spirehold.js',
  'spirehold.wasm',
  'manifest.webmanifest',
  'icons/icon-192.png',
  'icons/icon-512.png'
];

self.addEventListener('install', (event) => {
  // Past the browser's own HTTP cache, so that a new build never caches an old file.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key.startsWith('spirehold-') && key !== CACHE)
        .map((key) => caches.delete(key))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
