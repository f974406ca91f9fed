#pragma once
// The search bar window "ヴェルト": the query box, the clear and menu buttons and four search
// buttons. It shows what the core tells it (SearchBarView) and forwards every event to the
// core's handlers; it decides nothing itself.
#include <QStringListModel>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "main/search_bar.h"
#include "main/search_bar_layout.h"
#include "platform/qt/fixed_search_menu.h"
#include "platform/qt/suggestion_popup.h"
#include "ports/search_bar_view.h"

class QComboBox;

namespace velto {

class CompositionWatch;
class DropRouter;
class KeyPreview;
class QueryBox;
class SearchButton;

class SearchBarWindow : public QWidget, public SearchBarView {
 public:
  // on_closed runs once the closing steps are done; the program ends there.
  explicit SearchBarWindow(std::function<void()> on_closed = {});
  ~SearchBarWindow() override;

  // The core whose handlers receive this window's events. Set once, before the first event.
  // The window's suggestion list, timers and HTTP client go to the core with it.
  void Attach(SearchBar& bar);
  // The window's icon in every size. Handing the large ones to the window system costs start-up
  // time, so the program calls this once the window is shown.
  void TakeIcon();

  // Parts, for tests and the program's set-up.
  QComboBox& QueryBoxWidget();
  SearchButton& Button(int index);
  FixedSearchMenu& Menu() { return menu_; }
  SuggestionPopup& SuggestionPopupWidget() { return *suggestions_; }
  // Whether the HTTP client has been made (only when suggestions were asked for).
  bool HasNetworkClient() const { return fetcher_ != nullptr; }

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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void setVisible(bool visible) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectEvents();
  SearchButton* ButtonAt(int index) const;
  const QFont& FontOf(BarFont which) const { return fonts_[static_cast<std::size_t>(which)]; }
  // Widens button `index` where its caption needs it, never into the next control. Until the
  // window is first shown the fitting only waits, so that start-up's changes of caption and
  // font are measured once, just before the window shows.
  void FitButton(int index);
  void FitButtonNow(int index);
  HistoryListState ListState() const;
  // Hands one event of the window to the core, once it is attached.
  KeyOutcome Report(const BarEvent& event);
  // Runs a change of the drop-down list without letting the list change the typed text.
  template <typename Change>
  void KeepingQueryText(Change&& change);

  std::function<void()> on_closed_;
  SearchBar* bar_ = nullptr;
  bool shown_once_ = false;
  bool fits_now_ = false;  // from the first show on
  std::array<bool, kButtonCount> fit_waiting_{};
  // Declared before the controls that use it, so that it outlives them.
  QStringListModel history_model_;
  std::unique_ptr<QueryBox> query_;
  std::array<std::unique_ptr<SearchButton>, kButtonCount> buttons_;
  std::array<QFont, 3> fonts_;  // by BarFont
  double layout_dpi_ = 96.0;    // the DPI the layout's twips were turned into pixels at
  FixedSearchMenu menu_;
  std::unique_ptr<KeyPreview> key_preview_;
  std::unique_ptr<DropRouter> drops_;
  std::unique_ptr<SuggestionPopup> suggestions_;
  std::unique_ptr<CompositionWatch> composition_;
  SuggestionQtTimers suggestion_timers_;
  std::unique_ptr<SuggestionFetcher> fetcher_;  // loaded on first use
};

}  // namespace velto
