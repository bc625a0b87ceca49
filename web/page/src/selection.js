// The selection: a requirement in, ranked candidates out. Each search runs on a worker of
// its own, ended when a newer request or Cancel comes, so an answer on screen is always the
// latest texts'.

import { $, element, message, copyText, utf8 } from './dom.js';
import { Job, Cancelled } from './engine.js';
import { facts, designFile, editRequirement, openBytes, writeAddress, requirementTexts } from './design.js';
import { say } from './words.js';

const job = new Job();
const requirementFields = new Map();
let selection = null;
let selectionFile = null;
let selectionsShown = 0;

export const shownSelection = () => selection;

export function buildRequirement() {
  const grid = $('requirement');
  grid.replaceChildren();
  requirementFields.clear();
  const place = (labelText, control, id) => grid.append(element('label', { for: id }, labelText), control);
  facts.requirementPoints.forEach((name, k) => {
    const row = element('div', { class: 'point' });
    const given = element('select', { id: `req-given-${k}`, 'aria-label': `${name} ${facts.requirementPoint.givenName}` });
    given.append(...['s', 'F'].map((key, i) => element('option', { value: key }, facts.requirementPoint.given[i])));
    given.addEventListener('change', requirementEdited);
    row.append(given);
    for (const { key, caption, hint: own } of facts.requirementPoint.fields) {
      const hint = own + (k === 1 ? facts.requirementPoint.second : '');
      const id = `req-${key}-${k}`;
      const field = element('input', { id, type: 'text', title: hint, autocomplete: 'off', spellcheck: 'false',
        'aria-label': `${name} ${caption}` });
      field.addEventListener('input', requirementEdited);
      // A caption that stays when the field is filled, unlike a placeholder.
      row.append(element('label', { for: id, class: 'caption' }, caption), field);
    }
    place(name, row, `req-given-${k}`);
  });
  for (const input of facts.requirement) {
    const id = 'req-' + input.key;
    const field = element('input', { id, type: 'text', title: input.hint, autocomplete: 'off', spellcheck: 'false' });
    field.addEventListener('input', requirementEdited);
    requirementFields.set(input.key, field);
    place(input.label, field, id);
  }
  const dynamic = element('input', { id: 'req-dynamic', type: 'checkbox' });
  dynamic.addEventListener('change', requirementEdited);
  place(facts.requirementPoint.dynamic, dynamic, 'req-dynamic');
  const long = element('input', { id: 'req-long-stacks', type: 'checkbox', title: facts.longStacks.hint });
  long.addEventListener('change', requirementEdited);
  place(facts.longStacks.label, long, 'req-long-stacks');
  showRequirement(requirementTexts());
}

export function showRequirement(requirement) {
  if (!requirementFields.size || !requirement) return;
  for (let k = 0; k < 2; k++) {
    const point = requirement.points[k] || { given: 's', s: '', F: '', tolerance: '' };
    $(`req-given-${k}`).value = point.given;
    for (const key of ['s', 'F', 'tolerance']) $(`req-${key}-${k}`).value = point[key];
  }
  for (const [key, field] of requirementFields) field.value = requirement[key];
  $('req-dynamic').checked = requirement.dynamic;
  $('req-long-stacks').checked = requirement.long_stacks;
}

function requirementEdited() {
  const requirement = {
    dynamic: $('req-dynamic').checked,
    long_stacks: $('req-long-stacks').checked,
    points: [0, 1].map((k) => ({
      given: $(`req-given-${k}`).value, s: $(`req-s-${k}`).value, F: $(`req-F-${k}`).value, tolerance: $(`req-tolerance-${k}`).value,
    })),
  };
  for (const [key, field] of requirementFields) requirement[key] = field.value;
  editRequirement(requirement);
}

// The catalogue's best few first (0: as many as the engine shows at first); More… asks for more.
export async function requestSelection(best = 0) {
  const file = designFile();
  if (!file || $('select').hidden) return;
  $('select-summary').textContent = say('selecting');
  $('select-cancel').hidden = false;
  let answer;
  try {
    answer = JSON.parse(await job.call('ds_select', file, best));
  } catch (error) {
    if (error instanceof Cancelled) return;  // a newer request or Cancel took its place
    $('select-cancel').hidden = true;
    message(say('selection-failed', { why: error.message }));
    return;
  }
  $('select-cancel').hidden = true;
  if (answer.error) message(answer.error);
  else showSelection(answer, file);
}

$('select-cancel').addEventListener('click', () => {
  job.cancel();
  $('select-cancel').hidden = true;
  $('select-summary').textContent = say('selection-cancelled');
});

function showSelection(answer, file) {
  selection = answer;
  selectionFile = file;
  $('select-summary').textContent = answer.summary;
  $('select-more').hidden = !answer.more;
  const head = $('candidates').tHead.rows[0];
  // The sortable headers are one Tab stop; the arrow keys move along them.
  const headers = answer.header.map((name, c) => {
    const cell = element('th', { scope: 'col', 'aria-sort': 'none', tabindex: c === 0 ? '0' : '-1', title: say('sort-by-column') }, name);
    const sort = () => sortCandidates(c, cell);
    cell.addEventListener('click', sort);
    cell.addEventListener('keydown', (event) => {
      const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
      if (event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        sort();
      } else if (step && headers[c + step]) {
        event.preventDefault();
        cell.tabIndex = -1;
        headers[c + step].tabIndex = 0;
        headers[c + step].focus();
      }
    });
    return cell;
  });
  const opens = element('th', { scope: 'col' });
  opens.append(element('span', { class: 'unseen' }, say('open-column')));
  head.replaceChildren(...(answer.rows.length ? [opens] : []), ...headers);
  $('candidates').tBodies[0].replaceChildren(...answer.rows.map((row, rank) => {
    const line = element('tr', row.special ? { class: 'special' } : {});
    line.dataset.rank = String(rank);
    line.keys = row.keys;
    const open = element('button', { type: 'button', 'aria-label': say('open-as-design-named', { name: row.name }) }, say('open-as-design'));
    open.addEventListener('click', () => openCandidate(rank));
    const first = element('td');
    first.append(open);
    line.append(first);
    row.cells.forEach((text, c) => {
      const cell = element('td', {}, text);
      if (row.every[c] !== text) cell.title = row.every[c];  // every digit, under the mouse
      line.append(cell);
    });
    return line;
  }));
  selectionsShown++;
  document.body.dataset.selections = String(selectionsShown);
}

// A display order only: numbers by value, texts as text; the ranking stays with each row.
function sortCandidates(column, header) {
  const ascending = header.getAttribute('aria-sort') !== 'ascending';
  for (const cell of header.parentElement.children) cell.setAttribute('aria-sort', 'none');
  header.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
  const body = $('candidates').tBodies[0];
  const text = (row) => row.cells[column + 1].textContent;  // past the button
  const rows = Array.from(body.rows).sort((a, b) => {
    const x = a.keys[column];
    const y = b.keys[column];
    const order = x !== null && y !== null ? x - y : text(a).localeCompare(text(b), 'zh');
    return (ascending ? order : -order) || Number(a.dataset.rank) - Number(b.dataset.rank);
  });
  body.replaceChildren(...rows);
}

// Opens a candidate as the design; `opened` then shows the design view.
let whenOpened = () => {};
export const onCandidateOpened = (listener) => { whenOpened = listener; };

async function openCandidate(rank) {
  let answer;
  try {
    answer = JSON.parse(await job.call('ds_open_candidate', selectionFile, selection.shown, rank));
  } catch (error) {
    if (!(error instanceof Cancelled)) message(say('selection-failed', { why: error.message }));
    return;
  }
  if (answer.error) {
    message(answer.error);
    return;
  }
  // The design in place stays one step back in the browser's history: nothing is lost.
  writeAddress();
  history.pushState(null, '', location.href);
  if (await openBytes(utf8(answer.file))) whenOpened();
}

$('select-more').addEventListener('click', () => requestSelection(selection ? selection.best : 0));

$('select-copy').addEventListener('click', async () => {
  if (!selection || !selection.copy) {
    message(say('nothing-to', { what: say('to-copy'), why: say('no-candidates') }));
    return;
  }
  await copyText(selection.copy);
  $('select-summary').textContent = say('candidates-copied');
});
