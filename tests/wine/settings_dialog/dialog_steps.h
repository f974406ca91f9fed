#pragma once
// Driver steps on the settings dialog of a running velto.exe, as a person would take them:
// real mouse and keyboard input into the dialog, and what its window shows read back.
//
//   dlg-wait            wait until the dialog is shown; record "dialog=shown" or "dialog=none"
//   dlg-click:NAME      left click on a control: combo0..combo5, text0..text4, change, delete,
//                       clear, ok, cancel, help, restore, import, check, suggest
//   dlg-pick:I:N        pick entry N of Combo1(I) with the mouse and the arrow keys
//   dlg-type:TEXT       type TEXT (UTF-8) into the dialog's focused control
//   dlg-key:VK          press a key (decimal code) in the dialog
//   dlg-tabs:N          press Tab N times; record the control id that has the focus after each
//   dlg-dump            record the window, the selectors, the boxes, the check box, the focus
//   dlg-layout          record every control in focus order: id, kind, place and size in
//                       pixels, visibility, tab stop, caption (fonts are another process's
//                       handles and cannot be read from here)
//   dlg-labels          record "labels=whole" when every shown caption (labels, frames, buttons,
//                       check box) fits its control in the font the layout table gives it,
//                       else one "label-cut=ID TEXT needs N has M" line (pixels) for each that
//                       does not; the fonts are made here again from the table, in this
//                       process, as the dialog makes them
//   dlg-msgbox          record the message box the dialog shows, then answer it with Enter
//   dlg-close           close the dialog like its close box
#include <optional>
#include <string>

// Runs one step; nullopt when the verb is not one of these. Observations are appended to
// `record`, one line each.
std::optional<bool> RunDialogStep(const std::string& verb, const std::string& arg,
                                  std::string& record);
