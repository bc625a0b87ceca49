// The design view's sheet: the plot, the table (rows fetched as they come into view), the
// working points, the summary and the findings, the print page and the pictures. The last edit
// wins: an edit made while a sheet is computed replaces the one waiting.

import { $, SVG, element, svgElement, message, status, able, download, copyText } from './dom.js';
import { engine, designFile } from './design.js';
import { drawPlot, drawShapes, plotFace, plotFont } from './plot.js';
import { say } from './words.js';

let sheet = null;
let shownGeneration = 0;
let shownCount = 0;
let computing = false;
let running = null;  // the computation under way: settles once the last edit's sheet is shown
let waiting = null;
let askedSize = null;  // the plot's size an edit's sheet was asked for

export const shownSheet = () => sheet;

async function run() {
  computing = true;
  while (waiting !== null) {
    const file = waiting;
    waiting = null;
    const size = plotSize();
    let answer;
    try {
      answer = JSON.parse(await engine.call('ds_sheet', file, ...size, plotFont()));
    } catch (error) {
      message(say('compute-failed', { why: error.message }));
      continue;
    }
    // An edit's own sheet may have come meanwhile: one of an older design is not shown.
    if (answer.error) message(answer.error);
    else if (waiting === null && file === designFile()) show(answer, size);
  }
  computing = false;
  status('');
  fillRows();
}

export function requestSheet() {
  const file = designFile();
  if (!file || $('design').hidden) return;
  status(say('computing'));
  waiting = file;
  if (computing) return;  // the loop under way takes it
  const mine = run().finally(() => {
    if (running === mine) running = null;
  });
  running = mine;
}

// What an edit asks its sheet for (design.askSheetsWith): nothing while the design is hidden.
export function sheetArgs() {
  if ($('design').hidden) return [0, 0, ''];
  askedSize = plotSize();
  return [...askedSize, plotFont()];
}

// An edit's sheet, come with its design.
export function showEdited(answer) {
  show(answer, askedSize);
  if (!computing) fillRows();
}

// Resolves once the sheet of the last edit is shown.
export const sheetSettled = () => running || Promise.resolve();

function plotSize() {
  return [Math.round($('plot-room').clientWidth || 800), Math.round($('plot-room').clientHeight || 500)];
}

function show(answer, [plotWidth, plotHeight]) {
  sheet = answer;
  shownGeneration += 1;  // rows still being fetched for an earlier sheet are dropped
  rowCache.clear();
  $('material').value = String(sheet.material);
  drawPlot($('plot'), sheet.plot, Math.max(plotWidth, 200), Math.max(plotHeight, 150));
  if (sheet.noPlot) {
    // Why there is nothing to plot stands where the plot would be.
    $('plot').append(svgElement('text', { x: plotWidth / 2, y: plotHeight / 2, 'text-anchor': 'middle', id: 'no-plot' }, sheet.noPlot));
  }
  showTable();
  showPoints();
  $('summary').replaceChildren(...sheet.summary.map((line) => element('p', {}, line)));
  $('test-lines').replaceChildren(...sheet.test.map((line) => element('p', {}, line)));
  $('findings').replaceChildren(...sheet.findings.map((line) => element('li', {}, line)));
  // The print page is built when printing; its plot is laid out now, off the page's thread.
  printBuilt = false;
  printPlot = null;
  const generation = shownGeneration;
  printPlotReady = sheet.noPlot ? Promise.resolve() : engine.call('ds_picture', 900, 560, 0).then((text) => {
    if (generation === shownGeneration) printPlot = JSON.parse(text);
  });
  if (shownCount === 0) performance.mark('first-sheet');  // for bench/web_first_result.py
  shownCount++;
  document.body.dataset.sheets = String(shownCount);
}

// ---- The table: rows fetched as they come into view -------------------------------------------

const rowHeight = 22;
const rowCache = new Map();

function cellElement(text, extra = '') {
  return element('div', { class: 'cell' + extra, role: 'cell' }, text);
}

function showTable() {
  // Only the rows in view are in the document: the count and each row's place tell a screen
  // reader where it is (the header is row 1).
  $('table').setAttribute('aria-rowcount', String(sheet.rows + 1));
  $('table-head').setAttribute('aria-rowindex', '1');
  $('table-head').replaceChildren(element('div', { class: 'cell k', role: 'columnheader' }, 'k'),
    ...sheet.header.map((name) => element('div', { class: 'cell', role: 'columnheader' }, name)));
  $('table-body').style.height = (sheet.rows * rowHeight) + 'px';
  $('table-body').replaceChildren();
  if (!computing) fillRows();
}

async function fillRows() {
  if (!sheet || computing) return;
  const table = $('table');
  const first = Math.max(0, Math.floor(table.scrollTop / rowHeight) - 5);
  const count = Math.ceil(table.clientHeight / rowHeight) + 10;
  const asked = shownGeneration;
  const missing = [];
  for (let k = first; k < Math.min(sheet.rows, first + count); k++) if (!rowCache.has(k)) missing.push(k);
  if (missing.length) {
    const answer = JSON.parse(await engine.call('ds_sheet_rows', missing[0], missing[missing.length - 1] - missing[0] + 1));
    if (asked !== shownGeneration) return;
    answer.rows.forEach((row, i) => rowCache.set(missing[0] + i, row));
  }
  const shown = [];
  for (let k = first; k < Math.min(sheet.rows, first + count); k++) {
    const row = rowCache.get(k);
    if (!row) continue;
    const line = element('div', { class: 'row', role: 'row', 'aria-rowindex': String(k + 2) });
    line.style.top = (k * rowHeight) + 'px';
    line.append(cellElement(String(k), ' k'));
    row.cells.forEach((text, c) => {
      const cell = cellElement(text, c === 1 && row.span > 1 ? ' error' : '');
      if (c === 1 && row.span > 1) cell.style.width = (19 * row.span) + 'ch';
      line.append(cell);
    });
    shown.push(line);
  }
  $('table-body').replaceChildren(...shown);
}
$('table').addEventListener('scroll', () => requestAnimationFrame(fillRows));

function showPoints() {
  const rows = sheet.header.map((name, r) => {
    const line = element('tr');
    line.append(element('th', { scope: 'row' }, name));
    sheet.points.forEach((point) => {
      const text = point.cells[r] ?? '';
      line.append(element('td', {}, r === 0 && text === '' && point.given ? '—' : text));
    });
    return line;
  });
  $('points').tBodies[0].replaceChildren(...rows);
}

// ---- Copying, pictures and printing -----------------------------------------------------------

export async function sheetCopy() {
  await sheetSettled();
  return engine.call('ds_sheet_copy');
}

$('copy').addEventListener('click', async () => {
  await sheetSettled();
  if (!able(sheet.noTable, 'to-copy')) return;
  await copyText(await engine.call('ds_sheet_copy'));
  status(say('copied'));
});

// A picture laid out by the engine (ds_picture) as an SVG of its own.
function pictureSvg(laid, id) {
  const svg = svgElement('svg', { xmlns: SVG, id, 'font-size': 12, 'font-family': plotFace(),
    viewBox: `0 0 ${laid.width} ${laid.height}`, width: laid.width, height: laid.height });
  drawShapes(svg, svg, laid.shapes);
  svg.prepend(svgElement('title', {}, say('title')));
  return svg;
}

// The picture to save, with the spring in a caption below.
async function picture() {
  const laid = JSON.parse(await engine.call('ds_picture', 900, 700, 1));
  return { svg: pictureSvg(laid, 'export'), width: laid.width, height: laid.height };
}

$('save-svg').addEventListener('click', async () => {
  if (!able(sheet && sheet.noPlot, 'to-save')) return;
  const { svg } = await picture();
  download(say('title') + '.svg', new Blob([new XMLSerializer().serializeToString(svg)], { type: 'image/svg+xml' }));
});

$('save-png').addEventListener('click', async () => {
  if (!able(sheet && sheet.noPlot, 'to-save')) return;
  const { svg, width, height } = await picture();
  const image = new Image();
  image.onload = () => {
    const canvas = element('canvas');
    const scale = window.devicePixelRatio || 1;
    canvas.width = width * scale;
    canvas.height = height * scale;
    const context = canvas.getContext('2d');
    context.scale(scale, scale);
    context.drawImage(image, 0, 0, width, height);
    canvas.toBlob((blob) => download(say('title') + '.png', blob), 'image/png');
  };
  image.src = URL.createObjectURL(new Blob([new XMLSerializer().serializeToString(svg)], { type: 'image/svg+xml' }));
});

$('print').addEventListener('click', async () => {
  if (!able(sheet && sheet.noDataSheet, 'to-print')) return;
  await sheetSettled();
  await printPlotReady;
  window.print();
});

function table(header, rows) {
  const made = element('table');
  const head = element('tr');
  header.forEach((name) => head.append(element('th', {}, name)));
  const thead = element('thead');
  thead.append(head);
  const tbody = element('tbody');
  for (const row of rows) {
    const line = element('tr');
    row.cells.forEach((text, c) => {
      const cell = element('td', {}, text);
      if (c === 1 && row.span > 1) cell.colSpan = row.span;
      line.append(cell);
    });
    tbody.append(line);
  }
  made.append(thead, tbody);
  return made;
}

let printBuilt = false;
let printPlot = null;
let printPlotReady = Promise.resolve();
// However the print was asked for, the page is built first: its parts are all at hand.
window.addEventListener('beforeprint', () => {
  if (sheet && !printBuilt) buildPrintSheet();
});

// What a printer (or "save as PDF") gets: the engine's data sheet, one A4 page.
function buildPrintSheet() {
  printBuilt = true;
  const page = $('sheet');
  const parts = [element('h1', {}, sheet.dataSheet.title)];
  if (sheet.noDataSheet) {
    // A browser's own print command still prints: it gets the reason, never a sheet.
    page.replaceChildren(...parts, element('p', {}, sheet.noDataSheet));
    return;
  }
  for (const section of sheet.dataSheet.sections) {
    if (section.plot) {
      if (printPlot) {
        const svg = pictureSvg(printPlot, 'print-plot');
        svg.setAttribute('preserveAspectRatio', 'xMidYMid meet');
        parts.push(svg);
      }
      continue;
    }
    if (section.heading) parts.push(element('h2', {}, section.heading));
    if (section.header.length) parts.push(table(section.header, section.rows));
    for (const text of section.lines) parts.push(element('p', {}, text));
  }
  page.replaceChildren(...parts);
}
