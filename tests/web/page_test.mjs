// Runs the window rows of the case table through the real page in headless
// chromium, pasted with Alt+M and typed with a mouse click; the message
// dialogs, where the focus lands, 清空 and its undo, Tab order, a reload
// offline, a new release taking over, and a random session of a person's
// edits. QUORVEL_SITE names the built site (build/web/site), QUORVEL_CASES
// the case table's rows as JSON (build/web/cases.json).
import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {after, test} from 'node:test';

import {clickDone, enter, launchChromium, openPage, pressWith, reload, serveSite} from '../../tools/web_chromium.mjs';

const cases = JSON.parse(readFileSync(process.env.QUORVEL_CASES, 'utf8')).filter((c) => c.window);

const site = await serveSite(process.env.QUORVEL_SITE);
const browser = await launchChromium();
const page = await openPage(browser, site.url);
after(() => browser.close().then(site.close));

// The precision, the data, then the results: 清空 empties all but the first.
const kBoxes = ['Text7', 'Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6'];
const texts = () => page.evaluate((ids) => ids.map((id) => document.getElementById(id).value), kBoxes);

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

test('after one visit the page loads and calculates offline; a result wider than its box is told whole', async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await site.close();
  await reload(page);
  await runRow(cases.find((c) => c.name === 'one-to-five'), false);
  await enter(page, 'Text1', '1e20 2e20 2e20');
  await pressWith(page, 'Alt', 'M');
  await clickDone(page);
  // The mean has more digits than its box shows; the RSD fits.
  const mean = '1.66666666666667E+20';
  assert.deepEqual(await page.$$eval('#Text2, #Text6', (boxes) => boxes.map((box) =>
    [box.value, box.title, box.getAttribute('aria-description')])), [[mean, mean, mean], ['34.641%', '', null]]);
  // The page is titled with the window's caption; no script error and no blocked request.
  assert.deepEqual([await page.title(), page.errors], ['Quorvel1.2', []]);
});

test('on a screen narrower than the window the whole window is scaled down to fit its width', async () => {
  await page.setViewport({width: 300, height: 600});  // the window is 443 pixels wide
  const [width, {left, right}] = await page.$eval('#Static', async (stage) => {
    await new Promise((resized) => requestAnimationFrame(() => setTimeout(resized)));
    return [document.documentElement.clientWidth, stage.getBoundingClientRect().toJSON()];
  });
  assert.ok(left >= 0 && right <= width && right > width * 0.9, `the window from ${left} to ${right} of ${width}`);
});
