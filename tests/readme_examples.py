#!/usr/bin/env python3
"""Runs every example of the README that pipes into build/bin/disc-spring-batch and checks that
it still prints what the README says it prints (the '# ' lines after it; '# …' stands for any
lines); the manual's pages in docs/ likewise. Each runs again with --lang en: no Chinese but the
user's own (from the command or a file it names), and every number the same bytes.
Usage: readme_examples.py README.md BIN_DIR [PAGE.md …]"""

import pathlib
import re
import subprocess
import sys

CHINESE = re.compile("[\u3000-\u303f\u4e00-\u9fff\uff00-\uffef]")
NUMBER = re.compile(r"[-+0-9.eE]+")


def cells(text):
    return [cell for line in text.split("\n") for cell in line.split("\t")]


def english_problems(command, run, chinese):
    """What is wrong with the example run in English, against its Chinese output."""
    english = subprocess.run(["bash", "-c", run.replace("/disc-spring-batch", "/disc-spring-batch --lang en", 1)],
                             capture_output=True, text=True)
    own = command + "".join(pathlib.Path(word).read_text(encoding="utf-8", errors="replace")
                            for word in command.split() if pathlib.Path(word).is_file())
    problems = [f"Chinese in English: {cell}" for cell in cells(english.stdout + english.stderr)
                if CHINESE.search(cell) and cell not in own]
    numbers = [[c for c in cells(out) if NUMBER.fullmatch(c)] for out in (chinese, english.stdout)]
    if numbers[0] != numbers[1]:
        problems.append("the numbers differ from the Chinese output's")
    return problems


def examples(readme):
    blocks = re.findall(r"```sh\n(.*?)```", readme, re.S)
    for block in blocks:
        lines = block.split("\n")
        for i, line in enumerate(lines):
            if "build/bin/disc-spring-batch" not in line or line.startswith("#"):
                continue
            command = line
            while command.endswith("\\"):  # a command continued on the next line
                i += 1
                command = command[:-1] + lines[i]
            expected = []
            for out in lines[i + 1:]:
                if not out.startswith("# ") and out != "#":
                    break
                expected.append(out[2:])
            if expected:
                yield command, expected


def matches(actual, expected):
    if not expected:
        return not actual
    if expected[0] == "…":
        return any(matches(actual[k:], expected[1:]) for k in range(len(actual) + 1))
    return bool(actual) and actual[0] == expected[0] and matches(actual[1:], expected[1:])


def main():
    bin_dir = sys.argv[2]
    failed = 0
    count = 0
    pages = [sys.argv[1]] + sys.argv[3:]
    found = [(page, example) for page in pages
             for example in examples(open(page, encoding="utf-8").read())]
    for page, (command, expected) in found:
        count += 1
        run = command.replace("build/bin/", bin_dir.rstrip("/") + "/")
        out = subprocess.run(["bash", "-c", run], capture_output=True, text=True).stdout
        actual = out.rstrip("\n").split("\n") if out else []
        if not matches(actual, expected):
            failed += 1
            print(f"{page}: example no longer holds:\n  {command}\nexpected:\n  " +
                  "\n  ".join(expected) + "\nprinted:\n  " + "\n  ".join(actual[:10]))
        if problems := english_problems(command, run, out):
            failed += 1
            print(f"{page}: in English:\n  {command}\n  " + "\n  ".join(problems[:5]))
    print(f"{count} examples in {len(pages)} pages, {failed} failed")
    return 1 if failed or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
