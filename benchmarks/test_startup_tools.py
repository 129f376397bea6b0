#!/usr/bin/env python3
"""Checks the start-up benchmark's own tools: launch.py times a program to the
first frame it reports and refuses runs that did not report one, and
startup_table.py gives medians, ranges and ratios to both floors."""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import startup_table  # noqa: E402


def fake_program(folder, body):
    """A program that does what body says, in Python, and is started directly."""
    path = os.path.join(folder, "program")
    with open(path, "w", encoding="utf-8") as f:
        f.write(f"#!{sys.executable}\nimport sys, time\n" + textwrap.dedent(body))
    os.chmod(path, 0o755)
    return path


def launch(program):
    return subprocess.run([sys.executable, os.path.join(HERE, "launch.py"), program],
                          capture_output=True, text=True, timeout=60)


class LaunchTest(unittest.TestCase):
    def test_times_the_program_to_the_frame_it_reports(self):
        with tempfile.TemporaryDirectory() as folder:
            # The frame comes 200 ms after start; the program lives 300 ms more.
            program = fake_program(folder, """
                time.sleep(0.2)
                print("first-frame", time.clock_gettime_ns(time.CLOCK_MONOTONIC), flush=True)
                time.sleep(0.3)
                """)
            run = launch(program)
            self.assertEqual(run.returncode, 0, run.stderr)
            to_frame, cpu, peak = (float(v) for v in run.stdout.split())
            self.assertGreaterEqual(to_frame, 200)
            self.assertLess(to_frame, 450, "the time after the frame was counted")
            self.assertGreaterEqual(cpu, 0)
            self.assertGreater(peak, 1000, "the peak is the program's own, in KiB")

    def test_refuses_runs_without_a_single_frame_or_that_fail(self):
        bodies = {
            "no frame": "pass\n",
            "two frames": "print('first-frame 1'); print('first-frame 2')\n",
            "failed": "print('first-frame', time.clock_gettime_ns(time.CLOCK_MONOTONIC))\n"
                      "sys.exit(3)\n",
        }
        for name, body in bodies.items():
            with self.subTest(name), tempfile.TemporaryDirectory() as folder:
                run = launch(fake_program(folder, body))
                self.assertNotEqual(run.returncode, 0)
                self.assertEqual(run.stdout, "")


class TableTest(unittest.TestCase):
    def test_medians_ranges_and_ratios_to_both_floors(self):
        samples = {
            "p": [[50, 60, 40960], [44, 50, 40960], [70, 55, 41984]],
            "fair": [[40, 40, 36864], [41, 45, 36864], [39, 42, 36864]],
            "empty": [[25, 30, 25600], [30, 28, 25600], [20, 29, 25600]],
        }
        lines = startup_table.table(samples, "p", "fair", "empty").splitlines()
        self.assertEqual(len(lines), 5)
        first_frame = [c.strip() for c in lines[2].strip("|").split("|")]
        self.assertEqual(first_frame, ["first frame (ms)", "50.0 (44.0–70.0)",
                                       "40.0 (39.0–41.0)", "25.0 (20.0–30.0)", "1.25", "2.00"])
        memory = [c.strip() for c in lines[4].strip("|").split("|")]
        self.assertEqual(memory[1], "40.0 (40.0–41.0)")
        self.assertEqual(memory[4:], ["1.11", "1.60"])

    def test_unequal_sample_counts_are_refused(self):
        with tempfile.TemporaryDirectory() as folder:
            for name, lines in {"p": 2, "fair": 2, "empty": 1}.items():
                with open(os.path.join(folder, name), "w", encoding="ascii") as f:
                    f.write("10 10 1024\n" * lines)
            with self.assertRaises(SystemExit):
                startup_table.main(["startup_table.py", folder, "p", "fair", "empty"])


if __name__ == "__main__":
    unittest.main()
