#!/usr/bin/env python3
"""Writes docs/performance.md from the outputs scripts/bench.sh collected in one run.

usage: bench_report.py RESULTS_FOLDER OUTPUT_MD
"""
import json
import math
import os
import re
import sys

# What each benchmark measures, for the tables; unknown ones keep their own names.
LABELS = {
    "BM_LoadSettings": "LoadSettings, full velto.ini (79 keys)",
    "BM_ReadSetting": "ReadSetting, one key",
    "BM_WriteSetting": "WriteSetting, one key",
    "BM_LoadSettingsBySize": "LoadSettings",
    "BM_WriteSettingBySize": "WriteSetting",
    "BM_CatSettingsFileBySize": "baseline: cat velto.ini",
    "BM_ReadSettingsBytesBySize": "baseline: read the bytes",
    "BM_ReadDroppedFileByLines": "read the dropped file",
    "BM_DropTextFileIntoHistory": "drop into the history list",
    "BM_CatDroppedFileByLines": "baseline: cat the file",
    "BM_SearchWithLongHistory": "one search",
}

# Inputs whose growth the report follows, each with its figures and baselines.
GROWTH = [
    ("Settings file size", "bytes",
     ["BM_LoadSettingsBySize", "BM_WriteSettingBySize"],
     ["BM_CatSettingsFileBySize", "BM_ReadSettingsBytesBySize"]),
    ("Dropped text file", "lines",
     ["BM_ReadDroppedFileByLines", "BM_DropTextFileIntoHistory"],
     ["BM_CatDroppedFileByLines"]),
    ("History list", "entries", ["BM_SearchWithLongHistory"], []),
]

UNIT_SECONDS = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def fmt_time(seconds):
    if seconds is None:
        return "–"
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6), ("ns", 1e-9)):
        value = float("%.3g" % (seconds / scale))  # rounded first: 999.6 µs is 1 ms
        if value >= 1 or unit == "ns":
            return ("%.3g %s" % (value, unit)) if value < 100 else ("%.0f %s" % (value, unit))


def fmt_count(n):
    if n >= 1_000_000 and n % 1_000_000 == 0:
        return "%d,000,000" % (n // 1_000_000)
    return "{:,}".format(n)


def fmt_size(n):
    for unit, scale in (("GB", 1e9), ("MB", 1e6), ("KB", 1e3)):
        if n >= scale:
            return "%.3g %s" % (n / scale, unit)
    return "%d B" % n


def load_json(folder):
    """{benchmark family: {arg or None: (real seconds, entry)}}, plus the source of each."""
    families, sources, complexity, context = {}, {}, {}, None
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".json"):
            continue
        try:
            with open(os.path.join(folder, name)) as f:
                data = json.load(f)
        except (OSError, ValueError):
            continue
        context = context or data.get("context")
        for b in data.get("benchmarks", []):
            full = b.get("run_name", b["name"])
            base, _, rest = full.partition("/")
            arg_text = rest.split("/")[0] if rest else ""
            if b.get("aggregate_name") == "BigO":
                complexity[base] = b.get("big_o", "")
                continue
            if b.get("run_type") == "aggregate":
                continue
            arg = int(arg_text) if arg_text.isdigit() else None
            seconds = b["real_time"] * UNIT_SECONDS[b.get("time_unit", "ns")]
            families.setdefault(base, {})[arg] = (seconds, b)
            sources[base] = name[:-5]
    return families, sources, complexity, context


def slope(points):
    """Least-squares slope of log(time) over log(input): 1 is linear, 2 quadratic, 0 constant."""
    pts = [(math.log(n), math.log(t)) for n, t in points if n and t and t > 0]
    if len(pts) < 2:
        return None
    mx = sum(x for x, _ in pts) / len(pts)
    my = sum(y for _, y in pts) / len(pts)
    den = sum((x - mx) ** 2 for x, _ in pts)
    return sum((x - mx) * (y - my) for x, y in pts) / den if den else None


def read_text(folder, name):
    path = os.path.join(folder, name + ".txt")
    if not os.path.exists(path):
        return None
    with open(path, errors="replace") as f:
        # Xvfb's and Wine's farewells are not figures.
        kept = [l for l in f.read().splitlines() if not l.startswith("X connection to")]
    return "\n".join(kept).strip()


def main():
    folder, output = sys.argv[1], sys.argv[2]
    families, sources, complexity, context = load_json(folder)
    machine = read_text(folder, "machine") or ""
    lines = []
    w = lines.append
    w("# Performance")
    w("")
    w("Produced by `make bench` (scripts/bench.sh); every figure below comes from one run on the "
      "machine described here, each beside its baseline measured in the same run. Times are "
      "wall-clock medians or means as each benchmark reports them. Do not edit by hand: run "
      "`make bench` again.")
    w("")
    w("```")
    w(machine)
    if context:
        w("benchmark library: %s build (its own; the programs measured are RelWithDebInfo), "
          "%s CPUs at %s MHz" % (
            context.get("library_build_type", "?"), context.get("num_cpus", "?"),
            context.get("mhz_per_cpu", "?")))
    w("```")
    w("")

    # Start-up and memory.
    w("## Start-up and memory")
    w("")
    qt = read_text(folder, "startup_qt")
    w("### Linux: velto against a minimal Qt Widgets program")
    w("")
    if qt:
        w("From exec to the window being mapped on an Xvfb display, and peak resident memory; "
          "`minimal` is a Qt Widgets program with one empty window, `text` the same with one "
          "line of text (fontconfig and a font loaded), both started alternately with velto.")
        w("")
        rows = re.findall(r"^(\S+)\s+exec->mapped median ([\d.]+) ms \(min ([\d.]+), max ([\d.]+)\); "
                          r"peak RSS median ([\d.]+) MiB", qt, re.M)
        if rows:
            w("| program | start-up median | min | max | peak memory |")
            w("|---|---|---|---|---|")
            for name, med, lo, hi, rss in rows:
                w("| %s | %s ms | %s ms | %s ms | %s MiB |" % (name, med, lo, hi, rss))
            w("")
        w("```")
        w(qt)
        w("```")
    else:
        w("(not measured in this run)")
    w("")
    win = read_text(folder, "startup_win32")
    w("### Windows: velto.exe against a minimal Win32 program and a yardstick, under Wine")
    w("")
    if win:
        w("All programs started from a timer program inside the same Wine prefix on one Xvfb "
          "display, taking turns round by round: from CreateProcess until the window is "
          "visible and answers a message. "
          "The yardstick shows the search bar's controls with their texts, fonts and manifest "
          "and nothing more; started with OLE first it also starts OLE and registers a drop "
          "target before its window is shown, which shows what that costs.")
        w("")
        w("```")
        w(win)
        w("```")
    else:
        w("(not measured in this run)")
    w("")

    # Growth with the input.
    w("## How the figures grow with their input")
    w("")
    w("Growth is the slope of log(time) over log(input) across the range (and between the two "
      "largest inputs): 1 means time proportional to the input, 0 constant, 2 quadratic. Fixed "
      "costs (opening files, starting cat) pull the slope below 1 at the small end.")
    w("")
    covered = set()
    for title, unit, figures, baselines in GROWTH:
        names = [n for n in figures + baselines if n in families]
        if not names:
            continue
        covered.update(names)
        args = sorted({a for n in names for a in families[n] if a is not None})
        w("### %s (%s)" % (title, unit))
        w("")
        w("| %s | %s |" % (unit, " | ".join(LABELS.get(n, n) for n in names)))
        w("|---|%s|" % "|".join("---" for _ in names))
        for a in args:
            label = fmt_size(a) if unit == "bytes" else fmt_count(a)
            w("| %s | %s |" % (label, " | ".join(
                fmt_time(families[n][a][0]) if a in families[n] else "–" for n in names)))
        growth = []
        for n in names:
            s = slope([(a, t) for a, (t, _) in families[n].items() if a is not None])
            growth.append("%.2f" % s if s is not None else "–")
        w("| growth | %s |" % " | ".join(growth))
        last = []
        for n in names:
            pts = sorted((a, t) for a, (t, _) in families[n].items() if a is not None)
            s = slope(pts[-2:]) if len(pts) >= 2 else None
            last.append("%.2f" % s if s is not None else "–")
        w("| growth, last step | %s |" % " | ".join(last))
        w("")
        notes = ["%s: %s from the benchmark's own fit" % (LABELS.get(n, n), complexity[n])
                 for n in names if n in complexity]
        if notes:
            w("Fitted complexity: " + "; ".join(notes) + ".")
            w("")

    # Everything else the benchmark programs measured.
    w("## All benchmark figures")
    w("")
    by_source = {}
    for name, runs in families.items():
        by_source.setdefault(sources[name], []).append(name)
    for source in sorted(by_source):
        w("### %s" % source)
        w("")
        w("| benchmark | input | time | iterations | rate |")
        w("|---|---|---|---|---|")
        for name in sorted(by_source[source]):
            for arg in sorted(families[name], key=lambda a: (a is None, a or 0)):
                seconds, entry = families[name][arg]
                rate = ""
                if "bytes_per_second" in entry:
                    rate = "%s/s" % fmt_size(entry["bytes_per_second"])
                elif "items_per_second" in entry:
                    rate = "%s items/s" % fmt_count(int(entry["items_per_second"]))
                w("| %s | %s | %s | %s | %s |" % (
                    LABELS.get(name, name), "" if arg is None else fmt_count(arg),
                    fmt_time(seconds), fmt_count(entry.get("iterations", 0)), rate))
        w("")

    # Front end figures and any further scripts, as they printed them.
    skip = {"startup_qt", "startup_win32", "machine"}
    extras = sorted(n[:-4] for n in os.listdir(folder) if n.endswith(".txt") and n[:-4] not in skip)
    if extras:
        w("## Other measurements")
        w("")
        for name in extras:
            text = read_text(folder, name)
            if not text:
                continue
            w("### %s" % name)
            w("")
            w("```")
            w(text)
            w("```")
            w("")

    with open(output, "w") as f:
        f.write("\n".join(lines).rstrip() + "\n")


if __name__ == "__main__":
    main()
