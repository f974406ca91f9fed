#pragma once
// What a screen reader is told about the settings dialog: which label names which control, and
// the names of the controls no label stands beside. A front end ties each label to its control
// (a buddy, or the label created just before the control) and gives the others their name
// through a label no one sees.
#include <array>
#include <string_view>

namespace velto {

struct DialogLabelTie {
  std::string_view label;    // a Label1 of the layout table
  std::string_view control;  // the control it names
};

inline constexpr std::array<DialogLabelTie, 9> kDialogLabelTies{{
    {"Label1(0)", "Combo1(0)"},
    {"Label1(1)", "Combo1(1)"},
    {"Label1(2)", "Combo1(2)"},
    {"Label1(3)", "Combo1(3)"},
    {"Label1(4)", "Combo1(5)"},
    {"Label1(6)", "Text1(3)"},
    {"Label1(7)", "Text1(4)"},
    {"Label1(8)", "Combo1(6)"},
    {"Label1(9)", "Combo1(7)"},
}};

struct DialogAccessibleText {
  std::string_view control;
  std::string_view text;
};

// The engine editor's controls inside "詳細": the edit boxes' first texts say what they hold,
// but a text the user replaced says nothing.
inline constexpr std::array<DialogAccessibleText, 4> kDialogUnlabelledNames{{
    {"Combo1(4)", "編集するエンジン"},
    {"Text1(0)", "ボタン名"},
    {"Text1(1)", "ホームページ"},
    {"Text1(2)", "サーチエンジン"},
}};

// The hint beside the name box describes it.
inline constexpr std::array<DialogAccessibleText, 1> kDialogDescriptions{{
    {"Text1(0)", "書き方はヘルプ参照"},
}};

// The label that names a control; empty when none does.
constexpr std::string_view LabelOf(std::string_view control) {
  for (const DialogLabelTie& tie : kDialogLabelTies)
    if (tie.control == control) return tie.label;
  return {};
}

// The name a control gets without a label; empty for the others.
constexpr std::string_view UnlabelledNameOf(std::string_view control) {
  for (const DialogAccessibleText& named : kDialogUnlabelledNames)
    if (named.control == control) return named.text;
  return {};
}

constexpr std::string_view DescriptionOf(std::string_view control) {
  for (const DialogAccessibleText& described : kDialogDescriptions)
    if (described.control == control) return described.text;
  return {};
}

}  // namespace velto
