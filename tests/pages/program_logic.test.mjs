// The program's own page logic (tests/page/page_bridge.cpp, built natively) against the real
// pages: the settings page filled from config.dat, the form and the login saved back through it.
import assert from 'node:assert/strict';
import { copyFileSync, existsSync, mkdirSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { artifactsDir, launchBrowser, pageUrl, pagesFolder } from './chromium.mjs';
import { connectNative } from './page_bridge.mjs';

const program = process.env.KOLOROWISKO_PAGE_BRIDGE;
const skip = program && existsSync(program) ? false
  : 'KOLOROWISKO_PAGE_BRIDGE names no built page_bridge (scripts/test builds it natively)';

let browser;
before(async () => { if (!skip) browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

function settings(file) {
  const lines = readFileSync(file, 'latin1').split('\r\n').filter(Boolean);
  return Object.fromEntries(lines.map((line) => [line.slice(0, line.indexOf('=')),
    line.slice(line.indexOf('=') + 1)]));
}

async function until(condition, what) {
  for (const deadline = Date.now() + 10000; Date.now() < deadline;) {
    if (await condition()) return;
    await new Promise((resolve) => setTimeout(resolve, 25));
  }
  assert.fail(`timed out waiting for ${what}`);
}

const classOf = (page, id) => page.getAttribute(`#${id}`, 'class');

test('the settings page works through the program logic, logged out and logged in', { skip }, async (t) => {
  const folder = mkdtempSync(join(tmpdir(), 'kolorowisko-logic-'));
  const config = join(folder, 'config.dat');
  writeFileSync(config,
    'AUTO_CHANGE=NO\r\nCATEGORY=0\r\nCHANGE_INTERVAL=15\r\nLOGEDIN=NO\r\nSEPARATE_SCREENS=YES\r\nUSER=\r\n');
  // Thumbnails of the recent page: pictures of the pages, under stored wallpapers' names.
  const thumbnails = join(folder, 'thumbnails');
  mkdirSync(thumbnails);
  const names = ['12345.jpg', '12346.jpg', '12347.jpg', 'zima-12351.jpg', '12352.jpg', '12350.jpg'];
  const pictures = ['super.png', 'ulubione.png', 'dodane.png', 'logo.png', 'refresh.png', 'see.png'];
  names.forEach((name, i) => copyFileSync(join(pagesFolder(), pictures[i]), join(thumbnails, name)));

  const page = await browser.context.newPage();
  const bridge = await connectNative(page, program,
    [config, thumbnails, pageUrl('opcje.html').replace(/opcje\.html$/, ''), ...names]);
  t.after(async () => { await page.close(); await bridge.close(); });
  await page.goto(pageUrl('opcje.html'));
  await until(async () => (await page.inputValue('#change_interval_id')) === '15', 'the form filled');
  await bridge.idle();
  assert.equal(await classOf(page, 'login_div'), 'show');
  assert.equal(await classOf(page, 'logout_div'), 'hide');
  assert.equal(await page.isDisabled('#change_interval_id'), true);
  assert.equal(await page.isChecked('#separate_screens_id'), true);
  await page.screenshot({ path: join(artifactsDir(), 'logic-opcje-logged-out.png') });

  // The check box saves the form: automatic change on; the interval field now takes text.
  await page.click('#auto_change_id');
  await until(() => settings(config).AUTO_CHANGE === 'YES', 'AUTO_CHANGE=YES');
  await bridge.idle();
  // Every save writes the separate-screens box too, as filled; its own click saves it at once.
  assert.equal(settings(config).SEPARATE_SCREENS, 'YES');
  await page.click('#separate_screens_id');
  await until(() => settings(config).SEPARATE_SCREENS === 'NO', 'SEPARATE_SCREENS=NO');
  await bridge.idle();
  await page.fill('#change_interval_id', '25');

  // Logging in: the fields as typed, the program's login, the page in its logged-in state.
  await page.click('#user_name_id');
  await page.keyboard.type('jan');
  await page.click('#user_code_id');
  await page.keyboard.type('tapeta123');
  await page.click('a[href="#zaloguj"]');
  await until(() => settings(config).LOGEDIN === 'YES', 'LOGEDIN=YES');
  await bridge.idle();
  // A login saves the form first: the interval as typed.
  assert.deepEqual(
    ['USER', 'AUTORIZATION', 'PASSWORD', 'CHANGE_INTERVAL'].map((key) => settings(config)[key]),
    ['jan', '8c1f2e9a5b7d', '', '25']);
  assert.equal(await classOf(page, 'logout_div'), 'show');
  assert.match(await page.innerHTML('#logedin_div'), /Zalogowano jako<b><a href="#user"> jan<\/a><\/b>/);

  // Automatic change is on: the login itself enables the list.
  assert.equal(await page.isDisabled('#category_id'), false);
  // Logged in, the check box enables the list, whose change is saved.
  await page.click('#auto_change_id');
  await page.click('#auto_change_id');
  await until(async () => !(await page.isDisabled('#category_id')), 'the list enabled');
  await page.selectOption('#category_id', { index: 2 });
  await until(() => settings(config).CATEGORY === '2', 'CATEGORY=2');
  await bridge.idle();
  await page.screenshot({ path: join(artifactsDir(), 'logic-opcje-logged-in.png') });

  await page.click('a[href="#wyloguj"]');
  await until(() => settings(config).LOGEDIN === 'NO', 'LOGEDIN=NO');
  await bridge.idle();
  assert.equal(await classOf(page, 'login_div'), 'show');
  assert.equal(settings(config).USER, '');

  // The recent page: its table comes from the program once the page has loaded.
  await page.click('a[href="ostatnie.html#ostatnie"]');
  await until(async () => (await page.locator('#table_body img').count()) === names.length,
    'the recent table');
  await bridge.idle();
  assert.equal(await page.getAttribute('#table_body a', 'href'), '#setwp?12345.jpg');
  await page.screenshot({ path: join(artifactsDir(), 'logic-ostatnie.png') });
});
