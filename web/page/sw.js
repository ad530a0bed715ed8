// Keeps every file of the page so that it opens and computes without a network. A new version
// installs beside the old one and waits until the page asks it to take over (再読み込み); the
// first one takes over at once.
const prefix = 'vesmer-';
const cacheName = `${prefix}@VERSION@`;
const files = [@FILES@];

self.addEventListener('install', (event) => {
  // Past the browser's HTTP cache, so that no old file is paired with a new one.
  event.waitUntil(caches.open(cacheName)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' })))));
});

self.addEventListener('message', (event) => {
  if (event.data === 'activate') self.skipWaiting();
});

// Only this page's own older caches are removed.
self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(prefix) && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== location.origin) return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(event.request)));
});
