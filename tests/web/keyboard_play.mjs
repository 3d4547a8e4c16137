// The game as a player without sight or pointer meets it: controls found by role and accessible name,
// reached with Tab and the arrow keys, used with Enter; the board read from the accessibility tree.
const PATIENCE_TABS = 120;

// A control the game has just drawn again is looked for again, briefly.
const LOOK_MS = 2000;
const isFocused = (locator) => locator.evaluate((element) => element === document.activeElement, undefined, { timeout: LOOK_MS })
  .catch(() => false);

// Tabs forward (round the page, as often as it takes) until `locator`, once the page has it, has the focus.
export async function tabTo(page, locator) {
  await locator.waitFor({ state: 'attached' }).catch(() => { throw new Error(`the page has no ${locator}`); });
  for (let tab = 0; tab < PATIENCE_TABS; tab++) {
    if (await isFocused(locator)) return;
    await page.keyboard.press('Tab');
  }
  throw new Error(`Tab never reached ${locator}`);
}

// The focused element's accessible name as the page gives it.
export const focusedName = (page) => page.evaluate(() => document.activeElement.getAttribute('aria-label'));

// Reaches the control named `name` with Tab and presses Enter on it.
export async function press(page, role, name) {
  await tabTo(page, page.getByRole(role, { name, exact: true }));
  await page.keyboard.press('Enter');
}

const CELL = /^Row (\d+), column (\d+), (.+)$/;
const VIEWPOINT = /^(top|right|bottom|left) (\d+)(, lit)?$/;

// The board as the accessibility tree holds it: its cells by place and content, its viewpoints' numbers by
// side in reading order, and the tower kinds offered.
export async function readBoard(page) {
  const grid = page.getByRole('grid', { name: 'Board' });
  const cells = (await grid.getByRole('gridcell').evaluateAll((all) => all.map((cell) => cell.getAttribute('aria-label'))))
    .map((name) => { const [, row, column, content] = name.match(CELL); return { row: +row, column: +column, content }; });
  const viewpoints = (await grid.locator('[role=columnheader], [role=rowheader]')
    .evaluateAll((all) => all.map((header) => header.getAttribute('aria-label')))).map((name) => name.match(VIEWPOINT));
  const sides = Object.fromEntries(['top', 'right', 'bottom', 'left'].map((side) =>
    [side, viewpoints.filter(([, from]) => from === side).map(([, , number]) => +number)]));
  const kinds = await page.getByRole('button', { name: /^(Tower \d|Park)$/ })
    .evaluateAll((all) => all.map((button) => button.getAttribute('aria-label')));
  return { rows: sides.left.length, columns: sides.top.length, cells, sides, kinds };
}

// Towers seen along a line in viewing order: each one taller than all before it; a park is no height.
const seen = (line) => line.reduce(([count, tallest], height) => (height > tallest ? [count + 1, height] : [count, tallest]), [0, 0])[0];
const heightOf = (kind) => (kind === 'Park' ? 0 : Number(kind.slice('Tower '.length)));

// An arrangement of the offered kinds that every viewpoint agrees with, tried one by one: [row][column].
export function solve({ rows, columns, sides, kinds }) {
  const cells = rows * columns;
  for (let n = 0; n < kinds.length ** cells; n++) {
    const grid = Array.from({ length: rows }, (_, row) => Array.from({ length: columns },
      (_, column) => kinds[Math.floor(n / kinds.length ** (row * columns + column)) % kinds.length]));
    const heights = grid.map((row) => row.map(heightOf));
    const column = (x) => heights.map((row) => row[x]);
    const agrees = sides.top.every((v, x) => seen(column(x)) === v) && sides.bottom.every((v, x) => seen(column(x).reverse()) === v) &&
      sides.left.every((v, y) => seen(heights[y]) === v) && sides.right.every((v, y) => seen([...heights[y]].reverse()) === v);
    if (agrees) return grid;
  }
  throw new Error(`no arrangement of ${kinds} fits ${JSON.stringify(sides)}`);
}

// Moves the grid's focus with the arrow keys to the cell at (row, column), counted from 1; from a
// viewpoint, first onto the board.
const INTO_THE_BOARD = { top: 'ArrowDown', bottom: 'ArrowUp', left: 'ArrowRight', right: 'ArrowLeft' };
async function arrowTo(page, row, column) {
  for (let step = 0; step < PATIENCE_TABS; step++) {
    const name = await focusedName(page), [, atRow, atColumn] = name.match(CELL) || [], [, side] = name.match(VIEWPOINT) || [];
    if (side) await page.keyboard.press(INTO_THE_BOARD[side]);
    else if (atRow === undefined) throw new Error(`the grid's focus is on "${name}"`);
    else if (+atRow === row && +atColumn === column) return;
    else await page.keyboard.press(+atRow < row ? 'ArrowDown' : +atRow > row ? 'ArrowUp' : +atColumn < column ? 'ArrowRight' : 'ArrowLeft');
  }
  throw new Error(`the arrows never reached row ${row}, column ${column}`);
}

// Places `kind` on the cell at (row, column): the kind's button, then the cell, each reached by
// keyboard and used with Enter.
export async function place(page, row, column, kind) {
  await press(page, 'button', kind);
  await tabTo(page, page.getByRole('grid', { name: 'Board' }).locator('[tabindex="0"]'));
  await arrowTo(page, row, column);
  await page.keyboard.press('Enter');
}
