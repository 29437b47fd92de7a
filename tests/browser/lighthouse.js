// Lighthouse on the demo gallery with the Responsive layout, served over HTTP from its site
// folder: a gallery page and an image page at phone and desktop sizes must score at least 95
// for performance, accessibility and best practices.
//
//   FW_CLI=build/framewright-cli FW_BROWSER_OUT=build/browser-out node lighthouse.js
//
// Skips with a note when Lighthouse is not installed. Exits 1 when a score falls short.
'use strict';

const fs = require('fs');
const http = require('http');
const path = require('path');
const { spawnSync } = require('child_process');

const kCategories = ['performance', 'accessibility', 'best-practices'];
const kLeast = 0.95;
const kTypes = { '.html': 'text/html; charset=utf-8', '.css': 'text/css', '.js': 'text/javascript',
                 '.jpg': 'image/jpeg', '.png': 'image/png' };

function serve(root) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(root, name === '/' ? 'index.html' : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file)) {
      res.writeHead(404);
      return res.end();
    }
    res.writeHead(200, { 'Content-Type': kTypes[path.extname(file).toLowerCase()] ||
                                         'application/octet-stream',
                         'Cache-Control': 'max-age=31536000' });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

async function main() {
  let lighthouse, launcher;
  try {
    lighthouse = (await import('lighthouse')).default;
    launcher = await import('chrome-launcher');
  } catch {
    console.log('lighthouse: skipped, Lighthouse is not installed');
    return 0;
  }
  const out = path.resolve(process.env.FW_BROWSER_OUT || 'browser-out', 'lighthouse');
  fs.rmSync(out, { recursive: true, force: true });
  const r = spawnSync(path.resolve(process.env.FW_CLI || 'framewright-cli'),
                      ['demo', out, '--responsive'], { encoding: 'utf8' });
  if (r.status !== 0) throw new Error(`demo --responsive failed: ${r.stderr}`);
  const root = fs.realpathSync(path.join(out, 'site'));
  const server = await serve(root);
  const base = `http://127.0.0.1:${server.address().port}/`;
  const chrome = await launcher.launch({
    chromePath: process.env.CHROMIUM || '/usr/bin/chromium',
    chromeFlags: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run'],
  });
  let failed = 0;
  try {
    for (const page of ['Gallery1.html', 'harbour_at_dawn.html']) {
      for (const formFactor of ['mobile', 'desktop']) {
        const config = formFactor === 'desktop'
            ? (await import('lighthouse/core/config/desktop-config.js')).default : undefined;
        const result = await lighthouse(base + page, { port: chrome.port, output: 'json',
                                                        onlyCategories: kCategories,
                                                        logLevel: 'error' }, config);
        const scores = kCategories.map((c) => [c, result.lhr.categories[c].score]);
        const low = scores.filter(([, s]) => s === null || s < kLeast);
        failed += low.length;
        console.log(`${low.length ? 'FAIL' : 'ok  '}  lighthouse ${page} ${formFactor}: ` +
                    scores.map(([c, s]) => `${c} ${Math.round(s * 100)}`).join(', '));
        fs.writeFileSync(path.join(out, `${path.basename(page, '.html')}-${formFactor}.json`),
                         result.report);
      }
    }
  } finally {
    await chrome.kill();
    server.close();
  }
  return failed ? 1 : 0;
}

main().then((code) => process.exit(code), (e) => {
  console.log(`FAIL  lighthouse: ${e.stack || e}`);
  process.exit(1);
});
