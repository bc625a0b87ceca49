#!/usr/bin/env python3
"""Runs every example of the README that pipes into build/bin/disc-spring-batch and checks that
it still prints what the README says it prints (the '# ' lines after it; '# …' stands for any
lines); the manual's pages in docs/ likewise. Usage: readme_examples.py README.md BIN_DIR [PAGE.md …]"""

import re
import subprocess
import sys


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
    print(f"{count} examples in {len(pages)} pages, {failed} failed")
    return 1 if failed or count == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
