// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Forced colours, as a high-contrast theme sets them, light and dark: the labels' texts for
// assistive technology stay without ink, so each text shows once, as the canvas paints it.

import assert from 'node:assert/strict';
import { after, before, it } from 'node:test';
import { PNG } from 'pngjs';
import { choose, launch, nextFrame, open, press } from './page.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

async function windowShot(page, form) {
  const element = await page.$(`#${form}`);
  return PNG.sync.read(Buffer.from(await element.screenshot()));
}

// The real widgets' boxes in a window's picture, which the theme may colour as it likes.
function widgetBoxes(page, form) {
  return page.$eval(`#${form}`, (win) => {
    const origin = win.getBoundingClientRect();
    return [...win.querySelectorAll('button, select, [role="listbox"]')].map((e) => {
      const box = e.getBoundingClientRect();
      return [box.left - origin.left, box.top - origin.top, box.right - origin.left,
              box.bottom - origin.top];
    });
  });
}

// The pixels that differ between two pictures of a window, outside its widgets.
function differences(a, b, widgets) {
  const apart = [];
  for (let y = 0; y < a.height; ++y)
    for (let x = 0; x < a.width; ++x) {
      if (widgets.some(([l, t, r, bottom]) => x >= l && x < r && y >= t && y < bottom))
        continue;
      const i = (y * a.width + x) * 4;
      if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2])
        apart.push([x, y]);
    }
  return apart;
}

const themes = ['light', 'dark'].map((scheme) => [
  { name: 'forced-colors', value: 'active' }, { name: 'prefers-color-scheme', value: scheme }]);

it('shows each text once in forced colours, light and dark', async () => {
  const { page } = await open(browser);
  await choose(page, 'Form1', 'List1', 3);
  for (let i = 0; i < 3; ++i)
    await press(page, 'Form1', 'Command1'); // all three explanatory texts and the guides
  const forms = [['Form1', await windowShot(page, 'Form1'), await widgetBoxes(page, 'Form1')]];
  await press(page, 'Form1', 'Command2');
  await press(page, 'Form2', 'Command1'); // the legend's five labels
  forms.push(['Form2', await windowShot(page, 'Form2'), await widgetBoxes(page, 'Form2')]);
  for (const theme of themes) {
    await page.emulateMediaFeatures(theme);
    await nextFrame(page);
    assert.equal(await page.evaluate(() => matchMedia('(forced-colors: active)').matches), true);
    for (const [form, plain, widgets] of forms) {
      // Each window in turn, as it was left: only one is shown at a time.
      await page.$$eval('.zf-window', (all, shownForm) => all.forEach((e) => {
        e.hidden = e.id !== shownForm;
      }), form);
      await nextFrame(page);
      const apart = differences(plain, await windowShot(page, form), widgets);
      assert.deepEqual(apart.slice(0, 5), [], `${form}, ${theme[1].value}: ${apart.length} pixels`);
    }
    const live = await page.$eval('#zf-announcer', (e) => getComputedStyle(e).color);
    assert.equal(live, 'rgba(0, 0, 0, 0)', `the live region, ${theme[1].value}`);
  }
  await page.close();
});

it('marks the chosen entry of the list in forced colours, light and dark', async () => {
  const { page } = await open(browser);
  await choose(page, 'Form1', 'List1', 3);
  for (const theme of themes) {
    await page.emulateMediaFeatures(theme);
    await nextFrame(page);
    const shot = await windowShot(page, 'Form1');
    // The middle of each entry's row, left of its text: the row's own background.
    const rows = await page.$eval('#Form1', (win) => {
      const origin = win.getBoundingClientRect();
      return [...win.querySelectorAll('option, [role="option"]')].map((e) => {
        const box = e.getBoundingClientRect();
        return [Math.round(box.right - origin.left - 4), Math.round((box.top + box.bottom) / 2 - origin.top)];
      });
    });
    const colour = ([x, y]) => [...shot.data.slice((y * shot.width + x) * 4, (y * shot.width + x) * 4 + 3)].join();
    const others = new Set(rows.filter((_, i) => i !== 3).map(colour));
    assert.equal(others.size, 1, `the other entries alike, ${theme[1].value}`);
    assert.ok(!others.has(colour(rows[3])), `the chosen entry stands out, ${theme[1].value}`);
  }
  await page.close();
});
