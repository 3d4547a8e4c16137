// Keeps Spirehold playable offline, and its files downloaded once. Installing fetches every file of
// the site into a cache named after the build (scripts/build-web.sh stamps the version, a hash of the
// files, and their list); the page starts the game only once this worker serves it, so on a first
// visit only the page itself comes twice. A new build fills a cache of its own and takes over when no
// page of the old one is open any more, so a page never mixes files of two builds.
'use strict';

const CACHE = 'spirehold-@BUILD_VERSION@';
const PAGE = './';
const FILES = [PAGE].concat('@SITE_FILES@'.split(' '));

self.addEventListener('install', (event) => {
  // Past the browser's own HTTP cache, so that a new build never caches an old file.
  const requests = FILES.map((file) => new Request(file, { cache: 'reload' }));
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(requests)));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((keys) => Promise.all(keys.filter((key) => key.startsWith('spirehold-') && key !== CACHE)
        .map((key) => caches.delete(key))))
      .then(() => self.clients.claim()));
});

// The page is kept under one key, whether opened as the folder or as index.html.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  const request = new URL(event.request.url).pathname.endsWith('/index.html') ? PAGE : event.request;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
