// The design: its texts in the form, the rest the engine's. The page never writes or reads a
// design file: it sends the form's texts and gets back the file (for saving and the sheets) and
// the address; a file or an address opened comes back as texts for the form.

import { $, element, message, status, download, copyText } from './dom.js';
import { Engine } from './engine.js';
import { say, takeWords } from './words.js';
import { addressLead } from './language.js';

// The design view's worker: the design's files and its sheets.
export const engine = new Engine();

export let facts = null;  // the engine's inputs, materials and limits, asked once at start
let view = null;  // the design's texts, as the engine answered them and the form edited them
let file = '';
let address = '';
const fields = new Map();
const changed = [];
const opened = [];

export const designFile = () => file;
// Called with the design file (and, after an edit with the design in view, its sheet) whenever
// the design changes, and with the texts when one opens.
export const onChange = (listener) => changed.push(listener);
// What an edit asks its sheet for: the plot's size and font while the design is in view, else
// width 0 (no sheet); the sheet's module says.
let sheetArgs = () => [0, 0, ''];
export const askSheetsWith = (provider) => { sheetArgs = provider; };
export const onOpen = (listener) => opened.push(listener);
export const requirementTexts = () => view.requirement;

// The design lives in the address: a link shares it, a bookmark keeps it. Nothing is stored.
// Written a moment after the last edit, not at each keystroke: browsers ignore a page that
// replaces its address hundreds of times in a few seconds, and the last design would be lost.
let addressTimer = null;
export function writeAddress() {
  clearTimeout(addressTimer);
  addressTimer = null;
  history.replaceState(null, '', '#' + addressLead() + 'design=' + address);
}
function keepInAddress() {
  clearTimeout(addressTimer);
  addressTimer = setTimeout(writeAddress, 250);
}
window.addEventListener('pagehide', () => {
  if (addressTimer !== null) writeAddress();
});
// A link pasted into the page is the user's: the page's pending write must not replace it.
export function dropAddressWrite() {
  clearTimeout(addressTimer);
  addressTimer = null;
}

function take(answer) {
  file = answer.file;
  address = answer.address;
  $('fatigue-reading').textContent = answer.fatigueReading;
  keepInAddress();
  for (const listener of changed) listener(file, answer.sheet);
}

// The last edit wins: answers to earlier ones are dropped when they come. One engine call an
// edit: the design, its file and address, and its sheet.
let asked = 0;
let settling = Promise.resolve();
function edited() {
  for (const input of facts.inputs) view.fields[input.key] = fields.get(input.key).value;
  for (let k = 0; k < 2; k++) view.points[k] = { by: $('point-by-' + k).value, value: fields.get('point' + k).value };
  view.fields.load = $('load').value;
  view.fields.outer_edge = $('outer-edge').checked;
  view.fatigueLines = $('fatigue-lines').value;
  view.packets = readPackets();
  const mine = ++asked;
  settling = engine.call('ds_edit', JSON.stringify(view), ...sheetArgs()).then((text) => {
    const answer = JSON.parse(text);
    if (mine !== asked) return;
    if (answer.error) message(answer.error);
    else take(answer);
  }).catch((error) => message(say('compute-failed', { why: error.message })));
}
// Resolves once the last edit's file and address are known.
export const settled = () => settling;

export function editRequirement(requirement) {
  view.requirement = requirement;
  edited();
}

function show(shown) {
  view = shown;
  for (const [key, field] of fields) {
    field.value = key.startsWith('point') ? view.points[Number(key.slice(5))].value : view.fields[key];
  }
  for (let k = 0; k < 2; k++) $('point-by-' + k).value = view.points[k].by;
  $('load').value = view.fields.load;
  $('outer-edge').checked = view.fields.outer_edge;
  $('fatigue-lines').value = view.fatigueLines;
  showPackets(view.packets);
  for (const listener of opened) listener(view);
}

// ---- The packets of a progressive stack: a row each, added, moved and removed by its buttons ---

const packetId = (k, key) => `packet-${k}-${key}`;

function readPackets() {
  const rows = $('packets-body').rows.length;
  return Array.from({ length: rows }, (_, k) =>
    Object.fromEntries(facts.packets.fields.map(({ key }) => [key, $(packetId(k, key)).value])));
}

// The rows as `packets` holds them; the inputs they stand for are out of reach while there are any.
function showPackets(packets) {
  const body = $('packets-body');
  body.replaceChildren();
  packets.forEach((packet, k) => {
    const name = say('packet-numbered', { k: String(k + 1) });
    const row = element('tr');
    row.append(element('th', { scope: 'row' }, String(k + 1)));
    for (const { key, caption, hint } of facts.packets.fields) {
      const field = element('input', { id: packetId(k, key), type: 'text', title: hint, autocomplete: 'off',
                                       spellcheck: 'false', 'aria-label': `${name} ${caption}` });
      if (key === 'spring') field.setAttribute('list', 'spring-names');
      field.value = packet[key];
      field.addEventListener('input', edited);
      const cell = element('td');
      cell.append(field);
      row.append(cell);
    }
    const moves = element('td', { class: 'packet-moves' });
    for (const [word, by] of [['packet-up', -1], ['packet-down', 1], ['remove', 0]]) {
      const button = element('button', { type: 'button', id: packetId(k, word), 'aria-label': `${say(word)} ${name}` }, say(word));
      button.addEventListener('click', () => movePacket(k, by, word));
      moves.append(button);
    }
    row.append(moves);
    body.append(row);
  });
  for (const key of facts.packets.standFor) fields.get(key).disabled = packets.length > 0;
  if (packets.length > 0) $('packets-room').open = true;
}

// Moves packet k up (-1) or down (1), or removes it (0). The keyboard stays on the same button
// of the row the packet went to (of the next row after a removal, or the add button after the last).
function movePacket(k, by, word) {
  const packets = readPackets();
  const [packet] = packets.splice(k, 1);
  const to = Math.max(0, Math.min(packets.length, k + by));
  if (by !== 0) packets.splice(to, 0, packet);
  showPackets(packets);
  edited();
  ($(packetId(to, word)) ?? $('packet-add')).focus();
}

function buildPackets() {
  // The catalogue's names offered as a spring is typed.
  if (!$('spring-names')) {
    const names = element('datalist', { id: 'spring-names' });
    names.append(...facts.packets.names.map((name) => element('option', { value: name })));
    $('packets-room').append(names);
  }
  $('packets-title').textContent = facts.packets.label;
  $('packets-about').textContent = facts.packets.hint;
  $('packets-head').append(element('th', { scope: 'col' }, '#'),
                           ...facts.packets.fields.map(({ caption, hint }) => element('th', { scope: 'col', title: hint }, caption)),
                           element('td'));
}
$('packet-add').addEventListener('click', () => {
  const packets = readPackets();
  packets.push(packets.length > 0 ? { ...packets[packets.length - 1] } : Object.fromEntries(facts.packets.fields.map(({ key }) => [key, key === 'n' ? '1' : ''])));
  showPackets(packets);
  edited();
  $(packetId(packets.length - 1, 'spring')).focus();
});

// A design from a file's or an address's answer: refused with its reason, changing nothing, or
// taken whole.
function openAnswer(answer, refusal) {
  if (answer.error) {
    message(refusal + '\n\n' + answer.error);
    return false;
  }
  show(answer.view);
  take(answer);
  return true;
}

export async function openBytes(bytes) {
  return openAnswer(JSON.parse(await engine.call('ds_design_check', bytes)), say('not-opened-page'));
}

// The engine reads the address, off the page's thread; a huge one it refuses before decoding.
export async function openAddress(fragment, refusal) {
  return openAnswer(JSON.parse(await engine.call('ds_design_address', fragment)), refusal);
}

function buildInputs() {
  const grid = $('inputs');
  const place = (labelText, control, id) => grid.append(element('label', { for: id }, labelText), control);
  for (const input of facts.inputs) {
    const id = 'in-' + input.key;
    const field = element('input', { id, type: 'text', title: input.hint, autocomplete: 'off', spellcheck: 'false' });
    field.addEventListener('input', edited);
    fields.set(input.key, field);
    if (input.key === facts.materialBefore) {
      const picker = element('select', { id: 'material' });
      picker.append(element('option', { value: '-1' }, facts.material.other));
      facts.materials.forEach((m, i) => picker.append(element('option', { value: String(i) }, m.name)));
      picker.addEventListener('change', () => {
        const chosen = facts.materials[Number(picker.value)];
        if (!chosen) return;
        fields.get('E').value = chosen.E;
        fields.get('mu').value = chosen.mu;
        fields.get('Rm').value = chosen.Rm;
        edited();
      });
      place(facts.material.label, picker, 'material');
    }
    place(input.label, field, id);
  }
  facts.points.forEach((name, k) => {
    const row = element('div', { class: 'point' });
    const by = element('select', { id: 'point-by-' + k, 'aria-label': `${name} ${facts.pointBy.name}`, title: facts.pointBy.hint });
    by.append(...['f', 'F'].map((key, i) => element('option', { value: key }, facts.pointBy.choices[i])));
    const value = element('input', { id: 'point-' + k, type: 'text', title: facts.pointBy.valueHint, autocomplete: 'off' });
    by.addEventListener('change', edited);
    value.addEventListener('input', edited);
    fields.set('point' + k, value);
    row.append(by, value);
    place(name, row, 'point-' + k);
  });
  const load = element('select', { id: 'load', title: facts.load.hint });
  for (const choice of facts.load.choices) load.append(element('option', { value: choice.key }, choice.label));
  load.addEventListener('change', edited);
  place(facts.load.label, load, 'load');
  const outerEdge = element('input', { id: 'outer-edge', type: 'checkbox', title: facts.outerEdge.hint });
  outerEdge.addEventListener('change', edited);
  place(facts.outerEdge.label, outerEdge, 'outer-edge');
}

// Builds the design's part of the view from the engine's facts, in the language it speaks.
async function build() {
  facts = JSON.parse(await engine.call('ds_inputs'));
  takeWords(facts.words);
  fields.clear();
  $('inputs').replaceChildren();
  $('packets-head').replaceChildren();
  buildInputs();
  buildPackets();
  $('fatigue-about').textContent = facts.fatigueHint;
}

// Asks the engine what a design holds and shows a new one.
export async function startDesign() {
  await build();
  show(facts.fresh.view);
  file = facts.fresh.file;
  address = facts.fresh.address;
  $('fatigue-reading').textContent = facts.fresh.fatigueReading;
}

// The view built anew in the language now spoken, the design as it stands kept, and computed
// again for its words.
export async function speak() {
  const shown = view;
  await build();
  show(shown);
  edited();
}

export function newDesignShown() {
  take({ file, address });
}

// The address back to the design in place, after a pasted link was refused.
export const restoreAddress = () => keepInAddress();

// ---- Saving, opening and sharing the design ---------------------------------------------------

$('save-design').addEventListener('click', async () => {
  await settled();
  download(say('design-file-name'), new Blob([file], { type: 'application/json' }));
});

$('open-design').addEventListener('click', () => $('design-file').click());
$('design-file').addEventListener('change', async () => {
  const chosen = $('design-file').files[0];
  $('design-file').value = '';
  // Beyond the engine's limit by a byte is enough for it to refuse the file, and says why.
  if (chosen) await openBytes(new Uint8Array(await chosen.slice(0, facts.designFileBytes + 1).arrayBuffer()));
});

// Fatigue lines: typed or pasted, or a line set's file put into the box; the engine reads them.
$('fatigue-lines').addEventListener('input', edited);
$('fatigue-load').addEventListener('click', () => $('fatigue-file').click());
$('fatigue-file').addEventListener('change', async () => {
  const chosen = $('fatigue-file').files[0];
  $('fatigue-file').value = '';
  if (!chosen) return;
  // As with a design file, a byte past the limit is enough for the engine to refuse it.
  const bytes = new Uint8Array(await chosen.slice(0, facts.fatigueFileBytes + 1).arrayBuffer());
  const answer = JSON.parse(await engine.call('ds_fatigue_file', bytes, chosen.name));
  if (answer.error !== undefined) {
    message(answer.error);
    return;
  }
  $('fatigue-lines').value = answer.text;
  edited();
});

$('copy-link').addEventListener('click', async () => {
  await settled();
  writeAddress();
  if (location.protocol === 'file:') {
    // A file:// address names this machine's folder (and the user's name): it opens nowhere else.
    message(say('local-link'));
    return;
  }
  await copyText(location.href);
  status(say('link-copied'));
});

