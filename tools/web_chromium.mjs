// Serves the built web app on 127.0.0.1 and opens it in Debian's headless
// chromium through the DevTools protocol, for tools/run.sh --web, the page
// test and the benchmark. puppeteer-core is
// installed for tests/web (npm ci --prefix tests/web).
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import http from 'node:http';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import path from 'node:path';

const puppeteer = createRequire(new URL('../tests/web/package.json', import.meta.url))('puppeteer-core');

const kTypes = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm', '.png': 'image/png', '.bmp': 'image/bmp',
                '.webmanifest': 'application/manifest+json'};

// Resolves to {url, use(site), close()}: use() serves another site at the
// same address, close() takes it off the network.
export function serveSite(site) {
  let root = site;
  const server = http.createServer((request, response) => {
    const file = path.join(root, new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
    try {
      const body = readFileSync(file);
      response.writeHead(200, {'Content-Type': kTypes[path.extname(file)] ?? 'application/octet-stream'});
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
    url: `http://127.0.0.1:${server.address().port}/`,
    use: (other) => { root = other; },
    close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
  })));
}

export async function launchChromium() {
  const profile = mkdtempSync(path.join(tmpdir(), 'quorvel-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
    userDataDir: profile,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const close = browser.close.bind(browser);
  browser.close = async () => {
    await close();
    rmSync(profile, {recursive: true, force: true});
  };
  return browser;
}

// Lets the page's site use the clipboard, or has the browser refuse it.
export function allowClipboard(page, allowed = true, url = page.url()) {
  const permissions = ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write'];
  return page.browserContext().overridePermissions(new URL(url).origin, allowed ? permissions : []);
}

// A new tab on the site, which may use the clipboard, with the window built;
// page.errors collects its script errors and blocked requests.
export async function openPage(browser, url) {
  const page = await browser.newPage();
  await allowClipboard(page, true, url);
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  page.on('console', (message) => message.type() === 'error' && page.errors.push(message.text()));
  await page.goto(url);
  await page.waitForSelector('#Text7');
  return page;
}

// A key with modifiers held, as a person presses Alt+M, Shift+Tab or
// Control+Shift+Enter.
export async function pressWith(page, modifiers, key) {
  for (const modifier of modifiers.split('+')) await page.keyboard.down(modifier);
  await page.keyboard.press(key.length === 1 ? `Key${key}` : key);
  for (const modifier of modifiers.split('+')) await page.keyboard.up(modifier);
}

// Puts the text into a box as a paste does, or types it key by key with
// Enter for each line break. A large text goes through the clipboard and
// Ctrl+V (it holds no lone surrogate); a smaller one is inserted by the
// browser's editing, unit for unit: it crosses the protocol as JSON escapes,
// which keep a lone surrogate.
export async function enter(page, box, text, typed = false) {
  await page.focus(`#${box}`);
  await pressWith(page, 'Control', 'A');
  await page.keyboard.press('Delete');
  if (typed) {
    await page.keyboard.type(text.replace(/\r\n/g, '\n'));
  } else if (text.length > 60000) {
    await page.evaluate((text) => navigator.clipboard.writeText(text), text);
    await pressWith(page, 'Control', 'V');
  } else if (text) {
    await page.evaluate((json) => document.execCommand('insertText', false, JSON.parse(json)),
                        JSON.stringify(text));
  }
}

export function clickDone(page) {
  return page.waitForSelector('#Static:not([aria-busy])');
}
