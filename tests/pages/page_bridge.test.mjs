// The bridge between a native program and a page in Chromium, proven with a stand-in
// program written in Node (fake_native.mjs).
import assert from 'node:assert/strict';
import { existsSync, mkdtempSync, readFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { launchBrowser, pageUrl } from './chromium.mjs';
import { connectNative } from './page_bridge.mjs';

const fake = new URL('./fake_native.mjs', import.meta.url).pathname;
let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

function readLog(file) {
  return existsSync(file) ? readFileSync(file, 'utf8').trim().split('\n').map((l) => JSON.parse(l)) : [];
}

async function until(condition, what) {
  for (const deadline = Date.now() + 10000; Date.now() < deadline;) {
    const value = await condition();
    if (value) return value;
    await new Promise((r) => setTimeout(r, 25));
  }
  throw new Error(`timed out waiting for ${what}`);
}

// A fresh page connected to a fresh stand-in program, before the settings page loads;
// both go when the test ends, however it ends.
async function connectedPage(t) {
  const log = join(mkdtempSync(join(tmpdir(), 'kolorowisko-bridge-')), 'log.jsonl');
  const page = await browser.context.newPage();
  const bridge = await connectNative(page, process.execPath, [fake, log]);
  t.after(async () => {
    await page.close();
    await bridge.close();
  });
  await page.goto(pageUrl('opcje.html'));
  await until(() => readLog(log).some((e) => e.done === 'documentComplete'), 'the first load');
  await bridge.idle();
  return { page, bridge, log };
}

const events = (log) => readLog(log).filter((e) => e.received).map((e) => `${e.received} ${e.url ?? ''}`.trim());
const anchorOf = (url) => url.slice(url.lastIndexOf('/') + 1);

test('the first load reaches the program, whose requests fill the page and get honest answers', async (t) => {
  const { page, bridge, log } = await connectedPage(t);
  assert.deepEqual(events(log), [`beforeNavigate ${pageUrl('opcje.html')}`, 'documentComplete']);
  assert.equal(await page.inputValue('#change_interval_id'), '17');
  assert.equal(await page.isChecked('#auto_change_id'), true);
  const replies = Object.fromEntries(readLog(log).filter((e) => e.op).map((e) => [`${e.op} ${e.id}`, e.reply.ok]));
  assert.deepEqual(replies, {
    'setInputValue change_interval_id': true,
    'getInputValue no_such_id': false,
    'getSelectIndex auto_change_id': false, // a select operation on a check box
    'setCheckbox auto_change_id': true,
  });
});

test('every click on the check box reaches the program as #save, the same anchor again too', async (t) => {
  const { page, bridge, log } = await connectedPage(t);
  await page.click('#auto_change_id');
  await page.click('#auto_change_id');
  const saves = await until(() => {
    const found = readLog(log).filter((e) => e.op === 'getCheckbox');
    return found.length === 2 && found;
  }, 'two saves');
  // The program reads the box as the click left it, once per click.
  assert.deepEqual(saves.map((e) => e.reply), [{ ok: true, checked: false }, { ok: true, checked: true }]);
  assert.deepEqual(events(log).slice(2), [`beforeNavigate ${pageUrl('opcje.html')}#save`,
    `beforeNavigate ${pageUrl('opcje.html')}#save`]);
});

test('a page change and back: the full address first, then the new document', async (t) => {
  const { page, bridge, log } = await connectedPage(t);
  await page.click('a[href="ostatnie.html#ostatnie"]');
  await page.waitForSelector('a[href="#setwp?7.jpg"]');
  await page.click('a[href="#setwp?7.jpg"]');
  await page.click('a[href="opcje.html#wroc"]');
  await until(() => events(log).length === 7, 'the way back');
  await bridge.idle();
  assert.deepEqual(events(log).slice(2).map((e) => e.replace(/ .*\//, ' ')), [
    'beforeNavigate ostatnie.html#ostatnie', 'documentComplete',
    'beforeNavigate ostatnie.html#setwp?7.jpg',
    'beforeNavigate opcje.html#wroc', 'documentComplete']);
  assert.equal(await page.inputValue('#change_interval_id'), '17', 'the form is filled again');
});

test('events are handled one at a time, in the order sent', async (t) => {
  const { page, bridge, log } = await connectedPage(t);
  await Promise.all([bridge.send({ event: 'beforeNavigate', url: 'x#slow' }),
    bridge.send({ event: 'beforeNavigate', url: 'x#next' })]);
  const order = readLog(log).slice(-4).map((e) => `${e.received ? 'got' : 'done'} ${anchorOf(e.url)}`);
  assert.deepEqual(order, ['got x#slow', 'done x#slow', 'got x#next', 'done x#next']);
});
