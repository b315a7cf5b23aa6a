// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the tests of the page's fit share: where a window lies on the screen, whether its
// diagram is crisp there, and a finger's or a mouse's gestures on any control.

import { PNG } from 'pngjs';
import { nextFrame } from './page.mjs';

// What the window's canvas shows on screen, in device pixels, as grab() gives it; a window
// wider than the screen is taken in pieces, scrolled sideways as a pupil scrolls it, and put
// together (the page clips what lies outside its width).
export async function windowPicture(page, form) {
  const scrollTo = (left) => page.$eval(`#${form}`, (element, left) => {
    const container = element.parentElement;
    container.scrollLeft = left;
    const r = element.querySelector('canvas').getBoundingClientRect();
    return { left: r.left, top: r.top + scrollY, width: r.width, height: r.height,
             visible: container.clientWidth, scrolled: container.scrollLeft,
             most: container.scrollWidth - container.clientWidth, ratio: devicePixelRatio };
  }, left);
  let at = await scrollTo(0);
  const ratio = at.ratio;
  const png = new PNG({ width: Math.round(at.width * ratio), height: Math.round(at.height * ratio) });
  for (let done = 0; done < png.width;) {
    const from = Math.max(at.left, 0), to = Math.min(at.left + at.width, at.visible);
    const piece = PNG.sync.read(Buffer.from(await page.screenshot({
      clip: { x: from, y: at.top, width: to - from, height: at.height } })));
    const offset = Math.round((from - at.left) * ratio);
    PNG.bitblt(piece, png, 0, 0, Math.min(piece.width, png.width - offset),
               Math.min(piece.height, png.height), offset, 0);
    done = offset + piece.width;
    if (done >= png.width || at.scrolled >= at.most)
      break;
    at = await scrollTo(at.scrolled + at.visible / 2);
  }
  await scrollTo(0);
  return {
    width: png.width, height: png.height, png,
    at(x, y) {
      const i = (y * png.width + x) * 4;
      return [png.data[i], png.data[i + 1], png.data[i + 2]];
    },
  };
}

// Where the window lies, in CSS pixels of the visual viewport, and its picture's size.
export function geometry(page, form) {
  return page.$eval(`#${form}`, (element) => {
    const rect = element.getBoundingClientRect();
    const canvas = element.querySelector('canvas');
    const viewport = window.visualViewport;
    const container = element.parentElement;
    return {
      left: rect.left, top: rect.top, right: rect.right, bottom: rect.bottom,
      width: rect.width, height: rect.height,
      pageLeft: rect.left + scrollX + container.scrollLeft, pageTop: rect.top + scrollY,
      visible: { width: viewport.width, height: viewport.height, scale: viewport.scale },
      ratio: devicePixelRatio,
      canvas: { width: canvas.width, height: canvas.height,
                cssWidth: canvas.getBoundingClientRect().width },
      scale: Number(element.style.getPropertyValue('--zf-scale')),
      scroll: { width: container.scrollWidth, client: container.clientWidth },
    };
  });
}

// The diagram's slanted arrowheads, whose smoothed edges are the core's too: their boxes in
// each window's pixels, with room for the strokes' width.
const arrowheads = {
  Form1: [[36, 20, 76, 44], [889, 580, 915, 623]],
  Form2: [[66, 28, 99, 49], [890, 690, 915, 718]],
};

// Every colour the core paints outside the labels' boxes: the windows' backgrounds, the lines,
// the curves, the labels' backgrounds.
const palette = new Set([
  '239,239,239', '255,255,255', '255,224,192', '0,0,0', '0,0,255', '0,0,240', '255,0,0',
  '0,0,192', '255,128,128', '192,64,0', '255,0,255',
].map(String));

// The colours on screen, outside labels, widgets and arrowheads, that the core never paints:
// each is a pixel the browser smoothed. The boxes are mapped to the device pixels the core
// gives them. Headless Chromium rounds the widgets' boxes (not the canvas) to whole CSS
// pixels, so each widget's box is widened by the half CSS pixel that rounding may move it.
export async function strayColours(page, form) {
  const { width, height, ratio, boxes } = await page.$eval(`#${form}`, (element) => ({
    width: element.querySelector('canvas').width,
    height: element.querySelector('canvas').height,
    ratio: devicePixelRatio,
    boxes: [...element.querySelectorAll('.zf-label, .zf-button, .zf-list')].map((e) => ({
      ...e.zfBox, widget: !e.classList.contains('zf-label') })),
  }));
  const logical = form === 'Form1' ? [954, 651] : [921, 741];
  const shot = await windowPicture(page, form);
  // The picture on screen may be enlarged past the density limit: then it maps by its size.
  const rx = shot.width / logical[0], ry = shot.height / logical[1];
  const edge = (l, r) => Math.ceil(l * r - 0.5);
  const masked = new Uint8Array(shot.width * shot.height);
  const mask = (x0, y0, x1, y1, grow) => {
    for (let y = Math.max(0, edge(y0, ry) - grow); y < Math.min(shot.height, edge(y1, ry) + grow); ++y)
      masked.fill(1, y * shot.width + Math.max(0, edge(x0, rx) - grow),
                  y * shot.width + Math.min(shot.width, edge(x1, rx) + grow));
  };
  const grow = Math.ceil(ratio / 2);
  boxes.forEach((b) => mask(b.x, b.y, b.x + b.width, b.y + b.height, b.widget ? grow : 0));
  arrowheads[form].forEach((a) => mask(...a, 0));
  const stray = new Map();
  const where = [];
  let checked = 0;
  for (let dy = 0; dy < shot.height; ++dy)
    for (let dx = 0; dx < shot.width; ++dx) {
      if (masked[dy * shot.width + dx])
        continue;
      ++checked;
      const colour = shot.at(dx, dy).join();
      if (!palette.has(colour)) {
        stray.set(colour, (stray.get(colour) ?? 0) + 1);
        if (where.length < 5)
          where.push(`${colour} at (${dx}, ${dy})`);
      }
    }
  return { checked, stray: [...stray].sort((a, b) => b[1] - a[1]).slice(0, 5), where,
           count: [...stray.values()].reduce((a, b) => a + b, 0), shot, size: [width, height] };
}

// A gesture on a control as a pupil makes it: the control scrolled into view first, as a pupil
// scrolls to it; then a tap or a click at a point of its box (fractions of its width and
// height, the centre by default).
export async function touchOrClick(page, handle, { touch, at = [0.5, 0.5] } = {}) {
  await handle.evaluate((e) => e.scrollIntoView({ block: 'nearest', inline: 'nearest' }));
  const box = await handle.evaluate((e) => {
    const r = e.getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height };
  });
  const x = box.x + box.width * at[0], y = box.y + box.height * at[1];
  if (touch)
    await page.touchscreen.tap(x, y);
  else
    await page.mouse.click(x, y);
  await nextFrame(page);
}
