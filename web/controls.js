// The keys of a touch screen (the buttons of web/page.html, shown by web/page.css): each types
// the key its data-key names, as the keyboard's key would, through the program's page library
// (a "trivanta-key" event, platform/web/page_library.js), so that the game reads it as any
// other key. A held button whose data-repeats is set repeats as a held key does on a desktop:
// after a delay, at a steady rate. Whatever ends a touch, or takes the page from the player
// (hidden, unfocused, turned), lets every held button go, so that no key stays down.
// Swipes on the canvas move (left, right), drop (down) and rotate (a tap) besides.
(function() {
  'use strict';
  var repeatDelayMs = 400;
  var repeatEveryMs = 50;
  // A swipe is a touch that travels this many CSS pixels, a tap one that travels less than tapPx.
  var swipePx = 30;
  var tapPx = 10;

  function send(name, pressed, repeat) {
    var key = name === 'space' ? ' ' : name;
    window.dispatchEvent(new CustomEvent('trivanta-key', {
      detail: {key: key, keyCode: key.toUpperCase().charCodeAt(0), pressed: pressed, repeat: repeat}
    }));
  }

  function tap(name) {
    send(name, true, false);
    send(name, false, false);
  }

  // The buttons held now, each with the pointers that hold it and its repeat's timers.
  var held = new Map();

  function press(button, pointerId) {
    var hold = held.get(button);
    if (hold) {
      hold.pointers.add(pointerId);
      return;
    }
    var name = button.dataset.key;
    hold = {pointers: new Set([pointerId]), delay: 0, repeat: 0};
    held.set(button, hold);
    button.classList.add('held');
    send(name, true, false);
    if ('repeats' in button.dataset) {
      hold.delay = setTimeout(function() {
        hold.repeat = setInterval(function() { send(name, true, true); }, repeatEveryMs);
      }, repeatDelayMs);
    }
  }

  // Lets the pointer go of the button, and the button once no pointer holds it; with no pointer
  // named, at once.
  function release(button, pointerId) {
    var hold = held.get(button);
    if (!hold) return;
    if (pointerId !== undefined) {
      hold.pointers.delete(pointerId);
      if (hold.pointers.size > 0) return;
    }
    clearTimeout(hold.delay);
    clearInterval(hold.repeat);
    held.delete(button);
    button.classList.remove('held');
    send(button.dataset.key, false, false);
  }

  function releaseAll() {
    held.forEach(function(hold, button) { release(button); });
  }

  function wire(button) {
    button.tabIndex = -1;  // the keyboard's focus stays with the canvas
    button.addEventListener('pointerdown', function(event) {
      if (event.pointerType === 'mouse' && event.button !== 0) return;
      event.preventDefault();
      // The button keeps the pointer until it is lifted, wherever it slides to; a pointer the
      // browser no longer knows (already lifted) cannot be captured, and is let go below.
      try {
        button.setPointerCapture(event.pointerId);
      } catch (error) {
        // Its pointerup has come or comes to the button anyway.
      }
      press(button, event.pointerId);
    });
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach(function(type) {
      button.addEventListener(type, function(event) { release(button, event.pointerId); });
    });
    button.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    // Pressed by assistive technology rather than a pointer.
    button.addEventListener('click', function(event) {
      if (event.detail === 0) tap(button.dataset.key);
    });
  }

  Array.prototype.forEach.call(document.querySelectorAll('#controls button[data-key]'), wire);
  window.addEventListener('blur', releaseAll);
  window.addEventListener('pagehide', releaseAll);
  window.addEventListener('orientationchange', releaseAll);
  if (window.screen && screen.orientation) {
    screen.orientation.addEventListener('change', releaseAll);
  }
  document.addEventListener('visibilitychange', function() {
    if (document.hidden) releaseAll();
  });

  // Swipes on the canvas, touch only: the mouse's buttons are the program's.
  var swipes = new Map();
  document.addEventListener('pointerdown', function(event) {
    if (event.pointerType === 'touch' && event.target.id === 'trivanta') {
      swipes.set(event.pointerId, {x: event.clientX, y: event.clientY});
    }
  });
  document.addEventListener('pointercancel', function(event) { swipes.delete(event.pointerId); });
  document.addEventListener('pointerup', function(event) {
    var start = swipes.get(event.pointerId);
    if (!start) return;
    swipes.delete(event.pointerId);
    var across = event.clientX - start.x;
    var down = event.clientY - start.y;
    if (Math.abs(across) >= swipePx && Math.abs(across) > Math.abs(down)) {
      tap(across < 0 ? 'a' : 'd');
    } else if (down >= swipePx && down > Math.abs(across)) {
      tap('s');
    } else if (Math.abs(across) < tapPx && Math.abs(down) < tapPx) {
      tap('w');
    }
  });
})();
