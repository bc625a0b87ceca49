#!/usr/bin/env python3
"""disc-spring-batch as a script runs it: in a scratch folder, with files, a pipe and exit
statuses. The same bytes from the Linux program and from the Windows one under Wine.

usage: batch_process_test.py PROGRAM [PREFIX ...]   (e.g. build/bin/disc-spring-batch, or
       build-windows/bin/disc-spring-batch.exe wine)
"""

import json
import re
import os
import pathlib
import select
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
PROGRAM = [*sys.argv[2:], os.path.abspath(sys.argv[1])] if len(sys.argv) > 1 else None
EXAMPLE = "100\t51\t3.5\t6.3\t1.4"
RESULTS = ("9822.55688774516\t617.501704752074\t-1350.87984743535\t411.326288335194\t"
           "749.011484596736")
ANSWER = RESULTS + "\n"
FIELDS = "ERROR\t\t需要 5 个以制表符分隔的字段，找到 "


class BatchProcess(unittest.TestCase):
    def setUp(self):
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        self.folder = folder.name

    def write(self, name, text):
        with open(os.path.join(self.folder, name), "wb") as file:
            file.write(text if isinstance(text, bytes) else text.encode())

    def run_batch(self, args, text=""):
        """Exit status, standard output and standard error."""
        run = subprocess.run([*PROGRAM, *args], input=text.encode(), capture_output=True,
                             cwd=self.folder, timeout=120, check=False)
        return run.returncode, run.stdout.decode(), run.stderr.decode()

    def test_exit_status_tells_whether_every_line_computed(self):
        self.assertEqual(self.run_batch([], EXAMPLE + "\n" + EXAMPLE + "\r\n"),
                         (0, ANSWER + ANSWER, ""))
        self.write("a.tsv", EXAMPLE + "\n1\t2\t3\n")
        self.write("弹簧.tsv", "100\t0\t1\t1\t1")  # no final line end
        self.assertEqual(self.run_batch(["a.tsv", "-", "弹簧.tsv"], "0\t51\t3.5\t6.3\t1.4\n")[1],
                         ANSWER + FIELDS + "3 个\nERROR\t5\t无效的过程调用或参数\tln δ\n"
                         "ERROR\t11\t除数为零\tδ\n")
        self.assertEqual(self.run_batch(["a.tsv"])[0], 1)
        # A curve whose rows fault, or compute, alone decides the status.
        self.assertEqual(self.run_batch(["--curve", "2"], "50\t50\t1\t2\n")[0], 1)
        self.assertEqual(self.run_batch(["--curve", "2"], "100\t51\t3.5\t6.3\n")[0], 0)
        # Curve rows with their stack and the checks at each row's own deflection.
        status, out, _ = self.run_batch(["--curve", "1", "--series", "2", "--check", "a.tsv",
                                         "-"], "100\t51\t3.5\t6.3\n")
        self.assertEqual(status, 1)
        self.assertTrue(out.startswith("弹簧\tf(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)\t"
                                       "s(mm)\tF_stack(N)\tL(mm)\t检查\n1\t0\t"))
        self.assertIn("\n2\tERROR\t\t需要 4 或 5 个以制表符分隔的字段，找到 3 个\t\n", out)
        self.assertTrue(out.endswith(
            "\n3\t0\t0\t0\t0\t0\t0\t0\t0\t12.6\t\n3\t2.8\t15842.8336899115\t1235.00340950415\t"
            "-2388.57517517065\t1135.83709637044\t1298.25702254331\t5.6\t15842.8336899115\t7\t"
            "f>0.75h0\n"))
        self.write("--help", EXAMPLE + "\n")
        self.assertEqual(self.run_batch(["--", "--help"]), (0, ANSWER, ""))
        self.assertIn("  f>0.75h0  变形量超过 0.75·h0", self.run_batch(["--help"])[1])
        # Unusable arguments give status 2 and no output, even after a good file.
        for args in (["a.tsv", "missing"], ["."], ["--curve", "0"], ["--curve", "5", "--series"]):
            with self.subTest(args=args):
                status, out, err = self.run_batch(args, EXAMPLE + "\n")
                self.assertEqual((status, out), (2, ""))
                self.assertTrue(err.startswith("disc-spring-batch: "), err)

    def test_a_script_keeps_its_ids_and_comments_and_tells_nothing_fits_from_a_bad_line(self):
        text = "# D d t H f\n\nA1\t" + EXAMPLE + "\nB 2\t50\t50\t1\t2\t1\n"
        self.assertEqual(self.run_batch(["--comments", "--id"], text),
                         (1, "A1\t" + ANSWER + "B 2\tERROR\t11\t除数为零\tK1\n", ""))
        # Rows keep their line's number; each row of a line leads with its ID.
        status, out, _ = self.run_batch(["--curve", "1", "--comments", "--id"], "#\nx\t" + EXAMPLE)
        self.assertEqual((status, [row.split("\t")[:2] for row in out.splitlines()]),
                         (0, [["ID", "弹簧"], ["x", "2"], ["x", "2"]]))
        select = ["--select", "--special", "0", "--best", "1", "--comments"]
        for lines, expected in (("41\t20\t1.2\t5000\n", 0), ("20\t8\t0.3\t50000\n", 3),
                                ("# a bad one\n20\t8\t0.3\n", 1)):
            with self.subTest(lines=lines):
                self.assertEqual(self.run_batch(select, lines)[0], expected)

    def test_a_line_set_is_read_whole_then_judges_candidates_and_designs(self):
        self.write("bad.tsv", "2\t1e5\t0\t700\n")
        self.write("lines.tsv", "# 手工的线\n2\t1e5\t0\t700\t1000\t1300\tB\n")
        life = ["--select", "--dynamic", "--tolerance", "20", "--life", "1e5", "--fatigue"]
        requirement = "41\t20\t0.4\t2000\t1.2\t5000\n"
        self.write("gbk.tsv", "2\t1e5\t0\t700\t1000\t1300\t手册\n".encode("gbk"))
        self.write("big.tsv", b"#" * (1 << 20) + b"\n")
        for name, why in (("bad.tsv", "不能用：疲劳线第 1 行"), ("gbk.tsv", "不是 UTF-8 文字，不读"),
                          ("big.tsv", "大于 1 MiB，不读")):
            status, _, err = self.run_batch(life + [name], requirement)
            self.assertEqual(status, 2)
            self.assertIn(f"疲劳线文件 '{name}' ", err)
            self.assertIn(why, err)
        # Saved by a Windows editor: with a byte-order mark first.
        self.write("bom.tsv", "\ufeff# 手工的线\n2\t1e5\t0\t700\t1000\t1300\tB\n")
        for name in ("lines.tsv", "bom.tsv"):
            self.assertIn("\tfatigue:1e5\t", self.run_batch(life + [name], requirement)[1])
        # A design's own lines, and --fatigue in their place.
        design = json.loads((ROOT / "tests/fuzz/seeds/design_file/v4_fatigue").read_text())
        design["fatigue_lines"] = "2\t2e6\t0\t500\t600\t800\tA\n"  # none holds here
        self.write("d.dspring", json.dumps(design))
        checks = lambda out: re.search(r"^检查\t(.*)$", out, re.M).group(1).split(",")
        self.assertEqual(checks(self.run_batch(["--design", "d.dspring"])[1])[-1], "fatigue:none")
        self.assertEqual(checks(self.run_batch(["--design", "--fatigue", "lines.tsv",
                                                "d.dspring"])[1])[-1], "fatigue:1e5")
        # Judged static, the same design has no cycle to judge.
        self.assertNotIn("fatigue", self.run_batch(["--design", "--static", "d.dspring"])[1])
        # A design's lines that cannot be used: said with their line, and a failing status.
        design["fatigue_lines"] = "2\t2e6\t0\t500\t600\t400\tA\n"
        self.write("e.dspring", json.dumps(design))
        status, out, err = self.run_batch(["--design", "e.dspring"])
        self.assertEqual((status, checks(out)[-1]), (1, "fatigue:lines"))
        self.assertIn("'e.dspring' 的疲劳线不能用，未采用：疲劳线第 1 行", err)

    def test_each_line_from_a_pipe_is_answered_without_waiting_for_the_end(self):
        with subprocess.Popen(PROGRAM, stdin=subprocess.PIPE, stdout=subprocess.PIPE) as batch:
            # A first line shorter than a byte-order mark is answered too.
            for line, answer in (("1", FIELDS + "1 个"), (EXAMPLE, RESULTS),
                                 ("50\t50\t1\t2\t1", "ERROR\t11\t除数为零\tK1")):
                batch.stdin.write((line + "\n").encode())
                batch.stdin.flush()
                ready, _, _ = select.select([batch.stdout], [], [], 30)
                self.assertTrue(ready, "no answer while the pipe stays open")
                self.assertEqual(batch.stdout.readline().decode(), answer + "\n")
            batch.stdin.close()


if __name__ == "__main__":
    if PROGRAM is None:
        sys.exit(__doc__)
    unittest.main(argv=sys.argv[:1])
