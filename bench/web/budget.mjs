// Checks the page's budgets: the .wasm at most 256 KiB, the whole page at most 400 KiB gzipped; in
// headless Chromium, side by side with a bare static page that has the same header text, the
// page's first paint at most 1.1 times and its first usable moment (the form attached to the
// module) at most 1.3 times the bare page's first paint, each the median of RUNS (at least 7)
// fresh profiles, taken in turns; and one calculation under 1 ms. Prints each measure; exits 1
// when one is over its budget. With --sizes only the sizes are checked (scripts/test.sh): timings
// belong to a machine that runs nothing else.
import { spawn } from 'node:child_process';
import { once } from 'node:events';
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium, chromiumFlags, distFolder, openBrowser } from '../../tests/web/support.mjs';

const KiB = 1024;
const runs = Math.max(7, Number(process.env.RUNS ?? 9));
const files = readdirSync(distFolder);
const wasm = readFileSync(join(distFolder, 'vesmer.wasm')).length;
const gzipped = files.reduce((sum, file) => sum + gzipSync(readFileSync(join(distFolder, file)), { level: 9 }).length, 0);

const sizes = [
  ['.wasm', wasm / KiB, 256, 'KiB'],
  ['page gzipped', gzipped / KiB, 400, 'KiB'],
];

// Prints each measure against its budget and ends with the count of those over it.
function report(measures) {
  let failed = 0;
  for (const [name, value, limit, unit] of measures) {
    const over = value > limit;
    failed += over;
    console.log(`${over ? 'OVER' : 'ok  '} ${name}: ${value.toFixed(unit === 'KiB' ? 1 : 3)} ${unit} (budget ${limit} ${unit})`);
  }
  console.log(`budget: ${measures.length - failed} passed, ${failed} failed`);
  process.exit(failed ? 1 : 0);
}
if (process.argv.includes('--sizes')) report(sizes);

// The bare page: the page's own header and nothing else, no style, no script.
const folder = mkdtempSync(join(tmpdir(), 'vesmer-budget-'));
cpSync(distFolder, folder, { recursive: true });
const index = readFileSync(join(distFolder, 'index.html'), 'utf8');
const title = index.match(/<title>(.*)<\/title>/)[1];
const header = index.match(/<header>[\s\S]*?<\/p>/)[0];
writeFileSync(join(folder, 'bare.html'), `<!doctype html>
<html lang="ja">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>${title}</title>
</head>
<body>
${header}
</header>
</body>
</html>
`);

// The pages are served by a process of their own, so that driving the browser does not delay them.
const server = spawn(process.execPath, [new URL('../../web/serve.mjs', import.meta.url).pathname, folder], { env: { ...process.env, PORT: '0' } });
const origin = (await once(server.stdout, 'data'))[0].toString().match(/http:\/\/[\d.:]+/)[0];

// A fresh profile's first paint and, for the page, the moment it is ready, in ms from navigation.
async function measure(path) {
  const profile = mkdtempSync(join(tmpdir(), 'vesmer-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: true, args: chromiumFlags,
  });
  try {
    const page = await context.newPage();
    await page.goto(`${origin}/${path}`, { waitUntil: 'commit' });
    // Observed in the page, so that no polling from outside takes the page's time.
    return await page.evaluate((mark) => new Promise((done) => {
      const check = () => {
        const paint = performance.getEntriesByName('first-contentful-paint')[0];
        const ready = mark && performance.getEntriesByName(mark)[0];
        if (paint && (!mark || ready)) done({ paint: paint.startTime, ready: ready?.startTime });
      };
      new PerformanceObserver(check).observe({ entryTypes: ['paint', 'mark'] });
      check();
    }), path ? null : 'vesmer-ready');
  } finally {
    await context.close();
    rmSync(profile, { recursive: true, force: true });
  }
}

// The form's submit handler: the inputs read, which apply found, computed and shown, as the best
// of ten batches, so that other work on the machine does not count.
async function calculation() {
  const browser = await openBrowser(folder);
  try {
    const page = await browser.open('?today=2024-10-01');
    return await page.evaluate(() => {
      const form = document.getElementById('inputs');
      for (const [name, value] of [['birthYear', '1990'], ['birthMonth', '4'], ['birthDay', '2']])
        form.elements[name].value = value;
      const submit = () => form.dispatchEvent(new Event('submit', { cancelable: true }));
      let best = Infinity;
      for (let batch = 0; batch < 10; batch++) {
        const start = performance.now();
        for (let i = 0; i < 50; i++) submit();
        best = Math.min(best, (performance.now() - start) / 50);
      }
      return best;
    });
  } finally {
    await browser.close();
  }
}

const bare = [];
const page = [];
for (let run = 0; run < runs; run++) {
  bare.push((await measure('bare.html')).paint);
  page.push(await measure(''));
}
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const barePaint = median(bare);
const firstPaint = median(page.map((m) => m.paint));
const firstUse = median(page.map((m) => m.ready));
const oneCalculation = await calculation();
server.kill();
rmSync(folder, { recursive: true, force: true });

console.log(`bare page first paint (ms):   ${bare.map((v) => v.toFixed(0)).join(' ')}  median ${barePaint.toFixed(0)}`);
console.log(`page first paint (ms):        ${page.map((m) => m.paint.toFixed(0)).join(' ')}  median ${firstPaint.toFixed(0)}`);
console.log(`page ready (ms):              ${page.map((m) => m.ready.toFixed(0)).join(' ')}  median ${firstUse.toFixed(0)}`);
report([
  ...sizes,
  ['first paint / bare first paint', firstPaint / barePaint, 1.1, '×'],
  ['first usable / bare first paint', firstUse / barePaint, 1.3, '×'],
  ['one calculation', oneCalculation, 1, 'ms'],
]);
