// Makes the README's pictures of the page: docs/web-phone.png (360 px wide) and
// docs/web-desktop.png (1280 px wide), each with a birth date typed and its 学歴欄 on show.
// Run by `scripts/web.sh pictures` after the page is built.
import { fill, openBrowser } from '../tests/web/support.mjs';

const docs = new URL('../docs/', import.meta.url).pathname;
const browser = await openBrowser();
try {
  for (const [name, width, height] of [['web-phone.png', 360, 760], ['web-desktop.png', 1280, 820]]) {
    const page = await browser.open('?today=2024-10-01', { width, height });
    await fill(page, { birthYear: '1990', birthMonth: '4', birthDay: '2', finalSchool: '5', outcome: '1' });
    await page.evaluate(() => document.activeElement?.blur());
    await page.screenshot({ path: docs + name });
    await page.close();
  }
} finally {
  await browser.close();
}
