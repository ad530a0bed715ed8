// What the browser tests share: the built page served on 127.0.0.1, Debian's Chromium driven
// over the DevTools protocol, and vesmer-cli from the native build.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { startServer } from '../../web/serve.mjs';

export { chromium };
const repo = join(dirname(fileURLToPath(import.meta.url)), '..', '..');
export const distFolder = join(repo, 'web', 'dist');
const cliPath = process.env.VESMER_CLI ?? join(repo, 'build', 'cli', 'vesmer-cli');

// Playwright adds --headless itself.
export const chromiumFlags = ['--no-sandbox', '--disable-gpu', '--disable-quic',
  '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync'];

// A browser with its own empty profile folder, and the page's server; close() ends both.
export async function openBrowser(folder = distFolder) {
  const server = await startServer(folder);
  const profile = mkdtempSync(join(tmpdir(), 'vesmer-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: true, args: chromiumFlags,
    locale: 'ja-JP', viewport: { width: 1280, height: 900 },
  });
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    context, server, origin,
    // A page with the app ready; its console errors, failed and outside requests are collected.
    async open(query = '', viewport) {
      const page = await context.newPage();
      if (viewport) await page.setViewportSize(viewport);
      page.problems = [];
      page.on('dialog', (dialog) => dialog.accept());
      page.on('console', (m) => m.type() === 'error' && page.problems.push(`console: ${m.text()}`));
      page.on('pageerror', (e) => page.problems.push(`page: ${e.message}`));
      page.on('request', (r) => !r.url().startsWith(origin) && !r.url().startsWith('blob:') &&
        page.problems.push(`outside request: ${r.url()}`));
      // A request the next load cancels (the icon, fetched after the page is ready) is no fault.
      page.on('requestfailed', (r) => r.failure()?.errorText !== 'net::ERR_ABORTED' &&
        page.problems.push(`failed: ${r.url()} (${r.failure()?.errorText})`));
      await page.goto(`${origin}/${query}`);
      await page.waitForFunction(() => document.documentElement.dataset.ready, null, { timeout: 10000 })
        .catch((e) => { throw new Error(`${e.message}\n${page.problems.join('\n')}`); });
      return page;
    },
    async close() {
      await context.close();
      await new Promise((done) => server.close(done));
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// vesmer-cli's run for the arguments: its output and errors as text (.stdout, .stderr).
export const cli = (args) => spawnSync(cliPath, args, { encoding: 'utf8' });

// Sets the page's inputs by their schema names (lists take an index, checks 0 or 1) and
// reports the change, as leaving a field does.
export async function fill(page, values) {
  await page.evaluate((entries) => {
    const form = document.getElementById('inputs');
    for (const [name, value] of entries) {
      const input = form.elements[name];
      if (input.type === 'checkbox') input.checked = value === '1';
      else input.value = value;
    }
    form.dispatchEvent(new Event('change'));
  }, Object.entries(values));
}

// The page reloaded; given `storage`, localStorage holds only its keys (their values as JSON)
// first, so that reload(page, {}) is the page anew with its defaults.
export async function reload(page, storage) {
  if (storage) {
    await page.evaluate((entries) => {
      localStorage.clear();
      for (const [key, value] of entries) localStorage.setItem(key, JSON.stringify(value));
    }, Object.entries(storage));
  }
  await page.reload();
  await page.waitForFunction(() => document.documentElement.dataset.ready);
}

// What the page shows: the history, the block's rows, whether they are marked as not matching,
// each refusal with the input it is tied to, and the inputs that apply.
export function shown(page) {
  return page.evaluate(() => ({
    history: document.getElementById('history').textContent,
    rows: [...document.querySelectorAll('#resume tbody tr:not(:has(#hint))')]
      .map((tr) => [...tr.cells].map((td) => td.textContent).join('\t')),
    stale: !document.getElementById('stale').hidden,
    alerts: [...document.querySelectorAll('.alert')].map((a) => ({
      text: a.textContent, field: document.querySelector(`[aria-describedby="${a.id}"]`)?.name ?? '',
    })),
    applying: [...document.querySelectorAll('#inputs [data-input]')]
      .filter((node) => !node.closest('[hidden]')).map((node) => node.dataset.input),
  }));
}

// axe-core's violations on the page, one line each.
export async function violations(page) {
  await page.evaluate(axeSource);
  return page.evaluate(async () => (await window.axe.run(document, {
    runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] })).violations
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
}
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
