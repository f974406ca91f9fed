#!/usr/bin/env python3
"""The parity table against the real velto.exe under Wine, driven from outside by velto_driver.exe
with real keys, clicks and OLE drags. The same table runs against the Qt front end
(qt_parity_test.cpp); a scenario that passes on one build and fails on the other is a divergence."""
import argparse
import json
import os
import stat
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "wine", "win32_frontend"))
from velto_end_to_end import Failure, Harness, as_wine_hands_it_over  # noqa: E402

KEYS = {"Enter": 13, "Esc": 27, "Tab": 9, "Down": 40, "Up": 38, "F1": 112, "F2": 113, "F3": 114,
        "F4": 115, "F5": 116, "F8": 119, "F9": 120}
MOUSE = {"click": "click", "rclick": "rclick", "mclick": "mclick"}


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


def ini_bytes(table, scenario, recorder, server=""):
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


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def driver_steps(folder, steps):
    out = []
    for step in steps:
        if "type" in step:
            out.append("type:" + step["type"])
        elif "key" in step:
            name = step["key"]
            alt = name.startswith("Alt+")
            out.append(f"key:{'alt+' if alt else ''}{KEYS[name[4:] if alt else name]}")
        elif "drop" in step:
            drop = step["drop"]
            files = []
            for file in drop.get("files", []):
                path = os.path.join(folder, "drops", file["name"])
                os.makedirs(os.path.dirname(path), exist_ok=True)
                with open(path, "wb") as f:
                    f.write("".join(line + "\r\n" for line in file["lines"]).encode("cp932"))
                files.append(windows_path(path))
            text = "=" + drop["text"] if "text" in drop else "-"
            out.append("|".join([f"drop:{drop.get('on', 'window')}", text] + files))
        elif "hotkey" in step:
            # The default keys: Ctrl+Alt+Space, and Ctrl+Alt+Shift+Space for the selection,
            # which is the clipboard's text on Windows.
            if step["hotkey"] == "selection":
                out.append("clipboard:" + step.get("selected", ""))
                out.append("chord:17+18+16+32")
            else:
                out.append("chord:17+18+32")
        elif "message" in step:
            out.append("msgbox")
        elif "wait" in step:
            out.append(f"sleep:{step['wait']}")
        elif "start_again" in step:
            # The same commands in the Windows spelling.
            arguments = step["start_again"]
            arguments = arguments.replace("--search ", "/S ", 1).replace("--focus", "/F", 1)
            out.append("second:" + arguments)
        else:
            verb = next(v for v in MOUSE if v in step)
            out.append(f"{verb}:{step[verb]}")
    return out


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


def browser_runs(path, expected, wait=10.0):
    """What each start of the recording browser got, once the expected number arrived."""
    def read():
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return [line.split("\t") for line in f.read().splitlines()]
    deadline = time.time() + wait
    while time.time() < deadline and len(read()) < expected:
        time.sleep(0.2)
    time.sleep(0.5 if expected else 2.0)  # nothing more may arrive
    return read()


def run(h, table, scenario):
    server = SuggestionServer(scenario["server"]) if "server" in scenario else None
    try:
        run_with(h, table, scenario, server)
    finally:
        if server:
            server.close()


def run_with(h, table, scenario, server):
    name = scenario["name"]
    expect = scenario["expect"]
    if os.path.exists(h.argv_record):
        os.remove(h.argv_record)
    folder = h.folder(name, ini_bytes(table, scenario, windows_path(h.args.recorder),
                                      server.address if server else ""))
    seen = h.drive(folder, "start:", *driver_steps(folder, scenario["steps"]),
                   "dump", "list", "outer", "close", "wait-exit")
    if server and "requests" in expect:
        h.check(f"{name}: requests", server.requests(), expect["requests"])
    if any(line == "dropped=0" for line in seen):
        h.check(f"{name}: every drag taken", [l for l in seen if l.startswith("dropped=")],
                ["dropped=1"] * sum(1 for l in seen if l.startswith("dropped=")))
    dump = next(i for i, line in enumerate(seen) if line.startswith("query="))
    h.check(f"{name}: query", seen[dump], "query=" + expect["query"])
    h.check(f"{name}: history", seen[dump + 1],
            "|".join([f"history={len(expect['history'])}"] + expect["history"]))
    if "list_open" in expect:
        h.check(f"{name}: list", next(l for l in seen if l.startswith("list=")),
                "list=" + ("open" if expect["list_open"] else "closed"))
    if "window" in expect:
        outer = [int(v) for v in next(l for l in seen if l.startswith("outer="))[6:].split(",")]
        for i, edge in enumerate(("left", "top", "right", "bottom")):
            if edge in expect["window"]:
                h.check(f"{name}: window {edge}", outer[i], expect["window"][edge])
    h.check(f"{name}: closed", seen[-1], "exit=0")
    h.check(f"{name}: addresses", h.addresses(len(expect["addresses"])),
            [as_wine_hands_it_over(a) for a in expect["addresses"]])
    runs = expect.get("browser", [])
    h.check(f"{name}: browser", sorted(browser_runs(h.argv_record, len(runs))), sorted(runs))
    messages = [l.removeprefix("msgbox=") for l in seen if l.startswith("msgbox=")]
    fragments = expect.get("messages", [])
    # Each message shown holds its expected fragment; the texts themselves when not.
    held = len(messages) == len(fragments) and all(f in m for f, m in zip(fragments, messages))
    h.check(f"{name}: messages", fragments if held else messages, fragments)
    log = h.read(folder, "log.txt")
    h.check(f"{name}: log", [] if not log else log.decode("cp932").split("\r\n")[:-1],
            expect.get("log", []))
    stored = h.read(folder, "velto.ini")
    for section, keys in expect.get("ini", {}).items():
        for key, value in keys.items():
            h.check(f"{name}: {section} {key}", profile_value(stored, section, key), value)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--table", "--velto", "--driver", "--wine", "--prefix"):
        parser.add_argument(option, required=True)
    parser.add_argument("--recorder", required=True)
    parser.add_argument("--keep", action="store_true")
    parser.add_argument("only", nargs="*")
    args = parser.parse_args()
    with open(args.table, encoding="utf-8") as f:
        table = json.load(f)
    h = Harness(args)
    # The recording browser of browser commands writes what it got here.
    h.argv_record = os.path.join(h.root, "argv.txt")
    h.env["VELTO_ARGV_RECORD"] = windows_path(h.argv_record)
    # Wine hands mail addresses to the desktop's mailer; record those too.
    mailer = os.path.join(h.root, "bin", "xdg-email")
    with open(mailer, "w") as f:
        f.write('#!/bin/sh\nprintf "%s\\n" "$1" >> "$VELTO_BROWSER_RECORD"\n')
    os.chmod(mailer, os.stat(mailer).st_mode | stat.S_IEXEC)
    try:
        for scenario in table["scenarios"]:
            if args.only and scenario["name"] not in args.only:
                continue
            try:
                run(h, table, scenario)
            except (Failure, subprocess.TimeoutExpired, IndexError, StopIteration, ValueError) as e:
                h.failures.append(scenario["name"])
                print(f"FAIL {scenario['name']}: {e!r}")
    finally:
        status = h.finish()
    return status


if __name__ == "__main__":
    sys.exit(main())
