// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's WebAssembly lies beside this script in a data block (see wasmblock.py), not
// inside it as a string: the page's parser then does not stop at a script five times the size
// of the rest. It is stored gzip-compressed, a third of its size, and the browser inflates it
// natively; as that takes a promise, the runtime is handed the instance when it is ready, and
// waits for it. Where the start has already failed (startup.js), its own hook stays.
(function() {
  'use strict';
  performance.mark('zf-runtime'); // for the benchmark: the runtime's script has begun
  if (Module.instantiateWasm)
    return;
  Module.instantiateWasm = function(imports, receiveInstance) {
    var text = document.getElementById('zf-wasm').textContent;
    var packed = typeof Uint8Array.fromBase64 === 'function' ? Uint8Array.fromBase64(text)
      : Uint8Array.from(atob(text), function(c) { return c.charCodeAt(0); });
    var inflated = new Blob([packed]).stream().pipeThrough(new DecompressionStream('gzip'));
    // A failure here reaches the start-up's notice as an unhandled rejection.
    new Response(inflated).arrayBuffer().then(function(bytes) {
      performance.mark('zf-wasm-decoded');
      return WebAssembly.instantiate(bytes, imports);
    }).then(function(result) {
      receiveInstance(result.instance, result.module);
    });
    return {}; // the exports come later, through receiveInstance
  };
})();
