// The page only displays what the engine computes: every number, sentence, check, file and
// reading rule comes from the WebAssembly engine (web/engine_api.h) in workers. This module
// starts the page: its tabs, the design from the address, and the hooks for tests.

import { largestDesignFile, refusedTooLarge } from './address_guard.js';
import { $, message, status, utf8 } from './dom.js';
import { boxes, calculatorReady, firstAnswer, fitForm1 } from './calculator.js';
import * as design from './design.js';
import { requestSheet, shownSheet, sheetCopy, sheetSettled, sheetArgs, showEdited } from './sheet.js';
import { buildRequirement, showRequirement, requestSelection, shownSelection, onCandidateOpened } from './selection.js';
import './catalogue.js';
import { say } from './words.js';
import { choose, readAddress, sayShell, shellSay } from './language.js';

sayShell();

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

design.askSheetsWith(sheetArgs);
design.onChange((file, sheet) => {
  if (sheet) showEdited(sheet);
  else requestSheet();
  requestSelection();
});
design.onOpen((view) => showRequirement(view.requirement));
onCandidateOpened(() => {
  status(say('opened-as-design'));
  select(tabs[1]);
  tabs[1].focus();
});

fitForm1();
let resize = null;
window.addEventListener('resize', () => {
  fitForm1();
  clearTimeout(resize);
  resize = setTimeout(requestSheet, 200);
});

// The design engine starts at once for a design in the address; otherwise once the calculator
// has answered, another view is chosen, or half a second has passed, so that a visitor's first
// 自动计算 never waits behind it (starting it takes the page's thread for about 25 ms).
let wantDesign;
const designWanted = new Promise((resolve) => { wantDesign = resolve; });
tabs.slice(1).forEach((tab) => tab.addEventListener('click', () => wantDesign()));

async function start() {
  await calculatorReady;
  performance.mark('engine-ready');
  $('engine-status').textContent = '';
  const address = readAddress(location.hash).design;
  if (!address && !refusedTooLarge) {
    // As on the desktop, the calculator opens with the focus on D.
    if (!$('calculator').hidden) boxes[0].focus();
    await Promise.race([firstAnswer, designWanted, new Promise((resolve) => setTimeout(resolve, 500))]);
  }
  await design.startDesign();
  buildRequirement();
  if (refusedTooLarge) message(say('not-opened-example') + '\n\n' + say('address-too-large', { size: largestDesignFile >> 20 }));
  if (address && await design.openAddress(address, say('not-opened-example'))) {
    select(tabs[1]);
    return;
  }
  design.newDesignShown();
  if (!$('calculator').hidden && !$('message').open) boxes[0].focus();
}

// A link pasted into a tab that shows the page already changes only the fragment: it opens the
// design it carries. The page's own updates (replaceState) fire no such event.
window.addEventListener('hashchange', async () => {
  design.dropAddressWrite();  // the address is the user's now
  const { language: tag, design: address } = readAddress(location.hash);
  if (tag) await speakIn(tag);
  if (!design.facts || !address) return;
  if (await design.openAddress(address, say('not-opened-page'))) select(tabs[1]);
  else design.restoreAddress();
});

// Another language: the shell's words at once; the design's and the selection's once the engine
// has said them anew, the design kept as it stands. The address keeps the choice.
let speaking = Promise.resolve();
function speakIn(tag) {
  if (!choose(tag)) return speaking;
  speaking = speaking.then(async () => {
    if (!design.facts) return;
    await design.speak();
    buildRequirement();
    requestSelection();
  });
  return speaking;
}
$('language').addEventListener('change', () => {
  speakIn($('language').value);
  if (design.facts) design.writeAddress();
});

window.discSpring = {
  ready: start().then(() => true, (error) => {
    $('engine-status').textContent = shellSay('engine-failed', { why: error.message });
    return false;
  }),
  batch: (args, text) => design.engine.call('ds_batch', JSON.stringify(args), utf8(text)).then(JSON.parse),
  copy: sheetCopy,
  // For tests and the console: what the shown sheet holds.
  points: () => shownSheet().points.map((p) => p.cells),
  codes: () => shownSheet().codes,
  caption: () => shownSheet().caption,
  dataSheet: () => shownSheet().dataSheet,
  plotShapes: () => shownSheet().plot.shapes,
  selection: shownSelection,
  open: (text) => design.openBytes(utf8(text)),
  fileText: () => design.settled().then(design.designFile),
  // Resolves once the last edit's design and its sheet are shown (after any change of language).
  settled: () => speaking.then(design.settled).then(sheetSettled),
  // The address with the design as it stands now (what Copy link copies).
  address: async () => {
    await design.settled();
    design.writeAddress();
    return location.href;
  },
};
