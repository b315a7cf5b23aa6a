// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The classroom's screens: at each, the window fits the visible area (or, on a small phone,
// starts at the left margin and scrolls), its diagram is crisp on screen, and a pupil's lesson
// and the excursion work, by touch where the screen is one. A screenshot of each goes into
// ZF_SHOTS (by default build-web/shots).

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, it } from 'node:test';
import { colours, control, labelText, launch, lessonPoint, nextFrame, pageUrl, pixelOf }
  from './page.mjs';
import { geometry, strayColours, touchOrClick, windowPicture } from './fit.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const shots = process.env.ZF_SHOTS ?? path.join(here, '../../build-web/shots');

let browser;
before(async () => {
  browser = await launch();
  fs.mkdirSync(shots, { recursive: true });
});
after(async () => { await browser?.close(); });

const sizes = [
  { name: 'ipad-portrait', width: 768, height: 1024, touch: true, ratio: 2 },
  { name: 'laptop', width: 1024, height: 768 },
  { name: 'browser-bars', width: 1280, height: 620 },
  { name: 'projector', width: 1920, height: 1080 },
  { name: 'half-screen', width: 640, height: 700 },
  { name: 'phone', width: 390, height: 844, touch: true, ratio: 3 },
  { name: 'retina', width: 1280, height: 800, ratio: 2 },
];

// The window where it lies: wholly in view and filling it but for the margins, or, below the
// smallest scale, from the left margin and scrolled to its right edge.
async function checkFit(page, form, size) {
  const at = await geometry(page, form);
  const where = `${form} at ${size.name}: ${JSON.stringify(at)}`;
  // The picture holds the window's device pixels exactly, its origin on a whole one.
  // (Within the whole CSS pixels the window's size is rounded to.)
  const wanted = (form === 'Form1' ? 954 : 921) * at.scale * at.ratio;
  assert.ok(Math.abs(at.canvas.width - wanted) <= at.ratio, where);
  assert.ok(Math.abs(at.canvas.cssWidth * at.ratio - at.canvas.width) < 0.01, where);
  for (const value of [at.pageLeft, at.pageTop])
    assert.ok(Math.abs(value * at.ratio - Math.round(value * at.ratio)) < 0.01, `origin: ${where}`);
  assert.ok(at.left >= 0 && at.top >= 0, `left and top edges in view: ${where}`);
  if (at.scale > 0.5) {
    assert.ok(at.right <= at.visible.width && at.bottom <= at.visible.height, `inside: ${where}`);
    const used = Math.max(at.width / at.visible.width, at.height / at.visible.height);
    assert.ok(used > 0.94, `uses ${used} of the screen: ${where}`);
  } else {
    assert.ok(at.width > at.visible.width - 16, `smallest scale only when too narrow: ${where}`);
    assert.equal(at.left, 8, where);
    // Scrolled sideways to the end, the window's right edge comes into view.
    const right = await page.$eval(`#${form}`, (element) => {
      element.parentElement.scrollLeft = 1e6;
      const edge = element.getBoundingClientRect().right;
      element.parentElement.scrollLeft = 0;
      return edge;
    });
    assert.ok(right <= at.visible.width, `right edge reachable: ${where}`);
  }
  return at;
}

async function checkCrisp(page, form, size, state) {
  const seen = await strayColours(page, form);
  assert.ok(seen.checked > 100000, `${state}: ${seen.checked} pixels checked`);
  assert.equal(seen.count, 0, `${size.name} ${state}: smoothed colours ${JSON.stringify(seen.stray)}; ${seen.where.join('; ')}`);
  return seen;
}

for (const size of sizes) {
  it(`fits and works at ${size.width}×${size.height}${size.touch ? ' by touch' : ''}` +
     `${size.ratio ? ` at ${size.ratio}×` : ''}`, async () => {
    const page = await browser.newPage();
    const errors = [];
    page.on('pageerror', (error) => errors.push(error));
    await page.setViewport({ width: size.width, height: size.height, deviceScaleFactor: size.ratio ?? 1,
                             hasTouch: !!size.touch, isMobile: !!size.touch });
    await page.goto(pageUrl);
    await page.evaluate(() => window.zerfallsfrist.running);
    const act = (form, name, options) =>
      control(page, form, name).then((handle) => touchOrClick(page, handle, { touch: size.touch, ...options }));
    const row = async (index, at) => {
      const rows = await page.$$('#Form1 [data-name="List1"] [role="option"]');
      await touchOrClick(page, rows[index], { touch: size.touch, at });
    };
    const curveAt = async (n) => {
      const at = await geometry(page, 'Form1');
      const shot = await windowPicture(page, 'Form1');
      const [x, y] = pixelOf('Form1', ...lessonPoint(n));
      // The device pixels of that logical pixel; below a scale of 1 it may have none, and its
      // neighbour shows the curve.
      const r = at.canvas.width / 954;
      const cx = Math.ceil(x * r - 0.5), cy = Math.ceil(y * r - 0.5);
      for (const [dx, dy] of [[0, 0], [0, -1], [-1, 0], [0, 1], [1, 0], [-1, -1], [1, 1], [-1, 1], [1, -1]]) {
        const colour = shot.at(cx + dx, cy + dy);
        if (colour.join() !== '239,239,239')
          return colour;
      }
      return [239, 239, 239];
    };

    const fit = await checkFit(page, 'Form1', size);
    // The list shows all its five rows, each of the same height, whole inside its frame.
    const rows = await page.$$eval('#Form1 [data-name="List1"] [role="option"]', (options) => {
      const frame = options[0].closest('[role="listbox"]').getBoundingClientRect();
      return options.map((o) => o.getBoundingClientRect()).map((r) =>
        r.top >= frame.top && r.bottom <= frame.bottom && r.height > 0 ? r.height : 0);
    });
    assert.equal(rows.length, 5);
    assert.ok(rows.every((h) => h === rows[0] && h > 0), `rows ${rows} at ${size.name}`);
    // The lesson: Uran 238, the first half-life in red.
    await row(3);
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Uran 238');
    for (let i = 0; i < 4; ++i)
      await act('Form1', 'Command1');
    assert.deepEqual(await curveAt(125), colours.highlight);
    await checkCrisp(page, 'Form1', size, 'lesson');
    await page.evaluate(() => document.querySelector('#zf-windows').scrollLeft = 0);
    await page.screenshot({ path: path.join(shots, `${size.name}-lesson.png`) });
    // A tap or a click on the chosen entry is a Click: the curve is drawn afresh.
    await row(3);
    assert.deepEqual(await curveAt(375), colours.curve);
    // Near a row's top and bottom edges, each row is hit.
    await row(1, [0.5, 0.1]);
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Thorium 232');
    await row(2, [0.5, 0.9]);
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Uran 235');

    // The excursion fits on its own, and is crisp too.
    await act('Form1', 'Command2');
    await checkFit(page, 'Form2', size);
    await act('Form2', 'Command1');
    assert.equal(await labelText(page, 'Form2', 'Label1'), 'Cs-137 (Cäsium -137)');
    await checkCrisp(page, 'Form2', size, 'excursion');
    await page.evaluate(() => document.querySelector('#zf-windows').scrollLeft = 0);
    await page.screenshot({ path: path.join(shots, `${size.name}-excursion.png`) });
    await act('Form2', 'Command2');
    assert.equal(await page.$eval('#Form1', (e) => e.hidden), false);
    assert.deepEqual(errors, []);
    console.log(`# ${size.name}: scale ${fit.scale}, window ${fit.width}×${fit.height} at ` +
                `(${fit.left}, ${fit.top}) of ${fit.visible.width}×${fit.visible.height}, ` +
                `picture ${fit.canvas.width}×${fit.canvas.height}`);
    await page.close();
  });
}
