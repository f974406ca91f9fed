#!/usr/bin/env python3
"""End-to-end runs of the real velto.exe under Wine, driven by real keyboard and mouse input.

Each run copies velto.exe into a fresh program folder, prepares velto.ini in CP932, replaces the
browser by a recording stand-in (Wine hands web addresses to xdg-open), drives the search bar with
velto_driver.exe and checks the addresses the browser got, velto.ini and log.txt byte for byte.
"""
import argparse
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time

FIELD = 200


def field(text):
    """A value as the settings routines write it: padded with blanks to 200 characters."""
    return text + " " * max(0, FIELD - len(text))


def ini(sections):
    """CP932 bytes of an ini file from [(section, [(key, value)])] with CRLF lines."""
    lines = []
    for name, keys in sections:
        lines.append(f"[{name}]")
        lines += [f"{k}={v}" for k, v in keys]
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


class Failure(Exception):
    pass


class Harness:
    def __init__(self, args):
        self.args = args
        self.root = tempfile.mkdtemp(prefix="velto-e2e-")
        self.failures = []
        self.passed = 0
        bin_dir = os.path.join(self.root, "bin")
        os.mkdir(bin_dir)
        self.record = os.path.join(self.root, "browser.txt")
        # The stand-in records each address on a line of its own, exactly as it arrives.
        stand_in = os.path.join(bin_dir, "xdg-open")
        with open(stand_in, "w") as f:
            f.write('#!/bin/sh\nprintf "%s\\n" "$1" >> "$VELTO_BROWSER_RECORD"\n')
        os.chmod(stand_in, os.stat(stand_in).st_mode | stat.S_IEXEC)
        self.env = dict(os.environ)
        self.env["PATH"] = bin_dir + os.pathsep + self.env.get("PATH", "")
        self.env["BROWSER"] = stand_in
        self.env["VELTO_BROWSER_RECORD"] = self.record
        self.env["VELTO_WINEPREFIX"] = args.prefix
        self.env["WINEDEBUG"] = "-all"

    def wine(self, *argv, timeout=120):
        return subprocess.run([self.args.wine, *argv], env=self.env, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT)

    def folder(self, name, settings=None):
        path = os.path.join(self.root, name)
        os.mkdir(path)
        shutil.copy(self.args.velto, os.path.join(path, "velto.exe"))
        # The import module the program loads from its own folder, when the build made one.
        module = os.path.join(os.path.dirname(self.args.velto), "velto-import.dll")
        if os.path.exists(module):
            shutil.copy(module, path)
        if settings is not None:
            with open(os.path.join(path, "velto.ini"), "wb") as f:
                f.write(settings)
        return path

    def drive(self, folder, *steps):
        """Runs the driver; returns the lines it observed."""
        if os.path.exists(self.record):
            os.remove(self.record)
        out = os.path.join(folder, "driver.txt")
        exe = "Z:" + os.path.join(folder, "velto.exe").replace("/", "\\")
        result = self.wine(self.args.driver, "Z:" + out.replace("/", "\\"), exe, *steps)
        with open(out, encoding="utf-8") as f:
            lines = f.read().splitlines()
        if result.returncode != 0:
            raise Failure(f"driver failed ({result.returncode}): {lines} {result.stdout!r}")
        return lines

    def addresses(self, expected_count, wait=10.0, quiet=None):
        """The addresses the browser received, once the expected number arrived (or time ran out)
        and nothing more came for quiet seconds."""
        deadline = time.time() + wait
        lines = []
        while time.time() < deadline:
            if os.path.exists(self.record):
                with open(self.record, encoding="utf-8") as f:
                    lines = f.read().splitlines()
                if len(lines) >= expected_count:
                    break
            time.sleep(0.2)
        if quiet is None:
            quiet = 0.5 if expected_count else 2.0
        time.sleep(quiet)  # nothing more may arrive
        if os.path.exists(self.record):
            with open(self.record, encoding="utf-8") as f:
                lines = f.read().splitlines()
        return lines

    def finish(self):
        """Ends the prefix's Wine server, removes the run's folders unless kept, and gives the
        exit status: 1 when any check failed."""
        subprocess.run(["wineserver", "-k"], env=dict(self.env, WINEPREFIX=self.args.prefix))
        if not self.args.keep:
            shutil.rmtree(self.root, ignore_errors=True)
        print(f"{self.passed} passed, {len(self.failures)} failed")
        return 1 if self.failures else 0

    def check(self, name, actual, expected):
        if actual == expected:
            self.passed += 1
            print(f"ok   {name}")
        else:
            self.failures.append(name)
            print(f"FAIL {name}\n  expected: {expected!r}\n  actual:   {actual!r}")

    def read(self, folder, name):
        path = os.path.join(folder, name)
        if not os.path.exists(path):
            return None
        with open(path, "rb") as f:
            return f.read()


ENGINES = [
    ("Yahoo!", "http://home0.example/", "http://s0.example/?q="),
    ("検索エンジン", "http://home1.example/", "http://s1.example/?q="),
    ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn", "http://home2.example/", "http://s2.example/?q="),
    ("", "http://home3.example/", "http://s3.example/?q="),
]


def as_wine_hands_it_over(address):
    """Wine's browser hand-off writes a blank in an address as %20; the program passes it as is."""
    return address.replace(" ", "%20")


def prepared_settings(history):
    velto = [("AlwaysTop", field("1")), ("DefaultSearch", field("2")),
             ("Top", field("1500")), ("Left", field("3000"))]
    velto += [(f"SearchSelect({i})", field(str(i if i < 4 else 0))) for i in range(5)]
    data = []
    for i, (name, home, engine) in enumerate(ENGINES):
        data += [(f"SearchName({i})", field(name)), (f"SearchHome({i})", field(home)),
                 (f"SearchEngn({i})", field(engine))]
    stored = [(f"SearchHistory({i})", field(history[i] if i < len(history) else ""))
              for i in range(10)]
    return [("Velto", velto), ("SearchData", data), ("History", stored)]


def with_history(sections, history):
    stored = [(f"SearchHistory({i})", field(history[i] if i < len(history) else ""))
              for i in range(10)]
    return [(name, stored if name == "History" else keys) for name, keys in sections]


def run_searches(h):
    """Typing, Enter, Esc, F-keys, clicks, right and middle clicks, the menu; closed as by the
    close box. A second start while it runs ends without a window."""
    sections = prepared_settings(["first", "", "東京"])
    folder = h.folder("searches", ini(sections))
    query = "東京 タワー"
    seen = h.drive(folder, "start:", "dump", "second:",
                   "type:abc", "key:13",            # Enter: default button 2
                   "key:27",                        # Esc clears the box
                   "type:" + query, "key:shift+112",  # Shift+F1 acts as F1
                   "rclick:1", "mclick:0", "rclick:4",
                   "click:0",                       # same query again: history unchanged
                   "key:119",                       # F8: inserted again, counted
                   "key:116", "key:13",             # F5 moves the default to 3; Enter on it
                   "menu:2",                        # Yahoo!
                   "dump", "close", "wait-exit")
    h.check("start: buttons, history, topmost, size", seen[1:7], [
        "query=", "history=2|first|東京",
        "buttons=Yahoo!|検索エンジン|ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn|(off)|クリア|その他",
        "at=200,100", "client=253x63", "topmost=1"])
    h.check("second start ends without a window", seen[7:9], ["second-exit=0", "bars=1"])
    h.check("after the searches", seen[9:11], [
        "query=" + query, f"history=5|{query}|{query}|abc|first|東京"])
    h.check("closed", seen[-1], "exit=0")
    h.check("addresses", h.addresses(7), [as_wine_hands_it_over(a) for a in [
        "http://s2.example/?q=abc",
        "http://s0.example/?q=" + query,
        "http://home1.example/",
        "http://home0.example/",
        "http://s0.example/?q=" + query,
        "http://s3.example/?q=" + query,
        "http://search.yahoo.co.jp/bin/search?p=" + query]])
    h.check("velto.ini", h.read(folder, "velto.ini"),
            ini(with_history(sections, [query, query, "abc", "first", "東京"])))
    h.check("log.txt", h.read(folder, "log.txt"), f"abc\r\n{query}\r\n{query}\r\n".encode("cp932"))


def run_debug_switch(h):
    """Empty settings, the "/d" switch, a fixed search of the switch's group, a bare query
    that is never handed to the shell, F9, and the end of the session."""
    folder = h.folder("switch", b"")
    seen = h.drive(folder, "start:/d", "dump",
                   "type:x y&z", "menu:12",         # SP, shown only with the switch
                   "key:112",                       # F1: engine without prefix, not a web address
                   "click:0",                       # disabled: nothing
                   "dump", "endsession", "wait-exit")
    h.check("empty settings: empty disabled buttons, not topmost", [seen[3], seen[6]], [
        "buttons=(off)|(off)|(off)|(off)|クリア|その他", "topmost=0"])
    h.check("switch run history", seen[7:9], ["query=x y&z", "history=1|x y&z"])
    h.check("session end agreed and ended", [seen[-2], seen[-1]], ["agreed=1", "exit=0"])
    h.check("switch addresses", h.addresses(1), [as_wine_hands_it_over(
        "http://search.surfersparadise.com/cgi/search.cgi?type=and&gr=on&show=10&search=x y&z")])
    left, top = (int(v) * 15 for v in seen[4].removeprefix("at=").split(","))
    h.check("switch velto.ini created", h.read(folder, "velto.ini"), ini([
        ("Velto", [("Top", field(str(top))), ("Left", field(str(left)))]),
        ("History", [(f"SearchHistory({i})", field("x y&z" if i == 0 else "")) for i in range(10)])]))
    h.check("switch log created empty", h.read(folder, "log.txt"), b"")


def run_blank_before_switch(h):
    """" /D" with a blank in front is no switch: the menu ends with Vector(Infoseek)."""
    folder = h.folder("blank", ini(prepared_settings([])))
    seen = h.drive(folder, "start: /D", "type:q", "menu:-1", "key:120", "dump", "close", "wait-exit")
    h.check("F9 empties list and box", seen[1:3], ["query=", "history=0"])
    h.check("blank switch addresses", h.addresses(1), [
        "http://www.infoseek.co.jp/Titles?tds=&col=SW&sv=JP&lk=norames&rt=JG&qt=q"])
    h.check("blank switch: no log", h.read(folder, "log.txt"), None)


def run_commands(h):
    """Later starts with /S: an empty search is refused with status 2, bar or no bar, and starts
    none; a phrase keeps the quotes its backslashes ask for."""
    sections = prepared_settings(["first"])
    folder = h.folder("commands", ini(sections))
    seen = h.drive(folder, 'second:/S ""', "start:", 'second:/S "\\"tokyo tower\\""',
                   'second:/s   ""', "dump", "close", "wait-exit")
    h.check("later starts", [line for line in seen if line.startswith(("second-exit=", "bars="))],
            ["second-exit=2", "bars=0", "second-exit=0", "bars=1", "second-exit=2", "bars=1"])
    h.check("the phrase in the box", [line for line in seen if line.startswith("query=")],
            ['query="tokyo tower"'])
    h.check("closed", seen[-1], "exit=0")
    # One search, by the default button, the phrase whole up to the browser (Wine's bridge to
    # the desktop's browser escapes the quotes and the blank on the way).
    h.check("searched", h.addresses(1), ["http://s2.example/?q=%22tokyo%20tower%22"])


def run_first_command(h):
    """A fresh folder with only the program, started with /S: the start ends with 0 once the
    bar it brought up has taken the search, and that bar shows the starter engines."""
    folder = h.folder("first")
    seen = h.drive(folder, "first:/S tokyo", "dump", "close", "wait-exit")
    h.check("first /S ends at once, one bar", seen[:2], ["first-exit=0", "bars=1"])
    h.check("starter engines on the buttons",
            [line for line in seen if line.startswith("buttons=")],
            ["buttons=Google|Yahoo! JAPAN|Wikipedia|YouTube|クリア|その他"])
    h.check("first /S: closed", seen[-1], "exit=0")
    h.check("first /S searched", h.addresses(1), ["https://www.google.com/search?q=tokyo"])
    h.check("starter settings written", b"SearchName(0)=Google" in (h.read(folder, "velto.ini") or b""),
            True)


def run_long_addresses(h):
    """Addresses far past what Wine's shell copes with (it cuts addresses of 985 characters and
    crashes from 997) reach the browser whole: a Japanese query in a template (972 bytes
    encoded), 1,000 characters, and 32,000 from a dropped text."""
    sections = prepared_settings([])
    sections = [(name, [(k, field("http://s2.example/?q=%s") if k == "SearchEngn(2)" else v)
                        for k, v in keys]) for name, keys in sections]
    folder = h.folder("long", ini(sections))
    steps = []
    for length in (1000, 32000):
        path = os.path.join(folder, f"drop{length}.txt")
        with open(path, "w", encoding="utf-8") as f:
            f.write("x" * length)
        steps.append("drop:button:0|<Z:" + path.replace("/", "\\"))
    query = "あ" * 108
    seen = h.drive(folder, "start:", "type:" + query, "key:13", *steps, "close", "wait-exit")
    h.check("long: closed", seen[-1], "exit=0")
    expected = ["http://s2.example/?q=" + "%E3%81%82" * 108,
                "http://s0.example/?q=" + "x" * 1000, "http://s0.example/?q=" + "x" * 32000]
    # Each search starts a browser process of its own, and two started close together may
    # arrive in either order: whole is what counts. Lengths first, so that a failure reads short.
    got = sorted(h.addresses(3), key=len)
    h.check("long: addresses whole", [len(a) for a in got] + [got == expected],
            [len(a) for a in expected] + [True])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--velto", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--keep", action="store_true")
    parser.add_argument("only", nargs="*")
    h = Harness(parser.parse_args())
    runs = [run_searches, run_debug_switch, run_blank_before_switch, run_commands,
            run_first_command, run_long_addresses]
    try:
        for run in runs:
            if h.args.only and run.__name__ not in h.args.only:
                continue
            try:
                run(h)
            except (Failure, subprocess.TimeoutExpired, IndexError, ValueError) as e:
                h.failures.append(run.__name__)
                print(f"FAIL {run.__name__}: {e}")
    finally:
        status = h.finish()
    return status


if __name__ == "__main__":
    sys.exit(main())
