#!/usr/bin/env python3
"""The parity table against a real front end: the same scenarios and the same checks for the
real velto.exe under Wine and the real velto under Xvfb, each started out of process in a
fresh program folder and driven with real input (wine_front_end.py, linux_front_end.py).

A front end offers: folder(name, settings bytes) for a fresh program folder; run(folder,
steps) which starts the program, takes the steps, reads what the bar shows, closes it and
returns a Seen; addresses(count) and browser_runs(count), what the system handler and the
recording browser got; as_received(address), an address as the system handler gets it;
program_path(path), a path as the program names it; recorder, the recording browser's name
in a setting; finish().

usage: parity_check.py --front-end wine|linux [options of that front end] [--known-failing
       NAME]... [--with-step KIND | --without-step KIND] [SCENARIO...]
"""
import argparse
import contextlib
import dataclasses
import json
import os
import sqlite3
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no cache of the front ends in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


@dataclasses.dataclass
class Seen:
    """What a front end read from the running bar after the steps."""
    query: str = None
    history: list = None
    list_open: bool = None
    suggestions_open: bool = None
    outer: tuple = None  # left, top, right, bottom in screen pixels
    exit: str = None  # the program's exit status once closed, "running" when it did not end
    messages: list = dataclasses.field(default_factory=list)  # message box texts, in order
    drops: list = dataclasses.field(default_factory=list)  # for each drag, whether it was taken
    later: list = dataclasses.field(default_factory=list)  # exit status of each later start
    # where each menu opened from the keyboard stood: "button" (under the menu button),
    # "elsewhere" or "none"
    menu_at: list = dataclasses.field(default_factory=list)


class SuggestionServer:
    """The scenario's suggestion server: suggestion_server.py on 127.0.0.1, answering each path
    as the scenario's "server" table says and logging every path asked for."""

    def __init__(self, answers):
        self.folder = tempfile.mkdtemp(prefix="velto-suggest-")
        with open(os.path.join(self.folder, "answers.json"), "w", encoding="utf-8") as f:
            json.dump(answers, f)
        port_file = os.path.join(self.folder, "port")
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(os.path.dirname(__file__), "suggestion_server.py"),
             "--answers", os.path.join(self.folder, "answers.json"),
             "--log", os.path.join(self.folder, "requests.log"), "--port-file", port_file],
            stdin=subprocess.PIPE)
        for _ in range(500):
            if os.path.exists(port_file):
                break
            time.sleep(0.01)
        with open(port_file) as f:
            self.address = "http://127.0.0.1:" + f.read().strip()

    def requests(self):
        try:
            with open(os.path.join(self.folder, "requests.log"), encoding="utf-8") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    def close(self):
        self.process.stdin.close()
        self.process.wait(timeout=10)


def settings_bytes(table, scenario, recorder, server=""):
    """The base settings with the scenario's laid over them, as the CP932 file the program
    reads."""
    merged = json.loads(json.dumps(table["base"]))
    for section, keys in scenario.get("settings", {}).items():
        merged.setdefault(section, {}).update(keys)
    lines = []
    for section in ("Velto", "SearchData", "History"):
        if section in merged:
            lines.append(f"[{section}]")
            lines += [f"{k}={v.replace('@RECORDER@', recorder).replace('{server}', server)}"
                      for k, v in merged[section].items()]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def profile_value(data, section, key):
    """A value as the profile routines read it: the first matching section and key, blanks and
    one pair of matching quotes around it removed."""
    current = None
    for line in data.decode("cp932").replace("\r\n", "\n").replace("\r", "\n").split("\n"):
        stripped = line.strip()
        if stripped.startswith("["):
            current = stripped[1:].split("]")[0].strip().lower()
        elif current == section.lower() and "=" in line:
            name, value = line.split("=", 1)
            if name.strip().lower() == key.lower():
                value = value.strip()
                if len(value) >= 2 and value[0] == value[-1] and value[0] in "\"'":
                    value = value[1:-1]
                return value
    return "(missing)"


def with_drop_files(folder, steps, program_path):
    """The steps with each dropped file written into the program folder (lines in CP932 with
    CRLF) and named by its path there; a text "{paths}" becomes the files' paths as the program
    names them (program_path), a line each."""
    out = []
    for step in steps:
        if "drop" in step:
            drop = dict(step["drop"])
            paths = []
            for file in drop.get("files", []):
                path = os.path.join(folder, "drops", file["name"])
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as f:
                    f.write("".join(line + "\r\n" for line in file["lines"]).encode("cp932"))
                paths.append(path)
            drop["paths"] = paths
            if drop.get("text") == "{paths}":
                drop["text"] = "\r\n".join(program_path(p) for p in paths)
            step = dict(step, drop=drop)
        out.append(step)
    return out


def quiet_time(expected, quiet=None):
    """How long to wait for anything more once the expected records arrived: longer when none is
    expected, as then nothing marks the moment the program was done."""
    if quiet is not None:
        return quiet
    return 0.5 if expected else 2.0


def tab_separated_runs(path, expected, quiet=None, wait=10.0):
    """What each start of the recording browser got (its arguments on a line, separated by
    tabs), once the expected number arrived or time ran out and nothing more came for quiet
    seconds."""
    def read():
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return [line.split("\t") for line in f.read().splitlines()]
    deadline = time.time() + wait
    while time.time() < deadline and len(read()) < expected:
        time.sleep(0.2)
    time.sleep(quiet_time(expected, quiet))  # nothing more may arrive
    return read()


def write_web_data(path, rows):
    """A Chromium profile's "Web Data" holding the scenario's engines in its keywords table."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with contextlib.closing(sqlite3.connect(path)) as db:
        db.execute("CREATE TABLE keywords (id INTEGER PRIMARY KEY, short_name VARCHAR NOT NULL, "
                   "keyword VARCHAR NOT NULL, favicon_url VARCHAR NOT NULL DEFAULT '', "
                   "url VARCHAR NOT NULL, input_encodings VARCHAR DEFAULT '', "
                   "suggest_url VARCHAR DEFAULT '')")
        db.executemany("INSERT INTO keywords (short_name, keyword, url, suggest_url) "
                       "VALUES (?, ?, ?, ?)",
                       [(r["short_name"], r.get("keyword", ""), r["url"], r.get("suggest_url", ""))
                        for r in rows])
        db.commit()


def read_file(folder, name):
    path = os.path.join(folder, name)
    if not os.path.exists(path):
        return None
    with open(path, "rb") as f:
        return f.read()


class Checker:
    def __init__(self, front_end, table):
        self.front_end, self.table = front_end, table
        self.passed = 0
        self.failed = []

    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
            print(f"ok   {name}", flush=True)
        else:
            self.failed.append(name)
            print(f"FAIL {name}\n  expected: {expected!r}\n  actual:   {actual!r}", flush=True)

    def run(self, scenario):
        server = SuggestionServer(scenario["server"]) if "server" in scenario else None
        try:
            self.run_with(scenario, server)
        finally:
            if server:
                server.close()

    def run_with(self, scenario, server):
        name, expect, f = scenario["name"], scenario["expect"], self.front_end
        folder = f.folder(name, settings_bytes(self.table, scenario, f.recorder,
                                               server.address if server else ""))
        chromium = scenario.get("browser", {}).get("chromium")
        if chromium:
            write_web_data(os.path.join(f.browser_data_folder("chromium"), "Default", "Web Data"),
                           chromium)
        seen = f.run(folder, with_drop_files(folder, scenario["steps"], f.program_path))
        if server and "requests" in expect:
            self.check(f"{name}: requests", server.requests(), expect["requests"])
        self.check(f"{name}: every drag taken", seen.drops, [True] * len(seen.drops))
        self.check(f"{name}: query", seen.query, expect["query"])
        self.check(f"{name}: history", seen.history, expect["history"])
        if "list_open" in expect:
            self.check(f"{name}: list open", seen.list_open, expect["list_open"])
        if "suggestions_open" in expect:
            self.check(f"{name}: suggestions open", seen.suggestions_open,
                       expect["suggestions_open"])
        for i, edge in enumerate(("left", "top", "right", "bottom")):
            if edge in expect.get("window", {}):
                self.check(f"{name}: window {edge}", seen.outer and seen.outer[i],
                           expect["window"][edge])
        if "menu_at" in expect:
            self.check(f"{name}: menus opened from the keyboard", seen.menu_at, expect["menu_at"])
        if "later_exits" in expect:
            self.check(f"{name}: later starts", seen.later, expect["later_exits"])
        self.check(f"{name}: closed", seen.exit, "0")
        # The program has ended: whatever it handed on is on its way to both recorders at
        # once, so one quiet time covers the two.
        runs = expect.get("browser", [])
        self.check(f"{name}: addresses",
                   f.addresses(len(expect["addresses"]),
                               quiet_time(len(expect["addresses"]) + len(runs))),
                   [f.as_received(a) for a in expect["addresses"]])
        self.check(f"{name}: browser", sorted(f.browser_runs(len(runs), 0)), sorted(runs))
        # Each message shown holds its expected fragment; the texts themselves when not.
        fragments = expect.get("messages", [])
        held = len(seen.messages) == len(fragments) and all(
            part in text for part, text in zip(fragments, seen.messages))
        self.check(f"{name}: messages", fragments if held else seen.messages, fragments)
        log = read_file(folder, "log.txt")
        self.check(f"{name}: log", [] if not log else log.decode("cp932").split("\r\n")[:-1],
                   expect.get("log", []))
        stored = read_file(folder, "velto.ini") or b""
        for section, keys in expect.get("ini", {}).items():
            for key, value in keys.items():
                self.check(f"{name}: {section} {key}", profile_value(stored, section, key), value)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--front-end", choices=("wine", "linux"), required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--velto", required=True)
    # Wine: the driver, the recording browser, the Wine starter and prefix.
    for option in ("--driver", "--recorder", "--wine", "--prefix"):
        parser.add_argument(option)
    # Linux: the drag source.
    parser.add_argument("--drag-source")
    parser.add_argument("--known-failing", action="append", default=[],
                        help="a scenario that fails on this front end for a known reason")
    parser.add_argument("--keep", action="store_true")
    # The scenarios with (or without) a step of this kind, for a run that needs a service of
    # its own for them (compositions on Linux need an input method).
    parser.add_argument("--with-step")
    parser.add_argument("--without-step")
    parser.add_argument("only", nargs="*")
    args = parser.parse_args()
    with open(args.table, encoding="utf-8") as f:
        table = json.load(f)
    scenarios = [s for s in table["scenarios"] if not args.only or s["name"] in args.only]
    def has_step(scenario, kind):
        return any(kind in step for step in scenario["steps"])
    if args.with_step:
        scenarios = [s for s in scenarios if has_step(s, args.with_step)]
    if args.without_step:
        scenarios = [s for s in scenarios if not has_step(s, args.without_step)]
    if args.front_end == "wine":
        from wine_front_end import WineFrontEnd
        front_end = WineFrontEnd(args)
    else:
        from linux_front_end import LinuxFrontEnd
        front_end = LinuxFrontEnd(args, scenarios)
    checker = Checker(front_end, table)
    failing, known, surprises = [], [], []
    try:
        for scenario in scenarios:
            before, started = len(checker.failed), time.monotonic()
            try:
                checker.run(scenario)
            except Exception as e:  # a step that could not be taken fails its scenario
                checker.failed.append(scenario["name"])
                print(f"FAIL {scenario['name']}: {e!r}", flush=True)
            name = scenario["name"]
            print(f"time {name}: {time.monotonic() - started:.1f} s", flush=True)
            if len(checker.failed) > before:
                (known if name in args.known_failing else failing).append(name)
            elif name in args.known_failing:
                surprises.append(name)
    finally:
        front_end.finish()
    print(f"{checker.passed} checks passed, {len(checker.failed)} failed")
    for title, names in (("known to fail here", known), ("FAILED", failing),
                         ("listed as failing but passed", surprises)):
        if names:
            print(f"scenarios {title}: {' '.join(names)}")
    return 1 if failing else 0


if __name__ == "__main__":
    sys.exit(main())
