// The page's offline worker. It keeps the page's files, as one build made them, in a cache
// named after that build, and serves them from there, so that the page plays without the
// network once it has been visited. A new build is a new worker with a cache of its own: it
// takes over only once no page of the old build is open, and then deletes the old caches, so
// that no page ever mixes files of two builds. It also gives every response for the page's own
// files the two headers that isolate the page, which its threads need, on hosts that do not
// send them.
'use strict';
// Named after the folder the page is in too, so that copies of the page in other folders of
// the same host keep caches of their own.
var cachePrefix = 'trivanta ' + self.registration.scope + ' ';
var cacheName = cachePrefix + '@BUILD@';
var files = [@FILES@];

// Fetched past the browser's own cache, which may still hold files of an older build.
self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(cacheName).then(function(cache) {
    return cache.addAll(files.map(function(file) { return new Request(file, {cache: 'reload'}); }));
  }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.startsWith(cachePrefix) && name !== cacheName;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// A copy of the response with the isolating headers, made anew so that a response the host
// reached by a redirect may still answer a page's navigation.
function isolated(response) {
  if (response.type === 'opaque' || response.type === 'opaqueredirect') return response;
  var headers = new Headers(response.headers);
  headers.set('Cross-Origin-Opener-Policy', 'same-origin');
  headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
  return new Response(response.body,
                      {status: response.status, statusText: response.statusText, headers: headers});
}

self.addEventListener('fetch', function(event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(cacheName).then(function(cache) {
    return cache.match(request, {ignoreSearch: true});
  }).then(function(kept) { return kept || fetch(request); }).then(isolated));
});
