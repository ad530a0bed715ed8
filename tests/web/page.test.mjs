// The page in Debian's Chromium at 1280 and 360 px: answers that agree with vesmer-cli, only the
// inputs that apply, refusals at their fields, the block saved and printed, the converter, kept
// inputs, the rows of 休学・留学など, axe-core in each state, the keyboard alone from an empty page
// to a copied block, offline use, a new version.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, it } from 'node:test';
import { cli, distFolder, fill, openBrowser, reload, shown, violations } from './support.mjs';

const today = '2024-10-01';
const birth = { birthYear: '1990', birthMonth: '4', birthDay: '2' };
const born1990 = ['--year', '1990', '--month', '4', '--day', '2'];
const born2000 = ['--year', '2000', '--month', '5', '--day', '10', '--resume', 'wareki'];
// vesmer-cli on the same day, and its rows of the 学歴 block, one a line.
const run = (args) => cli(['--today', today, ...args]);
const lines = (args) => run(args).stdout.split('\n').slice(0, -1);

let browser;
let page;
before(async () => {
  browser = await openBrowser();
  page = await browser.open(`?today=${today}`);
});
after(() => browser?.close());

// The page anew with its defaults, then the inputs given.
const anew = async (values) => { await reload(page, {}); await fill(page, values); };
// The kept inputs as the page shows them: a text, a list, a check and a school's name.
const inputValues = () => page.$$eval('#birthYear, #finalSchool, #resumeHeading, #schoolMaster',
  (l) => l.map((i) => (i.type === 'checkbox' ? String(i.checked) : i.value)));

describe('the page', () => {
  it('shows the history and the block as vesmer-cli gives them, each kind of input read, hidden ones ignored', async () => {
    const cases = [ // the page's inputs, vesmer-cli's arguments for the history and those for the block
      [{ era: '2', birthYear: '６', birthMonth: '7', birthDay: '31', finalSchool: '7', directDoctor: '1',
        roninUniversity: '1', schoolDoctor: '東都大学大学院', resumeCalendar: '1', resumeHeading: '0', resumeClosing: '1' },
      ['--era', '2', '--year', '6', '--month', '7', '--day', '31', '--final', '7', '--direct-doctor', '--ronin', '6=1'],
      ['--school', '8=東都大学大学院', '--no-heading', '--closing', '--resume', 'seireki']],
      // What does not apply to a 高校 left in its 2nd year changes nothing, even where it is refused.
      [{ ...birth, finalSchool: '2', outcome: '3', showAge: '1', leavingMonth: '9', resumeStart: '2',
        schoolJuniorHigh: '北陵中学校', departmentJuniorHigh: '普通科', schoolUniversity: '東都大学',
        universityLength: '2', roninUniversity: '100', skipHighSchoolLastYear: '1', resumeSkip: '1' },
      [...born1990, '--final', '2', '--outcome', '3', '--show-age'],
      ['--school', '2=北陵中学校', '--leaving-month', '9', '--from', '2', '--resume', 'wareki']],
    ];
    for (const [values, args, resumeArgs] of cases) {
      await anew(values);
      const answer = await shown(page);
      assert.deepEqual([answer.alerts, answer.history], [[], run(args).stdout]);
      assert.deepEqual(answer.rows, lines([...args, ...resumeArgs]));
    }
    // The ages change the history alone: it is shown anew all the same.
    await fill(page, { showAge: '0' });
    assert.equal((await shown(page)).history, run([...born1990, '--final', '2', '--outcome', '3']).stdout);
  });

  it('shows only the inputs that apply, the list 「休学・留学など」 from the 高校 on', async () => {
    const always = 'era birthYear birthMonth birthDay finalSchool outcome resumeCalendar resumeStart resumeHeading ' +
      'resumeClosing showAge roninElementary ryunenElementary elementaryTransfer';
    const school = (stage) => `ronin${stage} ryunen${stage} school${stage} department${stage}`;
    const high = `roninJuniorHigh ryunenJuniorHigh schoolJuniorHigh juniorHighTransfer ${school('HighSchool')} ` +
      'highSchoolLength events';
    const cases = [ // inputs: what applies besides the first questions and the 小学校's
      [{ finalSchool: '0', outcome: '1' }, ''],
      // 中退 brings the month of leaving, 飛び級 how its row is written.
      [{ finalSchool: '7', outcome: '3', skipHighSchoolLastYear: '1' }, `${high} skipHighSchoolLastYear ` +
        `${school('University')} universityLength progression universityAutumnEntry universityHalfYear ` +
        `${school('Master')} skipUniversityLastYear graduateAutumnEntry shortenMaster ${school('Doctor')} directDoctor ` +
        'shortenDoctor leavingMonth resumeSkip'],
    ];
    await reload(page, {});
    for (const [values, expected] of cases) {
      await fill(page, { ...birth, ...values });
      assert.deepEqual((await shown(page)).applying.sort(), `${always} ${expected}`.trim().split(' ').sort(),
        JSON.stringify(values));
    }
  });

  it('refuses beside the field without taking focus, keeps the last block marked; 計算 goes to the field', async () => {
    const cases = [ // inputs, the refused field and its refusal
      [{ birthMonth: '13' }, 'birthMonth', '月は1から12までの数で入力してください。'], // in the row of the birth date
      [{ roninHighSchool: '100' }, 'roninHighSchool', '高校の浪人回数は0から99までの数を入力してください。'], // in a closed disclosure
      [{ finalSchool: '6', universityLength: '3' }, 'universityLength', '6ヶ月または1年制の放送大学から大学院へは進学できません'],
      [{ outcome: '3', leavingMonth: '13' }, 'leavingMonth', '「中途退学・除籍の月」は1から12までの数で入力してください。'],
    ];
    for (const [values, field, text] of cases) {
      await anew(birth);
      const good = await shown(page);
      await fill(page, values);
      const answer = await shown(page);
      const focus = await page.evaluate(() => document.activeElement.tagName);
      assert.deepEqual([answer.alerts, answer.rows, answer.stale, focus, await page.isDisabled('#copyResume')],
        [[{ text, field }], good.rows, true, 'BODY', true], field);
      await page.click('#calculate');
      assert.deepEqual(await page.evaluate(() => [document.activeElement.name, document.activeElement.value]),
        [field, values[field]]);
    }
    const odd = await browser.open('?today=1899-12-31');
    assert.match(await odd.textContent('#update'), /today=1899-12-31 は 1900-01-01 以降/);
    await odd.close();
  });

  it('shows the block in the calendar chosen and saves it as vesmer-cli --csv gives it, named by it', async () => {
    await reload(page, {});
    for (const [calendar, name, file] of [['0', 'wareki', '学歴_和暦.csv'], ['1', 'seireki', '学歴_西暦.csv']]) {
      await fill(page, { ...birth, finalSchool: '6', resumeCalendar: calendar });
      const args = [...born1990, '--final', '6', '--resume', name];
      assert.deepEqual((await shown(page)).rows, lines(args));
      const [download] = await Promise.all([page.waitForEvent('download'), page.click('#downloadCsv')]);
      assert.equal(download.suggestedFilename(), file);
      assert.equal(readFileSync(await download.path(), 'utf8'), run([...args, '--csv']).stdout);
    }
  });

  it('prints only the block on A4, ruled under 年 | 月 | 学歴・職歴, long rows whole, 以上 at the right', async () => {
    const name = '国立研究開発法人東都先端科学技術大学院大学';
    const department = '先端科学技術研究科　情報科学領域　ソフトウェア工学プログラム';
    await anew({ ...birth, finalSchool: '7', schoolDoctor: name, departmentDoctor: department, resumeClosing: '1' });
    const pdf = await page.pdf({ preferCSSPageSize: true });
    const text = spawnSync('pdftotext', ['-layout', '-', '-'], { input: pdf, encoding: 'utf8' }).stdout;
    const words = text.replace(/\s+/g, '');
    assert.match(text, /^\s*年\s+月\s+学歴・職歴/);
    assert.equal(text.split('\f').filter((p) => p.trim()).length, 1);
    for (const row of (await shown(page)).rows) assert.ok(words.includes(row.replace(/\s+/g, '')), row);
    const column = (word) => text.split('\n').find((line) => line.includes(word)).indexOf(word);
    assert.ok(column('以上') > column('学歴・職歴'), text);
  });

  it('converts between the calendars and empties the other side for a day that does not exist', async () => {
    const type = async (fields) => { for (const [id, value] of Object.entries(fields)) await page.fill(`#${id}`, value); };
    await type({ convYear: '2019', convMonth: '4', convDay: '30' });
    assert.equal(await page.textContent('#conversion'), '西暦2019年4月30日 ＝ 平成31年4月30日');
    await type({ convDay: '31' });
    assert.deepEqual(await page.$$eval('#convEraYear, #convEraMonth, #convEraDay', (l) => l.map((i) => i.value)), ['', '', '']);
    assert.deepEqual(await page.$eval('#convDay', (i) => [i.getAttribute('aria-invalid'), i.getAttribute('aria-describedby')]),
      ['true', 'conversion']);
    await page.selectOption('#convEra', '4');
    await type({ convEraYear: '元', convEraMonth: '5', convEraDay: '1' });
    assert.deepEqual(await page.$$eval('#convYear, #convMonth, #convDay', (l) => l.map((i) => i.value)), ['2019', '5', '1']);
    await page.click('#yearTableBox summary');
    await page.fill('#tableBirthYear', '1989');
    const rows = await page.$$eval('#yearTable tbody tr', (trs) => trs.map((tr) => tr.innerText));
    assert.deepEqual([rows.length, rows[1989 - 1873]], [2100 - 1873 + 1, '1989\t昭和64年/平成元年\t己巳\t0']);
  });

  it('keeps the inputs by item text, drops what it cannot read, and reads the first way of keeping once', async () => {
    await anew({ ...birth, finalSchool: '6', resumeCalendar: '1', schoolMaster: '東都大学大学院' });
    const kept = await page.evaluate(() => JSON.parse(localStorage.getItem('vesmer.inputs.v2')));
    assert.deepEqual([kept.finalSchool, kept.resumeCalendar, kept.birthYear], ['大学院修士', '西暦', '1990']);
    await reload(page);
    assert.equal((await shown(page)).rows.at(-1), '2015\t3\t東都大学大学院　修士課程　修了');
    await reload(page, { 'vesmer.inputs.v2': { finalSchool: '大学院X', birthYear: '1991', resumeHeading: 'yes' } });
    assert.deepEqual(await inputValues(), ['1991', '5', 'true', '']);
    // The first way kept list indices: they are read and the old key is removed.
    await reload(page, { 'vesmer.inputs': { finalSchool: '7', resumeHeading: '0' } });
    assert.deepEqual([await inputValues(), await page.evaluate(() => localStorage.length)], [['', '7', 'false', ''], 0]);
  });

  it('takes a row of 休学・留学など from the keyboard alone; the 卒業 moves as with vesmer-cli --leave', async () => {
    await anew({ birthYear: '2000', birthMonth: '5', birthDay: '10' });
    const focused = () => page.evaluate(() => document.activeElement.id || document.activeElement.ariaLabel);
    await page.focus('#birthDay');
    for (let tabs = 0; tabs < 60 && await focused() !== 'addEvent'; tabs++) {
      await page.keyboard.press('Tab');
      if (await page.evaluate(() => document.activeElement.matches('#events > summary'))) await page.keyboard.press('Enter');
    }
    await page.keyboard.press('Enter');
    for (const typed of ['', '', '2020-04', '2021-04']) {
      await page.keyboard.type(typed);
      await page.keyboard.press('Tab');
    }
    assert.equal(await focused(), '1行目を削除');
    await page.waitForFunction(() => document.getElementById('status').textContent.includes('更新'));
    const moved = await shown(page);
    assert.deepEqual([moved.rows, moved.alerts], [lines([...born2000, '--leave', '大=2020-04..2021-04']), []]);
    // A row that cannot have happened: the refusal at its field once typing pauses, the block kept.
    await page.focus('#event1\\.to');
    await page.keyboard.press('Control+A');
    await page.keyboard.type('2019-04');
    await page.waitForSelector('.alert');
    const refused = await shown(page);
    const text = run([...born2000, '--leave', '大=2020-04..2019-04']).stderr.trimEnd();
    assert.deepEqual([refused.alerts, refused.rows, refused.stale, await focused()],
      [[{ text, field: 'event1.to' }], moved.rows, true, 'event1.to']);
    await page.keyboard.press('Control+A');
    await page.keyboard.type('2021-04');
    await page.keyboard.press('Enter');
    assert.deepEqual(await shown(page), moved);
  });

  it('keeps the rows of 休学・留学など, drops what it cannot read, removes a row with its button; 入力を消す clears all', async () => {
    const kept = await page.evaluate(() => JSON.parse(localStorage.getItem('vesmer.inputs.v2')));
    assert.deepEqual(Object.entries(kept).filter(([key]) => key.startsWith('event')),
      [['event1.kind', '休学'], ['event1.stage', '大学'], ['event1.from', '2020-04'], ['event1.to', '2021-04']]);
    await reload(page, { 'vesmer.inputs.v2': { ...kept, 'event1.kind': '休学X', 'event1.from': '2000-04',
      'event2.kind': '交換留学', 'event2.stage': '大学X', 'event2.from': '2020-09', 'event2.to': '2021-06', 'event2.place': 'UCLA' } });
    const row = () => page.$$eval('#eventRows input, #eventRows select', (l) => l.map((c) => `${c.id}=${c.value}`));
    assert.deepEqual((await shown(page)).alerts.map((a) => a.field), ['event1.stage']);
    await page.selectOption('#event1\\.stage', '大学');
    assert.deepEqual((await shown(page)).rows, lines([...born2000, '--exchange', '大=2020-09..2021-06:UCLA']));
    await page.click('#addEvent');
    await page.selectOption('#event2\\.kind', '転入学');
    assert.deepEqual((await row()).slice(5), ['event2.kind=転入学', 'event2.from=', 'event2.place=', 'event2.department=']);
    await page.click('[aria-label="1行目を削除"]');
    assert.deepEqual(await row(), ['event1.kind=転入学', 'event1.from=', 'event1.place=', 'event1.department=']);
    await page.keyboard.press('Enter');
    assert.deepEqual([await row(), await page.evaluate(() => document.activeElement.id)], [[], 'addEvent']);
    assert.deepEqual((await shown(page)).rows, lines(born2000));
    const many = Object.fromEntries(Array.from({ length: 21 }, (_, i) => [`event${i + 1}.kind`, '休学']));
    await reload(page, { 'vesmer.inputs.v2': { ...many, resumeHeading: '0' } });
    assert.deepEqual([(await row()).length, await page.isDisabled('#addEvent'), await page.$eval('#eventLimit', (s) => !s.hidden && s.textContent)],
      [20 * 4, true, '20行まで入力できます。']);
    await page.click('#clearInputs');
    assert.deepEqual([await row(), await inputValues(), await page.evaluate(() => localStorage.length), (await shown(page)).alerts],
      [[], ['', '5', 'true', ''], 0, []]);
    assert.deepEqual(page.problems, []);
  });

  for (const width of [1280, 360]) {
    it(`finds no accessibility violation at ${width} px: empty, computed, refused, every disclosure open`, async () => {
      const view = await browser.open(`?today=${today}`, { width, height: 800 });
      await reload(view, {});
      assert.deepEqual(await violations(view), [], 'empty');
      await view.evaluate(() => { for (const details of document.querySelectorAll('details')) details.open = true; });
      await fill(view, birth);
      assert.deepEqual(await violations(view), [], 'computed');
      await view.click('#addEvent');
      await view.click('#calculate');
      assert.deepEqual(await violations(view), [], 'a row of 休学・留学など, refused');
      await fill(view, { birthMonth: '13' });
      assert.deepEqual(await violations(view), [], 'refused');
      assert.equal(await view.evaluate(() => document.documentElement.scrollWidth), width);
      await view.close();
    });
  }

  it('starts empty at 360 px, fills the block as the birth date is typed, and copies it from the keyboard', async () => {
    await browser.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: browser.origin });
    const phone = await browser.open(`?today=${today}`, { width: 360, height: 740 });
    await reload(phone, {});
    const [block, details] = await phone.$$eval('#result, #details', (l) => l.map((s) => s.getBoundingClientRect().top));
    assert.ok(block < details, 'the block follows the first questions');
    const start = [phone.evaluate(() => document.documentElement.lang), phone.$eval('#birthYear', (i) => [i.value, i.placeholder])];
    assert.deepEqual([...await Promise.all(start), (await shown(phone)).rows], ['ja', ['', '1980'], []]);
    const focused = [];
    const press = async (key) => {
      await phone.keyboard.press(key);
      focused.push(await phone.evaluate(() => document.activeElement.id || document.activeElement.name));
    };
    for (const typed of ['', '1990', '4', '2']) {
      await press('Tab');
      await phone.keyboard.type(typed);
    }
    const typed = await shown(phone);
    assert.deepEqual([typed.rows, typed.stale, typed.alerts], [lines([...born1990, '--resume', 'wareki']), false, []]);
    while (focused.at(-1) !== 'copyResume' && focused.length < 12) {
      await press('Tab');
      if (focused.at(-1) === 'resumeCalendar') await phone.keyboard.press('ArrowRight');
    }
    assert.deepEqual(focused, ['era', 'birthYear', 'birthMonth', 'birthDay', 'finalSchool', 'outcome',
      'resumeCalendar', 'resumeStart', 'resumeHeading', 'resumeClosing', 'copyResume']);
    await phone.keyboard.press('Enter');
    await phone.waitForFunction(() => document.getElementById('status').textContent.includes('コピー'));
    assert.equal(await phone.evaluate(() => navigator.clipboard.readText()), run([...born1990, '--resume', 'seireki']).stdout);
    assert.deepEqual(phone.problems, []);
    await phone.close();
  });

  it('works offline once loaded, and offers a new version with 再読み込み', async () => {
    const folder = mkdtempSync(join(tmpdir(), 'vesmer-dist-'));
    cpSync(distFolder, folder, { recursive: true });
    const own = await openBrowser(folder);
    const view = await own.open(`?today=${today}`);
    await view.evaluate(() => navigator.serviceWorker.ready);
    await view.reload();
    await view.waitForFunction(() => navigator.serviceWorker.controller && document.documentElement.dataset.ready);
    writeFileSync(join(folder, 'sw.js'), `${readFileSync(join(folder, 'sw.js'), 'utf8')}\n// next version\n`);
    await view.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    await view.waitForSelector('#update button');
    assert.match(await view.textContent('#update'), /新しい版/);
    await Promise.all([view.waitForNavigation(), view.click('#update button')]);
    await view.waitForFunction(() => document.documentElement.dataset.ready);
    assert.equal(await view.textContent('#update'), '');
    own.server.close();
    own.server.closeAllConnections();
    await reload(view);
    await fill(view, birth);
    assert.match((await shown(view)).history, /現在の年齢は34歳/);
    assert.deepEqual(view.problems, []);
    await own.close();
    rmSync(join(folder, 'vesmer.wasm'));
    const broken = await openBrowser(folder);
    const failed = await broken.context.newPage();
    await failed.goto(broken.origin);
    await failed.waitForFunction(() => document.getElementById('loading').textContent.includes('WebAssembly'));
    await broken.close();
    rmSync(folder, { recursive: true });
  });
});
