// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The README's picture of the web edition, mid-lesson, as Chromium shows it:
//     node tests/web/readme-shot.mjs docs/web-lesson.png
import { choose, launch, open, press } from './page.mjs';

const browser = await launch();
try {
  const { page } = await open(browser);
  await page.setViewport({ width: 990, height: 690, deviceScaleFactor: 1 });
  await choose(page, 'Form1', 'List1', 3);
  for (let i = 0; i < 5; ++i)
    await press(page, 'Form1', 'Command1');
  await page.screenshot({ path: process.argv[2] ?? 'web-lesson.png' });
} finally {
  await browser.close();
}
