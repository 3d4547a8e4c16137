// Screenshots of the built site along the start of a level, at a desktop size and on a phone-sized
// touch screen held upright and sideways, to look at:  node tests/web/screenshots.mjs SITE_DIR OUTPUT_DIR
import { mkdirSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { DESKTOP, PHONE, click, openBrowser, openGame, serveSite, touch, waitFrames } from './browser_session.mjs';

const PLAY = [186, 138];
const TUTORIAL_HOME = [30, 310];
const SOLVE = [144, 310];
const FIRST_TOWER = [20, 245];
const SECOND_TOWER = [60, 245];
const LEVEL_ONE_CELLS = [[104, 104], [104, 133]];

async function walk(name, device, tap, site, output) {
  const browser = await openBrowser(device);
  const { page } = browser;
  try {
    await openGame(page, site.base);
    await waitFrames(page, 10);
    const shot = async (step) => page.screenshot({ path: join(output, `${name}-${step}.png`) });
    await shot('1-home');
    await tap(page, ...PLAY);
    await waitFrames(page, 10);
    await shot('2-tutorial');
    await tap(page, ...TUTORIAL_HOME);
    await tap(page, ...PLAY);
    await waitFrames(page, 10);
    await shot('3-level');
    await tap(page, ...FIRST_TOWER);
    await tap(page, ...LEVEL_ONE_CELLS[0]);
    await tap(page, ...SECOND_TOWER);
    await tap(page, ...LEVEL_ONE_CELLS[1]);
    await waitFrames(page, 10);
    await shot('4-towers-placed');
    await tap(page, ...SOLVE);
    await waitFrames(page, 10);
    await shot('5-solved');
    if (browser.problems.length > 0) console.log(`${name}: page errors:`, browser.problems);
  } finally {
    await browser.close();
  }
}

const [siteDir, outputDir] = process.argv.slice(2);
if (!siteDir || !outputDir) {
  console.error('usage: node screenshots.mjs SITE_DIR OUTPUT_DIR');
  process.exit(2);
}
mkdirSync(outputDir, { recursive: true });
const site = await serveSite(resolve(siteDir));
try {
  await walk('desktop', DESKTOP, click, site, outputDir);
  await walk('phone', PHONE, touch, site, outputDir);
  await walk('phone-landscape', { ...PHONE, viewport: { width: 844, height: 390 } }, touch, site, outputDir);
} finally {
  site.server.close();
}
console.log(`screenshots in ${outputDir}`);
