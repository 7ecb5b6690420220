// Figures for the web app, in headless chromium: the bytes a first visit
// transfers gzip-compressed (icons aside), the time from load to the first
// calculation, a paste of 10^6 lines with Alt+M until the results show and
// their copy, a line of 10^5 items pasted, a key typed at the end of each text, and the
// page's memory after one and after five rounds of such a paste and 清空.
// Usage: node bench/web_bench.mjs build/web/site (tools/build-web.sh builds it).
import {readFileSync} from 'node:fs';
import path from 'node:path';
import {gzipSync} from 'node:zlib';

import {clickDone, launchChromium, openPage, pressWith, serveSite} from '../tools/web_chromium.mjs';

const site = process.argv[2];
const server = await serveSite(site);
const browser = await launchChromium();
const ms = (start) => `${Math.round(performance.now() - start)} ms`;
const resultsShown = (page) => page.waitForFunction(
    () => document.getElementById('Text6').value !== '' &&
          new Promise((shown) => requestAnimationFrame(() => shown(true))),
    {timeout: 600000});

try {
  const files = new Set();
  const opened = performance.now();
  const page = await openPage(browser, server.url);
  const ready = ms(opened);
  await page.focus('#Text1');
  await page.keyboard.type('1 2 3 4 5');
  const clicked = performance.now();
  await pressWith(page, 'Alt', 'M');
  await resultsShown(page);
  console.log(`window ready after load: ${ready}; first calculation (Alt+M to results): ${ms(clicked)}`);

  const visit = await openPage(browser, server.url);  // the same profile: only to list the files
  for (const entry of await visit.evaluate(() => performance.getEntriesByType('resource').map((e) => e.name))) {
    files.add(new URL(entry).pathname);
  }
  files.add('/index.html');
  await visit.close();
  await page.bringToFront();
  let raw = 0;
  let gzipped = 0;
  for (const file of [...files].filter((f) => !f.endsWith('.png'))) {
    const body = readFileSync(path.join(site, file));
    raw += body.length;
    gzipped += gzipSync(body, {level: 9}).length;
  }
  console.log(`first visit without icons: ${files.size} files, ${(raw / 1024).toFixed(1)} kB, ` +
              `${(gzipped / 1024).toFixed(1)} kB gzip-compressed`);

  const drawn = () => page.evaluate(() => new Promise((shown) => requestAnimationFrame(() => shown())));
  // The text is on the clipboard and selected over the box's text before the
  // clock starts: the paste is timed from Ctrl+V to the frame that shows it.
  const paste = async (text) => {
    await page.evaluate((text) => navigator.clipboard.writeText(text), text);
    await page.focus('#Text1');
    await pressWith(page, 'Control', 'A');
    const pasted = performance.now();
    await pressWith(page, 'Control', 'V');
    await drawn();
    return pasted;
  };
  const keyAtEnd = async () => {
    await pressWith(page, 'Control', 'End');
    const typed = performance.now();
    await page.keyboard.press('5');
    await drawn();
    return ms(typed);
  };

  await page.$eval('#Text6', (box) => { box.value = ''; });
  const pasted = await paste('97.1234\n'.repeat(1e6));
  const pasteTime = ms(pasted);
  const calculated = performance.now();
  await pressWith(page, 'Alt', 'M');
  await clickDone(page);
  await resultsShown(page);
  const copied = performance.now();
  await pressWith(page, 'Control+Shift', 'Enter');
  await clickDone(page);
  const copyTime = ms(copied);
  console.log(`10^6 lines: paste ${pasteTime}, Alt+M to results ${ms(calculated)}, together ${ms(pasted)}, ` +
              `Ctrl+Shift+Enter to the results copied ${copyTime}, a key at the end ${await keyAtEnd()}`);
  const line = await paste('97.1234 '.repeat(1e5));
  console.log(`one line of 10^5 items: paste ${ms(line)}, a key at the end ${await keyAtEnd()}`);

  // The page's JavaScript heap after a garbage collection: the editor's text
  // and its undo history live there.
  const cdp = await page.createCDPSession();
  const memory = async () => {
    await cdp.send('HeapProfiler.collectGarbage');
    const {usedSize} = await cdp.send('Runtime.getHeapUsage');
    return `${(usedSize / 2 ** 20).toFixed(0)} MB`;
  };
  const rounds = [];
  for (let round = 1; round <= 5; ++round) {
    await paste('97.1234\n'.repeat(1e6));
    await pressWith(page, 'Alt', 'C');
    await page.waitForSelector('#message[open]');
    await page.keyboard.press('Enter');
    await clickDone(page);
    if (round === 1 || round === 5) rounds.push(await memory());
  }
  console.log(`memory after a 10^6-line paste and 清空: one round ${rounds[0]}, five rounds ${rounds[1]}`);
} finally {
  await browser.close();
  await server.close();
}
