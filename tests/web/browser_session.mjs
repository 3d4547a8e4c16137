// What the browser checks and the screenshot tool share: a static server for the built site on
// 127.0.0.1, Debian's Chromium on a fresh profile, and taps at display pixels of the game.
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize, sep } from 'node:path';
import { chromium } from 'playwright-core';

export const DISPLAY_WIDTH = 240;
export const DISPLAY_HEIGHT = 320;
export const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';

const CHROMIUM_ARGS = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'
];

const MIME_TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png'
};

// Serves `root` as any static host would; resolves to the server, its base address, `root`, and
// the path and size of every file served, in order.
export function serveSite(root) {
  const served = [];
  const server = createServer((request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    let file = normalize(join(root, path));
    if (!file.startsWith(normalize(root + sep)) && file !== normalize(root)) {
      response.writeHead(403).end();
      return;
    }
    try {
      if (statSync(file).isDirectory()) file = join(file, 'index.html');
      const body = readFileSync(file);
      response.writeHead(200, { 'Content-Type': MIME_TYPES[extname(file)] || 'application/octet-stream' });
      response.end(body);
      served.push([path, body.length]);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1',
      () => resolve({ server, base: `http://127.0.0.1:${server.address().port}/`, root, served }));
  });
}

export const DESKTOP = { viewport: { width: 1280, height: 800 } };
export const PHONE = { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true };

// A Chromium on a profile of its own, removed by close().
export async function openBrowser(device) {
  const profile = mkdtempSync(join(tmpdir(), 'spirehold-web-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    args: CHROMIUM_ARGS,
    ...device
  });
  const page = context.pages()[0] || (await context.newPage());
  const problems = [];
  page.on('pageerror', (error) => problems.push(String(error)));
  return {
    context,
    page,
    problems,
    profile,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    }
  };
}

export async function framesPresented(page) {
  return page.evaluate(() => (window.Module && window.Module.spireholdFrames) || 0);
}

// Waits until the game has presented `count` more frames than it had.
export async function waitFrames(page, count) {
  const start = await framesPresented(page);
  await page.waitForFunction((target) => window.Module && window.Module.spireholdFrames >= target, start + count);
}

export async function openGame(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.Module && window.Module.spireholdFrames > 0, null, { timeout: 20000 });
}

// The display memory as the game last presented it: 240 x 320 RGB565 words.
export async function displayWords(page) {
  return Uint16Array.from(await page.evaluate(() => Array.from(window.Module.spireholdDisplay())));
}

// The page point at the middle of display pixel (x, y).
export async function pagePoint(page, x, y) {
  const box = await page.locator('#canvas').boundingBox();
  return {
    x: box.x + ((x + 0.5) * box.width) / DISPLAY_WIDTH,
    y: box.y + ((y + 0.5) * box.height) / DISPLAY_HEIGHT
  };
}

export async function click(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.mouse.click(point.x, point.y);
  await waitFrames(page, 2);
}

export async function touch(page, x, y) {
  const point = await pagePoint(page, x, y);
  await page.touchscreen.tap(point.x, point.y);
  await waitFrames(page, 2);
}
