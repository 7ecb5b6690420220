'use strict';
// Keeps exactly this release's files, in a cache named after their content,
// so that after one visit the page loads and calculates offline. A new
// release is fetched whole into its own cache, past the browser's HTTP cache,
// and takes over only when a page asks, once it has all its own files
// (quorvel.js): no page is ever built of two releases. The old cache then
// goes. Built by site_release.cmake, which fills in the release and files.
const kRelease = '@RELEASE@';
const kFiles = ['@FILES@'];
const kCache = `quorvel-${kRelease}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache).then((cache) =>
      cache.addAll(kFiles.map((file) => new Request(file, {cache: 'no-cache'})))));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys().then((names) => Promise.all(
      names.filter((name) => name.startsWith('quorvel') && name !== kCache)
           .map((name) => caches.delete(name)))));
});

// The site's file a request names, whatever its query: the site's root is
// its page. Null for anything else, which is left to the network.
function siteFile(request) {
  const url = new URL(request.url);
  const scope = new URL(self.registration.scope);
  if (request.method !== 'GET' || url.origin !== scope.origin || !url.pathname.startsWith(scope.pathname)) {
    return null;
  }
  const file = url.pathname.slice(scope.pathname.length) || 'index.html';
  return kFiles.includes(file) ? file : null;
}

self.addEventListener('fetch', (event) => {
  const file = siteFile(event.request);
  if (!file) return;
  event.respondWith(caches.open(kCache)
                        .then((cache) => cache.match(file))
                        .then((kept) => kept ?? fetch(file)));
});
