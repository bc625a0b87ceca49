// The page only displays what the engine computes: every number, sentence, check and reading
// rule comes from the WebAssembly engine (web/engine_api.h) in two workers, one for quick
// answers and one for design sheets, so that typing never waits for a long curve. No text of
// the user's ever reaches innerHTML: every text goes in as textContent or a value.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);
  const SVG = 'http://www.w3.org/2000/svg';

  function element(tag, attributes = {}, text) {
    const made = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
    if (text !== undefined) made.textContent = text;
    return made;
  }

  function svgElement(tag, attributes = {}, text) {
    const made = document.createElementNS(SVG, tag);
    for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, String(value));
    if (text !== undefined) made.textContent = text;
    return made;
  }

  // ---- The engine, in workers made from the engine's own script and the worker's half --------

  class Engine {
    constructor(source, module) {
      this.worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
      this.waiting = new Map();
      this.next = 1;
      this.ready = new Promise((resolve, reject) => {
        this.worker.onerror = (event) => reject(new Error(event.message || '引擎无法启动'));
        this.worker.onmessage = (event) => {
          const data = event.data;
          if (data.ready) {
            resolve();
            return;
          }
          if (data.failed !== undefined) {
            reject(new Error(data.failed));
            return;
          }
          const waiting = this.waiting.get(data.id);
          this.waiting.delete(data.id);
          if (data.error !== undefined) waiting.reject(new Error(data.error));
          else waiting.resolve(data.answer);
        };
        module.then((compiled) => this.worker.postMessage({ module: compiled }), reject);
      });
    }

    call(name, ...args) {
      return this.ready.then(() => new Promise((resolve, reject) => {
        const id = this.next++;
        this.waiting.set(id, { resolve, reject });
        this.worker.postMessage({ id, name, args });
      }));
    }
  }

  const source = $('engine').textContent + '\n' + $('worker').textContent;
  // Compiled once, off the page's thread, for both workers.
  const compiled = WebAssembly.compile(Uint8Array.from(atob($('wasm').textContent), (c) => c.charCodeAt(0)));
  const quick = new Engine(source, compiled);
  const heavy = new Engine(source, compiled);
  const selecting = new Engine(source, compiled);
  // The calculator needs the quick engine alone; sheets wait for theirs.
  const ready = quick.ready;

  // ---- Messages --------------------------------------------------------------------------------

  function message(text) {
    const box = $('message');
    $('message-text').textContent = text;
    if (!box.open) box.showModal();
    $('message-ok').focus();
  }
  $('message-ok').addEventListener('click', () => $('message').close());

  // ---- Tabs ------------------------------------------------------------------------------------

  const tabs = [$('tab-calculator'), $('tab-design'), $('tab-select')];
  function select(tab) {
    for (const each of tabs) {
      const chosen = each === tab;
      each.setAttribute('aria-selected', String(chosen));
      each.tabIndex = chosen ? 0 : -1;
      $(each.getAttribute('aria-controls')).hidden = !chosen;
    }
    if (tab === tabs[0]) fitForm1();  // the screen may have turned while another view showed
    if (tab === tabs[1]) requestSheet();
    if (tab === tabs[2]) requestSelection();
  }
  tabs.forEach((tab, i) => {
    tab.addEventListener('click', () => select(tab));
    tab.addEventListener('keydown', (event) => {
      if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
        const next = tabs[(i + (event.key === 'ArrowRight' ? 1 : tabs.length - 1)) % tabs.length];
        select(next);
        next.focus();
      }
    });
  });

  // ---- The calculator: Form1 as designed, its two commands the engine's ----------------------

  const boxes = Array.from({ length: 10 }, (_, i) => $('Text' + (i + 1)));

  // A result wider than its box keeps its sign and leading digits in view.
  function showStart(box) {
    box.setSelectionRange(0, 0);
    box.scrollLeft = 0;
  }
  for (const box of boxes.filter((b) => b.hasAttribute('data-result'))) {
    box.addEventListener('focus', () => requestAnimationFrame(() => {
      if (document.activeElement === box) {
        box.setSelectionRange(0, box.value.length, 'backward');
        box.scrollLeft = 0;
      }
    }));
  }

  let reportReturn = null;
  function report(words) {
    reportReturn = document.activeElement;
    $('report-title').textContent = words.title;
    $('report-text').textContent = words.text;
    $('report-ok').textContent = words.button;
    $('report').showModal();
    $('report-ok').focus();
  }
  $('report-ok').addEventListener('click', () => $('report').close());
  $('report').addEventListener('close', () => reportReturn && reportReturn.focus());

  async function command(name) {
    const answer = JSON.parse(await quick.call('ds_command', name, JSON.stringify(boxes.map((b) => b.value))));
    answer.boxes.forEach((text, i) => {
      boxes[i].value = text;
      showStart(boxes[i]);
    });
    if (!performance.getEntriesByName('first-result').length) performance.mark('first-result');
    if (answer.report) report(answer.report);
  }
  for (const button of document.querySelectorAll('#Form1 button')) {
    button.addEventListener('click', () => command(button.dataset.command));
  }

  // ---- The design: its texts, kept as a design file ------------------------------------------

  let facts = null;  // the engine's inputs, materials and limits, asked once at start
  let texts = {};
  let points = [{ by: 'f', value: '' }, { by: 'f', value: '' }];
  let version = 1;
  const fields = new Map();

  // The requirement of the selection, as the design file holds it.
  let requirement = null;

  function fileText() {
    return JSON.stringify({ format: 'disc-spring-design', version, inputs: { ...texts, points }, requirement });
  }

  function encode(text) {
    const bytes = new TextEncoder().encode(text);
    let binary = '';
    for (const byte of bytes) binary += String.fromCharCode(byte);
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  // The address's bytes as they are: the engine judges them like a file's. An address longer
  // than the largest design file's base64 is refused before anything is decoded, so that a
  // huge link cannot hold up the page.
  function decode(text) {
    if (text.length > Math.ceil(((facts.designFileBytes + 1) * 4) / 3)) {
      throw new RangeError(`地址中的设计大于 ${facts.designFileBytes / 1048576} MiB，不打开`);
    }
    const binary = atob(text.replace(/-/g, '+').replace(/_/g, '/'));
    return Uint8Array.from(binary, (c) => c.charCodeAt(0));
  }

  const utf8 = (text) => new TextEncoder().encode(text);

  // The design lives in the address: a link shares it, a bookmark keeps it. Nothing is stored.
  // Written a moment after the last edit, not at each keystroke: browsers ignore a page that
  // replaces its address hundreds of times in a few seconds, and the last design would be lost.
  let addressTimer = null;
  function writeAddress() {
    clearTimeout(addressTimer);
    addressTimer = null;
    history.replaceState(null, '', '#design=' + encode(fileText()));
  }
  function keepInAddress() {
    clearTimeout(addressTimer);
    addressTimer = setTimeout(writeAddress, 250);
  }
  window.addEventListener('pagehide', () => {
    if (addressTimer !== null) writeAddress();
  });

  function apply(file) {
    const parsed = JSON.parse(file);
    const inputs = parsed.inputs;
    version = parsed.version;
    requirement = parsed.requirement;
    showRequirement();
    texts = {};
    for (const input of facts.inputs) texts[input.key] = inputs[input.key] ?? '';
    points = inputs.points.map((p) => ({ by: p.by, value: p.value }));
    while (points.length < 2) points.push({ by: 'f', value: '' });
    for (const [key, field] of fields) field.value = key.startsWith('point') ? points[Number(key.slice(5))].value : texts[key];
    for (let k = 0; k < 2; k++) $('point-by-' + k).value = points[k].by;
  }

  function edited() {
    for (const input of facts.inputs) texts[input.key] = fields.get(input.key).value;
    for (let k = 0; k < 2; k++) {
      points[k] = { by: $('point-by-' + k).value, value: fields.get('point' + k).value };
    }
    keepInAddress();
    requestSheet();
    requestSelection();
  }

  function buildInputs() {
    const grid = $('inputs');
    const place = (labelText, control, id) => {
      grid.append(element('label', { for: id }, labelText), control);
    };
    for (const input of facts.inputs) {
      const id = 'in-' + input.key;
      const field = element('input', { id, type: 'text', title: input.hint, autocomplete: 'off', spellcheck: 'false' });
      field.addEventListener('input', edited);
      fields.set(input.key, field);
      if (input.key === facts.materialBefore) {
        const picker = element('select', { id: 'material' });
        picker.append(element('option', { value: '-1' }, '其他（按 E、μ）'));
        facts.materials.forEach((m, i) => picker.append(element('option', { value: String(i) }, m.name)));
        picker.addEventListener('change', () => {
          const chosen = facts.materials[Number(picker.value)];
          if (!chosen) return;
          fields.get('E').value = chosen.E;
          fields.get('mu').value = chosen.mu;
          fields.get('Rm').value = chosen.Rm;
          edited();
        });
        place('材料', picker, 'material');
      }
      place(input.label, field, id);
    }
    facts.points.forEach((name, k) => {
      const row = element('div', { class: 'point' });
      const by = element('select', { id: 'point-by-' + k, 'aria-label': name + ' 按', title: '碟簧组时为行程 s 或碟簧组的力 F_stack' });
      by.append(element('option', { value: 'f' }, '按位移 f/s(mm)'), element('option', { value: 'F' }, '按力 F(N)'));
      const value = element('input', { id: 'point-' + k, type: 'text', title: '空白时没有这个工作点', autocomplete: 'off' });
      by.addEventListener('change', edited);
      value.addEventListener('input', edited);
      fields.set('point' + k, value);
      row.append(by, value);
      place(name, row, 'point-' + k);
    });
  }

  // ---- The selection (选型): a requirement in, ranked candidates out, the last edit winning ---

  const requirementFields = new Map();

  function buildRequirement() {
    const grid = $('requirement');
    const place = (labelText, control, id) => grid.append(element('label', { for: id }, labelText), control);
    facts.requirementPoints.forEach((name, k) => {
      const row = element('div', { class: 'point' });
      const given = element('select', { id: `req-given-${k}`, 'aria-label': name + ' 给定' });
      given.append(element('option', { value: 's' }, '给定行程，力在公差内'), element('option', { value: 'F' }, '给定力，行程在公差内'));
      given.addEventListener('change', requirementEdited);
      row.append(given);
      for (const [key, caption, hint] of [['s', 's(mm)', '碟簧组的行程（单片时为变形量 f）'], ['F', 'F(N)', '碟簧组的力 n × F，不计摩擦'],
        ['tolerance', '公差(%)', '给定量以外的那个量允许偏差的百分数；空白时为 5']]) {
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
    place('动载：下工作点至少预压 0.15·h0', dynamic, 'req-dynamic');
  }

  function showRequirement() {
    if (!requirementFields.size || !requirement) return;
    for (let k = 0; k < 2; k++) {
      const point = requirement.points[k] || { given: 's', s: '', F: '', tolerance: '' };
      $(`req-given-${k}`).value = point.given;
      for (const key of ['s', 'F', 'tolerance']) $(`req-${key}-${k}`).value = point[key];
    }
    for (const [key, field] of requirementFields) field.value = requirement[key];
    $('req-dynamic').checked = requirement.dynamic;
  }

  function requirementEdited() {
    requirement = {
      dynamic: $('req-dynamic').checked,
      points: [0, 1].map((k) => ({
        given: $(`req-given-${k}`).value, s: $(`req-s-${k}`).value, F: $(`req-F-${k}`).value, tolerance: $(`req-tolerance-${k}`).value,
      })),
    };
    for (const [key, field] of requirementFields) requirement[key] = field.value;
    keepInAddress();
    requestSelection();
  }

  // One job at a time on a worker: an edit made while a job runs replaces the one waiting, so
  // what is shown is always for the latest texts and no stale answer lands on top of it.
  function latestWins(ask, show, failed, idle = () => {}) {
    const job = { busy: false, waiting: null };
    async function run() {
      job.busy = true;
      while (job.waiting !== null) {
        const file = job.waiting;
        job.waiting = null;
        let answer;
        try {
          answer = JSON.parse(await ask(file));
        } catch (error) {
          failed(error);
          continue;
        }
        if (job.waiting === null) show(answer, file);
      }
      job.busy = false;
      idle();
    }
    job.request = (file) => {
      job.waiting = file;
      if (!job.busy) run();
    };
    return job;
  }

  // The catalogue's best few first (0: as many as the engine shows at first); 更多… asks for more.
  let selectionBest = 0;
  const selections = latestWins((file) => selecting.call('ds_select', file, selectionBest),
    (answer, file) => showSelection(answer, file),
    (error) => message('选型出错：' + error.message));
  let selection = null;
  let selectionFile = null;
  let selectionsShown = 0;

  function requestSelection(more = false) {
    if (!facts || $('select').hidden) return;
    if (!more) selectionBest = 0;
    $('select-summary').textContent = '正在选型…';
    selections.request(fileText());
  }

  function showSelection(answer, file) {
    if (answer.error) {
      message(answer.error);
      return;
    }
    selection = answer;
    selectionFile = file;
    $('select-summary').textContent = answer.summary;
    $('select-more').hidden = !answer.more;
    const head = $('candidates').tHead.rows[0];
    // The sortable headers are one Tab stop; the arrow keys move along them.
    const headers = answer.header.map((name, c) => {
      const cell = element('th', { scope: 'col', 'aria-sort': 'none', tabindex: c === 0 ? '0' : '-1', title: '按此列排序' }, name);
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
    opens.append(element('span', { class: 'unseen' }, '打开'));
    head.replaceChildren(...(answer.rows.length ? [opens] : []), ...headers);
    $('candidates').tBodies[0].replaceChildren(...answer.rows.map((row, rank) => {
      const line = element('tr', row.special ? { class: 'special' } : {});
      line.dataset.rank = String(rank);
      line.keys = row.keys;
      const open = element('button', { type: 'button', 'aria-label': '作为设计打开 ' + row.name }, '作为设计打开');
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
      const numeric = x !== null && y !== null;
      const order = numeric ? x - y : text(a).localeCompare(text(b), 'zh');
      return (ascending ? order : -order) || Number(a.dataset.rank) - Number(b.dataset.rank);
    });
    body.replaceChildren(...rows);
  }

  async function openCandidate(rank) {
    const answer = JSON.parse(await quick.call('ds_open_candidate', selectionFile, selection.shown, rank));
    if (answer.error) {
      message(answer.error);
      return;
    }
    // The design in place stays one step back in the browser's history: nothing is lost.
    writeAddress();
    history.pushState(null, '', location.href);
    if (await openDesign(utf8(answer.file))) {
      status('已作为设计打开；原来的设计可用浏览器的“后退”找回');
      select(tabs[1]);
      tabs[1].focus();
    }
  }

  $('select-more').addEventListener('click', () => {
    selectionBest = selection ? selection.best : 0;
    requestSelection(true);
  });

  $('select-copy').addEventListener('click', async () => {
    if (!selection || !selection.copy) {
      message('没有可复制的内容：没有候选碟簧');
      return;
    }
    await copyText(selection.copy);
    $('select-summary').textContent = '已复制候选表';
  });

  // ---- Sheets: the last edit wins ------------------------------------------------------------

  let sheet = null;
  let shownGeneration = 0;
  const sheets = latestWins((file) => heavy.call('ds_sheet', file, plotColumns()), show,
    (error) => message('计算出错：' + error.message),
    () => {
      status('');
      fillRows();
    });
  let shownCount = 0;

  function status(text) {
    $('status').textContent = text;
  }

  function requestSheet() {
    if (!facts) return;
    status('正在计算…');
    sheets.request(fileText());
  }

  function plotColumns() {
    return Math.max(200, Math.round($('plot-room').clientWidth || 800));
  }

  function show(answer) {
    if (answer.error) {
      message(answer.error);
      return;
    }
    sheet = answer;
    shownGeneration += 1;  // rows still being fetched for an earlier sheet are dropped
    rowCache.clear();
    $('material').value = String(sheet.material);
    const plotWidth = $('plot-room').clientWidth || 800;
    const plotHeight = $('plot-room').clientHeight || 500;
    drawPlot($('plot'), sheet.plot, plotWidth, plotHeight, true);
    if (sheet.noPlot) {
      // Why there is nothing to plot stands where the plot would be.
      $('plot').append(svgElement('text', { x: plotWidth / 2, y: plotHeight / 2, 'text-anchor': 'middle', id: 'no-plot' }, sheet.noPlot));
    }
    showTable();
    showPoints();
    const summary = $('summary');
    summary.replaceChildren(...sheet.summary.map((line) => element('p', {}, line)));
    $('findings').replaceChildren(...sheet.findings.map((line) => element('li', {}, line)));
    // The print page in a task of its own, so that neither half holds up typing; a print asked
    // for before it is built builds it first.
    printBuilt = false;
    setTimeout(() => {
      if (!printBuilt) buildPrintSheet();
    }, 0);
    if (shownCount === 0) performance.mark('first-sheet');  // for bench/web_first_result.py
    shownCount++;
    document.body.dataset.sheets = String(shownCount);
  }

  // ---- The table: rows fetched as they come into view -----------------------------------------

  const rowHeight = 22;
  const rowCache = new Map();

  function cellElement(text, extra = '') {
    return element('div', { class: 'cell' + extra, role: 'cell' }, text);
  }

  function showTable() {
    const head = $('table-head');
    head.replaceChildren(element('div', { class: 'cell k', role: 'columnheader' }, 'k'),
      ...sheet.header.map((name) => element('div', { class: 'cell', role: 'columnheader' }, name)));
    $('table-body').style.height = (sheet.rows * rowHeight) + 'px';
    $('table-body').replaceChildren();
    if (!sheets.busy) fillRows();
  }

  async function fillRows() {
    if (!sheet || sheets.busy) return;
    const table = $('table');
    const first = Math.max(0, Math.floor(table.scrollTop / rowHeight) - 5);
    const count = Math.ceil(table.clientHeight / rowHeight) + 10;
    const asked = shownGeneration;
    const missing = [];
    for (let k = first; k < Math.min(sheet.rows, first + count); k++) if (!rowCache.has(k)) missing.push(k);
    if (missing.length) {
      const answer = JSON.parse(await heavy.call('ds_sheet_rows', missing[0], missing[missing.length - 1] - missing[0] + 1));
      if (asked !== shownGeneration) return;
      answer.rows.forEach((row, i) => rowCache.set(missing[0] + i, row));
    }
    const body = $('table-body');
    const shown = [];
    for (let k = first; k < Math.min(sheet.rows, first + count); k++) {
      const row = rowCache.get(k);
      if (!row) continue;
      const line = element('div', { class: 'row', role: 'row' });
      line.style.top = (k * rowHeight) + 'px';
      line.append(cellElement(String(k), ' k'));
      row.cells.forEach((text, c) => {
        const cell = cellElement(text, c === 1 && row.span > 1 ? ' error' : '');
        if (c === 1 && row.span > 1) cell.style.width = (19 * row.span) + 'ch';
        line.append(cell);
      });
      shown.push(line);
    }
    body.replaceChildren(...shown);
  }
  $('table').addEventListener('scroll', () => requestAnimationFrame(fillRows));

  function showPoints() {
    const body = $('points').tBodies[0];
    const rows = sheet.header.map((name, r) => {
      const line = element('tr');
      line.append(element('th', { scope: 'row' }, name));
      sheet.points.forEach((point) => {
        const text = point.cells[r] ?? '';
        line.append(element('td', {}, r === 0 && text === '' && point.given ? '—' : text));
      });
      return line;
    });
    body.replaceChildren(...rows);
  }

  // ---- The plot: the engine's panels, axes and read-outs, drawn as SVG ------------------------

  // Widths of texts in the page's face, each measured once: asking the style for the face at
  // every label forced a style computation each time and made a long plot slow to draw.
  const measure = document.createElement('canvas').getContext('2d');
  const widths = new Map();
  let face = null;
  function textWidth(text, size) {
    face = face || getComputedStyle(document.body).fontFamily;
    const key = size + '\u0000' + text;
    let width = widths.get(key);
    if (width === undefined) {
      measure.font = size + 'px ' + face;
      width = measure.measureText(text).width;
      if (widths.size > 5000) widths.clear();
      widths.set(key, width);
    }
    return width;
  }

  function drawPlot(svg, panels, width, height, interactive) {
    const font = 12;
    const line = font * 1.4;
    svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
    svg.setAttribute('font-size', font);
    svg.replaceChildren(svgElement('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
    const shown = panels.filter((p) => p.shown);
    if (!shown.length) return [];
    const widest = Math.max(...shown.map((p) => Math.max(...p.y.ticks.map((t) => textWidth(t.label, font)))));
    const lastX = Math.max(...shown.map((p) => (p.x.ticks.length ? textWidth(p.x.ticks[p.x.ticks.length - 1].label, font) : 0)));
    const left = 4 + 6 + 4 + widest + line;
    const right = Math.max(16, lastX / 2 + 4);
    const slot = height / shown.length;
    const layouts = [];
    shown.forEach((panel, i) => {
      const frame = { left, top: slot * i + line + 8, right: width - right, bottom: slot * (i + 1) - (12 + 2 * line) };
      const map = (x, y) => [
        frame.left + (x - panel.x.low) / (panel.x.high - panel.x.low) * (frame.right - frame.left),
        frame.bottom - (y - panel.y.low) / (panel.y.high - panel.y.low) * (frame.bottom - frame.top)];
      layouts.push({ panel, frame, map });
      const group = svgElement('g');
      for (const tick of panel.x.ticks) {
        const [x] = map(tick.v, 0);
        group.append(svgElement('line', { x1: x, y1: frame.top, x2: x, y2: frame.bottom, stroke: '#e1e1e1' }));
        group.append(svgElement('line', { x1: x, y1: frame.bottom, x2: x, y2: frame.bottom + 4, stroke: '#000' }));
        group.append(svgElement('text', { x, y: frame.bottom + 4 + font, 'text-anchor': 'middle' }, tick.label));
      }
      for (const tick of panel.y.ticks) {
        const [, y] = map(0, tick.v);
        group.append(svgElement('line', { x1: frame.left, y1: y, x2: frame.right, y2: y, stroke: '#e1e1e1' }));
        group.append(svgElement('line', { x1: frame.left - 4, y1: y, x2: frame.left, y2: y, stroke: '#000' }));
        group.append(svgElement('text', { x: frame.left - 7, y: y + font / 2 - 1, 'text-anchor': 'end' }, tick.label));
      }
      group.append(svgElement('rect', { x: frame.left, y: frame.top, width: frame.right - frame.left, height: frame.bottom - frame.top, fill: 'none', stroke: '#000' }));
      group.append(svgElement('text', { x: (frame.left + frame.right) / 2, y: frame.bottom + 4 + 2 * line, 'text-anchor': 'middle' }, panel.xLabel));
      const titleX = frame.left - 7 - widest - 4;
      group.append(svgElement('text', { x: titleX, y: (frame.top + frame.bottom) / 2, 'text-anchor': 'middle', transform: `rotate(-90 ${titleX} ${(frame.top + frame.bottom) / 2})` }, panel.yLabel));
      const clip = 'clip' + svg.id + i;
      const clipPath = svgElement('clipPath', { id: clip });
      clipPath.append(svgElement('rect', { x: frame.left, y: frame.top, width: frame.right - frame.left, height: frame.bottom - frame.top }));
      group.append(clipPath);
      const inside = svgElement('g', { 'clip-path': `url(#${clip})` });
      for (const band of panel.bands) {
        const outline = [...band.upper, ...band.lower.slice().reverse()].map(([x, y]) => map(x, y).join(',')).join(' ');
        inside.append(svgElement('polygon', { points: outline, fill: band.color, 'fill-opacity': 0.2, stroke: 'none' }));
      }
      for (const series of panel.series) {
        inside.append(svgElement('polyline', {
          points: series.points.map(([x, y]) => map(x, y).join(',')).join(' '),
          fill: 'none', stroke: series.color, 'stroke-width': 1.5, 'stroke-dasharray': series.dashed ? '6 4' : 'none' }));
      }
      group.append(inside);
      const placed = [];
      for (const marker of panel.markers.slice().sort((a, b) => a.x - b.x)) {
        const [x] = map(marker.x, 0);
        if (x < frame.left - 0.5 || x > frame.right + 0.5) continue;
        group.append(svgElement('line', { x1: x, y1: frame.top, x2: x, y2: frame.bottom, stroke: '#787878', 'stroke-dasharray': '4 3' }));
        const w = textWidth(marker.label, font) + 1;
        const box = { x: x + 3 + w <= frame.right - 2 ? x + 3 : x - 3 - w, y: frame.bottom - 3 - line, w, h: line };
        while (placed.some((o) => box.x < o.x + o.w && o.x < box.x + box.w && box.y < o.y + o.h && o.y < box.y + box.h) && box.y - line > frame.top) box.y -= line;
        placed.push(box);
        group.append(svgElement('text', { x: box.x, y: box.y + font, fill: '#5a5a5a' }, marker.label));
      }
      for (const mark of panel.marks) {
        const [x, y] = map(mark.x, mark.y);
        if (x < frame.left - 1 || x > frame.right + 1 || y < frame.top - 1 || y > frame.bottom + 1) continue;
        group.append(svgElement('circle', { cx: x, cy: y, r: 4, fill: '#fff', stroke: '#000' }));
        const w = textWidth(mark.label, font) + 2;
        const lx = x + 5 + w > frame.right ? x - 5 - w : x + 5;
        const ly = y - 4 - line < frame.top ? y + 4 + font : y - 4;
        group.append(svgElement('text', { x: lx, y: ly }, mark.label));
      }
      let lx = frame.left + 4;
      for (const series of panel.series.filter((s) => s.points.length)) {
        const ly = frame.top - 6;
        group.append(svgElement('line', { x1: lx, y1: ly - font / 3, x2: lx + 18, y2: ly - font / 3, stroke: series.color, 'stroke-width': 2, 'stroke-dasharray': series.dashed ? '6 4' : 'none' }));
        group.append(svgElement('text', { x: lx + 22, y: ly }, series.name));
        lx += 22 + textWidth(series.name, font) + 16;
      }
      svg.append(group);
    });
    if (interactive) hoverOn(svg, layouts, width, height);
    return layouts;
  }

  function hoverOn(svg, layouts, width, height) {
    const hover = svgElement('g', { 'pointer-events': 'none' });
    svg.append(hover);
    svg.onmouseleave = () => {
      hover.replaceChildren();
      svg.removeAttribute('aria-description');
    };
    svg.onmousemove = (event) => {
      const box = svg.getBoundingClientRect();
      const px = (event.clientX - box.left) * width / box.width;
      const py = (event.clientY - box.top) * height / box.height;
      let best = null;
      let bestDistance = 24 * 24;
      for (const layout of layouts) {
        layout.panel.series.forEach((series) => series.points.forEach(([x, y], i) => {
          const [sx, sy] = layout.map(x, y);
          const distance = (sx - px) ** 2 + (sy - py) ** 2;
          if (distance <= bestDistance) {
            bestDistance = distance;
            best = { layout, series, i, sx, sy };
          }
        }));
      }
      hover.replaceChildren();
      if (!best) {
        svg.removeAttribute('aria-description');
        return;
      }
      const { layout, series, i, sx, sy } = best;
      const [xText, yText] = series.texts[i];
      const said = `${series.name}: ${layout.panel.xSymbol} = ${xText} ${layout.panel.xUnit}, ${series.symbol} = ${yText} ${series.unit}`;
      svg.setAttribute('aria-description', said);
      hover.append(svgElement('circle', { cx: sx, cy: sy, r: 4, fill: '#fff', stroke: series.color, 'stroke-width': 2 }));
      const w = textWidth(said, 12) + 10;
      const h = 12 * 1.4 + 6;
      let bx = sx + 8;
      let by = sy - h - 8;
      if (bx + w > width) bx = sx - 8 - w;
      if (by < 0) by = sy + 8;
      bx = Math.max(0, Math.min(bx, width - w));
      by = Math.max(0, Math.min(by, height - h));
      hover.append(svgElement('rect', { x: bx, y: by, width: w, height: h, fill: '#ffffe1', stroke: '#5a5a5a' }));
      hover.append(svgElement('text', { x: bx + 5, y: by + h / 2 + 4 }, said));
    };
  }

  // ---- Saving, opening, copying, printing ----------------------------------------------------

  function download(name, blob) {
    const link = element('a', { download: name });
    link.href = URL.createObjectURL(blob);
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  async function copyText(text) {
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      const area = element('textarea');
      area.value = text;
      document.body.append(area);
      area.select();
      document.execCommand('copy');
      area.remove();
    }
  }

  function able(why, what) {
    if (!why) return true;
    message(`没有可${what}的内容：${why}`);
    return false;
  }

  $('copy').addEventListener('click', async () => {
    await heavy.ready;
    while (sheets.busy) await new Promise((r) => setTimeout(r, 20));
    if (!able(sheet.noTable, '复制')) return;
    await copyText(await heavy.call('ds_sheet_copy'));
    status('已复制');
  });

  // The picture with the spring in a caption below, wrapped to the picture's width.
  function picture() {
    const width = 900;
    const height = 700;
    const svg = svgElement('svg', { xmlns: SVG, id: 'export' });
    drawPlot(svg, sheet.plot, width, height, false);
    const words = sheet.caption;
    const lines = [];
    let current = '';
    for (const char of words) {
      if (textWidth(current + char, 12) > width - 16) {
        lines.push(current);
        current = '';
      }
      current += char;
    }
    if (current) lines.push(current);
    const total = height + lines.length * 17 + 10;
    svg.setAttribute('viewBox', `0 0 ${width} ${total}`);
    svg.setAttribute('width', width);
    svg.setAttribute('height', total);
    svg.prepend(svgElement('rect', { x: 0, y: 0, width, height: total, fill: '#fff' }));
    lines.forEach((text, i) => svg.append(svgElement('text', { x: 8, y: height + 14 + i * 17, 'font-size': 12 }, text)));
    svg.prepend(svgElement('title', {}, '碟形弹簧特性曲线'));
    return { svg, width, height: total };
  }

  $('save-svg').addEventListener('click', () => {
    if (!able(sheet && sheet.noPlot, '保存')) return;
    const { svg } = picture();
    download('碟形弹簧特性曲线.svg', new Blob([new XMLSerializer().serializeToString(svg)], { type: 'image/svg+xml' }));
  });

  $('save-png').addEventListener('click', () => {
    if (!able(sheet && sheet.noPlot, '保存')) return;
    const { svg, width, height } = picture();
    const image = new Image();
    image.onload = () => {
      const canvas = element('canvas');
      const scale = window.devicePixelRatio || 1;
      canvas.width = width * scale;
      canvas.height = height * scale;
      const context = canvas.getContext('2d');
      context.scale(scale, scale);
      context.drawImage(image, 0, 0, width, height);
      canvas.toBlob((blob) => download('碟形弹簧特性曲线.png', blob), 'image/png');
    };
    image.src = URL.createObjectURL(new Blob([new XMLSerializer().serializeToString(svg)], { type: 'image/svg+xml' }));
  });

  $('save-design').addEventListener('click', async () => {
    const answer = JSON.parse(await quick.call('ds_design_check', utf8(fileText())));
    download('碟簧.dspring', new Blob([answer.file], { type: 'application/json' }));
  });

  $('open-design').addEventListener('click', () => $('design-file').click());
  $('design-file').addEventListener('change', async () => {
    const file = $('design-file').files[0];
    $('design-file').value = '';
    // Beyond the engine's limit by a byte is enough for it to refuse the file, and says why.
    if (file) await openDesign(new Uint8Array(await file.slice(0, facts.designFileBytes + 1).arrayBuffer()));
  });

  // A design from a file or an address (its bytes): refused with its reason, changing nothing, or
  // taken whole.
  async function openDesign(bytes) {
    const answer = JSON.parse(await quick.call('ds_design_check', bytes));
    if (answer.error) {
      message('打不开这个设计，页面保持原样。\n\n' + answer.error);
      return false;
    }
    apply(answer.file);
    keepInAddress();
    requestSheet();
    requestSelection();
    return true;
  }

  $('print').addEventListener('click', () => {
    if (able(sheet && sheet.noDataSheet, '打印')) window.print();
  });

  $('copy-link').addEventListener('click', async () => {
    writeAddress();
    if (location.protocol === 'file:') {
      // A file:// address names this machine's folder (and the user's name): it opens nowhere else.
      message('这个页面是从本机的文件打开的，它的链接只能在这台电脑上打开，还会带上文件夹的路径。要把设计交给别人，请用“保存设计…”保存成文件。');
      return;
    }
    await copyText(location.href);
    status('链接已复制');
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
  window.addEventListener('beforeprint', () => {
    if (sheet && !printBuilt) buildPrintSheet();
  });

  // What a printer (or "save as PDF") gets: one A4 page.
  function buildPrintSheet() {
    printBuilt = true;
    const page = $('sheet');
    const parts = [element('h1', {}, '碟形弹簧数据表')];
    if (sheet.noDataSheet) {
      // A browser's own print command still prints: it gets the reason, never a sheet.
      page.replaceChildren(...parts, element('p', {}, sheet.noDataSheet));
      return;
    }
    for (const text of [...sheet.springLines, ...sheet.testLines]) parts.push(element('p', {}, text));
    parts.push(element('h2', {}, '工作点'));
    const given = sheet.points.filter((p) => p.reader.length).map((p) => ({ cells: p.reader, span: 1 }));
    if (given.length) parts.push(table(sheet.header, given));
    const summary = sheet.summary.length ? sheet.summary : ['没有给出工作点'];
    for (const text of summary) parts.push(element('p', {}, text));
    parts.push(element('h2', {}, '设计检查'));
    for (const text of sheet.findings) parts.push(element('p', {}, text));
    if (!sheet.noPlot) {
      const svg = svgElement('svg', { xmlns: SVG, id: 'print-plot', preserveAspectRatio: 'xMidYMid meet' });
      drawPlot(svg, sheet.plot, 900, 560, false);
      parts.push(svg);
    }
    parts.push(element('h2', {}, '特性（0、0.25、0.5、0.75、1 倍压平变形量）'));
    parts.push(table(sheet.header, sheet.quarters));
    parts.push(element('p', {}, '由碟形弹簧的设计计算（浏览器版）计算；数值取 4 位有效数字、长度到 0.001 mm，全部位数见特性表与“复制表格”，与计算器在相同输入下显示的相同。'));
    page.replaceChildren(...parts);
  }

  // ---- Catalogues: what disc-spring-batch prints for them, as a download ----------------------

  async function catalogue(file) {
    if (file.size > facts.catalogueBytes) {
      message(`不能计算这个目录：大于 ${facts.catalogueBytes / 1048576} MiB，浏览器中不计算；请用 disc-spring-batch，它能读任意大的目录`);
      return;
    }
    const args = $('catalogue-options').value.split(/\s+/).filter((a) => a);
    const answer = JSON.parse(await quick.call('ds_batch', JSON.stringify(args), new Uint8Array(await file.arrayBuffer())));
    if (answer.status === 2) {
      message('不能计算这个目录：' + answer.error);
      return;
    }
    const name = file.name.replace(/\.[^.]*$/, '') + '-结果.tsv';
    download(name, new Blob([answer.output], { type: 'text/tab-separated-values;charset=utf-8' }));
    status(answer.status === 0 ? '目录已算完' : '目录已算完，有的行没有结果');
  }
  $('catalogue-choose').addEventListener('click', () => $('catalogue-file').click());
  $('catalogue-file').addEventListener('change', () => {
    const file = $('catalogue-file').files[0];
    $('catalogue-file').value = '';
    if (file) catalogue(file);
  });
  const zone = $('catalogue');
  zone.addEventListener('dragover', (event) => {
    event.preventDefault();
    zone.classList.add('over');
  });
  zone.addEventListener('dragleave', () => zone.classList.remove('over'));
  zone.addEventListener('drop', (event) => {
    event.preventDefault();
    zone.classList.remove('over');
    const file = event.dataTransfer.files[0];
    if (file) catalogue(file);
  });
  // A file dropped anywhere else is not opened by the browser in place of the page.
  window.addEventListener('dragover', (event) => event.preventDefault());
  window.addEventListener('drop', (event) => event.preventDefault());

  // ---- Start -----------------------------------------------------------------------------------

  // Form1 keeps its drawn places and proportions: on a screen narrower than it, it is scaled as a
  // whole to the width there is.
  function fitForm1() {
    const form = $('Form1');
    form.style.zoom = '';
    const room = $('calculator').clientWidth;
    if (room > 0 && form.offsetWidth > room) form.style.zoom = String(room / form.offsetWidth);
  }
  fitForm1();

  let resize = null;
  window.addEventListener('resize', () => {
    fitForm1();
    clearTimeout(resize);
    resize = setTimeout(requestSheet, 200);
  });

  async function start() {
    await ready;
    performance.mark('engine-ready');
    $('engine-status').textContent = '';
    facts = JSON.parse(await quick.call('ds_inputs'));
    buildInputs();
    buildRequirement();
    const fresh = facts.fresh;
    apply(fresh);
    const address = location.hash.match(/^#design=(.*)$/s);
    if (address) {
      let bytes = null;
      try {
        bytes = decode(address[1]);
      } catch (error) {
        const why = error instanceof RangeError ? error.message : '地址中的设计读不出来（不是 base64url）';
        message(why + '，打开的是示例弹簧。');
      }
      if (bytes !== null && await openDesign(bytes)) {
        select(tabs[1]);
        return;
      }
    }
    keepInAddress();
    // As on the desktop, the calculator opens with the focus on D.
    if (!$('calculator').hidden && !$('message').open) boxes[0].focus();
  }

  // A link pasted into a tab that shows the page already changes only the fragment: it opens
  // the design it carries. The page's own updates (replaceState) fire no such event.
  window.addEventListener('hashchange', async () => {
    clearTimeout(addressTimer);  // the address is the user's now
    addressTimer = null;
    const address = location.hash.match(/^#design=(.*)$/s);
    if (!facts || !address) return;
    let bytes;
    try {
      bytes = decode(address[1]);
    } catch (error) {
      const why = error instanceof RangeError ? error.message : '地址中的设计读不出来（不是 base64url）';
      message(why + '，页面保持原样。');
      keepInAddress();
      return;
    }
    if (await openDesign(bytes)) select(tabs[1]);
    else keepInAddress();
  });

  window.discSpring = {
    ready: start().then(() => true, (error) => {
      $('engine-status').textContent = '引擎无法启动：' + error.message;
      return false;
    }),
    batch: (args, text) => quick.call('ds_batch', JSON.stringify(args), utf8(text)).then(JSON.parse),
    copy: () => heavy.call('ds_sheet_copy'),
    // For tests and the console: what the shown sheet holds.
    points: () => sheet.points.map((p) => p.cells),
    codes: () => sheet.codes,
    caption: () => sheet.caption,
    selection: () => selection,
    open: (text) => openDesign(utf8(text)),
    fileText,
    // The address with the design as it stands now (what 复制链接 copies).
    address: () => {
      writeAddress();
      return location.href;
    },
  };
})();
