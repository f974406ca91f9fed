"""What a screen reader finds in the real Linux bar over the accessibility bus (AT-SPI): the roles,
names and descriptions of the bar's and the settings dialog's controls, the labels tied to what
they name, and the focus events while the highlight moves through the suggestions and the list
closes. The program, its Xvfb and its input are the Linux parity front end's; the suggestions
come from the loopback suggestion server.

Needs a session bus: run under dbus-run-session."""
import argparse
import json
import os
import signal
import sys
import time

from linux_front_end import DIALOG_TITLE, TITLE, LinuxFrontEnd, wait_for
from parity_check import Checker, Seen, SuggestionServer, settings_bytes

TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "scenarios.json")
SUGGESTIONS = {"/a?q=tok": {"body": json.dumps(["tok", ["tokyo", "tokyo tower"]])}}


class FocusEvents:
    """Every object that gained the focus, as (role, name), from the moment of listening."""

    def __init__(self, a11y):
        self.Atspi = a11y.Atspi
        from gi.repository import GLib
        self.context = GLib.MainContext.default()
        self.seen = []
        self.listener = self.Atspi.EventListener.new(self.heard)
        self.listener.register("object:state-changed:focused")

    def heard(self, event):
        if event.detail1 != 1:
            return
        try:
            role = event.source.get_role_name()
            # A popup menu is no child of the program on the bus; its items tell its name.
            name = event.source.get_parent().get_name() if role == "menu item" else \
                event.source.get_name()
            self.seen.append((role, name))
        except Exception:  # the object went away meanwhile
            self.seen.append(("gone", ""))

    def take(self, settle=0.6):
        """The events heard since the last take."""
        end = time.monotonic() + settle
        while time.monotonic() < end:
            while self.context.iteration(False):
                pass
            time.sleep(0.02)
        seen, self.seen = self.seen, []
        # The bus may tell of one object gaining the focus twice in a row; that is no move.
        return [e for i, e in enumerate(seen) if i == 0 or seen[i - 1] != e]


def named(front_end, root, role):
    return {n.get_name(): n for n in front_end.nodes(root, role)}


def label_targets(front_end, root):
    """Each label's text and the names of the objects it is a label for."""
    Atspi = front_end.a11y.Atspi
    tied = {}
    for label in front_end.nodes(root, "label"):
        for relation in label.get_relation_set():
            if relation.get_relation_type() == Atspi.RelationType.LABEL_FOR:
                tied[label.get_name()] = [relation.get_target(i).get_name()
                                          for i in range(relation.get_n_targets())]
    return tied


def controlled(front_end, node):
    """The names of the objects `node` is a controller for."""
    Atspi = front_end.a11y.Atspi
    return [relation.get_target(i).get_name() for relation in node.get_relation_set()
            if relation.get_relation_type() == Atspi.RelationType.CONTROLLER_FOR
            for i in range(relation.get_n_targets())]


def run(check, f, server):
    table = json.load(open(TABLE, encoding="utf-8"))
    scenario = {"settings": {"Velto": {"Suggest": "1"},
                             "SearchData": {"SuggestEngn(0)": "{server}/a?q=%s"}}}
    folder = f.folder("a11y", settings_bytes(table, scenario, "", server.address))
    events = FocusEvents(f.a11y)  # listening before the program starts
    f.folder_path, f.seen, f.others = folder, Seen(), []
    f.process = f.start(folder)
    try:
        bar = f.bar()
        f.xdo("windowfocus", "--sync", f.bar_window_id())
        f.settle()

        check("the bar is a frame", f.a11y.role(bar), "frame")
        box = f.query_box()
        check("the query box's name", box.get_name(), "検索語")
        check("its description names the keys", "F5" in (box.get_description() or ""), True)
        buttons = f.buttons()
        check("search buttons: full engine names and their keys",
              [(b.get_name(), b.get_description()) for b in buttons[:4]],
              [("A", "Enter で検索、F1 キーでも検索"), ("B", "F2 キーでも検索"),
               ("C", "F3 キーでも検索"), ("D", "F4 キーでも検索")])
        events.take()

        f.step({"type": "tok"})
        f.step({"wait": 1200})
        rows = wait_for(f.suggestion_rows, 5, "the suggestions")
        check("the query box keeps its name while it holds text", f.query_box().get_name(),
              "検索語")
        check("nothing takes the focus while the list opens", events.take(), [])
        list_window = next(w for w in f.top_levels() if w.get_name() not in (TITLE, DIALOG_TITLE))
        check("the suggestion list's name", list_window.get_name(), "検索候補")
        check("the query box controls the list", controlled(f, f.query_box()), ["検索候補"])
        check("its rows", [r.get_name() for r in rows], ["tokyo", "tokyo tower"])

        for key in ("Down", "Down", "Up", "Up"):
            f.step({"key": key})
        check("down, down, up, up past the first: the rows, then the box", events.take(),
              [("list item", "tokyo"), ("list item", "tokyo tower"), ("list item", "tokyo"),
               ("text", "検索語")])
        f.step({"key": "Down"})
        f.step({"key": "Esc"})
        check("Esc closes the highlighted list: the box has the focus again", events.take(),
              [("list item", "tokyo"), ("text", "検索語")])
        f.step({"key": "Down"})
        check("no list, no noise", [e for e in events.take() if e[0] == "list item"], [])

        f.click_at(f.a11y.centre(buttons[5]))
        f.key("Down")
        check("the menu read item by item, named", events.take()[-1:], [("menu item", "その他")])
        f.key("Escape")

        f.step({"settings_dialog": True})
        dialog = f.dialog()
        check("the settings window is a dialog", f.a11y.role(dialog), "dialog")
        check("selectors named by their labels",
              sorted(named(f, dialog, "combo box")),
              sorted(["ボタン1", "ボタン2", "ボタン3", "ボタン4", "標準のボタン", "編集するエンジン", "文字コード",
                      "空白"]))
        boxes = named(f, dialog, "text")
        check("edit boxes named", sorted(boxes),
              sorted(["ボタン名", "ホームページ", "サーチエンジン", "キーワード", "検索候補"]))
        check("the name box's hint is its description", boxes["ボタン名"].get_description(),
              "書き方はヘルプ参照")
        tied = label_targets(f, dialog)
        check("labels tied to what they name",
              {k: tied.get(k) for k in ("ボタン1", "標準のボタン", "キーワード", "検索候補")},
              {"ボタン1": ["ボタン1"], "標準のボタン": ["標準のボタン"], "キーワード": ["キーワード"],
               "検索候補": ["検索候補"]})
        f.step({"dialog_key": "Esc"})
        check("Esc closes the dialog", wait_for(lambda: not f.windows(DIALOG_TITLE), 5, "Esc"),
              True)
    finally:
        f.process.send_signal(signal.SIGTERM)
        try:
            f.process.wait(timeout=15)
        except Exception:
            f.process.kill()
            f.process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--velto", required=True)
    parser.add_argument("--keep", action="store_true")
    args = parser.parse_args()
    args.drag_source = None
    front_end = LinuxFrontEnd(args, [{"steps": []}])
    check = Checker(front_end, None)
    server = SuggestionServer(SUGGESTIONS)
    try:
        run(check.check, front_end, server)
    finally:
        server.close()
        front_end.finish()
    print(f"{check.passed} passed, {len(check.failed)} failed")
    return 1 if check.failed else 0


if __name__ == "__main__":
    sys.exit(main())
