// The design tool's words as the engine gives them: the window's table, its placeholders named.
let words = {};

export function takeWords(table) {
  words = table;
}

// A word with its "{name}" placeholders filled from `values`.
export function say(key, values = {}) {
  if (!(key in words)) throw new Error(`no word "${key}"`);
  return words[key].replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));
}
