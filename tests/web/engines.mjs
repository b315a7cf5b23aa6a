// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One way to drive the page in each browser engine, so that the same lesson runs in all three:
// - chromium: Debian's Chromium through puppeteer-core (DevTools);
// - firefox: Debian's Firefox ESR through puppeteer-core (WebDriver BiDi);
// - webkit: Debian's WebKitWebDriver with its MiniBrowser, on a virtual X display of its own,
//   through selenium-webdriver (classic WebDriver).
// A page offers: goto, evaluate (a function and its arguments, awaited in the page), click and
// tap at a point, keys, a screenshot of a clip as a PNG, and the viewport. Coordinates are CSS
// pixels of the viewport.

import { spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import puppeteer from 'puppeteer-core';
import { PNG } from 'pngjs';
import { Builder, Key } from 'selenium-webdriver';
import { Origin, Pointer } from 'selenium-webdriver/lib/input.js';

export const engineNames = ['chromium', 'firefox', 'webkit'];

// The engine the tests run in: ZF_ENGINE, or Chromium.
export const engineName = process.env.ZF_ENGINE ?? 'chromium';

const language = 'de-DE';

// ---- Chromium and Firefox: puppeteer-core ------------------------------------------------

class PuppeteerPage {
  constructor(page) { this.page = page; }

  async goto(url) { await this.page.goto(url); }

  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }

  async setViewport({ width, height, scale = 1, touch = false }) {
    await this.page.setViewport({ width, height, deviceScaleFactor: scale, hasTouch: touch,
                                  isMobile: touch });
  }

  async click(x, y) { await this.page.mouse.click(x, y); }

  async tap(x, y) { await this.page.touchscreen.tap(x, y); }

  async press(key) { await this.page.keyboard.press(key); }

  async down(key) { await this.page.keyboard.down(key); }

  async up(key) { await this.page.keyboard.up(key); }

  async screenshot(clip) {
    return PNG.sync.read(Buffer.from(await this.page.screenshot({ clip })));
  }

  async close() { await this.page.close(); }
}

async function puppeteerEngine(name) {
  const browser = await puppeteer.launch(name === 'firefox' ? {
    browser: 'firefox',
    executablePath: process.env.ZF_FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true,
    extraPrefsFirefox: { 'intl.accept_languages': language },
  } : {
    executablePath: process.env.ZF_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', `--accept-lang=${language}`],
  });
  return {
    name,
    // Both emulate touch: a tap sends pointer and touch events, not a mouse's.
    touch: true,
    version: (await browser.version()).replace(/^\D*/, ''),
    async newPage() { return new PuppeteerPage(await browser.newPage()); },
    async close() { await browser.close(); },
  };
}

// ---- WebKit: WebKitWebDriver and selenium-webdriver ---------------------------------------

const keyNames = {
  ArrowDown: Key.ARROW_DOWN, ArrowUp: Key.ARROW_UP, ArrowLeft: Key.ARROW_LEFT,
  ArrowRight: Key.ARROW_RIGHT, Home: Key.HOME, End: Key.END, PageUp: Key.PAGE_UP,
  PageDown: Key.PAGE_DOWN, Tab: Key.TAB, Enter: Key.ENTER, Space: ' ', Escape: Key.ESCAPE,
  Shift: Key.SHIFT, Control: Key.CONTROL,
};
const keyOf = (key) => keyNames[key] ?? key;

// A function run in the page with its arguments, its result awaited: how WebDriver's
// asynchronous script is given one.
const asyncScript = (fn) => `
  const done = arguments[arguments.length - 1];
  Promise.resolve().then(() => (${fn}).apply(null, Array.from(arguments).slice(0, -1)))
    .then((value) => done({ value }), (error) => done({ error: String(error) + " " + (error && error.stack) }));`;

class WebDriverPage {
  constructor(driver) { this.driver = driver; }

  async goto(url) { await this.driver.get(url); }

  async evaluate(fn, ...args) {
    const result = await this.driver.executeAsyncScript(asyncScript(fn), ...args);
    if (result.error)
      throw new Error(`in the page: ${result.error}`);
    return result.value;
  }

  // The window is sized so that its inner area, the viewport, is as asked. MiniBrowser has no
  // density or touch emulation.
  async setViewport({ width, height, scale = 1, touch = false }) {
    if (scale !== 1 || touch)
      throw new Error('WebKit\'s MiniBrowser emulates neither density nor touch');
    // A resize reaches the page a moment later, on a busy machine several: ask again until it
    // has, for a few seconds at most.
    const window = this.driver.manage().window();
    for (let attempt = 0; attempt < 40; ++attempt) {
      const [innerWidth, innerHeight] = await this.evaluate(() => [innerWidth, innerHeight]);
      if (innerWidth === width && innerHeight === height)
        return;
      if (attempt % 4 === 0) {
        const outer = await window.getRect();
        await window.setRect({ width: outer.width + width - innerWidth,
                               height: outer.height + height - innerHeight });
      }
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    throw new Error(`could not make the viewport ${width}×${height}`);
  }

  async click(x, y) {
    await this.driver.actions()
      .move({ x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT })
      .press().release().perform();
  }

  async tap() { throw new Error('WebKit\'s MiniBrowser emulates no touch'); }

  async press(key) { await this.driver.actions().keyDown(keyOf(key)).keyUp(keyOf(key)).perform(); }

  async down(key) { await this.driver.actions().keyDown(keyOf(key)).perform(); }

  async up(key) { await this.driver.actions().keyUp(keyOf(key)).perform(); }

  // The viewport's picture, cut to the clip. WebKit draws a box at a half pixel (a window
  // centred in an odd width) from the pixel above it.
  async screenshot({ x, y, width, height }) {
    const whole = PNG.sync.read(Buffer.from(await this.driver.takeScreenshot(), 'base64'));
    const part = new PNG({ width: Math.round(width), height: Math.round(height) });
    PNG.bitblt(whole, part, Math.round(x), Math.round(y), part.width, part.height, 0, 0);
    return part;
  }

  async close() {} // the session's one window is reused
}

// A free X display: Xvfb picks it and says which.
async function startXvfb() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-noreset',
                              '-nolisten', 'tcp'], { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  const display = await new Promise((resolve, reject) => {
    let text = '';
    xvfb.stdio[3].on('data', (chunk) => {
      text += chunk;
      if (text.includes('\n'))
        resolve(`:${text.trim()}`);
    });
    xvfb.on('exit', (code) => reject(new Error(`Xvfb ended (${code}) before it had a display`)));
  });
  return { display, stop: () => xvfb.kill() };
}

function freePort() {
  return new Promise((resolve, reject) => {
    const server = net.createServer();
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
    server.on('error', reject);
  });
}

async function webkitEngine() {
  const binary = process.env.ZF_MINIBROWSER ??
    '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
  if (!fs.existsSync(binary))
    throw new Error(`no MiniBrowser at ${binary} (Debian: webkit2gtk-driver)`);
  const xvfb = process.env.ZF_WEBKIT_DISPLAY ? { display: process.env.ZF_WEBKIT_DISPLAY, stop() {} }
                                             : await startXvfb();
  const port = await freePort();
  // WebKit takes the page's language from the environment's.
  const server = spawn('WebKitWebDriver', [`--port=${port}`], {
    stdio: 'ignore',
    env: { ...process.env, DISPLAY: xvfb.display, LANGUAGE: language.replace('-', '_'),
           LANG: 'C.UTF-8' },
  });
  const stop = () => { server.kill(); xvfb.stop(); };
  try {
    let driver;
    for (let attempt = 0; !driver; ++attempt) {
      try {
        driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
          browserName: 'MiniBrowser',
          'webkitgtk:browserOptions': { binary, args: ['--automation'] },
        }).build();
      } catch (error) {
        if (attempt > 50)
          throw error;
        await new Promise((resolve) => setTimeout(resolve, 100)); // the server is starting
      }
    }
    const capabilities = await driver.getCapabilities();
    return {
      name: 'webkit',
      touch: false,
      version: capabilities.get('browserVersion'),
      async newPage() { return new WebDriverPage(driver); },
      async close() {
        try {
          await driver.quit();
        } finally {
          stop();
        }
      },
    };
  } catch (error) {
    stop();
    throw error;
  }
}

// Starts the named engine.
export function startEngine(name = engineName) {
  if (name === 'webkit')
    return webkitEngine();
  if (name === 'chromium' || name === 'firefox')
    return puppeteerEngine(name);
  throw new Error(`no engine "${name}": choose one of ${engineNames.join(', ')}`);
}
