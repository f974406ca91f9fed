#pragma once
// The settings dialog's window and controls, shared by the Qt and Win32 front ends so that
// both build the same dialog. Positions are in twips, relative to the containing frame, or to
// the client area for controls that stand on the dialog itself.
#include <array>
#include <string_view>

#include "main/layout_flags.h"

namespace velto {

inline constexpr std::string_view kDialogCaption = "設定";
inline constexpr int kDialogClientWidth = 6930;
inline constexpr int kDialogClientHeight = 4320;

// The font most controls ask for; the others use the dialog's default font.
inline constexpr std::string_view kDialogFontName = "ＭＳ Ｐゴシック";
inline constexpr double kDialogFontPoints = 9.75;
inline constexpr int kDialogFontWeight = 400;
inline constexpr int kDialogFontCharset = 128;  // Shift-JIS

enum class DialogControlKind { Frame, Label, Selector, EditBox, CheckBox, Button };
enum class DialogParent { Dialog, Frame1, Frame2 };
enum class DialogFont { Gothic, Default };

// Button ids of the dialog's commands (kind Button, no array): the array index of Command5 is
// its own; these name Command1..Command4 and Command6.
inline constexpr int kOkButton = 1;
inline constexpr int kCancelButton = 2;
inline constexpr int kHelpButton = 3;
inline constexpr int kRestoreButton = 4;
inline constexpr int kImportButton = 6;  // Command6: 取り込み…
inline constexpr int kEditButtons = 5;   // Command5(0..2): 変更, 削除, クリア

struct DialogControl {
  std::string_view name;  // as the handlers name it: "Combo1(4)", "Command3"
  DialogControlKind kind;
  // Array index for Combo1, Text1, Label1 and Command5; the button number for Command1..4;
  // 1 or 2 for the frames; 0 for Check1 (always on top), 1 for Check2 (suggestions).
  int index;
  DialogParent parent;
  std::string_view caption;  // the initial text of an edit box
  int left;
  int top;
  int width;
  int height;
  int tab;  // focus order; tab 0 has the focus when the dialog opens
  DialogFont font;
  unsigned flags = 0;  // LayoutFlag bits
};

inline constexpr int kDialogControlCount = 35;

consteval std::array<DialogControl, kDialogControlCount> MakeDialogControls() {
  using K = DialogControlKind;
  using P = DialogParent;
  using F = DialogFont;
  return {{
      {"Frame1", K::Frame, 1, P::Dialog, "検索ボタンのカスタマイズ", 120, 120, 6705, 2415, 23,
       F::Gothic},
      {"Check1", K::CheckBox, 0, P::Dialog, "常に手前に表示", 240, 2700, 1695, 255, 18, F::Gothic,
       kFitsCaption},
      {"Command4", K::Button, kRestoreButton, P::Dialog, "標準に戻す", 2160, 2700, 1095, 255, 19,
       F::Default, kFitsCaption | kStartsHidden},
      {"Command1", K::Button, kOkButton, P::Dialog, "OK", 3360, 2640, 1095, 375, 20, F::Gothic,
       kFitsCaption},
      {"Command2", K::Button, kCancelButton, P::Dialog, "キャンセル", 4560, 2640, 1095, 375, 21,
       F::Gothic, kFitsCaption},
      {"Command3", K::Button, kHelpButton, P::Dialog, "ヘルプ", 5760, 2640, 1095, 375, 22,
       F::Default, kFitsCaption},

      {"Label1(0)", K::Label, 0, P::Frame1, "ボタン1", 240, 360, 600, 195, 24, F::Gothic,
       kFitsCaption},
      {"Combo1(0)", K::Selector, 0, P::Frame1, "", 960, 300, 1455, 315, 0, F::Gothic, kFitsCaption},
      {"Label1(1)", K::Label, 1, P::Frame1, "ボタン2", 240, 720, 600, 195, 27, F::Gothic,
       kFitsCaption},
      {"Combo1(1)", K::Selector, 1, P::Frame1, "", 960, 660, 1455, 315, 1, F::Gothic, kFitsCaption},
      {"Label1(2)", K::Label, 2, P::Frame1, "ボタン3", 240, 1080, 600, 195, 25, F::Gothic,
       kFitsCaption},
      {"Combo1(2)", K::Selector, 2, P::Frame1, "", 960, 1020, 1455, 315, 2, F::Gothic,
       kFitsCaption},
      {"Label1(3)", K::Label, 3, P::Frame1, "ボタン4", 240, 1440, 600, 195, 26, F::Gothic,
       kFitsCaption},
      {"Combo1(3)", K::Selector, 3, P::Frame1, "", 960, 1380, 1455, 315, 3, F::Gothic,
       kFitsCaption},
      {"Label1(4)", K::Label, 4, P::Frame1, "標準のボタン", 240, 1920, 1080, 195, 28, F::Gothic,
       kFitsCaption},
      {"Combo1(5)", K::Selector, 5, P::Frame1, "", 1440, 1860, 975, 315, 4, F::Gothic,
       kFitsCaption},
      {"Frame2", K::Frame, 2, P::Frame1, "詳細", 2640, 240, 3855, 1935, 29, F::Default},

      {"Combo1(4)", K::Selector, 4, P::Frame2, "", 120, 240, 1455, 315, 5, F::Gothic, kFitsCaption},
      {"Command5(0)", K::Button, 0, P::Frame2, "変更", 1800, 270, 615, 255, 9, F::Default,
       kFitsCaption},
      {"Command5(1)", K::Button, 1, P::Frame2, "削除", 2400, 270, 615, 255, 10, F::Default,
       kFitsCaption},
      {"Command5(2)", K::Button, 2, P::Frame2, "クリア", 3000, 270, 615, 255, 11, F::Default,
       kFitsCaption},
      {"Text1(0)", K::EditBox, 0, P::Frame2, "ボタン名", 240, 720, 1335, 270, 6, F::Gothic},
      {"Label1(5)", K::Label, 5, P::Frame2, "書き方はヘルプ参照", 1920, 765, 1560, 180, 30,
       F::Default, kFitsCaption},
      {"Text1(1)", K::EditBox, 1, P::Frame2, "ホームページ", 240, 1080, 3375, 270, 7, F::Gothic},
      {"Text1(2)", K::EditBox, 2, P::Frame2, "サーチエンジン", 240, 1440, 3375, 270, 8, F::Gothic},

      // The edited engine's keyword, in a row of its own below the buttons.
      {"Label1(6)", K::Label, 6, P::Dialog, "キーワード", 240, 3195, 960, 195, 31, F::Gothic,
       kFitsCaption},
      {"Text1(3)", K::EditBox, 3, P::Dialog, "", 1320, 3150, 1335, 270, 12, F::Gothic},
      // Suggestions while typing: the switch, and the edited engine's suggestion address.
      {"Check2", K::CheckBox, 1, P::Dialog, "検索候補を表示", 3360, 3158, 2175, 255, 13, F::Gothic,
       kFitsCaption},
      {"Label1(7)", K::Label, 7, P::Dialog, "検索候補", 240, 3555, 960, 195, 32, F::Gothic,
       kFitsCaption},
      {"Text1(4)", K::EditBox, 4, P::Dialog, "", 1320, 3510, 5415, 270, 14, F::Gothic},
      // How the edited engine wants its query: the character set, and the form of a blank.
      {"Label1(8)", K::Label, 8, P::Dialog, "文字コード", 240, 3915, 960, 195, 33, F::Gothic,
       kFitsCaption},
      {"Combo1(6)", K::Selector, 6, P::Dialog, "", 1320, 3870, 1335, 315, 15, F::Gothic},
      {"Label1(9)", K::Label, 9, P::Dialog, "空白", 3360, 3915, 1080, 195, 34, F::Gothic,
       kFitsCaption},
      {"Combo1(7)", K::Selector, 7, P::Dialog, "", 4560, 3870, 975, 315, 16, F::Gothic},
      // Engines from the user's browsers into the free slots.
      {"Command6", K::Button, kImportButton, P::Dialog, "取り込み…", 5760, 3870, 1095, 315, 17,
       F::Gothic, kFitsCaption},
  }};
}

inline constexpr std::array<DialogControl, kDialogControlCount> kDialogControls =
    MakeDialogControls();

// The selector entries of the default button, position = search button index.
inline constexpr std::array<std::string_view, 4> kDefaultButtonNames{"ボタン1", "ボタン2",
                                                                     "ボタン3", "ボタン4"};

}  // namespace velto
