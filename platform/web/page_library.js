// The page's side of the browser backend (platform/web/page.h), linked into the program with
// --js-library. It runs on the page's thread: calls from the program's workers are carried
// there, and wait for it ('sync') when they return something or hand over memory the caller
// frees afterwards. The canvas is the page's element of id "trivanta", or one made here.
mergeInto(LibraryManager.library, {
  $TrivantaPage: {
    canvas: null,
    context: null,
    // Set once the canvas shows the program's first frame, when it says so with the event
    // 'trivantafirstpaint'.
    painted: false,

    // Matches where the page shows its touch keys beside the canvas (web/page.css).
    touch: null,

    // The canvas's size on the page. On a touch screen: the largest whole multiple of device
    // pixels that fits the box the keys leave it, so that its pixels stay sharp at any number of
    // device pixels to a CSS pixel, or shrunk to the box where not even one fits, rather than cut
    // off. Elsewhere: the largest whole multiple of CSS pixels that fits the window, at least 1.
    fit: function() {
      var canvas = TrivantaPage.canvas;
      var width;
      var height;
      if (TrivantaPage.touch.matches) {
        var ratio = window.devicePixelRatio || 1;
        var box = canvas.parentElement;
        var fits = Math.min(Math.floor(box.clientWidth * ratio) / canvas.width,
                            Math.floor(box.clientHeight * ratio) / canvas.height);
        var deviceScale = fits >= 1 ? Math.floor(fits) : fits;
        width = canvas.width * deviceScale / ratio;
        height = canvas.height * deviceScale / ratio;
      } else {
        var scale = Math.max(1, Math.floor(Math.min(window.innerWidth / canvas.width,
                                                    window.innerHeight / canvas.height)));
        width = canvas.width * scale;
        height = canvas.height * scale;
      }
      canvas.style.width = width + 'px';
      canvas.style.height = height + 'px';
    },

    // Where a pointer event is, in canvas pixels, and where the canvas's top-left corner is on
    // the page, in the same pixels.
    place: function(event) {
      var rect = TrivantaPage.canvas.getBoundingClientRect();
      var scale = rect.width / TrivantaPage.canvas.width;
      return {
        x: Math.floor((event.clientX - rect.left) / scale),
        y: Math.floor((event.clientY - rect.top) / scale),
        originX: Math.floor(rect.left / scale),
        originY: Math.floor(rect.top / scale)
      };
    },

    // A mouse message's button and modifier bits: left 1, right 2, Shift 4, Ctrl 8, middle 16.
    buttonBits: function(event) {
      return (event.buttons & 1) | (event.buttons & 2) | (event.shiftKey ? 4 : 0) |
             (event.ctrlKey ? 8 : 0) | (event.buttons & 4 ? 16 : 0);
    },

    pointer: function(change, event, detail) {
      var at = TrivantaPage.place(event);
      _trivanta_page_pointer(change, at.x, at.y, at.originX, at.originY,
                             TrivantaPage.buttonBits(event), detail);
    },

    key: function(event, pressed) {
      // Keys typed into an input method's composition are the input method's.
      if (event.isComposing || event.keyCode === 229) return;
      // AltGr, which browsers report as Ctrl and Alt, types characters.
      var altGraph = event.getModifierState && event.getModifierState('AltGraph');
      TrivantaPage.type(event.keyCode, event.key, event.location, pressed, event.repeat,
                        event.ctrlKey && !altGraph, event.altKey && !altGraph);
      // The game's keys must not scroll the page or open the browser's help; the browser
      // keeps its shortcuts.
      var browsers = event.ctrlKey || event.metaKey || event.key === 'F5' ||
                     event.key === 'F11' || event.key === 'F12';
      if (!browsers || altGraph) event.preventDefault();
    },

    // A key of the page's touch keys (web/controls.js), a "trivanta-key" event whose detail
    // names it as a keyboard event would (keyCode, key, pressed, repeat): it goes the keyboard's
    // way, a key of the main block without modifiers.
    touchKey: function(event) {
      var key = event.detail;
      TrivantaPage.type(key.keyCode, key.key, 0, key.pressed, key.repeat, false, false);
    },

    // `key` is what KeyboardEvent.key says: the character typed, or the key's name.
    type: function(keyCode, key, location, pressed, repeat, control, alt) {
      var characters = Array.from(key);
      var character = characters.length === 1 ? characters[0].codePointAt(0) : 0;
      _trivanta_page_key(keyCode, character, location, pressed ? 1 : 0, repeat ? 1 : 0,
                         control ? 1 : 0, alt ? 1 : 0);
    },

    listen: function() {
      var canvas = TrivantaPage.canvas;
      window.addEventListener('keydown', function(event) { TrivantaPage.key(event, 1); });
      window.addEventListener('keyup', function(event) { TrivantaPage.key(event, 0); });
      window.addEventListener('trivanta-key', TrivantaPage.touchKey);
      window.addEventListener('blur', function() { _trivanta_page_blur(); });
      // Turning a phone resizes the window, and the touch keys come and go with a touch screen.
      window.addEventListener('resize', TrivantaPage.fit);
      window.addEventListener('orientationchange', TrivantaPage.fit);
      TrivantaPage.touch.addEventListener('change', TrivantaPage.fit);
      canvas.addEventListener('pointermove', function(event) {
        TrivantaPage.pointer(0, event, 0);
      });
      // The pointer is captured while a button is held, so that its release comes here too.
      canvas.addEventListener('pointerdown', function(event) {
        canvas.setPointerCapture(event.pointerId);
        TrivantaPage.pointer(1, event, event.button);
      });
      canvas.addEventListener('pointerup', function(event) {
        TrivantaPage.pointer(2, event, event.button);
      });
      canvas.addEventListener('pointerleave', function(event) {
        TrivantaPage.pointer(4, event, 0);
      });
      canvas.addEventListener('wheel', function(event) {
        event.preventDefault();
        TrivantaPage.pointer(3, event, event.deltaY < 0 ? 1 : -1);
      }, {passive: false});
      canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    }
  },

  trivanta_page_open__proxy: 'sync',
  trivanta_page_open__deps: ['$TrivantaPage'],
  trivanta_page_open: function(width, height) {
    var canvas = document.getElementById('trivanta');
    if (!canvas) {
      canvas = document.createElement('canvas');
      canvas.id = 'trivanta';
      document.body.appendChild(canvas);
    }
    canvas.width = width;
    canvas.height = height;
    canvas.style.imageRendering = 'pixelated';
    canvas.tabIndex = 0;
    TrivantaPage.canvas = canvas;
    // A desynchronized canvas hands what is painted to the compositor itself, without a frame
    // of the page's own: each paint of a game's step costs the browser about half as much.
    TrivantaPage.context = canvas.getContext('2d', {alpha: false, desynchronized: true});
    TrivantaPage.touch = window.matchMedia('(any-pointer: coarse)');
    TrivantaPage.fit();
    TrivantaPage.listen();
    canvas.focus();
  },

  trivanta_page_resize__proxy: 'async',
  trivanta_page_resize__deps: ['$TrivantaPage'],
  trivanta_page_resize: function(width, height) {
    TrivantaPage.canvas.width = width;
    TrivantaPage.canvas.height = height;
    TrivantaPage.fit();
  },

  trivanta_page_show__proxy: 'async',
  trivanta_page_show__deps: ['$TrivantaPage'],
  trivanta_page_show: function(visible) {
    TrivantaPage.canvas.style.visibility = visible ? 'visible' : 'hidden';
  },

  trivanta_page_set_title__proxy: 'sync',
  trivanta_page_set_title: function(utf8) {
    document.title = UTF8ToString(utf8);
  },

  trivanta_page_hide_cursor__proxy: 'async',
  trivanta_page_hide_cursor__deps: ['$TrivantaPage'],
  trivanta_page_hide_cursor: function(hidden) {
    TrivantaPage.canvas.style.cursor = hidden ? 'none' : 'default';
  },

  trivanta_page_viewport_size__proxy: 'sync',
  trivanta_page_viewport_size: function() {
    return (Math.min(window.innerWidth, 0xFFFF) << 16) | Math.min(window.innerHeight, 0xFFFF);
  },

  // ImageData cannot wrap the program's shared memory, so the rectangle is copied out.
  trivanta_page_paint__deps: ['$TrivantaPage'],
  trivanta_page_paint: function(rows, left, top, width, height) {
    var image = TrivantaPage.context.createImageData(width, height);
    image.data.set(HEAPU8.subarray(rows, rows + width * height * 4));
    TrivantaPage.context.putImageData(image, left, top);
    if (!TrivantaPage.painted) {
      TrivantaPage.painted = true;
      TrivantaPage.canvas.dispatchEvent(new Event('trivantafirstpaint'));
    }
  },

  // The page's dialog of id "trivanta-error", with elements of classes "title" and "text" and a
  // button that closes it; it is marked used. A page without one gets the browser's alert.
  trivanta_page_show_error__proxy: 'sync',
  trivanta_page_show_error: function(utf8Title, utf8Text) {
    var title = UTF8ToString(utf8Title);
    var text = UTF8ToString(utf8Text);
    var dialog = document.getElementById('trivanta-error');
    if (!dialog) {
      window.alert(title + '\n\n' + text);
      _trivanta_page_error_closed();
      return;
    }
    dialog.querySelector('.title').textContent = title;
    dialog.querySelector('.text').textContent = text;
    dialog.dataset.used = 'yes';
    dialog.addEventListener('close', function() { _trivanta_page_error_closed(); },
                            {once: true});
    dialog.showModal();
  }
});
