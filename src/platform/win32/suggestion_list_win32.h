#pragma once
// The suggestions list of the Win32 search bar: a pop-up list box under the query box that
// never activates and never takes the focus, so typing goes on in the box. A click reports its
// entry; everything else is the core's. A past search carries the mark before its text, so a
// screen reader reads it with the row. Also the suggestions' timers, as window timers.
#include <windows.h>

#include <array>
#include <functional>
#include <optional>

#include "main/bar_events.h"
#include "platform/win32/accessible_props.h"
#include "platform/win32/handles.h"
#include "ports/suggestion_ports.h"

namespace velto::win32 {

class SuggestionListWindow final : public SuggestionListView {
 public:
  // owner: the search bar window; anchor: the query box the list stands under.
  // report gets a SuggestionPress or a SuggestionRelease for each press and release of the
  // left button on the list.
  SuggestionListWindow(HWND owner, HWND anchor, HFONT font,
                       std::function<void(const BarEvent&)> report);
  ~SuggestionListWindow() override = default;

  void ShowSuggestions(const std::vector<SuggestionRow>& rows) override;
  void HighlightSuggestion(std::optional<int> row) override;
  void CloseSuggestions() override;

  HWND Handle() const { return list_.get(); }
  // The query box's font, anew after a change of DPI; the old one is about to be freed.
  void SetFont(HFONT font);

 private:
  static LRESULT CALLBACK ListThunk(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR self) noexcept;

  HWND owner_;
  HWND anchor_;
  HFONT font_;
  std::function<void(const BarEvent&)> report_;
  AccessibleProps accessible_;  // before the list, which goes first
  UniqueWindow list_;           // made when first shown
};

// Timers of the window: SetTimer ids kFirstSuggestionTimer and the next; the window hands each
// WM_TIMER to Fire.
inline constexpr UINT_PTR kFirstSuggestionTimer = 0x5601;

class SuggestionWindowTimers final : public SuggestionTimers {
 public:
  explicit SuggestionWindowTimers(HWND window) : window_(window) {}
  void Start(SuggestionTimer timer, int milliseconds, std::function<void()> fire) override;
  void Stop(SuggestionTimer timer) override;
  // True when the id was one of these timers.
  bool Fire(UINT_PTR id);

 private:
  HWND window_;
  std::array<std::function<void()>, kSuggestionTimerCount> fire_;
};

}  // namespace velto::win32
