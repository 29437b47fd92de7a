// The checks of the Responsive layout: pages fit a 320-pixel phone, the arrow keys and Escape
// move between pages, the double thumbnail is chosen on a screen of device scale 2, every
// picture a srcset offers exists, axe-core finds no violation and the Nu Html Checker no
// error. Checkers that are not installed are skipped with a note.
'use strict';

const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { pathToFileURL } = require('url');

function optional(name) {
  try {
    return require.resolve(name);
  } catch {
    return null;
  }
}

function url(site, name) {
  return pathToFileURL(path.join(site.site, name)).href;
}

function htmlFiles(site) {
  return fs.readdirSync(site.site).filter((n) => n.endsWith('.html')).sort();
}

// Loads every lazy picture too, so that what the page offers can be measured.
async function openWhole(page, site, name) {
  await page.goto(url(site, name), { waitUntil: 'load' });
  await page.evaluate(async () => {
    const images = [...document.images];
    images.forEach((img) => { img.loading = 'eager'; });
    await Promise.all(images.map((img) => img.decode().catch(() => {})));
  });
}

async function checkNarrow(browser, site, problems) {
  const context = await browser.newContext({ viewport: { width: 320, height: 640 } });
  const page = await context.newPage();
  try {
    for (const name of htmlFiles(site)) {
      await openWhole(page, site, name);
      const wide = await page.evaluate(() => document.documentElement.scrollWidth);
      if (wide > 320) problems.push(`${name}: ${wide} pixels wide on a 320-pixel screen`);
    }
  } finally {
    await context.close();
  }
}

// Every picture loads, at the aspect ratio its width and height give, and every candidate of
// its srcset is a file of the site.
async function checkPictureFiles(page, site, problems) {
  for (const name of htmlFiles(site)) {
    await openWhole(page, site, name);
    const images = await page.evaluate(() => [...document.images].map((img) => ({
      src: img.getAttribute('src'), srcset: img.getAttribute('srcset') || '',
      natural: [img.naturalWidth, img.naturalHeight], complete: img.complete,
      given: [Number(img.getAttribute('width')), Number(img.getAttribute('height'))],
      alt: img.getAttribute('alt'),
    })));
    for (const img of images) {
      const where = `${name}: picture ${img.src}`;
      if (!img.complete || img.natural[0] === 0) problems.push(`${where} does not load`);
      if (img.alt === null) problems.push(`${where} has no alt text`);
      const [w, h] = img.given, [nw, nh] = img.natural;
      if (w && h && nw && Math.abs(w / h - nw / nh) > 0.02)
        problems.push(`${where} is ${nw} x ${nh}, the page says ${w} x ${h}`);
      for (const candidate of img.srcset.split(/,\s+/).map((s) => s.trim().split(/\s+/)[0])) {
        if (!candidate) continue;
        const file = path.join(site.site, decodeURIComponent(candidate));
        if (!fs.existsSync(file)) problems.push(`${name}: srcset names missing ${candidate}`);
      }
    }
  }
}

// The first image page: Right, Left, Escape; and on gallery page 1, Right goes to page 2.
async function checkKeys(page, site, problems) {
  const here = () => decodeURIComponent(page.url().split('/').pop());
  await page.goto(url(site, 'Gallery1.html'), { waitUntil: 'load' });
  const first = await page.locator('.grid a').first().getAttribute('href');
  const second = await page.locator('.grid a').nth(1).getAttribute('href');
  const press = async (key, expected) => {
    const from = here();
    await page.keyboard.press(key);
    try {
      await page.waitForURL(url(site, decodeURIComponent(expected)), { timeout: 5000 });
    } catch {
      problems.push(`${from}: ${key} led to ${here()}, not ${expected}`);
    }
  };
  await press('ArrowRight', 'Gallery2.html');
  await press('ArrowLeft', 'Gallery1.html');
  await page.goto(url(site, decodeURIComponent(first)), { waitUntil: 'load' });
  await press('ArrowRight', second);
  await press('ArrowLeft', first);
  await press('Escape', 'Gallery1.html');
}

async function checkDoubleThumbnails(browser, site, problems) {
  const context = await browser.newContext({ viewport: { width: 1000, height: 760 },
                                             deviceScaleFactor: 2 });
  const page = await context.newPage();
  try {
    await openWhole(page, site, 'Gallery1.html');
    const chosen = await page.evaluate(() => [...document.querySelectorAll('.grid img')].map(
        (img) => decodeURIComponent(img.currentSrc.split('/').pop())));
    if (chosen.length === 0) problems.push('Gallery1.html shows no thumbnail');
    for (const c of chosen)
      if (!c.endsWith('@2x.jpg')) problems.push(`at device scale 2 the browser chose ${c}`);
  } finally {
    await context.close();
  }
}

async function checkAxe(page, site, problems, notes) {
  const axe = optional('axe-core/axe.min.js');
  if (!axe) return notes.push('axe-core is not installed: accessibility check skipped');
  for (const name of htmlFiles(site)) {
    await openWhole(page, site, name);
    await page.addScriptTag({ path: axe });
    const violations = await page.evaluate(async () => (await window.axe.run()).violations);
    for (const v of violations)
      problems.push(`${name}: axe ${v.id} (${v.impact}): ${v.nodes.length} element(s), ` +
                    `${v.nodes[0] ? v.nodes[0].html.slice(0, 100) : ''}`);
  }
}

function checkMarkup(site, problems, notes) {
  const jar = optional('vnu-jar');
  const java = spawnSync('java', ['-version']);
  if (!jar || java.error || java.status !== 0)
    return notes.push('the Nu Html Checker (vnu-jar and Java) is not installed: skipped');
  const vnu = path.join(path.dirname(jar), 'build', 'dist', 'vnu.jar');
  const files = [...htmlFiles(site), 'framewright.css'].map((n) => path.join(site.site, n));
  const r = spawnSync('java', ['-jar', vnu, '--errors-only', '--also-check-css', '--format', 'json',
                                       ...files],
                      { encoding: 'utf8', maxBuffer: 1 << 26 });
  let messages;
  try {
    messages = JSON.parse(r.stderr || r.stdout).messages;
  } catch {
    return problems.push(`the Nu Html Checker did not answer: ${r.stderr.slice(0, 300)}`);
  }
  for (const m of messages)
    problems.push(`${path.basename(m.url || '')}:${m.lastLine || ''}: ${m.message}`);
}

// Phone and desktop pictures of a gallery page and an image page.
async function shootSizes(browser, site, folder) {
  fs.mkdirSync(folder, { recursive: true });
  const sizes = [['phone', 390, 844], ['desktop', 1440, 900]];
  for (const [label, width, height] of sizes) {
    const context = await browser.newContext({ viewport: { width, height } });
    const page = await context.newPage();
    try {
      for (const [what, name] of [['gallery', 'Gallery1.html'], ['image', site.shotImage]]) {
        await openWhole(page, site, name);
        await page.screenshot({ path: path.join(folder, `responsive-${what}-${label}.png`) });
      }
    } finally {
      await context.close();
    }
  }
}

module.exports = { checkNarrow, checkPictureFiles, checkKeys, checkDoubleThumbnails, checkAxe,
                   checkMarkup, shootSizes };
