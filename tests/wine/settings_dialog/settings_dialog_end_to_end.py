#!/usr/bin/env python3
"""The settings dialog of the real velto.exe under Wine, driven by real keyboard and mouse input.

Opens the dialog from the search bar's menu, reads back its window and controls, edits engine
slots with the mouse and the keyboard, confirms with OK or leaves with Cancel, the close box or
the end of the program, and checks the search bar's buttons and velto.ini byte for byte. Uses
the harness and the settings-file helpers of the search bar's end-to-end runs.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # no cache folders in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32_frontend"))
from velto_end_to_end import Failure, Harness, field, ini, prepared_settings  # noqa: E402

# Control ids of the dialog (src/platform/win32/settings_dialog_ids.h).
COMBO, TEXT, EDIT_BUTTON, COMMAND, CHECK, LABEL, FRAME = 300, 310, 320, 330, 340, 350, 360
UNSEEN_LABEL = 370  # the labels of no size that name the engine editor's selector and boxes
OPEN_DIALOG = "menu:1"  # the menu's first entry, "設定"
MESSAGE = "ヴェルト|検索サイトの名前とエンジンのURLを入力してください。|OK|owner=dialog"
NAMES = ["Yahoo!", "検索エンジン", "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn", ""] + [""] * 16
BAR_BUTTONS = "buttons=Yahoo!|検索エンジン|ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn|{}|クリア|その他"


def selector(selected, names):
    return f"{selected}/{len(names)}|" + "|".join(names)


def all_of(seen, key):
    """Every value recorded under key, in order."""
    return [line[len(key) + 1:] for line in seen if line.startswith(key + "=")]


def dumps(seen):
    """The dialog dumps as dictionaries, in order; a dump of a closed dialog is None."""
    out, current = [], None
    for line in seen:
        if line == "dlg-dump=no-dialog":
            out.append(None)
            current = None
            continue
        key, _, value = line.partition("=")
        if key == "caption":
            current = {}
            out.append(current)
        if current is not None and (key in ("caption", "frame", "client", "at", "texts", "keyword",
                                            "check", "focus") or key.startswith("combo")):
            current[key] = value
        if key == "focus":
            current = None  # the last line of a dump
    return out


def controls(seen):
    """The layout lines as {id: (kind, x, y, width, height, shown, tab stop, caption)}."""
    out = {}
    for line in seen:
        m = re.fullmatch(r"ctl=(\d+) (\S+) (-?\d+),(-?\d+) (\d+)x(\d+) (shown|hidden)( tab)? ?(.*)",
                         line)
        if m:
            out[int(m[1])] = (m[2], int(m[3]), int(m[4]), int(m[5]), int(m[6]), m[7] == "shown",
                              m[8] is not None, m[9])
    return out


def with_changes(sections, velto=None, data=None):
    """The prepared sections with keys replaced in place and new keys added at the section's end."""
    changed = []
    for name, keys in sections:
        updates = dict({"Velto": velto, "SearchData": data}.get(name) or {})
        new_keys = [(k, field(updates.pop(k))) if k in updates else (k, v) for k, v in keys]
        new_keys += [(k, field(v)) for k, v in updates.items()]
        changed.append((name, new_keys))
    return changed


def run_layout_edit_and_ok(h):
    """The window and its controls as opened; a blank slot filled with the mouse; OK takes the
    button assignment, the default button and the always-on-top box over."""
    sections = prepared_settings([])
    folder = h.folder("edit", ini(sections))
    seen = h.drive(folder, "start:", OPEN_DIALOG, "dlg-wait", "dlg-dump", "dlg-layout",
                   "dlg-tabs:22",
                   "dlg-pick:4:5",  # slot 5 is blank
                   "dlg-click:text0", "dlg-type:ウィキ",
                   "dlg-click:text1", "dlg-type:http://wiki.example/",
                   "dlg-click:text2", "dlg-type:http://wiki.example/?s=",
                   "dlg-click:text3", "dlg-type:wk",
                   "dlg-key:13", "dlg-dump",  # Enter in the keyword box stores
                   "dlg-pick:3:5", "dlg-pick:5:0", "dlg-click:check", "dlg-click:ok",
                   "dlg-dump", "dump", "close", "wait-exit")
    h.check("opened from the menu", seen[1], "dialog=shown")
    h.check("no pick failed", [line for line in seen if line.startswith("pick-failed")], [])
    opened, edited, after_ok = dumps(seen)
    h.check("window: caption, fixed tool frame without an owner, client 6930 x 4320 twips",
            [opened["caption"], opened["frame"], opened["client"]],
            ["設定", "caption,sysmenu,dialogframe,toolwindow", "462x288"])
    left, top = (int(v) for v in opened["at"].split(","))
    h.check("placed directly below the bar (bar at 200,100, 63 pixels high inside)",
            (left, 163 <= top <= 163 + 40), (200, True))
    h.check("opened: selectors, boxes, check box, focus", opened, dict(opened, **{
        "combo0": selector(0, NAMES), "combo1": selector(1, NAMES), "combo2": selector(2, NAMES),
        "combo3": selector(3, NAMES), "combo4": selector(0, NAMES),
        "combo5": "2/4|ボタン1|ボタン2|ボタン3|ボタン4",
        "texts": "Yahoo!|http://home0.example/|http://s0.example/?q=", "keyword": "",
        "check": "1", "focus": str(COMBO)}))

    layout = controls(seen)
    unseen = {i: layout.pop(i) for i in list(layout) if i >= UNSEEN_LABEL}
    h.check("35 controls, the eight selectors drop-down lists",
            (len(layout), {layout[COMBO + i][0] for i in range(8)}), (35, {"ComboBox(list)"}))
    h.check("labels of no size name the engine editor's selector and boxes",
            sorted((c[0], c[3], c[4], c[7]) for c in unseen.values()),
            sorted(("Static", 0, 0, name) for name in ("編集するエンジン", "ボタン名", "ホームページ",
                                                       "サーチエンジン")))
    ids = [int(line.split()[0][4:]) for line in seen if line.startswith("ctl=")]
    h.check("each label comes right before the control it names", [
        ids[ids.index(control) - 1] for control in (COMBO, COMBO + 3, COMBO + 5, TEXT + 3, TEXT + 4)],
        [LABEL, LABEL + 3, LABEL + 4, LABEL + 6, LABEL + 7])
    # Positions from the layout in twips at 96 DPI; inside a frame they add up. The help hint
    # is wider than its 104 pixels: the dialog's font needs 108 for it. The engine selectors
    # widen for their widest name up to the control to their right, the default button's
    # selector for "ボタン1" beside its arrow.
    h.check("places inside Frame1, Frame2 and on the dialog", {
        i: layout[i][1:5] for i in (COMBO, COMBO + 5, COMBO + 4, TEXT + 2, EDIT_BUTTON + 2,
                                    COMMAND + 1, COMMAND + 4, FRAME + 1, FRAME + 2, LABEL + 5,
                                    TEXT + 3, LABEL + 6)}, {
        COMBO: (72, 28, 112, 22), COMBO + 5: (104, 132, 67, 22), COMBO + 4: (192, 40, 112, 22),
        TEXT + 2: (200, 120, 225, 18), EDIT_BUTTON + 2: (384, 42, 41, 17),
        COMMAND + 1: (224, 176, 73, 25), COMMAND + 4: (144, 180, 73, 17),
        FRAME + 1: (8, 8, 447, 161), FRAME + 2: (184, 24, 257, 129), LABEL + 5: (312, 75, 108, 12),
        TEXT + 3: (88, 210, 89, 18), LABEL + 6: (16, 213, 64, 13)})
    h.check("captions; the restore button hidden", {
        i: (c[7], c[5]) for i, c in layout.items() if i not in range(COMBO, COMBO + 8)
        and i not in range(TEXT, TEXT + 4)}, {
        FRAME + 1: ("検索ボタンのカスタマイズ", True), FRAME + 2: ("詳細", True),
        CHECK: ("常に手前に表示", True), COMMAND + 4: ("標準に戻す", False),
        COMMAND + 1: ("OK", True), COMMAND + 2: ("キャンセル", True), COMMAND + 3: ("ヘルプ", True),
        LABEL: ("ボタン1", True), LABEL + 1: ("ボタン2", True), LABEL + 2: ("ボタン3", True),
        LABEL + 3: ("ボタン4", True), LABEL + 4: ("標準のボタン", True),
        LABEL + 5: ("書き方はヘルプ参照", True), LABEL + 6: ("キーワード", True),
        EDIT_BUTTON: ("変更", True),
        EDIT_BUTTON + 1: ("削除", True), EDIT_BUTTON + 2: ("クリア", True),
        CHECK + 1: ("検索候補を表示", True), LABEL + 7: ("検索候補", True), TEXT + 4: ("", True),
        LABEL + 8: ("文字コード", True), LABEL + 9: ("空白", True),
        COMMAND + 6: ("取り込み…", True)})
    order = [COMBO, COMBO + 1, COMBO + 2, COMBO + 3, COMBO + 5, COMBO + 4, TEXT, TEXT + 1,
             TEXT + 2, EDIT_BUTTON, EDIT_BUTTON + 1, EDIT_BUTTON + 2, TEXT + 3, CHECK + 1,
             TEXT + 4, COMBO + 6, COMBO + 7, COMMAND + 6, CHECK, COMMAND + 1, COMMAND + 2,
             COMMAND + 3, COMBO]
    h.check("Tab walks the focus order, past the hidden button, and wraps",
            all_of(seen, "tabs"), [",".join(map(str, order))])

    renamed = NAMES[:5] + ["ウィキ"] + NAMES[6:]
    h.check("変更 fills the slot in all five engine lists, selections kept", edited, dict(edited, **{
        "combo0": selector(0, renamed), "combo1": selector(1, renamed),
        "combo2": selector(2, renamed), "combo3": selector(3, renamed),
        "combo4": selector(5, renamed), "combo5": "2/4|ボタン1|ボタン2|ボタン3|ボタン4",
        "texts": "ウィキ|http://wiki.example/|http://wiki.example/?s=", "keyword": "wk"}))
    h.check("OK closes the dialog", after_ok, None)
    h.check("OK relabels the bar and ends topmost",
            [all_of(seen, "buttons")[-1], all_of(seen, "topmost")[-1]],
            [BAR_BUTTONS.format("ウィキ")[len("buttons="):], "0"])
    h.check("closed", seen[-1], "exit=0")
    h.check("velto.ini: options saved, the slot written in 200-character fields",
            h.read(folder, "velto.ini"), ini(with_changes(
                sections,
                velto={"AlwaysTop": "0", "DefaultSearch": "0", "SearchSelect(3)": "5",
                       "SearchSelect(4)": "5"},
                data={"SearchName(5)": "ウィキ", "SearchHome(5)": "http://wiki.example/",
                      "SearchEngn(5)": "http://wiki.example/?s=", "SearchKey(5)": "wk"})))


def run_enter_cancel_and_close(h):
    """The message for a missing name (button and Enter), Enter storing a slot, help without a
    help page, Cancel keeping the committed edit but not the picks, the close box, and the bar
    closing over the dialog."""
    sections = prepared_settings([])
    folder = h.folder("cancel", ini(sections))
    seen = h.drive(folder, "start:", OPEN_DIALOG, "dlg-wait",
                   "dlg-click:clear", "dlg-click:change", "dlg-msgbox",
                   "dlg-pick:4:1", "dlg-click:clear",
                   "dlg-click:text1", "dlg-type:http://new.example/",
                   "dlg-key:13", "dlg-msgbox",  # Enter with the name still empty
                   "dlg-click:text0", "dlg-type:新検索",
                   "dlg-click:text2", "dlg-type:http://new.example/?q=",
                   "dlg-key:13", "dlg-dump",  # Enter in the search address box stores
                   "dlg-click:help", "dlg-msgbox", "dlg-dump",  # no Help.html: nothing said
                   "dlg-pick:0:3", "dlg-click:cancel", "dlg-dump", "dump",
                   OPEN_DIALOG, "dlg-wait", "dlg-dump", "dlg-close", "dlg-dump",
                   OPEN_DIALOG, "dlg-wait", "dlg-pick:0:2", "close", "wait-exit")
    h.check("no pick failed", [line for line in seen if line.startswith("pick-failed")], [])
    h.check("missing name: the message, owned by the dialog, for 変更 and for Enter; "
            "none for a missing help page", all_of(seen, "msgbox"), [MESSAGE, MESSAGE, "none"])
    stored, after_help, after_cancel, reopened, after_close_box = dumps(seen)
    renamed = NAMES[:1] + ["新検索"] + NAMES[2:]
    h.check("Enter stores the slot and the dialog stays open", stored, dict(stored, **{
        "combo0": selector(0, renamed), "combo4": selector(1, renamed),
        "texts": "新検索|http://new.example/|http://new.example/?q="}))
    h.check("ヘルプ keeps the dialog open", after_help is not None, True)
    h.check("Cancel closes; the bar keeps its captions", [after_cancel, all_of(seen, "buttons")],
            [None, [BAR_BUTTONS.format("(off)")[len("buttons="):]]])
    h.check("reopened: the edit is listed, the dropped picks are not", reopened, dict(reopened, **{
        "combo0": selector(0, renamed), "combo4": selector(0, renamed),
        "texts": "Yahoo!|http://home0.example/|http://s0.example/?q="}))
    h.check("the close box closes it", after_close_box, None)
    h.check("closing the bar ends the program with the dialog open", seen[-1], "exit=0")
    h.check("velto.ini: the slot replaced in place, the options as they were",
            h.read(folder, "velto.ini"), ini(with_changes(sections, data={
                "SearchName(1)": "新検索", "SearchHome(1)": "http://new.example/",
                "SearchEngn(1)": "http://new.example/?q="})))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--velto", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--keep", action="store_true")
    parser.add_argument("only", nargs="*")
    h = Harness(parser.parse_args())
    runs = [run_layout_edit_and_ok, run_enter_cancel_and_close]
    try:
        for run in runs:
            if h.args.only and run.__name__ not in h.args.only:
                continue
            try:
                run(h)
            except (Failure, subprocess.TimeoutExpired, IndexError, ValueError, KeyError,
                    TypeError) as e:
                h.failures.append(run.__name__)
                print(f"FAIL {run.__name__}: {e!r}")
    finally:
        subprocess.run(["wineserver", "-k"], env=dict(h.env, WINEPREFIX=h.args.prefix))
        if not h.args.keep:
            shutil.rmtree(h.root, ignore_errors=True)
    print(f"{h.passed} passed, {len(h.failures)} failed")
    return 1 if h.failures else 0


if __name__ == "__main__":
    sys.exit(main())
