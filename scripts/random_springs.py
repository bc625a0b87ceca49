#!/usr/bin/env python3
"""Writes random spring lines, as a catalogue or a user would type them, for comparing the
batch tool's output across builds and systems.

usage: scripts/random_springs.py LINES [SEED] [--curve] [--flats] [--force] > springs.tsv
  --curve  four or five fields (D d t H [f_end]) instead of five
  --flats  t' after t (D d t t' H f), for --flats
  --force  a force in N instead of f, for --force
A line in fifty is odd on purpose: D = d, a zero thickness, a text with a unit or a comma.
"""

import random
import sys


def decimals(value, places):
    return f"{value:.{places}f}".rstrip("0").rstrip(".")


def spring(rng, mode):
    D = rng.uniform(8, 250)
    delta = rng.uniform(1.6, 2.8)
    t = D / rng.uniform(14, 45)
    h0 = t * rng.uniform(0.3, 1.6)
    texts = [decimals(D, rng.choice((0, 1, 2))), decimals(D / delta, rng.choice((1, 2))),
             decimals(t, rng.choice((2, 3))), decimals(t + h0, rng.choice((2, 3)))]
    if "--flats" in mode:
        texts.insert(3, decimals(t * rng.uniform(0.9, 1.0), 3))
    if "--curve" in mode:
        if rng.random() < 0.5:
            texts.append(decimals(h0 * rng.uniform(0.5, 1.2), 3))
    elif "--force" in mode:
        # Around the force at flat, 4E/(1 − μ²)·t³·h0/(K1·D²) with K1 ≈ 0.7: some beyond reach.
        flat = 4 * 206000 / 0.91 * t ** 3 * h0 / (0.7 * D ** 2)
        texts.append(decimals(flat * rng.uniform(0, 1.1), 1))
    else:
        texts.append(decimals(h0 * rng.uniform(0, 1.1), rng.choice((2, 3, 4))))
    odd = rng.random()
    if odd < 0.005:
        texts[1] = texts[0]
    elif odd < 0.01:
        texts[2] = "0"
    elif odd < 0.015:
        texts[0] += "mm"
    elif odd < 0.02:
        texts[-1] = texts[-1].replace(".", ",")
    return "\t".join(texts)


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    mode = [a for a in sys.argv[1:] if a.startswith("--")]
    lines = int(args[0])
    rng = random.Random(int(args[1]) if len(args) > 1 else 1)
    out = sys.stdout
    for _ in range(lines):
        out.write(spring(rng, mode) + "\n")


if __name__ == "__main__":
    main()
