// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A page that cannot start says why, in the page: served with a school server's security
// policies, without WebAssembly, with fonts that never come, and with a start that fails.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import { choose, launch } from './page.mjs';
import { serve } from './serve.mjs';

let browser;
let server;
before(async () => { [browser, server] = await Promise.all([launch(), serve()]); });
after(async () => { await browser?.close(); await server?.close(); });

// Opens the page as served with `csp`, after `prepare` (a function or its source) ran in it
// before any of its scripts.
async function visit(csp, prepare) {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  if (prepare)
    await page.evaluateOnNewDocument(prepare);
  await page.setViewport({ width: 1000, height: 800 });
  await page.goto(server.url(csp));
  return { page, errors };
}

// What the start notice shows to the eye (innerText leaves out what is hidden).
const shown = (page) => page.$eval('#zf-starting', (e) => e.innerText);
const windowShown = (page) => page.evaluate(() => {
  const form = document.getElementById('Form1');
  return !!form && !form.hidden && form.getBoundingClientRect().width > 0 &&
    !document.getElementById('zf-windows').hidden;
});
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Waits until the notice shows `pattern`, for up to `ms`.
async function noticeSays(page, pattern, ms = 5000) {
  const until = Date.now() + ms;
  let text = '';
  while (Date.now() < until) {
    text = await shown(page);
    if (pattern.test(text))
      return text;
    await pause(100);
  }
  assert.fail(`the notice says ${JSON.stringify(text)}, not ${pattern}`);
}

// The page's own time, sped up for the start's long waits (5 s and more) only.
function hurry() {
  const later = window.setTimeout;
  window.setTimeout = (action, delay, ...rest) =>
    later(action, delay >= 5000 ? delay / 50 : delay, ...rest);
}

describe('served by a school', () => {
  it('starts under no policy of its own, and the notice gives way to the windows', async () => {
    const { page, errors } = await visit();
    await page.evaluate(() => window.zerfallsfrist.running);
    assert.equal(await page.$eval('#zf-starting', (e) => e.hidden), true);
    assert.equal(await windowShown(page), true);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('explains itself with no script running, styled and unstyled', async () => {
    const { page } = await visit("script-src 'self'");
    // At once only the start's words; the reasons follow when nothing has replaced them.
    assert.equal(await shown(page), 'Zerfallsfrist startet …');
    const text = await noticeSays(page, /Wenn diese Meldung stehen bleibt/, 9000);
    assert.match(text, /Content-Security-Policy/);
    assert.match(text, /script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; font-src data:/);
    await page.close();

    // Neither styles nor scripts: the plain text says it all at once.
    const bare = await visit("default-src 'self'");
    assert.match(await shown(bare.page), /^Zerfallsfrist startet …\s+Wenn diese Meldung stehen bleibt/);
    await bare.page.close();
  });

  it('leaves the word to its JavaScript notice where scripts are switched off', async () => {
    const page = await browser.newPage();
    await page.setJavaScriptEnabled(false);
    await page.goto(server.url());
    assert.equal(await page.evaluate(() => document.body.innerText.trim()),
                 'Zerfallsfrist braucht JavaScript. Bitte schalte es im Browser ein.');
    await page.close();
  });

  it('names what the policy must allow: WebAssembly, styles', async () => {
    const wasm = await visit("script-src 'unsafe-inline'");
    const text = await noticeSays(wasm.page, /Zerfallsfrist kann nicht starten/);
    assert.match(text, /WebAssembly zu übersetzen/);
    assert.match(text, /erlauben: script-src 'wasm-unsafe-eval'/);
    assert.equal(await windowShown(wasm.page), false);
    assert.equal(await wasm.page.title(), 'Zerfallsfrist – startet nicht');
    assert.deepEqual(wasm.errors, []); // the runtime is not left to fail again
    await wasm.page.close();

    const styles = await visit("style-src 'self'");
    assert.match(await noticeSays(styles.page, /kann nicht starten/),
                 /erlauben: style-src 'unsafe-inline'/);
    assert.equal(await windowShown(styles.page), false);
    await styles.page.close();
  });

  it('runs with the browser\'s own faces where the policy refuses the embedded ones', async () => {
    // A request of the browser's own, such as Firefox's for an icon, which the page's policy
    // refuses, is not the server's business.
    const { page, errors } = await visit("font-src 'self'", () => {
      addEventListener('DOMContentLoaded', () => { new Image().src = '/favicon.ico'; });
    });
    await page.evaluate(() => window.zerfallsfrist.running);
    assert.equal(await windowShown(page), true);
    const text = await noticeSays(page, /Ersatzschrift/);
    assert.match(text, /erlauben: font-src data:$/);
    assert.deepEqual(errors, []);
    await page.close();
  });
});

describe('in a browser that lacks something', () => {
  it('says that WebAssembly is missing', async () => {
    const { page } = await visit(undefined, () => { delete globalThis.WebAssembly; });
    const text = await noticeSays(page, /kann nicht starten/);
    assert.match(text, /kein WebAssembly/);
    assert.equal(await windowShown(page), false);
    await page.close();
  });

  it('says that the browser is too old to unpack the program, or that unpacking failed', async () => {
    const old = await visit(undefined, () => { delete globalThis.DecompressionStream; });
    assert.match(await noticeSays(old.page, /kann nicht starten/), /zu alt/);
    assert.equal(await windowShown(old.page), false);
    assert.deepEqual(old.errors, []);
    await old.page.close();

    // An inflater that yields nonsense: the start fails in the notice, not on a blank page.
    const broken = await visit(undefined, () => {
      globalThis.DecompressionStream = class extends TransformStream {
        constructor() {
          super({ transform: (chunk, out) => out.enqueue(chunk) });
        }
      };
    });
    assert.match(await noticeSays(broken.page, /kann nicht starten/), /Fehler aufgetreten/);
    assert.equal(await windowShown(broken.page), false);
    await broken.page.close();
  });

  it('starts after a while when the fonts never answer', async () => {
    const { page, errors } = await visit(undefined, `
      FontFaceSet.prototype.load = () => new Promise(() => {});
      (${hurry})();`);
    await page.evaluate(() => window.zerfallsfrist.running);
    assert.equal(await windowShown(page), true);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('reports a failure of the start, and a start that shows no frame', async () => {
    const broken = await visit(undefined, () => {
      HTMLCanvasElement.prototype.getContext = () => null;
    });
    const text = await noticeSays(broken.page, /kann nicht starten/);
    assert.match(text, /Beim Start ist ein Fehler aufgetreten\. Die Meldung des Browsers dazu: „\S/);
    assert.equal(await windowShown(broken.page), false);
    await broken.page.close();

    // A start afresh after the end fails the same way, and says so.
    const again = await visit();
    await again.page.evaluate(() => window.zerfallsfrist.running);
    await again.page.evaluate(() => window.zerfallsfrist.failCall(1));
    await choose(again.page, 'Form1', 'List1', 1);
    await again.page.keyboard.press('Enter'); // the error report's OK: the program ends
    await again.page.waitForSelector('#zf-restart', { visible: true });
    await again.page.evaluate(() => { HTMLCanvasElement.prototype.getContext = () => null; });
    await again.page.click('#zf-restart');
    assert.match(await noticeSays(again.page, /kann nicht starten/), /Fehler aufgetreten/);
    assert.equal(await windowShown(again.page), false);
    await again.page.close();

    const frozen = await visit(undefined, `
      window.requestAnimationFrame = () => 0;
      (${hurry})();`);
    assert.match(await noticeSays(frozen.page, /startet nicht/),
                 /Nach 15 Sekunden zeigt das Programm noch nichts/);
    await frozen.page.close();
  });
});
