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

// The data, the results, then the precision (the page's order is the tab
// order): 清空 empties all but the last.
const texts = () => page.$$eval('.TextBox', (boxes) => boxes.map((box) => box.value));
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
    const buttons = [...dialog.querySelectorAll('button:not([hidden])')].map((b) => b.textContent);
    return [text('aria-labelledby'), text('aria-describedby'), buttons, document.activeElement.textContent];
  }), [title, prompt, buttons, buttons[0]]);
  await page.keyboard.press(key);
  await page.evaluate(() => globalThis.closed);
}

async function runRow(c, typed) {
  await enter(page, 'Text7', c.precision, typed);
  await enter(page, 'Text1', c.data, typed);
  const results = c.writesResults ? c.results : (await texts()).slice(1, 6);
  // Back to the top, so that a selection further down must scroll into view;
  // again until the editor, still scrolling to the last key typed, stays there.
  await page.$eval('#Text1', async (box) => {
    const scroller = box.shadowRoot.querySelector('.cm-scroller');
    do {
      scroller.scrollTo(0, 0);
      await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
    } while (scroller.scrollTop > 0);
  });
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
  const focus = await page.evaluate(() => [document.activeElement.closest('#Static > *').id,
    document.getElementById('Text1').shadowRoot.querySelector('.cm-scroller').scrollTop > 0]);
  const selected = await page.$eval(`#${box}`, (control) => [control.selectionStart, control.selectionEnd]);
  const kept = await texts();
  assert.deepEqual([...kept, ...focus, ...selected.slice(0, selection.length)],
                   [asInBox(c.data), ...results, c.precision, box, scrolled, ...selection]);
  // A blank typed at the end of the data leaves every result stale: grey and
  // described so, its text kept. Backspace takes the marks away.
  if (c.editsAfter) {
    const note = '结果已过期：原始数据或精度已改动，请重新计算。';
    const marked = (stale) => c.results.map((result) => (stale && result ? [result, 'rgb(109, 109, 109)', note, note]
                                                                         : [result, 'rgb(0, 0, 0)', null, '复制全部结果 (Ctrl+Shift+Enter)']));
    await page.focus('#Text1');
    await pressWith(page, 'Control', 'End');
    await page.keyboard.press('Space');
    assert.deepEqual(await marks(), marked(true).map((mark) => [...mark, 'Control+Shift+Enter']));
    assert.equal(await page.$eval('#announce', (region) => region.textContent), note);
    await page.keyboard.press('Backspace');
    assert.deepEqual(await marks(), marked(false).map((mark) => [...mark, 'Control+Shift+Enter']));
  }
  // 复制全部结果, by its key or, typed, by a result box's own menu, copies two
  // lines; a clipboard the browser refuses is told. The clipboard holds '-'
  // first, so that a copy that did nothing cannot pass on the last row's.
  if (c.copiedCount !== null) {
    await page.evaluate(() => navigator.clipboard.writeText('-'));
    await allowClipboard(page, false);
    await pressWith(page, 'Control+Shift', 'Enter');
    await answerMessage(['复制结果', '无法打开剪贴板，结果未复制，请稍后再试。'], 'Enter');
    await clickDone(page);
    await allowClipboard(page);
    if (typed) await page.click('#Text6', {button: 'right'});
    await (typed ? page.keyboard.press('Enter') : pressWith(page, 'Control+Shift', 'Enter'));
    await clickDone(page);
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()),
                 `平均值\t平均偏差\t相对平均偏差(%)\t标准偏差(S)\t相对标准偏差(RSD%)\t数据个数\t精度\n${[...c.results, c.copiedCount, c.precision].join('\t')}\n`);
  }
  if (!c.clearAnswer) return;

  await pressWith(page, 'Alt', 'C');
  await answerMessage(c.messages.at(-1), c.clearAnswer === 'y' ? 'Enter' : 'Escape', ['是(Y)', '否(N)']);
  await clickDone(page);
  assert.deepEqual(await texts(), c.clearAnswer === 'y' ? ['', '', '', '', '', '', c.precision] : kept);
  if (c.clearAnswer === 'n') return;
  // Ctrl+Z in the data box brings the data back in one step.
  await page.focus('#Text1');
  await pressWith(page, 'Control', 'Z');
  assert.equal((await texts())[0], kept[0]);
}

// Pasted, and typed too where a keyboard types the row.
const ways = (c) => (/^[\x20-\x7e\r\n]{0,2500}$/.test(c.data + c.precision) ? [false, true] : [false]);
test('the window rows of the case table, pasted and typed', async () => {
  for (const [c, typed] of cases.flatMap((c) => ways(c).map((typed) => [c, typed]))) {
    await runRow(c, typed).catch((e) => assert.fail(`${c.name}${typed ? ', typed' : ''}: ${e.message}`));
  }
});

// Tab only: the page adds nothing to the browser's Shift+Tab, the same order
// backwards.
test('Tab goes through the boxes, the buttons, then the precision; each is named', async () => {
  await page.focus('#Text1');
  for (const expected of ['Text1 原始数据 textbox multi-line', 'Text2 平均值', 'Text3 平均偏差', 'Text4 相对平均偏差(%)',
                          'Text5 标准偏差(S)', 'Text6 相对标准偏差(RSD%)', 'Command1 计算(M)', 'Command2 清空(C)', 'Text7 精度']) {
    // The element focused within the control, as a screen reader meets it.
    assert.equal(await page.evaluate((control = document.activeElement) => {
      const e = control.shadowRoot?.activeElement ?? control;
      return `${control.id} ${e.ariaLabel ?? e.textContent}${e.ariaMultiLine ? ` ${e.role} multi-line` : ''}`;
    }), expected);
    await page.keyboard.press('Tab');
  }
});

test('on a screen narrower than the window the whole window is scaled down to fit its width', async () => {
  await page.setViewport({width: 300, height: 600});  // the window is 443 pixels wide
  await page.evaluate(() => new Promise((resized) => requestAnimationFrame(() => setTimeout(resized))));
  const {left, right} = await page.$eval('#Static', (stage) => stage.getBoundingClientRect().toJSON());
  assert.ok(left >= 0 && right <= 300 && right > 270, `the window from ${left} to ${right} of 300`);
});

// A copy of the site with `mark` in each of its files, built into a release
// of its own.
function release(mark) {
  const site = path.join(releases, mark);
  cpSync(process.env.QUORVEL_SITE, site, {recursive: true});
  const marked = {'index.html': `<meta name="release" content="${mark}">`, 'quorvel.css': `html { --release: ${mark}; }`,
                  'quorvel.js': `;globalThis.release = '${mark}';`, 'quorvel-core.js': `;globalThis.coreRelease = '${mark}';`};
  for (const [file, text] of Object.entries(marked)) appendFileSync(`${site}/${file}`, `${text}\n`);
  execFileSync('cmake', [`-DSITE=${site}`, '-P', new URL('../../app/web/site_release.cmake', import.meta.url).pathname]);
  return site;
}

test('a new release takes over whole within two reloads, and calculates offline; a broken one blames its files', async () => {
  const server = await serveSite(release('A'));
  after(server.close);  // a server left open keeps the test from ending
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
    return visitor.evaluate(() => document.querySelector('meta[name=release]').content + globalThis.release +
      getComputedStyle(document.documentElement).getPropertyValue('--release').trim() + globalThis.coreRelease);
  };
  server.use(release('B'));
  assert.match(await reloadSettled(), /^(AAAA|BBBB)$/);
  assert.equal(await reloadSettled(), 'BBBB');
  await server.close();
  assert.equal(await reloadSettled(`${server.url}?utm_source=wechat`), 'BBBB');
  // The old release's cache is gone.
  assert.equal(await visitor.evaluate(async () => (await caches.keys()).length), 1);
  // Offline it calculates, and says the results. The mean is 76.4 pixels wide
  // in a room of 75, told whole.
  await enter(visitor, 'Text7', '0.0000000001');
  await enter(visitor, 'Text1', '3.1415926536 3.1415926536');
  await pressWith(visitor, 'Alt', 'M');
  await clickDone(visitor);
  const mean = '3.1415926536';
  assert.deepEqual(await visitor.$eval('#Text2', (b) => [b.value, b.title, b.getAttribute('aria-description')]), [mean, mean, mean]);
  assert.equal(await visitor.$eval('#announce', (region) => region.textContent), `平均值 ${mean}，平均偏差 0，相对平均偏差(%) 0%，标准偏差(S) 0，相对标准偏差(RSD%) 0%`);
  // The box's own menu: 复制 copies its whole text, and the focus comes back.
  await visitor.click('#Text2', {button: 'right'});
  await visitor.keyboard.press('ArrowDown');
  await visitor.keyboard.press('Enter');
  assert.deepEqual(await visitor.evaluate(async () => [document.activeElement.id, await navigator.clipboard.readText()]),
                   ['Text2', mean]);
  // Titled with the window's caption; no script error and no blocked request.
  assert.deepEqual([await visitor.title(), visitor.errors], ['Quorvel1.2', []]);

  // A release whose WebAssembly file arrives cut short.
  const broken = await serveSite(release('C'));
  after(broken.close);
  truncateSync(`${releases}/C/quorvel-core.wasm`, 1000);
  await visitor.goto(broken.url);
  const shown = await visitor.waitForSelector('#files-error:not([hidden]), #wasm-error:not([hidden])');
  assert.equal(await shown.evaluate((notice) => notice.id), 'files-error');
  await visitor.close();
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
  // The text after `act(insert)` puts `insert` in place of units `from` to
  // `to`: by default the selection.
  const edit = async (insert, act, range = (start, end) => [start, end]) => {
    const [, start, end] = await box();
    const [from, to] = range(start, end);
    await act(insert);
    return model.slice(0, from) + insert + model.slice(to);
  };
  // Chinese comes through an input method, composed from its pinyin.
  const compose = async (text) => {
    await cdp.send('Input.imeSetComposition', {text: 'shu', selectionStart: 3, selectionEnd: 3});
    await aMomentLater();
    await cdp.send('Input.insertText', {text});
  };
  const steps = {
    type: () => edit(pick(['1', '2.5 ', '\n', '-3e2', 'x', '数', '😀']),
                     (text) => (text === '数' ? compose(text) : page.keyboard.type(text))),
    paste: async () => {
      const text = Array.from({length: pick([1, 3, 50, 200000])}, (_, i) => `${i % 7}.${random(100)}`).join(pick(['\n', '\r\n']));
      await page.evaluate((text) => navigator.clipboard.writeText(text), text);
      if (text.length >= 65536) held = new Set([model]);
      return edit(text.replace(/\r\n/g, '\n'), () => pressWith(page, 'Control', 'V'));
    },
    // Backspace (the page's own key) with nothing selected takes one
    // character, and a surrogate pair is one.
    backspace: () => edit('', () => page.keyboard.press('Backspace'), (start, end) =>
      [start < end ? start : Math.max(0, start - 1 - /[\udc00-\udfff]/.test(model[start - 1])), end]),
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
      const keys = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown', 'Home', 'End'];
      for (let i = random(30); i >= 0; --i) await pressWith(page, pick(['Shift', 'Control']), pick(keys));
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
    // Each message answered with the one key until the click is done; only
    // 清空 answered 是 changes the data.
    'calculate or clear': async () => {
      const letter = pick(['M', 'C']);
      const key = pick(['Enter', 'Escape']);
      await pressWith(page, 'Alt', letter);
      while (await page.$('#Static[aria-busy]')) {
        if (await page.$('#message[open]')) await page.keyboard.press(key);
        else await aMomentLater();
      }
      const cleared = letter === 'C' && key === 'Enter';
      if (cleared) held = new Set([model, '']);
      return cleared ? '' : model;
    },
  };
  const end = performance.now() + 1000 * Number(process.env.SESSION_SECONDS ?? 5);
  for (let done = 1; performance.now() < end; ++done) {
    await aMomentLater();
    await page.focus('#Text1');
    const [name, step] = pick(Object.entries(steps));
    const where = `${name} (step ${done}, SESSION_SEED=${seed})`;
    model = await step().catch((e) => assert.fail(`${where}: ${e.message}`));
    held.add(model);
    const [text] = await box();
    assert.ok(text === model, `${where}: the box holds ${text.length} units, not ${model.length}`);
  }
  assert.deepEqual(page.errors, []);
});
