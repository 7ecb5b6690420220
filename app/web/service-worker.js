'use strict';
// Keeps a copy of the page's own files so that, after one visit, the page
// loads and calculates with the network off. Each request tries the network
// first, so a new version shows on the next load; the copy answers when the
// network does not. Nothing but these files is stored.
const kCache = 'quorvel';
const kFiles = ['./', 'index.html', 'quorvel.css', 'data_box.js', 'quorvel.js', 'quorvel-core.js',
                'quorvel-core.wasm', 'Image1.bmp', 'manifest.webmanifest', 'Static-192.png',
                'Static-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)));
  self.skipWaiting();
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(fetch(event.request)
                        .then((response) => {
                          if (response.ok) {
                            const copy = response.clone();
                            caches.open(kCache).then((cache) => cache.put(event.request, copy));
                          }
                          return response;
                        })
                        .catch(() => caches.match(event.request, {ignoreSearch: true})
                                         .then((kept) => kept || Response.error())));
});
