// Starts the page's program (the script its tag names in data-program, with the arguments
// data-arguments lists), and tells the reader in words when the program cannot run here or has
// ended, instead of leaving a blank or frozen canvas. The page's offline worker
// (service_worker.js) keeps the page for playing without the network and, on a host that does
// not isolate the page, isolates it.
(function() {
  'use strict';
  var script = document.currentScript;
  var program = script.dataset.program;
  var programArguments = (script.dataset.arguments || '').split(' ').filter(Boolean);
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

  // Set for the one reload that should bring the page under its worker, so that a page the
  // worker could not isolate explains itself rather than reload again and again.
  var reloadMark = 'trivanta-isolating-reload';
  function takeReloadMark() {
    try {
      var marked = sessionStorage.getItem(reloadMark) !== null;
      sessionStorage.removeItem(reloadMark);
      return marked;
    } catch (error) {
      return true;  // no storage for the mark: no reload either
    }
  }

  // Settles once the worker is active: it fails where service workers are unavailable (a file:
  // page, a private window, a browser that refuses them) and where the worker could not keep
  // the page's files (the storage is full).
  function registerWorker() {
    if (!('serviceWorker' in navigator)) return Promise.reject(new Error('no service workers'));
    return navigator.serviceWorker.register('service_worker.js').then(function(registration) {
      return new Promise(function(resolve, reject) {
        if (registration.active) {
          resolve(registration);
          return;
        }
        var worker = registration.installing || registration.waiting;
        if (!worker) {
          reject(new Error('no worker'));
          return;
        }
        worker.addEventListener('statechange', function() {
          if (worker.state === 'activated') resolve(registration);
          if (worker.state === 'redundant') reject(new Error('the worker could not keep the page'));
        });
      });
    });
  }

  function sayNotIsolated() {
    say('<p>The game cannot start: this page was served without cross-origin isolation, ' +
        'which its threads need, and this browser does not let the page\'s service worker ' +
        'isolate it. The server must send these two headers with every file of the page:</p>' +
        '<pre>Cross-Origin-Opener-Policy: same-origin\n' +
        'Cross-Origin-Embedder-Policy: require-corp</pre>', 'not-isolated');
  }

  // The program's threads share memory, which browsers allow only to pages isolated from
  // other sites' windows and resources. A host that does not send the two headers that isolate
  // the page has them added by the worker, to the page's own files, from the first reload under
  // it on.
  var reloaded = takeReloadMark();
  if (!self.crossOriginIsolated) {
    if (reloaded) {
      sayNotIsolated();
      return;
    }
    registerWorker().then(function() {
      sessionStorage.setItem(reloadMark, 'yes');
      location.reload();
    }).catch(sayNotIsolated);
    return;
  }
  // Kept for the next visit without the network once the game shows, so that keeping it does
  // not slow the start (a worker starting and fetching every file beside the program's threads
  // delays its first frame by a fifth of a second on two cores); without the worker the page
  // plays online.
  canvas.addEventListener('trivantafirstpaint', function() {
    registerWorker().catch(function(error) { console.log('Not kept for offline play: ' + error); });
  }, {once: true});

  window.Module = {
    canvas: canvas,
    // The page's own arguments, and what patterns.js asks for (colour marks).
    arguments: programArguments.concat(window.trivantaArguments || []),
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
  var programScript = document.createElement('script');
  programScript.src = program;
  programScript.onerror = function() {
    say('<p>The game could not be loaded (' + program + ').</p>', 'ended');
  };
  document.body.appendChild(programScript);
})();
