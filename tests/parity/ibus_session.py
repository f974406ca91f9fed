"""A private ibus for the Linux front end's compositions: an ibus-daemon of our own on its own
socket, with its configuration, cache and settings kept out of the user's, and the Japanese
engine anthy switched on and off around each composition.

How the engine is made to convert rather than pass keys through:
- the program finds this daemon through the address file IBUS_ADDRESS_FILE names (Qt's ibus
  module reads only that file, never IBUS_ADDRESS), written here, and takes ibus as its input
  method with QT_IM_MODULE=ibus;
- the daemon starts with the plain keyboard engine (xkb:us::eng), so that what is typed outside
  a composition reaches the program unchanged; for a composition the runner sets the global
  engine to anthy with `ibus engine anthy` while the bar's query box has the focus, and
  `ibus engine xkb:us::eng` afterwards;
- anthy starts in Latin input mode, which passes every key through; its first input mode is
  the GSettings key org.freedesktop.ibus.engine.anthy.common input-mode, set to 0 (hiragana)
  in a keyfile settings backend (GSETTINGS_BACKEND=keyfile) under a private XDG_CONFIG_HOME,
  so no user or machine setting takes part."""
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
        # The engines are Python programs of Debian's Python (they need its gi module). No
        # display: switching to the keyboard engine would run setxkbmap on the X server and
        # drop the keycodes the runner bound for the scenarios' characters.
        config = os.path.join(folder, "config")
        settings = os.path.join(config, "glib-2.0", "settings")
        os.makedirs(settings, exist_ok=True)
        with open(os.path.join(settings, "keyfile"), "w") as f:
            f.write("[org/freedesktop/ibus/engine/anthy/common]\ninput-mode=0\n")
        self.env = dict(env, IBUS_ADDRESS=self.address, GSETTINGS_BACKEND="keyfile",
                        XDG_CONFIG_HOME=config,
                        XDG_CACHE_HOME=os.path.join(folder, "cache"),
                        PATH="/usr/bin:/bin:" + env.get("PATH", ""))
        self.env.pop("DISPLAY", None)
        self.log = open(os.path.join(folder, "daemon.log"), "w")
        self.proc = subprocess.Popen(
            ["ibus-daemon", "--panel", "disable", "--emoji-extension", "disable", "--cache",
             "none", "--address", self.address, "--verbose"],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        self.address_file = os.path.join(folder, "address")
        with open(self.address_file, "w") as f:
            f.write(f"IBUS_ADDRESS={self.address}\nIBUS_DAEMON_PID={self.proc.pid}\n")
        deadline = time.monotonic() + 20
        while not self.engine(DIRECT, check=False, seconds=0.5):
            if self.proc.poll() is not None or time.monotonic() > deadline:
                self.close()
                raise RuntimeError("ibus-daemon did not come up; see " + self.log.name)
            time.sleep(0.2)

    def program_env(self, env):
        """The bar's environment: the daemon's address file, ibus as the input method."""
        return dict(env, IBUS_ADDRESS_FILE=self.address_file, QT_IM_MODULE="ibus")

    def engine(self, name, check=True, seconds=10.0):
        """Sets the global engine and waits until the daemon reports it. The command's own
        status is no guide: it fails whenever setxkbmap cannot run, engine set or not."""
        subprocess.run(["ibus", "engine", name], env=self.env, capture_output=True, timeout=10)
        deadline = time.monotonic() + seconds
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
