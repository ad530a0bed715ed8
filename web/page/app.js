
// The page: it builds its form from the module's input schema and computes only through the
// module. Inputs stay in this browser (localStorage); nothing is sent anywhere.
const $ = (id) => document.getElementById(id);
const kStore = 'vesmer.inputs';

function el(tag, attrs = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attrs)) {
    if (value !== false && value !== null && value !== undefined && value !== 0)
      node.setAttribute(key, value === true ? '' : value);
  }
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

function control(name, kind, items, maxLength) {
  if (items.length) {
    const select = el('select', { id: name, name });
    items.forEach((item, index) => select.append(el('option', { value: String(index) }, item)));
    return select;
  }
  if (kind === 'check') return el('input', { type: 'checkbox', id: name, name });
  return el('input', {
    type: 'text', id: name, name, inputmode: 'numeric', autocomplete: 'off', maxlength: maxLength,
  });
}

// A labelled row: the label, the control and its unit; a check box stands before its label.
function row(name, kind, label, unit, items, maxLength) {
  const input = control(name, kind, items, maxLength);
  const text = el('label', { for: name }, label);
  if (kind === 'check') return el('div', { class: 'field check' }, input, text);
  const wide = items.length || kind === 'name';
  if (kind === 'name') input.setAttribute('inputmode', 'text');
  return el('div', { class: wide ? 'field wide' : 'field' }, text,
    el('span', { class: 'control' }, input, unit ? el('span', { 'aria-hidden': 'true' }, unit) : ''));
}

function readValue(name) {
  const input = $(name);
  if (input.type === 'checkbox') return input.checked ? '1' : '0';
  return input.tagName === 'SELECT' ? String(input.selectedIndex) : input.value;
}

function writeValue(name, value) {
  const input = $(name);
  value = String(value);
  if (input.type === 'checkbox') input.checked = value === '1';
  else if (input.tagName === 'SELECT') input.selectedIndex = Number(value);
  else input.value = value;
}

function clearAlerts(scope = document) {
  for (const node of scope.querySelectorAll('.alert')) node.remove();
  for (const node of scope.querySelectorAll('[aria-invalid]')) {
    node.removeAttribute('aria-invalid');
    node.removeAttribute('aria-describedby');
  }
}

// The refusal beside the field it concerns, or above the results when it concerns none.
function showAlert(name, message) {
  const alert = el('p', { class: 'alert', role: 'alert', id: `${name || 'calculate'}-alert` }, message);
  const input = name && $(name);
  if (!input) {
    $('calculateAlert').append(alert);
    return;
  }
  input.closest('details')?.setAttribute('open', '');
  input.closest('.field').after(alert);
  input.setAttribute('aria-invalid', 'true');
  input.setAttribute('aria-describedby', alert.id);
  input.focus();
}

const sections = [
  ['生年月日', (f) => f.name === 'era' || f.kind === 'text', 'inline'],
  ['最終学歴', (f) => f.name === 'finalSchool' || f.name === 'outcome', 'inline'],
  ['浪人・留年（回数）', (f) => f.kind === 'ronin' || f.kind === 'ryunen', 'pairs'],
  ['年数と進学', (f) => f.kind === 'list'],
  ['そのほか', (f) => f.kind === 'check'],
];

function buildForm(M) {
  const fields = list(M.describeInputs()).map((f) => ({ ...f, items: list(f.items) }));
  const taken = new Set();
  for (const [title, belongs, layout] of sections) {
    const set = el('fieldset', { class: `group ${layout ?? ''}` }, el('legend', {}, title));
    for (const f of fields.filter((f) => !taken.has(f.name) && belongs(f))) {
      taken.add(f.name);
      set.append(row(f.name, f.kind, f.label, f.unit, f.items, f.maxLength));
      if (f.name === 'finalSchool') set.append(el('p', { id: 'particle', 'aria-hidden': 'true' }));
    }
    $('fields').append(set);
  }
  const resumeFields = list(M.resumeFields()).map((f) => ({ ...f, items: list(f.items) }));
  for (const f of resumeFields) {
    const kind = f.items.length ? 'list' : f.maxLength > 2 ? 'name' : f.maxLength ? 'text' : 'check';
    $('resumeFields').append(row(f.name, kind, f.title, '', f.items, f.maxLength));
  }
  return { fields, resumeFields, names: [...fields, ...resumeFields].map((f) => f.name) };
}

function defaults(M, form) {
  const inputs = new M.DialogInputs();
  const resume = new M.ResumeInputs();
  const values = {};
  for (const f of form.fields) values[f.name] = M.inputText(inputs, f.name);
  for (const f of form.resumeFields) values[f.name] = M.resumeInputText(resume, f.name);
  inputs.delete();
  resume.delete();
  return values;
}

// The inputs kept in this browser; a browser that keeps nothing (storage off or full) keeps none.
function stored() {
  try {
    return JSON.parse(localStorage.getItem(kStore)) || {};
  } catch {
    return {};
  }
}

function store(values) {
  try {
    if (values) localStorage.setItem(kStore, JSON.stringify(values));
    else localStorage.removeItem(kStore);
  } catch {
    // Nothing is kept; the page works on.
  }
}

function applyRules(M, form) {
  const finalSchool = $('finalSchool').selectedIndex;
  for (const f of form.fields) $(f.name).disabled = !M.isInputEnabled(f.name, finalSchool);
  $('particle').textContent = M.particle($('outcome').selectedIndex);
}

function todayFor(M) {
  const now = new Date();
  const today = { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate() };
  const typed = new URLSearchParams(location.search).get('today');
  if (typed === null) return today;
  const date = M.countableDate(typed);
  if (date.year) return date;
  document.querySelector('header').append(el('p', { class: 'alert', role: 'alert' },
    `URL の today=${typed} は 1900-01-01 以降の日付（YYYY-MM-DD）ではないため、今日の日付で計算します。`));
  return today;
}

function showResult(view) {
  const rows = list(view.rows);
  $('history').textContent = view.history;
  $('resume').tBodies[0].replaceChildren(
    ...rows.map((cells) => el('tr', {}, ...cells.map((cell) => el('td', {}, cell)))));
  $('resumeNote').textContent = view.note;
  $('copyResume').disabled = $('downloadCsv').disabled = !rows.length;
}

function calculator(M, form, today) {
  let shown = null;
  return () => {
    const inputs = new M.DialogInputs();
    const resume = new M.ResumeInputs();
    M.setInputLines(inputs, resume, form.names.map((name) => `${name}\n${readValue(name)}\n`).join(''));
    const view = M.showCalculation(inputs, resume, today);
    inputs.delete();
    resume.delete();
    clearAlerts($('inputs'));
    clearAlerts($('calculateAlert'));
    $('copyStatus').textContent = '';
    if (!view.ok) showAlert(view.refused, view.refusal);
    if (view.ok || !view.keepsShown) shown = view;
    else list(view.rows);
    if (shown === view) showResult(view);
    return shown;
  };
}

function buildConverter(M) {
  const eras = list(M.eraNames());
  const parts = [['convYear', '西暦の年', '年'], ['convMonth', '西暦の月', '月'], ['convDay', '西暦の日', '日']];
  const wareki = [['convEraYear', '和暦の年', '年'], ['convEraMonth', '和暦の月', '月'], ['convEraDay', '和暦の日', '日']];
  const side = (title, rows, first) => el('fieldset', { class: 'group' }, el('legend', {}, title), ...first,
    ...rows.map(([id, label, unit]) => row(id, 'text', label, unit, [], unit === '年' ? 4 : 2)));
  $('converter').append(side('西暦', parts, []),
    side('和暦', wareki, [row('convEra', 'list', '和暦の元号', '', eras, 0)]));
  const show = (c, fromWareki) => {
    clearAlerts($('converter'));
    $('conversion').textContent = c.text;
    if (!c.ok) {
      const ids = fromWareki ? { era: 'convEra', year: 'convEraYear', month: 'convEraMonth', day: 'convEraDay' }
        : { year: 'convYear', month: 'convMonth', day: 'convDay' };
      $(ids[c.field] || ids.year)?.setAttribute('aria-invalid', 'true');
      return;
    }
    const values = fromWareki ? { convYear: c.year, convMonth: c.month, convDay: c.day }
      : { convEra: c.era, convEraYear: c.eraYear, convEraMonth: c.eraMonth, convEraDay: c.eraDay };
    for (const [id, value] of Object.entries(values)) writeValue(id, value);
  };
  const fromSeireki = () => show(M.convertSeireki($('convYear').value, $('convMonth').value, $('convDay').value), false);
  const fromWareki = () => show(M.convertWareki($('convEra').selectedIndex, $('convEraYear').value,
    $('convEraMonth').value, $('convEraDay').value), true);
  for (const [id] of parts) $(id).addEventListener('input', fromSeireki);
  for (const [id] of wareki) $(id).addEventListener('input', fromWareki);
  $('convEra').addEventListener('change', fromWareki);
  return fromSeireki;
}

function buildYearTable(M, today) {
  $('yearTableInput').append(row('tableBirthYear', 'text', '年齢を出す生まれ年（西暦、空欄可）', '年', [], 4));
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

function download(view) {
  const calendar = $('resumeCalendar').selectedIndex === 1 ? '西暦' : '和暦';
  // The module's text decoder drops the byte-order mark the file starts with; it is put back.
  const bytes = new Blob(['\uFEFF', view.csv.replace(/^\uFEFF/, '')], { type: 'text/csv' });
  const link = el('a', { href: URL.createObjectURL(bytes), download: `学歴_${calendar}.csv` });
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

async function start() {
  const M = await createVesmer();
  const form = buildForm(M);
  const initial = defaults(M, form);
  const saved = stored();
  const { names } = form;
  for (const name of names) writeValue(name, saved[name] ?? initial[name]);
  applyRules(M, form);
  const today = todayFor(M);
  const calculate = calculator(M, form, today);
  let shown = null;
  $('inputs').addEventListener('change', () => {
    applyRules(M, form);
    store(Object.fromEntries(names.map((name) => [name, readValue(name)])));
  });
  $('inputs').addEventListener('submit', (event) => {
    event.preventDefault();
    shown = calculate();
  });
  $('reset').addEventListener('click', () => {
    if (!confirm('入力を初期値に戻しますか？')) return;
    for (const name of names) writeValue(name, initial[name]);
    store(null);
    clearAlerts($('inputs'));
    applyRules(M, form);
  });
  $('copyResume').addEventListener('click', async () => {
    try {
      await navigator.clipboard.writeText(shown.tsv);
      $('copyStatus').textContent = '学歴欄をコピーしました。履歴書の表に貼り付けられます。';
    } catch {
      $('copyStatus').textContent = 'コピーできませんでした。表を選択してコピーしてください。';
    }
  });
  $('downloadCsv').addEventListener('click', () => download(shown));
  const convert = buildConverter(M);
  writeValue('convYear', today.year);
  writeValue('convMonth', today.month);
  writeValue('convDay', today.day);
  convert();
  buildYearTable(M, today);
  $('loading').remove();
  $('calculate').disabled = false;
  performance.mark('vesmer-ready');
  document.documentElement.dataset.ready = 'true';
}

if ('serviceWorker' in navigator && location.protocol !== 'file:')
  navigator.serviceWorker.register('sw.js').catch(() => {});
start().catch(() => {
  $('loading').textContent = 'このブラウザーでは計算できません（WebAssembly を読み込めませんでした）。';
});
