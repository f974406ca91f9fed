"""A private ibus for the Linux front end's compositions: an ibus-daemon of our own on its own
socket, with its configuration, cache and settings kept out of the user's, and the Japanese
engine anthy switched on and off around each composition.

How the engine is made to convert rather than pass keys through: the daemon starts with the
plain keyboard engine (xkb:us::eng), so everything typed outside a composition reaches the
program unchanged. For a composition the runner sets the global engine to anthy with
`ibus engine anthy` while the bar's query box has the focus; anthy begins in its hiragana input
mode, which is its default (GSettings key org.freedesktop.ibus.engine.anthy.common input-mode,
0), read here from an in-memory settings backend so that no user or machine setting can change
it. Afterwards `ibus engine xkb:us::eng` switches it off again. The program finds the daemon
through IBUS_ADDRESS and takes it as its input method with QT_IM_MODULE=ibus."""
import os
import shutil
import subprocess
import time

JAPANESE = "anthy"
DIRECT = "xkb:us::eng"


class IBusSession:
    def __init__(self, root, env):
        for tool in ("ibus-daemon", "ibus"):
            if shutil.which(tool) is None:
                raise RuntimeError(tool + " is missing: scripts/setup-machine.sh installs ibus "
                                   "and ibus-anthy")
        folder = os.path.join(root, "ibus")
        os.makedirs(folder, exist_ok=True)
        self.address = "unix:path=" + os.path.join(folder, "socket")
        self.env = dict(env, IBUS_ADDRESS=self.address, GSETTINGS_BACKEND="memory",
                        XDG_CONFIG_HOME=os.path.join(folder, "config"),
                        XDG_CACHE_HOME=os.path.join(folder, "cache"))
        self.log = open(os.path.join(folder, "daemon.log"), "w")
        self.proc = subprocess.Popen(
            ["ibus-daemon", "--panel", "disable", "--emoji-extension", "disable", "--cache",
             "none", "--address", self.address, "--verbose"],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 20
        while not self.engine(DIRECT, check=False):
            if self.proc.poll() is not None or time.monotonic() > deadline:
                self.close()
                raise RuntimeError("ibus-daemon did not come up; see " + self.log.name)
            time.sleep(0.2)

    def program_env(self, env):
        """The bar's environment: the daemon's address, ibus as the input method."""
        return dict(env, IBUS_ADDRESS=self.address, QT_IM_MODULE="ibus",
                    GSETTINGS_BACKEND="memory", XDG_CONFIG_HOME=self.env["XDG_CONFIG_HOME"])

    def engine(self, name, check=True):
        """Sets the global engine and waits until the daemon reports it."""
        done = subprocess.run(["ibus", "engine", name], env=self.env, capture_output=True,
                              text=True, timeout=10)
        if done.returncode != 0:
            if check:
                raise RuntimeError(f"ibus engine {name}: {done.stderr.strip()}")
            return False
        deadline = time.monotonic() + 10
        while True:
            now = subprocess.run(["ibus", "engine"], env=self.env, capture_output=True,
                                 text=True, timeout=10).stdout.strip()
            if now == name:
                return True
            if time.monotonic() > deadline:
                if check:
                    raise RuntimeError(f"ibus still runs engine {now!r}, not {name}")
                return False
            time.sleep(0.1)

    def close(self):
        self.proc.terminate()
        try:
            self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        self.log.close()
