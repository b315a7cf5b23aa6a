// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's WebAssembly has been inflated and compiled by the start-up (startup.js), which
// began before this script was read; the runtime is handed the instance when it is ready, and
// waits for it. Where the start has already failed, the start-up's own hook stays.
(function() {
  'use strict';
  performance.mark('zf-runtime'); // for the benchmark: the runtime's script has begun
  if (Module.instantiateWasm)
    return;
  Module.instantiateWasm = function(imports, receiveInstance) {
    // A failure here, or in the compiling, reaches the start-up's notice as an unhandled
    // rejection.
    Module.zfWasm.then(function(module) {
      return WebAssembly.instantiate(module, imports).then(function(instance) {
        receiveInstance(instance, module);
      });
    });
    return {}; // the exports come later, through receiveInstance
  };
})();
