// The calculator: Form1 as designed, its two commands the engine's, on a worker nothing else
// uses.

import { $ } from './dom.js';
import { Engine } from './engine.js';

const engine = new Engine();
export const calculatorReady = engine.ready;
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

async function command(name) {
  const answer = JSON.parse(await engine.call('ds_command', name, JSON.stringify(boxes.map((b) => b.value))));
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

// Form1 keeps its drawn places and proportions: on a screen narrower than it, it is scaled as a
// whole to the width there is.
export function fitForm1() {
  const form = $('Form1');
  form.style.zoom = '';
  const room = $('calculator').clientWidth;
  if (room > 0 && form.offsetWidth > room) form.style.zoom = String(room / form.offsetWidth);
}
