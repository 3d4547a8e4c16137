import { DESKTOP, PHONE, playGame, withSite, waitFrames } from './browser_session.mjs';
import { press, place, readBoard, solve, tabTo } from './keyboard_play.mjs';
const site = process.argv[2];
await withSite(site, (s) => playGame(s, DESKTOP, async ({ page }) => {
  await press(page, 'button', 'Play'); await waitFrames(page, 3);
  await press(page, 'link', 'Home'); await waitFrames(page, 3);
  await page.keyboard.press('Enter'); await waitFrames(page, 3);
  const answer = solve(await readBoard(page));
  await place(page, 1, 1, answer[0][0]); await place(page, 2, 1, answer[1][0]); await waitFrames(page, 3);
  await page.keyboard.type('AB'); await waitFrames(page, 3);
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  for (const n of nodes) if (n.role && (n.role.value === 'textbox' || n.role.value === 'gridcell')) console.log(JSON.stringify({ role: n.role.value, name: n.name && n.name.value, value: n.value && n.value.value, ignored: n.ignored }));
}));
