// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program as a guest in a learning platform's page: far below the fold it leaves the host
// page's scroll and focus alone; in view it takes the focus as it does on a page of its own.

import assert from 'node:assert/strict';
import { after, before, it } from 'node:test';
import { launch } from './page.mjs';
import { guestOffset, serve } from './serve.mjs';

let browser;
let server;
before(async () => { [browser, server] = await Promise.all([launch(), serve()]); });
after(async () => { await browser?.close(); await server?.close(); });

async function host(offset) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1100, height: 800 });
  await page.goto(`${server.origin}/guest?offset=${offset}`);
  const frame = await (await page.$('#guest')).contentFrame();
  await frame.waitForFunction(() => window.zerfallsfrist !== undefined);
  await frame.evaluate(() => window.zerfallsfrist.running);
  // A few frames more, for anything the start leaves to later.
  await frame.evaluate(() => new Promise((resolve) => setTimeout(resolve, 300)));
  return { page, frame };
}

it('stays out of the way below the fold and takes the focus in view', async () => {
  const below = await host(guestOffset);
  assert.equal(await below.page.evaluate(() => scrollY), 0);
  assert.equal(await below.page.evaluate(() => document.activeElement.tagName), 'BODY');
  assert.equal(await below.frame.evaluate(() => document.activeElement.tagName), 'BODY');
  assert.equal(await below.frame.$eval('#Form1', (e) => e.hidden), false); // it runs all the same
  await below.page.close();

  const inView = await host(0);
  assert.equal(await inView.page.evaluate(() => document.activeElement.id), 'guest');
  assert.equal(await inView.frame.evaluate(() => document.activeElement.dataset.name), 'List1');
  await inView.page.close();
});
