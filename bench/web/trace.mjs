// Where the page's time goes from navigation to the moment it can be used: Chromium performance
// traces of fresh loads of the built page (or of PAGE, e.g. bare.html in the same folder), with
// the medians over RUNS loads (default 5) of
//   - the moments: first paint, DOMContentLoaded, the page's own marks, each file asked for and
//     arrived;
//   - the renderer's main thread up to first paint and from first paint to ready: the time on the
//     clock, the processor time it used (which other work on the machine hardly changes) and that
//     processor time by kind of work (each kind's own time, without what it called);
//   - the processor time of the renderer's other threads (compiling, decoding) in the same spans.
//   node bench/web/trace.mjs [PAGE]          DIST=folder serves another build
//   TASKS=ms also lists the main thread's work of at least ms, nested, of the last load.
import { chromium, chromiumFlags, distFolder } from '../../tests/web/support.mjs';
import { startServer } from '../../web/serve.mjs';

const runs = Number(process.env.RUNS ?? 5);
const path = process.argv[2] ?? '';
const categories = ['devtools.timeline', 'disabled-by-default-devtools.timeline', 'blink.user_timing',
  'loading', 'v8', 'v8.wasm', 'blink', 'toplevel', 'navigation', 'renderer'];

// Complete events of one thread, nested: each with its depth and its own processor time (what it
// called taken off). Thread times are used where the trace has them.
function nest(events) {
  const sorted = events.sort((a, b) => a.ts - b.ts || b.dur - a.dur);
  const stack = [];
  return sorted.map((e) => {
    while (stack.length && stack.at(-1).ts + stack.at(-1).dur <= e.ts) stack.pop();
    const cpu = (e.tdur ?? e.dur) / 1000;
    const entry = { name: e.name, ts: e.ts, dur: e.dur, cpu, own: cpu, depth: stack.length };
    if (stack.length) stack.at(-1).own -= cpu;
    stack.push(entry);
    return entry;
  });
}

function summarize(events) {
  const names = new Map(events.filter((e) => e.ph === 'M' && e.name === 'thread_name')
    .map((e) => [`${e.pid}:${e.tid}`, e.args.name]));
  const start = events.find((e) => e.name === 'navigationStart' && e.args?.data?.isLoadingMainFrame &&
    names.get(`${e.pid}:${e.tid}`) === 'CrRendererMain');
  const at = (e) => (e.ts - start.ts) / 1000;
  const renderer = events.filter((e) => e.pid === start.pid);
  const mark = (name) => renderer.filter((e) => e.name === name).map(at).find((t) => t >= 0);
  const paint = mark('firstContentfulPaint');
  const ready = path ? paint : mark('vesmer-ready');
  const spans = { 'to paint': [0, paint], 'paint to ready': [paint, ready] };
  const inSpan = (e, [from, to]) => at(e) >= from && at(e) < to;

  const moments = { paint, ready, DOMContentLoaded: mark('domContentLoadedEventStart') };
  for (const e of renderer.filter((x) => x.cat.includes('blink.user_timing') && x.ph !== 'M' && !/(Start|End|^dom|^navigationStart)$|^(dom|unload)/.test(x.name)))
    moments[`mark ${e.name}`] ??= at(e);

  const sums = {};
  const add = (key, value) => (sums[key] = (sums[key] ?? 0) + value);
  const complete = renderer.filter((e) => e.ph === 'X' && e.dur !== undefined);
  const byThread = new Map();
  for (const e of complete) byThread.set(e.tid, [...(byThread.get(e.tid) ?? []), e]);
  const mainTasks = nest(byThread.get(start.tid) ?? []);
  for (const [span, range] of Object.entries(spans)) {
    sums[`${span}: main thread, clock`] = range[1] - range[0];
    for (const e of mainTasks.filter((x) => inSpan(x, range))) {
      if (e.depth === 0) add(`${span}: main thread, processor`, e.cpu);
      add(`${span}:   ${e.name}`, e.own);
    }
    for (const [tid, list] of byThread) {
      if (tid === start.tid) continue;
      const name = names.get(`${start.pid}:${tid}`) ?? `thread ${tid}`;
      for (const e of nest(list).filter((x) => x.depth === 0 && inSpan(x, range))) add(`${span}: other thread ${name}`, e.cpu);
    }
  }
  if (process.env.TASKS) {
    for (const e of mainTasks.filter((x) => x.dur >= Number(process.env.TASKS) * 1000 && at(x) >= 0 && at(x) < ready))
      console.log(`${at(e).toFixed(1).padStart(7)} ${(e.dur / 1000).toFixed(1).padStart(6)} ${'  '.repeat(e.depth)}${e.name}`);
  }
  return { moments, sums };
}

async function traceOnce(origin) {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: true, args: chromiumFlags });
  try {
    const page = await browser.newPage();
    await browser.startTracing(page, { categories });
    await page.goto(`${origin}/${path}`, { waitUntil: 'load' });
    await page.waitForFunction((bare) => bare || performance.getEntriesByName('vesmer-ready').length, Boolean(path));
    await page.waitForTimeout(100);
    const files = await page.evaluate(() => {
      const [document] = performance.getEntriesByType('navigation');
      return [['index.html', document.fetchStart, document.responseEnd],
        ...performance.getEntriesByType('resource').map((r) => [r.name.replace(/^.*\//, ''), r.fetchStart, r.responseEnd])];
    });
    const { traceEvents } = JSON.parse((await browser.stopTracing()).toString());
    const summary = summarize(traceEvents);
    for (const [name, asked, arrived] of files) {
      summary.moments[`asked for ${name}`] ??= asked;
      summary.moments[`arrived ${name}`] ??= arrived;
    }
    return summary;
  } finally {
    await browser.close();
  }
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const server = await startServer(process.env.DIST ?? distFolder);
const origin = `http://127.0.0.1:${server.address().port}`;
const results = [];
for (let run = 0; run < runs; run++) results.push(await traceOnce(origin));
server.close();

for (const part of ['moments', 'sums']) {
  const keys = [...new Set(results.flatMap((r) => Object.keys(r[part])))];
  const rows = keys.map((key) => [key, median(results.map((r) => r[part][key] ?? 0))]);
  if (part === 'moments') {
    console.log('moments (ms from navigation):');
    for (const [key, value] of rows.sort((a, b) => a[1] - b[1])) console.log(`  ${value.toFixed(1).padStart(7)}  ${key}`);
    continue;
  }
  console.log('time (ms), own processor time by kind of work of at least 1 ms:');
  for (const span of ['to paint', 'paint to ready']) {
    const mine = rows.filter(([key, value]) => key.startsWith(`${span}:`) && value >= (key.includes(':   ') ? 1 : 0));
    const order = (key) => (key.includes('clock') ? 0 : key.includes('main thread') ? 1 : key.includes('other thread') ? 3 : 2);
    for (const [key, value] of mine.sort((a, b) => order(a[0]) - order(b[0]) || b[1] - a[1])) console.log(`  ${value.toFixed(1).padStart(7)}  ${key}`);
  }
}
