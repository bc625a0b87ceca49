// Imported first, before any worker starts. Chromium makes every worker of a page whose address
// is megabytes long cost seconds to start (8 s at 2 MB), whatever the page does with the address.
// An address longer than the largest design file's base64 can only be refused, so the page
// starts again without it, at once, and says why; the engine judges every shorter one.
export const largestDesignFile = 1 << 20;  // the engine's limit (design::kMaxDesignFileBytes)
const tooLarge = '#design-too-large';

export const leaving = location.hash.length > '#lang=en&design='.length + Math.ceil((largestDesignFile + 1) * 4 / 3);
if (leaving) {
  // Only the fragment changes, which keeps the document: the reload starts a new one.
  location.replace(location.pathname + location.search + tooLarge);
  location.reload();
}

// Whether this page was started again in place of a design too large to open.
export const refusedTooLarge = location.hash === tooLarge;
