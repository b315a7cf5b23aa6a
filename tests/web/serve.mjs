// SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The built page as a school's server or a learning platform would serve it: over loopback
// HTTP on a port of its own, with the Content-Security-Policy header a test asks for
// (`/?csp=…`), and a host page that holds it in a frame, by default far below the fold
// (`/guest?offset=…`).

import fs from 'node:fs';
import http from 'node:http';
import { pagePath } from './page.mjs';

export const guestOffset = 2667; // [px] from the host page's top to the frame

const hostPage = (offset) => `<!DOCTYPE html>
<html lang="de"><head><meta charset="utf-8"><title>Lernplattform</title></head>
<body style="margin:0">
<button id="host-search">Suchen</button>
<div style="height:${offset}px">Kursseite</div>
<iframe id="guest" src="/" width="1000" height="800" style="display:block;border:0"></iframe>
</body></html>`;

// Serves until `close()`; the page is read once, as it was built.
export async function serve() {
  const page = fs.readFileSync(pagePath);
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const headers = { 'Content-Type': 'text/html; charset=utf-8', 'Cache-Control': 'no-store' };
    if (url.pathname === '/guest') {
      response.writeHead(200, headers);
      response.end(hostPage(Number(url.searchParams.get('offset') ?? guestOffset)));
    } else if (url.pathname === '/') {
      if (url.searchParams.has('csp'))
        headers['Content-Security-Policy'] = url.searchParams.get('csp');
      response.writeHead(200, headers);
      response.end(page);
    } else {
      response.writeHead(404, headers);
      response.end();
    }
  });
  server.requestTimeout = 10000;
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    origin,
    url: (csp) => (csp === undefined ? `${origin}/` : `${origin}/?csp=${encodeURIComponent(csp)}`),
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}
