#!/usr/bin/env python3
"""Makes a man page with Chinese text read well in a terminal: groff knows no break points in a
run of CJK characters, so each gets one after it (\\:, no hyphen), and lines are set flush left,
not stretched across the few spaces such a line has.

usage: scripts/man_page.py PAGE.1   (rewritten in place)
"""

import re
import sys

CJK = re.compile("([\u3000-\u303f\u3400-\u9fff\uff00-\uffef])")


def main():
    path = sys.argv[1]
    with open(path, encoding="utf-8") as page:
        lines = page.read().split("\n")
    out = []
    for line in lines:
        if not line.startswith('.\\"'):
            line = CJK.sub(r"\1\\:", line)
        out.append(line)
        if line.startswith(".TH "):
            out.append(".ad l")
    with open(path, "w", encoding="utf-8") as page:
        page.write("\n".join(out))


if __name__ == "__main__":
    main()
