// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web edition against its floors, side by side in one run of headless Chromium:
//
//     node bench/web/bench.mjs [rounds]        (after ./web.sh and npm ci --prefix tests/web)
//
// - load: navigation to the lesson's first frame, against a bare page with one canvas and
//   one line of text in the same embedded font, opened the same way from disk;
// - handlers: "Start" (50005 points) and a list Click, each with its repaint, against the same
//   points computed in plain JavaScript and written into an ImageData of the window's size;
// - the file's size, against its goal of 256 KiB;
// - where the load goes: the medians of the page's own marks, from the navigation on.
// Each figure is the median of its rounds; the ratios are what to compare, not the times.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch, open, pagePath, pageUrl } from '../../tests/web/page.mjs';

const rounds = Number(process.argv[2] ?? 15);
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};

// The floor of the load: the page's own fonts, one canvas with a line on it, one line of text.
function floorPage() {
  const html = fs.readFileSync(pagePath, 'utf8');
  const faces = html.match(/@font-face \{[^}]*\}/g).join('\n');
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zf-bench-'));
  const file = path.join(folder, 'floor.html');
  fs.writeFileSync(file, `<!DOCTYPE html><html lang="de"><head><meta charset="utf-8">
<style>${faces} body { font: 16px "Liberation Sans"; }</style></head><body>
<canvas width="954" height="651"></canvas><p>Die Zerfallsfrist</p>
<script>
document.fonts.load('16px "Liberation Sans"').then(function() {
  var context = document.querySelector('canvas').getContext('2d');
  context.fillRect(56, 600, 850, 3);
  requestAnimationFrame(function() {
    requestAnimationFrame(function() { performance.mark('zf-first-frame'); });
  });
});
</script></body></html>`);
  return pathToFileURL(file).href;
}

// The time to the first frame, and the page's marks and navigation timings on the way.
async function firstFrame(browser, url, stages) {
  const page = await browser.newPage();
  await page.goto(url);
  const time = await page.waitForFunction(() => {
    const mark = performance.getEntriesByName('zf-first-frame')[0];
    return mark && mark.startTime;
  });
  const value = await time.jsonValue();
  if (stages) {
    const seen = await page.evaluate(() => {
      const navigation = performance.getEntriesByType('navigation')[0];
      const marks = Object.fromEntries(performance.getEntriesByType('mark')
        .map((mark) => [mark.name, mark.startTime]));
      return { 'the file read': navigation.responseEnd, 'the runtime\'s script begins': marks['zf-runtime'],
               'the WebAssembly inflated and compiled': marks['zf-wasm-decoded'],
               'the page parsed (DOMContentLoaded)': navigation.domContentLoadedEventEnd };
    });
    for (const [name, at] of Object.entries(seen))
      if (at !== undefined)
        (stages[name] ??= []).push(at);
  }
  await page.close();
  return value;
}

// The floor of the handlers, in the page itself: the points as plain JavaScript computes them,
// written into an ImageData of the window's size and laid on a canvas.
function floorPoints(kind) {
  // One canvas of the window's size on the page, made once, as the window's own is.
  const lesson = kind === 'lesson';
  window.zfFloor = window.zfFloor ?? {};
  if (!window.zfFloor[kind]) {
    const made = document.createElement('canvas');
    made.width = lesson ? 954 : 921;
    made.height = lesson ? 651 : 741;
    document.body.appendChild(made);
    window.zfFloor[kind] = made;
  }
  const canvas = window.zfFloor[kind];
  const context = canvas.getContext('2d');
  const start = performance.now();
  const image = context.createImageData(canvas.width, canvas.height);
  const pixels = new Uint32Array(image.data.buffer);
  const put = (x, y, colour) => {
    if (x >= 0 && y >= 0 && x < canvas.width && y < canvas.height)
      pixels[y * canvas.width + x] = colour;
  };
  if (lesson) {
    for (let n = 0; n <= 1500; ++n) {
      const x = Math.fround(n / 10);
      const y = Math.fround(100 * Math.pow(0.5, (4 * n) / 1000));
      put(Math.floor(((x + 10) * 85.37524) / 15), Math.floor(((y - 110) * -82.12508) / 15),
          0xffff0000);
    }
  } else {
    const halfLives = [30, 432.2, 1600, 5730, 24110];
    const colours = [0xff8080ff, 0xffc00000, 0xff0000ff, 0xff0040c0, 0xffff00ff];
    for (let iso = 0; iso < 5; ++iso)
      for (let t = 0; t <= 10000; ++t) {
        const y = Math.fround(10000 * Math.pow(0.5, t / Math.fround(halfLives[iso])));
        put(Math.floor(((t + 1000) * 1.2425) / 15), Math.floor(((y - 11000) * -0.96) / 15),
            colours[iso]);
      }
  }
  context.putImageData(image, 0, 0);
  return performance.now() - start;
}

// One handler with its repaint: the click runs it, and the repaint, to its end.
function timeClick(selector) {
  const element = document.querySelector(selector);
  const start = performance.now();
  element.click();
  return performance.now() - start;
}

const browser = await launch();
try {
  const floorUrl = floorPage();
  const load = { web: [], floor: [] };
  const stages = {};
  for (let i = 0; i < rounds; ++i) {
    load.web.push(await firstFrame(browser, pageUrl, stages));
    load.floor.push(await firstFrame(browser, floorUrl));
  }

  const { page } = await open(browser);
  // Both measured functions are made once in the page, so that each round runs them as the
  // page's own code would run after its first use, not freshly parsed.
  await page.evaluate(`window.zfBench = { floorPoints: ${floorPoints}, timeClick: ${timeClick} };`);
  const click = { web: [], floor: [] };
  const start = { web: [], floor: [] };
  for (let i = 0; i < rounds; ++i) {
    click.web.push(await page.evaluate((n) => zfBench.timeClick(`#Form1 [role="option"]:nth-child(${n})`), 1 + (i % 5)));
    click.floor.push(await page.evaluate(() => zfBench.floorPoints('lesson')));
  }
  await page.click('#Form1 [data-name="Command2"]');
  for (let i = 0; i < rounds; ++i) {
    start.web.push(await page.evaluate(() => zfBench.timeClick('#Form2 [data-name="Command1"]')));
    start.floor.push(await page.evaluate(() => zfBench.floorPoints('comparison')));
  }
  await page.close();

  const rows = [
    ['load: navigation to first frame [ms]', load],
    ['list Click, 1501 points [ms]', click],
    ['"Start", 50005 points [ms]', start],
  ];
  const size = fs.statSync(pagePath).size;
  console.log(`Chromium ${(await browser.version()).replace(/^\D*/, '')}, ${rounds} rounds, medians\n`);
  console.log('| measure | web edition | floor | ratio |');
  console.log('| --- | ---: | ---: | ---: |');
  for (const [name, { web, floor }] of rows) {
    const w = median(web);
    const f = median(floor);
    console.log(`| ${name} | ${w.toFixed(2)} | ${f.toFixed(2)} | ${(w / f).toFixed(2)} |`);
  }
  console.log(`| file size [KiB] | ${(size / 1024).toFixed(0)} | 256 (goal) | ` +
              `${(size / 262144).toFixed(2)} |`);
  console.log('\nwhere the load goes, from the navigation [ms]\n');
  console.log('| stage | at |');
  console.log('| --- | ---: |');
  for (const [name, at] of Object.entries(stages))
    console.log(`| ${name} | ${median(at).toFixed(1)} |`);
  console.log(`| the lesson's first frame | ${median(load.web).toFixed(1)} |`);
} finally {
  await browser.close();
}
