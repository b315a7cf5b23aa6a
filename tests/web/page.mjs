// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the browser tests and benchmarks share: Debian's Chromium through puppeteer-core, the
// built page, a pupil's gestures on it, and the pixels the page shows.

import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { PNG } from 'pngjs';

const here = path.dirname(fileURLToPath(import.meta.url));

// The page under test: ZF_PAGE, or the web build's.
export const pagePath = process.env.ZF_PAGE ?? path.join(here, '../../build-web/zerfallsfrist.html');
export const pageUrl = pathToFileURL(pagePath).href;

// The system's Chromium, never a downloaded one. The tests run as root, hence no sandbox.
export function launch() {
  return puppeteer.launch({
    executablePath: process.env.ZF_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--accept-lang=de-DE'],
  });
}

// A viewport in which both windows fit at a scale of exactly 1.
export const fitOne = { width: 976, height: 760 };

// Opens the page and waits until the program runs. Every request the page makes is recorded:
// none may leave the file.
export async function open(browser, { language, scale = 1, url = pageUrl } = {}) {
  const page = await browser.newPage();
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error));
  if (language)
    await page.evaluateOnNewDocument((lang) => {
      Object.defineProperty(navigator, 'language', { get: () => lang });
    }, language);
  await page.setViewport({ ...fitOne, deviceScaleFactor: scale });
  await page.goto(url);
  if (url === pageUrl)
    await page.evaluate(() => window.zerfallsfrist.running);
  return { page, requests, errors };
}

// The requests that went anywhere but the page's own file and the data: URLs inside it.
export function outsideRequests(requests, url = pageUrl) {
  return requests.filter((each) => each !== url && !each.startsWith('data:'));
}

// Waits until the page has shown what the last event changed.
export function nextFrame(page) {
  return page.evaluate(() => new Promise((resolve) =>
    requestAnimationFrame(() => requestAnimationFrame(resolve))));
}

export const control = (page, form, name) => page.$(`#${form} [data-name="${name}"]`);

export async function press(page, form, name) {
  await (await control(page, form, name)).click();
  await nextFrame(page);
}

export async function choose(page, form, list, index) {
  const options = await page.$$(`#${form} [data-name="${list}"] [role="option"]`);
  await options[index].click();
  await nextFrame(page);
}

// A label's text as the page gives it to assistive technology; null while it is not shown.
export function labelText(page, form, name) {
  return page.$eval(`#${form} [data-name="${name}"]`, (element) =>
    element.hidden ? null : element.textContent);
}

// What the window's canvas shows on screen, as a picture in device pixels.
export async function grab(page, form) {
  const canvas = await page.$(`#${form} canvas`);
  const png = PNG.sync.read(Buffer.from(await canvas.screenshot()));
  return {
    width: png.width,
    height: png.height,
    png,
    at(x, y) {
      const i = (y * png.width + x) * 4;
      return [png.data[i], png.data[i + 1], png.data[i + 2]];
    },
  };
}

// The windows' user coordinate systems, as their layouts set them: ScaleLeft, ScaleTop and
// the size of a user unit in twips (15 twips to the pixel).
export const scales = {
  Form1: { left: -10, top: 110, unitWidth: 85.37524, unitHeight: -82.12508 },
  Form2: { left: -1000, top: 11000, unitWidth: 1.2425, unitHeight: -0.96 },
};

// The logical pixel a point set at single-precision user coordinates lands on.
export function pixelOf(form, x, y) {
  const scale = scales[form];
  return [
    Math.floor(((Math.fround(x) - scale.left) * scale.unitWidth) / 15),
    Math.floor(((Math.fround(y) - scale.top) * scale.unitHeight) / 15),
  ];
}

// Point n of the lesson's curve, as the lesson computes it.
export function lessonPoint(n) {
  return [Math.fround(n / 10), Math.fround(100 * Math.pow(0.5, (4 * n) / 1000))];
}

export const colours = {
  curve: [0, 0, 255], // the lesson window's ForeColor
  highlight: [255, 0, 0],
  settledCurve: [0, 0, 240],
  black: [0, 0, 0],
};
