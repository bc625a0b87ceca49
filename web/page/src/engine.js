// The design engine (web/engine_api.h) in workers made from its own script and the worker's half.
// Its WebAssembly is compiled once, off the page's thread, when first asked for, and handed to
// every worker. Each job has a worker of its own, so that no sheet, selection or catalogue waits
// for another; a long job is cancelled by ending its worker.

import { $ } from './dom.js';
import { leaving } from './address_guard.js';
import { language } from './language.js';

// A WebAssembly module the page holds in base64, gzipped when `packed`. A plain loop:
// Uint8Array.from with a mapping function took 134 ms here, a long task at start.
export function compileInlined(id, packed) {
  const binary = atob($(id).textContent);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  if (!packed) return WebAssembly.compile(bytes);
  const unpacked = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
  return new Response(unpacked).arrayBuffer().then((wasm) => WebAssembly.compile(wasm));
}

// The design engine's script and module stand after the page's script: read once it is parsed.
const parsed = new Promise((resolve) => {
  if (document.readyState !== 'loading') resolve();
  else document.addEventListener('DOMContentLoaded', resolve, { once: true });
});
let compiled = null;
const compiledEngine = () => compiled ?? (compiled = compileInlined('wasm', true));

function startWorker() {
  const started = { worker: null, waiting: new Map(), ready: null, stopped: false };
  if (leaving) {
    started.ready = new Promise(() => {});
    return started;
  }
  started.ready = parsed.then(() => new Promise((resolve, reject) => {
    if (started.stopped) return;
    const source = $('engine').textContent + '\n' + $('worker').textContent;
    const worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
    started.worker = worker;
    worker.onerror = (event) => reject(new Error(event.message || `${event.filename}:${event.lineno}`));
    worker.onmessage = (event) => {
      const data = event.data;
      if (data.ready) {
        resolve();
      } else if (data.failed !== undefined) {
        reject(new Error(data.failed));
      } else {
        const asked = started.waiting.get(data.id);
        started.waiting.delete(data.id);
        if (data.error !== undefined) asked.reject(new Error(data.error));
        else asked.resolve(data.answer);
      }
    };
    compiledEngine().then((module) => worker.postMessage({ module }), reject);
  }));
  return started;
}

// A worker that answers calls in the order asked, started when first needed: starting one costs
// the page's thread about 20 ms, so that the page's first task stays short.
export class Engine {
  constructor() {
    this.started = null;
    this.next = 1;
    this.spoken = null;  // the language the worker's engine was last told
  }

  get ready() {
    if (this.started === null) this.started = startWorker();
    return this.started.ready;
  }

  // A worker answers in the order asked: a call after a change of language is told it first.
  call(name, ...args) {
    return this.ready.then(() => {
      if (this.spoken !== language) {
        this.spoken = language;
        this.post('ds_language', [language]).catch(() => {});
      }
      return this.post(name, args);
    });
  }

  post(name, args) {
    return new Promise((resolve, reject) => {
      const id = this.next++;
      this.started.waiting.set(id, { resolve, reject });
      this.started.worker.postMessage({ id, name, args });
    });
  }
}

// Thrown to a job's caller when a newer request or Cancel ended it.
export class Cancelled extends Error {}

// A long job: one at a time, on a worker that is ended, wherever it is, when a newer request or
// Cancel comes; the next request starts a fresh worker from the compiled module.
export class Job {
  constructor() {
    this.engine = null;
    this.running = null;
  }

  get busy() {
    return this.running !== null;
  }

  async call(name, ...args) {
    this.cancel();
    if (this.engine === null) this.engine = new Engine();
    const running = { cancel: null };
    this.running = running;
    try {
      return await Promise.race([this.engine.call(name, ...args),
        new Promise((resolve, reject) => { running.cancel = () => reject(new Cancelled()); })]);
    } finally {
      if (this.running === running) this.running = null;
    }
  }

  cancel() {
    if (this.running === null) return;
    const { started } = this.engine;
    started.stopped = true;
    if (started.worker) started.worker.terminate();
    this.engine = null;
    const { cancel } = this.running;
    this.running = null;
    cancel();
  }
}
