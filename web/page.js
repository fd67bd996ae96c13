// Starts the page's program (the script its tag names in data-program), and tells the reader in
// words when the program cannot run here or has ended, instead of leaving a blank or frozen
// canvas.
(function() {
  'use strict';
  var program = document.currentScript.dataset.program;
  var canvas = document.getElementById('trivanta');
  var notice = document.getElementById('notice');

  function say(html, state) {
    canvas.remove();
    notice.innerHTML = html;
    notice.hidden = false;
    document.body.dataset.state = state;
  }

  function ended() {
    say('<p>The game has ended &mdash; <a href="">reload</a> to play again.</p>', 'ended');
  }

  // The dialog the program shows its fatal errors in (platform/web/page_library.js), which
  // marks it used.
  var errorDialog = document.getElementById('trivanta-error');
  function showError(title, text) {
    errorDialog.querySelector('.title').textContent = title;
    errorDialog.querySelector('.text').textContent = text;
    errorDialog.dataset.used = 'yes';
    errorDialog.showModal();
  }

  // What the program said on its error output last, for a failure it had no window to show in.
  var errors = [];

  // The program's threads share memory, which browsers allow only to pages isolated from
  // other sites' windows and resources.
  if (!self.crossOriginIsolated) {
    say('<p>The game cannot start: this page was served without cross-origin isolation, ' +
        'which its threads need. The server must send these two headers with every file ' +
        'of the page:</p>' +
        '<pre>Cross-Origin-Opener-Policy: same-origin\n' +
        'Cross-Origin-Embedder-Policy: require-corp</pre>', 'not-isolated');
    return;
  }

  window.Module = {
    canvas: canvas,
    // What the page asks the program for on its command line (patterns.js: colour marks).
    arguments: window.trivantaArguments || [],
    print: function(text) { console.log(text); },
    printErr: function(text) {
      console.error(text);
      errors = errors.concat(text).slice(-10);
    },
    // A program that failed before it could show its error in a dialog of its own has it shown
    // here.
    onExit: function(code) {
      if (code !== 0 && !errorDialog.dataset.used && errors.length > 0) {
        showError('The game stopped', errors.join('\n'));
      }
      ended();
    },
    // A fault the program could not report itself.
    onAbort: function(what) {
      showError('The game stopped', String(what));
      ended();
    }
  };
  var script = document.createElement('script');
  script.src = program;
  script.onerror = function() {
    say('<p>The game could not be loaded (' + program + ').</p>', 'ended');
  };
  document.body.appendChild(script);
})();
