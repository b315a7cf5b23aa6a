// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Both faces draw the same. The desktop's screenshot walk (scripts/screenshots.sh, pictures
// in ZF_DESKTOP_SHOTS, by default build/screenshots) is walked again in the browser at 100 %,
// and again with the window fitted at a scale of 1.25 against the walk at QT_SCALE_FACTOR=1.25
// (ZF_DESKTOP_SHOTS_125, by default build/screenshots-125); each state's canvas is held against
// the desktop's picture of it:
// - outside the labels' boxes, where lines and points are, every pixel must be the same; a
//   slanted line's smoothed (grey) edge may differ by one level, which is counted;
// - inside the labels' boxes, where the two faces rasterise text each their own way, the
//   differing pixels are counted;
// - the buttons and the list are real widgets of each platform, and are left out.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, it } from 'node:test';
import { PNG } from 'pngjs';
import { choose, grab, launch, open, press } from './page.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const walks = [
  { scale: 1, shots: process.env.ZF_DESKTOP_SHOTS ?? path.join(here, '../../build/screenshots') },
  // A viewport in which both windows fit at 1.25 exactly, at a density of 1.
  { scale: 1.25, viewport: { width: 1212, height: 945 },
    shots: process.env.ZF_DESKTOP_SHOTS_125 ?? path.join(here, '../../build/screenshots-125') },
];

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// The boxes of a window's labels and widgets, from the page.
function boxesOf(page, form) {
  return page.$$eval(`#${form} .zf-label, #${form} .zf-button, #${form} .zf-list`, (elements) =>
    elements.map((e) => ({
      widget: !e.classList.contains('zf-label'),
      x: e.zfBox.x, y: e.zfBox.y, w: e.zfBox.width, h: e.zfBox.height,
    })));
}

function compare(desktop, web, boxes, scale) {
  // What each pixel lies in: 0 nothing, 1 a label's box, 2 a widget; the boxes on the device
  // pixels the core gives them.
  const kind = new Uint8Array(desktop.width * desktop.height);
  const edge = (l) => Math.ceil(l * scale - 0.5);
  for (const b of boxes)
    for (let y = Math.max(edge(b.y), 0); y < Math.min(edge(b.y + b.h), desktop.height); ++y)
      for (let x = Math.max(edge(b.x), 0); x < Math.min(edge(b.x + b.w), desktop.width); ++x)
        kind[y * desktop.width + x] = Math.max(kind[y * desktop.width + x], b.widget ? 2 : 1);
  const result = { outside: 0, smoothing: 0, outsideTotal: 0, inside: 0, insideTotal: 0, first: [] };
  for (let y = 0; y < desktop.height; ++y)
    for (let x = 0; x < desktop.width; ++x) {
      const where = kind[y * desktop.width + x];
      if (where === 2)
        continue;
      const i = (y * desktop.width + x) * 4;
      const d = [desktop.data[i], desktop.data[i + 1], desktop.data[i + 2]];
      const w = web.at(x, y);
      const apart = Math.max(...d.map((value, c) => Math.abs(value - w[c])));
      if (where === 1) {
        ++result.insideTotal;
        if (apart > 0)
          ++result.inside;
        continue;
      }
      ++result.outsideTotal;
      // The slanted lines are the black arrowheads: their smoothed edges are grey.
      const grey = (c) => c[0] === c[1] && c[1] === c[2];
      if (apart === 1 && grey(d) && grey(w)) {
        ++result.smoothing;
      } else if (apart > 1) {
        ++result.outside;
        if (result.first.length < 5)
          result.first.push(`(${x}, ${y}) desktop ${d} web ${w}`);
      }
    }
  return result;
}

for (const { scale, viewport, shots } of walks)
it(`draws lines and points pixel for pixel as the desktop does, at a scale of ${scale}`, {
  skip: !fs.existsSync(path.join(shots, 'form1-start.png')) &&
    `no desktop screenshots in ${shots}: run scripts/screenshots.sh first` }, async () => {
  const { page } = await open(browser);
  if (viewport) {
    await page.setViewport(viewport);
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(resolve)));
  }
  const table = [];
  const check = async (form, name) => {
    const file = path.join(shots, `${name}.png`);
    if (!fs.existsSync(file))
      return;
    const desktop = PNG.sync.read(fs.readFileSync(file));
    const web = await grab(page, form);
    assert.deepEqual([web.width, web.height], [desktop.width, desktop.height], name);
    const result = compare(desktop, web, await boxesOf(page, form), web.width / (form === 'Form1' ? 954 : 921));
    table.push({ state: name, scale, ...result, first: undefined });
    assert.equal(result.outside, 0, `${name}: ${result.first.join('; ')}`);
  };
  // The desktop's walk: every isotope, Uran 238 last, its eight presses, the excursion.
  await check('Form1', 'form1-start');
  for (const [row, name] of [[0, 'kalium40'], [1, 'thorium232'], [2, 'uran235'],
                             [4, 'kohlenstoff14'], [3, 'uran238']]) {
    await choose(page, 'Form1', 'List1', row);
    await check('Form1', `form1-isotope-${name}`);
  }
  for (let presses = 1; presses <= 8; ++presses) {
    await press(page, 'Form1', 'Command1');
    await check('Form1', `form1-press${presses}`);
  }
  await press(page, 'Form1', 'Command2');
  await check('Form2', 'form2-start');
  await press(page, 'Form2', 'Command1');
  await check('Form2', 'form2-plot');
  await press(page, 'Form2', 'Command2');
  await check('Form1', 'form1-back');
  assert.ok(table.length >= 17, `only ${table.length} of the desktop's pictures found`);
  if (process.env.ZF_REPORT)
    console.table(table);
  await page.close();
});
