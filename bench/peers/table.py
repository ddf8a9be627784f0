#!/usr/bin/python3
"""Prints a logged side-by-side run (bench/results/*.jsonl) as a Markdown table: ours against
the fastest other chart library, with and without antialiasing.

    bench/peers/table.py [LOG] [--readme README.md]

LOG defaults to the newest file in bench/results/ (names sort by date). With --readme the
table replaces the lines between the bench-table markers in that file.
"""

import argparse
import json
import math
import os
import sys
import textwrap

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
RESULTS = os.path.join(ROOT, "bench", "results")
BEGIN = "<!-- bench-table:begin -->"
END = "<!-- bench-table:end -->"
WORKLOADS = ("line", "scatter", "xy", "multi")
FAMILIES = ("aa", "noaa")
METRICS = ("first", "zoom", "repaint")
OURS = "ours"
DASH = "—"


class Failure(Exception):
    pass


def newest_log():
    try:
        names = sorted(n for n in os.listdir(RESULTS) if n.endswith(".jsonl"))
    except FileNotFoundError:
        names = []
    if not names:
        raise Failure(f"no logs in {RESULTS}; run bench/peers/run.sh first")
    return os.path.join(RESULTS, names[-1])


def read_log(path):
    header, records = [], []
    try:
        with open(path, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except OSError as e:
        raise Failure(f"cannot read {path}: {e.strerror}")
    for number, line in enumerate(lines, 1):
        if line.startswith("#"):
            header.append(line.lstrip("#").strip())
        elif line.strip():
            try:
                record = json.loads(line)
            except json.JSONDecodeError as e:
                raise Failure(f"{path}:{number}: not a JSON line ({e.msg})")
            if not isinstance(record, dict) or "peer" not in record or "n" not in record:
                raise Failure(f"{path}:{number}: a run needs at least \"peer\" and \"n\"")
            records.append(record)
    if not records:
        raise Failure(f"{path}: no runs in it")
    return header, records


def family(mode):
    # The chunked modes only change how matplotlib splits paths; they draw as their base mode.
    return mode[:-len("-chunk")] if mode.endswith("-chunk") else mode


def timing(record, metric):
    value = record.get(metric + "_ms")
    if "error" in record or not isinstance(value, (int, float)) or not math.isfinite(value):
        return None
    return float(value)


def fmt_n(n):
    if n <= 0:
        return str(n)
    exponent = len(str(n)) - 1
    if exponent < 3:
        return str(n)
    return f"{n / 10 ** exponent:.4g}e{exponent}"


def fmt_ms(ms):
    if ms is None:
        return DASH
    if ms < 10:
        return f"{ms:.2f}"
    if ms < 100:
        return f"{ms:.1f}"
    return f"{ms:.0f}"


def fmt_ratio(ours, peer):
    if ours is None or peer is None or peer <= 0:
        return DASH
    r = ours / peer
    if r < 0.1:
        text = f"{r:.2g}"
    elif r < 10:
        text = f"{r:.2f}"
    elif r < 100:
        text = f"{r:.1f}"
    else:
        text = f"{r:.0f}"
    return text + "×"


def peer_label(record):
    # Name the chunked variant: it is a setting the reader would have to choose.
    return record["peer"] + (" chunk" if record.get("mode", "").endswith("-chunk") else "")


def rows(records):
    groups = {}
    for r in records:
        key = (r.get("workload", "line"), int(r["n"]), family(r.get("mode", "aa")))
        groups.setdefault(key, []).append(r)

    def order(key):
        workload, n, fam = key
        w = WORKLOADS.index(workload) if workload in WORKLOADS else len(WORKLOADS)
        f = FAMILIES.index(fam) if fam in FAMILIES else len(FAMILIES)
        return (w, workload, n, f, fam)

    table = []
    for key in sorted(groups, key=order):
        workload, n, fam = key
        aa = {"aa": "yes", "noaa": "no"}.get(fam, fam)
        cells = [workload, fmt_n(n), aa]
        for metric in METRICS:
            ours = [t for t in (timing(r, metric) for r in groups[key] if r["peer"] == OURS)
                    if t is not None]
            peers = [(t, peer_label(r)) for r in groups[key] if r["peer"] != OURS
                     for t in [timing(r, metric)] if t is not None]
            best_ours = min(ours) if ours else None
            best_peer = min(peers, key=lambda p: p[0]) if peers else None
            cells.append(fmt_ms(best_ours))
            cells.append(f"{fmt_ms(best_peer[0])} {best_peer[1]}" if best_peer else DASH)
            cells.append(fmt_ratio(best_ours, best_peer[0] if best_peer else None))
        table.append(cells)
    return table


def markdown(table):
    header = ["workload", "N", "AA"]
    for metric in METRICS:
        header += [f"{metric}: ours", "fastest peer", "ratio"]
    right = [False, True, False] + [True] * (len(header) - 3)
    widths = [max(len(c) for c in col) for col in zip(header, *table)]

    def line(cells):
        return "| " + " | ".join(c.rjust(w) if r else c.ljust(w)
                                 for c, w, r in zip(cells, widths, right)) + " |"

    rule = "|" + "|".join("-" * (w + 1) + ":" if r else "-" * (w + 2)
                          for w, r in zip(widths, right)) + "|"
    return "\n".join([line(header), rule] + [line(row) for row in table])


def source_line(path, header, records):
    name = os.path.basename(path)
    shown = (f"bench/results/{name}"
             if os.path.dirname(os.path.abspath(path)) == RESULTS else path)
    # The harness writes "date, cores, CPU" as its first header line.
    machine = header[0] if header else "no machine line logged"
    sizes = sorted({(r.get("w"), r.get("h")) for r in records})
    size = ", ".join(f"{w}×{h}" for w, h in sizes)
    text = (f"From `{shown}` ({machine}); {size} px, median ms of 5 renders; "
            f"ratio = ours / fastest peer, below 1 means ours is faster.")
    # Wrapped like the rest of the README; Markdown joins the lines again.
    return textwrap.fill(text, 95, break_long_words=False, break_on_hyphens=False)


def update_readme(readme, block):
    try:
        with open(readme, encoding="utf-8") as f:
            lines = f.read().split("\n")
    except OSError as e:
        raise Failure(f"cannot read {readme}: {e.strerror}")
    stripped = [l.strip() for l in lines]
    if stripped.count(BEGIN) != 1 or stripped.count(END) != 1:
        raise Failure(f"{readme} needs the lines {BEGIN} and {END}, once each")
    begin, end = stripped.index(BEGIN), stripped.index(END)
    if end < begin:
        raise Failure(f"{readme}: {END} comes before {BEGIN}")
    lines[begin + 1:end] = [""] + block.split("\n") + [""]
    with open(readme, "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("log", nargs="?", help="a bench/results/*.jsonl file (default: the newest)")
    parser.add_argument("--readme", metavar="FILE",
                        help="replace the table between the bench-table markers of FILE")
    args = parser.parse_args()
    try:
        path = args.log or newest_log()
        header, records = read_log(path)
        block = source_line(path, header, records) + "\n\n" + markdown(rows(records))
        if args.readme:
            update_readme(args.readme, block)
        print(block)
    except Failure as e:
        sys.exit(f"table.py: {e}")


if __name__ == "__main__":
    main()
