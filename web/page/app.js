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
  // What is shown or hidden by name: each input's field, and the list 「休学・留学など」.
  const part = Object.fromEntries([...form.querySelectorAll('[data-input]')].map((node) => [node.dataset.input, node]));
  const parts = Object.keys(part);
  const groups = [...form.querySelectorAll('[data-group]')].map((group) => [group, parts.filter((name) => group.contains(part[name]))]);
  const read = (name) => (input[name].type === 'checkbox' ? (input[name].checked ? '1' : '0') : input[name].value);
  const write = (name, value) => {
    if (input[name].type === 'checkbox') input[name].checked = value === '1';
    else input[name].value = value;
  };
  let shownKey = '';
  return {
    values: () => Object.fromEntries(names.map((name) => [name, read(name)])),
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
      for (const name of parts) part[name].hidden = !applying.has(name);
      for (const [group, inside] of groups) group.hidden = !inside.some((name) => applying.has(name));
    },
    // A row's fields of 「休学・留学など」 come and go: they are looked up when asked for.
    field: (name) => part[name] ?? form.querySelector(`[data-input="${name}"]`),
    focus(name) {
      const control = form.elements[name];
      (control.focus ? control : control[0]).focus();
    },
  };
}

function stored(inputs, events) {
  try {
    const values = JSON.parse(localStorage.getItem(kStore));
    if (values) {
      inputs.restore(values, false);
      events.restore(values);
      return;
    }
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

// A row of the block: the first row 「学歴」 and the last row 「以上」 have no year and month and
// are set apart by their kind.
const blockRow = (cells, kind) => el('tr', { class: kind || null }, ...cells.map((cell) => el('td', {}, cell)));

// The block, its note and its history.
function showBlock(shown) {
  $('history').textContent = shown.history;
  $('resume').tBodies[0].replaceChildren(...shown.rows.map((cells, i) => blockRow(cells, shown.kinds[i])));
  $('resumeNote').textContent = shown.note;
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

// Inputs by name as the module reads them: a line with the name, a line with the value.
function inputLines(values) {
  return Object.entries(values).map(([name, value]) => `${name}\n${value}\n`).join('');
}

// The fields of a row of 「休学・留学など」 as the module describes them, each list's items freed.
function describedRow(vector) {
  return list(vector).map((f) => ({ ...f, items: list(f.items) }));
}

// A field of a row, named by its stored key, with its label; a list holds the items' texts as its
// values, as the rows are stored, and a value that is none of them selects nothing.
function eventField(f, value) {
  const control = f.kind === 'list'
    ? el('select', { id: f.name, name: f.name }, ...f.items.map((item) => el('option', { value: item }, item)))
    : el('input', { type: 'text', id: f.name, name: f.name, autocomplete: 'off', placeholder: f.kind === 'yearMonth' ? '2000-04' : null });
  control.value = value;
  return el('div', { class: `field ${f.kind}`, 'data-input': f.name }, el('label', { for: f.name }, f.label),
    el('span', { class: 'control' }, control));
}

// The list 「休学・留学など」: a fieldset per row with the fields its kind uses, a kind's change
// bringing its own fields (what was typed in a field both kinds use stays), a remove button per
// row, at most the module's number of rows. A change is announced to the form as typing (add) or
// as a change (remove), so that the page calculates as for any other input.
function eventList(M, form) {
  const box = $('eventRows');
  const add = $('addEvent');
  const limit = $('eventLimit');
  // The limit was written into the page when it was built.
  const maxRows = Number(box.dataset.maxRows);
  const rows = () => [...box.children];
  const controls = (row) => [...row.querySelectorAll('input, select')];
  // Rows anew from the typed values of each (its kind first), numbered from the first.
  const render = (typed) => {
    box.replaceChildren(...typed.map((values, index) => {
      const fields = describedRow(M.describeEventRow(index, values[0]));
      const remove = el('button', { type: 'button', class: 'remove', 'aria-label': `${index + 1}行目を削除` }, '削除');
      return el('fieldset', { class: 'event' }, el('legend', {}, `${index + 1}行目`),
        ...fields.map((f, i) => eventField(f, values[i])), remove);
    }));
    add.disabled = typed.length >= maxRows;
    limit.hidden = !add.disabled;
  };
  const typed = () => rows().map((r) => controls(r).map((c) => c.value));
  box.addEventListener('change', (event) => {
    const r = event.target.closest('fieldset');
    const [kind, ...others] = controls(r);
    if (event.target !== kind) return;
    // The kind's own fields follow it; the kind's select keeps its place and the focus.
    const before = Object.fromEntries(others.map((c) => [c.name, c.value]));
    const fields = describedRow(M.describeEventRow(rows().indexOf(r), kind.value)).slice(1);
    for (const node of r.querySelectorAll('.field:not(:first-of-type), .alert')) node.remove();
    r.querySelector('.remove').before(...fields.map((f) => eventField(f, before[f.name] ?? f.defaultText)));
  });
  box.addEventListener('click', (event) => {
    if (!event.target.matches('.remove')) return;
    const index = rows().indexOf(event.target.closest('fieldset'));
    render(typed().filter((values, i) => i !== index));
    const next = rows()[Math.min(index, rows().length - 1)];
    (next?.querySelector('.remove') ?? add).focus();
    form.dispatchEvent(new Event('change'));
  });
  add.addEventListener('click', () => {
    const index = rows().length;
    if (index >= maxRows) return;
    const fields = describedRow(M.describeEventRow(index, ''));
    render([...typed(), fields.map((f) => f.defaultText)]);
    controls(rows()[index])[0].focus();
    form.dispatchEvent(new Event('input'));
  });
  const values = () => Object.fromEntries(rows().flatMap(controls).map((c) => [c.name, c.value]));
  return {
    values,
    // The rows among kept values, as the module reads them: a row of a kind not known is dropped.
    restore(kept) {
      const keys = new M.StringList();
      for (const [key, value] of Object.entries(kept)) {
        if (typeof value !== 'string') continue;
        keys.push_back(key);
        keys.push_back(value);
      }
      const stored = list(M.describeStoredEventRows(keys)).map(describedRow);
      keys.delete();
      render(stored.map((fields) => fields.map((f) => f.defaultText)));
    },
    clear: () => render([]),
  };
}

// Calculates the inputs that apply and shows the answer: the new block, or the refusal beside its
// field with the last good block kept and marked. Typing waits for a pause before the refusal
// and the announcement; a change, Enter or 計算 does not (and 計算 takes focus to the refusal).
function calculator(M, inputs, events, today) {
  const hint = $('resume').tBodies[0].rows[0];
  let shown = null;
  let timer = 0;
  return (how) => {
    const dialog = new M.DialogInputs();
    const resume = new M.ResumeInputs();
    const values = inputs.values();
    const rowValues = events.values();
    M.setInputLines(dialog, resume, inputLines({ ...values, ...rowValues }));
    const applying = new Set(list(M.keepApplicableInputs(dialog, resume)));
    const view = M.showCalculation(dialog, resume, today);
    dialog.delete();
    resume.delete();
    const rows = list(view.rows);
    const kinds = list(view.rowKinds);
    inputs.showApplying(applying);
    $('particle').textContent = M.particle(Number(values.outcome));
    const kept = { ...inputs.kept(values), ...rowValues };
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
      const next = { ...view, rows, kinds, calendar: kept.resumeCalendar };
      if (view.tsv !== shown?.tsv || view.history !== shown?.history) showBlock(next);
      shown = next;
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
function buildSheet({ rows, kinds }) {
  const sheet = $('sheet');
  const titles = [...$('resume').tHead.rows[0].cells].slice(0, 2).map((th) => th.textContent);
  const head = () => el('thead', {}, el('tr', {}, ...[...titles, kSheetColumn].map((t) => el('th', {}, t))));
  const row = (cells, i) => blockRow(cells, kinds[i]);
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
    pages.at(-1).tBodies[0].append(row(rows[i], i));
    used += count;
  });
  if (!pages.length) pages.push(el('table', {}, head(), el('tbody')));
  for (; used < kSheetLines; used++) pages.at(-1).tBodies[0].append(blockRow(['', '', '']));
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
  const events = eventList(M, form);
  stored(inputs, events);
  const today = todayFor(M);
  const calculate = calculator(M, inputs, events, today);
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
    events.clear();
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
  window.addEventListener('beforeprint', () => buildSheet(shown ?? { rows: [], kinds: [] }));
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
  const register = () => navigator.serviceWorker.register('sw.js').then((registration) => {
    if (registration.waiting && navigator.serviceWorker.controller) offer(registration.waiting);
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed' && navigator.serviceWorker.controller) offer(worker);
      });
    });
  }).catch(() => {});
  // Registered once the page has loaded, so that the worker's downloads do not compete with it.
  if (document.readyState === 'complete') register();
  else window.addEventListener('load', register, { once: true });
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
// The worker that keeps the page offline comes after the page is usable (or has failed to start).
if (typeof document !== 'undefined') start().finally(watchUpdates);
