// What a still home screen costs: for each built site given, Chromium shows a fresh game's home screen
// for a while, and the processor time it took is printed as a share of one core, both the page's own
// thread (Chromium's TaskDuration) and all of Chromium's processes together. The sites take turns,
// twice over, so that they meet the same machine.
//   node tests/web/idle_cpu.mjs SITE_DIR...        environment: IDLE_SECONDS (default 10)
import { readFileSync, readdirSync } from 'node:fs';
import { resolve } from 'node:path';
import { PHONE, openBrowser, openGame, serveSite, waitFrames } from './browser_session.mjs';

const SECONDS = Number(process.env.IDLE_SECONDS || 10);
const TICKS_PER_SECOND = 100;  // the kernel's clock ticks in /proc/<pid>/stat
const ROUNDS = 2;

// Processor ticks used so far by the Chromium started on `profile` and all its descendants.
function chromiumTicks(profile) {
  const processes = [];
  for (const entry of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const command = readFileSync(`/proc/${entry}/cmdline`, 'utf8');
      processes.push({ pid: Number(entry), parent: Number(fields[1]), ticks: Number(fields[11]) + Number(fields[12]),
        root: command.includes(`--user-data-dir=${profile}`) });
    } catch {
      // the process ended meanwhile
    }
  }
  const tree = new Set(processes.filter((p) => p.root).map((p) => p.pid));
  for (let grown = true; grown;) {
    grown = false;
    for (const p of processes) {
      if (!tree.has(p.pid) && tree.has(p.parent)) {
        tree.add(p.pid);
        grown = true;
      }
    }
  }
  return processes.filter((p) => tree.has(p.pid)).reduce((sum, p) => sum + p.ticks, 0);
}

async function measure(site) {
  const browser = await openBrowser(PHONE);
  const { page } = browser;
  try {
    await openGame(page, site.base);
    await waitFrames(page, 60);
    const cdp = await page.context().newCDPSession(page);
    await cdp.send('Performance.enable');
    const busy = async () =>
      (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
    const [busyBefore, ticksBefore] = [await busy(), chromiumTicks(browser.profile)];
    const framesBefore = await page.evaluate(() => window.Module.spireholdFrames);
    await page.waitForTimeout(SECONDS * 1000);
    const [busyAfter, ticksAfter] = [await busy(), chromiumTicks(browser.profile)];
    const frames = (await page.evaluate(() => window.Module.spireholdFrames)) - framesBefore;
    return {
      page: (100 * (busyAfter - busyBefore)) / SECONDS,
      chromium: (100 * (ticksAfter - ticksBefore)) / TICKS_PER_SECOND / SECONDS,
      framesPerSecond: frames / SECONDS
    };
  } finally {
    await browser.close();
  }
}

const sites = process.argv.slice(2);
if (sites.length === 0) {
  console.error('usage: node idle_cpu.mjs SITE_DIR...');
  process.exit(2);
}
const results = new Map(sites.map((dir) => [dir, []]));
for (let round = 0; round < ROUNDS; round++) {
  for (const dir of sites) {
    const site = await serveSite(resolve(dir));
    try {
      results.get(dir).push(await measure(site));
    } finally {
      site.server.close();
    }
  }
}
const format = (values) => values.map((v) => v.toFixed(1)).join(' / ');
for (const [dir, runs] of results) {
  console.log(`${dir}: page thread ${format(runs.map((r) => r.page))} %, all of Chromium ` +
    `${format(runs.map((r) => r.chromium))} % of one core, at ${format(runs.map((r) => r.framesPerSecond))} frames/s`);
}
