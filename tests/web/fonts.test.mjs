// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's three faces are cut down to the characters the program can show. Every character
// it shows must still be in each face: the texts written in the windows', the handlers' and the
// error reports' sources, and everything the page puts on screen in a whole lesson, the
// excursion, an error report and the end, in German and in English number format.

import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { after, before, describe, it } from 'node:test';
import { choose, launch, nextFrame, open, pagePath, press } from './page.mjs';

const root = path.join(path.dirname(fileURLToPath(import.meta.url)), '../..');

// Each embedded face's characters, read with fontTools from the page's data: URLs.
function facesOfPage() {
  const html = fs.readFileSync(pagePath, 'utf8');
  const faces = [...html.matchAll(/@font-face \{([^}]*)\}/g)].map((m) => ({
    name: `${m[1].match(/font-weight: (\w+)/)[1]} ${m[1].match(/font-style: (\w+)/)[1]}`,
    data: Buffer.from(m[1].match(/base64,([A-Za-z0-9+/=]+)/)[1], 'base64'),
  }));
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'zf-fonts-'));
  try {
    return faces.map(({ name, data }) => {
      const file = path.join(folder, 'face.woff2');
      fs.writeFileSync(file, data);
      const codes = execFileSync('/usr/bin/python3', ['-c',
        'import sys; from fontTools.ttLib import TTFont; ' +
        'print(" ".join(map(str, TTFont(sys.argv[1]).getBestCmap())))', file], { encoding: 'utf8' });
      return { name, characters: new Set(codes.trim().split(' ').map(Number)) };
    });
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

function missing(faces, text, where) {
  const lacking = [];
  for (const { name, characters } of faces)
    for (const c of new Set(text.replace(/\s/g, '')))
      if (!characters.has(c.codePointAt(0)))
        lacking.push(`${name} lacks “${c}” (U+${c.codePointAt(0).toString(16).toUpperCase()}) of ${where}`);
  return lacking;
}

// The string literals of the C++ sources in a folder, with their escapes undone.
function literalsIn(folder) {
  const texts = [];
  for (const file of fs.readdirSync(path.join(root, folder)).filter((f) => /\.(cpp|h)$/.test(f))) {
    const source = fs.readFileSync(path.join(root, folder, file), 'utf8')
      .replace(/^\s*#include.*$/gm, '').replace(/\/\/.*$/gm, '');
    for (const [, body] of source.matchAll(/"((?:[^"\\\n]|\\.)*)"/g))
      texts.push([`${folder}/${file}`, body.replace(/\\(.)/g, '$1')]);
  }
  return texts;
}

let faces;
let browser;
before(async () => {
  faces = facesOfPage();
  browser = await launch();
});
after(async () => { await browser?.close(); });

describe('the cut faces', () => {
  it('are three, and each holds every character of the sources\' texts', () => {
    assert.equal(faces.length, 3);
    const lacking = [];
    for (const folder of ['forms', 'lesson', 'comparison', 'program', 'faces/web'])
      for (const [file, text] of literalsIn(folder))
        lacking.push(...missing(faces, text, file));
    // The page's own texts: its template without its tags.
    const shell = fs.readFileSync(path.join(root, 'web/shell.html.in'), 'utf8').replace(/<[^>]*>/g, ' ');
    lacking.push(...missing(faces, shell, 'web/shell.html.in'));
    assert.deepEqual(lacking, []);
  });

  it('hold everything the page shows in a whole run', async () => {
    const lacking = [];
    const seen = async (page, state) => {
      const text = await page.evaluate(() => `${document.title} ${document.body.innerText}`);
      lacking.push(...missing(faces, text, state));
    };
    for (const language of ['de-DE', 'en-US']) {
      const { page } = await open(browser, { language });
      await seen(page, `the start (${language})`);
      for (const row of [0, 1, 2, 4, 3]) {
        await choose(page, 'Form1', 'List1', row);
        await seen(page, `isotope ${row} (${language})`);
      }
      for (let presses = 1; presses <= 8; ++presses) {
        await press(page, 'Form1', 'Command1');
        await seen(page, `press ${presses} (${language})`);
      }
      await press(page, 'Form1', 'Command2');
      await press(page, 'Form2', 'Command1');
      await seen(page, `the comparison (${language})`);
      await press(page, 'Form2', 'Command2');
      await press(page, 'Form1', 'Command1');
      await seen(page, `the end (${language})`);
      await page.close();
    }
    const { page } = await open(browser);
    await page.evaluate(() => window.zerfallsfrist.failCall(1));
    await choose(page, 'Form1', 'List1', 1);
    assert.ok(await page.$('dialog'), 'the error report is shown');
    await seen(page, 'the error report');
    await nextFrame(page);
    await page.close();
    assert.deepEqual(lacking, []);
  });
});
