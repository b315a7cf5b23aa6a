// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A seeded random run through the page in headless Chromium, as a restless pupil gives it:
// clicks anywhere in and around the windows and on their controls, double clicks, taps, the
// keyboard's whole set, the wheel, ends and restarts. Every few hundred events the page must
// hold: never both windows shown, no page or console error and no error report, the diagrams
// show what the program said it drew, and the page's nodes and listeners stay bounded.
//
//     node --test fuzz.mjs                        5000 events, a seed of its own (printed)
//     ZF_FUZZ_EVENTS=100000 node --test fuzz.mjs  the long run
//     ZF_FUZZ_SEED=1234 node --test fuzz.mjs      one seed again, event for event

import assert from 'node:assert/strict';
import { after, before, it } from 'node:test';
import { colours, launch, nextFrame, open, pixelOf, lessonPoint } from './page.mjs';

const events = Number(process.env.ZF_FUZZ_EVENTS ?? 5000);
const seed = Number(process.env.ZF_FUZZ_SEED ?? Math.floor(Math.random() * 2 ** 31));
const checkEvery = 50; // the pictures, the windows, errors and reports
const countEvery = 500; // the nodes and listeners, after garbage collection

// After any number of ends and restarts the page holds what it held after its first start,
// with both windows made, give or take a handful: nodes and listeners after garbage
// collection.
const nodeSlack = 50;
const listenerSlack = 8;

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// A small, fast generator of its own (mulberry32), so that a seed replays the same run.
function generator(state) {
  return () => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const keys = ['Tab', 'Shift+Tab', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Home', 'End',
              'PageUp', 'PageDown', 'Space', 'Enter', 'Escape'];

// In the page: what the program said it drew, in the order it said it, kept from what the
// live region and the windows' elements do; and any frame that showed both windows, and any
// error report.
function watchProgram() {
  const model = { curve: false, segments: [], legend: false, compared: false, both: 0, reports: 0 };
  const reset = () => Object.assign(model, { curve: false, segments: ['B', 'B', 'B', 'B'],
                                             legend: false, compared: false });
  reset();
  const ordinals = ['erste', 'zweite', 'dritte', 'vierte'];
  const heard = (text) => {
    if (/Die Zerfallskurve ist gezeichnet/.test(text)) {
      model.curve = true;
      model.segments = ['B', 'B', 'B', 'B'];
    } else if (/^Rot hervorgehoben ist die \S+ Zerfallsfrist/.test(text)) {
      const k = ordinals.indexOf(text.match(/^Rot hervorgehoben ist die (\S+)/)[1]);
      if (k > 0)
        model.segments[k - 1] = 'S';
      model.segments[k] = 'R';
    } else if (/^Die Hervorhebung ist aufgehoben/.test(text)) {
      model.segments[3] = 'S';
    } else if (/^Fünf Zerfallskurven sind gezeichnet/.test(text)) {
      model.legend = true;
      model.compared = true;
    }
  };
  new MutationObserver((records) => {
    for (const record of records) {
      if (record.type === 'attributes') {
        if (record.target.id === 'Form2' && !record.target.hidden)
          model.legend = false; // shown again: the legend waits for the next Start
        continue;
      }
      for (const node of record.addedNodes) {
        if (record.target.id === 'zf-announcer' && node.nodeType === Node.TEXT_NODE)
          heard(node.data);
        else if (node.id === 'Form1')
          reset(); // a fresh start
        else if (node.tagName === 'DIALOG')
          ++model.reports;
      }
    }
  }).observe(document.body, { subtree: true, childList: true, attributes: true,
                              attributeFilter: ['hidden'] });
  const shown = (id) => {
    const element = document.getElementById(id);
    return !!element && !element.hidden && element.isConnected;
  };
  const frame = () => {
    if (shown('Form1') && shown('Form2'))
      ++model.both;
    requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
  window.zfFuzz = model;
}

// In the page: the boxes an event may aim at, in viewport coordinates.
function targets() {
  const box = (e) => {
    const r = e.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height];
  };
  const visible = (e) => !e.hidden && e.getClientRects().length > 0;
  const windows = [...document.querySelectorAll('.zf-window')].filter(visible);
  const buttons = [];
  const entries = [];
  for (const win of windows) {
    win.querySelectorAll('button').forEach((e) => visible(e) && buttons.push(box(e)));
    win.querySelectorAll('select, option, [role="option"]').forEach((e) => {
      if (visible(e) && !(e.tagName === 'SELECT' && e.options.length)) // its entries instead
        entries.push(box(e));
    });
  }
  const restart = document.getElementById('zf-restart');
  if (visible(restart) && visible(document.getElementById('zf-ended')))
    buttons.push(box(restart));
  return { windows: windows.map(box), buttons, entries, width: innerWidth, height: innerHeight };
}

// In the page: what the diagrams and the legend show against what the program said.
function inspect(expected) {
  const found = [];
  const shown = (id) => {
    const element = document.getElementById(id);
    return element && !element.hidden ? element : null;
  };
  const model = window.zfFuzz;
  if (shown('Form1') && shown('Form2'))
    found.push('both windows shown');
  if (model.both)
    found.push(`both windows shown in ${model.both} frames`);
  if (model.reports || document.querySelector('dialog'))
    found.push('an error report');
  // A window's pixel, in the middle of its device pixels on a canvas of any density.
  const pixel = (canvas, [x, y]) => {
    const win = canvas.parentElement;
    const ratio = canvas.width / expected.sizes[win.id][0];
    const data = canvas.getContext('2d').getImageData(Math.floor((x + 0.5) * ratio),
                                                       Math.floor((y + 0.5) * ratio), 1, 1).data;
    return [data[0], data[1], data[2]].join();
  };
  const form1 = shown('Form1');
  if (form1) {
    const canvas = form1.querySelector('canvas');
    for (const [n, point] of expected.lesson) {
      const colour = model.curve ? expected.colour[model.segments[Math.ceil(n / 250) - 1]]
                                 : expected.background.Form1;
      if (pixel(canvas, point) !== colour.join())
        found.push(`lesson point ${n}: ${pixel(canvas, point)}, not ${colour} (${model.segments})`);
    }
  }
  const form2 = shown('Form2');
  if (form2) {
    const canvas = form2.querySelector('canvas');
    const legend = [1, 2, 3, 4, 5].map((k) => !form2.querySelector(`[data-name="Label${k}"]`).hidden);
    if (legend.some((each) => each !== model.legend))
      found.push(`legend ${legend}, expected ${model.legend ? 'shown' : 'hidden'}`);
    for (const [name, point, colour] of expected.comparison) {
      const want = model.compared ? colour : expected.background.Form2;
      if (pixel(canvas, point) !== want.join())
        found.push(`${name} curve: ${pixel(canvas, point)}, not ${want}`);
    }
  }
  const seen = form1 ? (model.curve ? `lesson ${model.segments.join('')}` : 'lesson, no curve')
    : form2 ? `comparison${model.compared ? ' drawn' : ''}${model.legend ? ', legend' : ''}` : 'ended';
  return { found, seen, starts: window.zerfallsfrist.starts() };
}

// Where the diagrams' colours are known: lesson points away from the guides and the labels,
// each in its half-life, and each comparison curve where it runs apart from the others.
const expected = {
  sizes: { Form1: [954, 651], Form2: [921, 741] }, // the windows' client areas [pixels]
  background: { Form1: [239, 239, 239], Form2: [255, 255, 255] }, // the windows' BackColor
  colour: { B: colours.curve, R: colours.highlight, S: colours.settledCurve },
  lesson: [],
  comparison: [
    ['Cs-137', 30.0, 100, [255, 128, 128]], ['Am-241', 432.2, 2000, [0, 0, 192]],
    ['Ra-226', 1600.0, 2000, [255, 0, 0]], ['C-14', 5730.0, 2000, [192, 64, 0]],
    ['Pu-239', 24110.0, 2000, [255, 0, 255]],
  ].map(([name, halfLife, years, colour]) => [
    name, pixelOf('Form2', years, Math.fround(10000 * Math.pow(0.5, years / Math.fround(halfLife)))),
    colour]),
};
for (let n = 40; n < 1000; n += 40)
  if (Math.abs(n - 250) > 20 && Math.abs(n - 500) > 20 && Math.abs(n - 750) > 20)
    expected.lesson.push([n, pixelOf('Form1', ...lessonPoint(n))]);

async function counts(page, cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  const { Nodes, JSEventListeners } = await page.metrics();
  return { nodes: Nodes, listeners: JSEventListeners };
}

it(`holds up under ${events} random events`, { timeout: Math.max(600000, events * 60) }, async () => {
  console.log(`fuzz: ${events} events, seed ${seed} (replay: ZF_FUZZ_SEED=${seed})`);
  const random = generator(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const within = ([x, y, w, h], margin = 0) =>
    [x - margin + random() * (w + 2 * margin), y - margin + random() * (h + 2 * margin)];

  const { page, errors } = await open(browser);
  page.on('console', (message) => {
    if (message.type() === 'error')
      errors.push(new Error(`console: ${message.text()}`));
  });
  // A classroom screen's page, in which both windows fit at their own size; with touch, which
  // may load the page anew.
  await page.setViewport({ width: 976, height: 760, hasTouch: true });
  await page.waitForFunction(() => window.zerfallsfrist !== undefined);
  await page.evaluate(() => window.zerfallsfrist.running);
  await page.evaluate(watchProgram);
  const cdp = await page.createCDPSession();

  // The first start's page with both windows made, and the way back to where it started.
  await page.click('#Form1 [data-name="Command2"]');
  await page.click('#Form2 [data-name="Command2"]');
  await nextFrame(page);
  const first = await counts(page, cdp);
  const highest = { ...first };

  const history = [];
  const states = new Map(); // what the checks saw, and how often
  const started = Date.now();
  let restarts = 0;
  const check = async (done, counting) => {
    await nextFrame(page);
    const seen = await page.evaluate(inspect, expected);
    restarts = seen.starts - 1;
    states.set(seen.seen, (states.get(seen.seen) ?? 0) + 1);
    const problems = [...seen.found, ...errors.map((e) => e.message)];
    if (counting) {
      const now = await counts(page, cdp);
      highest.nodes = Math.max(highest.nodes, now.nodes);
      highest.listeners = Math.max(highest.listeners, now.listeners);
      if (now.nodes > first.nodes + nodeSlack || now.listeners > first.listeners + listenerSlack)
        problems.push(`${now.nodes} nodes and ${now.listeners} listeners after ${restarts} ` +
                      `restarts, from ${first.nodes} and ${first.listeners} at the first start`);
    }
    assert.deepEqual(problems, [], `after ${done} events, seed ${seed} ` +
                     `(replay: ZF_FUZZ_SEED=${seed}); the last events:\n  ` +
                     history.slice(-25).join('\n  '));
  };

  for (let done = 0; done < events;) {
    const layout = await page.evaluate(targets);
    const area = layout.windows.length ? pick(layout.windows) : [0, 0, layout.width, layout.height];
    // Half of the aims at a control, most of them at a button: the list's entries alone would
    // start the curve afresh too often for the lesson to get far.
    const aim = () => {
      const at = random();
      if (at < 0.35 && layout.buttons.length)
        return within(pick(layout.buttons));
      if (at < 0.5 && layout.entries.length)
        return within(pick(layout.entries));
      return within(area, 40);
    };
    const roll = random();
    let event;
    if (roll < 0.45) {
      const [x, y] = aim();
      event = `click ${x.toFixed(0)},${y.toFixed(0)}`;
      await page.mouse.click(x, y);
    } else if (roll < 0.5) {
      const [x, y] = aim();
      event = `double click ${x.toFixed(0)},${y.toFixed(0)}`;
      await page.mouse.click(x, y, { clickCount: 1 });
      await page.mouse.click(x, y, { clickCount: 2 });
    } else if (roll < 0.55) {
      const [x, y] = aim();
      event = `tap ${x.toFixed(0)},${y.toFixed(0)}`;
      await page.touchscreen.tap(x, y);
    } else if (roll < 0.6) {
      const [x, y] = within(area);
      const delta = (random() < 0.5 ? -1 : 1) * (40 + Math.floor(random() * 400));
      event = `wheel ${delta} at ${x.toFixed(0)},${y.toFixed(0)}`;
      await page.mouse.move(x, y);
      await page.mouse.wheel({ deltaY: delta });
    } else {
      const key = pick(keys);
      event = `key ${key}`;
      if (key === 'Shift+Tab') {
        await page.keyboard.down('Shift');
        await page.keyboard.press('Tab');
        await page.keyboard.up('Shift');
      } else {
        await page.keyboard.press(key);
      }
    }
    history.push(`${done}: ${event}`);
    if (history.length > 100)
      history.shift();
    ++done;
    if (done % checkEvery === 0 || done === events)
      await check(done, done % countEvery === 0 || done === events);
  }
  const seconds = (Date.now() - started) / 1000;
  console.log(`fuzz: ${events} events in ${seconds.toFixed(1)} s, ${restarts} restarts, seed ${seed}; ` +
              `nodes ${first.nodes} at first, at most ${highest.nodes}; listeners ${first.listeners} ` +
              `at first, at most ${highest.listeners}`);
  console.log(`fuzz: the checks saw ${[...states].map(([state, n]) => `${state} ×${n}`).join(', ')}`);
  await page.close();
});
