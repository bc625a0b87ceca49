// The plot: the engine lays it out as shapes in the page's own font, and this only draws them as
// SVG. The read-out, by mouse or by keyboard along a curve, shows the computed point itself
// (asked of the engine), never a point thinned for drawing, and is read out for screen readers.

import { $, svgElement } from './dom.js';
import { engine } from './design.js';
import { say } from './words.js';

const FONT_SIZE = 12;

// The face the plot is drawn in, and the CSS font the engine measures it with.
let face = null;
export const plotFace = () => face || (face = getComputedStyle($('plot')).fontFamily);
export const plotFont = () => `${FONT_SIZE}px ${plotFace()}`;

// The engine's shapes as SVG, into `group`; each frame a shape is cut to becomes a clip path.
export function drawShapes(svg, group, shapes) {
  const clips = new Map();
  for (const shape of shapes) {
    const [kind, p] = [shape.k, shape.p];
    const paint = {
      stroke: shape.s || 'none', 'stroke-width': shape.w || 1, fill: shape.f || 'none',
    };
    if (shape.d) paint['stroke-dasharray'] = '6 4';
    if (shape.a !== undefined) paint['fill-opacity'] = shape.a;
    let made;
    if (kind === 'line') {
      made = svgElement('line', { x1: p[0][0], y1: p[0][1], x2: p[1][0], y2: p[1][1], ...paint });
    } else if (kind === 'polyline' || kind === 'polygon') {
      made = svgElement(kind, { points: p.map((q) => q.join(',')).join(' '), ...paint });
    } else if (kind === 'rect') {
      made = svgElement('rect', { x: p[0][0], y: p[0][1], width: p[1][0] - p[0][0], height: p[1][1] - p[0][1], ...paint });
    } else if (kind === 'circle') {
      made = svgElement('circle', { cx: p[0][0], cy: p[0][1], r: shape.r, ...paint });
    } else {
      made = svgElement('text', { x: p[0][0], y: p[0][1], fill: shape.f || '#000', 'text-anchor': shape.n || 'start' }, shape.t);
      if (shape.u) made.setAttribute('transform', `rotate(-90 ${p[0][0]} ${p[0][1]})`);
    }
    if (shape.c) {
      const key = shape.c.join(',');
      if (!clips.has(key)) {
        const id = `${svg.id}-clip${clips.size}`;
        const clip = svgElement('clipPath', { id });
        clip.append(svgElement('rect', { x: shape.c[0], y: shape.c[1], width: shape.c[2], height: shape.c[3] }));
        group.append(clip);
        clips.set(key, id);
      }
      made.setAttribute('clip-path', `url(#${clips.get(key)})`);
    }
    group.append(made);
  }
}

// The sheet's plot, laid out by the engine for this svg's size.
export function drawPlot(svg, plot, width, height) {
  svg.setAttribute('viewBox', `0 0 ${width} ${height}`);
  svg.setAttribute('font-size', FONT_SIZE);
  svg.replaceChildren();
  drawShapes(svg, svg, plot.shapes);
  readOut(svg, plot, width, height);
}

// The read-out: the engine picks the computed point nearest the mouse, as the window's plot does;
// ←/→ step along the curve a computed point at a time, PageUp/PageDown a twentieth,
// Home/End to its ends, ↑/↓ to the next curve at the same x.
function readOut(svg, plot, width, height) {
  const hover = svgElement('g', { 'pointer-events': 'none' });
  svg.append(hover);
  const curves = plot.shapes.filter((shape) => shape.series !== undefined && shape.p.length);
  let at = null;  // the curve and the point shown
  let asked = 0;

  function clear() {
    hover.replaceChildren();
    $('plot-readout').textContent = '';
    at = null;
  }

  async function showPoint(curve, index, x, announce) {
    const mine = ++asked;
    const point = JSON.parse(await engine.call('ds_plot_point', curve.panel, curve.series, index, x));
    if (mine !== asked || point.error || !svg.isConnected) return;
    show(curve, point, announce);
  }

  function show(curve, point, announce) {
    at = { curve, index: point.index, count: point.count, x: point.x };
    hover.replaceChildren();
    drawShapes(svg, hover, point.shapes);
    const said = hover.querySelector('text');
    if (said) said.id = 'plot-said';
    if (announce) $('plot-readout').textContent = say('plot-point-of', { said: point.said, index: point.index + 1, count: point.count });
  }

  svg.onmouseleave = clear;
  svg.onmousemove = async (event) => {
    const box = svg.getBoundingClientRect();
    const px = (event.clientX - box.left) * width / box.width;
    const py = (event.clientY - box.top) * height / box.height;
    // The nearest computed point within reach, as the window's plot finds it.
    const mine = ++asked;
    const point = JSON.parse(await engine.call('ds_plot_at', px, py));
    if (mine !== asked || !svg.isConnected) return;
    if (point.error) {
      clear();
      return;
    }
    show(curves.find((c) => c.panel === point.panel && c.series === point.series), point, false);
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
      const { curve, index, count, x } = at || { curve: curves[0], index: -1, count: 1, x: plot.panels[curves[0].panel].x[0] };
      if (step !== undefined) return showPoint(curve, Math.max(0, index + step), 0, true);
      if (event.key === 'Home') return showPoint(curve, 0, 0, true);
      if (event.key === 'End') return showPoint(curve, at ? count - 1 : 2147483647, 0, true);
      return showPoint(curves[(curves.indexOf(curve) + next + curves.length) % curves.length], -1, x, true);
    });
  };
  svg.onblur = clear;
}
