// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The canvas at the device's pixel ratio: crisp at 100, 125, 150 and 200 %, and a change of
// density or zoom keeps the points, with no handler running again. Past the density the
// picture is painted at, the browser enlarges it, and nothing fails.

import assert from 'node:assert/strict';
import { after, before, it } from 'node:test';
import { PNG } from 'pngjs';
import { choose, labelText, launch, lessonPoint, nextFrame, open, pageUrl, pixelOf, press }
  from './page.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// Checks the canvas's own device pixels in the page: every device pixel of each logical pixel
// in `points` shows exactly its colour, and a stretch of the diagram that holds only the curve
// and the background has no other colour in it, so nothing was smoothed.
function checkCanvas(points, area, background) {
  const canvas = document.querySelector('#Form1 canvas');
  const { width, height } = canvas;
  const rx = width / 954;
  const ry = height / 651;
  const data = canvas.getContext('2d').getImageData(0, 0, width, height).data;
  const edgeX = (l) => Math.ceil(l * rx - 0.5);
  const edgeY = (l) => Math.ceil(l * ry - 0.5);
  const colourAt = (x, y) => Array.from(data.slice((y * width + x) * 4, (y * width + x) * 4 + 3));
  const wrong = [];
  for (const [x, y, colour] of points)
    for (let dy = edgeY(y); dy < edgeY(y + 1); ++dy)
      for (let dx = edgeX(x); dx < edgeX(x + 1); ++dx)
        if (colourAt(dx, dy).join() !== colour.join())
          wrong.push([x, y, dx, dy, colourAt(dx, dy)]);
  const allowed = new Set([background.join(), ...points.map((p) => p[2].join())]);
  const stray = new Set();
  for (let dy = edgeY(area[1]); dy < edgeY(area[3]); ++dy)
    for (let dx = edgeX(area[0]); dx < edgeX(area[2]); ++dx)
      if (!allowed.has(colourAt(dx, dy).join()))
        stray.add(colourAt(dx, dy).join());
  return { width, height, cssWidth: canvas.getBoundingClientRect().width, ratio: devicePixelRatio,
           wrong: wrong.slice(0, 5),
           stray: [...stray].slice(0, 5) };
}

it('keeps the points crisp and in place at every density', async () => {
  const { page } = await open(browser);
  await choose(page, 'Form1', 'List1', 3);
  for (let i = 0; i < 4; ++i)
    await press(page, 'Form1', 'Command1'); // the first half-life in red
  // Curve points in blue and in red, away from lines and labels.
  const points = [];
  for (let n = 40; n <= 1500; n += 20) {
    if ((n > 230 && n < 270) || (n > 480 && n < 520) || (n > 730 && n < 770) || n > 980)
      continue; // near the guide lines
    points.push([...pixelOf('Form1', ...lessonPoint(n)), n <= 250 ? [255, 0, 0] : [0, 0, 255]]);
  }
  // Columns 64 to 190 and rows 80 to 300 hold the first half-life's curve and nothing else.
  const area = [64, 80, 190, 300];
  for (const scale of [1, 1.25, 1.5, 2, 1]) {
    // A zoom as the browser makes it: more device pixels to the CSS pixel, fewer CSS pixels
    // across the same screen. (Headless Chromium tells the page of a density change alone
    // neither by a resize nor by its media queries.)
    await page.setViewport({ width: Math.round(1250 / scale), height: Math.round(1000 / scale),
                             deviceScaleFactor: scale });
    await nextFrame(page);
    await nextFrame(page);
    const seen = await page.evaluate(checkCanvas, points, area, [239, 239, 239]);
    // The window keeps its size on the screen: the fit makes up for the zoom.
    assert.ok(Math.abs(seen.width - 1234) <= 40, `canvas ${seen.width}×${seen.height} at ${scale}`);
    assert.ok(Math.abs(seen.cssWidth * seen.ratio - seen.width) < 0.01, `${seen.cssWidth} at ${scale}`);
    assert.deepEqual(seen.wrong, [], `points at ${scale}`);
    assert.deepEqual(seen.stray, [], `smoothed colours at ${scale}`);
  }
  await page.close();
});

// A 2× screen at 500 % (a density of 10) and a density of 16: the picture is painted at the
// density limit and enlarged; the lesson goes on with no error.
it('caps the density past the limit and goes on', async () => {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error));
  for (const [ratio, width, height] of [[10, 256, 160], [16, 1000, 760]]) {
    await page.setViewport({ width, height, deviceScaleFactor: ratio });
    await page.goto(pageUrl);
    await page.evaluate(() => window.zerfallsfrist.running);
    await choose(page, 'Form1', 'List1', 3);
    for (let i = 0; i < 4; ++i)
      await press(page, 'Form1', 'Command1');
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Uran 238');
    const seen = await page.$eval('#Form1 canvas', (canvas) => {
      canvas.scrollIntoView({ block: 'start', inline: 'start' });
      const r = canvas.getBoundingClientRect();
      return { width: canvas.width, height: canvas.height, left: r.left + scrollX, top: r.top + scrollY,
               cssWidth: r.width, scale: Number(canvas.parentElement.style.getPropertyValue('--zf-scale')) };
    });
    assert.deepEqual([seen.width, seen.height], [954 * 4, 651 * 4], `at ${ratio}`);
    assert.ok(Math.abs(seen.cssWidth - 954 * seen.scale) <= 1, `at ${ratio}`);
    // The first half-life's red on screen and the blue after it, where the points lie, give
    // or take a pixel of the window.
    for (const [n, colour] of [[125, [255, 0, 0]], [375, [0, 0, 255]]]) {
      const [x, y] = pixelOf('Form1', ...lessonPoint(n));
      const centre = [seen.left + (x + 0.5) * seen.scale, seen.top + (y + 0.5) * seen.scale];
      await page.evaluate((top) => scrollTo(0, top), Math.max(0, centre[1] - 40));
      const reach = Math.max(1, 1.5 * seen.scale);
      const clip = { x: Math.floor(centre[0] - reach), y: Math.floor(centre[1] - reach),
                     width: Math.ceil(2 * reach) + 1, height: Math.ceil(2 * reach) + 1 };
      const shot = PNG.sync.read(Buffer.from(await page.screenshot({ clip })));
      let found = false;
      for (let i = 0; i < shot.data.length; i += 4)
        found ||= shot.data[i] === colour[0] && shot.data[i + 1] === colour[1] && shot.data[i + 2] === colour[2];
      assert.ok(found, `point ${n} at ${ratio}`);
    }
  }
  assert.deepEqual(errors, []);
  await page.close();
});
