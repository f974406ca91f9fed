#!/usr/bin/env python3
"""Start-up of velto against a minimal Qt Widgets program, measured in the same run.

"text" is the same minimal program with one line of text, which pays what every window with
text pays (fontconfig's start and a font loaded). For each program, alternating, ROUNDS
times: the time from exec to its window being mapped on an Xvfb display of our own, and the
peak resident memory of the run (the window left up for a moment, then SIGTERM). velto runs from a fresh program folder with the factory settings.

usage: startup_bench.py BUILD_FOLDER [ROUNDS]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile


def xvfb():
    read_fd, write_fd = os.pipe()
    proc = subprocess.Popen(["Xvfb", "-noreset", "-displayfd", str(write_fd), "-screen", "0", "800x600x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        return proc, ":" + pipe.readline().strip()


def measure(watch, program, env):
    run = subprocess.run([watch, "300", *program], env=env, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("map_watch failed for %s: %s" % (program, run.stderr.strip()))
    out = run.stdout
    values = dict(item.split("=") for item in out.split())
    return int(values["map_us"]) / 1000.0, int(values["maxrss_kb"]) / 1024.0


def main():
    build = os.path.abspath(sys.argv[1])
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    watch = os.path.join(build, "bench", "qt", "map_watch")
    minimal = os.path.join(build, "bench", "qt", "minimal_qt")
    folder = tempfile.mkdtemp(prefix="velto-startup-")
    server, display = xvfb()
    try:
        velto = [os.path.join(folder, "velto")]
        shutil.copy2(os.path.join(build, "velto"), velto[0])
        shutil.copy2(os.path.join(build, "velto-config"), os.path.join(folder, "velto-config"))
        subprocess.run([os.path.join(folder, "velto-config"), "defaults"], check=True)
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", LANG="ja_JP.UTF-8")
        env.pop("WAYLAND_DISPLAY", None)
        programs = {"minimal": [minimal], "text": [minimal, "--text"], "velto": velto}
        results = {name: [] for name in programs}
        for program in programs.values():  # warm the file cache for all
            measure(watch, program, env)
        for _ in range(rounds):
            for name, program in programs.items():
                results[name].append(measure(watch, program, env))
        summary = {}
        for name, runs in results.items():
            times = [t for t, _ in runs]
            rss = [m for _, m in runs]
            summary[name] = (statistics.median(times), statistics.median(rss))
            print("%-8s exec->mapped median %.1f ms (min %.1f, max %.1f); peak RSS median %.1f MiB"
                  % (name, summary[name][0], min(times), max(times), summary[name][1]))
        for base, time_goal, memory_goal in (("minimal", 1.3, 1.2), ("text", 1.05, 1.15)):
            print("velto / %-7s start-up %.2f x (goal <= %.2f); peak memory %.2f x (goal <= %.2f)"
                  % (base, summary["velto"][0] / summary[base][0], time_goal,
                     summary["velto"][1] / summary[base][1], memory_goal))
        # Each round starts the programs one after the other, so a round's ratio sees the
        # machine's load of that moment on both sides; its median is the steadier figure.
        rounds_ratio = statistics.median(v[0] / t[0] for v, t in zip(results["velto"], results["text"]))
        print("velto / text    start-up, round by round: median ratio %.2f x" % rounds_ratio)
    finally:
        server.terminate()
        server.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    main()
