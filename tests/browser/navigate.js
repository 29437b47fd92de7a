// A visitor's walk through a site by clicking: index cells, page buttons, thumbnails and the
// Previous / Back to gallery / Next links; and the banner script's choice over many visits.
'use strict';

const fs = require('fs');
const path = require('path');
const { naming } = require('./site_checks');
const { byteString, baseOf, fileUrl, fileOf } = require('./files');

class Walk {
  constructor(page, site, problems) {
    this.page = page;
    this.root = byteString(fs.realpathSync(site.site));
    this.thumbsDir = naming(site).thumbsDir;
    this.problems = problems;
  }

  url(name) {
    return fileUrl(path.join(this.root, name));
  }

  here() {
    return baseOf(this.page.url());
  }

  async open(name) {
    await this.page.goto(this.url(name), { waitUntil: 'load' });
  }

  // Clicks the first element the locator finds and expects to land on the page named.
  async click(locator, what, expected) {
    const from = this.here();
    if (!expected) {
      this.problems.push(`${from}: ${what} leads to a missing file`);
      return false;
    }
    if ((await locator.count()) === 0) {
      this.problems.push(`${from}: there is no ${what} to click`);
      return false;
    }
    await locator.first().click();
    try {
      const want = fileOf(this.url(expected));
      await this.page.waitForURL((url) => fileOf(url.href) === want, { timeout: 5000 });
      return true;
    } catch {
      this.problems.push(`${from}: ${what} led to ${this.here()}, not ${expected}`);
      return false;
    }
  }

  link(text) {
    return this.page.getByRole('link', { name: text, exact: true });
  }

  thumbnail(n) {
    return this.page.locator(`a:has(img[src*="${this.thumbsDir}/"])`).nth(n);
  }

  pageButton(prefix, n) {
    return this.page.locator('a', { hasText: new RegExp(`^\\s*${prefix}${n}\\s*$`) });
  }
}

// A gallery of one page: its thumbnails lead to image pages or straight to the pictures.
async function walkSinglePage(w, site, seq, shoot) {
  await w.open(site.entry);
  if (!(await w.click(w.page.locator('a:has(img)'), 'the index cell', 'Gallery.html'))) return;
  if (shoot) await shoot('gallery');
  if (!(await w.click(w.thumbnail(0), 'the first thumbnail', seq[0].target))) return;
  if (naming(site).imageShell) await w.click(w.link('Back to gallery'), 'Back', 'Gallery.html');
}

// seq is the thumbnail order the crawl found.
async function walkFixedSite(page, site, seq, problems, shoot) {
  const w = new Walk(page, site, problems);
  if (site.pages === 1) return walkSinglePage(w, site, seq, shoot);
  const onFirst = seq.filter((s) => s.gallery === 'Gallery1.html').length;
  const first2 = seq[onFirst], last1 = seq[onFirst - 1];
  if (!first2) return problems.push('a walk needs two gallery pages');
  await w.open(site.entry);
  if (shoot) await shoot('index');
  const steps = [
    [page.locator('a:has(img)'), 'the first index cell', 'Gallery1.html'],
    [w.pageButton(site.pagePrefix, 2), 'page button 2', 'Gallery2.html'],
    [w.thumbnail(0), 'the first thumbnail', first2.target],
    [w.link('Previous'), 'Previous', last1.target],
    [w.link('Back to gallery'), 'Back to gallery', 'Gallery1.html'],
    [w.thumbnail(onFirst - 1), 'the last thumbnail', last1.target],
    [w.link('Next'), 'Next', first2.target],
    [w.link('Back to gallery'), 'Back to gallery', 'Gallery2.html'],
    [w.pageButton(site.pagePrefix, 1), 'page button 1', 'Gallery1.html'],
    [w.link('Index Page'), 'the index link', site.entry],
  ];
  for (const [locator, what, expected] of steps) {
    if (!(await w.click(locator, what, expected))) return;
    if (shoot && what === 'page button 2') await shoot('gallery');
    if (shoot && what === 'the first thumbnail') await shoot('image');
  }
  await page.goBack();
  if (w.here() !== 'Gallery1.html') problems.push(`going back lands on ${w.here()}`);
}

// The Custom image pages wrap around: Previous on the first picture leads to the last.
async function walkCustomSite(page, site, seq, problems, shoot) {
  const w = new Walk(page, site, problems);
  const last = seq[seq.length - 1];
  await w.open('Gallery1.html');
  if (shoot) await shoot('gallery');
  const steps = [
    [w.thumbnail(0), 'the first thumbnail', seq[0].target],
    [page.locator('#prev'), 'Previous', last.target],
    [page.locator('#gallery'), 'Gallery', last.gallery],
    [w.link('First page'), 'the link to page 1', 'Gallery1.html'],
    [w.thumbnail(1), 'the second thumbnail', seq[1].target],
    [page.locator('#next'), 'Next', seq[2].target],
  ];
  for (const [locator, what, expected] of steps)
    if (!(await w.click(locator, what, expected))) return;
  if (shoot) await shoot('image');
}

// Each visit picks a banner at random: over enough visits every banner of a bank turns up.
async function bannerChoices(page, site, name, problems) {
  const w = new Walk(page, site, problems);
  const seen = {};
  for (const bank of Object.keys(site.banks)) seen[bank] = new Set();
  const complete = () =>
    Object.entries(site.banks).every(([bank, b]) => seen[bank].size === Object.keys(b).length);
  for (let visit = 0; visit < 80 && !complete(); visit++) {
    await w.open(name);
    const shown = await page.$$eval('[data-bank] [title]', (els) =>
        els.map((e) => [e.closest('[data-bank]').getAttribute('data-bank'), e.title]));
    for (const [bank, title] of shown) if (seen[bank]) seen[bank].add(title);
  }
  for (const [bank, b] of Object.entries(site.banks)) {
    const missing = Object.keys(b).filter((t) => !seen[bank].has(t));
    if (missing.length) problems.push(`${name}: ${bank} never showed [${missing}] in 80 visits`);
  }
}

module.exports = { walkFixedSite, walkCustomSite, bannerChoices };
