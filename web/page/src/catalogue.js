// Catalogues: what disc-spring-batch prints for them, as a download. A catalogue runs on a worker
// of its own, ended by Cancel or by the next catalogue, so that the calculator and the design view
// go on answering meanwhile.

import { $, message, status, download } from './dom.js';
import { Job, Cancelled } from './engine.js';
import { facts } from './design.js';
import { say } from './words.js';

const job = new Job();

async function catalogue(file) {
  if (file.size > facts.catalogueBytes) {
    message(say('catalogue-too-large', { size: facts.catalogueBytes / 1048576 }));
    return;
  }
  const args = $('catalogue-options').value.split(/\s+/).filter((a) => a);
  const bytes = new Uint8Array(await file.arrayBuffer());
  status(say('catalogue-computing'));
  $('catalogue-cancel').hidden = false;
  let answer;
  try {
    answer = JSON.parse(await job.call('ds_batch', JSON.stringify(args), bytes));
  } catch (error) {
    if (error instanceof Cancelled) return;
    answer = { status: 2, error: error.message };
  } finally {
    if (!job.busy) $('catalogue-cancel').hidden = true;
  }
  if (answer.status === 2) {
    status('');
    message(say('catalogue-refused', { why: answer.error }));
    return;
  }
  const name = file.name.replace(/\.[^.]*$/, '') + say('catalogue-result-suffix');
  download(name, new Blob([answer.output], { type: 'text/tab-separated-values;charset=utf-8' }));
  status(say(answer.status === 0 ? 'catalogue-done' : 'catalogue-done-with-errors'));
}

$('catalogue-cancel').addEventListener('click', () => {
  job.cancel();
  $('catalogue-cancel').hidden = true;
  status(say('catalogue-cancelled'));
});
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
