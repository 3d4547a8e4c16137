// The page's side of the browser device (an emscripten JavaScript library): the canvas, the control
// layer over it, the Web Audio output, local storage and the frame loop. The game's side is in the
// .cpp files beside this one.
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

  webAnnounce: function (summary, board, news) {
    if (Module['onAnnounce']) Module['onAnnounce'](UTF8ToString(summary), UTF8ToString(board), UTF8ToString(news));
  },

  // ---- The control layer ------------------------------------------------------------------------
  // The game tells the controls of the screen in front (platform::showControls). The layer over the
  // canvas (the page's #controls) holds one element for each, over its picture and unseen until the
  // keyboard focuses it: buttons, toggle buttons, a switch, links, the name field, and the board as a
  // grid whose headers are its viewpoints. Tab and the arrow keys move between them (the arrows by row
  // and column in the grid). Using a control (Enter, Space, a click or a screen reader's activation, or
  // a key the game gave it) taps its centre through the stylus entry, as a finger would; the layer
  // itself lets every pointer through to the canvas. Keys the layer uses never reach the game
  // (webPageTakesKey); every other key still does.
  $webControls__deps: ['$webScreen'],
  $webControls: {
    KINDS: ['button', 'toggle', 'switch', 'link', 'field', 'grid', 'gridcell', 'columnheader', 'rowheader'],
    BUTTONS: ['button', 'toggle', 'switch', 'link'],
    ARROWS: ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'],
    POINTER: -2,  // the layer's own stylus: the browser numbers its pointers from 0
    layer: null,
    grid: null,
    rows: null,
    elements: null,  // the shown controls' elements, by control key
    incoming: null,  // the list the game is telling
    gridStop: '',    // the key of the grid part that Tab reaches
    keysDown: null,  // codes of the keys taken going down: their release is taken too

    prepare: function () {
      var layer = document.getElementById('controls'), canvas = document.getElementById('canvas');
      if (!layer || !canvas) return false;
      webControls.layer = layer;
      webControls.grid = document.createElement('div');
      webControls.grid.setAttribute('role', 'grid');
      webControls.rows = [];
      webControls.elements = {};
      webControls.keysDown = {};
      // The layer covers the canvas wherever the page lays it out.
      var follow = function () {
        ['left', 'top', 'width', 'height'].forEach(function (side) { layer.style[side] = canvas.style[side]; });
      };
      follow();
      new MutationObserver(follow).observe(canvas, { attributes: true, attributeFilter: ['style'] });
      layer.addEventListener('click', webControls.onClick);
      layer.addEventListener('focusin', webControls.onFocus);
      document.addEventListener('keydown', webControls.onKeyDown);
      return true;
    },

    isGridPart: function (control) { return control.kind === 'gridcell' || /header$/.test(control.kind); },
    isButton: function (control) { return webControls.BUTTONS.indexOf(control.kind) >= 0; },
    keyOf: function (control) {
      return webControls.isGridPart(control) ? 'grid:' + control.row + ',' + control.column : control.kind + ':' + control.name;
    },

    setAttribute: function (element, name, value) {
      if (value === null) element.removeAttribute(name);
      else if (element.getAttribute(name) !== String(value)) element.setAttribute(name, value);
    },

    create: function (control) {
      var element;
      if (webControls.isButton(control)) {
        element = document.createElement('button');
        element.type = 'button';
        if (control.kind === 'switch' || control.kind === 'link') element.setAttribute('role', control.kind);
      } else {
        element = document.createElement('div');
        element.setAttribute('role', control.kind === 'field' ? 'textbox' : control.kind);
        element.tabIndex = control.kind === 'field' ? 0 : -1;
      }
      element.className = 'control';
      return element;
    },

    // The element over the control's rectangle (inclusive display pixels), in shares of the canvas.
    update: function (element, control) {
      var set = webControls.setAttribute, kind = control.kind;
      var width = webScreen.width, height = webScreen.height;
      element.spireholdControl = control;
      element.style.left = (100 * control.left) / width + '%';
      element.style.top = (100 * control.top) / height + '%';
      element.style.width = (100 * (control.right - control.left + 1)) / width + '%';
      element.style.height = (100 * (control.bottom - control.top + 1)) / height + '%';
      set(element, 'aria-label', control.name);
      set(element, 'aria-pressed', kind === 'toggle' ? String(control.on) : null);
      set(element, 'aria-checked', kind === 'switch' ? String(control.on) : null);
      set(element, 'aria-current', kind === 'link' && control.on ? 'page' : null);
      set(element, 'aria-keyshortcuts', control.keys || null);
      set(element, 'aria-colindex', webControls.isGridPart(control) ? control.column + 1 : null);
      // A field holds its value; the grid's parts hold their names as text, as table cells do.
      var text = kind === 'field' ? control.value : webControls.isGridPart(control) ? control.name : '';
      if (element.textContent !== text) element.textContent = text;
    },

    row: function (index) {
      var rows = webControls.rows;
      while (rows.length <= index) {
        var row = document.createElement('div');
        row.setAttribute('role', 'row');
        row.setAttribute('aria-rowindex', rows.length + 1);
        rows.push(row);
      }
      return rows[index];
    },

    // Puts `children` into `parent` in this order, moving only what is out of place (a moved element
    // loses the focus), and removes every other child.
    arrange: function (parent, children) {
      children.forEach(function (child, at) {
        if (parent.children[at] !== child) parent.insertBefore(child, parent.children[at] || null);
      });
      while (parent.children.length > children.length) parent.removeChild(parent.lastElementChild);
    },

    focused: function () {
      var element = document.activeElement;
      return element && element.spireholdControl && webControls.layer.contains(element) ? element : null;
    },

    // The controls Tab reaches, in reading order: the grid is one of them.
    stops: function () {
      return Array.prototype.map.call(webControls.layer.children, function (element) {
        return element === webControls.grid ? webControls.elements[webControls.gridStop] : element;
      });
    },

    show: function (controls) {
      var layer = webControls.layer, wasFocused = webControls.focused();
      var elements = {}, order = [], rowParts = [], gridColumns = 0;
      controls.forEach(function (control) {
        // The grid is an element of the layer's own, left where its parts' row and columns put it.
        if (control.kind === 'grid') {
          webControls.setAttribute(webControls.grid, 'aria-label', control.name);
          order.push(webControls.grid);
          return;
        }
        var key = webControls.keyOf(control);
        var element = webControls.elements[key] || webControls.create(control);
        webControls.update(element, control);
        element.spireholdKey = key;
        elements[key] = element;
        if (!webControls.isGridPart(control)) {
          order.push(element);
          return;
        }
        (rowParts[control.row] = rowParts[control.row] || []).push(element);
        gridColumns = Math.max(gridColumns, control.column + 1);
      });
      var rows = [];
      rowParts.forEach(function (parts, index) {
        var row = webControls.row(index);
        webControls.arrange(row, parts);
        rows.push(row);
      });
      webControls.arrange(webControls.grid, rows);
      webControls.setAttribute(webControls.grid, 'aria-rowcount', rows.length || null);
      webControls.setAttribute(webControls.grid, 'aria-colcount', gridColumns || null);
      webControls.arrange(layer, order);
      webControls.elements = elements;
      var stop = elements[webControls.gridStop] ? webControls.gridStop : '';
      if (!stop) {
        controls.some(function (control) { return control.kind === 'gridcell' && (stop = webControls.keyOf(control)); });
      }
      webControls.moveGridStop(stop);
      // The focus stays with its control; where the control went with its screen, the new screen's
      // first control takes it.
      if (wasFocused) {
        var target = elements[wasFocused.spireholdKey] || webControls.stops()[0];
        if (target && document.activeElement !== target) target.focus();
      }
    },

    moveGridStop: function (key) {
      var old = webControls.elements[webControls.gridStop];
      if (old && webControls.gridStop !== key) old.tabIndex = -1;
      webControls.gridStop = key;
      if (webControls.elements[key]) webControls.elements[key].tabIndex = 0;
    },

    onFocus: function (event) {
      var control = event.target.spireholdControl;
      if (control && webControls.isGridPart(control)) webControls.moveGridStop(event.target.spireholdKey);
    },

    // A tap at the middle of the control's centre pixel, as the canvas's pointer events give it.
    tap: function (control) {
      if (Module['spireholdEnded'] !== undefined) return;
      var box = document.getElementById('canvas').getBoundingClientRect();
      var x = (control.left + control.right) >> 1, y = (control.top + control.bottom) >> 1;
      var pageX = box.left + ((x + 0.5) * box.width) / webScreen.width;
      var pageY = box.top + ((y + 0.5) * box.height) / webScreen.height;
      var position = _webStylus(0, webControls.POINTER, pageX, pageY);
      if (position < 0) return;  // a finger holds the stylus
      Module['spireholdStylus'] = { x: position & 0xFFFF, y: position >>> 16 };
      _webStylus(2, webControls.POINTER, pageX, pageY);
    },

    // A click that reaches the layer is an activation: a screen reader's, or a focused button's own
    // Enter or Space.
    onClick: function (event) {
      var control = event.target.spireholdControl;
      if (control && (webControls.isButton(control) || control.kind === 'gridcell')) webControls.tap(control);
    },

    // The control of the screen that the key taps from anywhere, or null.
    shortcut: function (key) {
      var name = key.length === 1 ? key.toUpperCase() : key, found = null;
      Object.keys(webControls.elements || {}).some(function (controlKey) {
        var control = webControls.elements[controlKey].spireholdControl;
        return control.keys.split(' ').indexOf(name) >= 0 && (found = control);
      });
      return found;
    },

    // The keys a focused control uses: the arrows (the grid's own moves in the grid, to the previous or
    // next control elsewhere), Home and End in the grid, and Enter and Space on a button or in the grid.
    usesKey: function (control, key) {
      var grid = webControls.isGridPart(control);
      if (webControls.ARROWS.indexOf(key) >= 0 || (grid && (key === 'Home' || key === 'End'))) return true;
      return (key === 'Enter' || key === ' ') && (grid || webControls.isButton(control));
    },

    takes: function (key) {
      var focused = document.activeElement;
      if (focused && focused !== document.body && focused.id !== 'canvas' && !webControls.focused()) return true;
      if (!webControls.layer) return false;
      var element = webControls.focused();
      // Shift is half of Shift+Tab, which moves back through the controls.
      return key === 'Shift' || (element !== null && webControls.usesKey(element.spireholdControl, key)) ||
             webControls.shortcut(key) !== null;
    },

    // The grid part the arrow, Home or End key moves to from `control`; the grid has no corners.
    gridTarget: function (control, key) {
      var row = control.row, column = control.column, elements = webControls.elements;
      var step = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] }[key];
      if (step) return elements['grid:' + (row + step[0]) + ',' + (column + step[1])];
      var parts = webControls.rows[row].children;
      return key === 'Home' ? parts[0] : parts[parts.length - 1];
    },

    // The control an arrow key moves to from the focused `element`, outside the grid: the previous or
    // the next one Tab reaches.
    neighbour: function (element, key) {
      var stops = webControls.stops(), at = stops.indexOf(element);
      return stops[at + (key === 'ArrowLeft' || key === 'ArrowUp' ? -1 : 1)];
    },

    onKeyDown: function (event) {
      if (event.ctrlKey || event.altKey || event.metaKey || Module['spireholdEnded'] !== undefined) return;
      var element = webControls.focused(), control = element && element.spireholdControl;
      if (control && webControls.usesKey(control, event.key)) {
        var activation = event.key === 'Enter' || event.key === ' ';
        if (activation && webControls.isButton(control)) return;  // the button clicks itself
        event.preventDefault();
        if (activation) {
          if (control.kind === 'gridcell') webControls.tap(control);
          return;
        }
        var target = webControls.isGridPart(control) ? webControls.gridTarget(control, event.key)
                                                     : webControls.neighbour(element, event.key);
        if (target) target.focus();
        return;
      }
      var shortcut = webControls.shortcut(event.key);
      if (shortcut) {
        event.preventDefault();
        webControls.tap(shortcut);
      }
    }
  },

  webControlsBegin__deps: ['$webControls'],
  webControlsBegin: function () {
    webControls.incoming = [];
  },

  webControlAdd__deps: ['$webControls'],
  webControlAdd: function (kind, on, row, column, left, top, right, bottom, name, value, keys) {
    webControls.incoming.push({ kind: webControls.KINDS[kind], on: on !== 0, row: row, column: column, left: left,
      top: top, right: right, bottom: bottom, name: UTF8ToString(name), value: UTF8ToString(value), keys: UTF8ToString(keys) });
  },

  webControlsShown__deps: ['$webControls'],
  webControlsShown: function () {
    if (webControls.layer || webControls.prepare()) webControls.show(webControls.incoming);
    webControls.incoming = null;
  },

  // Every key of a page control that has the focus stays the page's, and so does each key the control
  // layer uses; a key taken going down is taken coming up.
  webPageTakesKey__deps: ['$webControls'],
  webPageTakesKey: function (key, keyCode, down) {
    var keysDown = webControls.keysDown || (webControls.keysDown = {});
    if (!down) {
      var taken = keysDown[keyCode] === true;
      delete keysDown[keyCode];
      return taken ? 1 : 0;
    }
    if (!webControls.takes(UTF8ToString(key))) return 0;
    keysDown[keyCode] = true;
    return 1;
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
  // shows nothing new asks for no more of them: the page sleeps until the game's timers have ticked
  // twice (it then delivers both ticks in order, so every frame is still drawn), as the desktop's
  // message loop sleeps until its next tick, and the browser has no frame to make for a still page.
  // The first frame that changes the picture goes back to animation frames, and so does the player's
  // input at once.
  webStartLoop: function () {
    var hiddenPump = setInterval(function () {
      if (document.hidden) _webPump(0);
    }, 250);
    document.addEventListener('visibilitychange', function () {
      var audio = Module['spireholdAudio'];
      if (!audio) return;
      (document.hidden ? audio.context.suspend() : audio.context.resume()).catch(function () {});
    });
    var sleeping = null;
    var pump = function (still) {
      sleeping = null;
      if (Module['spireholdEnded'] !== undefined) {
        clearInterval(hiddenPump);
        return;
      }
      var uploads = Module['spireholdUploads'];
      var untilStillPump = _webPump(still ? 1 : 0);
      if (untilStillPump < 0 || Module['spireholdUploads'] !== uploads) {
        requestAnimationFrame(function () { pump(false); });
      } else {
        // Whole milliseconds, rounded up: a timer that wakes the page early only sleeps again.
        sleeping = setTimeout(function () { pump(true); }, Math.ceil(untilStillPump));
      }
    };
    var wake = function () {
      if (sleeping === null) return;
      clearTimeout(sleeping);
      sleeping = null;
      requestAnimationFrame(function () { pump(true); });
    };
    ['pointerdown', 'pointerup', 'keydown', 'keyup', 'focus', 'blur', 'visibilitychange'].forEach(function (type) {
      window.addEventListener(type, wake, true);
    });
    requestAnimationFrame(function () { pump(false); });
  },

  webGameEnded__deps: ['$webControls'],
  webGameEnded: function (exitCode) {
    Module['spireholdEnded'] = exitCode;
    if (webControls.layer) webControls.show([]);
    if (Module['onGameEnded']) Module['onGameEnded'](exitCode);
  },

  webShowMessage: function (text, caption) {
    window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text));
  }
});
