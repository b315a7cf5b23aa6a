// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A pupil's lesson and the excursion in one browser engine (ZF_ENGINE: chromium, firefox or
// webkit), by mouse, by keyboard and, where the engine emulates it, by touch. The mouse walk
// is the desktop's screenshot walk (scripts/screenshots.sh), walked at 100 % against the
// desktop's pictures in ZF_DESKTOP_SHOTS (by default build/screenshots) and with the window
// fitted at 125 % against the walk at QT_SCALE_FACTOR=1.25 in ZF_DESKTOP_SHOTS_125 (by default
// build/screenshots-125): each state's diagram is held against the desktop's picture of it
// outside the labels' and the widgets' boxes, where every pixel must match but for a slanted
// line's smoothed edge, one grey level apart. Inside the labels' boxes the two faces rasterise
// text each their own way; the buttons and the list are each platform's own.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, describe, it } from 'node:test';
import { PNG } from 'pngjs';
import { engineName, startEngine } from './engines.mjs';
import { colours, fitOne, lessonPoint, pageUrl, pixelOf } from './page.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const walks = [
  { scale: 1, viewport: fitOne,
    shots: process.env.ZF_DESKTOP_SHOTS ?? path.join(here, '../../build/screenshots') },
  // A viewport in which both windows fit at 1.25 exactly, at a density of 1.
  { scale: 1.25, viewport: { width: 1212, height: 945 },
    shots: process.env.ZF_DESKTOP_SHOTS_125 ?? path.join(here, '../../build/screenshots-125') },
].map((walk) => ({ ...walk, haveShots: fs.existsSync(path.join(walk.shots, 'form1-start.png')) }));

let engine;
before(async () => { engine = await startEngine(engineName); });
after(async () => { await engine?.close(); });

const { curve: B, highlight: R, settledCurve: S } = colours;

// ---- The page, through the engine's driver ------------------------------------------------

async function open({ touch = false, viewport = fitOne } = {}) {
  const page = await engine.newPage();
  await page.setViewport({ ...viewport, touch }); // both windows at a scale of 1 unless told
  await page.goto(pageUrl);
  await page.evaluate(() => window.zerfallsfrist.running);
  return page;
}

const settle = (page) => page.evaluate(() => new Promise((resolve) =>
  requestAnimationFrame(() => requestAnimationFrame(resolve))));

// The middle of a control, or of a list's row, in the viewport.
function centreOf(page, form, name, row) {
  return page.evaluate((form, name, row) => {
    const element = document.querySelector(`#${form} [data-name="${name}"]`);
    let box = element.getBoundingClientRect();
    if (row !== undefined && row !== null) { // WebDriver gives undefined as null
      const rows = element.querySelectorAll('option, [role="option"]');
      const own = rows[row].getBoundingClientRect();
      // An engine that gives a list's options no boxes of their own: rows of equal height.
      if (own.height > 0) {
        box = own;
      } else {
        const height = element.clientHeight / Math.max(element.size || 5, 1);
        box = { left: box.left, width: element.clientWidth, top: box.top + element.clientTop + row * height, height };
      }
    }
    return [box.left + box.width / 2, box.top + box.height / 2];
  }, form, name, row);
}

// A gesture on a control: 'click' by mouse, 'tap' by finger.
async function use(page, gesture, form, name, row) {
  const [x, y] = await centreOf(page, form, name, row);
  await page[gesture](x, y);
  await settle(page);
}

const textOf = (page, form, name) => page.evaluate((form, name) => {
  const element = document.querySelector(`#${form} [data-name="${name}"]`);
  return element.hidden ? null : element.textContent;
}, form, name);

const focused = (page) => page.evaluate(() =>
  document.activeElement.dataset.name ?? document.activeElement.id);

const shown = (page, id) => page.evaluate((id) => {
  const element = document.getElementById(id);
  return element !== null && !element.hidden;
}, id);

// The window's canvas as the screen shows it.
async function grab(page, form) {
  const box = await page.evaluate((form) => {
    const r = document.querySelector(`#${form} canvas`).getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height };
  }, form);
  const png = await page.screenshot(box);
  return {
    png,
    at(x, y) {
      const i = (y * png.width + x) * 4;
      return [png.data[i], png.data[i + 1], png.data[i + 2]];
    },
  };
}

// The colours on screen at points n of the lesson's curve, at the window's scale: the first
// device pixel of each point's logical pixel.
const curveAtScale = async (page, scale, ...ns) => {
  const shot = await grab(page, 'Form1');
  const device = (logical) => Math.ceil(logical * scale - 0.5);
  return ns.map((n) => shot.at(...pixelOf('Form1', ...lessonPoint(n)).map(device)));
};
const curveAt = (page, ...ns) => curveAtScale(page, 1, ...ns);

// ---- Held against the desktop --------------------------------------------------------------

// The boxes of a window's labels (1) and widgets (2), in the canvas's pixels.
function boxesOf(page, form) {
  return page.evaluate((form) => {
    const origin = document.querySelector(`#${form} canvas`).getBoundingClientRect();
    return Array.from(document.querySelectorAll(`#${form} [data-name]`), (e) => {
      const r = e.getBoundingClientRect();
      return { kind: e.classList.contains('zf-label') ? 1 : 2, x: Math.floor(r.left - origin.left),
               y: Math.floor(r.top - origin.top), w: Math.ceil(r.width), h: Math.ceil(r.height) };
    });
  }, form);
}

function compare(desktop, web, boxes) {
  const { width, height } = desktop;
  const kind = new Uint8Array(width * height);
  for (const b of boxes)
    for (let y = Math.max(b.y, 0); y < Math.min(b.y + b.h, height); ++y)
      for (let x = Math.max(b.x, 0); x < Math.min(b.x + b.w, width); ++x)
        kind[y * width + x] = Math.max(kind[y * width + x], b.kind);
  const result = { compared: 0, differing: 0, smoothing: 0, first: [] };
  const grey = (c) => c[0] === c[1] && c[1] === c[2];
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      if (kind[y * width + x] !== 0)
        continue;
      const i = (y * width + x) * 4;
      const d = [desktop.data[i], desktop.data[i + 1], desktop.data[i + 2]];
      const w = web.at(x, y);
      const apart = Math.max(...d.map((value, c) => Math.abs(value - w[c])));
      ++result.compared;
      if (apart === 1 && grey(d) && grey(w)) {
        ++result.smoothing;
      } else if (apart > 0) {
        ++result.differing;
        if (result.first.length < 5)
          result.first.push(`(${x}, ${y}) desktop ${d} web ${w}`);
      }
    }
  return result;
}

// ---- The runs ------------------------------------------------------------------------------

describe(`${engineName}`, () => {
  for (const { scale, viewport, shots, haveShots } of walks)
  it(`takes the lesson and the excursion by mouse at ${scale * 100} %, the diagram pixel for ` +
     'pixel the desktop\'s', { skip: scale !== 1 && !haveShots &&
       `no desktop screenshots in ${shots}: run scripts/screenshots.sh first` }, async () => {
    const page = await open({ viewport });
    const table = [];
    const check = async (form, state) => {
      if (!haveShots)
        return;
      const desktop = PNG.sync.read(fs.readFileSync(path.join(shots, `${state}.png`)));
      const web = await grab(page, form);
      assert.deepEqual([web.png.width, web.png.height], [desktop.width, desktop.height], state);
      const result = compare(desktop, web, await boxesOf(page, form));
      table.push({ state, compared: result.compared, differing: result.differing,
                   smoothing: result.smoothing });
      assert.equal(result.differing, 0, `${state}: ${result.first.join('; ')}`);
    };

    await check('Form1', 'form1-start');
    for (const [row, name, halfLife] of [[0, 'kalium40', '1280'], [1, 'thorium232', '14050'],
                                         [2, 'uran235', '703,8'], [4, 'kohlenstoff14', '0,00573'],
                                         [3, 'uran238', '4468']]) {
      await use(page, 'click', 'Form1', 'List1', row);
      assert.equal(await textOf(page, 'Form1', 'Label11'),
                   `Zerfallsfrist =  ${halfLife} Millionen Jahre`, name);
      await check('Form1', `form1-isotope-${name}`);
    }
    assert.deepEqual(await curveAtScale(page, scale, 125, 375), [B, B]);
    for (let presses = 1; presses <= 8; ++presses) {
      await use(page, 'click', 'Form1', 'Command1');
      await check('Form1', `form1-press${presses}`);
    }
    assert.deepEqual(await curveAtScale(page, scale, 125, 375, 625, 875, 1250), [S, S, S, S, B]);
    assert.equal(await textOf(page, 'Form1', 'Command1'), 'Ende');

    await use(page, 'click', 'Form1', 'Command2');
    assert.equal(await page.evaluate(() => document.title),
                 'Der radioaktive Zerfall ausgewählter Isotope im Vergleich');
    await check('Form2', 'form2-start');
    await use(page, 'click', 'Form2', 'Command1');
    assert.equal(await textOf(page, 'Form2', 'Label1'), 'Cs-137 (Cäsium -137)');
    await check('Form2', 'form2-plot');
    await use(page, 'click', 'Form2', 'Command2');
    assert.equal(await page.evaluate(() => document.title), 'Die Zerfallsfrist');
    await check('Form1', 'form1-back');

    await use(page, 'click', 'Form1', 'Command1'); // "Ende"
    assert.equal(await shown(page, 'Form1'), false);
    assert.equal(await shown(page, 'zf-ended'), true);
    if (haveShots)
      assert.equal(table.length, 17);
    if (process.env.ZF_REPORT)
      console.table(table);
    await page.close();
  });

  it('takes the lesson and the excursion by keyboard alone', async () => {
    const page = await open();
    assert.equal(await focused(page), 'List1');
    // The first arrow key chooses the first entry, and says what it brought.
    await page.press('ArrowDown');
    await settle(page);
    assert.match(await page.evaluate(() => document.getElementById('zf-announcer').textContent),
                 /^Kalium 40: Zerfallsfrist 1280 Millionen Jahre\./);
    for (let i = 0; i < 3; ++i)
      await page.press('ArrowDown');
    await settle(page);
    assert.equal(await textOf(page, 'Form1', 'Label10'), 'Uran 238');
    await page.press('Tab');
    assert.equal(await focused(page), 'Command1');
    // The focus frame in the scheme's highlight colour.
    assert.equal(await page.evaluate(() => getComputedStyle(document.activeElement).borderTopColor),
                 'rgb(48, 140, 198)');
    for (let i = 0; i < 4; ++i)
      await page.press('Enter');
    await settle(page);
    assert.deepEqual(await curveAt(page, 125, 375), [R, B]);
    await page.press('Tab');
    assert.equal(await focused(page), 'Command2');
    await page.press('Space'); // the excursion
    await settle(page);
    assert.equal(await shown(page, 'Form2'), true);
    assert.equal(await focused(page), 'Command1'); // "Start"
    await page.press('Space');
    await settle(page);
    assert.equal(await textOf(page, 'Form2', 'Label5'), 'Pu-239 (Plutonium -239)');
    await page.press('Tab');
    await page.press('Enter'); // "Zurück"
    await settle(page);
    assert.equal(await shown(page, 'Form1'), true);
    assert.equal(await focused(page), 'Command2');
    await page.down('Shift');
    await page.press('Tab');
    await page.up('Shift');
    assert.equal(await focused(page), 'Command1');
    for (let i = 0; i < 4; ++i)
      await page.press('Enter');
    await settle(page);
    assert.equal(await textOf(page, 'Form1', 'Command1'), 'Ende');
    assert.deepEqual(await curveAt(page, 125, 875, 1250), [S, S, B]);
    await page.press('Enter');
    await settle(page);
    assert.equal(await focused(page), 'zf-restart');
    await page.press('Enter'); // "Neu starten"
    await page.evaluate(() => window.zerfallsfrist.running);
    await page.evaluate(() => new Promise((resolve) => setTimeout(resolve, 50)));
    await settle(page);
    assert.equal(await shown(page, 'zf-ended'), false);
    assert.equal(await textOf(page, 'Form1', 'Label10'), 'Isotop');
    assert.equal(await page.evaluate(() =>
      document.querySelector('#Form1 [data-name="Command1"]').disabled), true);
    assert.equal(await focused(page), 'List1');
    await page.close();
  });

  it('takes the lesson and the excursion by touch alone', async (t) => {
    if (!engine.touch) {
      t.skip(`${engineName} emulates no touch`);
      return;
    }
    const page = await open({ touch: true });
    await use(page, 'tap', 'Form1', 'List1', 2);
    assert.equal(await textOf(page, 'Form1', 'Label6'), '703,8');
    await use(page, 'tap', 'Form1', 'List1', 3);
    assert.equal(await textOf(page, 'Form1', 'Label10'), 'Uran 238');
    for (let i = 0; i < 5; ++i)
      await use(page, 'tap', 'Form1', 'Command1');
    assert.deepEqual(await curveAt(page, 125, 375, 625), [S, R, B]);
    await use(page, 'tap', 'Form1', 'Command2');
    await use(page, 'tap', 'Form2', 'Command1');
    const plot = await grab(page, 'Form2');
    const y = Math.fround(10000 * Math.pow(0.5, 2000 / 1600));
    assert.deepEqual(plot.at(...pixelOf('Form2', 2000, y)), [255, 0, 0]); // Ra-226
    await use(page, 'tap', 'Form2', 'Command2');
    assert.deepEqual(await curveAt(page, 375), [R]);
    for (let i = 0; i < 3; ++i)
      await use(page, 'tap', 'Form1', 'Command1');
    assert.equal(await textOf(page, 'Form1', 'Command1'), 'Ende');
    await use(page, 'tap', 'Form1', 'Command1');
    assert.equal(await shown(page, 'zf-ended'), true);
    await page.close();
  });
});
