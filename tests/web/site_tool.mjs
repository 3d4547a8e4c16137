// Looking at the built site and measuring it, for the developer (the checks are browser_checks.mjs):
//   node tests/web/site_tool.mjs screenshots SITE_DIR OUTPUT_DIR
//     the start of a level, at a desktop size and on a phone-sized touch screen upright and sideways;
//   node tests/web/site_tool.mjs idle-cpu SITE_DIR...          environment: IDLE_SECONDS (default 10)
//     what a still home screen costs at phone size, as a share of one core: the page's own thread
//     (Chromium's TaskDuration) and all of Chromium's processes. The sites take turns, twice over, so
//     that they meet the same machine.
import { mkdirSync, readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import {
  DESKTOP, LEVEL_ONE_CELLS, PHONE, PLAY, SOLVE, TOWER_BUTTONS, TUTORIAL_HOME, playGame, waitFrames, withSite
} from './browser_session.mjs';

const WALK = [['1-home'], ['2-tutorial', PLAY], ['3-level', TUTORIAL_HOME, PLAY],
  ['4-towers-placed', TOWER_BUTTONS[0], LEVEL_ONE_CELLS[0], TOWER_BUTTONS[1], LEVEL_ONE_CELLS[1]], ['5-solved', SOLVE]];
const DEVICES = { desktop: DESKTOP, phone: PHONE, 'phone-landscape': { ...PHONE, viewport: { width: 844, height: 390 } } };
const SECONDS = Number(process.env.IDLE_SECONDS || 10);
const TICKS_PER_SECOND = 100;  // the kernel's clock ticks in /proc/<pid>/stat
const ROUNDS = 2;

async function screenshots(site, output) {
  mkdirSync(output, { recursive: true });
  for (const [name, device] of Object.entries(DEVICES)) {
    await playGame(site, device, async ({ page, tap }) => {
      for (const [step, ...taps] of WALK) {
        for (const point of taps) await tap(...point);
        await waitFrames(page, 10);
        await page.screenshot({ path: join(output, `${name}-${step}.png`) });
      }
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

// Shares of one core over IDLE_SECONDS of the home screen: the page's thread, all of Chromium; and frames a second.
const idleCpu = (site) => playGame(site, PHONE, async ({ page }) => {
  await waitFrames(page, 60);
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  const sample = async () => [(await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value,
    chromiumTicks() / TICKS_PER_SECOND, await page.evaluate(() => window.Module.spireholdFrames)];
  const before = await sample();
  await page.waitForTimeout(SECONDS * 1000);
  return (await sample()).map((value, i) => ((value - before[i]) / SECONDS) * (i < 2 ? 100 : 1));
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
