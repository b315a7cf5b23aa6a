// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's start-up: once the embedded faces are loaded the program starts; once it has
// ended, a notice says so and offers to start it afresh.
var Module = {};
(function() {
  'use strict';
  var session = 0;
  var fontsReady = Promise.all(['16px', 'bold 16px', 'italic 16px'].map(function(font) {
    return document.fonts.load(font + ' "Liberation Sans"');
  }));
  var started;
  var running = new Promise(function(resolve) { started = resolve; });

  function start() {
    fontsReady.then(function() {
      document.getElementById('zf-ended').hidden = true;
      session = Module._zerfallsfrist_start();
      // The first frame with the lesson in it: two frames on, the canvas has been painted.
      requestAnimationFrame(function() {
        requestAnimationFrame(function() {
          performance.mark('zf-first-frame');
          started();
        });
      });
    });
  }

  document.addEventListener('zf-program-ended', function() {
    var notice = document.getElementById('zf-ended');
    notice.hidden = false;
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

  Module.onRuntimeInitialized = start;

  // For the browser tests and benchmarks: when the program is running, and the test seam.
  window.zerfallsfrist = {
    running: running,
    failCall: function(n) { Module._zerfallsfrist_fail_call(session, n); },
  };
})();
