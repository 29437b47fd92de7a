// What the pages of a crawled site must offer a visitor: every picture on exactly one gallery
// page, image pages chained in the gallery's order, page buttons, the index page's cells, and
// banner places each showing one banner of their bank.
'use strict';

const fs = require('fs');
const path = require('path');
const { baseOf: base } = require('./files');

const stem = (name) => name.replace(/\.[^.]*$/, '');
const escape = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');

// Folders and thumbnail naming of a site, with the gallery defaults.
function naming(site) {
  const n = { imageDir: 'images', thumbsDir: 'thumbs', thumbPrefix: 'Thumb-', thumbSuffix: false,
              imageShell: true, ...site.naming };
  n.thumbName = (picture) => (n.thumbSuffix ? `${stem(picture)}${n.thumbPrefix}.jpg`
                                            : `${n.thumbPrefix}${stem(picture)}.jpg`);
  n.isThumb = (url) => url.includes(`/${n.thumbsDir}/`);
  n.isPicture = (url) => url.includes(`/${n.imageDir}/`);
  return n;
}

function galleryNames(pages, numberedAlways) {
  if (pages === 1 && !numberedAlways) return ['Gallery.html'];
  return Array.from({ length: pages }, (_, i) => `Gallery${i + 1}.html`);
}

// The thumbnails of the gallery pages in page order: which image page each links to.
function thumbnailSequence(site, pages, names, problems) {
  const seq = [];
  for (const g of names) {
    const d = pages.get(g);
    if (!d) {
      problems.push(`gallery page ${g} is not reached`);
      continue;
    }
    for (const a of d.anchors)
      if (a.img && naming(site).isThumb(a.img))
        seq.push({ gallery: g, target: a.target, thumb: base(a.img) });
  }
  return seq;
}

// A thumbnail is the picture scaled to the thumbnail size on its longest side.
function checkThumbnailSizes(site, pages, names, problems) {
  for (const g of names) {
    for (const img of (pages.get(g) || { images: [] }).images) {
      const longest = Math.max(img.naturalWidth, img.naturalHeight);
      if (naming(site).isThumb(img.src) && img.naturalWidth > 0 && longest !== site.thumbSize)
        problems.push(`${g}: thumbnail ${base(img.src)} is ${longest} on its longest side`);
    }
  }
}

function checkSequence(site, seq, problems) {
  if (seq.length !== site.images)
    problems.push(`the gallery pages show ${seq.length} thumbnails, not ${site.images}`);
  const targets = new Set(seq.map((s) => s.target));
  if (targets.size !== seq.length) problems.push('some picture is on the gallery pages twice');
  const n = naming(site);
  for (const s of seq) {
    if (!s.target) continue;
    // Without image pages a thumbnail links straight to its picture.
    const straight = s.target.startsWith(`${n.imageDir}/`);
    if (straight === n.imageShell || s.thumb !== n.thumbName(path.basename(s.target)))
      problems.push(`${s.gallery}: thumbnail ${s.thumb} links to ${s.target}`);
  }
}

// The picture an image page shows must be the one its name and its thumbnail stand for.
function checkPicture(d, target, selector, problems) {
  const pic = d.images.find(selector);
  if (!pic) problems.push(`${target}: shows no picture`);
  else if (stem(base(pic.src)) !== stem(target))
    problems.push(`${target}: shows ${base(pic.src)}`);
}

function linksNamed(d, text) {
  return [...new Set(d.anchors.filter((a) => a.text === text).map((a) => a.target))];
}

function expectLink(d, text, expected, problems) {
  const found = linksNamed(d, text);
  const want = expected ? [expected] : [];
  if (found.join() !== want.join())
    problems.push(`${d.name}: "${text}" links to [${found}], expected [${want}]`);
}

function checkImagePages(site, pages, seq, problems) {
  seq.forEach((s, k) => {
    const d = pages.get(s.target);
    if (!d) return;
    checkPicture(d, s.target, (img) => naming(site).isPicture(img.src), problems);
    expectLink(d, 'Previous', k > 0 ? seq[k - 1].target : null, problems);
    expectLink(d, 'Next', k + 1 < seq.length ? seq[k + 1].target : null, problems);
    expectLink(d, 'Back to gallery', s.gallery, problems);
  });
}

function checkPageButtons(site, pages, names, problems) {
  const label = new RegExp(`^${escape(site.pagePrefix)}(\\d+)$`);
  names.forEach((g, i) => {
    const d = pages.get(g);
    if (!d) return;
    const linked = new Set();
    for (const a of d.anchors) {
      const m = label.exec(a.text);
      if (!m) continue;
      const number = Number(m[1]);
      linked.add(number);
      if (a.target !== names[number - 1])
        problems.push(`${g}: button ${number} links to ${a.target}, not ${names[number - 1]}`);
    }
    const current = d.unlinked.filter((t) => label.test(t));
    if (names.length === 1) {
      if (linked.size || current.length) problems.push(`${g}: a single page has page buttons`);
    } else {
      names.forEach((other, j) => {
        if (j !== i && !linked.has(j + 1)) problems.push(`${g}: no button links to ${other}`);
      });
      if (linked.has(i + 1)) problems.push(`${g}: the button of the page itself is a link`);
      if (!current.includes(`${site.pagePrefix}${i + 1}`))
        problems.push(`${g}: no button stands for the page itself`);
    }
    expectLink(d, 'Index Page', site.entry, problems);
  });
}

function checkIndexPage(site, pages, names, problems) {
  const d = pages.get(site.entry);
  if (!d) return problems.push(`${site.entry} is not reached`);
  const cells = d.anchors.filter((a) => a.img);
  const targets = cells.map((a) => a.target);
  if (targets.join() !== names.join())
    problems.push(`${site.entry}: cells link to [${targets}], expected [${names}]`);
  for (const cell of cells) {
    const g = pages.get(cell.target);
    if (g && !g.anchors.some((a) => a.img === cell.img))
      problems.push(`${site.entry}: the sample ${base(cell.img)} is not on ${cell.target}`);
  }
  for (const text of [`Total images: ${site.images}`, `Total pages: ${site.pages}`])
    if (!d.text.includes(text)) problems.push(`${site.entry}: "${text}" is not shown`);
}

function checkFixedSite(site, pages, problems) {
  const names = galleryNames(site.pages, false);
  const seq = thumbnailSequence(site, pages, names, problems);
  checkSequence(site, seq, problems);
  checkThumbnailSizes(site, pages, names, problems);
  if (naming(site).imageShell) {
    checkImagePages(site, pages, seq, problems);
  } else {
    const allowed = [...names, site.entry];
    for (const f of fs.readdirSync(site.site))
      if (f.endsWith('.html') && !allowed.includes(f)) problems.push(`image page ${f} was written`);
  }
  checkPageButtons(site, pages, names, problems);
  checkIndexPage(site, pages, names, problems);
  return seq;
}

// Custom image pages are chained in a ring and link back to the page that shows them.
function checkCustomSite(site, pages, problems) {
  const names = galleryNames(site.pages, true);
  const seq = thumbnailSequence(site, pages, names, problems);
  checkSequence(site, seq, problems);
  checkThumbnailSizes(site, pages, names, problems);
  names.forEach((g, i) => {
    const shown = seq.filter((s) => s.gallery === g).length;
    const want = Math.min(site.perPage, site.images - i * site.perPage);
    if (shown !== want) problems.push(`${g}: shows ${shown} thumbnails, not ${want}`);
  });
  const ring = (k) => seq[(k + seq.length) % seq.length].target;
  seq.forEach((s, k) => {
    const d = pages.get(s.target);
    if (!d) return;
    checkPicture(d, s.target, (img) => naming(site).isPicture(img.src), problems);
    const byId = (id) => (d.anchors.find((a) => a.id === id) || {}).target;
    if (byId('prev') !== ring(k - 1)) problems.push(`${s.target}: previous is ${byId('prev')}`);
    if (byId('next') !== ring(k + 1)) problems.push(`${s.target}: next is ${byId('next')}`);
    if (byId('gallery') !== s.gallery) problems.push(`${s.target}: gallery is ${byId('gallery')}`);
  });
  if (fs.existsSync(path.join(site.site, 'index.html')))
    problems.push('the Custom layout wrote an index page');
  return seq;
}

// Banner places per kind of page: the gallery header holds two, the gallery footer one, the
// image header and footer one each, the index footer one.
function checkBannerPlaces(site, pages, problems) {
  for (const d of pages.values()) {
    const want = d.name === site.entry ? 1 : /^Gallery\d*\.html$/.test(d.name) ? 3 : 2;
    if (d.slots.length !== want)
      problems.push(`${d.name}: ${d.slots.length} banner places, not ${want}`);
    for (const slot of d.slots) {
      const bank = site.banks[slot.bank];
      const where = `${d.name}: ${slot.bank} place`;
      if (slot.banners.length !== 1) problems.push(`${where} shows ${slot.banners.length} banners`);
      for (const b of slot.banners) {
        if (!bank || !(b.title in bank)) problems.push(`${where} shows the banner ${b.title}`);
        else if (bank[b.title] !== b.text)
          problems.push(`${where} shows "${b.text}", not "${bank[b.title]}"`);
      }
      if (slot.rest !== '') problems.push(`${where} also shows "${slot.rest}"`);
    }
    const scripts = [...new Set(d.scripts.map(base))].sort();
    const files = !site.scriptFiles ? []
                  : d.name === site.entry ? ['Top_Ads.js'] : ['Side.js', 'Top_Ads.js'];
    if (scripts.join() !== files.join())
      problems.push(`${d.name}: includes the script files [${scripts}], expected [${files}]`);
  }
}

// A gallery of hostile names: no page runs a script or carries an event handler, every
// thumbnail's caption and every picture's name line shows its name as the file system has it,
// and texts in UTF-8 show as typed.
function checkHostileSite(site, pages, problems) {
  const shown = (t) => t.replace(/\s+/g, ' ').trim();
  const byStem = new Map(site.hostile.names.map((n) => [stem(n.bytes), n]));
  const captioned = new Set();
  for (const d of pages.values()) {
    for (const h of d.handlers) problems.push(`${d.name}: carries the event handler ${h}`);
    if (d.scriptElements) problems.push(`${d.name}: holds ${d.scriptElements} script elements`);
    const picture = byStem.get(stem(d.name));
    if (picture && d.bold.join() !== shown(picture.clean))
      problems.push(`${d.name}: names its picture "${d.bold}", not "${shown(picture.clean)}"`);
    if (!/^Gallery\d*\.html$/.test(d.name)) continue;
    if (d.title !== site.hostile.title) problems.push(`${d.name}: titled "${d.title}"`);
    if (!d.text.includes(site.hostile.header)) problems.push(`${d.name}: the header is not shown`);
    for (const cell of d.cells) {
      const n = byStem.get(stem(base(cell.href)));
      if (!n) {
        problems.push(`${d.name}: a thumbnail links to ${base(cell.href)}`);
        continue;
      }
      captioned.add(n.bytes);
      if (cell.caption !== shown(n.shown))
        problems.push(`${d.name}: the caption of ${JSON.stringify(n.shown)} reads "${cell.caption}"`);
    }
  }
  for (const n of site.hostile.names)
    if (!captioned.has(n.bytes)) problems.push(`no gallery page shows ${JSON.stringify(n.shown)}`);
}

module.exports = { checkFixedSite, checkCustomSite, checkBannerPlaces, checkHostileSite, naming };
