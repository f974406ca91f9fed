#pragma once
// The settings dialog window "設定": a modeless top-level window without an owner, kept out of
// the taskbar, built from the shared layout table. It shows what the core tells it and forwards
// the user's events to SettingsDialog; it decides nothing itself. The window is created by the
// first Open and hidden by Close; each load refills it.
#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "dialog/settings_dialog.h"
#include "platform/win32/accessible_props.h"
#include "platform/win32/focus_memory.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_procedure.h"
#include "ports/settings_dialog_view.h"

namespace velto::win32 {

class SettingsDialogWindow final : public SettingsDialogView, private WindowProcedureTarget {
 public:
  // Message boxes and the help page of the dialog are owned by its window while it exists.
  SettingsDialogWindow(Win32Platform& platform, HICON icon);
  ~SettingsDialogWindow() override;

  // Events go to this core from now on.
  void Attach(SettingsDialog& core) { core_ = &core; }

  HWND Handle() const { return window_.get(); }
  int Dpi() const { return dpi_; }
  // The dialog-style keyboard navigation (Tab, arrows, access to the edit boxes' Enter).
  bool HandleDialogNavigation(MSG& message) noexcept;

  // SettingsDialogView
  void Open() override;
  void Show() override;
  void Close() override;
  void BringToFront() override;
  float OuterHeight() const override;
  float OuterWidth() const override;
  void SetTop(float twips) override;
  void SetLeft(float twips) override;
  void ClearSelector(int selector) override;
  void AppendSelectorEntry(int selector, const std::string& text) override;
  void SetSelectorEntry(int selector, int position, const std::string& text) override;
  void SelectEntry(int selector, std::optional<int> position) override;
  std::optional<int> SelectedEntry(int selector) const override;
  void SetAlwaysTopChecked(bool checked) override;
  bool IsAlwaysTopChecked() const override;
  void SetSuggestChecked(bool checked) override;
  bool IsSuggestChecked() const override;
  void SetEditText(int box, const std::string& text) override;
  std::string EditText(int box) const override;
  void FocusSelector(int selector) override;
  void SetRestoreButtonVisible(bool visible) override;

 private:
  bool Create();
  void CreateControls();
  void CreateControl(const DialogControl& control);
  // Places the controls and sizes their fonts from the layout table at the window's DPI and
  // the desktop's text size.
  void LayOut();
  // Widens the controls whose captions the font leaves short, never into their neighbours.
  void FitCaptions();
  // The window moved to a monitor of another DPI: `suggested` is the rectangle Windows offers.
  void OnDpiChanged(int dpi, const RECT& suggested);
  static SIZE OuterSize(int dpi);
  LRESULT OnMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) noexcept override;
  void OnCommand(int id, int code) noexcept;
  HWND Control(int id) const;
  HWND Selector(int selector) const;
  HWND EditBox(int box) const;

  // The edit boxes hand every key to the core and ask the navigation to leave Enter to them.
  static LRESULT CALLBACK EditThunk(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR box, DWORD_PTR self) noexcept;
  bool OnEditKeyDown(int box, WPARAM key) noexcept;

  Win32Platform& platform_;
  HICON icon_;
  UniqueWindow window_;
  UniqueFont gothic_font_;
  UniqueFont default_font_;
  FocusMemory focus_;
  AccessibleProps accessible_;
  SettingsDialog* core_ = nullptr;
  int dpi_ = USER_DEFAULT_SCREEN_DPI;
  // The DPI the layout is drawn at: dpi_ grown with the desktop's text size.
  int layout_dpi_ = USER_DEFAULT_SCREEN_DPI;
  // Enter used by the core also arrives as a character; the box must not beep for it.
  bool swallow_return_char_ = false;
};

}  // namespace velto::win32
