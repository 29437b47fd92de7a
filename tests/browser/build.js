// Makes the galleries the browser test visits, with framewright-cli on a store of their own:
// a fixed layout of several pages with image pages, two galleries with banner banks (inline
// blocks and script files), a Custom layout, the Responsive layout, and pictures whose names
// carry markup, URL characters, controls and bytes that are not UTF-8. Returns what each site
// should hold.
'use strict';

const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const { writePng, writeBmp, writeGif } = require('./pictures');
const { byteString } = require('./files');

// Banners carry a TITLE so that the test can tell which one a page shows.
const kTopAds = [
  '<SPAN CLASS="banner" TITLE="top-1">Top banner one</SPAN>',
  '',
  '<SPAN CLASS="banner" TITLE="top-2">Tom\'s top banner \u2713 \u00fc</SPAN>',
  '',
  '',
  '<SPAN CLASS="banner" TITLE="top-3">Top banner three,',
  'joined</SPAN>',
];
const kSide = [
  '<IMG CLASS="banner" TITLE="side-1" SRC="ad.png" WIDTH="60" HEIGHT="20" ALT="ad">',
  '',
  '<B CLASS="banner" TITLE="side-2">Side "quoted" banner</B>',
];
const kBanks = {
  'Top Ads': { 'top-1': 'Top banner one', 'top-2': "Tom's top banner \u2713 \u00fc",
               'top-3': 'Top banner three,joined' },
  Side: { 'side-1': '', 'side-2': 'Side "quoted" banner' },
};

class Cli {
  constructor(cli, out) {
    this.cli = cli;
    this.base = ['--store', path.join(out, 'settings.db'), '--app-folder', path.join(out, 'app')];
    this.texts = path.join(out, 'texts');
    fs.mkdirSync(this.texts, { recursive: true });
    fs.mkdirSync(path.join(out, 'app'), { recursive: true });
    this.count = 0;
  }

  // Any message on stderr means the run met something it had to report: a failure here.
  run(args, base = this.base) {
    const r = spawnSync(this.cli, [...base, ...args], { encoding: 'latin1' });
    if (r.error) throw r.error;
    if (r.status !== 0 || r.stderr !== '')
      throw new Error(`framewright-cli ${args.join(' ')} exited ${r.status}: ${r.stderr}`);
    return r.stdout;
  }

  set(gallery, values) {
    for (const [name, value] of Object.entries(values))
      this.run(['set', gallery, name, `${value}`]);
  }

  text(gallery, section, lines, encoding = 'latin1') {
    const file = path.join(this.texts, `text${++this.count}.txt`);
    fs.writeFileSync(file, lines.join('\r\n') + '\r\n', encoding);
    this.run(['text', gallery, section, '--set', file]);
  }
}

function copyPictures(from, names, to) {
  fs.mkdirSync(to, { recursive: true });
  for (const n of names) fs.copyFileSync(path.join(from, n), path.join(to, n));
}

function fixedGallery(cli, out, demoPictures) {
  const site = path.join(out, 'fixed', 'site');
  const images = path.join(site, 'images');
  copyPictures(demoPictures.folder, demoPictures.names, images);
  writePng(path.join(images, 'green_field.png'), 320, 200, 1);
  writePng(path.join(images, 'tall_glass.png'), 150, 260, 2);
  writeBmp(path.join(images, 'brick_wall.bmp'), 250, 250, 3);
  writeBmp(path.join(images, 'wide_shore.bmp'), 403, 121, 4);
  writeGif(path.join(images, 'autumn_leaf.gif'), 180, 130, 7);
  cli.set('Fixed', {
    BaseDir: site, Sorted: 1, ThumbSize: 120, Template: 5, Rows: 3, Columns: 3, ButtonsPerRow: 2,
    NavPagePrefix: 'Page ', ShowImageName: 1, CleanImageName: 1, ShowImageDimensions: 1,
    ShowImageSize: 1, ImagePageShowImageName: 1, GalleryTitle: 'Fixed gallery',
    ImageTitle: 'Fixed picture', IndexTitle: 'Fixed index',
  });
  cli.text('Fixed', 'Gallery Header', ['<H2 ALIGN="center">Pictures in a frame</H2>']);
  cli.text('Fixed', 'Gallery Text3', ['<P ID="text-area">Text beside the pictures.</P>']);
  cli.text('Fixed', 'Index Header', ['<H2 ALIGN="center">All pages</H2>']);
  cli.run(['go', 'Fixed']);
  // Template 5 with 3 x 3 holds 2 * 3 + 3 - 2 = 7 pictures a page.
  const count = demoPictures.names.length + 5;
  return { name: 'Fixed', kind: 'fixed', site, entry: 'index.html', images: count,
           pages: Math.ceil(count / 7), pagePrefix: 'Page ', thumbSize: 120 };
}

function bannerGallery(cli, out, name, demoPictures, scriptFiles) {
  const site = path.join(out, name.toLowerCase(), 'site');
  copyPictures(demoPictures.folder, demoPictures.names.slice(0, 5), path.join(site, 'images'));
  writePng(path.join(site, 'ad.png'), 60, 20, 5);
  writePng(path.join(site, 'paper.png'), 40, 40, 6, true);
  cli.set(name, {
    BaseDir: site, Sorted: 1, Template: 1, Rows: 1, Columns: 3,
    WriteScriptFile: scriptFiles ? 1 : 0, ScriptExt: 'js', GalleryBackImage: 'paper.png',
    TableBackImage: 'paper.png',
  });
  cli.text(name, 'Banner Banks', ['Top Ads', 'Side']);
  cli.text(name, 'Top Ads', kTopAds, 'utf8');
  cli.text(name, 'Side', kSide);
  // The Top Ads marker twice in one text: both places get a banner, the block is written once.
  cli.text(name, 'Gallery Header', ['<DIV DATA-BANK="Top Ads">{Top Ads}</DIV>',
                                     '<DIV DATA-BANK="Top Ads">{Top Ads}</DIV>']);
  cli.text(name, 'Gallery Footer', ['<DIV DATA-BANK="Side">{Side}</DIV>']);
  cli.text(name, 'Image Header', ['<DIV DATA-BANK="Side">{Side}</DIV>']);
  cli.text(name, 'Image Footer', ['<DIV DATA-BANK="Top Ads">{Top Ads}</DIV>']);
  cli.text(name, 'Index Footer', ['<DIV DATA-BANK="Top Ads">{Top Ads}</DIV>']);
  cli.run(['go', name]);
  return { name, kind: 'fixed', site, entry: 'index.html', images: 5, pages: 2, pagePrefix: '',
           thumbSize: 100, banks: kBanks, scriptFiles };
}

// One page, thumbnails linking straight to the pictures, folders and thumbnail names other
// than the defaults, the browser's own colours.
function plainGallery(cli, out, demoPictures) {
  const site = path.join(out, 'plain', 'site');
  const photos = path.join(site, 'photos');
  copyPictures(demoPictures.folder, demoPictures.names.slice(9, 11), photos);
  writePng(path.join(photos, 'dune.png'), 210, 140, 8);
  cli.set('Plain', {
    BaseDir: site, Sorted: 1, UseImageShell: 0, DefaultColors: 1, ImageDir: 'photos',
    ThumbsDir: 'small', IsThumbPrefix: 0, ThumbPrefix: '_t', ShowImageName: 1,
  });
  cli.run(['go', 'Plain']);
  return { name: 'Plain', kind: 'fixed', site, entry: 'index.html', images: 3, pages: 1,
           pagePrefix: '', thumbSize: 100,
           naming: { imageDir: 'photos', thumbsDir: 'small', thumbPrefix: '_t', thumbSuffix: true,
                     imageShell: false } };
}

function customGallery(cli, out, demoPictures) {
  const dir = path.join(out, 'custom');
  const site = path.join(dir, 'site');
  copyPictures(demoPictures.folder, demoPictures.names.slice(3, 9), path.join(site, 'images'));
  const cell = '<TD><A CLASS="thumb" HREF="<Image/>"><IMG SRC="<Thumb/>"></A></TD>';
  const galleryTemplate = path.join(dir, 'gallery.tpl');
  fs.writeFileSync(galleryTemplate, [
    '<HTML><HEAD><TITLE>Custom gallery</TITLE></HEAD><BODY>',
    '<P><A HREF="Gallery1.html">First page</A> <A HREF="Gallery2.html">Second page</A></P>',
    `<TABLE><TR>${cell}${cell}</TR><TR>${cell}</TR></TABLE>`,
    '</BODY></HTML>',
  ].join('\r\n'));
  const imageTemplate = path.join(dir, 'image.tpl');
  fs.writeFileSync(imageTemplate, [
    '<HTML><HEAD><TITLE>Custom picture</TITLE></HEAD><BODY>',
    '<P><A ID="prev" HREF="<Previous/>">Previous</A> <A ID="gallery" HREF="<Gallery/>">Gallery</A>',
    ' <A ID="next" HREF="<Next/>">Next</A></P>',
    '<IMG ID="picture" SRC="<Image/>">',
    '</BODY></HTML>',
  ].join('\r\n'));
  cli.set('Custom', {
    BaseDir: site, Sorted: 1, Template: 13, CustomGalleryTemplate: galleryTemplate,
    CustomImageTemplate: imageTemplate, UseCustomImageShell: 1,
  });
  cli.run(['go', 'Custom']);
  return { name: 'Custom', kind: 'custom', site, entry: 'Gallery1.html', images: 6, pages: 2,
           perPage: 3, thumbSize: 100 };
}

// Names a page could take for markup or a URL for something else; the last one is not UTF-8
// (a Windows-1252 e acute), and one holds UTF-8 letters.
const kHostileNames = [
  'q"onmouseover="alert(1)" x=".jpg', '<img src=x onerror=alert(2)>.jpg', 'b#1.jpg', 'c?x=1.jpg',
  '50%41.jpg', 'amp&amp.jpg', "it's.png", 'tab\there.png', 'new\nline.gif', 'back\\slash.bmp',
  'Gr\u00fc\u00dfe \u00f1 \u65e5\u672c.jpg', Buffer.from('caf\xe9.bmp', 'latin1'),
];

function hostileGallery(cli, out, demoPictures) {
  const site = path.join(out, 'hostile', 'site');
  const images = path.join(site, 'images');
  fs.mkdirSync(images, { recursive: true });
  const names = kHostileNames.map((name, k) => {
    const file = Buffer.concat([Buffer.from(`${images}/`), Buffer.from(byteString(name), 'latin1')]);
    const kind = byteString(name).slice(-3);
    if (kind === 'jpg') fs.copyFileSync(path.join(demoPictures.folder, demoPictures.names[k]), file);
    else if (kind === 'png') writePng(file, 150 + k, 100, k);
    else if (kind === 'gif') writeGif(file, 120, 90 + k, k);
    else writeBmp(file, 90 + k, 110, k);
    const shown = Buffer.isBuffer(name) ? name.toString('latin1') : name;
    return { bytes: byteString(name), shown, clean: shown.replace(/\.[^.]*$/, '') };
  });
  const title = 'Galerie f\u00fcr Gr\u00fc\u00dfe \u2713';
  const header = '\u00dcberschrift \u65e5\u672c';
  cli.set('Hostile', {
    BaseDir: site, Sorted: 1, Rows: 2, Columns: 4, ShowImageName: 1, CleanImageName: 0,
    ImagePageShowImageName: 1, GalleryTitle: title,
  });
  cli.text('Hostile', 'Gallery Header', [`<H2 ALIGN="center">${header}</H2>`], 'utf8');
  cli.run(['go', 'Hostile']);
  return { name: 'Hostile', kind: 'fixed', site, entry: 'index.html', images: names.length,
           pages: Math.ceil(names.length / 8), pagePrefix: '', thumbSize: 100,
           hostile: { names, title, header } };
}

// The demo gallery is what a new user sees first; its pictures also feed the other galleries.
function demoGallery(cli, out) {
  const dir = path.join(out, 'demo');
  cli.run(['demo', dir], []);
  const site = path.join(dir, 'site');
  const folder = path.join(site, 'images');
  const names = fs.readdirSync(folder).filter((n) => n.endsWith('.jpg')).sort();
  return { site: { name: 'Demo', kind: 'fixed', site, entry: 'index.html', images: names.length,
                   pages: Math.ceil(names.length / 10), pagePrefix: '', thumbSize: 100 },
           pictures: { folder, names } };
}

// The demo with the Responsive layout, and two more pictures: one wider than any screen (its
// image page shows a display copy) and one whose name must be escaped in pages and links.
function responsiveGallery(cli, out, demoPictures) {
  const dir = path.join(out, 'responsive');
  cli.run(['demo', dir, '--responsive'], []);
  const site = path.join(dir, 'site');
  const images = path.join(site, 'images');
  writePng(path.join(images, 'wide_bay.png'), 2600, 800, 9);
  fs.copyFileSync(path.join(demoPictures.folder, demoPictures.names[0]),
                  path.join(images, 'fish & chips #1.jpg'));
  cli.run(['go', 'Demo'], ['--store', path.join(dir, 'settings.db'), '--app-folder', dir]);
  const count = demoPictures.names.length + 2;
  return { name: 'Responsive', kind: 'responsive', site, entry: 'index.html', images: count,
           pages: Math.ceil(count / 10), shotImage: 'wide_bay.html' };
}

function buildSites(cliPath, out) {
  fs.rmSync(out, { recursive: true, force: true });
  fs.mkdirSync(out, { recursive: true });
  const cli = new Cli(cliPath, out);
  const demo = demoGallery(cli, out);
  const sites = [
    demo.site,
    fixedGallery(cli, out, demo.pictures),
    bannerGallery(cli, out, 'Inline', demo.pictures, false),
    bannerGallery(cli, out, 'Scripted', demo.pictures, true),
    plainGallery(cli, out, demo.pictures),
    customGallery(cli, out, demo.pictures),
    hostileGallery(cli, out, demo.pictures),
    responsiveGallery(cli, out, demo.pictures),
  ];
  fs.writeFileSync(path.join(out, 'sites.json'), JSON.stringify(sites, null, 2));
  return sites;
}

function loadSites(out) {
  return JSON.parse(fs.readFileSync(path.join(out, 'sites.json'), 'utf8'));
}

module.exports = { buildSites, loadSites };
