#pragma once
// The settings dialog window "設定": two frames, six drop-down lists, three edit boxes, a check
// box and the command buttons, built from the shared control table. It shows what the core
// tells it (SettingsDialogView) and forwards the user's picks, clicks and keys to the core; it
// never loads or unloads itself.
#include <QFont>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog_layout.h"
#include "dialog/settings_dialog.h"
#include "ports/settings_dialog_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velto {

class SettingsDialogWindow : public QWidget, public SettingsDialogView {
 public:
  // Ownerless and modeless: the search bar stays usable beside it.
  SettingsDialogWindow();
  ~SettingsDialogWindow() override;

  // The core whose handlers receive this window's events. Set once, before the first event.
  void Attach(SettingsDialog& dialog) { dialog_ = &dialog; }

  // Controls by their name in the control table ("Combo1(4)", "Command3"); null for others.
  QWidget* Control(std::string_view name) const;
  // Combo1(index) and Text1(index), for tests; an index outside the arrays throws.
  QComboBox& Selector(int index) const;
  QLineEdit& EditBox(int index) const;

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

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<QWidget> CreateControl(const DialogControl& control, double dpi);
  // Widens the controls whose captions the font leaves short.
  void FitCaptions(double dpi);
  // Moves what a frame holds below its title where the style gives the title more room than
  // the table does.
  void KeepInsideFrames();
  void ConnectControl(const DialogControl& control, QWidget& widget);
  void ChainTabOrder();
  // Gives every selector and edit box its accessible name and ties the labels to them.
  void TieLabels();
  QComboBox* SelectorAt(int index) const;
  QLineEdit* EditAt(int index) const;
  // Frame measures (outer minus client) in pixels; estimated before the first show.
  QSize FrameExtra() const;

  SettingsDialog* dialog_ = nullptr;
  // The two fonts of the dialog's controls, resolved once.
  QFont gothic_font_;
  QFont default_font_;
  // The DPI the table is laid out at: the screen's, grown with the desktop's text size.
  double layout_dpi_;
  // Every control, in table order, each frame before what it holds: an array is destroyed
  // from its end, so no frame deletes a child that is still owned here.
  std::array<std::unique_ptr<QWidget>, kDialogControlCount> controls_{};
  std::array<QComboBox*, kSelectorCount> selectors_{};
  std::array<QLineEdit*, kEditBoxCount> edits_{};
  QCheckBox* always_top_ = nullptr;
  QCheckBox* suggest_ = nullptr;
  QPushButton* restore_ = nullptr;
};

}  // namespace velto
