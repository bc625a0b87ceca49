// The page's few helpers over the document. No text of the user's ever reaches innerHTML: every
// text goes in as textContent or a value.

import { say } from './words.js';

export const $ = (id) => document.getElementById(id);
export const SVG = 'http://www.w3.org/2000/svg';

export function element(tag, attributes = {}, text) {
  const made = document.createElement(tag);
  for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, value);
  if (text !== undefined) made.textContent = text;
  return made;
}

export function svgElement(tag, attributes = {}, text) {
  const made = document.createElementNS(SVG, tag);
  for (const [name, value] of Object.entries(attributes)) made.setAttribute(name, String(value));
  if (text !== undefined) made.textContent = text;
  return made;
}

// The page's own message box: the engine's words, closed with OK.
export function message(text) {
  const box = $('message');
  $('message-text').textContent = text;
  if (!box.open) box.showModal();
  $('message-ok').focus();
}
$('message-ok').addEventListener('click', () => $('message').close());

export function status(text) {
  $('status').textContent = text;
}

// Refuses, with the reason, a command that has nothing to work on; `what` is its verb's word.
export function able(why, what) {
  if (!why) return true;
  message(say('nothing-to', { what: say(what), why }));
  return false;
}

export function download(name, blob) {
  const link = element('a', { download: name });
  link.href = URL.createObjectURL(blob);
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

export async function copyText(text) {
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

export const utf8 = (text) => new TextEncoder().encode(text);
