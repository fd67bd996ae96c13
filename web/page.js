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
    print: function(text) { console.log(text); },
    printErr: function(text) { console.error(text); },
    onExit: ended,
    // A fault the program could not report itself: said in the dialog errors use.
    onAbort: function(what) {
      var dialog = document.createElement('dialog');
      dialog.id = 'trivanta-error';
      dialog.innerHTML = '<h2>The game stopped</h2><p></p><form method="dialog">' +
                         '<button>OK</button></form>';
      dialog.querySelector('p').textContent = String(what);
      document.body.appendChild(dialog);
      dialog.showModal();
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
