// Checks the page's budgets: the .wasm at most 256 KiB, the whole page at most 400 KiB gzipped,
// the first render under 1 s in headless Chromium and one calculation under 1 ms in the page.
// Prints each measure; exits 1 when one is over its budget.
import { readdirSync, readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { distFolder, openBrowser } from './support.mjs';

const KiB = 1024;
const files = readdirSync(distFolder);
const wasm = readFileSync(join(distFolder, 'vesmer.wasm')).length;
const gzipped = files.reduce((sum, file) => sum + gzipSync(readFileSync(join(distFolder, file)), { level: 9 }).length, 0);

const browser = await openBrowser();
let firstRender;
let calculation;
try {
  // A new profile: nothing cached, no service worker yet.
  const page = await browser.open('?today=2024-10-01');
  firstRender = await page.evaluate(() => performance.getEntriesByName('vesmer-ready')[0].startTime);
  // The form's submit handler: the inputs read, computed by the module and the results shown.
  calculation = await page.evaluate(() => {
    const form = document.getElementById('inputs');
    const submit = () => form.dispatchEvent(new Event('submit', { cancelable: true }));
    for (let i = 0; i < 20; i++) submit();
    const runs = 500;
    const start = performance.now();
    for (let i = 0; i < runs; i++) submit();
    return (performance.now() - start) / runs;
  });
} finally {
  await browser.close();
}

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
