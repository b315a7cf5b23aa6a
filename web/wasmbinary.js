// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's WebAssembly lies beside this script in a data block (see wasmblock.cmake), not
// inside it as a string: the page's parser then does not stop at a script five times the size
// of the rest, and the browser decodes it natively where it can.
(function() {
  'use strict';
  performance.mark('zf-runtime'); // for the benchmark: the runtime's script has begun
  var text = document.getElementById('zf-wasm').textContent;
  Module.wasmBinary = typeof Uint8Array.fromBase64 === 'function' ? Uint8Array.fromBase64(text)
    : Uint8Array.from(atob(text), function(c) { return c.charCodeAt(0); });
  performance.mark('zf-wasm-decoded');
})();
