#!/usr/bin/env python3
"""The settings dialog of the real velto under its own Xvfb, driven with X events (xdotool).

The menu entry "設定" opens the dialog below the search bar, out of the taskbar and without
an owner; the bar keeps searching while it is open. With the keyboard the user gives search
button 1 the empty slot 4, fills that slot in the engine editor (Enter stores it at once) and
confirms with OK. Afterwards a search with the default button goes to the new engine. The
program ends with SIGTERM while the dialog is open again with a changed choice; velto.ini and
log.txt are compared byte for byte.

usage: dialog_e2e.py PATH/TO/velto
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no cache of the shared helpers in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from velto_e2e import (FIELD, Xvfb, check, encode, opened,  # noqa: E402
                       prepare_program_folder, visible_windows, wait_until, window_position,
                       xdo)


def prepared_ini():
    lines = ["[Velto]", "Top=1500", "Left=3000", "AlwaysTop=0", "DefaultSearch=0"]
    lines += ["SearchSelect(%d)=%d" % (i, i) for i in range(5)]
    lines += ["[SearchData]"]
    for i, host in enumerate("abcde"):
        known = i < 4
        lines += ["SearchName(%d)=%s" % (i, host.upper() if known else ""),
                  "SearchHome(%d)=%s" % (i, "http://%s.example/home" % host if known else ""),
                  "SearchEngn(%d)=%s" % (i, "http://%s.example/?q=" % host if known else "")]
    lines += ["[History]"] + ["SearchHistory(%d)=" % i for i in range(10)]
    return lines


def rewritten(lines, values):
    """The file after the program wrote these keys: each in place, as a blank-padded field."""
    out = []
    for line in lines:
        key = line.split("=", 1)[0]
        out.append(key + "=" + values[key].ljust(FIELD) if key in values else line)
    return encode(out)


def poll(predicate, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if predicate():
            return True
        time.sleep(0.02)
    return False


def window_named(env, name):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % name],
                           env=env, capture_output=True, text=True).stdout.split()
    return found[0] if len(found) == 1 else None


def window_size(env, window):
    out = xdo(env, "getwindowgeometry", "--shell", window)
    values = dict(item.split("=", 1) for item in out)
    return int(values["WIDTH"]), int(values["HEIGHT"])


def window_property(env, window, name):
    return subprocess.run(["xprop", "-id", window, name], env=env, capture_output=True,
                          text=True).stdout


def main():
    root = tempfile.mkdtemp(prefix="velto-dialog-e2e-")
    try:
        folder, tools = prepare_program_folder(root, sys.argv[1])
        lines = prepared_ini()
        ini_path = os.path.join(folder, "velto.ini")
        with open(ini_path, "wb") as f:
            f.write(encode(lines))

        with Xvfb(characters="ゼータ") as x:
            env = dict(os.environ, DISPLAY=x.display, PATH=tools + ":" + os.environ["PATH"],
                       LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb")
            env.pop("WAYLAND_DISPLAY", None)
            run(env, folder, ini_path, os.path.join(tools, "opened"), lines)
        print("velto settings dialog end-to-end: all checks passed")
    finally:
        shutil.rmtree(root, ignore_errors=True)


def run(env, folder, ini_path, opened_file, lines):
    velto = subprocess.Popen([os.path.join(folder, "velto")], env=env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        drive(env, velto, ini_path, opened_file, lines)
    except SystemExit:
        if velto.poll() is None:
            velto.kill()
        print("velto ended with status %s: %s" % (velto.wait(), velto.stderr.read()), flush=True)
        raise


def drive(env, velto, ini_path, opened_file, lines):
    bar = wait_until(lambda: window_named(env, "ヴェルト"), 15, "the search bar window")
    xdo(env, "windowfocus", "--sync", bar)
    time.sleep(0.3)

    def key(*keys):
        xdo(env, "key", "--clearmodifiers", "--delay", "40", *keys)

    def type_text(text):
        xdo(env, "type", "--delay", "40", text)

    def expect_opened(addresses):
        wait_until(lambda: len(opened(opened_file)) >= len(addresses), 10, "xdg-open")
        check(opened(opened_file) == addresses,
              "opened %r, expected %r" % (opened(opened_file), addresses))

    # The menu button, then the menu's first entry "設定".
    xdo(env, "mousemove", "--window", bar, "225", "46", "click", "1")
    time.sleep(0.5)
    key("Down")
    key("Return")
    dialog = wait_until(lambda: window_named(env, "設定"), 10, "the settings dialog")
    check(len(visible_windows(env)) == 2, "the dialog is not a second top-level window")
    check(window_size(env, dialog) == (462, 288), "dialog size %r" % (window_size(env, dialog),))
    # Directly below the bar (no window manager draws frames here), at the bar's left edge.
    check(window_position(env, dialog) == (200, 163),
          "dialog at %r, expected below the bar at 200,163" % (window_position(env, dialog),))
    state = window_property(env, dialog, "_NET_WM_STATE")
    check("_NET_WM_STATE_SKIP_TASKBAR" in state, "the dialog may show in the taskbar: " + state)
    kind = window_property(env, dialog, "_NET_WM_WINDOW_TYPE")
    check("_NET_WM_WINDOW_TYPE_DIALOG" in kind, "window type " + kind)
    hints = window_property(env, dialog, "WM_NORMAL_HINTS")
    check("minimum size: 462 by 288" in hints and "maximum size: 462 by 288" in hints,
          "the dialog can be resized: " + hints)
    transient = window_property(env, dialog, "WM_TRANSIENT_FOR").split()[-1]
    check(int(transient, 16) != int(bar), "the dialog is owned by the search bar")

    # Modeless: the bar searches while the dialog is open (a click into the query box first:
    # the click on the menu button left the focus there).
    xdo(env, "mousemove", "--window", bar, "100", "16", "click", "1")
    time.sleep(0.2)
    type_text("x")
    key("F2")
    expect_opened(["http://b.example/?q=x"])
    key("Escape")

    # Back in the dialog, the first engine selector has the focus.
    xdo(env, "windowfocus", "--sync", dialog)
    time.sleep(0.3)
    key("Down", "Down", "Down", "Down")  # search button 1: slot 0 -> the empty slot 4
    key(*["Tab"] * 6)  # past the other selectors to the name box of slot 4
    type_text("ゼータ")
    key("Tab")
    type_text("http://z.example/home")
    key("Tab")
    type_text("http://z.example/?q=")
    key("Return")  # stores slot 4 at once
    stored = {"SearchName(4)": "ゼータ", "SearchHome(4)": "http://z.example/home",
              "SearchEngn(4)": "http://z.example/?q="}
    if not poll(lambda: open(ini_path, "rb").read() == rewritten(lines, stored), 10):
        check(False, "slot 4 in velto.ini:\n%r" % open(ini_path, "rb").read().decode("cp932"))
    check(window_named(env, "設定"), "Enter in an edit box closed the dialog")

    # 変更, 削除, クリア, the keyword box, the suggestion switch and box, the character set and
    # the blank's form, 取り込み…, the check box, OK
    key(*["Tab"] * 11)
    key("space")
    wait_until(lambda: window_named(env, "設定") is None, 10, "OK to close the dialog")
    options = dict(stored, AlwaysTop="0", DefaultSearch="0")
    options.update({"SearchSelect(%d)" % i: str(i) for i in range(5)})
    options["SearchSelect(0)"] = "4"
    check(open(ini_path, "rb").read() == rewritten(lines, options), "options after OK")

    # The default button is search button 1, which now searches with the new engine; its
    # right button opens the new home page.
    xdo(env, "windowfocus", "--sync", bar)
    time.sleep(0.2)
    type_text("hello")
    key("Return")
    expect_opened(["http://b.example/?q=x", "http://z.example/?q=hello"])
    xdo(env, "mousemove", "--window", bar, "28", "46", "click", "3")
    expect_opened(["http://b.example/?q=x", "http://z.example/?q=hello", "http://z.example/home"])

    # Open again and change a choice, then end the program: the dialog goes with the bar and
    # its choice is not taken over.
    xdo(env, "mousemove", "--window", bar, "225", "46", "click", "1")
    time.sleep(0.5)
    key("Down")
    key("Return")
    dialog = wait_until(lambda: window_named(env, "設定"), 10, "the settings dialog again")
    xdo(env, "windowfocus", "--sync", dialog)
    time.sleep(0.3)
    key("Down")
    velto.send_signal(signal.SIGTERM)
    status = velto.wait(timeout=10)
    check(status == 0, "SIGTERM ended velto with status %d: %s" % (status, velto.stderr.read()))
    final = dict(options, Top="1500", Left="3000")
    final.update({"SearchHistory(%d)" % i: "" for i in range(10)})
    final.update({"SearchHistory(0)": "hello", "SearchHistory(1)": "x"})
    actual = open(ini_path, "rb").read()
    check(actual == rewritten(lines, final), "velto.ini at the end:\n%r" % actual)
    log = open(os.path.join(os.path.dirname(ini_path), "log.txt"), "rb").read()
    check(log == b"x\r\nhello\r\n", "log.txt is %r" % log)


if __name__ == "__main__":
    main()
