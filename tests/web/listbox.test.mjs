// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The isotope list as the page draws it: the desktop list's keys, its highlight with and
// without the focus, what a screen reader is given; a finger's double tap; and the window on
// paper, whole on one A4 page.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import { PNG } from 'pngjs';
import { choose, control, labelText, launch, lessonPoint, nextFrame, open, pageUrl, pixelOf, press }
  from './page.mjs';
import { geometry, touchOrClick, windowPicture } from './fit.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

const isotopes = ['Kalium 40', 'Thorium 232', 'Uran 235', 'Uran 238', 'Kohlenstoff 14'];

// The list's node in the accessibility tree, and its options.
async function listInTree(page) {
  const find = (node) => node.role === 'listbox' ? node
    : (node.children ?? []).map(find).find(Boolean);
  const list = find(await page.accessibility.snapshot({ interestingOnly: false }));
  const options = [];
  const walk = (node) => {
    if (node.role === 'option')
      options.push({ name: node.name, selected: !!node.selected });
    (node.children ?? []).forEach(walk);
  };
  if (list)
    walk(list);
  return { name: list?.name, focused: !!list?.focused, options };
}

describe('the list', () => {
  it('takes the desktop list\'s keys, each choice a Click, and keeps its highlight', async () => {
    const { page, errors } = await open(browser);
    const chosen = () => labelText(page, 'Form1', 'Label10');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.name), 'List1');
    const tree = await listInTree(page);
    assert.equal(tree.name, 'Isotope');
    assert.deepEqual(tree.options, isotopes.map((name) => ({ name, selected: false })));
    // One tab stop: the list, not its entries.
    assert.deepEqual(await page.$$eval('#Form1 [data-name="List1"], #Form1 [role="option"]',
                                        (es) => es.map((e) => e.tabIndex)), [0, -1, -1, -1, -1, -1]);
    const keys = [['ArrowDown', 0], ['End', 4], ['Home', 0], ['PageDown', 4], ['ArrowUp', 3],
                  ['PageUp', 0], ['ArrowDown', 1], ['ArrowDown', 2]];
    for (const [key, index] of keys) {
      await page.keyboard.press(key);
      await nextFrame(page);
      assert.equal(await chosen(), isotopes[index], key);
    }
    // A key that cannot move the choice is no Click: the curve drawn by "Weiter" stays.
    await page.keyboard.press('Home');
    await page.keyboard.press('ArrowUp');
    await nextFrame(page);
    assert.equal(await chosen(), isotopes[0]);
    assert.equal(await page.evaluate(() => scrollY), 0); // the keys never scroll the page
    const seen = await listInTree(page);
    assert.equal(seen.options.filter((o) => o.selected).map((o) => o.name).join(), isotopes[0]);

    // The highlight, focused and not: the scheme's colour with white text, on screen.
    const highlight = async () => {
      const style = await page.$eval('#Form1 [aria-selected="true"]', (e) =>
        [getComputedStyle(e).backgroundColor, getComputedStyle(e).color]);
      const shot = await windowPicture(page, 'Form1');
      const box = await page.$eval('#Form1 [aria-selected="true"]', (e) => {
        const r = e.getBoundingClientRect(), w = e.closest('.zf-window').getBoundingClientRect();
        return [r.left - w.left, r.top - w.top, r.width, r.height].map((v) => Math.round(v));
      });
      let ink = 0;
      for (let y = box[1]; y < box[1] + box[3]; ++y)
        for (let x = box[0]; x < box[0] + box[2]; ++x)
          ink += shot.at(x, y).join() === '48,140,198';
      return { style, share: ink / (box[2] * box[3]) };
    };
    const focused = await highlight();
    await page.keyboard.press('Tab');
    assert.equal(await page.evaluate(() => document.activeElement.dataset.name), 'Command1');
    const unfocused = await highlight();
    for (const each of [focused, unfocused]) {
      assert.deepEqual(each.style, ['rgb(48, 140, 198)', 'rgb(255, 255, 255)']);
      assert.ok(each.share > 0.6, `highlight covers ${each.share} of the row`);
    }
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('counts a quick double tap on "Weiter" as two presses, as two clicks are, to the end', async () => {
    const page = await browser.newPage();
    await page.setViewport({ width: 768, height: 1024, deviceScaleFactor: 1, hasTouch: true, isMobile: true });
    await page.goto(pageUrl);
    await page.evaluate(() => window.zerfallsfrist.running);
    const rows = await page.$$('#Form1 [role="option"]');
    await touchOrClick(page, rows[3], { touch: true });
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Uran 238');
    // The list took the focus from the finger, as from a mouse.
    assert.equal(await page.evaluate(() => document.activeElement.dataset.name), 'List1');
    const weiter = await control(page, 'Form1', 'Command1');
    const box = await weiter.boundingBox();
    for (let i = 0; i < 2; ++i) {
      await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
      await page.touchscreen.tap(box.x + box.width / 2, box.y + box.height / 2);
      await nextFrame(page);
    }
    // Four presses: the first half-life in red.
    const at = await geometry(page, 'Form1');
    const shot = await windowPicture(page, 'Form1');
    const [x, y] = pixelOf('Form1', ...lessonPoint(125));
    const r = at.canvas.width / 954;
    const near = [];
    for (let dy = -1; dy <= 1; ++dy)
      for (let dx = -1; dx <= 1; ++dx)
        near.push(shot.at(Math.ceil(x * r - 0.5) + dx, Math.ceil(y * r - 0.5) + dy).join());
    assert.ok(near.includes('255,0,0'), `after two double taps: ${near}`);
    assert.equal(await page.$eval('html', (e) => getComputedStyle(e).touchAction), 'manipulation');
    // On to the end by touch, and a tap starts afresh.
    for (let i = 0; i < 5; ++i)
      await touchOrClick(page, weiter, { touch: true });
    assert.equal(await page.$eval('#zf-ended', (e) => e.hidden), false);
    await touchOrClick(page, await page.$('#zf-restart'), { touch: true });
    await page.waitForFunction(() => document.querySelector('#Form1:not([hidden])'));
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Isotop');
    await page.close();
  });
});

describe('print', () => {
  it('prints the shown window whole on one A4 page, upright or across, with the choice', async () => {
    const { page } = await open(browser);
    await choose(page, 'Form1', 'List1', 3);
    for (let i = 0; i < 4; ++i)
      await press(page, 'Form1', 'Command1');
    for (const landscape of [false, true]) {
      const pdf = Buffer.from(await page.pdf({ format: 'A4', landscape, printBackground: false }));
      const pages = pdf.toString('latin1').match(/\/Type\s*\/Page(?!s)/g) ?? [];
      assert.equal(pages.length, 1, `pages ${landscape ? 'across' : 'upright'}`);
    }
    // The page as printed: A4's area inside 10 mm margins, in CSS pixels.
    await page.emulateMediaType('print');
    for (const [width, height] of [[718, 1047], [1047, 718]]) {
      await page.setViewport({ width, height });
      await nextFrame(page);
      const seen = await page.$eval('#Form1', (e) => {
        const r = e.getBoundingClientRect();
        const row = e.querySelector('[aria-selected="true"]');
        return { left: r.left, top: r.top, right: r.right, bottom: r.bottom,
                 adjust: getComputedStyle(row).printColorAdjust,
                 background: getComputedStyle(row).backgroundColor };
      });
      const where = `${width}×${height}: ${JSON.stringify(seen)}`;
      assert.ok(seen.left >= 0 && seen.top >= 0 && seen.right <= width + 0.5 && seen.bottom <= height + 0.5, where);
      assert.ok(seen.right - seen.left > 0.97 * width || seen.bottom - seen.top > 0.97 * height, where);
      assert.deepEqual([seen.adjust, seen.background], ['exact', 'rgb(48, 140, 198)'], where);
      const shot = PNG.sync.read(Buffer.from(await page.screenshot()));
      assert.ok(shot.width > 0);
      if (process.env.ZF_SHOTS)
        await page.screenshot({ path: `${process.env.ZF_SHOTS}/print-${width}x${height}.png` });
    }
    await page.close();
  });
});
