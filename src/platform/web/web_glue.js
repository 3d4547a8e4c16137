// The page's side of the browser device (an emscripten JavaScript library): the canvas, the Web Audio
// output, local storage and the frame loop. The game's side is in the .cpp files beside this one.
// Tests and the page find what they need on Module: spireholdFrames (frames presented),
// spireholdUploads (those that changed the canvas), spireholdDisplay() (a copy of the display memory),
// spireholdRepaint() (after the page resized the canvas), spireholdStylus (the display point the game
// was last given), spireholdAudioState(), spireholdEnded, and the page's own onFirstFrame, onGameEnded
// and onAnnounce hooks.

mergeInto(LibraryManager.library, {
  // The display is converted into a canvas of its own size, which is scaled onto the page's canvas. The
  // page sizes that one in device pixels, so each game pixel becomes a block of whole device pixels.
  $webScreen: {
    width: 240,
    height: 320,
    canvas: null,
    context: null,
    source: null,
    sourceContext: null,
    image: null,
    words: null,
    pixels: 0,
    // RGB565 to the canvas's RGBA bytes (read as one little-endian word): each component's top bits
    // repeated into its low bits, so that white stays white.
    rgbaOf: null,

    prepare: function () {
      webScreen.canvas = document.getElementById('canvas');
      webScreen.context = webScreen.canvas.getContext('2d', { alpha: false });
      webScreen.source = document.createElement('canvas');
      webScreen.source.width = webScreen.width;
      webScreen.source.height = webScreen.height;
      webScreen.sourceContext = webScreen.source.getContext('2d', { alpha: false });
      webScreen.image = webScreen.sourceContext.createImageData(webScreen.width, webScreen.height);
      webScreen.words = new Uint32Array(webScreen.image.data.buffer);
      var table = new Uint32Array(65536);
      for (var colour = 0; colour < 65536; colour++) {
        var r = colour >> 11, g = (colour >> 5) & 63, b = colour & 31;
        table[colour] = (0xFF000000 | ((b << 3 | b >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (r << 3 | r >> 2)) >>> 0;
      }
      webScreen.rgbaOf = table;
      Module['spireholdFrames'] = 0;
      Module['spireholdUploads'] = 0;
      Module['spireholdDisplay'] = function () {
        var first = webScreen.pixels >> 1;
        return HEAPU16.slice(first, first + webScreen.width * webScreen.height);
      };
      Module['spireholdRepaint'] = webScreen.repaint;
    },

    // Nearest-neighbour scaling; only a canvas smaller than the display itself is smoothed, as whole
    // pixels would drop rows there. Resizing a canvas resets its drawing state, so it is set each time.
    repaint: function () {
      var canvas = webScreen.canvas;
      webScreen.context.imageSmoothingEnabled = canvas.width < webScreen.width;
      webScreen.context.drawImage(webScreen.source, 0, 0, canvas.width, canvas.height);
    }
  },

  webPresent__deps: ['$webScreen'],
  webPresent: function (pixels, changed) {
    if (!webScreen.context) webScreen.prepare();
    webScreen.pixels = pixels;
    Module['spireholdFrames']++;
    if (changed) {
      var words = webScreen.words, table = webScreen.rgbaOf, first = pixels >> 1;
      for (var i = 0; i < words.length; i++) words[i] = table[HEAPU16[first + i]];
      webScreen.sourceContext.putImageData(webScreen.image, 0, 0);
      webScreen.repaint();
      Module['spireholdUploads']++;
    }
    if (Module['spireholdFrames'] === 1 && Module['onFirstFrame']) Module['onFirstFrame']();
  },

  webCanvasBox: function (box) {
    var rect = document.getElementById('canvas').getBoundingClientRect();
    HEAPF32[box >> 2] = rect.left;
    HEAPF32[(box >> 2) + 1] = rect.top;
    HEAPF32[(box >> 2) + 2] = rect.width;
    HEAPF32[(box >> 2) + 3] = rect.height;
  },

  // The canvas's pointer events as the stylus, at positions in fractional CSS pixels so that a tap lands
  // on the display pixel under it at any scale. A pointer pressed on the canvas stays captured by it,
  // so that a lift off the picture still ends the stroke; and the page takes no gesture from it.
  webListenToPointers: function () {
    var canvas = document.getElementById('canvas');
    var phases = { pointerdown: 0, pointermove: 1, pointerup: 2, pointercancel: 3 };
    var pass = function (event) {
      var phase = phases[event.type];
      if (phase === 0) {
        if (event.button !== 0) return;
        event.preventDefault();
        try { canvas.setPointerCapture(event.pointerId); } catch (e) { /* the pointer is already gone */ }
      }
      var position = _webStylus(phase, event.pointerId, event.clientX, event.clientY);
      if (position >= 0) Module['spireholdStylus'] = { x: position & 0xFFFF, y: position >>> 16 };
    };
    Object.keys(phases).forEach(function (type) { canvas.addEventListener(type, pass); });
    canvas.addEventListener('touchstart', function (event) { event.preventDefault(); }, { passive: false });
  },

  webPageControlFocused: function () {
    var focused = document.activeElement;
    return focused && focused !== document.body && focused.id !== 'canvas' ? 1 : 0;
  },

  webAnnounce: function (summary, board) {
    if (Module['onAnnounce']) Module['onAnnounce'](UTF8ToString(summary), UTF8ToString(board));
  },

  // The sound output. Where the browser has an AudioWorklet (audio-worklet.js, from the site), the
  // game's buffers are handed to it by message, transferred rather than shared, so the page needs no
  // cross-origin isolation; its report that a buffer played completes the buffer. Elsewhere a
  // ScriptProcessorNode pulls the stream on the page's own thread, the one the game runs on, so the
  // stream needs no locking. Browsers that cannot run a context at the stream's rate get their own
  // rate, and the stream is stepped through more slowly.
  $webAudio: {
    generation: 0,  // counts flushes: the worklet's reports of buffers from before one are stale

    playOnWorklet: function (audio) {
      var context = audio.context;
      var node = new AudioWorkletNode(context, 'spirehold-output', {
        numberOfInputs: 0,
        outputChannelCount: [2],
        processorOptions: { step: audio.rate / context.sampleRate }
      });
      node.port.onmessage = function (event) {
        if (event.data.played === webAudio.generation) _webAudioPlayed();
      };
      node.connect(context.destination);
      audio.node = node;
      audio.path = 'worklet';
      _webAudioWorkletReady();
    },

    pullOnPageThread: function (audio) {
      var context = audio.context;
      var blockFrames = context.sampleRate <= 2 * audio.rate ? 512 : 2048;
      var node = context.createScriptProcessor(blockFrames, 0, 2);
      node.onaudioprocess = function (event) {
        var output = event.outputBuffer, frames = output.length;
        var at = _webAudioRender(frames, audio.rate / context.sampleRate) >> 2;
        var left = output.getChannelData(0), right = output.getChannelData(1);
        for (var i = 0; i < frames; i++) {
          left[i] = HEAPF32[at + 2 * i];
          right[i] = HEAPF32[at + 2 * i + 1];
        }
      };
      node.connect(context.destination);
      audio.node = node;
      audio.path = 'script-processor';
    },

    post: function (message, transfer) {
      var audio = Module['spireholdAudio'];
      if (audio && audio.path === 'worklet') audio.node.port.postMessage(message, transfer || []);
    }
  },

  webAudioStart__deps: ['$webAudio'],
  webAudioStart: function (rate) {
    var audio = Module['spireholdAudio'];
    if (audio) {
      audio.rate = rate;  // the page keeps its one context; a reopened stream may step differently
      webAudio.post({ step: rate / audio.context.sampleRate });
      return 1;
    }
    var AudioContextClass = window.AudioContext || window.webkitAudioContext;
    if (!AudioContextClass) return 0;
    var context;
    try {
      context = new AudioContextClass({ sampleRate: rate });
    } catch (e) {
      try { context = new AudioContextClass(); } catch (e2) { return 0; }
    }
    audio = { context: context, node: null, rate: rate, path: null };
    Module['spireholdAudio'] = audio;
    var pull = function () { webAudio.pullOnPageThread(audio); };
    if (window.AudioWorkletNode && context.audioWorklet) {
      context.audioWorklet.addModule('audio-worklet.js').then(function () { webAudio.playOnWorklet(audio); }, pull);
    } else {
      pull();
    }
    // Browsers start sound only from a tap or a key; a context the system interrupted starts again
    // the same way.
    var start = function () {
      if (context.state !== 'running') context.resume().catch(function () {});
    };
    ['pointerdown', 'touchend', 'mousedown', 'keydown'].forEach(function (type) {
      document.addEventListener(type, start, true);
    });
    Module['spireholdAudioState'] = function () { return context.state; };
    return 1;
  },

  webAudioPlay__deps: ['$webAudio'],
  webAudioPlay: function (stereo, frames) {
    var samples = HEAPF32.slice(stereo >> 2, (stereo >> 2) + 2 * frames);
    webAudio.post({ samples: samples, generation: webAudio.generation }, [samples.buffer]);
  },

  webAudioFlush__deps: ['$webAudio'],
  webAudioFlush: function () {
    webAudio.generation++;
    webAudio.post({ flush: true });
  },

  webAudioGain__deps: ['$webAudio'],
  webAudioGain: function (gain) {
    webAudio.post({ gain: gain });
  },

  // Bytes are kept as a string of character codes 0..255.
  webStorageLoad: function (key, buffer, capacity) {
    var text = null;
    try { text = window.localStorage.getItem(UTF8ToString(key)); } catch (e) { return -1; }
    if (text === null || text.length > capacity) return -1;
    for (var i = 0; i < text.length; i++) HEAPU8[buffer + i] = text.charCodeAt(i) & 255;
    return text.length;
  },

  webStorageKey: function (index, buffer, capacity) {
    var key = null;
    try { key = window.localStorage.key(index); } catch (e) { return -1; }
    if (key === null) return -1;
    var length = lengthBytesUTF8(key);
    if (length < capacity) stringToUTF8(key, buffer, capacity);
    return length;
  },

  webStorageSave: function (key, bytes, count) {
    var text = '';
    for (var at = 0; at < count; at += 4096) {
      text += String.fromCharCode.apply(null, HEAPU8.subarray(bytes + at, bytes + Math.min(count, at + 4096)));
    }
    try { window.localStorage.setItem(UTF8ToString(key), text); } catch (e) { /* storage full or denied */ }
  },

  // Animation frames stop while the page is hidden; a slow timer keeps the game's clock and timers
  // going meanwhile, as the device's keep running behind another window. A hidden page makes no
  // sound; coming back resumes it, also where the browser or the system suspended it meanwhile.
  // While the picture changes, the game is pumped on the display's animation frames. A frame that
  // shows nothing new asks for no more of them: the page sleeps until the game's next timer falls due,
  // as the desktop's message loop does, and the browser has no frame to make for a still page. The
  // first frame that changes the picture goes back to animation frames.
  webStartLoop: function () {
    var hiddenPump = setInterval(function () {
      if (document.hidden) _webPump();
    }, 250);
    document.addEventListener('visibilitychange', function () {
      var audio = Module['spireholdAudio'];
      if (!audio) return;
      (document.hidden ? audio.context.suspend() : audio.context.resume()).catch(function () {});
    });
    var pump = function () {
      if (Module['spireholdEnded'] !== undefined) {
        clearInterval(hiddenPump);
        return;
      }
      var uploads = Module['spireholdUploads'];
      var untilDue = _webPump();
      if (untilDue < 0 || Module['spireholdUploads'] !== uploads) {
        requestAnimationFrame(pump);
      } else {
        // Whole milliseconds, rounded up: a timer that wakes the page early only sleeps again.
        setTimeout(pump, Math.ceil(untilDue));
      }
    };
    requestAnimationFrame(pump);
  },

  webGameEnded: function (exitCode) {
    Module['spireholdEnded'] = exitCode;
    if (Module['onGameEnded']) Module['onGameEnded'](exitCode);
  },

  webShowMessage: function (text, caption) {
    window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text));
  }
});
