// Runs the case table through the real page in headless chromium: the window
// rows pasted with Alt+M and typed with a mouse click, every other row whose
// text a text box keeps as it is pasted; the message dialogs, where the focus
// lands, Tab order, the fit to a narrow screen, and a reload offline.
// QUORVEL_SITE names the built site (build/web/site).
import assert from 'node:assert/strict';
import {after, before, test} from 'node:test';

import {clickDone, enter, launchChromium, openPage, pressWith, serveSite} from '../../tools/web_chromium.mjs';
import {readCases} from './case_table.mjs';

const cases = readCases(new URL('../cases.tsv', import.meta.url));
const kResultBoxes = ['Text2', 'Text3', 'Text4', 'Text5', 'Text6'];
let site;
let browser;
let page;
const errors = [];

before(async () => {
  site = await serveSite(process.env.QUORVEL_SITE);
  browser = await launchChromium();
  page = await openPage(browser, site.url);
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
});

after(async () => {
  await browser?.close();
  await site?.close();
});

const texts = (ids) => page.evaluate((ids) => ids.map((id) => document.getElementById(id).value), ids);

// A text box holds a line break as a line feed alone: the unit of a table
// position in the box, counting no CR of a CR LF before it.
const asInBox = (text) => text.replace(/\r\n?/g, '\n');
const inBox = (text, unit) => asInBox(text.slice(0, unit)).length - (text[unit - 1] === '\r' && text[unit] === '\n');

async function answerMessage(message, question, key) {
  await page.waitForSelector('#message[open]');
  const shown = await page.$eval('#message', (dialog) => ({
    title: document.getElementById(dialog.getAttribute('aria-labelledby')).textContent,
    prompt: document.getElementById(dialog.getAttribute('aria-describedby')).textContent,
    buttons: [...dialog.querySelectorAll('button')].filter((b) => !b.hidden).map((b) => b.textContent),
    focused: document.activeElement.textContent,
  }));
  assert.deepEqual(shown, {...message, buttons: question ? ['是(Y)', '否(N)'] : ['确定'],
                           focused: question ? '是(Y)' : '确定'});
  // The next message may open at once, so the close itself is awaited.
  await page.$eval('#message', (dialog) => {
    globalThis.closed = new Promise((resolve) => dialog.addEventListener('close', resolve, {once: true}));
  });
  await page.keyboard.press(key);
  await page.evaluate(() => globalThis.closed);
}

async function runRow(c, typed) {
  await enter(page, 'Text7', c.precision, typed);
  await enter(page, 'Text1', c.data, typed);
  const earlier = await texts(kResultBoxes);
  await page.$eval('#Text1', (box) => { box.scrollTop = 0; });  // back to the top to read it
  if (typed) await page.click('#Command1');
  else await pressWith(page, 'Alt', 'M');
  const messages = c.clearAnswer ? c.messages.slice(0, -1) : c.messages;
  for (const [i, message] of messages.entries()) await answerMessage(message, false, i % 2 ? 'Escape' : 'Enter');
  await clickDone(page);

  const expected = c.results[0] === '-' ? earlier : c.results;
  assert.deepEqual(await texts(['Text7', 'Text1', ...kResultBoxes]),
                   [c.precision, asInBox(c.data), ...expected]);
  // The focus stays, or goes to the selection, scrolled into view when it
  // lies further down than the box shows.
  const {box, start, length} = c.focus ?? {box: typed ? 'Command1' : 'Text1'};
  const text = box === 'Text1' ? c.data : c.precision;
  const selection = c.focus ? [inBox(text, start), inBox(text, start + length)] : [];
  const scrolled = c.focus?.box === 'Text1' && text.slice(0, start).split('\n').length > 11;
  const [id, scrolledNow, ...selected] = await page.evaluate(() => {
    const e = document.activeElement;
    return [e.id, e.scrollTop > 0, e.selectionStart, e.selectionEnd];
  });
  assert.deepEqual([id, scrolledNow, ...(c.focus ? selected : [])], [box, scrolled, ...selection]);
  if (!c.clearAnswer) return;

  const kept = await texts(['Text1', ...kResultBoxes, 'Text7']);
  await pressWith(page, 'Alt', 'C');
  await answerMessage(c.messages.at(-1), true, c.clearAnswer === 'y' ? 'Enter' : 'Escape');
  await clickDone(page);
  assert.deepEqual(await texts(['Text1', ...kResultBoxes, 'Text7']),
                   c.clearAnswer === 'y' ? ['', '', '', '', '', '', c.precision] : kept);
  if (c.clearAnswer === 'n') return;
  // Ctrl+Z in the data box brings the data back in one step.
  await page.focus('#Text1');
  await pressWith(page, 'Control', 'Z');
  assert.deepEqual(await texts(['Text1']), [kept[0]]);
}

const typeable = (c) => /^[\x20-\x7e\r\n]{0,2500}$/.test(c.data + c.precision);

test('the window rows, pasted and typed', async () => {
  for (const c of cases.filter((c) => c.window)) {
    await runRow(c, false).catch((e) => assert.fail(`${c.name}, pasted: ${e.message}`));
    if (typeable(c)) await runRow(c, true).catch((e) => assert.fail(`${c.name}, typed: ${e.message}`));
  }
});

test('every other row whose texts a box keeps, pasted', async () => {
  const kept = (c) => asInBox(c.data) === c.data.replace(/\r\n/g, '\n') && !/[\r\n]/.test(c.precision);
  for (const c of cases.filter((c) => !c.window && kept(c))) {
    await runRow(c, false).catch((e) => assert.fail(`${c.name}: ${e.message}`));
  }
});

test('Tab goes through the boxes, the buttons, then the precision; Shift+Tab back', async () => {
  const order = ['Text1', 'Text2', 'Text3', 'Text4', 'Text5', 'Text6', 'Command1', 'Command2', 'Text7'];
  const walk = async () => {
    const seen = [await page.evaluate(() => document.activeElement.id)];
    while (seen.length < order.length) {
      await page.keyboard.press('Tab');
      seen.push(await page.evaluate(() => document.activeElement.id));
    }
    return seen;
  };
  await page.focus('#Text1');
  assert.deepEqual(await walk(), order);
  await page.keyboard.down('Shift');
  assert.deepEqual(await walk(), [...order].reverse());
  await page.keyboard.up('Shift');
});

test('a result wider than its box has its whole text as its tooltip', async () => {
  await runRow(cases.find((c) => c.name === 'largest-double'), false);
  const mean = await page.$eval('#Text2', (box) => [box.title, box.getAttribute('aria-description')]);
  assert.deepEqual(mean, ['1.79769313486232E+308', '1.79769313486232E+308']);
  assert.equal(await page.$eval('#Text3', (box) => box.title), '');
});

test('a narrow screen shows the whole window scaled down', async () => {
  await page.setViewport({width: 320, height: 480});
  const fits = () => document.getElementById('Static').getBoundingClientRect().right <= innerWidth &&
                     document.documentElement.scrollWidth <= innerWidth;
  await page.waitForFunction(fits, {timeout: 2000});
  await page.setViewport({width: 800, height: 600});
});

test('after one visit the page loads and calculates offline', async () => {
  await page.evaluate(() => navigator.serviceWorker.ready);
  await site.close();
  await page.reload();
  await page.waitForSelector('#Text7');
  await runRow(cases.find((c) => c.name === 'one-to-five'), false);
});

test('no script error and no blocked request', () => assert.deepEqual(errors, []));
