// The page's language: the address's, else the browser's first (Chinese for zh*, English for any
// other), until the reader chooses. Only a chosen one goes into the address, so that a shared
// link opens in the reader's own language unless its sender chose one.

import { $ } from './dom.js';

const shellWords = JSON.parse($('shell-words').textContent);
const known = (tag) => (/^zh($|[-_.])/i.test(tag) ? 'zh' : 'en');

// The language a fragment names ("#lang=en&design=…"), and its design, if any.
export function readAddress(hash) {
  const match = hash.match(/^#(?:lang=(zh|en)(?:&|$))?(?:design=(.*))?$/s);
  return match ? { language: match[1], design: match[2] } : {};
}

const asked = readAddress(location.hash).language;
export let language = asked ?? known(navigator.languages?.[0] ?? navigator.language ?? 'zh');
let chosen = asked !== undefined;

// The fragment's lead for the page's own address: the language when one was chosen.
export const addressLead = () => (chosen ? `lang=${language}&` : '');

// The words the page says before the engine answers, in its language.
export const shellSay = (key, values = {}) =>
  shellWords[language][key].replace(/\{(\w+)\}/g, (whole, name) => (name in values ? String(values[name]) : whole));

// Says the page's own words (those of the shell) in the language, and marks the page as in it;
// the calculator's view stays as drawn, in Chinese.
export function sayShell() {
  document.documentElement.lang = language === 'zh' ? 'zh-CN' : 'en';
  for (const element of document.querySelectorAll('[data-word]')) element.textContent = shellSay(element.dataset.word);
  for (const element of document.querySelectorAll('[data-word-label]')) element.setAttribute('aria-label', shellSay(element.dataset.wordLabel));
  $('language').value = language;
}

// The reader's choice: false when it is the language already spoken.
export function choose(tag) {
  chosen = true;
  if (known(tag) === language) return false;
  language = known(tag);
  sayShell();
  return true;
}
