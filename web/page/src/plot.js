// The plot: the engine's panels, axes and read-outs, drawn as SVG. The read-out, by mouse or by
// keyboard along a curve, shows the computed point itself (asked of the engine), never a point
// thinned for drawing, and is read out for screen readers.

import { $, svgElement } from './dom.js';
import { engine } from './design.js';

// Widths of texts in the page's face, each measured once: asking the style for the face at
// every label forced a style computation each time and made a long plot slow to draw.
const measure = document.createElement('canvas').getContext('2d');
const widths = new Map();
let face = null;
export function textWidth(text, size) {
  face = face || getComputedStyle(document.body).fontFamily;
  const key = size + '\u0000' + text;
  let width = widths.get(key);
  if (width === undefined) {
    measure.font = size + 'px ' + face;
    width = measure.measureText(text).width;
    if (widths.size > 5000) widths.clear();
    widths.set(key, width);
  }
  return width;
}

export function drawPlot(svg, panels, width, height, interactive) {
  const font = 12;
  const line = font * 1.4;
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  svg.setAttribute('font-size', font);
  svg.replaceChildren(svgElement('rect', { x: 0, y: 0, width, height, fill: '#fff' }));
  const shown = panels.filter((p) => p.shown);
  if (!shown.length) return [];
  const widest = Math.max(...shown.map((p) => Math.max(...p.y.ticks.map((t) => textWidth(t.label, font)))));
  const lastX = Math.max(...shown.map((p) => (p.x.ticks.length ? textWidth(p.x.ticks[p.x.ticks.length - 1].label, font) : 0)));
  const left = 4 + 6 + 4 + widest + line;
  const right = Math.max(16, lastX / 2 + 4);
  const slot = height / shown.length;
  const layouts = [];
  shown.forEach((panel, i) => {
    const index = panels.indexOf(panel);
    const frame = { left, top: slot * i + line + 8, right: width - right, bottom: slot * (i + 1) - (12 + 2 * line) };
    const map = (x, y) => [
      frame.left + (x - panel.x.low) / (panel.x.high - panel.x.low) * (frame.right - frame.left),
      frame.bottom - (y - panel.y.low) / (panel.y.high - panel.y.low) * (frame.bottom - frame.top)];
    layouts.push({ panel, index, frame, map });
    const group = svgElement('g');
    for (const tick of panel.x.ticks) {
      const [x] = map(tick.v, 0);
      group.append(svgElement('line', { x1: x, y1: frame.top, x2: x, y2: frame.bottom, stroke: '#e1e1e1' }));
      group.append(svgElement('line', { x1: x, y1: frame.bottom, x2: x, y2: frame.bottom + 4, stroke: '#000' }));
      group.append(svgElement('text', { x, y: frame.bottom + 4 + font, 'text-anchor': 'middle' }, tick.label));
    }
    for (const tick of panel.y.ticks) {
      const [, y] = map(0, tick.v);
      group.append(svgElement('line', { x1: frame.left, y1: y, x2: frame.right, y2: y, stroke: '#e1e1e1' }));
      group.append(svgElement('line', { x1: frame.left - 4, y1: y, x2: frame.left, y2: y, stroke: '#000' }));
      group.append(svgElement('text', { x: frame.left - 7, y: y + font / 2 - 1, 'text-anchor': 'end' }, tick.label));
    }
    group.append(svgElement('rect', { x: frame.left, y: frame.top, width: frame.right - frame.left, height: frame.bottom - frame.top, fill: 'none', stroke: '#000' }));
    group.append(svgElement('text', { x: (frame.left + frame.right) / 2, y: frame.bottom + 4 + 2 * line, 'text-anchor': 'middle' }, panel.xLabel));
    const titleX = frame.left - 7 - widest - 4;
    group.append(svgElement('text', { x: titleX, y: (frame.top + frame.bottom) / 2, 'text-anchor': 'middle', transform: `rotate(-90 ${titleX} ${(frame.top + frame.bottom) / 2})` }, panel.yLabel));
    const clip = 'clip' + svg.id + i;
    const clipPath = svgElement('clipPath', { id: clip });
    clipPath.append(svgElement('rect', { x: frame.left, y: frame.top, width: frame.right - frame.left, height: frame.bottom - frame.top }));
    group.append(clipPath);
    const inside = svgElement('g', { 'clip-path': `url(#${clip})` });
    for (const band of panel.bands) {
      const outline = [...band.upper, ...band.lower.slice().reverse()].map(([x, y]) => map(x, y).join(',')).join(' ');
      inside.append(svgElement('polygon', { points: outline, fill: band.color, 'fill-opacity': 0.2, stroke: 'none' }));
    }
    for (const series of panel.series) {
      inside.append(svgElement('polyline', {
        points: series.points.map(([x, y]) => map(x, y).join(',')).join(' '),
        fill: 'none', stroke: series.color, 'stroke-width': 1.5, 'stroke-dasharray': series.dashed ? '6 4' : 'none' }));
    }
    group.append(inside);
    const placed = [];
    for (const marker of panel.markers.slice().sort((a, b) => a.x - b.x)) {
      const [x] = map(marker.x, 0);
      if (x < frame.left - 0.5 || x > frame.right + 0.5) continue;
      group.append(svgElement('line', { x1: x, y1: frame.top, x2: x, y2: frame.bottom, stroke: '#787878', 'stroke-dasharray': '4 3' }));
      const w = textWidth(marker.label, font) + 1;
      const box = { x: x + 3 + w <= frame.right - 2 ? x + 3 : x - 3 - w, y: frame.bottom - 3 - line, w, h: line };
      while (placed.some((o) => box.x < o.x + o.w && o.x < box.x + box.w && box.y < o.y + o.h && o.y < box.y + box.h) && box.y - line > frame.top) box.y -= line;
      placed.push(box);
      group.append(svgElement('text', { x: box.x, y: box.y + font, fill: '#5a5a5a' }, marker.label));
    }
    for (const mark of panel.marks) {
      const [x, y] = map(mark.x, mark.y);
      if (x < frame.left - 1 || x > frame.right + 1 || y < frame.top - 1 || y > frame.bottom + 1) continue;
      group.append(svgElement('circle', { cx: x, cy: y, r: 4, fill: '#fff', stroke: '#000' }));
      const w = textWidth(mark.label, font) + 2;
      const lx = x + 5 + w > frame.right ? x - 5 - w : x + 5;
      const ly = y - 4 - line < frame.top ? y + 4 + font : y - 4;
      group.append(svgElement('text', { x: lx, y: ly }, mark.label));
    }
    let lx = frame.left + 4;
    for (const series of panel.series.filter((s) => s.points.length)) {
      const ly = frame.top - 6;
      group.append(svgElement('line', { x1: lx, y1: ly - font / 3, x2: lx + 18, y2: ly - font / 3, stroke: series.color, 'stroke-width': 2, 'stroke-dasharray': series.dashed ? '6 4' : 'none' }));
      group.append(svgElement('text', { x: lx + 22, y: ly }, series.name));
      lx += 22 + textWidth(series.name, font) + 16;
    }
    svg.append(group);
  });
  if (interactive) readOut(svg, layouts, width, height);
  return layouts;
}

// The read-out: the mouse picks the nearest curve, the engine the computed point on it nearest
// the mouse; ←/→ step along the curve a computed point at a time, PageUp/PageDown a twentieth,
// Home/End to its ends, ↑/↓ to the next curve at the same x.
function readOut(svg, layouts, width, height) {
  const hover = svgElement('g', { 'pointer-events': 'none' });
  svg.append(hover);
  const curves = layouts.flatMap((layout) => layout.panel.series.map((series, s) => ({ layout, series, s })))
    .filter((curve) => curve.series.points.length);
  let at = null;  // the curve and the point shown
  let asked = 0;

  function clear() {
    hover.replaceChildren();
    $('plot-readout').textContent = '';
    at = null;
  }

  async function showPoint(curve, index, x, announce) {
    const mine = ++asked;
    const point = JSON.parse(await engine.call('ds_plot_point', curve.layout.index, curve.s, index, x));
    if (mine !== asked || point.error || !svg.isConnected) return;
    at = { curve, index: point.index, count: point.count, x: point.x };
    const { layout, series } = curve;
    const [sx, sy] = layout.map(point.x, point.y);
    const said = `${series.name}: ${layout.panel.xSymbol} = ${point.xText} ${layout.panel.xUnit}, ${series.symbol} = ${point.yText} ${series.unit}`;
    hover.replaceChildren(svgElement('circle', { cx: sx, cy: sy, r: 4, fill: '#fff', stroke: series.color, 'stroke-width': 2 }));
    const w = textWidth(said, 12) + 10;
    const h = 12 * 1.4 + 6;
    let bx = sx + 8;
    let by = sy - h - 8;
    if (bx + w > width) bx = sx - 8 - w;
    if (by < 0) by = sy + 8;
    bx = Math.max(0, Math.min(bx, width - w));
    by = Math.max(0, Math.min(by, height - h));
    hover.append(svgElement('rect', { x: bx, y: by, width: w, height: h, fill: '#ffffe1', stroke: '#5a5a5a' }),
      svgElement('text', { x: bx + 5, y: by + h / 2 + 4, id: 'plot-said' }, said));
    if (announce) $('plot-readout').textContent = said + `（第 ${point.index + 1} 点，共 ${point.count} 点）`;
  }

  svg.onmouseleave = clear;
  svg.onmousemove = (event) => {
    const box = svg.getBoundingClientRect();
    const px = (event.clientX - box.left) * width / box.width;
    const py = (event.clientY - box.top) * height / box.height;
    let best = null;
    let bestDistance = 24 * 24;
    for (const curve of curves) {
      for (const [x, y] of curve.series.points) {
        const [sx, sy] = curve.layout.map(x, y);
        const distance = (sx - px) ** 2 + (sy - py) ** 2;
        if (distance <= bestDistance) {
          bestDistance = distance;
          best = curve;
        }
      }
    }
    if (!best) {
      clear();
      return;
    }
    const { frame, panel } = best.layout;
    const x = panel.x.low + (px - frame.left) / (frame.right - frame.left) * (panel.x.high - panel.x.low);
    showPoint(best, -1, x, false);
  };
  // Keys are taken in turn, each from the point the one before reached.
  let keys = Promise.resolve();
  svg.onkeydown = (event) => {
    const page = at ? Math.max(1, Math.round(at.count / 20)) : 1;
    const step = { ArrowRight: 1, ArrowLeft: -1, PageDown: page, PageUp: -page }[event.key];
    const next = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if (!curves.length || (step === undefined && next === undefined && event.key !== 'Home' && event.key !== 'End')) return;
    event.preventDefault();
    keys = keys.then(() => {
      const { curve, index, count, x } = at || { curve: curves[0], index: -1, count: 1, x: curves[0].layout.panel.x.low };
      if (step !== undefined) return showPoint(curve, Math.max(0, index + step), 0, true);
      if (event.key === 'Home') return showPoint(curve, 0, 0, true);
      if (event.key === 'End') return showPoint(curve, at ? count - 1 : 2147483647, 0, true);
      return showPoint(curves[(curves.indexOf(curve) + next + curves.length) % curves.length], -1, x, true);
    });
  };
  svg.onblur = clear;
}
