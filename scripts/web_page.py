#!/usr/bin/env python3
"""Puts the browser edition together as one self-contained HTML file: the page's shell, its
styles with Form1's (written from the calculator's design table), the design engine's script
and its WebAssembly (gzipped, in base64) for the workers, the workers' half, the calculator's
small engine (its script and its WebAssembly in base64, run on the page's thread), the design
tool's words in the shell's {{word:KEY}} places (from design/face_words.h, by page_words), the page's
script (its modules in web/page/src bundled into one by Debian's esbuild) and the icon. The
Content-Security-Policy names the two scripts that run and the one style block by their SHA-256,
so that nothing else can run or style the page.

usage: web_page.py FORM1_HTML FORM1_CSS WORDS_JSON ENGINE_JS ENGINE_WASM CALCULATOR_JS CALCULATOR_WASM OUT_HTML
"""

import base64
import gzip
import hashlib
import html
import json
import re
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PAGE = ROOT / "web" / "page"


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode("utf-8")).digest()).decode() + "'"


def packed(wasm):
    """A WebAssembly module gzipped (the same bytes on every build: no time stamp) and in base64:
    a third of its size, so that the page is parsed sooner; the page unpacks it off its thread."""
    return base64.b64encode(gzip.compress(wasm.read_bytes(), 9, mtime=0)).decode()


def bundle():
    """The page's modules as one strict script, their order and scope esbuild's."""
    return subprocess.run(
        ["esbuild", str(PAGE / "src" / "main.js"), "--bundle", "--format=iife", "--charset=utf8",
         "--target=es2020", "--log-level=warning", '--banner:js="use strict";'],
        check=True, capture_output=True, text=True, encoding="utf-8").stdout


def main():
    form_html, form_css, words_json, engine_js, engine_wasm, calculator_js, calculator_wasm, out = (
        Path(a) for a in sys.argv[1:9])
    words = json.loads(words_json.read_text(encoding="utf-8"))
    engine = engine_js.read_text(encoding="utf-8")
    calculator = calculator_js.read_text(encoding="utf-8")
    worker = (PAGE / "worker.js").read_text(encoding="utf-8")
    script = bundle()
    for name, text in (("engine", engine), ("calculator", calculator), ("worker", worker),
                       ("page", script)):
        if re.search(r"</script", text, re.I):
            sys.exit(f"web_page: the {name} script holds '</script' and cannot be inlined")
    style = (PAGE / "style.css").read_text(encoding="utf-8") + form_css.read_text(encoding="utf-8")
    icon = base64.b64encode((ROOT / "ui" / "qt" / "icons" / "disc-spring-32.png").read_bytes()).decode()
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {digest(calculator)} {digest(script)} 'wasm-unsafe-eval'",
        "worker-src blob:",
        f"style-src {digest(style)}",
        "img-src data: blob:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    parts = {
        "CSP": policy,
        "ICON": icon,
        "STYLE": style,
        "FORM1": form_html.read_text(encoding="utf-8"),
        "ENGINE": engine,
        "WASM": packed(engine_wasm),
        "CALCULATOR": calculator,
        "CALCULATOR_WASM": base64.b64encode(calculator_wasm.read_bytes()).decode(),
        "WORKER": worker,
        "SCRIPT": script,
    }
    shell = (PAGE / "shell.html").read_text(encoding="utf-8")

    # The shell is written in Chinese; the words of every language go with it, for the page to
    # say them in the reader's (only those the shell names: the engine gives the rest).
    # and those said before the engine can answer.
    named = sorted(set(re.findall(r"\{\{word:([a-z0-9-]+)\}\}", shell)) | {"engine-failed"})

    def word(match):
        if match.group(1) not in words["zh"]:
            sys.exit(f"web_page: the shell asks for a word '{match.group(1)}' there is not")
        return html.escape(words["zh"][match.group(1)])

    said = {tag: {key: table[key] for key in named} for tag, table in words.items()}
    parts["SHELL_WORDS"] = json.dumps(said, ensure_ascii=False).replace("</", "<\\/")

    shell = re.sub(r"\{\{word:([a-z0-9-]+)\}\}", word, shell)
    # One pass, so that nothing inserted is read as a placeholder.
    page = re.sub(r"\{\{([A-Z0-9_]+)\}\}", lambda m: parts[m.group(1)], shell)
    out.write_text(page, encoding="utf-8")
    print(f"web_page: {out} ({len(page.encode('utf-8'))} bytes)")


if __name__ == "__main__":
    main()
