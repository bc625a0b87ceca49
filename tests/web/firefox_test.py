#!/usr/bin/env python3
"""The browser edition in Firefox ESR, driven over WebDriver BiDi (Firefox speaks it itself; no
geckodriver): the calculator's digits on random lines, the fault report, and the selection's
candidates, each against the native batch tool.

usage: firefox_test.py PAGE BATCH
"""

import itertools
import json
import pathlib
import socket
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import websocket

# The connection attempts made while Firefox starts leave sockets for the collector to close.
warnings.simplefilter("ignore", ResourceWarning)

ROOT = pathlib.Path(__file__).resolve().parents[2]
PAGE = pathlib.Path(sys.argv[1]).resolve() if len(sys.argv) > 2 else None
BATCH = pathlib.Path(sys.argv[2]).resolve() if len(sys.argv) > 2 else None


def native(args, text):
    return subprocess.run([str(BATCH), *args], input=text.encode(), capture_output=True,
                          timeout=300, check=False).stdout.decode()


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Firefox:
    """Just enough of WebDriver BiDi: a session, one tab, navigation and scripts."""

    def __init__(self, profile):
        port = free_port()
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--remote-debugging-port", str(port),
             "--profile", profile, "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.ids = itertools.count(1)
        for _ in range(300):
            try:
                self.socket = websocket.create_connection(
                    f"ws://127.0.0.1:{port}/session", suppress_origin=True, timeout=300)
                break
            except OSError:
                time.sleep(0.1)
        else:
            raise RuntimeError("Firefox did not open its WebDriver BiDi port")
        self.send("session.new", {"capabilities": {}})
        self.context = self.send("browsingContext.getTree", {})["contexts"][0]["context"]

    def send(self, method, params):
        asked = next(self.ids)
        self.socket.send(json.dumps({"id": asked, "method": method, "params": params}))
        while True:
            answer = json.loads(self.socket.recv())
            if answer.get("id") == asked:
                if answer.get("type") == "error":
                    raise RuntimeError(f"{method}: {answer.get('message')}")
                return answer["result"]

    def navigate(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url,
                                               "wait": "complete"})

    def run(self, body, *args):
        """The value of an async function's body, given JSON arguments, as JSON."""
        expression = (f"(async (...args) => JSON.stringify(await (async () => {{ {body} }})()))"
                      f"(...{json.dumps(list(args))})")
        result = self.send("script.evaluate", {"expression": expression, "awaitPromise": True,
                                               "target": {"context": self.context}})
        if result["type"] != "success":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return json.loads(result["result"]["value"])

    def close(self):
        self.socket.close()
        self.process.terminate()
        self.process.wait(30)


class InFirefox(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.profile = tempfile.TemporaryDirectory()
        cls.firefox = Firefox(cls.profile.name)
        cls.firefox.navigate(PAGE.as_uri())
        assert cls.firefox.run("return await window.discSpring.ready;")

    @classmethod
    def tearDownClass(cls):
        cls.firefox.close()
        cls.profile.cleanup()

    # Types a line into Form1, presses a button, and waits for the boxes to change.
    CALCULATE = """
        const [texts] = args;
        const boxes = Array.from({length: 10}, (_, i) => document.getElementById('Text' + (i + 1)));
        boxes.forEach((box, i) => { box.value = i < 5 ? texts[i] : 'x'; });
        document.querySelector('#Form1 button[data-command="calculate"]').click();
        while (boxes[5].value === 'x') await new Promise((r) => setTimeout(r, 5));
        const report = document.getElementById('report');
        const shown = report.open ? document.getElementById('report-text').textContent : null;
        if (report.open) document.getElementById('report-ok').click();
        return {boxes: boxes.map((b) => b.value), report: shown};
    """

    def test_the_calculator_gives_the_batch_tools_digits(self):
        lines = subprocess.run([sys.executable, str(ROOT / "scripts/random_springs.py"), "80",
                                "7"], capture_output=True, check=True, text=True).stdout
        expected = native([], lines).splitlines()
        for line, row in zip(lines.splitlines(), expected):
            with self.subTest(line):
                shown = self.firefox.run(self.CALCULATE, line.split("\t"))
                if row.startswith("ERROR"):
                    self.assertIsNotNone(shown["report"])
                    self.assertEqual(shown["boxes"][5:], [""] * 5)
                else:
                    self.assertEqual("\t".join(shown["boxes"][5:]), row)

    def test_the_selection_gives_the_batch_tools_candidates(self):
        shown = self.firefox.run("""
            document.getElementById('tab-select').click();
            while (!window.discSpring.selection()) await new Promise((r) => setTimeout(r, 20));
            return window.discSpring.selection().rows.map((row) => row.every);""")
        output = native(["--select", "--best", "5"], "41\t20\t1.2\t5000\n")
        rows = [line.split("\t")[1:] for line in output.splitlines()[1:]]
        self.assertEqual(shown, [row[:12] + row[15:] for row in rows])


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[3:], verbosity=1)
