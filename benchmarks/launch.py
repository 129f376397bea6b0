#!/usr/bin/env python3
"""Starts one program and times it alone, from its start to its first frame.

    launch.py PROGRAM [ARGS...]

The program is one linked with quit_at_first_paint.cpp: it prints
"first-frame <ns>" (CLOCK_MONOTONIC) at its first drawn frame and ends. The
clock starts just before the program is spawned, so neither this script's own
start nor a wrapper around it is counted. Prints one line:
"<ms to first frame> <processor ms, user + system> <peak resident KiB>".
The processor time and the peak are the program's own, from wait4().
"""
import os
import sys
import time


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = sys.argv[1:]
    read_end, write_end = os.pipe()
    actions = [(os.POSIX_SPAWN_DUP2, write_end, 1), (os.POSIX_SPAWN_CLOSE, read_end)]
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    pid = os.posix_spawn(program[0], program, os.environ, file_actions=actions)
    os.close(write_end)
    with os.fdopen(read_end) as out:
        output = out.read()
    _, status, usage = os.wait4(pid, 0)
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        sys.exit(f"{program[0]} failed (wait status {status})")
    frames = [line.split()[1] for line in output.splitlines() if line.startswith("first-frame ")]
    if len(frames) != 1:
        sys.exit(f"{program[0]} printed no single first-frame time: {output!r}")
    to_frame_ms = (int(frames[0]) - start) / 1e6
    cpu_ms = (usage.ru_utime + usage.ru_stime) * 1000
    print(f"{to_frame_ms:.2f} {cpu_ms:.1f} {usage.ru_maxrss}")


if __name__ == "__main__":
    main()
