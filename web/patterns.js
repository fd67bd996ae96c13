// Colour marks on the page: a box to tick beside the game, remembered in this page's local
// storage, and `?patterns` in the address. Either starts the program with --patterns, through
// the arguments page.js hands it (window.trivantaArguments). The program reads its arguments
// once, at its start, so a change of the box loads the page again.
(function() {
  'use strict';
  var key = 'trivanta-patterns';

  // Local storage may be refused (a private window, a blocked site): the box then only lasts
  // for this visit.
  function stored() {
    try { return window.localStorage.getItem(key) === '1'; } catch (e) { return false; }
  }
  function store(on) {
    try {
      if (on) window.localStorage.setItem(key, '1'); else window.localStorage.removeItem(key);
    } catch (e) { /* the choice lasts for this visit only */ }
  }

  var address = new URL(window.location.href);
  var on = address.searchParams.has('patterns') || stored();
  window.trivantaArguments = on ? ['--patterns'] : [];

  var label = document.createElement('label');
  label.id = 'patterns-toggle';
  var box = document.createElement('input');
  box.type = 'checkbox';
  box.checked = on;
  label.append(box, ' Colour marks');
  label.title = 'A shape of its own on the blocks of each colour';
  box.addEventListener('change', function() {
    store(box.checked);
    address.searchParams.delete('patterns');
    if (box.checked) address.searchParams.set('patterns', '1');
    window.location.replace(address.href);
  });
  document.body.append(label);
})();
