"""The parity table's Windows front end: the real velto.exe under Wine, driven from outside by
velto_driver.exe (tests/wine/win32_frontend) with real keys, clicks and OLE drags. The steps
of a scenario become the driver's steps; the driver runs them all in one go."""
import glob
import os
import shutil
import stat
import sys

from parity_check import Seen, tab_separated_runs

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "wine", "win32_frontend"))
from velto_end_to_end import Harness, as_wine_hands_it_over  # noqa: E402

KEYS = {"Enter": 13, "Esc": 27, "Tab": 9, "Down": 40, "Up": 38, "F1": 112, "F2": 113, "F3": 114,
        "F4": 115, "F5": 116, "F8": 119, "F9": 120}
MOUSE = ("click", "rclick", "mclick")


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def windows_arguments(arguments):
    """The same commands in the Windows spelling."""
    return arguments.replace("--search ", "/S ", 1).replace("--focus", "/F", 1)


def dialog_steps(step):
    """The settings dialog's steps in the driver's spelling (dialog_steps.h)."""
    if "dialog_pick" in step:
        slot, entry = step["dialog_pick"]
        return [f"dlg-pick:{slot}:{entry}"]
    if "dialog_key" in step:
        return [f"dlg-key:{KEYS[step['dialog_key']]}"]
    if "dialog_type" in step:
        control, text = step["dialog_type"]
        return ([] if control == "focused" else [f"dlg-click:{control}"]) + ["dlg-type:" + text]
    return [f"dlg-click:{step['dialog_click']}"]


def choose_step(choice):
    """The engine chooser's answer: "cancel", or the rows to uncheck before OK."""
    if choice == "cancel":
        return "choose:cancel"
    return "choose:" + ",".join(str(row) for row in sorted(choice.get("uncheck", [])))


def driver_steps(steps):
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
            text = "=" + drop["text"] if "text" in drop else "-"
            files = [windows_path(p) for p in drop["paths"]]
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
            out.append("second:" + windows_arguments(step["start_again"]))
        elif "menu" in step:
            out.append(f"menu:{step['menu']}")
        elif "keyboard_menu" in step:
            out.append(f"keymenu:{step['keyboard_menu']}")
        elif "settings_dialog" in step:
            out.append("menu:1")  # the menu's first entry
            out.append("dlg-wait")
        elif "choose_engines" in step:
            out.append(choose_step(step["choose_engines"]))
        elif any(k.startswith("dialog_") for k in step):
            out += dialog_steps(step)
        elif "compose" in step:
            # No input method runs under Wine: the driver sends the messages one sends.
            c = step["compose"]
            keys = ",".join(str(KEYS[k]) for k in c.get("ime_keys", []))
            out.append(f"compose:{c['reading']}|{c.get('commit', '')}|{keys}|{c.get('wait', 0)}")
        elif "pick_suggestion" in step:
            row = step["pick_suggestion"]
            out.append(f"suggestion:{row}:{step.get('release_on', row)}")
        elif "move_window" in step:
            dx, dy = step["move_window"]
            out.append(f"move:{dx},{dy}")
        elif "focus_elsewhere" in step:
            out.append("elsewhere")
        elif "click_query" in step:
            out.append("clickquery")
        else:
            verb = next(v for v in MOUSE if v in step)
            out.append(f"{'d' if step.get('double') else ''}{verb}:{step[verb]}")
    return out


class WineFrontEnd:
    def __init__(self, args):
        self.h = Harness(args)
        # The recording browser of browser commands writes what it got here.
        self.argv_record = os.path.join(self.h.root, "argv.txt")
        self.h.env["VELTO_ARGV_RECORD"] = windows_path(self.argv_record)
        self.recorder = windows_path(args.recorder)
        self._local = None  # the prefix's LOCALAPPDATA, asked for at the first browser's data
        # Wine hands mail addresses to the desktop's mailer; record those too.
        mailer = os.path.join(self.h.root, "bin", "xdg-email")
        with open(mailer, "w") as f:
            f.write('#!/bin/sh\nprintf "%s\\n" "$1" >> "$VELTO_BROWSER_RECORD"\n')
        os.chmod(mailer, os.stat(mailer).st_mode | stat.S_IEXEC)

    def folder(self, name, settings):
        if os.path.exists(self.argv_record):
            os.remove(self.argv_record)
        self.remove_browser_data()
        return self.h.folder(name, settings)

    def local_app_data(self):
        """The prefix's own LOCALAPPDATA on the host: Wine sets it for every program from the
        prefix, whatever the environment says."""
        if self._local is None:
            shown = self.h.wine("cmd", "/c", "echo %LOCALAPPDATA%").stdout.decode(errors="replace")
            windows = shown.strip().splitlines()[-1].strip()
            if not windows.lower().startswith("c:\\"):
                raise RuntimeError(f"no LOCALAPPDATA on drive C: {shown!r}")
            self._local = os.path.join(self.h.args.prefix, "drive_c",
                                       *windows[3:].split("\\"))
        return self._local

    def browser_data_folder(self, kind):
        """Where the program looks for the browser's profiles; removed again before the next
        scenario, so that only the scenario that made it sees it."""
        assert kind == "chromium", kind
        folder = os.path.join(self.local_app_data(), "Chromium", "User Data")
        os.makedirs(folder, exist_ok=True)
        return folder

    def remove_browser_data(self):
        # Whatever an earlier run left too, for every user of the prefix.
        for local in glob.glob(os.path.join(self.h.args.prefix, "drive_c", "users", "*",
                                            "AppData", "Local", "Chromium")):
            shutil.rmtree(local, ignore_errors=True)

    def run(self, folder, steps):
        first = "start:"
        if steps and "start_early" in steps[0]:
            first = "start-early:" + windows_arguments(steps[0]["start_early"])
            steps = steps[1:]
        lines = self.h.drive(folder, first, *driver_steps(steps), "dump", "list", "suggestions", "outer",
                             "close", "wait-exit")

        def value(prefix):
            return next((l[len(prefix):] for l in lines if l.startswith(prefix)), None)

        history = value("history=").split("|")
        return Seen(query=value("query="), history=history[1:],
                    list_open=value("list=") == "open",
                    suggestions_open=value("suggestions=") == "open",
                    outer=tuple(int(v) for v in value("outer=").split(",")),
                    exit=lines[-1].removeprefix("exit="),
                    messages=[l[7:] for l in lines if l.startswith("msgbox=")],
                    drops=[l == "dropped=1" for l in lines if l.startswith("dropped=")],
                    later=[l[12:] for l in lines if l.startswith("second-exit=")],
                    menu_at=[l[8:] for l in lines if l.startswith("menu-at=")])

    def addresses(self, expected, quiet=None):
        return self.h.addresses(expected, quiet=quiet)

    @staticmethod
    def program_path(path):
        return windows_path(path)

    @staticmethod
    def as_received(address):
        return as_wine_hands_it_over(address)

    def browser_runs(self, expected, quiet=None):
        return tab_separated_runs(self.argv_record, expected, quiet)

    def finish(self):
        self.remove_browser_data()
        self.h.finish()
