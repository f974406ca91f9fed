#!/usr/bin/env python3
"""The real velto under its own Xvfb, driven with X events through xdotool.

The program is copied into a fresh program folder with a prepared velto.ini (CP932), a
recording xdg-open stands first on PATH, and the program is ended with SIGTERM. Then the
opened addresses, velto.ini and log.txt are compared byte for byte. A second start while the
first runs must end at once without a window and without writing anything.

usage: velto_e2e.py PATH/TO/velto
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

FIELD = 200


def fail(message):
    print("FAIL: " + message, flush=True)
    sys.exit(1)


def check(condition, message):
    if not condition:
        fail(message)


def wait_until(predicate, seconds=10.0, what="condition"):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.02)
    fail("timed out waiting for " + what)


class Xvfb:
    """An X server of our own on a free display number, gone when the test ends. It must not
    reset when its last client leaves: each xdotool call is a client, and a server resetting
    while velto connects makes velto fail to start.

    `characters` are the non-ASCII characters the test types. Each gets a spare keycode of its
    own before velto starts. Otherwise xdotool binds a scratch keycode per character and unbinds
    it right after the key; a program still busy with the previous key then reads the keymap
    after the unbinding and the character is lost."""

    def __init__(self, characters=""):
        self.characters = sorted(set(c for c in characters if ord(c) > 0x7F))

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-noreset", "-displayfd", str(write_fd), "-screen", "0", "800x600x24",
             "-nolisten", "tcp"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        check(number, "Xvfb did not start")
        self.display = ":" + number
        if self.characters:
            try:
                self.bind_keys()
            except BaseException:
                self.__exit__()  # a failed binding must not leave the server running
                raise
        return self

    def bind_keys(self):
        env = dict(os.environ, DISPLAY=self.display)
        keymap = subprocess.run(["xmodmap", "-pke"], env=env, check=True, capture_output=True,
                                text=True).stdout
        spare = [int(m.group(1)) for m in re.finditer(r"^keycode\s+(\d+) =\s*$", keymap, re.M)]
        check(len(spare) >= len(self.characters), "no spare keycodes for %r" % self.characters)
        rules = []
        for keycode, character in zip(reversed(spare), self.characters):
            rules += ["-e", "keycode %d = U%04X U%04X" % (keycode, ord(character), ord(character))]
        subprocess.run(["xmodmap", *rules], env=env, check=True)

    def __exit__(self, *exc):
        self.proc.terminate()
        self.proc.wait(timeout=10)


def ini_line(key, value):
    return key + "=" + value


def prepared_ini(history):
    lines = ["[Velto]", "Top=1500", "Left=3000", "AlwaysTop=0", "DefaultSearch=1"]
    lines += [ini_line("SearchSelect(%d)" % i, str(i)) for i in range(5)]
    lines += ["[SearchData]"]
    names = ["A", "B", "検索エンジン", "D"]
    for i, host in enumerate("abcd"):
        lines += [ini_line("SearchName(%d)" % i, names[i]),
                  ini_line("SearchHome(%d)" % i, "http://%s.example/home" % host),
                  ini_line("SearchEngn(%d)" % i, "http://%s.example/?q=" % host)]
    lines += ["[History]"]
    lines += [ini_line("SearchHistory(%d)" % i, history[i] if i < len(history) else "")
              for i in range(10)]
    return lines


def encode(lines):
    return ("\r\n".join(lines) + "\r\n").encode("cp932")


def saved_ini(lines, top, left, history):
    """The prepared file after the closing steps: those keys rewritten in place as fields."""
    values = {"Top": top, "Left": left}
    for i in range(10):
        values["SearchHistory(%d)" % i] = history[i] if i < len(history) else ""
    out = []
    for line in lines:
        key = line.split("=", 1)[0]
        out.append(key + "=" + values[key].ljust(FIELD) if key in values and "=" in line else line)
    return encode(out)


RECORDER = """#!/bin/sh
# Stand-in for xdg-open: appends its arguments, NUL-terminated, after their count.
printf '%s\\0' "$#" "$@" >> "$(dirname "$0")/opened"
"""


class Velto:
    def __init__(self, folder, env):
        self.folder, self.env = folder, env

    def start(self, *args):
        return subprocess.Popen([os.path.join(self.folder, "velto"), *args], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def xdo(env, *args):
    return subprocess.run(["xdotool", *args], env=env, check=True, capture_output=True,
                          text=True).stdout.split()


def prepare_program_folder(root, velto_binary):
    """root/program holds a copy of velto; root/bin a recording xdg-open. Returns both."""
    folder = os.path.join(root, "program")
    tools = os.path.join(root, "bin")
    os.makedirs(folder)
    os.makedirs(tools)
    shutil.copy2(os.path.abspath(velto_binary), os.path.join(folder, "velto"))
    recorder = os.path.join(tools, "xdg-open")
    with open(recorder, "w") as f:
        f.write(RECORDER)
    os.chmod(recorder, 0o755)
    return folder, tools


def main():
    root = tempfile.mkdtemp(prefix="velto-e2e-")
    try:
        folder, tools = prepare_program_folder(root, sys.argv[1])
        opened_file = os.path.join(tools, "opened")

        lines = prepared_ini(["old query", "東京タワー"])
        ini_path = os.path.join(folder, "velto.ini")
        with open(ini_path, "wb") as f:
            f.write(encode(lines))

        with Xvfb(characters="東京") as x:
            env = dict(os.environ, DISPLAY=x.display, PATH=tools + ":" + os.environ["PATH"],
                       LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb")
            env.pop("WAYLAND_DISPLAY", None)
            run(Velto(folder, env), env, folder, ini_path, opened_file, lines)
        print("velto end-to-end: all checks passed")
    finally:
        shutil.rmtree(root, ignore_errors=True)


def opened(opened_file):
    if not os.path.exists(opened_file):
        return []
    parts = open(opened_file, "rb").read().split(b"\0")[:-1]
    out, i = [], 0
    while i < len(parts):
        count = int(parts[i])
        check(count == 1, "xdg-open got %d arguments" % count)
        out.append(parts[i + 1].decode("utf-8"))
        i += 1 + count
    return out


def zombie_children(pid):
    zombies = 0
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            stat = open("/proc/%s/stat" % entry).read()
        except OSError:
            continue
        fields = stat[stat.rfind(")") + 2:].split()
        zombies += fields[0] == "Z" and int(fields[1]) == pid
    return zombies


def run(velto, env, folder, ini_path, opened_file, lines):
    first = velto.start()
    windows = wait_until(lambda: visible_windows(env), 15, "the search bar window")
    check(len(windows) == 1, "velto shows %d windows" % len(windows))
    window = windows[0]
    x, y = window_position(env, window)
    check((x, y) == (200, 100), "window at %d,%d, stored position is 200,100" % (x, y))
    xdo(env, "windowfocus", "--sync", window)
    time.sleep(0.3)

    expected = []

    def expect_opened(address):
        expected.append(address)
        wait_until(lambda: len(opened(opened_file)) >= len(expected), 10,
                   "xdg-open for " + address)
        check(opened(opened_file) == expected,
              "opened %r, expected %r" % (opened(opened_file), expected))

    def key(*keys):
        xdo(env, "key", "--clearmodifiers", "--delay", "40", *keys)

    def type_text(text):
        xdo(env, "type", "--delay", "40", text)

    type_text("hello world")
    key("Return")  # the default button is button 1
    expect_opened("http://b.example/?q=hello world")
    key("F1")
    expect_opened("http://a.example/?q=hello world")
    key("Escape")
    type_text("東京")
    key("shift+F4")
    expect_opened("http://d.example/?q=東京")
    key("Escape")
    type_text("a&b c")
    key("F8")  # into the history without a search
    # Right button on search button 2: its home page.
    xdo(env, "mousemove", "--window", window, "124", "46", "click", "3")
    expect_opened("http://c.example/home")
    # The menu button, then the last entry of the menu with the keyboard.
    xdo(env, "mousemove", "--window", window, "225", "46", "click", "1")
    time.sleep(0.5)
    key("Up")
    key("Return")
    expect_opened("http://www.infoseek.co.jp/Titles?tds=&col=SW&sv=JP&lk=norames&rt=JG&qt=a&b c")

    # Every xdg-open has ended by now; none may stay behind as a zombie.
    wait_until(lambda: zombie_children(first.pid) == 0, 5, "xdg-open to be reaped")

    # A second start for the same folder ends at once, shows nothing and writes nothing.
    before = sorted(os.listdir(folder)), open(ini_path, "rb").read()
    started = time.monotonic()
    second = velto.start()
    status = second.wait(timeout=10)
    took = time.monotonic() - started
    check(status == 0, "second start ended with status %d" % status)
    check(took < 2.0, "second start took %.2f s" % took)
    check(visible_windows(env) == windows, "second start showed a window")
    check((sorted(os.listdir(folder)), open(ini_path, "rb").read()) == before,
          "second start wrote into the program folder")

    first.send_signal(signal.SIGTERM)
    status = first.wait(timeout=10)
    check(status == 0, "SIGTERM ended velto with status %d: %s" % (status, first.stderr.read()))

    history = ["a&b c", "東京", "hello world", "old query", "東京タワー"]
    actual_ini = open(ini_path, "rb").read()
    expected_ini = saved_ini(lines, "1500", "3000", history)
    check(actual_ini == expected_ini,
          "velto.ini differs:\n%r\nexpected\n%r" % (actual_ini, expected_ini))
    log = open(os.path.join(folder, "log.txt"), "rb").read()
    expected_log = "hello world\r\n東京\r\na&b c\r\n".encode("cp932")
    check(log == expected_log, "log.txt is %r, expected %r" % (log, expected_log))
    check(opened(opened_file) == expected, "addresses opened after the end")


def visible_windows(env):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", "velto"],
                          env=env, capture_output=True, text=True).stdout.split()


def window_position(env, window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window], env=env,
                         capture_output=True, text=True, check=True).stdout
    values = dict(line.split("=", 1) for line in out.split())
    return int(values["X"]), int(values["Y"])


if __name__ == "__main__":
    main()
