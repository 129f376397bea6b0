#!/usr/bin/python3
"""End-to-end journeys of the built kidsum in a real X window.

    run_journeys.py --kidsum PATH [--shots DIR] [--only NAME ...]

One X server (Xvfb, on a display it picks itself) with a small window
manager serves the whole run. Each journey runs in its own session bus
(dbus-run-session), where this script runs itself again with --inside: it
starts kidsum with the accessibility bridge on, drives it with real keys
and clicks and reads it through AT-SPI. Screenshots and the program's own
output go to the shots folder.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # keep the source folder clean
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
import virtual_display  # noqa: E402
PYTHON = "/usr/bin/python3"
JOURNEY_TIMEOUT = 60
TOOLS = ["Xvfb", "jwm", "xdotool", "dbus-run-session", "import"]

# Records how it was called and with what: the first line is the program's
# own path, then one argument a line.
BROWSER_STUB = """#!/bin/sh
{{ printf '%s\\n' "$0"; for a in "$@"; do printf '%s\\n' "$a"; done; }} >> '{record}'
"""


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kidsum", required=True, help="the built program")
    parser.add_argument("--shots", default=os.environ.get("KIDSUM_E2E_SHOTS", "e2e-shots"),
                        help="folder for screenshots and program output")
    parser.add_argument("--only", nargs="*", default=None, help="run only these journeys")
    parser.add_argument("--inside", help=argparse.SUPPRESS)
    parser.add_argument("--work", help=argparse.SUPPRESS)
    return parser.parse_args()


# ---- inside one journey's session bus ----------------------------------

def run_inside(args):
    sys.path.insert(0, HERE)
    import desktop
    import journeys

    journey, setup = {name: (fn, setup) for name, fn, setup in journeys.JOURNEYS}[args.inside]
    work = args.work
    stubs = desktop.private_dir(work, "bin")
    record = os.path.join(work, "browser-record.txt")
    stub = os.path.join(stubs, "xdg-open")
    with open(stub, "w", encoding="utf-8") as f:
        f.write(BROWSER_STUB.format(record=record))
    os.chmod(stub, 0o755)

    env = dict(os.environ)
    env.pop("QT_ACCESSIBILITY", None)
    env.update({
        "QT_QPA_PLATFORM": "xcb",
        "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
        "XDG_RUNTIME_DIR": desktop.private_dir(work, "runtime"),
        "PATH": stubs + os.pathsep + env.get("PATH", "/usr/bin:/bin"),
        "BROWSER": stub,
    })
    for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
        env.pop(name, None)
    env.update(setup.env)

    def shot(label):
        desktop.screenshot(env, os.path.join(args.shots, f"{args.inside}-{label}.png"))

    # Findings go to a file of their own: the bus daemons started in this
    # session write to the same standard output.
    findings = open(os.path.join(work, "findings.txt"), "w", encoding="utf-8")
    program = None
    passed = False
    try:
        trip = journeys.Trip(shot, record, args.kidsum, desktop.private_dir(work, "journey"))
        executable = setup.program(trip) if setup.program else args.kidsum
        program = desktop.Program(executable, env,
                                  os.path.join(args.shots, f"{args.inside}.log"))
        journey(program, trip)
        passed = True
    except desktop.Failure as failure:
        print(f"expected: {failure}", file=findings)
    except Exception:
        print(traceback.format_exc(), file=findings)
    if not passed and program is not None and program.process.poll() is not None:
        print(f"kidsum had ended, status {program.process.returncode}", file=findings)
    try:
        if not passed:
            shot("FAILED")
    except Exception as error:
        print(f"(no screenshot of the failure: {error})", file=findings)
    finally:
        if program is not None:
            program.close()
        findings.close()
    return 0 if passed else 1


# ---- the whole run ----------------------------------------------------

def run_journey(name, args, env, work):
    command = ["dbus-run-session", "--", PYTHON, os.path.abspath(__file__),
               "--inside", name, "--kidsum", args.kidsum, "--shots", args.shots,
               "--work", os.path.join(work, name)]
    os.makedirs(os.path.join(work, name))
    # The session's own output (bus daemons, registry) goes to a log beside
    # the screenshots; the journey's findings come from its findings file.
    with open(os.path.join(args.shots, f"{name}-session.log"), "wb") as chatter:
        child = subprocess.Popen(command, env=env, stdout=chatter, stderr=chatter,
                                 start_new_session=True)
        try:
            child.wait(timeout=JOURNEY_TIMEOUT)
            timed_out = False
        except subprocess.TimeoutExpired:
            os.killpg(child.pid, signal.SIGKILL)
            child.wait()
            timed_out = True
    try:
        with open(os.path.join(work, name, "findings.txt"), encoding="utf-8") as f:
            findings = f.read()
    except OSError:
        findings = ""
    if child.returncode != 0 and not findings.strip():
        findings = f"(the journey left no findings; see {name}-session.log)"
    if timed_out:
        findings += f"\nexpected: the journey to end within {JOURNEY_TIMEOUT} s"
    return child.returncode == 0 and not timed_out, findings


def stop_on_terminate(signum, frame):
    # A run stopped from outside (a test timeout) still takes its X server
    # and window manager down with it.
    raise SystemExit(f"stopped by signal {signum}")


def main():
    args = parse_args()
    args.kidsum = os.path.abspath(args.kidsum)
    args.shots = os.path.abspath(args.shots)
    if args.inside:
        return run_inside(args)

    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"missing tools: {', '.join(missing)}")
        return 1
    if not os.access(args.kidsum, os.X_OK):
        print(f"no program at {args.kidsum}")
        return 1
    sys.path.insert(0, HERE)
    from journeys import JOURNEYS
    names = [name for name, _, _ in JOURNEYS]
    chosen = names if args.only is None else [n for n in names if n in args.only]
    if args.only and len(chosen) != len(args.only):
        print(f"unknown journeys among {args.only}; known: {names}")
        return 1

    signal.signal(signal.SIGTERM, stop_on_terminate)
    os.makedirs(args.shots, exist_ok=True)
    # Pictures of an earlier run would pass for this run's.
    for entry in os.listdir(args.shots):
        if any(entry.startswith(f"{name}-") or entry.startswith(f"{name}.") for name in chosen):
            os.remove(os.path.join(args.shots, entry))
    work = tempfile.mkdtemp(prefix="kidsum-e2e-")
    started = time.monotonic()
    results = []
    with open(os.path.join(args.shots, "x-server.log"), "wb") as log:
        display = virtual_display.VirtualDisplay("1024x768x24", wm=True, log=log)
        env = dict(display.env, PYTHONIOENCODING="utf-8")
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("AT_SPI_BUS_ADDRESS", None)
        try:
            for name in chosen:
                begun = time.monotonic()
                passed, findings = run_journey(name, args, env, work)
                took = time.monotonic() - begun
                results.append(passed)
                print(f"{'PASS' if passed else 'FAIL'} journey {name} ({took:.1f} s)", flush=True)
                if not passed:
                    for line in findings.strip().splitlines():
                        print(f"    {line}")
                    print(f"    screenshots and program output: {args.shots}/{name}*",
                          flush=True)
        finally:
            display.close()
            shutil.rmtree(work, ignore_errors=True)

    failed = results.count(False)
    print(f"journeys took {time.monotonic() - started:.1f} s")
    print(f"e2e: {len(results) - failed} passed, {failed} failed")
    return 0 if failed == 0 and results else 1


if __name__ == "__main__":
    sys.exit(main())
