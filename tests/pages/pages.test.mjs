// The settings pages as the program serves them: their scripts, form behaviour, links,
// pictures and layout, in headless Chromium.
import assert from 'node:assert/strict';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { after, before, test } from 'node:test';
import * as acorn from 'acorn';
import { artifactsDir, launchBrowser, openPage } from './chromium.mjs';

let browser;
before(async () => { browser = await launchBrowser(); });
after(async () => { await browser?.close(); });

// Old document modes of the browser control: no addEventListener, only attachEvent.
function onlyAttachEvent() {
  const add = EventTarget.prototype.addEventListener;
  Element.prototype.attachEvent = function attachEvent(name, handler) {
    add.call(this, name.slice(2), (event) => handler.call(this, event));
  };
  Object.defineProperty(EventTarget.prototype, 'addEventListener', { value: undefined });
}

// The browser control's window.navigate, recorded.
function withNavigate() {
  window.navigations = [];
  window.navigate = (address) => window.navigations.push(address);
}

const openSettings = (...initScripts) => openPage(browser, 'opcje.html', ...initScripts);

// What the program does to the settings page (FillOptionsPage and ShowLoginState).
const LOGIN_BLOCKS = [['user_div', false], ['login_div', false], ['logout_div', true],
  ['logedin_div', true], ['fav_n', true], ['fav_l', true], ['fav_z', true], ['fav_p', false],
  ['add_n', true], ['add_l', true], ['add_z', true], ['add_p', false]];

async function fillForm(page, settings) {
  await page.evaluate(([blocks, s]) => {
    const byId = (id) => document.getElementById(id);
    byId('change_interval_id').value = s.interval;
    byId('auto_change_id').checked = s.auto;
    byId('category_id').disabled = !(s.loggedIn && s.auto);
    byId('change_interval_id').disabled = !s.auto;
    byId('category_id').selectedIndex = s.category;
    byId('separate_screens_id').checked = s.separate;
    for (const [id, whenIn] of blocks) byId(id).className = whenIn === s.loggedIn ? 'show' : 'hide';
    byId('logedin_div').innerHTML = `Zalogowano jako<b><a href='#user'> ${s.user}</a></b>`;
  }, [LOGIN_BLOCKS, settings]);
}

const LOGGED_OUT = { interval: '30', auto: true, loggedIn: false, category: 0, user: '', separate: false };
const LOGGED_IN = { interval: '15', auto: true, loggedIn: true, category: 2, user: 'jan', separate: true };

const hash = (page) => page.evaluate(() => location.hash);
const clearHash = (page) => page.evaluate(() => history.replaceState(null, '', location.pathname));

test('scripts and handlers parse as ECMAScript 3, as old document modes need', async () => {
  const strict = { ecmaVersion: 3, allowReserved: 'never' };
  for (const name of ['opcje.html', 'ostatnie.html']) {
    const page = await openPage(browser, name);
    const code = await page.evaluate(() => ({
      scripts: [...document.scripts].map((s) => s.text),
      handlers: [...document.querySelectorAll('*')].flatMap((e) => [...e.attributes]
        .filter((a) => a.name.startsWith('on')).map((a) => `${e.tagName} ${a.name}: ${a.value}`)),
    }));
    for (const script of code.scripts) assert.doesNotThrow(() => acorn.parse(script, strict), `${name} script`);
    for (const handler of code.handlers) {
      assert.doesNotThrow(() => acorn.parse(handler.replace(/^[^:]*: /, ''),
        { ...strict, allowReturnOutsideFunction: true }), handler);
    }
    if (name === 'opcje.html') assert.equal(code.handlers.length, 6, code.handlers.join('\n'));
    await page.close();
  }
  // The check itself refuses what old engines refuse.
  for (const later of ['var o = {a: 1,};', 'o.class = 1;', 'var f = () => 1;', 'let x = 1;',
    'var o = {get a() { return 1; }};']) {
    assert.throws(() => acorn.parse(later, strict), SyntaxError, later);
  }
});

for (const [model, scripts] of [['addEventListener', []], ['attachEvent only', [onlyAttachEvent]]]) {
  test(`placeholders come and go with the focus (${model})`, async () => {
    const page = await openSettings(...scripts);
    const grey = 'rgb(169, 169, 169)';
    const state = (id) => page.$eval(`#${id}`, (f) => [f.value, getComputedStyle(f).color]);
    // The password field masks what it holds, so its hint is a label over it, not its value.
    const passwordState = () => page.evaluate(() => {
      const field = document.getElementById('user_code_id');
      const hint = document.getElementById('user_code_hint');
      const box = field.getBoundingClientRect();
      const over = document.elementFromPoint(box.left + 8, box.top + box.height / 2);
      return [field.type, field.value, over === hint ? hint.textContent : ''];
    });
    for (const [id, hint, read, empty, typed] of [
      ['user_name_id', 'Twój login użytkownika', state, ['', 'rgb(0, 0, 0)'], ['jan', 'rgb(0, 0, 0)']],
      ['user_code_id', 'Hasło', passwordState, ['password', '', ''], ['password', 'jan', '']],
    ]) {
      const shown = id === 'user_name_id' ? [hint, grey] : ['password', '', hint];
      assert.deepEqual(await read(id), shown, `${id} as loaded`);
      if (id === 'user_code_id') await page.click('#user_code_hint');
      else await page.focus(`#${id}`);
      assert.equal(await page.evaluate(() => document.activeElement.id), id, `${id} focused`);
      assert.deepEqual(await read(id), empty, `${id} focused`);
      await page.$eval(`#${id}`, (f) => f.blur());
      assert.deepEqual(await read(id), shown, `${id} left empty`);
      await page.focus(`#${id}`);
      await page.keyboard.type('jan');
      await page.$eval(`#${id}`, (f) => f.blur());
      await page.focus(`#${id}`);
      assert.deepEqual(await read(id), typed, `${id} typed in`);
    }
    await page.close();
  });
}

test('the check box enables the interval, and the list only when signed in; each click saves', async () => {
  // The class that ShowLoginState gave "logedin_div": none as loaded, "show" signed in.
  for (const [loginClass, listEnabled] of [['', true], ['show', true], ['hide', false]]) {
    const page = await openSettings(withNavigate);
    await page.$eval('#logedin_div', (d, c) => { d.className = c; }, loginClass);
    const enabled = () => page.evaluate(() => [!document.getElementById('change_interval_id').disabled,
      !document.getElementById('category_id').disabled]);
    await page.click('#auto_change_id');
    assert.deepEqual(await enabled(), [true, listEnabled], `checked, class "${loginClass}"`);
    assert.equal(await hash(page), '#save');
    await clearHash(page);
    await page.click('#auto_change_id');
    assert.deepEqual(await enabled(), [false, false], `unchecked, class "${loginClass}"`);
    assert.equal(await hash(page), '#save');
    assert.deepEqual(await page.evaluate(() => window.navigations), ['#save', '#save']);
    await page.close();
  }
});

test('the separate-screens box: enabled with the automatic change off, each click on it or its label saves', async () => {
  const page = await openSettings(withNavigate);
  const state = () => page.evaluate(() => ['separate_screens_id', 'auto_change_id']
    .map((id) => [document.getElementById(id).checked, document.getElementById(id).disabled]));
  assert.deepEqual(await state(), [[false, false], [false, false]], 'as loaded');
  for (const [target, checked] of [['#separate_screens_id', true], ['img[src="osobna_tapeta.png"]', false],
    ['img[src="osobna_tapeta.png"]', true]]) {
    await clearHash(page);
    await page.click(target);
    // The automatic change stays as it was: this box is no part of it.
    assert.deepEqual(await state(), [[checked, false], [false, false]], `after a click on ${target}`);
    assert.equal(await hash(page), '#save', target);
  }
  assert.deepEqual(await page.evaluate(() => window.navigations), ['#save', '#save', '#save']);
  assert.equal(await page.$eval('img[src="osobna_tapeta.png"]', (i) => i.alt), 'Osobna tapeta na każdym ekranie');
  await page.close();
});

test('a change of the list saves, also where window.navigate is missing', async () => {
  for (const scripts of [[], [withNavigate]]) {
    const page = await openSettings(...scripts);
    await page.$eval('#category_id', (s) => { s.disabled = false; });
    await page.selectOption('#category_id', { label: 'Z ulubionych kategorii' });
    assert.equal(await hash(page), '#save');
    assert.deepEqual(await page.evaluate(() => window.navigations), scripts.length ? ['#save'] : undefined);
    await page.close();
  }
});

test('Tab in the login field moves the focus to the password field, once', async () => {
  const page = await openSettings();
  const focused = () => page.evaluate(() => document.activeElement.id);
  // A key event without the browser's own Tab handling shows that the handler moves it.
  await page.focus('#user_name_id');
  await page.$eval('#user_name_id', (f) => f.dispatchEvent(
    new KeyboardEvent('keydown', { keyCode: 9, bubbles: true, cancelable: true })));
  assert.equal(await focused(), 'user_code_id');
  // A real key press: the browser must not move it once more.
  await page.focus('#user_name_id');
  await page.keyboard.press('Tab');
  assert.equal(await focused(), 'user_code_id');
  await page.close();
});

// Document order of each page's blocks: position, what the block shows, and its link.
const LAYOUT = {
  'opcje.html': [
    [20, 20, 'logo.png', '#kolorowisko'], [64, 12, 'divider.png'], [85, 15, 'drop_zone.png'],
    [100, 300, 'super.png'], [150, 300, 'refresh.png', '#losuj_super'],
    [150, 350, 'see.png', '#zobacz_super'], [100, 450, 'fav_n'], [150, 450, 'fav_l', '#losuj_ulubione'],
    [150, 500, 'fav_z', '#zobacz_ulubione'], [93, 435, 'fav_p'], [100, 610, 'add_n'],
    [150, 610, 'add_l', '#losuj_dodane'], [150, 660, 'add_z', '#zobacz_dodane'], [80, 600, 'add_p'],
    [361, 12, 'divider.png'], [385, 17, 'aktualna.png'], [385, 150, 'zobacz.png', '#zobacz'],
    [385, 240, 'skomentuj.png', '#skomentuj'], [385, 350, 'ocen.png', '#ocen'],
    [385, 425, 'dodaj.png', '#add_ulubione'], [375, 585, 'ostatnio.png', 'ostatnie.html#ostatnie'],
    [240, 300, 'automatyka.png'], [270, 300, 'auto_change_id'], [300, 440, 'category_id'],
    [330, 300, 'separate_screens_id'],
    [15, 245, 'user_div'], [15, 565, 'login_div', '#zaloguj #get_code'], [20, 695, 'logout_div', '#wyloguj'],
    [20, 500, 'logedin_div']],
  'ostatnie.html': [[14, 22, 'table_body'], [24, 12, 'wroc.png', 'opcje.html#wroc'],
    [54, 12, 'divider.png'], [380, 12, 'divider.png']],
};

// The corner of a block's first picture or field (its margin box), else of the block itself.
test('every block\'s first picture or field sits where the layout puts it and links to its anchor', async () => {
  for (const [name, expected] of Object.entries(LAYOUT)) {
    const page = await openPage(browser, name);
    const blocks = await page.evaluate(() => [...document.body.children].map((b) => {
      if (b.className === 'hide') b.className = 'show';
      const inner = b.querySelector('[id]');
      const links = [...b.querySelectorAll('a')].map((a) => a.getAttribute('href')).join(' ');
      const shown = b.id || (inner && inner.id) || b.querySelector('img').getAttribute('src');
      const first = b.querySelector('img, input, select') || b;
      const box = first.getBoundingClientRect();
      const style = getComputedStyle(first);
      const corner = [box.top - parseFloat(style.marginTop), box.left - parseFloat(style.marginLeft)];
      return [...corner, shown, ...(links ? [links] : [])];
    }));
    assert.deepEqual(blocks, expected, name);
    await page.close();
  }
});

test('every picture loads, the background and the cards at their fixed sizes', async () => {
  const sizes = {};
  for (const name of ['opcje.html', 'ostatnie.html']) {
    const page = await openPage(browser, name);
    const found = await page.evaluate(async () => {
      const pictures = [...document.images].map((i) => i.getAttribute('src'));
      const style = getComputedStyle(document.body);
      const background = style.backgroundImage.replace(/^url\("?(.*?)"?\)$/, '$1').split('/').pop();
      pictures.push(background);
      const loaded = await Promise.all(pictures.map((src) => new Promise((resolve) => {
        const image = new Image();
        image.onload = () => resolve([src, image.naturalWidth, image.naturalHeight]);
        image.onerror = () => resolve([src, 0, 0]);
        image.src = src;
      })));
      return { loaded, repeat: style.backgroundRepeat };
    });
    assert.equal(found.repeat, 'no-repeat');
    for (const [src, width, height] of found.loaded) {
      assert.ok(width > 0 && height > 0, `${name}: ${src} does not load`);
      sizes[src] = [width, height];
    }
    await page.close();
  }
  assert.deepEqual([sizes['tlo2.png'], sizes['po_zalogowaniu_u.png'], sizes['po_zalogowaniu_d.png']],
    [[745, 425], [130, 122], [116, 129]]);
  // A label picture is one line of text: as high as the others beside it.
  assert.equal(sizes['osobna_tapeta.png']?.[1], sizes['zmieniaj_co.png'][1]);
  assert.equal(Object.keys(sizes).length, 26, Object.keys(sizes).join(' '));
});

// Boxes of what shows after the program's fill: nothing may cover anything else or leave
// the window.
async function overlaps(page) {
  return page.evaluate(() => {
    const shown = [...document.querySelectorAll('img, input, select, #logedin_div')]
      .filter((e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility === 'visible');
    const boxes = shown.map((e) => [e.id || e.getAttribute('src'), e.getBoundingClientRect()]);
    const faults = [];
    for (const [name, r] of boxes) {
      if (r.left < 0 || r.top < 0 || r.right > 745 || r.bottom > 425) faults.push(`${name} leaves the window`);
    }
    boxes.forEach(([a, r], i) => boxes.slice(i + 1).forEach(([b, s]) => {
      if (r.left < s.right && s.left < r.right && r.top < s.bottom && s.top < r.bottom) faults.push(`${a} / ${b}`);
    }));
    return faults;
  });
}

test('the page as loaded shows the logged-out state, before any fill', async () => {
  const page = await openPage(browser, 'opcje.html');
  const visible = await page.evaluate((blocks) => blocks.map(([id]) => [id,
    getComputedStyle(document.getElementById(id)).visibility === 'visible'
      && document.getElementById(id).getClientRects().length > 0]), LOGIN_BLOCKS);
  assert.deepEqual(visible, LOGIN_BLOCKS.map(([id, whenIn]) => [id, !whenIn]));
  await page.close();
});

test('the settings page in both login states: nothing overlaps, logout stays clickable; screenshots', async () => {
  const longName = { ...LOGGED_IN, user: 'Bardzo_długa_nazwa_użytkownika_'.repeat(3) };
  for (const [state, settings] of [['logged-out', LOGGED_OUT], ['logged-in', LOGGED_IN],
    ['logged-in-long-name', longName]]) {
    const page = await openPage(browser, 'opcje.html');
    await fillForm(page, settings);
    assert.deepEqual(await overlaps(page), [], state);
    if (settings.loggedIn) {
      const onTop = await page.$eval('#logout_div img', (img) => {
        const box = img.getBoundingClientRect();
        return document.elementFromPoint(box.left + 2, box.top + box.height / 2) === img;
      });
      assert.ok(onTop, `${state}: the logout picture is under the pointer`);
    }
    await page.screenshot({ path: join(artifactsDir(), `opcje-${state}.png`) });
    await page.close();
  }
});

// A few thumbnails of the recent list, and the table the program writes for them.
function recentTable(count) {
  const folder = mkdtempSync(join(tmpdir(), 'kolorowisko-thumbnails-'));
  let html = '<table><tbody><tr>';
  let cell = -1;
  for (let k = 1; k <= count; k++) {
    const name = `${1000 + k}.svg`;
    writeFileSync(join(folder, name), `<svg xmlns="http://www.w3.org/2000/svg" width="120" height="100">
      <rect width="120" height="100" fill="hsl(${k * 47} 70% 60%)"/>
      <circle cx="90" cy="28" r="12" fill="#ffd60a"/>
      <path d="M0 100 L0 70 L40 40 L70 72 L95 55 L120 75 L120 100 Z" fill="hsl(${k * 47 + 120} 50% 35%)"/></svg>`);
    cell += 1;
    if (cell > 4) { html += '</tr><tr>'; cell = 0; }
    html += `<td> <a href='#setwp?${name}' ><img src='${pathToFileURL(folder).href}/${name}' width='120' height='100'></a></td>\n`;
  }
  for (; cell !== 6; cell++) html += '<td></td>';
  return `${html}</tr></tbody></table>`;
}

test('the recent page: its table scrolls down but never sideways; screenshot', async () => {
  const page = await openPage(browser, 'ostatnie.html');
  await page.$eval('#table_body', (t, html) => { t.innerHTML = html; }, recentTable(12));
  await page.waitForFunction(() => [...document.images].every((i) => i.complete));
  const box = await page.$eval('#table_body', (t) => [t.scrollHeight > t.clientHeight, t.scrollWidth <= t.clientWidth]);
  assert.deepEqual(box, [true, true], '[scrolls down, fits across]');
  await page.screenshot({ path: join(artifactsDir(), 'ostatnie.png') });
  await page.close();
});
