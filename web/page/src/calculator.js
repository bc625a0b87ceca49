// The calculator: Form1 as designed, its two commands those of the calculator's own small engine
// (web/calculator_api.h), which runs on the page's thread: a command takes microseconds, and no
// worker has to start before the first answer.

import { $ } from './dom.js';
import { leaving } from './address_guard.js';
import { compileInlined } from './engine.js';

export const calculatorReady = leaving ? new Promise(() => {}) : new Promise((resolve, reject) => {
  const compiled = compileInlined('calculator-wasm', false);
  DiscSpringCalculator({
    instantiateWasm: (imports, done) => {
      compiled.then((module) => WebAssembly.instantiate(module, imports).then((instance) => done(instance, module)))
        .catch(reject);
      return {};
    },
  }).then(resolve, reject);
});

// The answer to a command, its texts passed through the engine's heap (a pasted text may be
// long).
function answerOf(engine, name, boxesJson) {
  const held = [];
  try {
    for (const text of [name, boxesJson]) {
      const size = engine.lengthBytesUTF8(text) + 1;
      const at = engine._malloc(size);
      if (!at) throw new Error('内存不够');
      held.push(at);
      engine.stringToUTF8(text, at, size);
    }
    return engine.UTF8ToString(engine._ds_command(held[0], held[1]));
  } finally {
    held.forEach((at) => engine._free(at));
  }
}
export const boxes = Array.from({ length: 10 }, (_, i) => $('Text' + (i + 1)));

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

let answered;
export const firstAnswer = new Promise((resolve) => { answered = resolve; });

async function command(name) {
  const engine = await calculatorReady;
  const answer = JSON.parse(answerOf(engine, name, JSON.stringify(boxes.map((b) => b.value))));
  answer.boxes.forEach((text, i) => {
    boxes[i].value = text;
    showStart(boxes[i]);
  });
  if (!performance.getEntriesByName('first-result').length) performance.mark('first-result');
  answered();
  if (answer.report) report(answer.report);
}
for (const button of document.querySelectorAll('#Form1 button')) {
  button.addEventListener('click', () => command(button.dataset.command));
}

// Form1 keeps its drawn places and proportions: on a screen narrower than it, it is scaled as a
// whole to the width there is.
export function fitForm1() {
  const form = $('Form1');
  form.style.zoom = '';
  const room = $('calculator').clientWidth;
  if (room > 0 && form.offsetWidth > room) form.style.zoom = String(room / form.offsetWidth);
}
