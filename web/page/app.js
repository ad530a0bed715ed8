// The page: it attaches to the form written from the module's schema when the page was built,
// and computes only through the module: which inputs apply, the history, the 学歴 rows and the
// refusals. Results follow every change. Inputs stay in this browser (localStorage).
const $ = (id) => document.getElementById(id);
// The stored inputs by item text, under a key that changes with the way they are kept.
const kStore = 'vesmer.inputs.v2';
const kOldStore = 'vesmer.inputs';
// How long typing pauses before a refusal is put beside its field and a new block is announced.
const kPause = 700;

function el(tag, attrs = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attrs)) if (value != null) node.setAttribute(key, value);
  node.append(...children);
  return node;
}

// The items of an embind vector as an array; the vector is freed.
function list(vector) {
  const items = [];
  for (let i = 0; i < vector.size(); i++) items.push(vector.get(i));
  vector.delete();
  return items;
}

// The form's inputs by schema name: a list's selected index, a check's 1 or 0, a text as typed;
// and by item text for keeping, so that a reordered list in a later version cannot remap them.
// Elements, items and groups are looked up once: the form is read on every change.
function formInputs(form) {
  const names = [...new Set([...form.elements].filter((e) => e.name).map((e) => e.name))];
  const each = (make) => Object.fromEntries(names.map((name) => [name, make(name)]));
  const input = each((name) => form.elements[name]);
  const items = each((name) => (input[name].options ? [...input[name].options].map((o) => o.text)
    : input[name] instanceof RadioNodeList ? [...input[name]].map((r) => r.parentNode.textContent) : null));
  const field = each((name) => form.querySelector(`[data-input="${name}"]`));
  const groups = [...form.querySelectorAll('[data-group]')].map((group) => [group, names.filter((name) => group.contains(field[name]))]);
  const read = (name) => (input[name].type === 'checkbox' ? (input[name].checked ? '1' : '0') : input[name].value);
  const write = (name, value) => {
    if (input[name].type === 'checkbox') input[name].checked = value === '1';
    else input[name].value = value;
  };
  let shownKey = '';
  return {
    values: () => Object.fromEntries(names.map((name) => [name, read(name)])),
    lines: (values) => names.map((name) => `${name}\n${values[name]}\n`).join(''),
    kept: (values) => Object.fromEntries(names.map((name) => [name, items[name]?.[values[name]] ?? values[name]])),
    // A kept value the form cannot take (an unknown item, a check that is not 1 or 0) is dropped.
    restore(values, byIndex) {
      for (const name of names) {
        const value = values?.[name];
        if (typeof value !== 'string') continue;
        const index = byIndex ? Number(value) : items[name]?.indexOf(value);
        if (items[name]) {
          if (index >= 0 && index < items[name].length) write(name, String(index));
        } else if (input[name].type !== 'checkbox' || value === '1' || value === '0') {
          write(name, value);
        }
      }
    },
    // Only the inputs that apply are shown; a group with none of them is hidden as a whole.
    showApplying(applying) {
      const key = [...applying].join();
      if (key === shownKey) return;
      shownKey = key;
      for (const name of names) field[name].hidden = !applying.has(name);
      for (const [group, inside] of groups) group.hidden = !inside.some((name) => applying.has(name));
    },
    field: (name) => field[name],
    focus: (name) => (input[name].focus ? input[name] : input[name][0]).focus(),
  };
}

function stored(inputs) {
  try {
    const values = JSON.parse(localStorage.getItem(kStore));
    if (values) return inputs.restore(values, false);
    // The first version kept list indices; the lists have not changed since.
    const old = JSON.parse(localStorage.getItem(kOldStore));
    localStorage.removeItem(kOldStore);
    if (old && typeof old === 'object') inputs.restore(old, true);
  } catch {
    // Storage that is off or unreadable keeps nothing.
  }
}

// What was last written, so that an unchanged form is not written again.
let lastStored;
function store(values) {
  const text = values && JSON.stringify(values);
  if (text === lastStored) return;
  lastStored = text;
  try {
    if (text) localStorage.setItem(kStore, text);
    else localStorage.removeItem(kStore);
  } catch {
    // Nothing is kept; the page works on.
  }
}

function todayFor(M) {
  const now = new Date();
  const today = { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate() };
  const typed = new URLSearchParams(location.search).get('today');
  if (typed === null) return today;
  const date = M.countableDate(typed);
  if (date.year) return date;
  const facts = M.facts();
  facts.columns.delete();
  facts.eras.delete();
  const first = facts.firstCountableDate;
  $('update').textContent = `URL の today=${typed} は ${first} 以降の日付（YYYY-MM-DD）ではないため、今日の日付で計算します。`;
  return today;
}

// The block, its note and its history; the block's first row 「学歴」 has no year.
function showBlock(view, rows) {
  $('history').textContent = view.history;
  $('resume').tBodies[0].replaceChildren(...rows.map((cells) =>
    el('tr', { class: cells[0] ? null : 'heading' }, ...cells.map((cell) => el('td', {}, cell)))));
  $('resumeNote').textContent = view.note;
}

// The block is "empty" before a birth date, "stale" while the inputs are refused, else "fresh";
// copy, CSV and print only for a block that matches the inputs.
function setState(state) {
  $('stale').hidden = state !== 'stale';
  $('resume').classList.toggle('stale', state === 'stale');
  for (const id of ['copyResume', 'downloadCsv', 'print']) $(id).disabled = state !== 'fresh';
}

function clearRefusal() {
  if (!document.getElementById('refusal')) return;
  for (const node of document.querySelectorAll('#inputs .alert')) node.remove();
  for (const node of document.querySelectorAll('#inputs [aria-invalid]')) {
    node.removeAttribute('aria-invalid');
    node.removeAttribute('aria-describedby');
  }
}

// The refusal beside the field it concerns, or above the block when it concerns none.
function showRefusal(inputs, view) {
  clearRefusal();
  const alert = el('p', { class: 'alert', id: 'refusal' }, view.refusal);
  const field = view.refused && inputs.field(view.refused);
  if (!field) {
    $('calculateAlert').append(alert);
    return;
  }
  field.closest('details')?.setAttribute('open', '');
  // In a row of fields (the birth date) the refusal takes a line of its own under the row.
  const row = field.closest('fieldset.inline');
  if (row) row.append(alert);
  else field.after(alert);
  const control = field.querySelector('input, select');
  control.setAttribute('aria-invalid', 'true');
  control.setAttribute('aria-describedby', alert.id);
}

// Calculates the inputs that apply and shows the answer: the new block, or the refusal beside its
// field with the last good block kept and marked. Typing waits for a pause before the refusal
// and the announcement; a change, Enter or 計算 does not (and 計算 takes focus to the refusal).
function calculator(M, inputs, today) {
  const hint = $('resume').tBodies[0].rows[0];
  let shown = null;
  let timer = 0;
  return (how) => {
    const dialog = new M.DialogInputs();
    const resume = new M.ResumeInputs();
    const values = inputs.values();
    M.setInputLines(dialog, resume, inputs.lines(values));
    const applying = new Set(list(M.keepApplicableInputs(dialog, resume)));
    const view = M.showCalculation(dialog, resume, today);
    dialog.delete();
    resume.delete();
    const rows = list(view.rows);
    inputs.showApplying(applying);
    $('particle').textContent = M.particle(Number(values.outcome));
    const kept = inputs.kept(values);
    if (how !== 'start') store(kept);
    clearTimeout(timer);
    // Before any birth date there is nothing to refuse yet: the block waits for it.
    if (['birthYear', 'birthMonth', 'birthDay'].every((name) => !values[name].trim())) {
      clearRefusal();
      setState('empty');
      $('resume').tBodies[0].replaceChildren(hint);
      $('history').textContent = $('resumeNote').textContent = '';
      shown = null;
      return shown;
    }
    if (view.ok) {
      clearRefusal();
      if (view.tsv !== shown?.tsv || view.history !== shown?.history) showBlock(view, rows);
      shown = { ...view, rows, calendar: kept.resumeCalendar };
    }
    setState(!shown ? 'empty' : view.ok ? 'fresh' : 'stale');
    const answer = () => {
      if (!view.ok) showRefusal(inputs, view);
      if (how === 'start') return;
      $('status').textContent = view.ok ? `学歴欄を更新しました（${rows.length}行）。` : view.refusal;
      if (!view.ok && how === 'submit') inputs.focus(view.refused || 'birthYear');
    };
    if (how === 'input') timer = setTimeout(answer, kPause);
    else answer();
    // Only a block that matches the inputs is copied, saved or printed.
    return view.ok ? shown : null;
  };
}

function attachConverter(M, today) {
  const ids = { year: 'convYear', month: 'convMonth', day: 'convDay', era: 'convEra',
    eraYear: 'convEraYear', eraMonth: 'convEraMonth', eraDay: 'convEraDay' };
  const convert = (fromWareki) => {
    const typed = Object.fromEntries(Object.entries(ids).map(([key, id]) => [key, $(id).value]));
    typed.era = Number(typed.era);
    const c = M.convertOneSide(typed, fromWareki);
    for (const [key, id] of Object.entries(ids)) if ($(id).value !== String(c.fields[key])) $(id).value = c.fields[key];
    $('conversion').textContent = c.text;
    for (const id of Object.values(ids)) {
      $(id).removeAttribute('aria-invalid');
      $(id).removeAttribute('aria-describedby');
    }
    const side = fromWareki ? { era: ids.era, year: ids.eraYear, month: ids.eraMonth, day: ids.eraDay } : ids;
    const refused = c.ok ? null : $(side[c.field] ?? side.year);
    refused?.setAttribute('aria-invalid', 'true');
    refused?.setAttribute('aria-describedby', 'conversion');
  };
  for (const [key, id] of Object.entries(ids))
    $(id).addEventListener(key === 'era' ? 'change' : 'input', () => convert(key.startsWith('era')));
  $('convYear').value = today.year;
  $('convMonth').value = today.month;
  $('convDay').value = today.day;
  convert(false);
}

function attachYearTable(M, today) {
  const render = () => {
    const table = M.yearTable($('tableBirthYear').value);
    $('yearTableReason').textContent = table.reason;
    const lines = table.text ? table.text.slice(0, -1).split('\n') : [];
    $('yearTable').tBodies[0].replaceChildren(...lines.map((line) => {
      // Without a birth year the age column stays empty.
      const cells = [...line.split('\t'), ''].slice(0, 4);
      const current = Number(cells[0]) === today.year;
      return el('tr', { class: current ? 'current' : null, 'aria-current': current ? 'date' : null },
        ...cells.map((cell) => el('td', {}, cell)));
    }));
  };
  $('tableBirthYear').addEventListener('input', render);
  $('yearTableBox').addEventListener('toggle', render, { once: true });
}

// The printed sheet: the block's rows ruled in pages of kSheetLines lines under the header (年 and
// 月 as the block has them, the third column as the printed form calls it), each row as many
// lines as its text takes, blank ruled lines to the end of the last page.
const kSheetLines = 20;
const kSheetColumn = '学歴・職歴';
function buildSheet(rows) {
  const sheet = $('sheet');
  const titles = [...$('resume').tHead.rows[0].cells].slice(0, 2).map((th) => th.textContent);
  const head = () => el('thead', {}, el('tr', {}, ...[...titles, kSheetColumn].map((t) => el('th', {}, t))));
  const row = (cells) => el('tr', { class: cells[0] || !cells[2] ? null : 'heading' }, ...cells.map((cell) => el('td', {}, cell)));
  const table = el('table', {}, head(), el('tbody', {}, ...rows.map(row)));
  sheet.replaceChildren(table);
  sheet.classList.add('measuring');
  const line = table.tHead.rows[0].getBoundingClientRect().height;
  const lines = [...table.tBodies[0].rows].map((tr) => Math.max(1, Math.round(tr.getBoundingClientRect().height / line)));
  sheet.classList.remove('measuring');
  const pages = [];
  let used = kSheetLines;
  lines.forEach((count, i) => {
    if (used + count > kSheetLines) {
      pages.push(el('table', {}, head(), el('tbody')));
      used = 0;
    }
    pages.at(-1).tBodies[0].append(row(rows[i]));
    used += count;
  });
  if (!pages.length) pages.push(el('table', {}, head(), el('tbody')));
  for (; used < kSheetLines; used++) pages.at(-1).tBodies[0].append(row(['', '', '']));
  sheet.replaceChildren(...pages);
}

function download(shown) {
  // The module's text decoder drops the byte-order mark the file starts with; it is put back.
  const bytes = new Blob(['\uFEFF', shown.csv.replace(/^\uFEFF/, '')], { type: 'text/csv' });
  const link = el('a', { href: URL.createObjectURL(bytes), download: `学歴_${shown.calendar}.csv` });
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Whether any input differs from what the page was built with (kept or restored by the browser).
function changedFromBuild(form) {
  return [...form.elements].some((e) => {
    if (!e.name) return false;
    if (e.type === 'checkbox' || e.type === 'radio') return e.checked !== e.defaultChecked;
    return e.options ? [...e.options].some((o) => o.selected !== o.defaultSelected) : e.value !== e.defaultValue;
  });
}

function attach(M) {
  const form = $('inputs');
  const inputs = formInputs(form);
  stored(inputs);
  const today = todayFor(M);
  const calculate = calculator(M, inputs, today);
  // The page was built showing what applies to the defaults: only other inputs need a calculation.
  let shown = changedFromBuild(form) ? calculate('start') : null;
  form.addEventListener('input', () => (shown = calculate('input')));
  form.addEventListener('change', () => (shown = calculate('change')));
  form.addEventListener('submit', (event) => {
    event.preventDefault();
    shown = calculate('submit');
  });
  $('clearInputs').addEventListener('click', () => {
    if (!confirm('入力をすべて消して、最初の状態に戻しますか？')) return;
    form.reset();
    store(null);
    shown = calculate('start');
    $('status').textContent = '入力を消しました。';
  });
  $('copyResume').addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(shown.tsv);
      $('status').textContent = '学歴欄をコピーしました。履歴書の表に貼り付けられます。';
    } catch {
      $('status').textContent = 'コピーできませんでした。表を選択してコピーしてください。';
    }
  });
  $('downloadCsv').addEventListener('click', () => download(shown));
  $('print').addEventListener('click', () => window.print());
  window.addEventListener('beforeprint', () => buildSheet(shown?.rows ?? []));
  $('loading').remove();
  performance.mark('vesmer-ready');
  // The converter below the form comes after the form is usable.
  setTimeout(() => {
    attachConverter(M, today);
    attachYearTable(M, today);
    document.documentElement.dataset.ready = 'true';
  });
}

// A new version's worker waits until the user reloads; then it takes over.
function watchUpdates() {
  if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
  const offer = (worker) => {
    const button = el('button', { type: 'button' }, '再読み込み');
    button.addEventListener('click', () => worker.postMessage('activate'));
    $('update').replaceChildren('新しい版を使う準備ができました。', button);
  };
  // Registered once the page has loaded, so that the worker's downloads do not compete with it.
  window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').then((registration) => {
    if (registration.waiting && navigator.serviceWorker.controller) offer(registration.waiting);
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed' && navigator.serviceWorker.controller) offer(worker);
      });
    });
  }).catch(() => {}));
  let reloading = false;
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (!reloading && $('update').childElementCount) location.reload();
    reloading = true;
  });
}

// The module loads while the document is still being read; the page attaches once both are there.
async function start() {
  const module = createVesmer();
  if (document.readyState === 'loading') await new Promise((done) => document.addEventListener('DOMContentLoaded', done));
  let M;
  try {
    M = await module;
  } catch (error) {
    $('loading').textContent = 'このブラウザーでは計算できません（WebAssembly を読み込めませんでした）。';
    console.error(error);
    return;
  }
  try {
    attach(M);
  } catch (error) {
    $('loading').textContent = 'ページを開始できませんでした。再読み込みしてください。';
    console.error(error);
  }
}

// Under Node the module only describes the form (web/prerender.mjs); in a browser it runs the page.
if (typeof document !== 'undefined') {
  watchUpdates();
  start();
}
