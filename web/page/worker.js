// The worker's half, appended to the engine's script: calls into the WebAssembly engine by name
// and answers with its text. Strings go through the engine's own heap, never its stack, so that
// a large catalogue fits; bytes (a Uint8Array, from a user's file) go as their address and
// count. The worker has no use for fetch, and without it nothing here can reach out.
self.fetch = undefined;
// The page sends the compiled WebAssembly first; the engine is instantiated from it.
self.onmessage = (first) => DiscSpringEngine({
  instantiateWasm: (imports, done) => {
    WebAssembly.instantiate(first.data.module, imports)
      .then((instance) => done(instance, first.data.module))
      .catch((error) => self.postMessage({ failed: String(error) }));
    return {};
  },
}).then((engine) => {
  const room = (size) => {
    const at = engine._malloc(size);
    if (!at) throw new Error('内存不够');
    return at;
  };
  const text = (value) => {
    const size = engine.lengthBytesUTF8(value) + 1;
    const at = room(size);
    engine.stringToUTF8(value, at, size);
    return at;
  };
  const bytes = (value) => {
    const at = room(Math.max(1, value.length));
    engine.writeArrayToMemory(value, at);
    return at;
  };
  const call = (name, args) => {
    const held = [];
    const values = [];
    for (const a of args) {
      if (typeof a === 'number') {
        values.push(a);
      } else if (a instanceof Uint8Array) {
        held.push(bytes(a));
        values.push(held[held.length - 1], a.length);
      } else {
        held.push(text(a));
        values.push(held[held.length - 1]);
      }
    }
    try {
      const types = values.map(() => 'number');
      return engine.UTF8ToString(engine.ccall(name, 'number', types, values));
    } finally {
      held.forEach((at) => engine._free(at));
    }
  };
  self.onmessage = (event) => {
    const { id, name, args } = event.data;
    try {
      self.postMessage({ id, answer: call(name, args) });
    } catch (error) {
      self.postMessage({ id, error: String(error) });
    }
  };
  self.postMessage({ ready: true });
});
