// What the page asks the browser to keep (an emscripten JavaScript library, beside web_glue.js): the
// screen awake while the game wants it and the page is in view, and the stored files for good once the
// player has something in them. Every call is guarded: a browser without these, or one that refuses,
// leaves the game playing as before.

mergeInto(LibraryManager.library, {
  // A screen wake lock is let go by the browser whenever the page is hidden; it is taken again on return
  // while the game still wants it.
  $webKeeping: {
    wanted: false,
    lock: null,       // the held lock's sentinel
    pending: false,   // a request is on its way
    listening: false,

    take: function () {
      var wakeLock = navigator.wakeLock;
      if (!webKeeping.wanted || document.hidden || webKeeping.lock || webKeeping.pending) return;
      if (!wakeLock || typeof wakeLock.request !== 'function') return;
      webKeeping.pending = true;
      var held = function (sentinel) {
        webKeeping.pending = false;
        if (!sentinel) return;
        webKeeping.lock = sentinel;
        if (typeof sentinel.addEventListener === 'function') {
          sentinel.addEventListener('release', function () {
            if (webKeeping.lock === sentinel) webKeeping.lock = null;
          });
        }
        // Wanted no more, or hidden, while the request was on its way.
        if (!webKeeping.wanted || document.hidden) webKeeping.give();
      };
      try {
        Promise.resolve(wakeLock.request('screen')).then(held, function () { held(null); });
      } catch (e) {
        webKeeping.pending = false;
      }
    },

    give: function () {
      var lock = webKeeping.lock;
      webKeeping.lock = null;
      if (!lock) return;
      try {
        Promise.resolve(lock.release()).catch(function () {});
      } catch (e) { /* already let go */ }
    },

    listen: function () {
      if (webKeeping.listening) return;
      webKeeping.listening = true;
      document.addEventListener('visibilitychange', function () {
        if (document.hidden) webKeeping.give();
        else webKeeping.take();
      });
    }
  },

  webKeepScreenAwake__deps: ['$webKeeping'],
  webKeepScreenAwake: function (awake) {
    webKeeping.listen();
    webKeeping.wanted = awake !== 0;
    if (webKeeping.wanted) webKeeping.take();
    else webKeeping.give();
  },

  // Storage a browser may clear to make room (best-effort) stays once it is persistent; a private window
  // or a refusal keeps it best-effort, and nothing else changes.
  webAskToKeepFiles: function () {
    try {
      var storage = navigator.storage;
      if (storage && typeof storage.persist === 'function') Promise.resolve(storage.persist()).catch(function () {});
    } catch (e) { /* no storage manager */ }
  }
});
