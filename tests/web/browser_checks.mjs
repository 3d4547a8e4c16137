// The browser build, played in headless Chromium as a player would:
//   node browser_checks.mjs SITE_DIR SIM_PATH CHECK
// CHECK is one of the names in CHECKS below. Exits 0 when the check holds, 1 with the reason when not.
// The simulator (spirehold-sim) runs the same game on the headless device and gives the frames the
// browser must show.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, statSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  DESKTOP, DISPLAY_HEIGHT, DISPLAY_WIDTH, LEVEL_ONE_CELLS, OK_KEY, PHONE, PLAY, PREV, QUIT, SOUND, TOWER_BUTTONS,
  TUTORIAL_HOME, displayWords, playGame, started, waitFrames, withSite
} from './browser_session.mjs';
import { focusedName, place, press, readBoard, solve } from './keyboard_play.mjs';

const STORAGE_KEY = 'spirehold/game.dat', RECORDS_FILE_SIZE = 900, GAME_KEY = 'spirehold/game.sav';
const FRAME_MS = 16, STILL_MS = 2000, TUTORIAL_BANNER_ROWS = 36, STATUS_LINE_TOP = 280;  // the tutorial's banner; the text below it types itself out
const GAME_RATE = 11025, BUFFER_FRAMES = 1102;  // a buffer is a tenth of a second, in whole frames
const RATE_SPAN_S = 4, RATE_TOLERANCE = 0.25;  // the buffers' rate, over seconds of sound
// The middles of the play panel's buttons, and of the record keyboard's keys 1..27 (A..Z, delete):
// three rows of nine, 17 pixels apart, odd columns 3 pixels lower.
const PANEL = [32, 108, 144, 162, 177, 210].map((x) => [x, 310]);
const keyMiddle = (key, column = (key - 1) % 9) => [52 + 17 * column, 169 + 20 * Math.floor((key - 1) / 9) + (column % 2) * 3];
const KEYS = Array.from({ length: 27 }, (_, i) => keyMiddle(i + 1));

const expect = (condition, message) => { if (!condition) throw new Error(message); };
const differingPixels = (a, b, rows = DISPLAY_HEIGHT) => a.subarray(0, rows * DISPLAY_WIDTH).filter((word, i) => word !== b[i]).length;
// What `test` gives once it gives something, run in the page on `argument`; when it never does, the
// failure says what `instead` (run here) finds.
const waitFor = (page, test, argument, instead) => page.waitForFunction(test, argument)
  .then((given) => given.jsonValue(), async (error) => { throw instead ? new Error(await instead()) : error; });

// Plays `body` on a fresh game for each run in turn: a run names the device and any init script; the
// body is given the run's fields beside the session's.
async function playEach(site, runs, body) {
  for (const run of runs) await playGame(site, run.device, (session) => body({ ...session, ...run }), run.init);
}

// The simulator's home screen, and its screen after a tap on PLAY, as RGB565 words.
function simulatorFrames(simulator) {
  const folder = mkdtempSync(join(tmpdir(), 'spirehold-sim-'));
  try {
    const script = `wait ${FRAME_MS}\nframe ${folder}/home.rgb565\ntap ${PLAY.join(' ')}\nframe ${folder}/tutorial.rgb565\nquit\n`;
    const run = spawnSync(simulator, ['--dir', folder], { input: script });
    expect(run.status === 0, `the simulator failed: ${run.stderr}`);
    return ['home', 'tutorial'].map((name) => new Uint16Array(Uint8Array.from(readFileSync(join(folder, `${name}.rgb565`))).buffer));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

// The text stored under `key` once it `matches` and differs from `differsFrom`.
const stored = (page, key, matches, differsFrom = null) => waitFor(page, ([name, pattern, old]) => {
  const text = window.localStorage.getItem(name);
  return text !== null && new RegExp(pattern).test(text) && text !== old && text;
}, [key, matches.source, differsFrom],
  async () => `${key} never held ${matches}: ${await page.evaluate((name) => window.localStorage.getItem(name), key)}`);

// The viewport at a new size, once the page has laid itself out for it: its resize handler runs at the
// next rendering step, which the game's own frames, paced by timers on a still picture, need not wait for.
async function resize(page, width, height) {
  await page.setViewportSize({ width, height });
  await page.evaluate(() => new Promise((laidOut) => requestAnimationFrame(() => requestAnimationFrame(laidOut))));
}

// The page hidden (or shown again) as when the player turns to another tab.
const setHidden = (page, hidden) => page.evaluate((away) => {
  Object.defineProperty(document, 'hidden', { value: away, configurable: true });
  Object.defineProperty(document, 'visibilityState', { value: away ? 'hidden' : 'visible', configurable: true });
  document.dispatchEvent(new Event('visibilitychange'));
}, hidden);

// What the screen reader region says, once it says something that `matches`.
const spoken = (page, matches) => waitFor(page, (pattern, text = document.getElementById('spoken').textContent) =>
  new RegExp(pattern).test(text) && text, matches.source,
  async () => `the screen reader region says "${await page.textContent('#spoken')}", not ${matches}`);

// Level 1 (one column of two cells, two tower kinds), reached through `controls`, filled each way in
// turn after `waitMs` until one completes it (most of the screen darkens under the record dialog or
// the level's end).
const TO_LEVEL_ONE = [PLAY, TUTORIAL_HOME, PLAY];
async function finishLevel({ page, tap }, { controls = [], waitMs = 0 } = {}) {
  for (const control of controls) await tap(...control);
  await page.waitForTimeout(waitMs);
  for (const filling of [[0, 0], [0, 1], [1, 0], [1, 1]]) {
    const before = await displayWords(page);
    for (const [cell, kind] of filling.entries()) {
      await tap(...TOWER_BUTTONS[kind]);
      await tap(...LEVEL_ONE_CELLS[cell]);
    }
    await waitFrames(page, 2);
    if (differingPixels(before, await displayWords(page)) > (DISPLAY_WIDTH * DISPLAY_HEIGHT) / 3) return;
  }
  throw new Error('no filling completed level 1');
}

const AXE_LIMIT_MS = 60000;  // a page this small takes axe well under a second
const AXE_SOURCE = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// Init scripts: the page's audio at a rate of its own, and a browser without AudioWorklet.
const ownRate = () => { window.AudioContext = class extends window.AudioContext { constructor() { super({ sampleRate: 44100 }); } }; };
const noWorklet = () => { delete window.AudioWorkletNode; delete BaseAudioContext.prototype.audioWorklet; };

const CHECKS = {
  // A first visit brings each of the site's files once (the page twice: once to open it, once for the
  // offline cache); the worker takes over, and the manifest lists icons that load at their sizes.
  firstVisit: ({ site }) => playGame(site, PHONE, async ({ page }) => {
    await page.waitForFunction(() => window.Module.spireholdAudio.path === 'worklet');
    const size = readdirSync(site.root, { recursive: true }).map((file) => statSync(join(site.root, file)))
      .reduce((sum, file) => sum + (file.isFile() ? file.size : 0), 0);
    const fetched = site.served.reduce((sum, [, bytes]) => sum + bytes, 0);
    expect(Math.abs(fetched - size) <= 0.05 * size, `fetched ${fetched} bytes for ${size}: ${site.served.join(' ')}`);
    const { manifest, icons, apple, worker } = await page.evaluate(async () => {
      const load = (src) => new Promise((done) => Object.assign(new Image(),
        { onload() { done(`${this.naturalWidth}x${this.naturalHeight}`); }, onerror: () => done('nothing'), src }));
      const listed = await (await fetch('manifest.webmanifest')).json();
      return { manifest: listed, icons: await Promise.all(listed.icons.map((icon) => load(icon.src))),
        apple: await load(document.querySelector('link[rel="apple-touch-icon"]').href),
        worker: (await navigator.serviceWorker.ready).active !== null && navigator.serviceWorker.controller !== null };
    });
    expect(worker && manifest.orientation === 'portrait' && manifest.theme_color && manifest.background_color &&
      manifest.icons.every((icon, i) => icons[i] === icon.sizes) && ['192x192', '512x512'].every((s) => icons.includes(s)) &&
      manifest.icons.some((icon) => icon.purpose === 'maskable') && apple === '180x180',
      `worker ${worker}, manifest ${JSON.stringify(manifest)}: icons load as ${icons}, the Apple touch icon as ${apple}`);
  }),

  // A best time and the name typed for it survive a reload with no network at all: the game starts and
  // sounds from the offline cache, reads the records back, and a later save (the sound switch) keeps them.
  reloadOffline: ({ site }) => playGame(site, DESKTOP, async ({ page, context, tap }) => {
    await finishLevel({ page, tap }, { controls: TO_LEVEL_ONE });
    for (const letter of 'WEB') await tap(...keyMiddle(letter.charCodeAt(0) - 64));
    await tap(...OK_KEY);
    const saved = await stored(page, STORAGE_KEY, /     WEB/);
    expect(saved.length === RECORDS_FILE_SIZE, `the stored file has ${saved.length} bytes`);
    await context.setOffline(true);
    await page.reload();
    await started(page);
    await tap(...PLAY);
    await page.waitForFunction(() => window.Module.spireholdAudio.path === 'worklet' &&
      window.Module.spireholdAudioState() === 'running');
    await tap(...SOUND);
    const resaved = await stored(page, STORAGE_KEY, /(?:)/, saved);
    expect(resaved.includes('     WEB') && resaved[0] !== saved[0], 'the record or the sound switch was lost across the reload');
  }),

  // The home screen and the tutorial's banner after PLAY, pixel for pixel as the simulator draws them,
  // by mouse on a desktop and by touch on a phone: the display memory, and the canvas (whole device
  // pixels per game pixel) at the middle of each game pixel, each RGB565 component widened by
  // repeating its top bits.
  async matchesSimulator({ site, simulator }) {
    const [home, tutorial] = simulatorFrames(simulator);
    await playEach(site, [{ device: DESKTOP }, { device: PHONE }], async ({ page, tap }) => {
      expect(differingPixels(await displayWords(page), home) === 0, 'the home screen is not the simulator\'s');
      const wrong = await page.evaluate(([expected, width, height]) => {
        const canvas = document.getElementById('canvas');
        const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        return expected.filter((word, i) => {
          const row = Math.floor(((Math.floor(i / width) + 0.5) * canvas.height) / height);
          const at = 4 * (row * canvas.width + Math.floor((((i % width) + 0.5) * canvas.width) / width));
          const r = word >> 11, g = (word >> 5) & 63, b = word & 31;
          return [(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2), 255].some((value, c) => data[at + c] !== value);
        }).length;
      }, [Array.from(home), DISPLAY_WIDTH, DISPLAY_HEIGHT]);
      expect(wrong === 0, `${wrong} canvas pixels differ from the simulator's frame`);
      await tap(...PLAY);
      const banner = differingPixels(await displayWords(page), tutorial, TUTORIAL_BANNER_ROWS);
      expect(banner === 0, `after PLAY ${banner} pixels of the tutorial's banner differ from the simulator's`);
    });
  },

  // Leaving the window or hiding the page stops the game's drawing (the last frame stays, the canvas is
  // left alone) until it is back; a hidden page is silent, and its sound resumes on return.
  focusFollowsWindow: ({ site }) => playGame(site, DESKTOP, async ({ page, tap }) => {
    const leave = (hiding, away) => (hiding ? setHidden(page, away)
      : page.evaluate((gone) => window.dispatchEvent(new FocusEvent(gone ? 'blur' : 'focus')), away));
    const state = async () => ({ words: await displayWords(page), ...(await page.evaluate(() =>
      ({ uploads: window.Module.spireholdUploads, sound: window.Module.spireholdAudioState() }))) });
    const soundRuns = () => page.waitForFunction(() => window.Module.spireholdAudioState() === 'running');
    for (const control of TO_LEVEL_ONE) await tap(...control);  // the level's clock redraws each second
    await soundRuns();
    for (const hiding of [false, true]) {
      await leave(hiding, true);
      await waitFrames(page, 2);
      const frozen = await state();
      await waitFrames(page, 90);
      const later = await state();
      expect(differingPixels(later.words, frozen.words) === 0 && later.uploads === frozen.uploads &&
        (!hiding || later.sound === 'suspended'), `without the focus the game drew, or its sound is ${later.sound}`);
      await leave(hiding, false);
      await soundRuns();
      await page.waitForFunction((shown) => window.Module.spireholdUploads > shown, frozen.uploads);
    }
  }),

  // The picture fills the limiting side of the viewport, upright and sideways, on a canvas of whole
  // device pixels in 3:4; and a tap at the middle of every play panel control, tower button and record
  // keyboard key reaches the game at that very display point, at each of these fractional scales. On
  // the record dialog these taps only type; its OK then moves on.
  fillsAndTaps: ({ site }) => playEach(site, [{ device: PHONE, sizes: [[390, 844], [844, 390], [360, 740]] },
    { device: DESKTOP, sizes: [[1280, 800], [1000, 700], [500, 900]] }], async ({ page, tap, sizes }) => {
    await finishLevel({ page, tap }, { controls: TO_LEVEL_ONE });
    for (const [width, height] of sizes) {
      await resize(page, width, height);
      await waitFrames(page, 2);
      const fit = await page.evaluate((canvas = document.getElementById('canvas')) =>
        ({ width: canvas.width, height: canvas.height, css: canvas.getBoundingClientRect().width, ratio: window.devicePixelRatio }));
      const side = Math.min(width / DISPLAY_WIDTH, height / DISPLAY_HEIGHT) * DISPLAY_WIDTH;
      expect(fit.css >= 0.95 * side && fit.width * 4 === fit.height * 3 && Math.abs(fit.css * fit.ratio - fit.width) < 0.01,
        `at ${width} x ${height} the canvas holds ${fit.width} x ${fit.height} for ${fit.css} CSS pixels of ${side}`);
      for (const [x, y] of [...PANEL, ...TOWER_BUTTONS, ...KEYS]) {
        await tap(x, y);
        const got = await page.evaluate(() => window.Module.spireholdStylus);
        expect(got.x === x && got.y === y, `at ${width} x ${height} a tap on ${x},${y} reached ${got.x},${got.y}`);
      }
    }
    await tap(...OK_KEY);
    await spoken(page, /^Level 2, /);
  }),

  // The screen reader region names each screen as the player reaches it and describes the board when
  // asked; the canvas has a name of its own.
  speaksTheScreens: ({ site }) => playGame(site, PHONE, async ({ page, tap }) => {
    expect(/Spirehold/.test(await page.getAttribute('#canvas', 'aria-label')), 'the canvas has no name');
    for (const [control, screen] of [[null, /^Home$/], [PLAY, /^Tutorial: Introduction$/], [TUTORIAL_HOME, /^Home$/],
      [PLAY, /^Level 1, 1 by 2$/]]) {
      if (control) await tap(...control);
      await spoken(page, screen);
    }
    await page.evaluate(() => document.getElementById('describe').click());
    const row = (n) => `Row ${n}, left \\d: empty; right \\d\\.`;
    await spoken(page, new RegExp(`^Top: \\d\\.\n${row(1)}\n${row(2)}\nBottom: \\d\\.\nChosen tower: none\\.$`));
    await finishLevel({ page, tap }, { waitMs: 1200 });
    const [, minutes, seconds] = (await spoken(page, /^New best time (\d\d):(\d\d) — enter your name$/)).match(/(\d+):(\d+)/);
    await tap(...OK_KEY);
    await spoken(page, /^Level 2, 1 by 2$/);
    await tap(...PREV);
    await spoken(page, /^Level 1, 1 by 2$/);
    // Slower than the record this time: the level is complete, with no new best time.
    await finishLevel({ page, tap }, { waitMs: 1000 * (60 * minutes + Number(seconds) + 1) });
    await spoken(page, /^Level complete$/);
  }),

  // Once a tap on the credits has closed the game, the label that starts it again stands clear of the
  // picture, inside the page, upright, sideways and where the page has the picture's own shape. It is a
  // button in no live region, after everything said of the game's screen; the keyboard restarts with it.
  playAgainBesideThePicture: ({ site }) => playEach(site, [{ device: PHONE, sizes: [[390, 844], [844, 390], [300, 400]] },
    { device: DESKTOP, sizes: [[600, 800], [1280, 800]] }], async ({ page, press, tap, device, sizes }) => {
    await tap(...QUIT);
    await spoken(page, /^Credits$/);
    await press(...QUIT);
    await page.waitForFunction(() => window.Module.spireholdEnded !== undefined);
    for (const [width, height] of sizes) {
      await resize(page, width, height);
      const [picture, label] = await page.evaluate(() => ['canvas', 'again'].map((id) => {
        const { left, top, right, bottom } = document.getElementById(id)?.getBoundingClientRect() ?? {};
        return { left, top, right, bottom };
      }));
      const clear = label.right <= picture.left || label.left >= picture.right || label.bottom <= picture.top || label.top >= picture.bottom;
      const inPage = label.right > label.left && label.left >= 0 && label.top >= 0 && label.right <= width && label.bottom <= height;
      expect(clear && inPage, `at ${width} x ${height} the label lies at ${JSON.stringify(label)}, the picture at ${JSON.stringify(picture)}`);
    }
    const found = await page.evaluate((again = document.getElementById('again')) => again && ({
      text: again.textContent, button: again.tagName === 'BUTTON' && again.tabIndex >= 0, live: again.closest('[aria-live]') !== null,
      afterWords: (document.getElementById('spoken').compareDocumentPosition(again) & Node.DOCUMENT_POSITION_FOLLOWING) !== 0
    }));
    expect(found && /play again/i.test(found.text) && found.button && !found.live && found.afterWords, `the label is ${JSON.stringify(found)}`);
    if (device !== DESKTOP) return;
    await page.focus('#again');
    await Promise.all([page.waitForNavigation(), page.keyboard.press('Enter')]);
    await started(page);
  }),

  // Played without sight or pointer: every control found by role and name in the accessibility tree,
  // reached with Tab and the arrow keys and used with Enter. Level 1 is read from its viewpoints and
  // answered, the cell's news is said, a name is typed into the record dialog's field with the letter
  // keys and Backspace, Enter presses OK, and level 2 follows. The keys the controls use never reach the
  // game (any other key on a level goes home, as Escape does); the focused control is ringed.
  playsByKeyboard: ({ site }) => playGame(site, DESKTOP, async ({ page }) => {
    await press(page, 'button', 'Play');
    await spoken(page, /^Tutorial: Introduction$/);
    await press(page, 'link', 'Home');
    await spoken(page, /^Home$/);
    const ringed = await page.evaluate((element = document.activeElement) => element.getAttribute('aria-label') === 'Play' &&
      element.matches(':focus-visible') && getComputedStyle(element).outlineStyle === 'solid');
    expect(ringed, `after Home the focus is on "${await focusedName(page)}", not a ringed Play`);
    await page.keyboard.press('Enter');
    await spoken(page, /^Level 1, 1 by 2$/);
    // Round the one column's two cells: out to the viewpoints and back, none beyond the corners.
    for (const [key, lands] of [['ArrowDown', /^Row 2, column 1, empty$/], ['End', /^right 1$/], ['Home', /^left 1$/],
      ['ArrowUp', /^left 1$/], ['ArrowRight', /^Row 1, column 1, empty$/], ['ArrowUp', /^top \d$/], ['ArrowLeft', /^top \d$/],
      ['ArrowDown', /^Row 1, column 1, empty$/], ['ArrowDown', /^Row 2, column 1, empty$/], ['ArrowDown', /^bottom \d$/]]) {
      await page.keyboard.press(key);
      const name = await focusedName(page);
      expect(lands.test(name), `${key} moved the board's focus to "${name}", not ${lands}`);
    }
    const answer = solve(await readBoard(page));
    await place(page, 1, 1, answer[0][0]);
    await spoken(page, new RegExp(`^Row 1, column 1, ${answer[0][0].toLowerCase()}; right 1, lit; left 1, lit$`));
    await place(page, 2, 1, answer[1][0]);
    await spoken(page, /^New best time \d\d:\d\d — enter your name$/);
    const field = page.getByRole('textbox', { name: 'Your name' });
    expect(await field.evaluate((element) => element === document.activeElement), `the record dialog's focus is on "${await focusedName(page)}"`);
    await page.keyboard.type('kez');
    await page.keyboard.press('Backspace');
    await page.keyboard.type('YS');
    await page.waitForFunction(() => document.activeElement.textContent === 'KEYS');
    await page.keyboard.press('Enter');
    await spoken(page, /^Level 2, 1 by 2$/);
    await stored(page, STORAGE_KEY, /    KEYS/);
    await page.keyboard.press('Escape');
    await spoken(page, /^Home$/);
  }),

  // axe-core's default rules find no violation on any screen, on a phone and on a desktop: the home
  // menu, a tutorial page, a level in play, the record dialog, a level complete and the credits.
  axeFindsNothing: ({ site }) => playEach(site, [{ device: PHONE }, { device: DESKTOP }], async ({ page, device }) => {
    const pressing = (...controls) => async () => { for (const [role, name] of controls) await press(page, role, name); };
    const answer = async () => {  // read from the viewpoints
      for (const [row, kinds] of solve(await readBoard(page)).entries()) {
        for (const [column, kind] of kinds.entries()) await place(page, row + 1, column + 1, kind);
      }
    };
    // An answer shown counts once a tower is placed again, and earns no best time.
    const placeShownAnswer = async () => {
      await press(page, 'button', 'Solve');
      await page.getByRole('gridcell', { name: /^Row 1, column 1, (?!empty)/ }).waitFor();
      const { cells } = await readBoard(page);
      await place(page, 1, 1, cells[0].content.replace(/^./, (first) => first.toUpperCase()));
    };
    // Each step: how the screen is reached, what is said once it is there, and its name in a failure (none: not audited).
    for (const [reach, says, screen] of [[null, /^Home$/, 'home'],
      [pressing(['button', 'Help']), /^Tutorial: Introduction$/, 'a tutorial page'],
      [pressing(['link', 'Home'], ['button', 'Play']), /^Level 1, /, 'a level in play'], [answer, /^New best time/, 'the record dialog'],
      [pressing(['button', 'OK']), /^Level 2, /], [placeShownAnswer, /^Level complete$/, 'a level complete'],
      [pressing(['button', 'Continue']), /^Level 3, /],
      [pressing(['button', 'Home'], ['button', 'Quit']), /^Credits$/, 'the credits']]) {
      if (reach) await reach();
      await spoken(page, says);
      if (!screen) continue;
      await page.evaluate((source) => { if (!window.axe) (0, eval)(source); }, AXE_SOURCE);
      const { violations } = await page.evaluate((limit) => Promise.race([window.axe.run(),
        new Promise((_, fail) => setTimeout(() => fail(new Error(`axe ran for over ${limit} ms`)), limit))]), AXE_LIMIT_MS);
      const found = violations.map((v) => `${v.id} (${v.nodes.map((node) => node.target.join(' ')).join(', ')})`);
      expect(found.length === 0, `${device.viewport.width} x ${device.viewport.height}, ${screen}: ${found.join('; ')}`);
    }
  }),

  // A level half played is there again after the page is left and opened again, its clock going on
  // from where it stood; the screen is kept awake on the play screen only (a wake lock taken there, let
  // go on the home screen and while the page is hidden, taken again on its return), and persistent
  // storage is asked for once there is a game to keep. Without storage, wake lock or storage manager
  // the game plays on without an error.
  async keepsTheGame({ site }) {
    const watchKeeping = () => {
      const log = (window.keeping = { requests: 0, releases: 0, persists: 0 });
      const wakeLock = { request: async () => (log.requests++, { release: async () => { log.releases++; } }) };
      Object.defineProperty(navigator, 'wakeLock', { value: wakeLock, configurable: true });
      if (navigator.storage) navigator.storage.persist = async () => (log.persists++, true);  // none on about:blank
    };
    const kept = (page, counts) => waitFor(page, (wanted) => Object.keys(wanted).every((key) => window.keeping[key] === wanted[key]), counts,
      async () => `kept ${JSON.stringify(await page.evaluate(() => window.keeping))}, not ${JSON.stringify(counts)}`);
    const clockOf = (text) => Number(/\nclock (\d+)\n/.exec(text)[1]);
    await playGame(site, PHONE, async ({ page, tap }) => {
      for (const control of TO_LEVEL_ONE) await tap(...control);
      await kept(page, { requests: 1, releases: 0 });
      for (const control of [TOWER_BUTTONS[0], LEVEL_ONE_CELLS[0]]) await tap(...control);
      await page.waitForTimeout(1500);
      await stored(page, GAME_KEY, /\ntowers 1 \.\n/);
      const board = await displayWords(page);
      for (const [act, counts] of [[() => tap(...TUTORIAL_HOME), { requests: 1, releases: 1, persists: 1 }],
        [() => tap(...PLAY), { requests: 2, releases: 1 }], [() => setHidden(page, true), { requests: 2, releases: 2 }],
        [() => setHidden(page, false), { requests: 3, releases: 2 }]]) {
        await act();
        await kept(page, counts);
      }

      const left = await stored(page, GAME_KEY, /\ntowers 1 \.\n/);
      await page.goto('about:blank');
      await page.goto(site.base);
      await started(page);
      await tap(...PLAY);
      await kept(page, { requests: 1 });
      const wrong = differingPixels(await displayWords(page), board, STATUS_LINE_TOP);
      expect(wrong === 0, `after the page was opened again ${wrong} pixels of the board differ`);
      const clock = clockOf(await stored(page, GAME_KEY, new RegExp(`\nclock (?!${clockOf(left)}\n)`)));
      expect(clock > clockOf(left) && clock <= clockOf(left) + 2, `the clock went on at ${clock}, left at ${clockOf(left)}`);
    }, watchKeeping);
    const noStorage = () => {
      Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('refused', 'SecurityError'); } });
      Object.defineProperty(navigator, 'storage', { value: undefined, configurable: true });
      Object.defineProperty(navigator, 'wakeLock', { value: { request: () => Promise.reject(new Error('refused')) }, configurable: true });
    };
    await playGame(site, PHONE, async ({ page, tap }) => {
      for (const control of [...TO_LEVEL_ONE, TOWER_BUTTONS[0], LEVEL_ONE_CELLS[0]]) await tap(...control);
      await page.waitForTimeout(1500);
      await spoken(page, /^Row 1, column 1, tower 1[;,]/);  // the placement, said as on any level
    }, noStorage);
  },

  // A still screen asks the browser for no animation frame and wakes the page at every second tick of
  // the game's frame timer, the game still drawing every frame on its beat; a tap changes the picture
  // at once.
  stillScreenSleeps: ({ site }) => playGame(site, PHONE, async ({ page, tap }) => {
    await spoken(page, /^Home$/);
    const still = await page.evaluate((ms) => new Promise((done) => {
      const counted = { animationFrames: 0, wakes: 0 }, { requestAnimationFrame: frame, setTimeout: wake } = window;
      window.requestAnimationFrame = (call) => { counted.animationFrames++; return frame(call); };
      window.setTimeout = (call, after) => { counted.wakes++; return wake(call, after); };
      const { spireholdFrames: frames, spireholdUploads: uploads } = window.Module;
      wake(() => done({ ...counted, frames: window.Module.spireholdFrames - frames, uploads: window.Module.spireholdUploads - uploads }), ms);
    }), STILL_MS);
    const ticks = STILL_MS / FRAME_MS;
    expect(still.animationFrames === 0 && still.uploads === 0 && still.wakes <= ticks / 2 + 1 &&
      Math.abs(still.frames - ticks) <= 0.05 * ticks, `a still home screen: ${JSON.stringify(still)} in ${STILL_MS} ms`);
    const uploads = await page.evaluate(() => window.Module.spireholdUploads);
    await tap(...PLAY);
    expect(await page.evaluate(() => window.Module.spireholdUploads) > uploads, 'a tap on PLAY changed nothing two frames later');
  }),

  // Browsers hold sound back until the player acts; the first tap starts the output, and the game's
  // sound comes through it: an AudioWorklet, here in a context of a rate of its own (44100 Hz) that
  // still takes the game's buffers at 11025 frames a second; or, without AudioWorklet, a
  // ScriptProcessorNode.
  soundAfterTap: ({ site }) => playEach(site, [{ device: PHONE, init: ownRate, path: 'worklet' },
    { device: PHONE, init: noWorklet, path: 'script-processor' }], async ({ page, tap, path }) => {
    await page.waitForFunction((wanted) => window.Module.spireholdAudio.path === wanted, path);
    await page.evaluate(() => {
      const { context, node } = window.Module.spireholdAudio, analyser = context.createAnalyser();
      const samples = new Float32Array(analyser.fftSize), heard = (window.heard = { loudest: 0, reports: [] });
      node.connect(analyser);
      setInterval(() => { analyser.getFloatTimeDomainData(samples); heard.loudest = Math.max(heard.loudest, ...samples.map(Math.abs)); }, 10);
      if (node.port) node.port.addEventListener('message', () => heard.reports.push(context.currentTime));
    });
    await tap(...PLAY);
    await page.waitForFunction(() => window.Module.spireholdAudioState() === 'running' && window.heard.loudest > 0.01);
    if (path !== 'worklet') return;
    const perSecond = await waitFor(page, (RATE_SPAN_S) => {
      const times = window.heard.reports, span = times[times.length - 1] - times[0];
      return span > RATE_SPAN_S && (times.length - 1) / span;
    }, RATE_SPAN_S);
    // Buffers taken at the context's own rate would come four times as fast; a machine busy with other
    // work can starve the page of a buffer or two now and then.
    expect(Math.abs(perSecond / (GAME_RATE / BUFFER_FRAMES) - 1) < RATE_TOLERANCE, `${perSecond} buffers played a second`);
  })
};

const [siteDir, simulator, check] = process.argv.slice(2);
try {
  expect(check in CHECKS, `usage: node browser_checks.mjs SITE_DIR SIM_PATH (${Object.keys(CHECKS).join('|')})`);
  await withSite(siteDir, (site) => CHECKS[check]({ site, simulator }));
  console.log(`${check}: ok`);
} catch (error) {
  console.error(`${check}: ${error.stack}`);
  process.exitCode = 1;
}
