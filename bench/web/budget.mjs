// Checks the page's budgets: the .wasm at most 256 KiB, the whole page at most 400 KiB gzipped,
// the first render under 1 s in headless Chromium and one calculation under 1 ms in the page.
// Prints each measure; exits 1 when one is over its budget.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { distFolder, openBrowser } from '../../tests/web/support.mjs';

const KiB = 1024;
const files = readdirSync(distFolder);
const wasm = readFileSync(join(distFolder, 'vesmer.wasm')).length;
const gzipped = files.reduce((sum, file) => sum + gzipSync(readFileSync(join(distFolder, file)), { level: 9 }).length, 0);

// The first render of a new profile (nothing cached, no service worker yet), the median of three;
// one calculation as the best of ten batches, so that other work on the machine does not count.
const renders = [];
let calculation = Infinity;
for (let run = 0; run < 3; run++) {
  const browser = await openBrowser();
  try {
    const page = await browser.open('?today=2024-10-01');
    renders.push(await page.evaluate(() => performance.getEntriesByName('vesmer-ready')[0].startTime));
    // The form's submit handler: the inputs read, computed by the module and the results shown.
    calculation = Math.min(calculation, await page.evaluate(() => {
      const form = document.getElementById('inputs');
      const submit = () => form.dispatchEvent(new Event('submit', { cancelable: true }));
      let best = Infinity;
      for (let batch = 0; batch < 10; batch++) {
        const start = performance.now();
        for (let i = 0; i < 50; i++) submit();
        best = Math.min(best, (performance.now() - start) / 50);
      }
      return best;
    }));
  } finally {
    await browser.close();
  }
}
const firstRender = renders.sort((a, b) => a - b)[1];

const measures = [
  ['.wasm', wasm / KiB, 256, 'KiB'],
  ['page gzipped', gzipped / KiB, 400, 'KiB'],
  ['first render', firstRender, 1000, 'ms'],
  ['one calculation', calculation, 1, 'ms'],
];
let failed = 0;
for (const [name, value, limit, unit] of measures) {
  const over = value > limit;
  failed += over;
  console.log(`${over ? 'OVER' : 'ok  '} ${name}: ${value.toFixed(unit === 'ms' ? 3 : 1)} ${unit} (budget ${limit} ${unit})`);
}
console.log(`budget: ${measures.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
