// What the browser checks and the site tool share: a static server for the built site on 127.0.0.1,
// the game in Debian's Chromium on a fresh profile, and taps at display pixels of the game.
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize, resolve, sep } from 'node:path';
import { chromium } from 'playwright-core';

export const DISPLAY_WIDTH = 240, DISPLAY_HEIGHT = 320;
export const DESKTOP = { viewport: { width: 1280, height: 800 } };
export const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
// Display points of the controls the checks and the tool press.
export const PLAY = [186, 138], QUIT = [186, 208], TUTORIAL_HOME = [30, 310], PREV = [108, 310], SOLVE = [144, 310];
export const SOUND = [177, 310];
export const OK_KEY = [120, 235], LEVEL_ONE_CELLS = [[104, 104], [104, 133]];
export const TOWER_BUTTONS = [20, 60, 100, 140, 180, 220].map((x) => [x, 245]);

// A machine busy building can take long to start Chromium or run a frame; every wait is for an event.
// A play that outlasts PLAY_LIMIT_MS is stuck in something that has no time limit of its own (a script
// run in the page), and fails.
const PATIENCE_MS = 120000, PLAY_LIMIT_MS = 360000, SCREENSHOT_MS = 10000;
const CHROMIUM_ARGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
const MIME_TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

// Runs `work` on the site in `dir`, served as any static host would: `site` has the base address, the
// folder, and the path and size of every file served, in order.
export async function withSite(dir, work) {
  const root = resolve(dir), served = [];
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    let file = normalize(join(root, path));
    if (!file.startsWith(root + sep) && file !== root) return response.writeHead(403).end();
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const body = readFileSync(file);
      response.writeHead(200, { 'Content-Type': MIME_TYPES[extname(file)] || 'application/octet-stream' }).end(body);
      served.push([path, body.length]);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
  try {
    return await work({ base: `http://127.0.0.1:${server.address().port}/`, root, served });
  } finally {
    server.close();
  }
}

export const started = (page) => page.waitForFunction(() => window.Module && window.Module.spireholdFrames > 0);

// Waits until the game has presented `count` more frames than it had.
export const waitFrames = async (page, count) => page.waitForFunction((target) => window.Module.spireholdFrames >= target,
  (await page.evaluate(() => window.Module.spireholdFrames)) + count);

// The display memory as the game last presented it: 240 x 320 RGB565 words.
export const displayWords = async (page) =>
  Uint16Array.from(await page.evaluate(() => Array.from(window.Module.spireholdDisplay())));

// `play`, or a failure once it has taken PLAY_LIMIT_MS.
function withinLimit(play) {
  let timer;
  const limit = new Promise((_, fail) => {
    timer = setTimeout(() => fail(new Error(`still playing after ${PLAY_LIMIT_MS / 1000} s`)), PLAY_LIMIT_MS);
  });
  return Promise.race([play, limit]).finally(() => clearTimeout(timer));
}

// The page as a failed check left it, where SPIREHOLD_FAILURE_SHOT says (the test runner names a file in
// its failures folder).
async function keepScreenshot(page) {
  const path = process.env.SPIREHOLD_FAILURE_SHOT;
  if (!path) return;
  await page.screenshot({ path, timeout: SCREENSHOT_MS })
    .then(() => console.error(`the page as it was: ${path}`), () => console.error('no screenshot could be taken'));
}

// Plays `body` on the game, fresh in a Chromium of its own on `device` with `init` run before the
// page's scripts; the page must raise no errors, and a failed play leaves a screenshot. The body's press(x, y) touches (on a touch device) or
// clicks the middle of display pixel (x, y); its tap(x, y) presses, then lets the game run two frames.
export async function playGame(site, device, body, init) {
  const profile = mkdtempSync(join(tmpdir(), 'spirehold-web-'));
  const context = await chromium.launchPersistentContext(profile,
    { executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true, args: CHROMIUM_ARGS, ...device });
  try {
    context.setDefaultTimeout(PATIENCE_MS);
    if (init) await context.addInitScript(init);
    const page = context.pages()[0] || (await context.newPage()), problems = [];
    page.on('pageerror', (error) => problems.push(String(error)));
    const press = async (x, y) => {
      const box = await page.locator('#canvas').boundingBox();
      const [pageX, pageY] = [box.x + ((x + 0.5) * box.width) / DISPLAY_WIDTH, box.y + ((y + 0.5) * box.height) / DISPLAY_HEIGHT];
      await (device.hasTouch ? page.touchscreen.tap(pageX, pageY) : page.mouse.click(pageX, pageY));
    };
    const tap = async (x, y) => {
      await press(x, y);
      await waitFrames(page, 2);
    };
    try {
      await page.goto(site.base);
      await started(page);
      const result = await withinLimit(body({ context, page, press, tap }));
      if (problems.length > 0) throw new Error(`page errors: ${problems}`);
      return result;
    } catch (error) {
      await keepScreenshot(page);
      throw error;
    }
  } finally {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  }
}
