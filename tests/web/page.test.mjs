// The page in Debian's Chromium: loaded clean, the same answers as vesmer-cli side by side, the
// enabling rules, refusals at their fields, the copied rows, the era converter, the phone layout,
// offline use and the accessibility checks.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { after, before, describe, it } from 'node:test';
import { calculate, cli, fill, fresh, openBrowser, seeded } from './support.mjs';

const today = '2024-10-01';
const stages = ['Elementary', 'JuniorHigh', 'HighSchool', 'JuniorCollege', 'Vocational',
  'University', 'Master', 'Doctor'];
const lists = { era: 'era', finalSchool: 'final', outcome: 'outcome', highSchoolLength: 'high-school',
  vocationalLength: 'vocational', universityLength: 'university', progression: 'route' };
const texts = { birthYear: 'year', birthMonth: 'month', birthDay: 'day' };
const checks = ['elementaryTransfer', 'juniorHighTransfer', 'skipHighSchoolLastYear',
  'universityAutumnEntry', 'universityHalfYear', 'skipUniversityLastYear', 'graduateAutumnEntry',
  'directDoctor', 'shortenMaster', 'shortenDoctor', 'showAge'];
const kebab = (name) => name.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`);
const fullWidth = (digits) => digits.replace(/\d/g, (d) => String.fromCharCode(0xff10 + Number(d)));

// The résumé inputs with the vesmer-cli options that give the same rows.
const resumeOptions = [
  { field: 'resumeCalendar', draw: (r) => String(r.int(0, 1)), args: (v) => ['--resume', v === '1' ? 'seireki' : 'wareki'] },
  { field: 'resumeStart', draw: (r) => String(r.int(0, 2)), args: (v) => ['--from', v] },
  { field: 'resumeHeading', draw: (r) => (r.next() < 0.2 ? '0' : '1'), args: (v) => (v === '0' ? ['--no-heading'] : []) },
  { field: 'leavingMonth', draw: (r) => (r.next() < 0.5 ? String(r.int(1, 12)) : ''), args: (v) => (v ? ['--leaving-month', v] : []) },
];
const schoolTexts = { school: ['東都大学', '　西京高等学校 ', '北陵中学校'],
  department: ['経済学部　経済学科', '工学研究科　機械工学専攻'] };
stages.forEach((stage, i) => {
  for (const kind of ['school', 'department']) {
    resumeOptions.push({ field: `${kind}${stage}`, draw: (r) => (r.next() < 0.3 ? r.pick(schoolTexts[kind]) : ''),
      args: (v) => (v ? [`--${kind}`, `${i + 1}=${v}`] : []) });
  }
});

// One input set: the page's values by name and the same inputs as vesmer-cli's arguments.
function inputSet(r) {
  const era = r.int(0, 3);
  const years = [[1950, 2016], [30, 64], [1, 31], [1, 6]][era];
  const values = { era: String(era), birthYear: String(r.int(...years)),
    birthMonth: String(r.int(1, 12)), birthDay: String(r.int(1, r.next() < 0.1 ? 31 : 28)),
    finalSchool: String(r.int(0, 7)), outcome: String(r.next() < 0.6 ? 1 : r.int(0, 17)),
    highSchoolLength: String(r.int(0, 3)), vocationalLength: String(r.int(0, 3)),
    universityLength: String(r.next() < 0.8 ? r.int(0, 2) : r.int(3, 4)),
    progression: String(r.next() < 0.5 ? 0 : r.int(1, 7)) };
  for (const name of checks) values[name] = r.next() < 0.12 ? '1' : '0';
  const args = ['--today', today];
  for (const [name, option] of Object.entries({ ...lists, ...texts })) args.push(`--${option}`, values[name]);
  stages.forEach((stage, i) => {
    for (const kind of ['ronin', 'ryunen']) {
      values[`${kind}${stage}`] = String(r.next() < 0.1 ? r.int(1, 2) : 0);
      args.push(`--${kind}`, `${i + 1}=${values[`${kind}${stage}`]}`);
    }
  });
  for (const name of checks) if (values[name] === '1') args.push(`--${kebab(name)}`);
  const resumeArgs = [];
  for (const option of resumeOptions) {
    values[option.field] = option.draw(r);
    resumeArgs.push(...option.args(values[option.field]));
  }
  // Full-width digits are taken by the page as typed.
  if (r.next() < 0.2) values.birthYear = fullWidth(values.birthYear);
  return { values, args, resumeArgs };
}

let browser;
let page;
before(async () => {
  browser = await openBrowser();
  page = await browser.open(`?today=${today}`);
});
after(() => browser?.close());

describe('the page', () => {
  it('loads clean, in Japanese, with an input for every schema name', async () => {
    assert.equal(await page.evaluate(() => document.documentElement.lang), 'ja');
    assert.match(await page.title(), /学歴/);
    const names = [...Object.keys({ ...lists, ...texts }), ...checks,
      ...stages.flatMap((s) => [`ronin${s}`, `ryunen${s}`]), 'calculate', 'history', 'resume'];
    const missing = await page.evaluate((ids) => ids.filter((id) => !document.getElementById(id)), names);
    assert.deepEqual(missing, []);
    assert.deepEqual(page.problems, []);
  });

  it('shows what vesmer-cli prints for 200 generated input sets', async () => {
    const r = seeded(20241001);
    for (let i = 0; i < 200; i++) {
      const set = inputSet(r);
      await fill(page, set.values);
      const shown = await calculate(page);
      const history = cli(set.args);
      const label = `set ${i}: ${set.args.join(' ')}`;
      if (history.status === 3) {
        assert.deepEqual(shown.alerts.map((a) => a.text), [history.err.trimEnd()], label);
        continue;
      }
      assert.equal(history.status, 0, label);
      assert.deepEqual(shown.alerts, [], label);
      assert.equal(shown.history, history.out, label);
      assert.deepEqual(shown.rows, cli([...set.args, ...set.resumeArgs]).out.split('\n').slice(0, -1), label);
    }
    assert.deepEqual(page.problems, []);
  });

  it('opens the inputs the final schooling allows and shows the particle', async () => {
    const cases = [ // finalSchool, outcome, enabled, disabled, particle
      [0, 0, ['roninElementary', 'showAge', 'birthYear'], ['roninJuniorHigh', 'highSchoolLength'], 'に'],
      [4, 1, ['roninVocational', 'vocationalLength'], ['roninJuniorCollege', 'universityLength'], 'を'],
      [5, 1, ['progression', 'universityAutumnEntry'], ['roninMaster', 'skipUniversityLastYear'], 'を'],
      [6, 1, ['graduateAutumnEntry', 'shortenMaster'], ['roninDoctor', 'directDoctor'], 'を'],
      [7, 3, ['roninDoctor', 'directDoctor', 'shortenDoctor'], [], 'を'],
    ];
    for (const [finalSchool, outcome, enabled, disabled, particle] of cases) {
      await page.selectOption('#finalSchool', String(finalSchool));
      await page.selectOption('#outcome', String(outcome));
      const state = await page.evaluate((ids) => ids.map((id) => document.getElementById(id).disabled),
        [...enabled, ...disabled]);
      assert.deepEqual(state, [...enabled.map(() => false), ...disabled.map(() => true)], `final ${finalSchool}`);
      assert.equal(await page.textContent('#particle'), particle);
    }
  });

  it('shows a refusal at the field it concerns, as vesmer-cli words it', async () => {
    const cases = [ // values, cli arguments, refused field, history kept
      [{ birthMonth: '13' }, ['--month', '13'], 'birthMonth', true],
      [{ era: '3', birthYear: '31', birthMonth: '5' }, ['--era', '3', '--year', '31', '--month', '5'], 'birthYear', true],
      [{ roninHighSchool: '100' }, ['--ronin', '3=100'], 'roninHighSchool', false],
      [{ finalSchool: '6', universityLength: '3' }, ['--final', '6', '--university', '3'], 'universityLength', false],
      [{ leavingMonth: '13' }, null, 'leavingMonth', true],
    ];
    for (const [values, args, field, kept] of cases) {
      await fresh(page);
      const before = (await calculate(page)).history;
      await fill(page, values);
      const shown = await calculate(page);
      assert.equal(shown.alerts.length, 1, field);
      assert.equal(shown.alerts[0].field, field);
      if (args) assert.equal(shown.alerts[0].text, cli(['--today', today, ...args]).err.trimEnd());
      assert.equal(await page.evaluate(() => document.activeElement.id), field);
      assert.equal(shown.history, kept ? before : '', field);
      if (kept) assert.equal(shown.rows.length, field === 'leavingMonth' ? 0 : 6, field);
    }
    const odd = await browser.open('?today=1899-12-31');
    assert.match(await odd.textContent('header [role="alert"]'), /today=1899-12-31/);
    await odd.close();
  });

  it('copies and saves the 学歴 rows as vesmer-cli --resume gives them', async () => {
    await browser.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: browser.origin });
    await fresh(page);
    for (const [calendar, name] of [['0', 'wareki'], ['1', 'seireki']]) {
      await fill(page, { finalSchool: '6', resumeCalendar: calendar });
      await calculate(page);
      await page.click('#copyResume');
      await page.waitForFunction(() => document.getElementById('copyStatus').textContent);
      const args = ['--today', today, '--final', '6', '--resume', name];
      assert.equal(await page.evaluate(() => navigator.clipboard.readText()), cli(args).out);
      const [download] = await Promise.all([page.waitForEvent('download'), page.click('#downloadCsv')]);
      assert.equal(readFileSync(await download.path(), 'utf8'), cli([...args, '--csv']).out);
    }
  });

  it('converts dates at the era boundaries of 1989 and 2019', async () => {
    const cases = [ // typed side, fields, shown sentence or refusal, refused field
      ['seireki', ['1989', '1', '7'], '西暦1989年1月7日 ＝ 昭和64年1月7日'],
      ['seireki', ['1989', '1', '8'], '西暦1989年1月8日 ＝ 平成元年1月8日'],
      ['seireki', ['２０１９', '4', '30'], '西暦2019年4月30日 ＝ 平成31年4月30日'],
      ['wareki', ['4', '元', '5', '1'], '西暦2019年5月1日 ＝ 令和元年5月1日'],
      ['wareki', ['3', '31', '5', '1'], null, 'convEraYear'],
      ['wareki', ['2', '64', '1', '8'], null, 'convEraYear'],
    ];
    const ids = { seireki: ['convYear', 'convMonth', 'convDay'],
      wareki: ['convEra', 'convEraYear', 'convEraMonth', 'convEraDay'] };
    for (const [side, fields, sentence, refused] of cases) {
      for (const [i, id] of ids[side].entries()) {
        if (id === 'convEra') await page.selectOption('#convEra', fields[i]);
        else await page.fill(`#${id}`, fields[i]);
      }
      const shown = await page.textContent('#conversion');
      if (sentence) assert.equal(shown, sentence);
      const invalid = await page.evaluate(() => document.querySelector('#converter [aria-invalid]')?.id ?? '');
      assert.equal(invalid, refused ?? '', `${fields}: ${shown}`);
    }
    await page.click('#yearTableBox summary');
    await page.fill('#tableBirthYear', '1989');
    const rows = await page.$$eval('#yearTable tbody tr', (trs) => trs.map((tr) => tr.innerText));
    assert.equal(rows.length, 2100 - 1873 + 1);
    assert.equal(rows[1989 - 1873], '1989\t昭和64年/平成元年\t己巳\t0');
    assert.equal(await page.$eval('#yearTable tr[aria-current]', (tr) => tr.cells[0].textContent), '2024');
  });

  it('fits a phone 360 px wide without sideways scrolling', async () => {
    const phone = await browser.open(`?today=${today}`, { width: 360, height: 640 });
    await fresh(phone);
    await calculate(phone);
    await phone.evaluate(() => {
      for (const details of document.querySelectorAll('details')) details.open = true;
    });
    await phone.evaluate(() => window.scrollTo(0, 0));
    assert.equal(await phone.evaluate(() => document.documentElement.scrollWidth), 360);
    await phone.screenshot({ path: new URL('../../docs/web-phone.png', import.meta.url).pathname });
    await phone.close();
  });

  it('is used with the keyboard alone: Enter in a field calculates', async () => {
    await fresh(page);
    await page.focus('#birthYear');
    await page.keyboard.press('Control+A');
    await page.keyboard.type('1990');
    await page.keyboard.press('Enter');
    assert.match(await page.textContent('#history'), /^西暦 1996年\(平成  8年\) 4月/);
  });

  it('finds no accessibility violation with axe-core', async () => {
    const axe = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
    await page.evaluate(() => {
      for (const details of document.querySelectorAll('details')) details.open = true;
    });
    await fill(page, { birthMonth: '13' });
    await calculate(page);
    await page.evaluate(axe);
    const violations = await page.evaluate(async () => (await window.axe.run(document, {
      runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] })).violations
      .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
    assert.deepEqual(violations, []);
  });

  it('refuses requests to other origins and works offline once loaded', async () => {
    const refused = await page.evaluate(() => fetch('http://127.0.0.1:9/').then(() => 'sent', () => 'refused'));
    assert.equal(refused, 'refused');
    await fresh(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const closed = new Promise((done) => browser.server.close(done));
    browser.server.closeAllConnections();
    await closed;
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.ready);
    assert.match((await calculate(page)).history, /現在の年齢は/);
    // Nothing went wrong on the page but the refused request.
    assert.deepEqual(page.problems.filter((problem) => !problem.includes('Content Security Policy')), []);
  });
});
