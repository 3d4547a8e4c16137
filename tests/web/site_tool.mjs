// Looking at the built site and measuring it, for the developer (the checks are browser_checks.mjs):
//   node tests/web/site_tool.mjs screenshots SITE_DIR OUTPUT_DIR
//     the start of a level, its sound switched off, the credits and the page once the game has closed,
//     at a desktop size and on a phone-sized touch screen upright and sideways;
//   node tests/web/site_tool.mjs idle-cpu SITE_DIR...          environment: IDLE_SECONDS (default 10)
//     what a still home screen costs at phone size, as a share of one core: the page's own thread
//     (Chromium's TaskDuration) and all of Chromium's processes. The sites take turns, twice over, so
//     that they meet the same machine.
import { mkdirSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import {
  DESKTOP, LEVEL_ONE_CELLS, PHONE, PLAY, QUIT, SOLVE, SOUND, TOWER_BUTTONS, TUTORIAL_HOME, playGame, waitFrames, withSite
} from './browser_session.mjs';

const HOME = TUTORIAL_HOME;  // the play panel's HOME stands where the tutorial's does
const WALK = [['1-home'], ['2-tutorial', PLAY], ['3-level', TUTORIAL_HOME, PLAY],
  ['4-towers-placed', TOWER_BUTTONS[0], LEVEL_ONE_CELLS[0], TOWER_BUTTONS[1], LEVEL_ONE_CELLS[1]], ['5-solved', SOLVE]];
// A second visit: the sound switched off on a level, then QUIT, whose credits close the game at a tap.
const TO_THE_END = [['6-sound-off', PLAY, TUTORIAL_HOME, PLAY, SOUND], ['7-credits', HOME, QUIT]];
const DEVICES = { desktop: DESKTOP, phone: PHONE, 'phone-landscape': { ...PHONE, viewport: { width: 844, height: 390 } } };
const ENDED_SETTLE_MS = 1000;  // the page's fade once the game has closed
const SECONDS = Number(process.env.IDLE_SECONDS || 10);
const TICKS_PER_SECOND = 100;  // the kernel's clock ticks in /proc/<pid>/stat
const ROUNDS = 2;
const SETTLE_MS = 3000;  // the page started, its worker's caching done, before the idle cost is counted

// Taps each step's points, then takes the step's picture as `path(step)`.
async function walk({ page, tap }, steps, path) {
  for (const [step, ...taps] of steps) {
    for (const point of taps) await tap(...point);
    await waitFrames(page, 10);
    await page.screenshot({ path: path(step) });
  }
}

async function screenshots(site, output) {
  mkdirSync(output, { recursive: true });
  for (const [name, device] of Object.entries(DEVICES)) {
    const path = (step) => join(output, `${name}-${step}.png`);
    await playGame(site, device, (session) => walk(session, WALK, path));
    await playGame(site, device, async (session) => {
      await walk(session, TO_THE_END, path);
      await session.press(...QUIT);  // no frame follows this tap
      await session.page.waitForFunction(() => window.Module.spireholdEnded !== undefined);
      await session.page.waitForTimeout(ENDED_SETTLE_MS);
      await session.page.screenshot({ path: path('8-ended') });
    });
  }
}

// Processor ticks used so far by this tool's descendants: the one Chromium it runs at a time.
function chromiumTicks() {
  const processes = readdirSync('/proc').filter((name) => /^\d+$/.test(name)).flatMap((pid) => {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8'), fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      return [{ pid: Number(pid), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]) }];
    } catch {
      return [];  // the process ended meanwhile
    }
  });
  const tree = new Set([process.pid]);
  for (let size = 0; size !== tree.size;) {
    size = tree.size;
    processes.forEach((p) => tree.has(p.parent) && tree.add(p.pid));
  }
  return processes.filter((p) => p.pid !== process.pid && tree.has(p.pid)).reduce((sum, p) => sum + p.ticks, 0);
}

// Shares of one core over IDLE_SECONDS of the home screen: all of Chromium, then the page's thread; and
// frames a second, from a few seconds after the page opened. The page's thread is read through the DevTools protocol, whose instruments cost the
// browser time of their own, so all of Chromium is counted first, without them.
const idleCpu = (site) => playGame(site, PHONE, async ({ page }) => {
  await page.evaluate(() => navigator.serviceWorker.ready);  // the first visit's offline copy made
  await page.waitForTimeout(SETTLE_MS);
  const frames = () => page.evaluate(() => window.Module.spireholdFrames);
  const [ticks, framesBefore] = [chromiumTicks(), await frames()];
  await page.waitForTimeout(SECONDS * 1000);
  const all = ((chromiumTicks() - ticks) / TICKS_PER_SECOND / SECONDS) * 100, perSecond = ((await frames()) - framesBefore) / SECONDS;
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  const taskSeconds = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const tasks = await taskSeconds();
  await page.waitForTimeout(SECONDS * 1000);
  return [(((await taskSeconds()) - tasks) / SECONDS) * 100, all, perSecond];
});

const [command, ...dirs] = process.argv.slice(2);
if (command === 'screenshots' && dirs.length === 2) {
  await withSite(dirs[0], (site) => screenshots(site, dirs[1]));
} else if (command === 'idle-cpu' && dirs.length > 0) {
  const runs = new Map(dirs.map((dir) => [dir, []]));
  for (let round = 0; round < ROUNDS; round++) for (const dir of dirs) runs.get(dir).push(await withSite(dir, idleCpu));
  for (const [dir, results] of runs) {
    const [page, all, frames] = [0, 1, 2].map((i) => results.map((r) => r[i].toFixed(1)).join(' / '));
    console.log(`${dir}: page thread ${page} %, all of Chromium ${all} % of one core, at ${frames} frames/s`);
  }
} else {
  console.error('usage: node site_tool.mjs screenshots SITE_DIR OUTPUT_DIR | idle-cpu SITE_DIR...');
  process.exitCode = 2;
}
