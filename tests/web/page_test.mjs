// Runs the window rows of the case table through the real page in headless
// chromium, pasted with Alt+M and typed with a mouse click; the message
// dialogs, focus, results said, stale and copied, 清空 and its undo, Tab
// order, a reload offline, a new release taking over, and a random session
// of a person's edits. QUORVEL_SITE names the built site (build/web/site),
// QUORVEL_CASES the case table's rows as JSON (build/web/cases.json).
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {appendFileSync, cpSync, mkdtempSync, readFileSync, rmSync, truncateSync} from 'node:fs';
import {tmpdir} from 'node:os';
import path from 'node:path';
import {after, test} from 'node:test';

import {allowClipboard, clickDone, enter, launchChromium, openPage, pressWith, serveSite} from '../../tools/web_chromium.mjs';

const cases = JSON.parse(readFileSync(process.env.QUORVEL_CASES, 'utf8')).filter((c) => c.window);

const site = await serveSite(process.env.QUORVEL_SITE);
const browser = await launchChromium();
const page = await openPage(browser, site.url);
const releases = mkdtempSync(path.join(tmpdir(), 'quorvel-releases-'));
after(() => browser.close().then(site.close).then(() => rmSync(releases, {recursive: true})));

// The precision, the data, then the results: 清空 empties all but the first.
const kBoxes = ['Text7', 'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6'];
const texts = () => page.evaluate((ids) => ids.map((id) => document.getElementById(id).value), kBoxes);
const kCommandTip = '复制全部结果 (Ctrl+Shift+Enter)';
// Each result box's text, colour, hint and key.
const marks = () => page.$$eval('#Text2, #Text3, #Text4, #Text5, #Text6', (boxes) => boxes.map((box) =>
  [box.value, getComputedStyle(box).color, box.getAttribute('aria-description'), box.title, box.ariaKeyShortcuts]));

// A text box holds a line break as a line feed alone: the unit of a table
// position in the box, counting no CR of a CR LF before it.
const asInBox = (text) => text.replace(/\r\n?/g, '\n');
const inBox = (text, unit) => asInBox(text.slice(0, unit)).length - (text[unit - 1] === '\r' && text[unit] === '\n');

// Checks the open message, its first button the default, and answers it with
// the key.
async function answerMessage([title, prompt], key, buttons = ['确定']) {
  const dialog = await page.waitForSelector('#message[open]');
  assert.deepEqual(await dialog.evaluate((dialog) => {
    // The next message may open at once, so the close itself is awaited.
    globalThis.closed = new Promise((closed) => dialog.addEventListener('close', closed, {once: true}));
    const text = (attribute) => document.getElementById(dialog.getAttribute(attribute)).textContent;
    return [text('aria-labelledby'), text('aria-describedby'),
            [...dialog.querySelectorAll('button:not([hidden])')].map((b) => b.textContent),
            document.activeElement.textContent];
  }), [title, prompt, buttons, buttons[0]]);
  await page.keyboard.press(key);
  await page.evaluate(() => globalThis.closed);
}

async function runRow(c, typed) {
  await enter(page, 'Text7', c.precision, typed);
  await enter(page, 'Text1', c.data, typed);
  const results = c.writesResults ? c.results : (await texts()).slice(2);
  // Back to the top by the wheel, as a person scrolls to read the data.
  await page.hover('#Text1');
  const scrollTop = () => page.$eval('#Text1', (box) => box.shadowRoot.querySelector('.cm-scroller').scrollTop);
  for (let i = 0; i < 100 && await scrollTop() > 0; ++i) {
    await page.mouse.wheel({deltaY: -1e6});
  }
  await (typed ? page.click('#Command1') : pressWith(page, 'Alt', 'M'));
  const messages = c.clearAnswer ? c.messages.slice(0, -1) : c.messages;
  for (const [i, message] of messages.entries()) await answerMessage(message, i % 2 ? 'Escape' : 'Enter');
  await clickDone(page);
  // The focus stays, or goes to the selection, scrolled into view when it
  // lies further down than the box shows.
  const {box, start, length} = c.focus ?? {box: typed ? 'Command1' : 'Text1'};
  const text = box === 'Text1' ? c.data : c.precision;
  const selection = c.focus ? [inBox(text, start), inBox(text, start + length)] : [];
  const scrolled = Boolean(c.focus) && box === 'Text1' && text.slice(0, start).split('\n').length > 11;
  const focus = await page.evaluate(() => {
    const control = document.activeElement.closest('#Static > *');
    const scroller = control.shadowRoot?.querySelector('.cm-scroller') ?? control;
    return [control.id, scroller.scrollTop > 0, control.selectionStart, control.selectionEnd];
  });
  const kept = await texts();
  assert.deepEqual([...kept, ...focus.slice(0, 2 + selection.length)],
                   [c.precision, asInBox(c.data), ...results, box, scrolled, ...selection]);
  if (c.editsAfter) await editAfter(c);
  if (c.copiedCount !== null) await copyResults(c, typed);
  if (!c.clearAnswer) return;

  await pressWith(page, 'Alt', 'C');
  await answerMessage(c.messages.at(-1), c.clearAnswer === 'y' ? 'Enter' : 'Escape', ['是(Y)', '否(N)']);
  await clickDone(page);
  assert.deepEqual(await texts(), c.clearAnswer === 'y' ? [c.precision, '', '', '', '', '', ''] : kept);
  if (c.clearAnswer === 'n') return;
  // Ctrl+Z in the data box brings the data back in one step.
  await page.focus('#Text1');
  await pressWith(page, 'Control', 'Z');
  assert.equal((await texts())[1], kept[1]);
}

// A blank typed at the end of the data leaves every result stale: grey and
// described so, its text kept. Backspace takes the marks away.
async function editAfter(c) {
  const note = '结果已过期：原始数据或精度已改动，请重新计算。';
  const marked = (stale) => c.results.map((text) => (stale && text ? [text, 'rgb(109, 109, 109)', note, note]
                                                                     : [text, 'rgb(0, 0, 0)', null, kCommandTip]));
  await page.focus('#Text1');
  await pressWith(page, 'Control', 'End');
  await page.keyboard.press('Space');
  assert.deepEqual(await marks(), marked(true).map((mark) => [...mark, 'Control+Shift+Enter']));
  assert.equal(await page.$eval('#announce', (region) => region.textContent), note);
  await page.keyboard.press('Backspace');
  assert.deepEqual(await marks(), marked(false).map((mark) => [...mark, 'Control+Shift+Enter']));
}

// 复制全部结果, by its key or, typed, by a result box's own menu, copies two
// lines; a clipboard the browser refuses is left as it was, and the user told.
async function copyResults(c, typed) {
  await page.evaluate(() => navigator.clipboard.writeText('-'));
  await allowClipboard(page, false);
  await pressWith(page, 'Control+Shift', 'Enter');
  await answerMessage(['复制结果', '无法打开剪贴板，结果未复制，请稍后再试。'], 'Enter');
  await clickDone(page);
  await allowClipboard(page);
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), '-');
  if (typed) await page.click('#Text6', {button: 'right'});
  await (typed ? page.keyboard.press('Enter') : pressWith(page, 'Control+Shift', 'Enter'));
  await clickDone(page);
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()),
               `平均值\t平均偏差\t相对平均偏差(%)\t标准偏差(S)\t相对标准偏差(RSD%)\t数据个数\t精度\n${[...c.results, c.copiedCount, c.precision].join('\t')}\n`);
}

// Pasted, and typed too where a keyboard types the row.
const ways = (c) => (/^[\x20-\x7e\r\n]{0,2500}$/.test(c.data + c.precision) ? [false, true] : [false]);
test('the window rows of the case table, pasted and typed', async () => {
  for (const [c, typed] of cases.flatMap((c) => ways(c).map((typed) => [c, typed]))) {
    await runRow(c, typed).catch((e) => assert.fail(`${c.name}${typed ? ', typed' : ''}: ${e.message}`));
  }
});

test('Tab goes through the boxes, the buttons, then the precision; Shift+Tab back; each is named', async () => {
  const order = ['Text1 原始数据 textbox multi-line', 'Text2 平均值', 'Text3 平均偏差', 'Text4 相对平均偏差(%)', 'Text5 标准偏差(S)',
                 'Text6 相对标准偏差(RSD%)', 'Command1 计算(M)', 'Command2 清空(C)', 'Text7 精度'];
  // The element focused within the control, as a screen reader meets it.
  const focused = () => page.evaluate((control = document.activeElement) => {
    const e = control.shadowRoot?.activeElement ?? control;
    return `${control.id} ${e.ariaLabel ?? e.textContent}${e.ariaMultiLine ? ` ${e.role} multi-line` : ''}`;
  });
  await page.focus('#Text1');
  const seen = [];
  for (const key of [...order.slice(1).map(() => 'Tab'), ...order.slice(1).map(() => 'Shift')]) {
    await (key === 'Tab' ? page.keyboard.press(key) : pressWith(page, key, 'Tab'));
    seen.push(await focused());
  }
  assert.deepEqual(seen, [...order.slice(1), ...order.slice(0, -1).reverse()]);
});

test('on a screen narrower than the window the whole window is scaled down to fit its width', async () => {
  await page.setViewport({width: 300, height: 600});  // the window is 443 pixels wide
  const [width, {left, right}] = await page.$eval('#Static', async (stage) => {
    await new Promise((resized) => requestAnimationFrame(() => setTimeout(resized)));
    return [document.documentElement.clientWidth, stage.getBoundingClientRect().toJSON()];
  });
  assert.ok(left >= 0 && right <= width && right > width * 0.9, `the window from ${left} to ${right} of ${width}`);
});

// A copy of the site with `mark` in each of its files, built into a release
// of its own; `damage` then spoils one file.
function release(mark, damage = () => {}) {
  const site = path.join(releases, mark);
  cpSync(process.env.QUORVEL_SITE, site, {recursive: true});
  appendFileSync(`${site}/index.html`, `<meta name="release" content="${mark}">\n`);
  appendFileSync(`${site}/quorvel.css`, `html { --release: ${mark}; }\n`);
  appendFileSync(`${site}/quorvel.js`, `;globalThis.release = '${mark}';\n`);
  appendFileSync(`${site}/quorvel-core.js`, `;globalThis.coreRelease = '${mark}';\n`);
  damage(site);
  execFileSync('cmake', [`-DSITE=${site}`, '-P', new URL('../../app/web/site_release.cmake', import.meta.url).pathname]);
  return site;
}

test('a new release takes over whole within two reloads, and calculates offline; a broken one blames its files', async () => {
  const server = await serveSite(release('A'));
  const visitor = await openPage(browser, server.url);
  // Once a new release's worker, if any, has finished installing.
  const reloadSettled = async (url) => {
    await visitor.evaluate(async () => {
      const registration = await navigator.serviceWorker.ready;
      await registration.update().catch(() => {});  // offline: nothing to update
      while (registration.installing || registration.waiting) await new Promise((later) => setTimeout(later, 50));
    });
    await (url ? visitor.goto(url) : visitor.reload());
    await visitor.waitForSelector('#Text7');
    return visitor.evaluate(() => [document.querySelector('meta[name=release]').content,
      getComputedStyle(document.documentElement).getPropertyValue('--release').trim(), globalThis.release,
      globalThis.coreRelease].join(''));
  };
  server.use(release('B'));
  assert.match(await reloadSettled(), /^(AAAA|BBBB)$/);
  assert.equal(await reloadSettled(), 'BBBB');
  await server.close();
  assert.equal(await reloadSettled(`${server.url}?utm_source=wechat`), 'BBBB');
  // The old release's cache is gone.
  assert.equal(await visitor.evaluate(async () => (await caches.keys()).length), 1);
  // Offline it calculates, and says the results. The mean is 76.4 pixels wide
  // in a room of 75, told whole; the RSD fits, and names the key that copies it.
  await enter(visitor, 'Text7', '0.0000000001');
  await enter(visitor, 'Text1', '3.1415926536 3.1415926536');
  await pressWith(visitor, 'Alt', 'M');
  await clickDone(visitor);
  const mean = '3.1415926536';
  assert.deepEqual(await visitor.$$eval('#Text2, #Text6', (boxes) => boxes.map((box) =>
    [box.value, box.title, box.getAttribute('aria-description')])), [[mean, mean, mean], ['0%', kCommandTip, null]]);
  assert.equal(await visitor.$eval('#announce', (region) => region.textContent),
               '平均值 3.1415926536，平均偏差 0，相对平均偏差(%) 0%，标准偏差(S) 0，相对标准偏差(RSD%) 0%');
  // The box's own menu: 复制 copies its whole text, Escape closes it, and the focus comes back.
  for (const key of ['ArrowDown', 'Escape']) {
    await visitor.click('#Text2', {button: 'right'});
    await visitor.keyboard.press(key);
    await visitor.keyboard.press('Enter');
    assert.deepEqual(await visitor.evaluate(async () => [document.activeElement.id, await navigator.clipboard.readText()]),
                     ['Text2', mean]);
  }
  // Titled with the window's caption; no script error and no blocked request.
  assert.deepEqual([await visitor.title(), visitor.errors], ['Quorvel1.2', []]);

  await visitor.close();

  const broken = await serveSite(release('C', (site) => truncateSync(`${site}/quorvel-core.wasm`, 1000)));
  const failed = await browser.newPage();
  await failed.goto(broken.url);
  const shown = await failed.waitForSelector('#files-error:not([hidden]), #wasm-error:not([hidden])');
  assert.equal(await shown.evaluate((notice) => notice.id), 'files-error');
  await Promise.all([broken.close(), failed.close()]);
});

// A person's random session in the data box, seeded (SESSION_SEED replays
// it, SESSION_SECONDS sets its length). After each step the box holds the
// text kept here: an edit replaces the selection the box reported just
// before it, a copy takes exactly that selection, undo and redo bring back a
// text the box held since the last long paste or 清空, and 计算 or 否 change
// nothing.
test('a random session of edits, pastes, undo, 计算 and 清空 keeps the text a person expects', async () => {
  const seed = Number(process.env.SESSION_SEED ?? Math.floor(Math.random() * 2 ** 31));
  console.log(`page session: SESSION_SEED=${seed}`);
  await page.bringToFront();  // a page in the background draws no frames
  let state = seed % 2147483646 + 1;
  const random = (n) => {  // Park and Miller's generator, exact in doubles
    state = (state * 48271) % 2147483647;
    return Math.floor((state / 2147483647) * n);
  };
  const pick = (list) => list[random(list.length)];
  const box = () => page.$eval('#Text1', (e) => [e.value, e.selectionStart, e.selectionEnd]);
  // A person's next key comes a moment later, once the page has drawn the last.
  const aMomentLater = () => page.evaluate(() => new Promise((drawn) => requestAnimationFrame(() => setTimeout(drawn, 20))));
  const cdp = await page.createCDPSession();
  let [model] = await box();
  let held = new Set([model]);
  // The text after `act` puts `insert` in place of units `from` to `to`:
  // by default the selection.
  const edit = async (insert, act, range = (start, end) => [start, end]) => {
    const [, start, end] = await box();
    const [from, to] = range(start, end);
    await act();
    return model.slice(0, from) + insert + model.slice(to);
  };
  // Backspace and Delete with nothing selected take one character, and a
  // surrogate pair is one.
  const unitsBefore = (unit) => (/[\udc00-\udfff]/.test(model[unit - 1]) ? 2 : 1);
  const unitsAfter = (unit) => (/[\ud800-\udbff]/.test(model[unit]) ? 2 : 1);
  // Answers each message with `key` until the click is done.
  const answerAll = async (key) => {
    while (await page.$('#Static[aria-busy]')) {
      if (await page.$('#message[open]')) await page.keyboard.press(key);
      else await aMomentLater();
    }
  };
  const steps = {
    type: () => {
      const text = pick(['1', '2.5 ', '\n', '-3e2', 'x', '数', '😀']);
      return edit(text, () => page.keyboard.type(text));
    },
    paste: async () => {
      const lines = pick([1, 3, 50, 200000]);
      const text = Array.from({length: lines}, (_, i) => `${i % 7}.${random(100)}`).join(pick(['\n', '\r\n']));
      await page.evaluate((text) => navigator.clipboard.writeText(text), text);
      if (text.length >= 65536) held = new Set([model]);
      return edit(text.replace(/\r\n/g, '\n'), () => pressWith(page, 'Control', 'V'));
    },
    compose: () => edit('数', async () => {
      for (const text of ['s', 'sh', 'shu']) {
        await cdp.send('Input.imeSetComposition', {text, selectionStart: text.length, selectionEnd: text.length});
        await aMomentLater();
      }
      await cdp.send('Input.insertText', {text: '数'});
    }),
    backspace: () => edit('', () => page.keyboard.press('Backspace'),
                          (start, end) => [start < end ? start : Math.max(0, start - unitsBefore(start)), end]),
    delete: () => edit('', () => page.keyboard.press('Delete'),
                       (start, end) => [start, start < end ? end : Math.min(model.length, end + unitsAfter(end))]),
    'copy or cut': async () => {
      const [, start, end] = await box();
      const cut = pick([false, true]);
      if (start === end) return model;
      await pressWith(page, 'Control', cut ? 'X' : 'C');
      const copied = await page.evaluate(() => navigator.clipboard.readText());
      assert.ok(copied === model.slice(start, end), `copied ${copied.length} units, not ${start} to ${end}`);
      return cut ? model.slice(0, start) + model.slice(end) : model;
    },
    select: async () => {
      const modifier = pick(['Shift', 'Control']);
      const keys = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown', 'Home', 'End'];
      await page.keyboard.down(modifier);
      for (let i = random(30); i >= 0; --i) await page.keyboard.press(pick(modifier === 'Shift' ? keys : [...keys, 'KeyA']));
      await page.keyboard.up(modifier);
      return model;
    },
    'menu select all': async () => {
      await page.evaluate(() => document.execCommand('selectAll'));
      await aMomentLater();
      assert.deepEqual((await box()).slice(1), [0, model.length]);
      return model;
    },
    mouse: async () => {
      const {x, y, width, height} = await (await page.$('#Text1')).boundingBox();
      const button = pick(['left', 'right', 'wheel']);
      if (button === 'wheel') await page.mouse.move(x + random(width), y + random(height));
      if (button === 'wheel') await page.mouse.wheel({deltaY: random(4000) - 2000});
      else await page.mouse.click(x + random(width), y + random(height), {button});
      // The context menu a right click opens takes the keys until Escape closes it.
      if (button === 'right') await page.keyboard.press('Escape');
      return model;
    },
    'undo or redo': async () => {
      await pressWith(page, pick(['Control', 'Control+Shift']), pick(['Z', 'Y']));
      const [text] = await box();
      assert.ok(held.has(text), 'undo or redo brought back a text the box never held');
      return text;
    },
    calculate: async () => {
      await pressWith(page, 'Alt', 'M');
      await answerAll(pick(['Enter', 'Escape']));
      return model;
    },
    clear: async () => {
      const yes = pick([false, true]);
      await pressWith(page, 'Alt', 'C');
      await answerAll(yes ? 'Enter' : 'Escape');
      if (yes) held = new Set([model, '']);
      return yes ? '' : model;
    },
  };
  const end = performance.now() + 1000 * Number(process.env.SESSION_SECONDS ?? 5);
  const done = [];
  while (performance.now() < end) {
    await aMomentLater();
    await page.focus('#Text1');
    const [name, step] = pick(Object.entries(steps));
    done.push(name);
    const where = `${done.slice(-6).join(', ')} (step ${done.length}, SESSION_SEED=${seed})`;
    const results = await marks();
    model = await step().catch((e) => assert.fail(`${where}: ${e.message}`));
    held.add(model);
    // The mark never changes a result's text.
    const changed = (await marks()).findIndex(([text, colour], i) => colour === 'rgb(109, 109, 109)' && text !== results[i][0]);
    assert.ok(changed < 0, `${where}: Text${changed + 2} changed while stale`);
    const [text] = await box();
    const diverges = [...text].findIndex((unit, i) => unit !== model[i]);
    assert.ok(text === model, `${where}: the box holds ${text.length} units, not ${model.length}, from ${diverges}`);
  }
  assert.deepEqual(page.errors, []);
});
