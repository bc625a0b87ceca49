// The engine (web/engine_api.h) in workers made from the engine's own script and the worker's
// half. The WebAssembly is compiled once, off the page's thread, and handed to every worker.
// Each job has a worker of its own, so that typing in the calculator never waits for a sheet, a
// selection or a catalogue; a long job is cancelled by ending its worker.

import { $ } from './dom.js';
import { leaving } from './address_guard.js';

const source = $('engine').textContent + '\n' + $('worker').textContent;
// A plain loop: Uint8Array.from with a mapping function took 134 ms here, a long task at start.
function wasmBytes() {
  const binary = atob($('wasm').textContent);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i++) bytes[i] = binary.charCodeAt(i);
  return bytes;
}
const compiled = WebAssembly.compile(wasmBytes());

function startWorker() {
  if (leaving) return { worker: null, waiting: new Map(), ready: new Promise(() => {}) };
  const worker = new Worker(URL.createObjectURL(new Blob([source], { type: 'text/javascript' })));
  const waiting = new Map();
  const ready = new Promise((resolve, reject) => {
    worker.onerror = (event) => reject(new Error(event.message || '引擎无法启动'));
    worker.onmessage = (event) => {
      const data = event.data;
      if (data.ready) {
        resolve();
      } else if (data.failed !== undefined) {
        reject(new Error(data.failed));
      } else {
        const asked = waiting.get(data.id);
        waiting.delete(data.id);
        if (data.error !== undefined) asked.reject(new Error(data.error));
        else asked.resolve(data.answer);
      }
    };
    compiled.then((module) => worker.postMessage({ module }), reject);
  });
  return { worker, waiting, ready };
}

// A worker that answers calls in the order asked, started when first needed: starting one costs
// the page's thread about 20 ms, so that the page's first task stays short.
export class Engine {
  constructor() {
    this.started = null;
    this.next = 1;
  }

  get ready() {
    if (this.started === null) this.started = startWorker();
    return this.started.ready;
  }

  call(name, ...args) {
    return this.ready.then(() => new Promise((resolve, reject) => {
      const id = this.next++;
      this.started.waiting.set(id, { resolve, reject });
      this.started.worker.postMessage({ id, name, args });
    }));
  }
}

// Thrown to a job's caller when a newer request or 取消 ended it.
export class Cancelled extends Error {}

// A long job: one at a time, on a worker that is ended, wherever it is, when a newer request or
// 取消 comes; the next request starts a fresh worker from the compiled module.
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
    this.engine.started.worker.terminate();
    this.engine = null;
    const { cancel } = this.running;
    this.running = null;
    cancel();
  }
}
