#!/usr/bin/env python3
"""Calling the real velto from outside under its own Xvfb: commands of later starts
(--search, --focus, to a running bar, to none, to one that does not answer) and the global
focus key pressed while another window has the focus.

usage: bar_commands_e2e.py PATH/TO/velto
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from velto_e2e import Velto, Xvfb, check, opened, prepare_program_folder, visible_windows, \
    wait_until, xdo

GOOGLE = "https://www.google.com/search?q="


def main():
    root = tempfile.mkdtemp(prefix="velto-commands-")
    try:
        folder, tools = prepare_program_folder(root, sys.argv[1])
        shutil.copy2(os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), "velto-config"),
                     folder)
        subprocess.run([os.path.join(folder, "velto-config"), "starter"], check=True)
        runtime = os.path.join(root, "run")
        os.mkdir(runtime, 0o700)
        with Xvfb() as x:
            env = dict(os.environ, DISPLAY=x.display, PATH=tools + ":" + os.environ["PATH"],
                       LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)
            env.pop("WAYLAND_DISPLAY", None)
            run(Velto(folder, env), env, os.path.join(tools, "opened"))
            unreadable = os.path.join(root, "unreadable")
            os.mkdir(unreadable)
            unreadable_settings(unreadable, sys.argv[1], env)
        print("velto commands end-to-end: all checks passed")
    finally:
        shutil.rmtree(root, ignore_errors=True)


def run(velto, env, opened_file):
    def expect_opened(addresses):
        wait_until(lambda: len(opened(opened_file)) >= len(addresses), 10, str(addresses))
        check(opened(opened_file) == addresses, "opened %r" % opened(opened_file))

    def later_start(*args):
        second = velto.start(*args)
        status = second.wait(timeout=10)
        return status, second.stderr.read().decode()

    # No bar runs: the start brings one up, hands it the command and ends with its status
    # once the command is taken, not when the bar is closed; its output does not stay open.
    starter = subprocess.run([os.path.join(velto.folder, "velto"), "--search", "C++ 入門"],
                             env=env, capture_output=True, timeout=30)
    check((starter.returncode, starter.stderr) == (0, b""),
          "first --search: %d %r" % (starter.returncode, starter.stderr))
    wait_until(lambda: visible_windows(env), 15, "the search bar window")
    expect_opened([GOOGLE + "C%2B%2B%20%E5%85%A5%E9%96%80"])
    first = BarProcess(wait_until(lambda: lock_holder(velto.folder), 5, "the bar's process"))

    # A running bar takes the command; the later start ends with 0 and shows nothing.
    check(later_start("--search", "AT&T", "東京") == (0, ""), "--search to the running bar")
    expect_opened([GOOGLE + "C%2B%2B%20%E5%85%A5%E9%96%80", GOOGLE + "AT%26T%20%E6%9D%B1%E4%BA%AC"])
    check(len(visible_windows(env)) == 1, "a later start showed a window")
    check(later_start() == (0, ""), "a plain later start")

    # Searches that cannot be carried out are refused with status 2 and the reason, bar or no
    # bar; the longest allowed one goes through.
    for args, words in ((["--search", "x" * 32768], "longer than 32,767 characters"),
                        (["--search", b"\xff\xfe"], "not valid UTF-8"),
                        (["--search", ""], "needs a text"), (["/S", '""'], "needs a text")):
        status, error = later_start(*args)
        check(status == 2 and words in error and error.count("\n") == 1,
              "refused %r: %d %r" % (words, status, error))
    check(later_start("--search", "x" * 32767) == (0, ""), "the longest search")
    expect_opened([GOOGLE + "C%2B%2B%20%E5%85%A5%E9%96%80", GOOGLE + "AT%26T%20%E6%9D%B1%E4%BA%AC",
                   GOOGLE + "x" * 32767])
    burst(velto, opened_file, first)

    # --focus and the global focus key take the focus from another window.
    other = subprocess.Popen(["xmessage", "-geometry", "+300+400", "other"], env=env,
                             stderr=subprocess.DEVNULL)
    try:
        window = wait_until(lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--classname", "xmessage"], env=env,
            capture_output=True, text=True).stdout.split(), 10, "the other window")[0]
        bar = visible_windows(env)[0]
        focused = lambda: xdo(env, "getwindowfocus")[0]
        for call in (lambda: check(later_start("--focus") == (0, ""), "--focus"),
                     lambda: xdo(env, "key", "ctrl+alt+space")):
            xdo(env, "windowfocus", "--sync", window)
            call()
            wait_until(lambda: focused() == bar, 5, "the bar to take the focus")
    finally:
        other.terminate()

    # A bar that does not answer: the later start gives up within about a second.
    first.send_signal(signal.SIGSTOP)
    started = time.monotonic()
    status, error = later_start("--focus")
    took = time.monotonic() - started
    first.send_signal(signal.SIGCONT)
    check(status == 1 and "velto:" in error, "unanswered --focus: %d %r" % (status, error))
    check(took < 8.0, "unanswered --focus took %.2f s" % took)

    first.send_signal(signal.SIGTERM)
    first.wait(timeout=10)
    check(os.listdir(os.path.join(env["XDG_RUNTIME_DIR"], "velto")) == [],
          "the socket stays after the end")

    # A later start right behind the first, while the bar is still coming up (it listens only
    # once its window is shown): the command is not lost.
    earlier = opened(opened_file)
    first = velto.start()
    # Only once the first holds the instance lock, or the later start could win the race and
    # be the bar itself.
    wait_until(lambda: holds_lock(velto.folder), 15, "the first start to take the lock")
    check(later_start("--search", "gap") == (0, ""), "--search while the bar starts")
    expect_opened(earlier + [GOOGLE + "gap"])
    check(len(visible_windows(env)) == 1, "two bars after a start in the gap")
    first.send_signal(signal.SIGTERM)
    check(first.wait(timeout=10) == 0, "SIGTERM after the start in the gap")


def unreadable_settings(root, velto_binary, env):
    """A velto.ini that is there but cannot be read (a folder of its name, which stops root
    too): a search is refused with one line and status 1, a plain start says so once in a
    message box and then shows the bar, and nothing is ever written into the folder."""
    folder, tools = prepare_program_folder(root, velto_binary)
    env = dict(env, PATH=tools + ":" + env["PATH"])
    os.mkdir(os.path.join(folder, "velto.ini"))
    velto = Velto(folder, env)
    before = sorted(os.listdir(folder))

    def refused_search():
        start = velto.start("--search", "tokyo")
        status, error = start.wait(timeout=10), start.stderr.read().decode()
        check(status == 1 and "cannot read the settings file" in error and
              os.path.join(folder, "velto.ini") in error and error.count("\n") == 1,
              "search with unreadable settings: %d %r" % (status, error))

    refused_search()
    check(visible_windows(env) == [], "a refused search showed a window")
    bar = velto.start()
    message = wait_until(lambda: visible_windows(env), 15, "the message box")
    check(len(message) == 1, "windows besides the message box: %r" % message)
    xdo(env, "windowfocus", "--sync", message[0])
    xdo(env, "key", "Return")
    shown = wait_until(lambda: [w for w in visible_windows(env) if w not in message], 15,
                       "the bar after the message")
    check(len(shown) == 1 and message[0] not in visible_windows(env), "one message, then the bar")
    refused_search()  # to the running bar too
    bar.send_signal(signal.SIGTERM)
    check(bar.wait(timeout=10) == 0, "SIGTERM with unreadable settings")
    check(sorted(os.listdir(folder)) == before and os.listdir(os.path.join(folder, "velto.ini"))
          == [], "files written: %r" % sorted(os.listdir(folder)))
    check(not os.path.exists(os.path.join(tools, "opened")), "an address was opened")


def lock_holder(folder):
    """The process holding the instance lock, a flock on the settings folder, or None; read
    from /proc/locks, so that looking never takes the lock itself."""
    inode = ":%d" % os.stat(folder).st_ino
    with open("/proc/locks") as locks:
        for fields in (line.split() for line in locks):
            if len(fields) > 5 and fields[1] == "FLOCK" and fields[5].endswith(inode):
                return int(fields[4])
    return None


def holds_lock(folder):
    return lock_holder(folder) is not None


class BarProcess:
    """The bar a start brought up, which is no child of this script: signals and its end."""

    def __init__(self, pid):
        self.pid = pid

    def send_signal(self, sig):
        os.kill(self.pid, sig)

    def wait(self, timeout):
        wait_until(lambda: not os.path.exists("/proc/%d" % self.pid) or
                   open("/proc/%d/stat" % self.pid).read().split(") ")[-1].startswith("Z"),
                   timeout, "the bar to end")
        return 0


def burst(velto, opened_file, bar, count=200):
    """Many later starts at once while the bar is busy for two seconds (stopped): exactly the
    searches whose start ended with 0 are opened."""
    before = len(opened(opened_file))
    started = time.monotonic()
    bar.send_signal(signal.SIGSTOP)
    starts = [velto.start("--search", "p%d" % i) for i in range(count)]
    time.sleep(max(0.0, 2.0 - (time.monotonic() - started)))
    bar.send_signal(signal.SIGCONT)
    statuses = [start.wait(timeout=60) for start in starts]
    took = time.monotonic() - started
    errors = {start.stderr.read().decode().strip() for start in starts} - {""}
    taken = sorted(GOOGLE + "p%d" % i for i, status in enumerate(statuses) if status == 0)
    wait_until(lambda: len(opened(opened_file)) - before >= len(taken), 30, "the burst's searches")
    time.sleep(1)  # a search carried out for a start that reported failure would show by now
    carried_out = sorted(opened(opened_file)[before:])
    print("burst of %d later starts: %d ended 0, %d ended 1, %d searches opened, %.1f s%s" % (
        count, statuses.count(0), statuses.count(1), len(carried_out), took,
        "; " + " | ".join(sorted(errors)) if errors else ""))
    check(set(statuses) <= {0, 1}, "burst statuses %r" % sorted(set(statuses)))
    check(carried_out == taken, "burst: %d opened for %d taken" % (len(carried_out), len(taken)))


if __name__ == "__main__":
    main()
