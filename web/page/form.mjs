// The page's form as HTML, written from the module's input schema when the page is built, so that
// the browser paints it before the WebAssembly arrives. Each input stands in the place the input
// layer gives it; app.js then only attaches to it.

const escape = (text) => String(text).replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);

function tag(name, attributes, ...children) {
  const list = Object.entries(attributes)
    .filter(([, value]) => value !== false && value !== null && value !== undefined)
    .map(([key, value]) => (value === true ? ` ${key}` : ` ${key}="${escape(value)}"`)).join('');
  return name === 'input' ? `<input${list}>` : `<${name}${list}>${children.join('')}</${name}>`;
}

const numeric = (f) => f.kind !== 'name' && f.kind !== 'department';
// The birth date starts empty: a phone user types it without deleting a default first.
const startsEmpty = (f) => f.place === 'basic' && f.kind === 'text';

function control(f) {
  if (f.kind === 'list') {
    return tag('select', { id: f.name, name: f.name }, ...f.items.map((item, index) =>
      tag('option', { value: index, selected: String(index) === f.defaultText }, escape(item))));
  }
  if (f.kind === 'check') {
    return tag('input', { type: 'checkbox', id: f.name, name: f.name, value: 1, checked: f.defaultText === '1' });
  }
  return tag('input', {
    type: 'text', id: f.name, name: f.name, inputmode: numeric(f) ? 'numeric' : null, autocomplete: 'off',
    // A name is refused with its limit named rather than cut at it.
    maxlength: numeric(f) && f.maxLength ? f.maxLength : null,
    class: numeric(f) ? `digits${f.maxLength || 2}` : null,
    value: startsEmpty(f) ? null : f.defaultText, placeholder: startsEmpty(f) ? f.defaultText : null,
  });
}

// A two-item list is a switch of two radio buttons.
function radios(f) {
  return tag('fieldset', { class: 'field radios', 'data-input': f.name, hidden: f.hidden }, tag('legend', {}, escape(f.label)),
    tag('span', { class: 'control' }, ...f.items.map((item, index) => tag('label', {}, tag('input', {
      type: 'radio', name: f.name, value: index, checked: String(index) === f.defaultText,
    }), escape(item)))));
}

// A labelled field: a check box before its label, any other control after it with its unit.
function field(f) {
  if (f.kind === 'list' && f.items.length === 2) return radios(f);
  const label = tag('label', { for: f.name }, escape(f.label));
  const attributes = { class: `field ${f.kind}`, 'data-input': f.name, hidden: f.hidden };
  if (f.kind === 'check') return tag('div', attributes, control(f), label);
  const unit = f.unit ? tag('span', { 'aria-hidden': 'true' }, escape(f.unit)) : '';
  return tag('div', attributes, label,
    tag('span', { class: 'control' }, control(f), unit));
}

// Fields grouped by stage (counts, school names), a group per stage on one line.
function byStage(fields) {
  const stages = [...new Set(fields.map((f) => f.stage))];
  return stages.map((stage) => {
    const group = fields.filter((f) => f.stage === stage);
    return tag('div', { class: 'pairs', 'data-group': '', hidden: group.every((f) => f.hidden) }, ...group.map(field));
  }).join('');
}

// The items of an embind vector as an array; the vector is freed.
function list(vector) {
  const items = [];
  for (let i = 0; i < vector.size(); i++) items.push(vector.get(i));
  vector.delete();
  return items;
}

// The HTML of each place by its name, the inputs that do not apply to the defaults hidden, whether
// each group of places is hidden as a whole, and the facts written into the page.
export function renderForm(M) {
  const dialog = new M.DialogInputs();
  const resume = new M.ResumeInputs();
  const applying = new Set(list(M.keepApplicableInputs(dialog, resume)));
  dialog.delete();
  resume.delete();
  const fields = list(M.describeInputs()).map((f) => ({ ...f, items: list(f.items), hidden: !applying.has(f.name) }));
  const at = (place) => fields.filter((f) => f.place === place);
  const hiddenGroup = (place) => (at(place).every((f) => f.hidden) ? ' hidden' : '');
  const named = (...names) => names.map((name) => field(fields.find((f) => f.name === name)));
  const inline = (legend, ...parts) => tag('fieldset', { class: 'inline' }, tag('legend', {}, legend), ...parts);
  const outcome = fields.find((f) => f.name === 'outcome');
  const particle = tag('span', { id: 'particle', 'aria-hidden': 'true' }, M.particle(Number(outcome.defaultText)));
  const facts = M.facts();
  const columns = list(facts.columns);
  return {
    countsHidden: hiddenGroup('counts'), routeHidden: hiddenGroup('route'), moreHidden: hiddenGroup('more'),
    schoolsHidden: hiddenGroup('schools'), eventsHidden: applying.has('events') ? '' : ' hidden', eras: list(facts.eras).map((era, i) => tag('option', { value: i }, escape(era))).join(''),
    birth: inline('生年月日', ...named('era', 'birthYear', 'birthMonth', 'birthDay')),
    final: inline('最終学歴', ...named('finalSchool'), particle, ...named('outcome')),
    leaving: at('basic').filter((f) => f.kind === 'month').map(field).join(''),
    block: at('block').map(field).join(''),
    schools: byStage(at('schools')),
    history: at('history').map(field).join(''),
    counts: byStage(at('counts')),
    route: at('route').map(field).join(''),
    more: at('more').map(field).join(''),
    columns: columns.map((title) => tag('th', { scope: 'col' }, escape(title))).join(''),
    tableYears: `${facts.tableFirstYear}〜${facts.tableLastYear}`,
    maxEventRows: String(facts.maxEventRows),
  };
}
