// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The web edition in Debian's Chromium, with real clicks: the lesson, the excursion, the end,
// the error report, and what a screen reader is given. The lesson by keyboard and by touch, in
// every engine: engines.test.mjs.

import assert from 'node:assert/strict';
import { after, before, describe, it } from 'node:test';
import {
  choose, colours, control, grab, labelText, launch, lessonPoint, nextFrame, open,
  outsideRequests, pixelOf, press,
} from './page.mjs';

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

const { curve: B, highlight: R } = colours;

// The colour on screen at point n of the lesson's curve.
async function curveColour(page, n) {
  const shot = await grab(page, 'Form1');
  return shot.at(...pixelOf('Form1', ...lessonPoint(n)));
}

// How many pixels of a label's box show the given colour, give or take the text's smoothing.
async function inkIn(page, form, name, [r, g, b]) {
  const box = await page.$eval(`#${form} [data-name="${name}"]`, (e) =>
    [e.style.left, e.style.top, e.style.width, e.style.height].map((v) => parseInt(v, 10)));
  const shot = await grab(page, form);
  let count = 0;
  for (let y = box[1]; y < box[1] + box[3]; ++y)
    for (let x = box[0]; x < box[0] + box[2]; ++x) {
      const [pr, pg, pb] = shot.at(x, y);
      if (Math.abs(pr - r) < 40 && Math.abs(pg - g) < 40 && Math.abs(pb - b) < 40)
        ++count;
    }
  return count;
}

// The accessibility tree as a flat list of the nodes a screen reader meets, in its order, and
// the live regions: each with its politeness and whether it is read whole, and its text.
async function accessibility(page) {
  const session = await page.createCDPSession();
  const { nodes: all } = await session.send('Accessibility.getFullAXTree');
  await session.detach();
  const byId = new Map(all.map((node) => [node.nodeId, node]));
  const property = (node, name) => node.properties?.find((p) => p.name === name)?.value.value;
  const nodes = [];
  const regions = [];
  const walk = (node, region) => {
    const live = property(node, 'live');
    if (live && live !== 'off' && !region) {
      region = { role: node.role?.value, live, atomic: property(node, 'atomic') === true, texts: [] };
      regions.push(region);
    }
    if (!node.ignored) {
      const entry = { role: node.role?.value, name: node.name?.value ?? '', inStatus: !!region };
      nodes.push(entry);
      if (region && entry.role === 'StaticText')
        region.texts.push(entry.name);
    }
    (node.childIds ?? []).forEach((id) => byId.has(id) && walk(byId.get(id), region));
  };
  walk(all.find((node) => !node.parentId), null);
  return { nodes, regions, live: regions.map((r) => r.texts.join(' ')).join(' ') };
}

describe('lesson', () => {
  it('starts with an empty diagram, the list focused and "Weiter" disabled', async () => {
    const { page, requests, errors } = await open(browser);
    assert.equal(await page.title(), 'Die Zerfallsfrist');
    const size = await page.$eval('#Form1', (e) => [e.offsetWidth, e.offsetHeight]);
    assert.deepEqual(size, [954, 651]);
    assert.equal(await page.$('#Form2'), null); // made on first use only
    assert.equal(await page.evaluate(() => document.activeElement.dataset.name), 'List1');
    assert.equal(await (await control(page, 'Form1', 'Command1')).evaluate((e) => e.disabled), true);
    assert.equal(await labelText(page, 'Form1', 'Label10'), 'Isotop');
    assert.equal(await labelText(page, 'Form1', 'Label13'), null); // empty: not there yet
    assert.deepEqual(await curveColour(page, 375), [239, 239, 239]);
    const tree = await accessibility(page);
    assert.ok(tree.nodes.some((n) => n.role === 'image' && n.name.startsWith('Diagramm ohne Kurve')));
    assert.ok(tree.nodes.some((n) => n.role === 'listbox' && n.name === 'Isotope'));
    // One live region, polite and read whole, empty until something is said; no status, which
    // a review of the window would meet as a bare "statusbar".
    assert.deepEqual(tree.regions, [{ role: 'generic', live: 'polite', atomic: true, texts: [] }]);
    assert.deepEqual(outsideRequests(requests), []);
    assert.deepEqual(errors, []);
    await page.close();
  });

  it('gives each isotope its half-life and time axis, in the browser language', async () => {
    const { page } = await open(browser);
    // Thalb × 0 … 5, each rounded to a single as the axis stores it, with the German comma.
    const isotopes = [
      ['Kalium 40', '1280', ['0', '1280', '2560', '3840', '5120', '6400']],
      ['Thorium 232', '14050', ['0', '14050', '28100', '42150', '56200', '70250']],
      ['Uran 235', '703,8', ['0', '703,8', '1407,6', '2111,4', '2815,2', '3519']],
      ['Uran 238', '4468', ['0', '4468', '8936', '13404', '17872', '22340']],
      ['Kohlenstoff 14', '0,00573', ['0', '0,00573', '0,01146', '0,01719', '0,02292', '0,02865']],
    ];
    for (const [index, [name, halfLife, axis]] of isotopes.entries()) {
      await choose(page, 'Form1', 'List1', index);
      assert.equal(await labelText(page, 'Form1', 'Label10'), name);
      assert.equal(await labelText(page, 'Form1', 'Label11'),
                   `Zerfallsfrist =  ${halfLife} Millionen Jahre`);
      const shown = [];
      for (const label of ['Label5', 'Label6', 'Label7', 'Label8', 'Label9', 'Label13'])
        shown.push(await labelText(page, 'Form1', label));
      assert.deepEqual(shown, axis, name);
      assert.deepEqual(await curveColour(page, 375), B, name);
    }
    assert.equal(await (await control(page, 'Form1', 'Command1')).evaluate((e) => e.disabled), false);
    await page.close();

    const english = await open(browser, { language: 'en-US' });
    await choose(english.page, 'Form1', 'List1', 2);
    assert.equal(await labelText(english.page, 'Form1', 'Label6'), '703.8');
    await english.page.close();
  });

  // The diagram at each step, outside the labels, is the desktop's pixel for pixel in three
  // engines (engines.test.mjs); here what is said of it, and the labels' ink.
  it('walks the nine steps: what each says and shows in its labels, then the end', async () => {
    const { page, requests } = await open(browser);
    await choose(page, 'Form1', 'List1', 3); // Uran 238
    assert.match((await accessibility(page)).live, /^Uran 238: Zerfallsfrist 4468 Millionen Jahre\./);
    const halfLifeWords = {
      4: 'die erste Zerfallsfrist: zwischen 0 und 4468 Millionen Jahren sinkt der Anteil von 100% auf 50%',
      5: 'die zweite Zerfallsfrist: zwischen 4468 und 8936 Millionen Jahren sinkt der Anteil von 50% auf 25%',
      6: 'die dritte Zerfallsfrist: zwischen 8936 und 13404 Millionen Jahren sinkt der Anteil von 25% auf 12,5%',
      7: 'die vierte Zerfallsfrist: zwischen 13404 und 17872 Millionen Jahren sinkt der Anteil von 12,5% auf 6,25%',
    };
    const weiter = await control(page, 'Form1', 'Command1');
    for (let presses = 0; presses <= 8; ++presses) {
      if (presses > 0)
        await press(page, 'Form1', 'Command1');
      const tree = await accessibility(page);
      const diagram = tree.nodes.find((n) => n.role === 'image').name;
      if (halfLifeWords[presses]) {
        assert.ok(diagram.includes('Rot hervorgehoben ist ' + halfLifeWords[presses]), diagram);
        assert.equal(tree.live, 'Rot hervorgehoben ist ' + halfLifeWords[presses] + '.');
      }
      // The explanatory texts appear with presses 1 to 3, to the eye and to a screen reader.
      for (const [label, from] of [['Label17', 1], ['Label18', 2], ['Label19', 3]]) {
        const text = await labelText(page, 'Form1', label);
        assert.equal(text !== null, presses >= from, `${label} after ${presses}`);
        assert.equal((await inkIn(page, 'Form1', label, [0, 0, 0])) > 0, presses >= from);
        if (presses >= from)
          assert.ok(tree.nodes.some((n) => n.role === 'StaticText' && n.name === text));
        if (presses === from)
          assert.equal(tree.live.startsWith(text), true, `announced after ${presses}`);
      }
      if (presses === 3)
        assert.ok(tree.live.endsWith(' Gepunktete Hilfslinien markieren jetzt die ersten fünf ' +
                                     'Zerfallsfristen, und die Anteile 25%, 12,5% und 6,25% sind beschriftet.'));
      // The drawing comes after the window's controls, as on the desktop.
      const inWindow = tree.nodes.filter((n) => n.role !== 'RootWebArea' && !n.inStatus);
      assert.equal(inWindow.at(-1).role, 'image', `drawing last after ${presses}`);
      // The first half-life's share, 50%, in red while it is highlighted.
      assert.equal((await inkIn(page, 'Form1', 'Label5', R)) > 0, presses === 4);
    }
    assert.equal(await weiter.evaluate((e) => e.textContent), 'Ende');
    assert.equal((await accessibility(page)).live,
                 'Die Hervorhebung ist aufgehoben; die vier Zerfallsfristen sind blau nachgezeichnet. ' +
                 'Die Schaltfläche heißt jetzt „Ende“: Der nächste Druck beendet das Programm.');

    // The ninth press ends the program: both windows leave, a notice stays.
    await weiter.click();
    await nextFrame(page);
    assert.equal(await page.$('#Form1'), null);
    assert.equal(await page.$eval('#zf-ended', (e) => e.hidden), false);
    assert.match(await page.$eval('#zf-ended', (e) => e.textContent), /Das Programm ist beendet/);
    // No handler runs after the end, even for a click on a button that was removed.
    await weiter.evaluate((e) => e.click());
    await nextFrame(page);
    assert.equal(await page.$('#Form1'), null);
    assert.deepEqual(outsideRequests(requests), []);
    await page.close();
  });

  it('redraws the curve for a new isotope mid-lesson and for a click on the chosen one', async () => {
    const { page } = await open(browser);
    await choose(page, 'Form1', 'List1', 3);
    // The same words said twice change the live region all the same, so they are heard twice.
    const announced = () => page.$eval('#zf-announcer', (e) => e.textContent);
    const first = await announced();
    await choose(page, 'Form1', 'List1', 3);
    const second = await announced();
    assert.notEqual(second, first);
    assert.equal(second.trim(), first.trim());
    for (let i = 0; i < 5; ++i)
      await press(page, 'Form1', 'Command1');
    assert.deepEqual(await curveColour(page, 375), R);
    await choose(page, 'Form1', 'List1', 3); // the entry already chosen: Click all the same
    assert.deepEqual(await curveColour(page, 375), B);
    // The user cannot clear the choice.
    await page.keyboard.down('Control');
    await choose(page, 'Form1', 'List1', 3);
    await page.keyboard.up('Control');
    assert.equal(await page.$eval('#Form1 [data-name="List1"] [aria-selected="true"]', (e) => e.textContent), 'Uran 238');
    await choose(page, 'Form1', 'List1', 0); // Kalium 40
    assert.equal(await labelText(page, 'Form1', 'Label6'), '1280');
    assert.deepEqual(await curveColour(page, 125), B);
    await press(page, 'Form1', 'Command1'); // the lesson goes on at press 6
    assert.deepEqual([await curveColour(page, 500), await curveColour(page, 625)], [R, R]);
    assert.equal(await labelText(page, 'Form1', 'Label8'), '3840');
    await page.close();
  });
});

describe('excursion', () => {
  it('shows the comparison, draws five curves, and returns to the lesson where it was', async () => {
    const { page, requests } = await open(browser);
    await choose(page, 'Form1', 'List1', 3);
    for (let i = 0; i < 5; ++i)
      await press(page, 'Form1', 'Command1');
    await press(page, 'Form1', 'Command2');
    assert.equal(await page.$eval('#Form1', (e) => e.hidden), true);
    assert.equal(await page.title(), 'Der radioaktive Zerfall ausgewählter Isotope im Vergleich');
    // The window switched to is named, as it is on the desktop.
    assert.equal((await accessibility(page)).live,
                 'Der radioaktive Zerfall ausgewählter Isotope im Vergleich');
    assert.ok((await accessibility(page)).nodes.some((n) =>
      n.role === 'application' && n.name === 'Der radioaktive Zerfall ausgewählter Isotope im Vergleich'));
    assert.deepEqual(await page.$eval('#Form2', (e) => [e.offsetWidth, e.offsetHeight]), [921, 741]);
    assert.equal(await page.evaluate(() => document.activeElement.textContent), 'Start');
    assert.equal(await labelText(page, 'Form2', 'Label1'), null); // the legend waits for Start

    await press(page, 'Form2', 'Command1');
    // Each isotope's curve where it runs apart from the others, as the comparison computes it.
    const curves = [
      ['Label1', 'Cs-137 (Cäsium -137)', 30.0, 100, [255, 128, 128]],
      ['Label2', 'Am-241 (Americium -241)', 432.2, 2000, [0, 0, 192]],
      ['Label3', 'Ra-226 (Radium -226)', 1600.0, 2000, [255, 0, 0]],
      ['Label4', 'C-14 (Kohlenstoff -14)', 5730.0, 2000, [192, 64, 0]],
      ['Label5', 'Pu-239 (Plutonium -239)', 24110.0, 2000, [255, 0, 255]],
    ];
    let shot = await grab(page, 'Form2');
    for (const [label, text, halfLife, years, colour] of curves) {
      const y = Math.fround(10000 * Math.pow(0.5, years / Math.fround(halfLife)));
      assert.deepEqual(shot.at(...pixelOf('Form2', years, y)), colour, text);
      assert.equal(await labelText(page, 'Form2', label), text);
    }
    assert.equal((await accessibility(page)).live,
                 'Fünf Zerfallskurven sind gezeichnet. Die Legende, von der kürzesten zur längsten ' +
                 'Zerfallsfrist: Cs-137 (Cäsium -137) in Hellrot, Am-241 (Americium -241) in ' +
                 'Dunkelblau, Ra-226 (Radium -226) in Rot, C-14 (Kohlenstoff -14) in Dunkelorange, ' +
                 'Pu-239 (Plutonium -239) in Magenta.');

    await press(page, 'Form2', 'Command2'); // Zurück
    assert.equal(await page.$eval('#Form2', (e) => e.hidden), true);
    assert.equal(await page.title(), 'Die Zerfallsfrist');
    assert.equal((await accessibility(page)).live,
                 'Zurück im Fenster „Die Zerfallsfrist“, nach Schritt 5 von 9.');
    assert.deepEqual(await curveColour(page, 375), R); // as it was left
    await press(page, 'Form1', 'Command1');
    assert.deepEqual(await curveColour(page, 625), R); // press 6

    // Back once more: the curves stayed, the legend waits for the next Start.
    await press(page, 'Form1', 'Command2');
    assert.equal(await labelText(page, 'Form2', 'Label1'), null);
    shot = await grab(page, 'Form2');
    assert.deepEqual(shot.at(...pixelOf('Form2', 2000, Math.fround(10000 * Math.pow(0.5, 2000 / 1600)))),
                     [255, 0, 0]);
    assert.deepEqual(outsideRequests(requests), []);
    await page.close();
  });
});

describe('error', () => {
  it('reports a run-time error in a modal dialog, then ends the program', async () => {
    const { page, errors } = await open(browser);
    await page.evaluate(() => window.zerfallsfrist.failCall(1)); // the list's ListIndex fails
    await choose(page, 'Form1', 'List1', 1);
    const dialog = await page.$('dialog');
    assert.ok(dialog, 'the report is shown');
    assert.equal(await dialog.evaluate((e) => e.open && e.matches(':modal')), true);
    const text = await dialog.evaluate((e) => e.textContent);
    assert.match(text, /Das Fenster konnte eine Anweisung des Programms nicht ausführen\./);
    assert.match(text, /Das Programm wird jetzt beendet\./);
    // Behind the report the window stays as the handler left it.
    assert.equal(await page.$eval('#Form1', (e) => e.hidden), false);
    assert.equal(await page.$eval('#zf-ended', (e) => e.hidden), true);
    await page.keyboard.press('Enter'); // OK
    await nextFrame(page);
    assert.equal(await page.$('dialog'), null);
    assert.equal(await page.$('#Form1'), null);
    assert.equal(await page.$eval('#zf-ended', (e) => e.hidden), false);
    assert.deepEqual(errors, []);
    await page.close();
  });
});
