// Builds galleries with framewright-cli and visits them in headless Chromium as a visitor would.
//
//   FW_CLI=build/framewright-cli FW_BROWSER_OUT=build/browser-out node site_test.js [--check-only]
//
// --check-only visits the sites left in FW_BROWSER_OUT by an earlier run without making them
// again, so that a site changed by hand can be checked. Exits 1 when a check fails.
'use strict';

const fs = require('fs');
const os = require('os');
const path = require('path');
const { chromium } = require('playwright-core');
const { buildSites, loadSites } = require('./build');
const { SiteCrawl, checkPictures } = require('./crawl');
const { checkFixedSite, checkCustomSite, checkBannerPlaces, checkHostileSite } =
    require('./site_checks');
const { walkFixedSite, walkCustomSite, bannerChoices } = require('./navigate');
const responsive = require('./responsive');

const kChromiumFlags = ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
                        '--disable-background-networking', '--disable-component-update',
                        '--disable-sync'];

let passed = 0, failed = 0;

// One named check: it fails when it throws or leaves a problem in its list.
async function check(name, fn) {
  const problems = [];
  try {
    await fn(problems);
  } catch (e) {
    problems.push(`${e.stack || e}`);
  }
  if (problems.length === 0) {
    passed++;
    console.log(`ok    ${name}`);
    return;
  }
  failed++;
  console.log(`FAIL  ${name}`);
  const distinct = [...new Set(problems)];
  for (const p of distinct.slice(0, 12)) console.log(`        ${p}`);
  if (distinct.length > 12) console.log(`        ... and ${distinct.length - 12} more`);
}

// The Responsive layout's pages are checked at several screen sizes, each in a context of its
// own.
async function checkResponsiveSite(page, site, shots) {
  const label = site.name;
  await check(`${label}: every page reached loads without errors, every linked file exists`,
              async (problems) => { await new SiteCrawl(site, problems).run(page, [site.entry]); });
  await check(`${label}: every picture loads at its given aspect, every srcset file exists`,
              async (problems) => responsive.checkPictureFiles(page, site, problems));
  await check(`${label}: the arrow keys and Escape move between pages`,
              async (problems) => responsive.checkKeys(page, site, problems));
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
                                          headless: true, args: kChromiumFlags });
  try {
    await check(`${label}: no page scrolls sideways on a 320-pixel screen`,
                async (problems) => responsive.checkNarrow(browser, site, problems));
    await check(`${label}: the double thumbnails are chosen at device scale 2`,
                async (problems) => responsive.checkDoubleThumbnails(browser, site, problems));
    const notes = [];
    await check(`${label}: axe-core finds no violation`,
                async (problems) => responsive.checkAxe(page, site, problems, notes));
    await check(`${label}: the Nu Html Checker finds no error`,
                async (problems) => responsive.checkMarkup(site, problems, notes));
    for (const n of notes) console.log(`        note: ${n}`);
    await responsive.shootSizes(browser, site, process.env.FW_SHOTS || shots);
  } finally {
    await browser.close();
  }
}

async function checkSite(page, site, shots) {
  if (site.kind === 'responsive') return checkResponsiveSite(page, site, shots);
  let pages = null, seq = null;
  const label = site.name;
  const shoot = async (what) => {
    await page.screenshot({ path: path.join(shots, `${label.toLowerCase()}-${what}.png`),
                            fullPage: true });
  };
  await check(`${label}: every page reached loads without errors, every linked file exists`,
              async (problems) => {
    const crawl = new SiteCrawl(site, problems);
    const entries = site.kind === 'custom' ? ['Gallery1.html', 'Gallery2.html'] : [site.entry];
    pages = await crawl.run(page, entries);
  });
  if (!pages) return;
  await check(`${label}: every picture loads and is shown at the size its page gives`,
              async (problems) => checkPictures(pages, problems));
  await check(`${label}: gallery pages, image pages and their links`, async (problems) => {
    seq = site.kind === 'custom' ? checkCustomSite(site, pages, problems)
                                 : checkFixedSite(site, pages, problems);
  });
  if (site.hostile) {
    await check(`${label}: no script runs; captions, names and titles show as the files have them`,
                async (problems) => checkHostileSite(site, pages, problems));
  }
  if (site.banks) {
    await check(`${label}: every banner place shows one banner of its bank`,
                async (problems) => checkBannerPlaces(site, pages, problems));
    await check(`${label}: the banner script picks every banner of a bank in turn`,
                async (problems) => bannerChoices(page, site, 'Gallery1.html', problems));
  }
  if (!seq || seq.length === 0) return;
  const wantShots = ['Fixed', 'Inline', 'Plain', 'Custom'].includes(site.name);
  await check(`${label}: a visitor clicks through index, pages and pictures`, async (problems) => {
    const walk = site.kind === 'custom' ? walkCustomSite : walkFixedSite;
    await walk(page, site, seq, problems, wantShots ? shoot : null);
  });
}

async function main() {
  const out = path.resolve(process.env.FW_BROWSER_OUT || 'browser-out');
  const checkOnly = process.argv.includes('--check-only');
  let sites;
  await check('the galleries are made with framewright-cli', async () => {
    if (checkOnly) {
      sites = loadSites(out);
      return;
    }
    const cli = path.resolve(process.env.FW_CLI || 'framewright-cli');
    sites = buildSites(cli, out);
  });
  if (!sites) return;
  const shots = path.join(out, 'shots');
  fs.mkdirSync(shots, { recursive: true });
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'fw-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: kChromiumFlags,
    viewport: { width: 1000, height: 760 },
  });
  try {
    const page = context.pages()[0] || (await context.newPage());
    page.setDefaultTimeout(10000);
    for (const site of sites) await checkSite(page, site, shots);
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  console.log(`screenshots: ${shots}`);
}

main()
  .catch((e) => {
    failed++;
    console.log(`FAIL  the browser run: ${e.stack || e}`);
  })
  .finally(() => {
    console.log(`browser: ${passed} passed, ${failed} failed`);
    process.exit(failed > 0 ? 1 : 0);
  });
