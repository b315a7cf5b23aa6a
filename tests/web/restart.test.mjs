// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A restart is a fresh start: after fifty lessons to their end, each with the excursion, and
// fifty presses of "Neu starten", the page holds the nodes and listeners it held after its
// first start, give or take a handful, once garbage is collected.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import { after, before, it } from 'node:test';
import { launch, open } from './page.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// The page's counts after a full garbage collection.
async function counts(page, session) {
  await session.send('HeapProfiler.collectGarbage');
  const { Nodes, JSEventListeners, JSHeapUsedSize } = await page.metrics();
  return { nodes: Nodes, listeners: JSEventListeners, heap: JSHeapUsedSize };
}

// The resident memory of this browser's renderers, in MiB (for the report; not asserted).
function rendererMemory() {
  const parentOf = (pid) => Number(fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ')[1]);
  const ours = (pid) => {
    for (let up = pid, depth = 0; up > 1 && depth < 4; up = parentOf(up), ++depth)
      if (up === browser.process().pid)
        return true;
    return false;
  };
  let kib = 0;
  for (const pid of fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name)).map(Number)) {
    try {
      if (!fs.readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=renderer') || !ours(pid))
        continue;
      const match = /VmRSS:\s+(\d+)/.exec(fs.readFileSync(`/proc/${pid}/status`, 'utf8'));
      kib += match ? Number(match[1]) : 0;
    } catch {
      // a process that ended meanwhile
    }
  }
  return Math.round(kib / 1024);
}

// One run from the start to the end notice, by the page's own controls, then "Neu starten";
// resolves once the new lesson is shown.
function lessonToEndAndRestart() {
  const form1 = (name) => document.querySelector(`#Form1 [data-name="${name}"]`);
  form1('List1').querySelectorAll('[role="option"]')[3].click();
  form1('Command2').click(); // the excursion, its curves, and back
  document.querySelector('#Form2 [data-name="Command1"]').click();
  document.querySelector('#Form2 [data-name="Command2"]').click();
  for (let i = 0; i < 9; ++i)
    form1('Command1').click();
  if (document.getElementById('zf-ended').hidden)
    throw new Error('the lesson did not end');
  document.getElementById('zf-restart').click();
  return new Promise((resolve, reject) => {
    const started = Date.now();
    const wait = () => {
      const list = document.querySelector('#Form1 [data-name="List1"]');
      if (list && !document.querySelector('#Form1').hidden && document.getElementById('zf-ended').hidden)
        requestAnimationFrame(() => resolve());
      else if (Date.now() - started > 5000)
        reject(new Error('no new start'));
      else
        setTimeout(wait, 5);
    };
    wait();
  });
}

it('leaves nothing behind after fifty restarts', async () => {
  const { page, errors } = await open(browser);
  const session = await page.createCDPSession();
  const first = await counts(page, session);
  const memoryBefore = rendererMemory();
  for (let run = 0; run < 50; ++run)
    await page.evaluate(lessonToEndAndRestart);
  const later = await counts(page, session);
  console.log(`# after the first start: ${JSON.stringify(first)}, renderers ${memoryBefore} MiB; ` +
              `after 50 restarts: ${JSON.stringify(later)}, renderers ${rendererMemory()} MiB`);
  assert.ok(Math.abs(later.nodes - first.nodes) <= 10, `nodes ${first.nodes} → ${later.nodes}`);
  assert.ok(Math.abs(later.listeners - first.listeners) <= 5,
            `listeners ${first.listeners} → ${later.listeners}`);
  assert.deepEqual(errors, []);
  await page.close();
});
