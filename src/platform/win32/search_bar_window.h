#pragma once
// The search bar window "ヴェルト": the query box and the six buttons laid out in twips, its
// fonts, tooltips and popup menu. It shows what the core tells it and forwards every event to
// the core's handlers; it decides nothing itself.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "main/search_bar.h"
#include "platform/win32/accessible_props.h"
#include "platform/win32/drop_target.h"
#include "platform/win32/fixed_search_menu.h"
#include "platform/win32/focus_memory.h"
#include "platform/win32/handles.h"
#include "platform/win32/suggestion_list_win32.h"
#include "platform/win32/tool_tips.h"
#include "platform/win32/window_procedure.h"
#include "ports/search_bar_view.h"

namespace velto::win32 {

inline constexpr wchar_t kSearchBarClassName[] = L"VeltoSearchBar";
// Command1(i) has the control id kButtonIdBase + i; the query box has kQueryBoxId. Both stay
// clear of IDOK and IDCANCEL, which the dialog navigation sends for Enter and Esc.
inline constexpr int kQueryBoxId = 99;
inline constexpr int kButtonIdBase = 100;

class SearchBarWindow final : public SearchBarView, private WindowProcedureTarget {
 public:
  SearchBarWindow() = default;
  ~SearchBarWindow() override;

  // Creates the window hidden, with all its controls. False when the system refused.
  bool Create(HICON icon);
  // Events go to this core from now on; the suggestion list, timers and HTTP client with them.
  void Attach(SearchBar& core);
  // Registers the window, the query box and the six buttons as OLE drop targets (OLE must be
  // initialized on this thread). False when a registration failed.
  bool AcceptDrops();
  void Show(int show_command);
  // The buttons' tooltips, once the window is on the screen.
  void OpenToolTips();

  HWND Handle() const { return window_.get(); }
  int Dpi() const { return dpi_; }
  HWND QueryBox() const { return query_box_; }
  HWND Button(int index) const;
  // The suggestions list window; null until first shown.
  HWND SuggestionList() const { return suggestion_list_ ? suggestion_list_->Handle() : nullptr; }

  // Key preview: hands a key press meant for the bar or any of its controls to the core before
  // the control sees it. True when the core consumed it: the message goes no further.
  bool PreviewKey(const MSG& message) noexcept;
  // The dialog-style keyboard navigation (Tab, arrows) for the bar's controls.
  bool HandleDialogNavigation(MSG& message) noexcept;

  // SearchBarView
  float Top() const override;
  float Left() const override;
  float Height() const override;
  float Width() const override;
  void SetTop(float twips) override;
  void SetLeft(float twips) override;
  std::vector<ScreenRect> ScreenWorkAreas() const override;
  float ScreenHeightTwips() const override;
  void SetTopmost(bool topmost) override;
  void SetButtonCaption(int index, const std::string& caption) override;
  void SetButtonToolTip(int index, const std::string& tip) override;
  void SetButtonEnabled(int index, bool enabled) override;
  bool IsButtonEnabled(int index) const override;
  void SetButtonBold(int index, bool bold) override;
  void SetButtonDescription(int index, const std::string& description) override;
  void MakeCaptionSingleLine(int index) override;
  std::string QueryText() const override;
  void SetQueryText(const std::string& text) override;
  void FocusQuery() override;
  void SelectQueryText() override;
  void BringToFront() override;
  void HistoryInserted(int position, const std::string& text) override;
  void HistoryRemoved(int position) override;
  void HistoryReset(const std::vector<std::string>& entries) override;
  void CloseHistoryList() override;
  void SetMenuEntryVisible(int index, bool visible) override;
  void ShowMenu(MenuPlace place) override;

 private:
  LRESULT OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
  void OnCommand(int id, int code) noexcept;
  void CreateControls();
  // Places the controls and sizes their fonts from the layout table at the window's DPI.
  void LayOut();
  // What a layout does after the controls have their places and fonts.
  void FitAndFinishLayOut();
  std::array<UniqueFont, 3> MakeFonts() const;  // by BarFont, at dpi_
  RECT ControlRect(const BarControl& control) const;
  void SetControlFont(HWND control, BarFont font) const;
  // Widens button `index` where its caption needs it, never into the next control. Until the
  // window is first shown or painted the fitting only waits, so that start-up's changes of
  // caption and font are measured once, just before the window shows.
  void FitButton(int index);
  void FitButtonNow(int index, HDC measuring = nullptr);
  void FitWaitingButtons();
  // The window moved to a monitor of another DPI: `suggested` is the rectangle Windows offers.
  void OnDpiChanged(int dpi, const RECT& suggested);
  static SIZE OuterSize(int dpi);
  HistoryListState ListState() const;
  // The closing steps run once, however the window is closed; then the window goes.
  void CloseProgram() noexcept;

  // The query box's edit: the input method's composition messages come to it.
  static LRESULT CALLBACK EditThunk(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR self) noexcept;
  static LRESULT CALLBACK ButtonThunk(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR index, DWORD_PTR self) noexcept;
  // Hands one event of the window to the core, once it is attached.
  KeyOutcome Report(const BarEvent& event) noexcept;

  UniqueWindow window_;
  HWND query_box_ = nullptr;  // children are destroyed with the window
  HWND query_edit_ = nullptr;
  // Whether a composition is open in the query box, and how many have opened so far: a
  // closing is reported once the committed characters are in the box, if no newer
  // composition opened meanwhile.
  bool composing_ = false;
  WPARAM compositions_ = 0;
  std::array<HWND, kButtonCount> buttons_{};
  FocusMemory focus_;
  ToolTips tool_tips_;
  AccessibleProps accessible_;
  std::array<UniqueFont, 3> fonts_;  // by BarFont
  FixedSearchMenu menu_;
  std::vector<std::unique_ptr<DropTarget>> drop_targets_;
  std::unique_ptr<SuggestionListWindow> suggestion_list_;
  std::unique_ptr<SuggestionWindowTimers> suggestion_timers_;
  std::unique_ptr<SuggestionFetcher> fetcher_;  // made on first use
  SearchBar* core_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  bool fits_now_ = false;  // from the first show or paint on
  bool shown_ = false;     // from the first Show on
  std::array<bool, kButtonCount> fit_waiting_{};
};

}  // namespace velto::win32
