"""The parity table's Linux front end: the real velto under an Xvfb of its own (1024x768, as
Wine's), started out of process in a fresh program folder and driven with real X input.

Keys, typing and clicks go through XTest (xdotool); the global keys are real key chords; the
selection is a real PRIMARY selection owned by xclip; later starts are real second processes;
drops are real XDND drags from a small drag source (drag_source.cpp) carried by the pointer.
What the bar shows (the query, the history list, whether the list is open, message boxes and
where each control is) is read over the accessibility bus, as a screen reader reads it; the
window's rectangle comes from the X server. The bar is closed with SIGTERM, which takes the
same closing steps as the close box (there is no window manager to send the close request).

Needs a session bus: run under dbus-run-session."""
import os
import re
import shutil
import signal
import stat
import subprocess
import tempfile
import time

from ibus_session import DIRECT, JAPANESE, IBusSession
from parity_check import Seen, quiet_time, tab_separated_runs

KEYS = {"Enter": "Return", "Esc": "Escape", "Tab": "Tab", "Down": "Down", "Up": "Up"}
BUTTONS = {"click": "1", "rclick": "3", "mclick": "2"}
TITLE = "ヴェルト"
MESSAGE_ROLES = ("alert", "dialog")
DIALOG_TITLE = "設定"
# The settings dialog's buttons and check boxes as the steps name them, by their captions.
DIALOG_CAPTIONS = {"ok": "OK", "cancel": "キャンセル", "help": "ヘルプ", "restore": "標準に戻す",
                   "change": "変更", "delete": "削除", "clear": "クリア", "check": "常に手前に表示",
                   "suggest": "検索候補を表示", "import": "取り込み…"}
CHOOSER_TITLE = "サーチエンジンの取り込み"

RECORDER = """#!/bin/sh
# The recording browser: its arguments on one line, separated by tabs.
out= sep=
for a in "$@"; do out="$out$sep$a"; sep='\t'; done
printf '%s\\n' "$out" >> "$VELTO_ARGV_RECORD"
"""
# Stand-in for the desktop's handler of addresses: one address a line, as it arrives.
OPENER = '#!/bin/sh\nprintf "%s\\n" "$1" >> "$VELTO_BROWSER_RECORD"\n'


def executable(path, text):
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, os.stat(path).st_mode | stat.S_IEXEC)


def wait_for(predicate, seconds=10.0, what="a condition"):
    deadline = time.monotonic() + seconds
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(0.03)


def typed_characters(scenarios):
    text = ""
    for scenario in scenarios:
        for step in scenario["steps"]:
            text += step.get("type", "") + (step["dialog_type"][1] if "dialog_type" in step else "")
    return sorted(set(c for c in text if ord(c) > 0x7F))


class Xvfb:
    """An X server of our own that does not reset when its last client leaves. Each non-ASCII
    character the scenarios type gets a spare keycode of its own before any velto starts, so
    xdotool never rebinds a keycode under a program still reading the previous key."""

    def __init__(self, characters):
        read_fd, write_fd = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-noreset", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
             "-nolisten", "tcp"], pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        try:
            self.bind(characters)
        except BaseException:
            self.close()
            raise

    def bind(self, characters):
        env = dict(os.environ, DISPLAY=self.display)
        keymap = subprocess.run(["xmodmap", "-pke"], env=env, check=True, capture_output=True,
                                text=True).stdout
        spare = [int(m.group(1)) for m in re.finditer(r"^keycode\s+(\d+) =\s*$", keymap, re.M)]
        if len(spare) < len(characters):
            raise RuntimeError(f"{len(spare)} spare keycodes for {len(characters)} characters")
        rules = []
        for keycode, character in zip(reversed(spare), characters):
            rules += ["-e", "keycode %d = U%04X U%04X" % (keycode, ord(character), ord(character))]
        if rules:
            subprocess.run(["xmodmap", *rules], env=env, check=True)

    def close(self):
        self.proc.terminate()
        self.proc.wait(timeout=10)


def holds_lock(folder):
    """Whether some process holds the instance lock, a flock on the program folder; read from
    /proc/locks, so that looking never takes the lock itself."""
    inode = ":%d" % os.stat(folder).st_ino
    with open("/proc/locks") as locks:
        return any(len(fields) > 5 and fields[1] == "FLOCK" and fields[5].endswith(inode)
                   for fields in (line.split() for line in locks))


class Accessibility:
    """The running bar as the accessibility bus shows it."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        self.Atspi = Atspi
        Atspi.init()

    def application(self, pid):
        desktop = self.Atspi.get_desktop(0)
        desktop.clear_cache()
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    app.set_cache_mask(self.Atspi.Cache.NONE)
                    return app
            except Exception:  # an application that ended meanwhile
                continue
        return None

    def walk(self, node, depth=0):
        yield node, depth
        try:
            count = node.get_child_count()
        except Exception:
            return
        for i in range(count):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from self.walk(child, depth + 1)

    def role(self, node):
        return node.get_role_name()

    def showing(self, node):
        return node.get_state_set().contains(self.Atspi.StateType.SHOWING)

    def text(self, node):
        piece = node.get_text_iface()
        return piece.get_text(0, piece.get_character_count()) if piece else node.get_name()

    def centre(self, node):
        box = node.get_component_iface().get_extents(self.Atspi.CoordType.SCREEN)
        return box.x + box.width // 2, box.y + box.height // 2

    def extents(self, node):
        box = node.get_component_iface().get_extents(self.Atspi.CoordType.SCREEN)
        return box.x, box.y, box.width, box.height



class LinuxFrontEnd:
    def __init__(self, args, scenarios):
        self.args = args
        self.root = tempfile.mkdtemp(prefix="velto-parity-")
        tools = os.path.join(self.root, "bin")
        os.mkdir(tools)
        self.record = os.path.join(self.root, "opened.txt")
        self.argv_record = os.path.join(self.root, "argv.txt")
        executable(os.path.join(tools, "xdg-open"), OPENER)
        self.recorder = os.path.join(self.root, "browser")
        executable(self.recorder, RECORDER)
        runtime = os.path.join(self.root, "run")
        os.mkdir(runtime, 0o700)
        self.x = Xvfb(typed_characters(scenarios))
        self.env = {k: v for k, v in os.environ.items()
                    if k.lower() not in ("http_proxy", "https_proxy", "all_proxy", "no_proxy")
                    and k not in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        self.env.update(DISPLAY=self.x.display, PATH=tools + os.pathsep + os.environ["PATH"],
                        LANG="ja_JP.UTF-8", QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime,
                        QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", BROWSER="xdg-open",
                        VELTO_BROWSER_RECORD=self.record, VELTO_ARGV_RECORD=self.argv_record,
                        QT_LOGGING_RULES="qt.qpa.*=false;qt.accessibility.*=false")
        # Only the bar is seen on the accessibility bus; the helpers stay off it.
        self.helpers_env = dict(self.env)
        del self.helpers_env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"]
        self.a11y = Accessibility()
        self.selection_owner = None
        # Compositions go through a real input method, started only for tables that have them.
        self.ibus = None
        # How long the bar may take to answer; a bar with an input method first waits for
        # its input context, which takes longer on a busy machine.
        self.patience = 10
        if any("compose" in step for scenario in scenarios for step in scenario["steps"]):
            self.ibus = IBusSession(self.root, self.helpers_env)
            self.patience = 40
        self.program_env = self.env

    # -- the program folder and what the outside world got --------------------------------

    def folder(self, name, settings):
        for record in (self.record, self.argv_record):
            if os.path.exists(record):
                os.remove(record)
        path = os.path.join(self.root, name)
        os.mkdir(path)
        self.folder_path_for_browsers, self.browser_env = path, {}
        shutil.copy2(self.args.velto, os.path.join(path, "velto"))
        with open(os.path.join(path, "velto.ini"), "wb") as f:
            f.write(settings)
        return path

    def addresses(self, expected, quiet=None, wait=10.0):
        def read():
            if not os.path.exists(self.record):
                return []
            with open(self.record, encoding="utf-8") as f:
                return f.read().splitlines()
        deadline = time.time() + wait
        while time.time() < deadline and len(read()) < expected:
            time.sleep(0.2)
        time.sleep(quiet_time(expected, quiet))  # nothing more may arrive
        return read()

    @staticmethod
    def program_path(path):
        return path

    @staticmethod
    def as_received(address):
        return address

    def browser_runs(self, expected, quiet=None):
        return tab_separated_runs(self.argv_record, expected, quiet)

    def finish(self):
        if self.selection_owner:
            self.selection_owner.kill()
            self.selection_owner.wait()
        if self.ibus:
            self.ibus.close()
        self.x.close()
        if not self.args.keep:
            shutil.rmtree(self.root, ignore_errors=True)

    # -- X input --------------------------------------------------------------------------

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True).stdout.split()

    def settle(self):
        """Lets the bar handle what it was sent: input is queued, so give it a moment, then
        wait until it answers the accessibility bus again."""
        time.sleep(0.25)
        self.app_node()
        time.sleep(0.05)

    def key(self, *keys):
        self.xdo("key", "--delay", "40", *keys)
        self.settle()

    def click_at(self, point, button="1", count=1):
        x, y = point
        self.xdo("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        # Double-clicks: the presses as quickly after each other as a person's.
        self.xdo("click", "--repeat", str(count), "--delay", "80", button)
        self.settle()

    # -- reading the bar --------------------------------------------------------------------

    def app_node(self):
        return wait_for(lambda: self.a11y.application(self.process.pid), self.patience,
                        "the program on the accessibility bus")

    def top_levels(self):
        """The program's top-level windows that are shown."""
        app = self.app_node()
        windows = (app.get_child_at_index(i) for i in range(app.get_child_count()))
        return [w for w in windows if w is not None and self.a11y.showing(w)]

    def windows(self, title):
        """The program's shown windows with this title; for the bar's, message boxes left out
        (they may carry the program's name as well)."""
        return [w for w in self.top_levels() if w.get_name() == title and (
            title != TITLE or self.a11y.role(w) not in MESSAGE_ROLES)]

    def bar(self):
        return wait_for(lambda: self.windows(TITLE), self.patience, "the search bar")[0]

    def nodes(self, root, role):
        return [n for n, _ in self.a11y.walk(root) if self.a11y.role(n) == role]

    def query_box(self):
        return self.nodes(self.bar(), "combo box")[0]

    def buttons(self):
        """The bar's buttons in their order on the bar, left to right."""
        return sorted(self.nodes(self.bar(), "push button"),
                      key=lambda b: self.a11y.extents(b)[0])

    def query_text(self):
        box = self.query_box()
        edits = [n for n, _ in self.a11y.walk(box) if self.a11y.role(n) in ("text", "entry")]
        return self.a11y.text(edits[0]) if edits else box.get_name()

    def history(self):
        box = self.query_box()
        return [n.get_name() for n, _ in self.a11y.walk(box) if self.a11y.role(n) == "list item"]

    def list_open(self):
        box = self.query_box()
        return any(self.a11y.role(n) == "list" and self.a11y.showing(n)
                   for n, _ in self.a11y.walk(box))

    def bar_window_id(self):
        return wait_for(lambda: self.xdo_quiet("search", "--onlyvisible", "--name", f"^{TITLE}$"),
                        10, "the bar's X window")[0]

    def xdo_quiet(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def outer(self):
        info = subprocess.run(["xwininfo", "-id", self.bar_window_id()], env=self.env,
                              check=True, capture_output=True, text=True).stdout
        value = {k.strip(): int(v) for k, v in re.findall(r"^\s*([^:\n]+):\s+(-?\d+)\s*$", info,
                                                           re.M)}
        left, top = value["Absolute upper-left X"], value["Absolute upper-left Y"]
        return left, top, left + value["Width"], top + value["Height"]

    # -- the steps --------------------------------------------------------------------------

    def start(self, folder, *args):
        return subprocess.Popen([os.path.join(folder, "velto"), *args],
                                env={**self.program_env, **self.browser_env},
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def run(self, folder, steps):
        self.folder_path, self.seen, self.others = folder, Seen(), []
        composes = any("compose" in step for step in steps)
        self.program_env = self.ibus.program_env(self.env) if composes else self.env
        early = steps[0].get("start_early") if steps and "start_early" in steps[0] else None
        self.process = self.start(folder)
        try:
            if early is not None:
                # Once the first holds the instance, or the later start could be the bar itself.
                wait_for(lambda: holds_lock(folder), 15, "the first start to take the instance")
                self.later_start(early)
                steps = steps[1:]
            self.bar()
            self.xdo("windowfocus", "--sync", self.bar_window_id())
            self.settle()
            for step in steps:
                self.step(step)
            self.seen.query, self.seen.history = self.query_text(), self.history()
            self.seen.list_open, self.seen.outer = self.list_open(), self.outer()
            self.seen.suggestions_open = self.suggestion_rows() is not None
        finally:
            self.process.send_signal(signal.SIGTERM)
            try:
                self.seen.exit = str(self.process.wait(timeout=15))
            except subprocess.TimeoutExpired:
                self.seen.exit = "running"
                self.process.kill()
                self.process.wait()
            for other in self.others:
                other.terminate()
                other.wait()
        return self.seen

    def later_start(self, arguments):
        later = self.start(self.folder_path, *(arguments.split(" ") if arguments else []))
        try:
            self.seen.later.append(str(later.wait(timeout=15)))
        except subprocess.TimeoutExpired:
            later.kill()
            later.wait()
            self.seen.later.append("running")
        self.settle()

    def bar_in_front(self):
        """Keys and typing go to the bar, as the Windows driver brings it to the front first;
        only when the settings dialog is not open, which is typed into by its own steps."""
        bar = self.bar_window_id()
        if self.xdo_quiet("getwindowfocus") != [bar] and not self.windows(DIALOG_TITLE):
            self.xdo("windowfocus", "--sync", bar)
            self.settle()

    def step(self, step):
        if "type" in step or "key" in step:
            self.bar_in_front()
        if "type" in step:
            self.xdo("type", "--delay", "40", step["type"])
            self.settle()
        elif "key" in step:
            name = step["key"]
            alt = name.startswith("Alt+")
            name = name[4:] if alt else name
            self.key(("alt+" if alt else "") + KEYS.get(name, name))
        elif "drop" in step:
            self.drop(step["drop"])
        elif "hotkey" in step:
            # The default keys: Ctrl+Alt+Space, and Ctrl+Alt+Shift+Space for the selection.
            if step["hotkey"] == "selection":
                self.own_selection(step.get("selected", ""))
                self.key("ctrl+alt+shift+space")
            else:
                self.key("ctrl+alt+space")
        elif "message" in step:
            self.answer_message()
        elif "wait" in step:
            time.sleep(step["wait"] / 1000)
            self.settle()
        elif "start_again" in step:
            self.later_start(step["start_again"])
        elif "menu" in step:
            self.menu(step["menu"])
        elif "keyboard_menu" in step:
            self.keyboard_menu(step["keyboard_menu"])
        elif "settings_dialog" in step:
            self.menu(1)
            wait_for(lambda: self.windows(DIALOG_TITLE), 10, "the settings dialog")
        elif "dialog_pick" in step:
            self.dialog_pick(*step["dialog_pick"])
        elif "dialog_type" in step:
            control, text = step["dialog_type"]
            if control != "focused":
                self.click_at(self.a11y.centre(self.dialog_control(control)))
            self.xdo("type", "--delay", "40", text)
            self.settle()
        elif "dialog_key" in step:
            self.key(KEYS[step["dialog_key"]])
        elif "dialog_click" in step:
            self.click_at(self.a11y.centre(self.dialog_control(step["dialog_click"])))
        elif "choose_engines" in step:
            self.choose_engines(step["choose_engines"])
        elif "compose" in step:
            self.compose(step["compose"])
        elif "pick_suggestion" in step:
            row = step["pick_suggestion"]
            self.pick_suggestion(row, step.get("release_on", row))
        elif "move_window" in step:
            dx, dy = step["move_window"]
            left, top, _, _ = self.outer()
            self.xdo("windowmove", "--sync", self.bar_window_id(), str(left + dx), str(top + dy))
            self.settle()
        elif "focus_elsewhere" in step:
            self.focus_elsewhere()
        elif "click_query" in step:
            self.bar_in_front()
            self.click_at(self.a11y.centre(self.query_box()))
        else:
            verb = next(v for v in BUTTONS if v in step)
            button = self.buttons()[step[verb]]
            self.click_at(self.a11y.centre(button), BUTTONS[verb], 2 if step.get("double") else 1)

    def compose(self, c):
        """A composition through the real input method: the Japanese engine on, the romaji
        typed, Space converting when the step commits, the wait, the input method's keys (Enter
        confirms, Esc cancels), the engine off again."""
        self.bar_in_front()
        self.ibus.engine(JAPANESE)
        try:
            self.xdo("type", "--delay", "60", c["romaji"])
            self.settle()
            if c.get("commit"):
                self.key("space")
            time.sleep(c.get("wait", 0) / 1000)
            for name in c.get("ime_keys", []):
                self.key(KEYS[name])
        finally:
            self.ibus.engine(DIRECT)
        self.settle()

    def own_selection(self, text):
        """Another program selects the text: xclip owns PRIMARY until someone else does."""
        if self.selection_owner:
            self.selection_owner.kill()
            self.selection_owner.wait()
        self.selection_owner = subprocess.Popen(
            ["xclip", "-quiet", "-selection", "primary", "-target", "UTF8_STRING"],
            env=self.helpers_env, stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.selection_owner.stdin.write(text.encode("utf-8"))
        self.selection_owner.stdin.close()
        wait_for(lambda: subprocess.run(
            ["xclip", "-o", "-selection", "primary"], env=self.env, capture_output=True,
            timeout=5).stdout == text.encode("utf-8"), 5, "the selection to be owned")

    def answer_message(self):
        """Records the text of the message box shown now and answers it with its OK button."""
        def box():
            return next((w for w in self.top_levels() if self.a11y.role(w) in MESSAGE_ROLES
                         and w.get_name() != DIALOG_TITLE), None)
        try:
            window = wait_for(box, 5, "a message box")
        except TimeoutError:
            self.seen.messages.append("none")
            return
        labels = [self.a11y.text(n) for n in self.nodes(window, "label")]
        text = max(labels, key=len) if labels else ""
        self.seen.messages.append(text.replace("\r", " ").replace("\n", " "))
        self.click_at(self.a11y.centre(self.nodes(window, "push button")[0]))

    def menu(self, downs):
        """The menu button's menu: moved down `downs` entries (up from the end when negative)
        and Enter."""
        self.click_at(self.a11y.centre(self.buttons()[5]))
        time.sleep(0.3)
        keys = ["Down" if downs > 0 else "Up"] * abs(downs)
        self.key(*keys, "Return")

    def keyboard_menu(self, downs):
        """Space on the focused control (the menu button, reached with Tab) with the pointer far
        from it; records whether the menu opened under the button, then moves down `downs`
        entries and takes one, or closes the menu with Esc when there are none. A popup menu is
        no child of the program on the accessibility bus: its place comes from the X server."""
        self.xdo("mousemove", "--sync", "900", "700")
        bar = self.bar_window_id()
        before = set(self.xdo_quiet("search", "--onlyvisible", "--pid", str(self.process.pid)))
        self.key("space")

        def menu_window():
            shown = self.xdo_quiet("search", "--onlyvisible", "--pid", str(self.process.pid))
            return next((w for w in shown if w not in before and w != bar), None)
        try:
            menu = wait_for(menu_window, 5, "the menu")
        except TimeoutError:
            self.seen.menu_at.append("none")
            return
        geometry = self.xdo("getwindowgeometry", menu)
        left, top = (int(v) for v in geometry[geometry.index("Position:") + 1].split(","))
        x, y, _, height = self.a11y.extents(self.buttons()[5])
        under = abs(left - x) <= 4 and abs(top - (y + height)) <= 4
        self.seen.menu_at.append("button" if under else "elsewhere")
        self.key(*(["Down"] * downs), "Return" if downs > 0 else "Escape")

    def choose_engines(self, choice):
        """The import's list of engines, every row checked at first and the first focused: the
        rows to uncheck with Down and Space, then Enter; or Esc."""
        wait_for(lambda: self.windows(CHOOSER_TITLE), 10, "the list of engines to import")
        self.settle()
        if choice == "cancel":
            self.key("Escape")
        else:
            keys = []
            for row in range(max(choice.get("uncheck") or [-1]) + 1):
                if row in choice["uncheck"]:
                    keys.append("space")
                keys.append("Down")
            self.key(*keys, "Return")
        wait_for(lambda: not self.windows(CHOOSER_TITLE), 10, "the list of engines to close")

    def browser_data_folder(self, kind):
        """Where this scenario's browser keeps its profiles: a configuration folder of the
        scenario's own, so that the machine's own browsers never count."""
        config = os.path.join(self.folder_path_for_browsers, "config")
        self.browser_env = {"XDG_CONFIG_HOME": config}
        return os.path.join(config, kind)

    def dialog(self):
        return wait_for(lambda: self.windows(DIALOG_TITLE), 10, "the settings dialog")[0]

    def dialog_control(self, name):
        """A control of the dialog as the steps name it. The bus names buttons and check boxes
        by their captions but not the edit boxes and selectors, which are told apart by where
        they stand: the edit boxes text0..text4 from top to bottom; the selectors of the
        buttons and the default (combo0..combo3, combo5) one above the other on the left, the
        slot selector combo4 alone on the right."""
        dialog = self.dialog()
        if name in DIALOG_CAPTIONS:
            for node, _ in self.a11y.walk(dialog):
                if self.a11y.role(node) in ("push button", "check box") \
                        and node.get_name() == DIALOG_CAPTIONS[name]:
                    return node
            raise LookupError("no dialog control " + name)
        if name.startswith("text"):
            boxes = sorted(self.nodes(dialog, "text"), key=lambda n: self.a11y.extents(n)[1])
            return boxes[int(name[4:])]
        # Row by row, left to right; in the upper six the slot selector stands right of the
        # others, in its frame.
        selectors = sorted(self.nodes(dialog, "combo box"),
                           key=lambda n: (self.a11y.extents(n)[1], self.a11y.extents(n)[0]))
        right = max(selectors[:6], key=lambda n: self.a11y.extents(n)[0])
        left = [n for n in selectors if n is not right]
        return (left[:4] + [right] + left[4:])[int(name[5:])]

    def dialog_pick(self, slot, entry):
        """Entry `entry` of the selector of slot `slot`: opened with the mouse, the first entry
        with Home, then down with the arrow keys, Enter."""
        self.click_at(self.a11y.centre(self.dialog_control(f"combo{slot}")))
        time.sleep(0.2)
        self.key("Home", *(["Down"] * entry), "Return")

    def suggestion_rows(self):
        """The rows of the suggestion list when it is shown, else None."""
        app = self.app_node()
        for i in range(app.get_child_count()):
            window = app.get_child_at_index(i)
            if window is None or window.get_name() in (TITLE, DIALOG_TITLE):
                continue
            items = [n for n, _ in self.a11y.walk(window) if self.a11y.role(n) == "list item"]
            if items and self.a11y.showing(window):
                return items
        return None

    def pick_suggestion(self, pressed, released):
        """Presses the left button over one row of the suggestion list, releases it over
        another (or the same)."""
        rows = self.suggestion_rows()
        if rows is None:
            raise LookupError("no suggestion list shown")
        x, y = self.a11y.centre(rows[pressed])
        self.xdo("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdo("mousedown", "1")
        x, y = self.a11y.centre(rows[released])
        self.xdo("mousemove", "--sync", str(x), str(y))
        time.sleep(0.05)
        self.xdo("mouseup", "1")
        self.settle()

    def focus_elsewhere(self):
        """Another program's window takes the focus."""
        other = subprocess.Popen(["xmessage", "-geometry", "+10+600", "other"], env=self.helpers_env,
                                 stderr=subprocess.DEVNULL)
        self.others.append(other)
        window = wait_for(lambda: self.xdo_quiet("search", "--onlyvisible", "--classname",
                                                 "xmessage"), 10, "another window")[0]
        self.xdo("windowfocus", "--sync", window)
        self.settle()

    def drop(self, drop):
        """A real drag from the drag source, carried by the pointer onto the target."""
        args = [self.args.drag_source] + (["--text", drop["text"]] if "text" in drop else [])
        source = subprocess.Popen(args + drop["paths"], env=self.helpers_env, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True)
        try:
            window = wait_for(lambda: self.xdo_quiet("search", "--onlyvisible", "--name",
                                                     "^velto drag source$"), 10, "the drag source")
            time.sleep(0.2)
            on = drop.get("on", "window")
            if on == "query":
                target = self.a11y.centre(self.query_box())
            elif on.startswith("button:"):
                target = self.a11y.centre(self.buttons()[int(on[7:])])
            else:  # a point of the client area between the controls
                left, top, _, _ = self.outer()
                target = (left + 2, top + 2)
            self.xdo("mousemove", "--window", window[0], "--sync", "30", "30")
            self.xdo("mousedown", "1")
            # The drag starts once the pointer has moved a few pixels; then onto the target in
            # steps, so that every window on the way sees the drag pass.
            x0, y0 = wait_for(lambda: self.pointer(), 5, "the pointer")
            for i in range(1, 11):
                x, y = x0 + (target[0] - x0) * i // 10, y0 + (target[1] - y0) * i // 10
                self.xdo("mousemove", str(x), str(y))
                time.sleep(0.05)
            time.sleep(0.3)
            self.xdo("mouseup", "1")
            self.seen.drops.append(source.stdout.readline().strip() == "dropped=1")
            # The bar reads the dragged data from the source after the drop.
            self.settle()
        finally:
            source.terminate()
            source.wait()

    def pointer(self):
        values = dict(item.split(":") for item in self.xdo("getmouselocation")
                      if ":" in item)
        return int(values["x"]), int(values["y"])
