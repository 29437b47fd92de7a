// Visits every page of a generated site that can be reached from its entry pages, in a real
// browser, and gathers what a visitor meets on each: links, pictures, banner places, script
// errors. Files that a page refers to but that are missing or outside the site are reported.
'use strict';

const fs = require('fs');
const path = require('path');
const { byteString, exists, fileUrl, fileOf } = require('./files');

// Runs inside the page.
function describePage() {
  const text = (el) => el.textContent.replace(/\u00a0/g, ' ').replace(/\s+/g, ' ').trim();
  const anchors = [...document.querySelectorAll('a[href]')].map((a) => {
    const img = a.querySelector('img');
    return { href: a.href, raw: a.getAttribute('href'), text: text(a), id: a.id,
             img: img ? img.src : null };
  });
  const images = [...document.images].map((img) => ({
    src: img.src, raw: img.getAttribute('src'), complete: img.complete,
    naturalWidth: img.naturalWidth, naturalHeight: img.naturalHeight,
    width: img.getAttribute('width'), height: img.getAttribute('height'),
    shownWidth: img.offsetWidth, shownHeight: img.offsetHeight,
  }));
  const scripts = [...document.querySelectorAll('script[src]')].map((s) => s.src);
  const backgrounds = [...document.querySelectorAll('[background]')].map(
      (el) => new URL(el.getAttribute('background'), document.baseURI).href);
  // Labels that stand in FONT elements outside any link: the current page's button.
  const unlinked = [...document.querySelectorAll('font')].filter((f) => !f.closest('a')).map(text);
  const slots = [...document.querySelectorAll('[data-bank]')].map((slot) => {
    const copy = slot.cloneNode(true);
    copy.querySelectorAll('script').forEach((s) => s.remove());
    const banners = [...copy.querySelectorAll('[title]')];
    const shown = banners.map((b) => ({ title: b.getAttribute('title'), text: text(b) }));
    banners.forEach((b) => b.remove());
    return { bank: slot.getAttribute('data-bank'), banners: shown, rest: text(copy) };
  });
  // Thumbnail cells with the caption under the thumbnail, the names under pictures, and what
  // could run: event handler attributes and script elements.
  const cells = [...document.querySelectorAll('td')]
      .filter((td) => td.querySelector(':scope > a > img'))
      .map((td) => ({ href: td.querySelector('a').href,
                      caption: td.querySelector('font') ? text(td.querySelector('font')) : null }));
  const bold = [...document.querySelectorAll('b > font')].map(text);
  const handlers = [...document.querySelectorAll('*')].flatMap(
      (el) => [...el.attributes].filter((a) => /^on/i.test(a.name))
                                .map((a) => `${el.tagName} ${a.name}="${a.value}"`));
  return { title: document.title, anchors, images, scripts, backgrounds, unlinked, slots, cells,
           bold, handlers, scriptElements: document.scripts.length,
           charset: document.characterSet, text: document.body ? document.body.innerText : '' };
}

// Whether a URL names a file of this machine (the credit line links to the maker's site).
function isLocal(url) {
  return url.startsWith('file:');
}

class SiteCrawl {
  constructor(site, problems) {
    this.site = site;
    this.root = byteString(fs.realpathSync(site.site));
    this.problems = problems;
    this.pages = new Map();  // file name inside the site folder (bytes) -> page description
  }

  urlOf(name) {
    return fileUrl(path.join(this.root, name));
  }

  // A referenced file must exist and lie in the site folder, so that the site can be copied
  // to a web server as it is.
  checkTarget(from, kind, url) {
    if (!isLocal(url)) return null;
    const file = fileOf(url);
    const inside = file.startsWith(this.root + path.sep);
    if (!inside) this.problems.push(`${from}: ${kind} ${url} points outside the site folder`);
    else if (!exists(file)) this.problems.push(`${from}: ${kind} ${url} is missing`);
    else return path.relative(this.root, file);
    return null;
  }

  async run(page, entries) {
    const errors = [];
    const onConsole = (m) => { if (m.type() === 'error') errors.push(m.text()); };
    const onError = (e) => errors.push(`${e.message}`);
    // A dialog means a script ran that no page of ours holds.
    const onDialog = (d) => {
      errors.push(`a script opened the dialog "${d.message()}"`);
      d.dismiss().catch(() => {});
    };
    page.on('console', onConsole);
    page.on('pageerror', onError);
    page.on('dialog', onDialog);
    const queue = [...entries];
    const seen = new Set(queue);
    try {
      while (queue.length) {
        const name = queue.shift();
        errors.length = 0;
        await page.goto(this.urlOf(name), { waitUntil: 'load' });
        const d = await page.evaluate(describePage);
        d.name = name;
        d.errors = [...errors];
        this.pages.set(name, d);
        for (const e of d.errors) this.problems.push(`${name}: script or load error: ${e}`);
        for (const a of d.anchors) {
          const target = this.checkTarget(name, 'link', a.href);
          a.target = target;
          if (target && /\.html?$/i.test(target) && !seen.has(target)) {
            seen.add(target);
            queue.push(target);
          }
        }
        for (const img of d.images) img.file = this.checkTarget(name, 'picture', img.src);
        for (const s of d.scripts) this.checkTarget(name, 'script', s);
        for (const b of d.backgrounds) this.checkTarget(name, 'background', b);
      }
    } finally {
      page.off('console', onConsole);
      page.off('pageerror', onError);
      page.off('dialog', onDialog);
    }
    return this.pages;
  }
}

// Every picture must load; the sizes a page gives it must be the ones the browser shows, and,
// where both are given, the picture's own (the generator measures each file it refers to).
function checkPictures(pages, problems) {
  for (const d of pages.values()) {
    for (const img of d.images) {
      const where = `${d.name}: picture ${img.raw}`;
      if (!img.complete || img.naturalWidth === 0) {
        problems.push(`${where} does not load`);
        continue;
      }
      if (img.width !== null && Number(img.width) !== img.shownWidth)
        problems.push(`${where} is shown ${img.shownWidth} wide, not ${img.width}`);
      if (img.height !== null && Number(img.height) !== img.shownHeight)
        problems.push(`${where} is shown ${img.shownHeight} high, not ${img.height}`);
      if (img.width !== null && img.height !== null &&
          (Number(img.width) !== img.naturalWidth || Number(img.height) !== img.naturalHeight)) {
        problems.push(`${where} is ${img.naturalWidth} x ${img.naturalHeight} but the page says ` +
                      `${img.width} x ${img.height}`);
      }
      if (img.height !== null && img.width === null) {
        // Only a height: the browser keeps the aspect ratio.
        const expected = img.naturalWidth * Number(img.height) / img.naturalHeight;
        if (Math.abs(expected - img.shownWidth) > 1)
          problems.push(`${where} is shown ${img.shownWidth} wide, not about ${expected}`);
      }
    }
  }
}

module.exports = { SiteCrawl, checkPictures };
