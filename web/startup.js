// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's start-up: once the embedded faces are loaded the program starts; once it has
// ended, a notice says so and offers to start it afresh. Until the first frame the page's
// start notice stands; where the program cannot start, it says why and what would help.
var Module = {};
(function() {
  'use strict';
  var noticeWait = 500; // [ms] after which a start with no frame yet shows its notice
  var fontWait = 5000; // [ms] after which the program starts with the browser's own faces
  var firstFrameWait = 15000; // [ms] after which a start with no frame yet is called stalled

  var notice = document.getElementById('zf-starting');
  // This script runs, so the notice's words for a page whose scripts are refused do not apply;
  // what it has to say it says at once, its start notice only for a start that takes a while.
  var stuck = notice && notice.querySelector('.zf-stuck');
  if (stuck)
    stuck.remove();
  if (notice) {
    notice.classList.add('zf-waiting');
    setTimeout(function() { notice.classList.remove('zf-waiting'); }, noticeWait);
  }

  var session = 0;
  var starts = 0;
  var phase = 'starting'; // then 'running', or 'failed' for good
  var refused = []; // what the server's policy refused the page, as what it would have to allow
  var started;
  var running = new Promise(function(resolve) { started = resolve; });

  // The policy's refusals of what the page holds, as the words a policy would need to allow
  // them. Others, such as a browser's own request for an icon, which the page's policy refuses,
  // take nothing from the program.
  document.addEventListener('securitypolicyviolation', function(event) {
    var directive = event.effectiveDirective || event.violatedDirective || '';
    var blocked = event.blockedURI || '';
    var allow = null;
    if (directive.indexOf('font-src') === 0)
      allow = 'font-src data:';
    else if (directive.indexOf('style-src') === 0)
      allow = "style-src 'unsafe-inline'";
    else if (directive.indexOf('script-src') === 0 && blocked === 'inline')
      allow = "script-src 'unsafe-inline'";
    else if (directive.indexOf('script-src') === 0 && /^(wasm-)?eval$/.test(blocked))
      allow = "script-src 'wasm-unsafe-eval'";
    if (!allow || refused.indexOf(allow) >= 0)
      return;
    refused.push(allow);
    if (told && !notice.hidden)
      tell.apply(null, told);
  });

  function paragraph(text) {
    var element = document.createElement('p');
    element.textContent = text;
    return element;
  }

  // The notice with a heading and its paragraphs; in the page's place of the windows unless it
  // is only a note beside them. The paragraphs are made anew when the policy's refusals come
  // in after them, as they may.
  var told = null;
  function tell(heading, paragraphs, beside) {
    if (!notice)
      return;
    told = [heading, paragraphs, beside];
    var title = document.createElement('h2');
    title.textContent = heading;
    notice.replaceChildren(title);
    paragraphs().forEach(function(text) { notice.appendChild(paragraph(text)); });
    notice.classList.toggle('zf-note', !!beside);
    notice.classList.remove('zf-waiting');
    notice.hidden = false;
    document.getElementById('zf-windows').hidden = !beside;
  }

  function policyAdvice(fallback) {
    if (refused.length === 0)
      return fallback;
    return 'Die Sicherheitsrichtlinie (Content-Security-Policy) des Servers hat der Seite etwas ' +
      'verweigert. Sie müsste für diese Seite erlauben: ' + refused.join('; ');
  }

  var cannotStart = 'Zerfallsfrist kann nicht starten';
  var openDirectly = 'Oder öffne die Datei zerfallsfrist.html direkt im Browser, von der ' +
    'Festplatte oder einem USB-Stick.';

  // A failure before a start's first frame ends it for good; later ones are the program's,
  // which reports them itself.
  function fail(paragraphs) {
    if (phase !== 'starting')
      return;
    phase = 'failed';
    clearTimeout(watchdog);
    tell(cannotStart, paragraphs);
    document.title = 'Zerfallsfrist – startet nicht';
  }

  function failedWith(error) {
    var what = error && error.message ? error.message : String(error);
    fail(function() {
      return ['Beim Start ist ein Fehler aufgetreten. Die Meldung des Browsers dazu: „' + what + '“',
              policyAdvice('Lade die Seite neu. Hilft das nicht, nimm einen anderen, aktuellen ' +
                           'Browser (Firefox, Chrome, Edge oder Safari).')];
    });
  }

  // Only a script's own errors: the browser reports a few harmless conditions, such as a
  // resize observer's loop, as error events without one.
  addEventListener('error', function(event) {
    if (event.error)
      failedWith(event.error);
  });
  addEventListener('unhandledrejection', function(event) { failedWith(event.reason); });
  Module.onAbort = function(what) { failedWith(what); };

  // No first frame in time: said, but not final, as a busy machine may yet get there.
  var watchdog;
  var stalled = false;
  function watch() {
    watchdog = setTimeout(function() {
      if (phase !== 'starting')
        return;
      if (document.hidden) {
        watch(); // a page in a background tab draws nothing; its time starts when it is seen
        return;
      }
      stalled = true;
      tell('Zerfallsfrist startet nicht', function() {
        return ['Nach ' + firstFrameWait / 1000 + ' Sekunden zeigt das Programm noch nichts.',
                policyAdvice('Ist der Rechner gerade sehr beschäftigt, erscheint es noch. Sonst ' +
                             'lade die Seite neu, oder nimm einen anderen, aktuellen Browser ' +
                             '(Firefox, Chrome, Edge oder Safari).')];
      });
    }, firstFrameWait);
  }
  watch();

  // Whether the browser has what the program needs: WebAssembly with its exceptions and SIMD
  // (a module that uses both is validated, which compiles nothing), and its own inflater for
  // the page's compressed module.
  var features = new Uint8Array([
    0, 0x61, 0x73, 0x6d, 1, 0, 0, 0, 1, 4, 1, 0x60, 0, 0, 3, 2, 1, 0, 0x0a, 0x1b, 1, 0x19, 0,
    0x06, 0x40, 0xfd, 0x0c, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x1a, 0x19, 0x0b, 0x0b]);
  function wasmProblem() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.Module !== 'function')
      return 'missing';
    if (typeof DecompressionStream !== 'function' || typeof Response !== 'function' ||
        !WebAssembly.validate(features))
      return 'old';
    return null;
  }

  // Whether the browser refuses to compile WebAssembly here, as a policy makes it: asked only
  // once the compiling has failed, as compiling even a module of no content costs the start.
  function wasmRefused() {
    try {
      new WebAssembly.Module(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
    } catch (e) {
      return true;
    }
    return false;
  }

  // The page's styles, where a policy refused them, are missing: its windows would be a heap
  // of texts.
  function stylesRefused() {
    return Array.prototype.some.call(document.querySelectorAll('head style'), function(style) {
      return !style.sheet;
    });
  }

  var problem = wasmProblem();
  if (problem === 'missing') {
    fail(function() {
      return ['Dieser Browser führt kein WebAssembly aus, oder es ist in ihm abgeschaltet. ' +
                'Zerfallsfrist braucht es.',
              'Abhilfe: Nimm einen aktuellen Browser (Firefox, Chrome, Edge oder Safari), oder ' +
                'lass WebAssembly in seinen Einstellungen oder den Richtlinien der Schule zu.'];
    });
  } else if (problem === 'old') {
    fail(function() {
      return ['Dieser Browser ist zu alt für Zerfallsfrist: Ihm fehlt das Entpacken ' +
                '(DecompressionStream), mit dem die Seite ihr Programm auspackt, oder ein Teil ' +
                'von WebAssembly, den das Programm braucht.',
              'Abhilfe: Nimm einen aktuellen Browser (Firefox, Chrome, Edge oder Safari) oder ' +
                'bringe diesen auf den neuesten Stand.'];
    });
  } else if (stylesRefused()) {
    fail(function() {
      return ['Eine Sicherheitsrichtlinie (Content-Security-Policy) des Servers verbietet der ' +
                'Seite ihre eingebetteten Gestaltungsregeln. Ohne sie ließen sich die Fenster ' +
                'nicht zeigen.',
              "Abhilfe: Lass die Richtlinie für diese Seite erlauben: style-src 'unsafe-inline'. " +
                openDirectly];
    });
  }
  // The program's WebAssembly lies gzip-compressed in a data block before this script (see
  // wasmblock.py). It is inflated and compiled now, while the runtime's script is still being
  // read; the runtime takes its instance from it (wasmbinary.js). Where the start has failed,
  // now or in the compiling, the runtime waits for a module that never comes, quietly, instead
  // of failing again.
  function compileWasm() {
    var text = document.getElementById('zf-wasm').textContent;
    var packed = typeof Uint8Array.fromBase64 === 'function' ? Uint8Array.fromBase64(text)
      : Uint8Array.from(atob(text), function(c) { return c.charCodeAt(0); });
    var inflated = new Response(packed).body.pipeThrough(new DecompressionStream('gzip'));
    var wasm = new Response(inflated, { headers: { 'Content-Type': 'application/wasm' } });
    var compiled = typeof WebAssembly.compileStreaming === 'function'
      ? WebAssembly.compileStreaming(wasm)
      : wasm.arrayBuffer().then(function(bytes) { return WebAssembly.compile(bytes); });
    return compiled.then(function(module) {
      performance.mark('zf-wasm-decoded'); // for the benchmark
      return module;
    }, function(error) {
      if (wasmRefused())
        fail(function() {
          return ['Der Browser verweigert der Seite, ihr Programm in WebAssembly zu übersetzen. ' +
                    'Meist verbietet es eine Sicherheitsrichtlinie (Content-Security-Policy) ' +
                    'des Servers.',
                  "Abhilfe: Lass die Richtlinie für diese Seite erlauben: script-src " +
                    "'wasm-unsafe-eval'. " + openDirectly];
        });
      else
        failedWith(error);
      return new Promise(function() {});
    });
  }
  if (phase === 'failed')
    Module.instantiateWasm = function() { return {}; };
  else
    Module.zfWasm = compileWasm();

  // The embedded faces, or after a while the browser's own: the program runs either way, and a
  // note says why its texts may look different.
  var faces = ['16px', 'bold 16px', 'italic 16px'];
  var fontsReady = new Promise(function(resolve) {
    if (!document.fonts) {
      resolve();
      return;
    }
    Promise.all(faces.map(function(font) {
      return document.fonts.load(font + ' "Liberation Sans"');
    })).then(resolve, resolve);
    setTimeout(resolve, fontWait);
  });

  function fontsMissing() {
    if (!document.fonts || !document.fonts.forEach)
      return false;
    var missing = false;
    document.fonts.forEach(function(face) {
      if (face.family.replace(/"/g, '') === 'Liberation Sans' && face.status !== 'loaded')
        missing = true;
    });
    return missing;
  }

  function firstFrame() {
    // The first frame with the lesson in it: two frames on, the canvas has been painted.
    requestAnimationFrame(function() {
      requestAnimationFrame(function() {
        if (phase !== 'starting')
          return;
        phase = 'running';
        clearTimeout(watchdog);
        if (stalled) {
          stalled = false;
          notice.hidden = true;
          document.getElementById('zf-windows').hidden = false;
        }
        if (starts === 1)
          performance.mark('zf-first-frame');
        started();
      });
    });
  }

  function start() {
    fontsReady.then(function() {
      if (phase === 'failed')
        return;
      if (phase === 'running') {
        // A start afresh fails as the first would, and says so the same way.
        phase = 'starting';
        watch();
      }
      if (starts === 0 && fontsMissing())
        tell('Zerfallsfrist läuft mit einer Ersatzschrift', function() {
          return ['Die eingebettete Schrift ließ sich nicht laden; Beschriftungen können ' +
                    'deshalb anders aussehen oder umbrechen.',
                  policyAdvice('Lade die Seite neu, oder nimm einen anderen, aktuellen Browser.')];
        }, true);
      else if (notice && !notice.classList.contains('zf-note'))
        notice.hidden = true;
      document.getElementById('zf-windows').hidden = false;
      document.getElementById('zf-ended').hidden = true;
      try {
        session = Module._zerfallsfrist_start();
      } catch (error) {
        failedWith(error);
        return;
      }
      ++starts;
      firstFrame();
    });
  }

  document.addEventListener('zf-program-ended', function() {
    var ended = document.getElementById('zf-ended');
    ended.hidden = false;
    document.title = 'Zerfallsfrist – beendet';
    document.getElementById('zf-restart').focus();
  });

  document.addEventListener('DOMContentLoaded', function() {
    document.getElementById('zf-restart').addEventListener('click', function() {
      Module._zerfallsfrist_stop(session);
      session = 0;
      start();
    });
  });

  if (phase === 'starting')
    Module.onRuntimeInitialized = start;

  // For the browser tests and benchmarks: when the program is running, how often it was
  // started, and the test seam.
  window.zerfallsfrist = {
    running: running,
    starts: function() { return starts; },
    failCall: function(n) { Module._zerfallsfrist_fail_call(session, n); },
  };
})();
