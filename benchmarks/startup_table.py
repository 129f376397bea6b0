#!/usr/bin/env python3
"""Turns run_startup.sh's samples into a Markdown table: for each program the
median with the minimum and maximum, and the program's medians as ratios to
both floors.

    startup_table.py FOLDER PROGRAM FAIR_FLOOR EMPTY_WINDOW

Each file FOLDER/NAME holds one line per start:
"<ms to first frame> <processor ms> <peak resident KiB>".
"""
import statistics
import sys

ROWS = [  # (label, column, scale, format)
    ("first frame (ms)", 0, 1.0, "{:.1f}"),
    ("processor time (ms)", 1, 1.0, "{:.0f}"),
    ("peak resident memory (MiB)", 2, 1 / 1024, "{:.1f}"),
]


def read_samples(path):
    with open(path, encoding="ascii") as f:
        return [[float(v) for v in line.split()] for line in f if line.strip()]


def cell(values, fmt):
    return (fmt.format(statistics.median(values)) + " ("
            + fmt.format(min(values)) + "–" + fmt.format(max(values)) + ")")


def table(samples, program, fair, empty):
    lines = ["| median (min–max) | kidsum | fair floor | empty window "
             "| kidsum / fair floor | kidsum / empty window |",
             "|---|---:|---:|---:|---:|---:|"]
    for label, column, scale, fmt in ROWS:
        values = {name: [s[column] * scale for s in samples[name]]
                  for name in (program, fair, empty)}
        mine = statistics.median(values[program])
        lines.append("| {} | {} | {} | {} | {:.2f} | {:.2f} |".format(
            label, cell(values[program], fmt), cell(values[fair], fmt),
            cell(values[empty], fmt), mine / statistics.median(values[fair]),
            mine / statistics.median(values[empty])))
    return "\n".join(lines)


def main(argv):
    if len(argv) != 5:
        sys.exit(__doc__)
    folder, names = argv[1], argv[2:]
    samples = {name: read_samples(f"{folder}/{name}") for name in names}
    counts = {len(s) for s in samples.values()}
    if len(counts) != 1 or 0 in counts:
        sys.exit(f"unequal or empty samples: { {n: len(s) for n, s in samples.items()} }")
    print(table(samples, *names))


if __name__ == "__main__":
    main(sys.argv)
