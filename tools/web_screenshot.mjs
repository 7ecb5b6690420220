// Shows the web app's main job without a display: types 1 2 3 4 5 into the
// page in headless chromium, presses Alt+M, saves a screenshot of the window
// and prints its path. Usage: node tools/web_screenshot.mjs SITE PNG
import path from 'node:path';

import {clickDone, enter, launchChromium, openPage, pressWith, serveSite} from './web_chromium.mjs';

const [site, png] = process.argv.slice(2);
const server = await serveSite(site);
const browser = await launchChromium();
try {
  const page = await openPage(browser, server.url);
  await page.setViewport({width: 480, height: 340});
  await enter(page, 'Text1', '1 2 3 4 5', true);
  await pressWith(page, 'Alt', 'M');
  await clickDone(page);
  await (await page.$('#Static')).screenshot({path: png});
  console.log(path.resolve(png));
} finally {
  await browser.close();
  await server.close();
}
