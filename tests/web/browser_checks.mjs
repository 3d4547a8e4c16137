// The browser build, played in headless Chromium as a player would:
//   node browser_checks.mjs SITE_DIR SIM_PATH CHECK
// CHECK is one of the names in CHECKS below. Exits 0 when the check holds, 1 with the reason when not.
// The simulator (spirehold-sim) runs the same game on the headless device and gives the frames the
// browser must show.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import {
  DESKTOP, DISPLAY_HEIGHT, DISPLAY_WIDTH, PHONE, click, displayWords, openBrowser, openGame, serveSite, touch,
  waitFrames
} from './browser_session.mjs';

const STORAGE_KEY = 'spirehold/game.dat';
const RECORDS_FILE_SIZE = 900;
const PLAY = [186, 138];
const TUTORIAL_HOME = [30, 310];
const SOLVE = [144, 310];
const SOUND = [177, 310];
const PREV = [108, 310];
const OK_KEY = [120, 235];
const TOWER_BUTTON_CENTRES = [20, 60, 100, 140, 180, 220].map((x) => [x, 245]);
const LEVEL_ONE_CELLS = [[104, 104], [104, 133]];
const TUTORIAL_BANNER_ROWS = 36;  // the tutorial's banner; the text below it types itself out
const FRAME_MS = 16;
const GAME_RATE = 11025;
const BUFFER_FRAMES = 1102;  // a tenth of a second of 16-bit stereo, in whole frames

// ---- The simulator as the reference ------------------------------------------------------------

// Runs the simulator on `commands` in a fresh program folder (holding `records` as game.dat when
// given) and returns the frames it wrote, in order, as RGB565 words.
function simulatorFrames(simulator, commands, records) {
  const folder = mkdtempSync(join(tmpdir(), 'spirehold-sim-'));
  try {
    if (records) writeFileSync(join(folder, 'game.dat'), records);
    const frames = [];
    const script = commands.map((command) => {
      if (command !== 'frame') return command;
      const path = join(folder, `frame${frames.length}.rgb565`);
      frames.push(path);
      return `frame ${path}`;
    });
    const run = spawnSync(simulator, ['--dir', folder], { input: script.join('\n') + '\nquit\n' });
    if (run.status !== 0) throw new Error(`the simulator failed: ${run.stderr}`);
    return frames.map((path) => {
      const bytes = readFileSync(path);
      return new Uint16Array(bytes.buffer, bytes.byteOffset, bytes.length / 2);
    });
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

function differingPixels(a, b, rows = DISPLAY_HEIGHT) {
  let count = 0;
  for (let i = 0; i < rows * DISPLAY_WIDTH; i++) if (a[i] !== b[i]) count++;
  return count;
}

function expect(condition, message) {
  if (!condition) throw new Error(message);
}

// ---- Records in the browser ----------------------------------------------------------------------

async function storedRecords(page) {
  return page.evaluate((key) => window.localStorage.getItem(key), STORAGE_KEY);
}

// Waits until the stored file holds `includes` and differs from `differsFrom`.
async function waitStoredRecords(page, { includes = '', differsFrom = null }) {
  await page.waitForFunction(([key, part, old]) => {
    const text = window.localStorage.getItem(key);
    return text !== null && text.includes(part) && text !== old;
  }, [STORAGE_KEY, includes, differsFrom]);
  return storedRecords(page);
}

function nameKeyCentre(letter) {
  const key = letter.charCodeAt(0) - 'A'.charCodeAt(0) + 1;
  const column = (key - 1) % 9, row = Math.floor((key - 1) / 9);
  return [44 + 17 * column + 8, 161 + 20 * row + (column % 2 === 1 ? 3 : 0) + 8];
}

// From a fresh game: past the tutorial onto level 1 (one column of two cells, two tower kinds), then
// each filling in turn until one completes the level (most of the screen darkens under the record
// dialog). The first filling comes after `waitMs`, so that the level's time is as long at least.
async function finishLevelOne(page, tap, waitMs = 0) {
  await tap(page, ...PLAY);
  await tap(page, ...TUTORIAL_HOME);
  await tap(page, ...PLAY);
  await finishLevel(page, tap, waitMs);
}

async function finishLevel(page, tap, waitMs) {
  await page.waitForTimeout(waitMs);
  for (const filling of [[0, 0], [0, 1], [1, 0], [1, 1]]) {
    const before = await displayWords(page);
    for (const [cell, kind] of filling.entries()) {
      await tap(page, ...TOWER_BUTTON_CENTRES[kind]);
      await tap(page, ...LEVEL_ONE_CELLS[cell]);
    }
    await waitFrames(page, 2);
    if (differingPixels(before, await displayWords(page)) > (DISPLAY_WIDTH * DISPLAY_HEIGHT) / 3) return;
  }
  throw new Error('no filling completed level 1');
}

// The game's own hit rectangles (src/game/controls.h, inclusive on all sides) as [left, top, right,
// bottom]: the play panel, the tower buttons, and the record keyboard's letter and delete keys.
function gameControls() {
  const source = readFileSync(new URL('../../src/game/controls.h', import.meta.url), 'utf8');
  const rects = (text) => [...text.matchAll(/\{(\d+), (\d+), (\d+), (\d+)\}/g)].map((m) => m.slice(1).map(Number));
  const table = (name) => rects(source.match(new RegExp(`${name}\\{\\{([^;]*)\\}\\};`))[1]);
  const constant = (name) => Number(source.match(new RegExp(`\\b${name} = (\\d+)`))[1]);
  const [perRow, left, top, pitch, rowPitch, drop, side] =
    ['keysPerRow', 'firstLeft', 'firstTop', 'columnPitch', 'rowPitch', 'oddColumnDrop', 'keySide'].map(constant);
  const keys = [];
  for (let key = 1; key <= constant('DELETE_KEY'); key++) {
    const column = (key - 1) % perRow, row = Math.floor((key - 1) / perRow);
    const x = left + pitch * column, y = top + rowPitch * row + (column % 2 === 1 ? drop : 0);
    keys.push([x, y, x + side, y + side]);
  }
  return {
    panel: table('panelRects'),
    towers: table('towerButtonRects'),
    keys,
    ok: rects(source.match(/okKey\{[^}]*\}/)[0].replace('okKey', ''))[0]
  };
}

const centre = ([left, top, right, bottom]) => [Math.floor((left + right) / 2), Math.floor((top + bottom) / 2)];

// The picture fills the limiting side of the viewport, on a canvas of whole device pixels in 3:4.
async function expectFilled(page, size) {
  const fit = await page.evaluate(() => {
    const canvas = document.getElementById('canvas'), box = canvas.getBoundingClientRect();
    return { width: canvas.width, height: canvas.height, boxWidth: box.width, ratio: window.devicePixelRatio };
  });
  const side = Math.min(size.width / DISPLAY_WIDTH, size.height / DISPLAY_HEIGHT) * DISPLAY_WIDTH;
  expect(fit.boxWidth >= 0.95 * side,
    `at ${size.width} x ${size.height} the picture is ${fit.boxWidth} wide of ${side}`);
  expect(fit.width * 4 === fit.height * 3 && Math.abs(fit.boxWidth * fit.ratio - fit.width) < 0.01,
    `at ${size.width} x ${size.height} the canvas holds ${fit.width} x ${fit.height} for ${fit.boxWidth} CSS pixels`);
}

// Sets `text` to what the page's screen reader region says once it says something that `matches`.
async function spoken(page, matches) {
  const handle = await page.waitForFunction((pattern) => {
    const text = document.getElementById('spoken').textContent;
    return new RegExp(pattern).test(text) && text;
  }, matches.source);
  return handle.jsonValue();
}

// The page hidden (as when the player switches apps) or shown again.
async function setPageHidden(page, hidden) {
  await page.evaluate((nowHidden) => {
    Object.defineProperty(document, 'hidden', { value: nowHidden, configurable: true });
    Object.defineProperty(document, 'visibilityState', { value: nowHidden ? 'hidden' : 'visible', configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  }, hidden);
}

// ---- The checks ------------------------------------------------------------------------------------

const CHECKS = {
  // The page loads quietly, runs its frame loop, and installs its offline cache and app manifest.
  async loads({ site }) {
    const browser = await openBrowser(DESKTOP);
    const { page } = browser;
    try {
      await openGame(page, site.base);
      const frames = await page.evaluate(() => window.Module.spireholdFrames);
      await waitFrames(page, 30);
      const canvas = await page.evaluate(() => {
        const element = document.getElementById('canvas');
        return { width: element.width, height: element.height };
      });
      expect(canvas.width * 4 === canvas.height * 3, 'the canvas is not 3:4');
      const { manifest, icons, apple } = await page.evaluate(async () => {
        const load = (src) => new Promise((resolve) => {
          const image = new Image();
          image.onload = () => resolve(`${image.naturalWidth}x${image.naturalHeight}`);
          image.onerror = () => resolve('nothing');
          image.src = src;
        });
        const listed = await (await fetch('manifest.webmanifest')).json();
        return { manifest: listed, icons: await Promise.all(listed.icons.map((icon) => load(icon.src))),
          apple: await load(document.querySelector('link[rel="apple-touch-icon"]').href) };
      });
      expect(manifest.orientation === 'portrait' && manifest.theme_color && manifest.background_color,
        'the manifest is incomplete');
      expect(manifest.icons.every((icon, i) => icons[i] === icon.sizes), `the icons load as ${icons}`);
      expect(['192x192', '512x512'].every((size) => icons.includes(size)) &&
        manifest.icons.some((icon) => icon.purpose === 'maskable') && apple === '180x180',
        `icons ${icons} (maskable too?) and Apple touch icon ${apple}`);
      const worker = await page.evaluate(async () => {
        const registration = await navigator.serviceWorker.ready;
        return registration.active !== null;
      });
      expect(worker, 'the service worker did not activate');
      expect(browser.problems.length === 0, `page errors: ${browser.problems}`);
      console.log(`frames at load ${frames}, service worker active`);
    } finally {
      await browser.close();
    }
  },

  // After the first visit the game starts, and sounds, with no network at all.
  async 'works-offline'({ site }) {
    const browser = await openBrowser(DESKTOP);
    const { page, context } = browser;
    try {
      await openGame(page, site.base);
      expect(await page.evaluate(() => navigator.serviceWorker.controller !== null), 'the game started uncached');
      await context.setOffline(true);
      await page.reload();
      await page.waitForFunction(() => window.Module && window.Module.spireholdFrames > 0);
      await click(page, ...PLAY);
      await page.waitForFunction(() => window.Module.spireholdAudio.path === 'worklet' &&
        window.Module.spireholdAudioState() === 'running');
      expect(browser.problems.length === 0, `page errors: ${browser.problems}`);
    } finally {
      await browser.close();
    }
  },

  // A fresh game's home screen, pixel for pixel as the simulator draws it, on a desktop and on a phone:
  // the display memory, and the canvas (whole device pixels per game pixel) at the middle of each
  // game pixel, with each RGB565 component widened by repeating its top bits.
  async 'home-pixels'({ site, simulator }) {
    const [expected] = simulatorFrames(simulator, [`wait ${FRAME_MS}`, 'frame']);
    for (const device of [DESKTOP, PHONE]) {
      const browser = await openBrowser(device);
      const { page } = browser;
      try {
        await openGame(page, site.base);
        const display = await displayWords(page);
        expect(differingPixels(display, expected) === 0,
          `${differingPixels(display, expected)} display pixels differ from the simulator's`);
        const canvas = await page.evaluate(([width, height]) => {
          const element = document.getElementById('canvas');
          const data = element.getContext('2d').getImageData(0, 0, element.width, element.height).data;
          const middles = [];
          for (let y = 0; y < height; y++) {
            const row = Math.floor(((y + 0.5) * element.height) / height);
            for (let x = 0; x < width; x++) {
              const at = 4 * (row * element.width + Math.floor(((x + 0.5) * element.width) / width));
              middles.push(data[at], data[at + 1], data[at + 2], data[at + 3]);
            }
          }
          return middles;
        }, [DISPLAY_WIDTH, DISPLAY_HEIGHT]);
        let wrong = 0;
        for (let i = 0; i < expected.length; i++) {
          const word = expected[i], r = word >> 11, g = (word >> 5) & 63, b = word & 31;
          const rgba = [(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2), 255];
          if (rgba.some((value, channel) => canvas[4 * i + channel] !== value)) wrong++;
        }
        expect(wrong === 0, `${wrong} canvas pixels differ from the simulator's frame`);
      } finally {
        await browser.close();
      }
    }
  },

  // A mouse click on PLAY opens the tutorial, as a tap in the simulator does.
  async 'click-play'({ site, simulator }) {
    await playOpensTutorial(site, simulator, DESKTOP, click);
  },

  // A finger on a phone-sized touch screen does the same.
  async 'touch-tap'({ site, simulator }) {
    await playOpensTutorial(site, simulator, PHONE, touch);
  },

  // A best time and the name typed for it on the game's keyboard are still there after a reload: the
  // game reads them back (a later save, of the sound switch, keeps them).
  async 'records-survive-reload'({ site }) {
    const browser = await openBrowser(DESKTOP);
    const { page } = browser;
    try {
      await openGame(page, site.base);
      await finishLevelOne(page, click);
      for (const letter of 'WEB') await click(page, ...nameKeyCentre(letter));
      await click(page, ...OK_KEY);
      const saved = await waitStoredRecords(page, { includes: '     WEB' });
      expect(saved.length === RECORDS_FILE_SIZE, `the stored file has ${saved.length} bytes`);

      await page.reload();
      await page.waitForFunction(() => window.Module && window.Module.spireholdFrames > 0);
      await click(page, ...PLAY);
      await click(page, ...SOUND);
      const resaved = await waitStoredRecords(page, { differsFrom: saved });
      expect(resaved.includes('     WEB'), 'the record was lost across the reload');
      expect(resaved[0] !== saved[0], 'the sound setting was not saved');
      expect(browser.problems.length === 0, `page errors: ${browser.problems}`);
    } finally {
      await browser.close();
    }
  },

  // Leaving the window or hiding the page stops the game's drawing (the last frame stays, the canvas
  // is left alone) until it is back; a hidden page is silent, and its sound resumes on return.
  async 'focus-follows-window'({ site }) {
    const browser = await openBrowser(DESKTOP);
    const { page } = browser;
    const blur = (away) =>
      page.evaluate((leaving) => window.dispatchEvent(new FocusEvent(leaving ? 'blur' : 'focus')), away);
    const hide = (away) => setPageHidden(page, away);
    const uploads = () => page.evaluate(() => window.Module.spireholdUploads);
    const soundRuns = () => page.waitForFunction(() => window.Module.spireholdAudioState() === 'running');
    try {
      await openGame(page, site.base);
      await click(page, ...PLAY);  // the tutorial's text types itself out frame by frame
      await soundRuns();
      for (const [away, silent] of [[blur, false], [hide, true]]) {
        await away(true);
        await waitFrames(page, 2);
        const frozen = await displayWords(page), shown = await uploads();
        await waitFrames(page, 90);
        expect(differingPixels(await displayWords(page), frozen) === 0, 'the game drew without the focus');
        expect(await uploads() === shown, 'the canvas was updated without the focus');
        const sound = await page.evaluate(() => window.Module.spireholdAudioState());
        expect(!silent || sound === 'suspended', `a hidden page's sound is ${sound}`);
        await away(false);
        await soundRuns();
        await waitFrames(page, 90);
        expect(differingPixels(await displayWords(page), frozen) > 0, 'the game did not draw again with the focus');
      }
    } finally {
      await browser.close();
    }
  },

  // The picture fills the screen at phone and desktop sizes, upright and sideways, and a tap at the
  // middle of every play panel control, tower button and record keyboard key reaches the game at that
  // very display point, at every one of these (fractional) scales. On the record dialog these taps
  // only type; its OK then moves on.
  async 'fills-and-taps'({ site }) {
    const controls = gameControls();
    const targets = [...controls.panel, ...controls.towers, ...controls.keys].map(centre);
    for (const [device, tap, sizes] of [
      [PHONE, touch, [{ width: 390, height: 844 }, { width: 844, height: 390 }, { width: 360, height: 740 }]],
      [DESKTOP, click, [{ width: 1280, height: 800 }, { width: 1000, height: 700 }, { width: 500, height: 900 }]]
    ]) {
      const browser = await openBrowser(device);
      const { page } = browser;
      try {
        await openGame(page, site.base);
        await finishLevelOne(page, tap);
        for (const size of sizes) {
          await page.setViewportSize(size);
          await waitFrames(page, 2);
          await expectFilled(page, size);
          for (const [x, y] of targets) {
            await tap(page, x, y);
            const got = await page.evaluate(() => window.Module.spireholdStylus);
            expect(got.x === x && got.y === y,
              `at ${size.width} x ${size.height} a tap on ${x},${y} reached ${got.x},${got.y}`);
          }
        }
        await tap(page, ...centre(controls.ok));
        await spoken(page, /^Level 2, /);
        expect(browser.problems.length === 0, `page errors: ${browser.problems}`);
      } finally {
        await browser.close();
      }
    }
  },

  // The page's screen reader region names each screen as the player reaches it, describes the board
  // when asked, and the canvas has a name of its own.
  async 'speaks-the-screens'({ site }) {
    const browser = await openBrowser(PHONE);
    const { page } = browser;
    try {
      await openGame(page, site.base);
      expect(/Spirehold/.test(await page.getAttribute('#canvas', 'aria-label')), 'the canvas has no name');
      await spoken(page, /^Home$/);
      await touch(page, ...PLAY);
      await spoken(page, /^Tutorial: Introduction$/);
      await touch(page, ...TUTORIAL_HOME);
      await spoken(page, /^Home$/);
      await touch(page, ...PLAY);
      await spoken(page, /^Level 1, 1 by 2$/);
      await page.evaluate(() => document.getElementById('describe').click());
      const row = (n) => `Row ${n}, left \\d: empty; right \\d\\.`;
      await spoken(page, new RegExp(`^Top: \\d\\.\n${row(1)}\n${row(2)}\nBottom: \\d\\.\nChosen tower: none\\.$`));
      await finishLevel(page, touch, 1200);
      const record = await spoken(page, /^New best time 00:0\d — enter your name$/);
      await touch(page, ...OK_KEY);
      await spoken(page, /^Level 2, 1 by 2$/);
      await touch(page, ...PREV);
      await spoken(page, /^Level 1, 1 by 2$/);
      // Slower than the record this time: the level is complete, with no new best time.
      await finishLevel(page, touch, 1000 * (Number(record.match(/:(\d\d)/)[1]) + 1));
      await spoken(page, /^Level complete$/);
    } finally {
      await browser.close();
    }
  },

  // Browsers hold sound back until the player acts; the first tap starts the AudioWorklet, and the
  // game's sound comes through it. Here the context keeps a rate of its own (44100 Hz), and the
  // game's buffers still play at 11025 frames a second.
  async 'audio-after-tap'({ site }) {
    const own = () => {
      const Native = window.AudioContext;
      window.AudioContext = class extends Native { constructor() { super({ sampleRate: 44100 }); } };
    };
    const heard = await soundAfterTap(site, own, 'worklet');
    const perSecond = heard.played / heard.seconds;
    expect(Math.abs(perSecond - GAME_RATE / BUFFER_FRAMES) < 1, `${perSecond} buffers played a second`);
  },

  // A browser without AudioWorklet plays through a ScriptProcessorNode instead.
  async 'audio-without-worklet'({ site }) {
    await soundAfterTap(site, () => {
      delete window.AudioWorkletNode;
      delete BaseAudioContext.prototype.audioWorklet;
    }, 'script-processor');
  },

  // A first visit brings each of the site's files once (the page twice: once to open it, once for
  // the offline cache), and the game plays from them.
  async 'one-download'({ site }) {
    const browser = await openBrowser(PHONE);
    try {
      await openGame(browser.page, site.base);
      await browser.page.waitForFunction(() => window.Module.spireholdAudio.path === 'worklet');
      const files = readdirSync(site.root, { recursive: true }).map((file) => join(site.root, file))
        .filter((path) => statSync(path).isFile());
      const size = files.reduce((sum, path) => sum + statSync(path).size, 0);
      const fetched = site.served.reduce((sum, [, bytes]) => sum + bytes, 0);
      expect(Math.abs(fetched - size) <= 0.05 * size,
        `fetched ${fetched} bytes for ${size}: ${site.served.map(([path, bytes]) => `${path} ${bytes}`)}`);
    } finally {
      await browser.close();
    }
  }
};

// Opens the game with `prepare` run before the page's own scripts, taps, and listens to the output
// taken by `path` until it is loud; returns how many buffers it reported played in 2 s of its time.
async function soundAfterTap(site, prepare, path) {
  const browser = await openBrowser(PHONE);
  const { page } = browser;
  try {
    await browser.context.addInitScript(prepare);
    await openGame(page, site.base);
    await page.waitForFunction((wanted) => window.Module.spireholdAudio.path === wanted, path);
    const before = await page.evaluate(() => {
      const { context, node } = window.Module.spireholdAudio;
      const analyser = context.createAnalyser(), samples = new Float32Array(analyser.fftSize);
      node.connect(analyser);
      window.heard = { loudest: 0, played: 0 };
      setInterval(() => {
        analyser.getFloatTimeDomainData(samples);
        for (const sample of samples) window.heard.loudest = Math.max(window.heard.loudest, Math.abs(sample));
      }, 10);
      if (node.port) {
        const report = node.port.onmessage;
        node.port.onmessage = (event) => { window.heard.played++; report(event); };
      }
      return window.Module.spireholdAudioState();
    });
    await touch(page, ...PLAY);
    await page.waitForFunction(() => window.Module.spireholdAudioState() === 'running' && window.heard.loudest > 0.01);
    const count = () => page.evaluate(() => [window.heard.played, window.Module.spireholdAudio.context.currentTime]);
    const [firstPlayed, firstTime] = await count();
    await page.waitForFunction((start) => window.Module.spireholdAudio.context.currentTime > start + 2, firstTime);
    const [lastPlayed, lastTime] = await count();
    expect(browser.problems.length === 0, `page errors: ${browser.problems}`);
    console.log(`audio before the tap: ${before}; after: ${path} at ${await page.evaluate(() =>
      window.Module.spireholdAudio.context.sampleRate)} Hz`);
    return { played: lastPlayed - firstPlayed, seconds: lastTime - firstTime };
  } finally {
    await browser.close();
  }
}

async function playOpensTutorial(site, simulator, device, tap) {
  const [home, tutorial] = simulatorFrames(simulator, [`wait ${FRAME_MS}`, 'frame', 'tap 186 138', 'frame']);
  const browser = await openBrowser(device);
  const { page } = browser;
  try {
    await openGame(page, site.base);
    expect(differingPixels(await displayWords(page), home) === 0, 'the home screen is not the simulator\'s');
    await tap(page, ...PLAY);
    const shown = await displayWords(page);
    const wrong = differingPixels(shown, tutorial, TUTORIAL_BANNER_ROWS);
    expect(wrong === 0, `after the tap ${wrong} pixels of the tutorial's banner differ from the simulator's`);
  } finally {
    await browser.close();
  }
}

const [siteDir, simulator, check] = process.argv.slice(2);
if (!siteDir || !simulator || !(check in CHECKS)) {
  console.error(`usage: node browser_checks.mjs SITE_DIR SIM_PATH (${Object.keys(CHECKS).join('|')})`);
  process.exit(2);
}
const site = await serveSite(resolve(siteDir));
try {
  await CHECKS[check]({ site, simulator });
  console.log(`${check}: ok`);
} catch (error) {
  console.error(`${check}: ${error.message}`);
  process.exitCode = 1;
} finally {
  site.server.close();
}
