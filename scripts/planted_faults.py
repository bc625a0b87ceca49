#!/usr/bin/env python3
"""Plants one small fault at a time in the product sources and checks that the suite notices.

Each candidate is an operator or constant swap on one line (< to <=, && to ||, + to -, 1 to 0,
a dropped break, ...). The tree is copied to a scratch folder, built once, and then each fault is
applied there, rebuilt incrementally and tested under a timeout; a fault whose build fails does
not count. Prints every survivor (the suite passed with the fault in place) and the score.

usage: scripts/planted_faults.py [--sample N] [--seed S] [--only PATH-PREFIX ...]
                                [--at PATH:LINE[:LABEL] ...] [--list]
Takes minutes: run it by hand, not in CI.
"""

import argparse
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time

PRODUCT_DIRS = ("calc/", "rows/", "runtime/", "ui/", "qtapp/", "batch/", "tools/", "curve/", "design/",
                "web/")
WINDOWS_ONLY = ("_windows.cpp", "_windows.h")

# (pattern, replacement, label): applied to one match on one line, outside string literals.
SWAPS = [
    (r"(?<=\s)<=(?=\s)", "<", "<= to <"),
    (r"(?<=\s)<(?=\s)", "<=", "< to <="),
    (r"(?<=\s)>=(?=\s)", ">", ">= to >"),
    (r"(?<=\s)>(?=\s)", ">=", "> to >="),
    (r"==", "!=", "== to !="),
    (r"!=", "==", "!= to =="),
    (r"&&", "||", "&& to ||"),
    (r"\|\|", "&&", "|| to &&"),
    (r"(?<=\s)\+(?=\s)", "-", "+ to -"),
    (r"(?<=\s)-(?=\s)", "+", "- to +"),
    (r"(?<=\s)\*(?=\s)", "/", "* to /"),
    (r"\+\+", "--", "++ to --"),
    (r"(?<![\w.])0(?![\w.'x])", "1", "0 to 1"),
    (r"(?<![\w.])1(?![\w.'])", "0", "1 to 0"),
    (r"(?<![\w.])2(?![\w.'])", "3", "2 to 3"),
    (r"\btrue\b", "false", "true to false"),
    (r"\bfalse\b", "true", "false to true"),
    (r"!(?=[\w(])", "", "condition inverted (! dropped)"),
    (r"^\s*break;\s*$", "", "break dropped"),
    (r"\bkMul\b|\bMul\b", "Add", "Mul to Add"),
    (r"\bSub\b", "Add", "Sub to Add"),
    (r"\bcalculateClicked\b", "clearClicked", "the buttons' commands swapped"),
]

STRING = re.compile(r'"(?:[^"\\]|\\.)*"|\'(?:[^\'\\]|\\.)*\'')


def is_code(line):
    s = line.strip()
    return bool(s) and not s.startswith(("//", "#", "*", "/*", "///"))


def candidates(root, only):
    found = []
    files = subprocess.run(["git", "ls-files"], cwd=root, capture_output=True, text=True,
                           check=True).stdout.split()
    for path in sorted(files):
        if not path.startswith(PRODUCT_DIRS) or not path.endswith((".cpp", ".h")):
            continue
        if "/win32/" in path or path.endswith(WINDOWS_ONLY):
            continue  # not built here: a fault there could not be caught
        if only and not path.startswith(tuple(only)):
            continue
        with open(os.path.join(root, path), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            if not is_code(line) or "clang-format" in line or "static_assert" in line:
                continue
            strings = [m.span() for m in STRING.finditer(line)]
            code = line.split("//")[0] if "//" in STRING.sub("", line) else line
            for pattern, replacement, label in SWAPS:
                for m in re.finditer(pattern, code):
                    if any(a <= m.start() < b for a, b in strings):
                        continue
                    mutated = line[:m.start()] + replacement + line[m.end():]
                    found.append((path, number, label, line, mutated))
    return found


def named(fault, at):
    """True when --at's PATH:LINE[:LABEL] names this fault (the label as --list prints it)."""
    path, number, label = fault[0], fault[1], fault[2]
    parts = at.split(":", 2)
    if len(parts) < 2 or parts[0] != path or parts[1] != str(number):
        return False
    return len(parts) == 2 or parts[2].strip() == label


def run(cmd, cwd, timeout):
    try:
        return subprocess.run(cmd, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sample", type=int, default=0, help="test N faults drawn at random")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--only", nargs="*", default=[], help="only files under these paths")
    parser.add_argument("--timeout", type=int, default=120, help="seconds for one test run")
    parser.add_argument("--list", action="store_true", help="list the faults, run nothing")
    parser.add_argument("--at", nargs="*", default=[],
                        help="only these faults, as --list names them: PATH:LINE[:LABEL]")
    args = parser.parse_args()

    root = subprocess.run(["git", "rev-parse", "--show-toplevel"], capture_output=True,
                          text=True, check=True).stdout.strip()
    faults = candidates(root, args.only)
    if args.at:
        faults = [f for f in faults if any(named(f, at) for at in args.at)]
        if not faults:
            print("planted-faults: --at names no fault that --list shows", file=sys.stderr)
            return 2
    if args.sample and args.sample < len(faults):
        faults = random.Random(args.seed).sample(faults, args.sample)
        faults.sort(key=lambda f: (f[0], f[1]))
    if args.list:
        for path, number, label, _, _ in faults:
            print(f"{path}:{number}: {label}")
        print(f"{len(faults)} faults")
        return 0

    scratch = tempfile.mkdtemp(prefix="planted-faults-")
    tracked = subprocess.run(["git", "ls-files"], cwd=root, capture_output=True, text=True,
                             check=True).stdout.split()
    for path in tracked:
        os.makedirs(os.path.dirname(os.path.join(scratch, path)) or scratch, exist_ok=True)
        shutil.copy2(os.path.join(root, path), os.path.join(scratch, path))
    build = os.path.join(scratch, "build")
    jobs = str(os.cpu_count() or 2)
    # Built as every build here is, warnings as errors: a fault the compiler refuses (a case
    # falling through, a value left unused) could never land, and does not count.
    configure = ["cmake", "-S", scratch, "-B", build, "-DCMAKE_BUILD_TYPE=Release",
                 "-DBUILD_TESTING=ON", "-DDISC_SPRING_BENCHMARKS=OFF", "-DDISC_SPRING_WERROR=ON"]
    compile_cmd = ["cmake", "--build", build, "-j", jobs]
    test_cmd = ["ctest", "--test-dir", build, "-j", jobs, "--stop-on-failure",
                "--timeout", str(args.timeout)]
    if run(configure, scratch, 600) != 0 or run(compile_cmd, scratch, 1800) != 0:
        print("planted-faults: the unchanged tree does not build", file=sys.stderr)
        return 2
    if run(test_cmd, scratch, 1800) != 0:
        print("planted-faults: the suite fails on the unchanged tree", file=sys.stderr)
        return 2

    caught, survivors, not_built = 0, [], 0
    start = time.time()
    for n, (path, number, label, original, mutated) in enumerate(faults, 1):
        target = os.path.join(scratch, path)
        with open(target, encoding="utf-8") as f:
            text = f.read()
        lines = text.split("\n")
        lines[number - 1] = mutated
        with open(target, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        try:
            if run(compile_cmd, scratch, 900) != 0:
                not_built += 1
                verdict = "does not build"
            elif run(test_cmd, scratch, 1800) == 0:
                survivors.append((path, number, label, original.strip()))
                verdict = "SURVIVED"
            else:
                caught += 1
                verdict = "caught"
        finally:
            with open(target, "w", encoding="utf-8") as f:
                f.write(text)
        print(f"[{n}/{len(faults)}] {path}:{number}: {label}: {verdict}", flush=True)
    run(compile_cmd, scratch, 900)

    counted = caught + len(survivors)
    print(f"\nsurvivors ({len(survivors)}):")
    for path, number, label, original in survivors:
        print(f"  {path}:{number}: {label}: {original}")
    score = 100.0 * caught / counted if counted else 0.0
    print(f"\nplanted faults: {len(faults)}, built: {counted}, caught: {caught}, "
          f"survived: {len(survivors)}, score {score:.1f}% ({time.time() - start:.0f} s)")
    shutil.rmtree(scratch, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
