#include "platform/qt/settings_dialog_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "dialog/dialog_accessible.h"
#include "dialog/dialog_commands.h"
#include "dialog/dialog_layout.h"
#include "dialog/dialog_text_scale.h"
#include "main/caption_fit.h"
#include "platform/qt/accessible_roles.h"
#include "platform/qt/app_icon.h"
#include "platform/qt/caption_room.h"
#include "platform/qt/qt_units.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/selector_box.h"
#include "platform/qt/taskbar_hint.h"
#include "platform/qt/virtual_keys.h"

namespace velto {
namespace {

// The size of the desktop's font, in points.
double DesktopPoints() {
  const QFont app = QApplication::font();
  if (app.pointSizeF() > 0) return app.pointSizeF();
  return app.pixelSize() * 72.0 / LayoutDpi();
}

QFont GothicFont(const QStringList& families) {
  return ProportionalGothic(families, kDialogFontPoints * DialogTextScale(DesktopPoints()),
                            kDialogFontWeight >= 700);
}

// The dialog's default font: the desktop's size, in the same proportional gothic as the rest
// of the dialog (the desktop's own face is often a fixed-pitch one). Set on a control
// explicitly so that it does not take the gothic font of the frame it stands in.
QFont DefaultFont(const QStringList& families) {
  return ProportionalGothic(families, std::max(DesktopPoints(), kDesignedDesktopPoints),
                            QApplication::font().weight() >= QFont::Bold);
}

bool TakesFocus(DialogControlKind kind) {
  return kind != DialogControlKind::Frame && kind != DialogControlKind::Label;
}

}  // namespace

SettingsDialogWindow::SettingsDialogWindow()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      gothic_font_(GothicFont(ProportionalGothicFamilies(kDialogFontName))),
      default_font_(DefaultFont(ProportionalGothicFamilies(kDialogFontName))),
      layout_dpi_(LayoutDpi() * DialogTextScale(DesktopPoints())) {
  // Before the title: setting one makes the presentation the title is read from.
  PresentWithRole(*this, kSettingsDialogRole);
  setWindowTitle(ToQt(kDialogCaption));
  setWindowIcon(AppIcon());
  // Closing the dialog never ends the program; only the search bar does.
  setAttribute(Qt::WA_QuitOnClose, false);
  // The table grows with the desktop's text size, as the fonts do.
  const double dpi = layout_dpi_;
  setFixedSize(LayoutPixels(kDialogClientWidth, dpi), LayoutPixels(kDialogClientHeight, dpi));
  // The table lists each frame before the controls it holds.
  for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
    controls_[i] = CreateControl(kDialogControls[i], dpi);
    ConnectControl(kDialogControls[i], *controls_[i]);
  }
  FitCaptions(dpi);
  KeepInsideFrames();
  ChainTabOrder();
  TieLabels();
}

SettingsDialogWindow::~SettingsDialogWindow() = default;

std::unique_ptr<QWidget> SettingsDialogWindow::CreateControl(const DialogControl& c, double dpi) {
  QWidget* parent = this;
  if (c.parent == DialogParent::Frame1) parent = Control("Frame1");
  if (c.parent == DialogParent::Frame2) parent = Control("Frame2");

  std::unique_ptr<QWidget> widget;
  switch (c.kind) {
    case DialogControlKind::Frame:
      widget = std::make_unique<QGroupBox>(ToQt(c.caption), parent);
      break;
    case DialogControlKind::Label:
      widget = std::make_unique<QLabel>(ToQt(c.caption), parent);
      break;
    case DialogControlKind::Selector: {
      auto box = std::make_unique<SelectorBox>(parent);
      box->setEditable(false);  // the user picks, never types
      box->setMaxVisibleItems(kEditableEngineSlots);
      selectors_[static_cast<std::size_t>(c.index)] = box.get();
      widget = std::move(box);
      break;
    }
    case DialogControlKind::EditBox: {
      auto edit = std::make_unique<QLineEdit>(ToQt(c.caption), parent);
      edits_[static_cast<std::size_t>(c.index)] = edit.get();
      widget = std::move(edit);
      break;
    }
    case DialogControlKind::CheckBox: {
      auto check = std::make_unique<QCheckBox>(ToQt(c.caption), parent);
      (c.index == 0 ? always_top_ : suggest_) = check.get();
      widget = std::move(check);
      break;
    }
    case DialogControlKind::Button: {
      auto button = std::make_unique<QPushButton>(ToQt(c.caption), parent);
      // Enter on a focused button presses it, as Space does.
      button->setAutoDefault(true);
      if (c.parent == DialogParent::Dialog && c.index == kRestoreButton) restore_ = button.get();
      widget = std::move(button);
      break;
    }
  }
  widget->setObjectName(ToQt(c.name));
  if (!c.caption.empty()) widget->setAccessibleName(ToQt(c.caption));
  widget->setGeometry(LayoutRect(c, dpi));
  widget->setFont(c.font == DialogFont::Gothic ? gothic_font_ : default_font_);
  if (HasFlag(c.flags, kStartsHidden)) widget->hide();
  return widget;
}

void SettingsDialogWindow::TieLabels() {
  for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
    const DialogControl& c = kDialogControls[i];
    QWidget& widget = *controls_[i];
    // Before any name: setting one makes the presentation the name is read from.
    if (auto* box = qobject_cast<QComboBox*>(&widget)) PresentWithOwnName(*box);
    // A selector would be read by its value and an edit box by nothing: each gets the name
    // of its label, or the one the core gives it, and the label points to it.
    if (const std::string_view label = LabelOf(c.name); !label.empty()) {
      if (auto* tied = qobject_cast<QLabel*>(Control(label))) {
        tied->setBuddy(&widget);
        widget.setAccessibleName(tied->text());
      }
    } else if (const std::string_view name = UnlabelledNameOf(c.name); !name.empty()) {
      widget.setAccessibleName(ToQt(name));
    }
    if (const std::string_view description = DescriptionOf(c.name); !description.empty())
      widget.setAccessibleDescription(ToQt(description));
  }
}

void SettingsDialogWindow::FitCaptions(double dpi) {
  for (std::size_t i = 0; i < kDialogControls.size(); ++i) {
    const DialogControl& c = kDialogControls[i];
    if (!HasFlag(c.flags, kFitsCaption)) continue;
    QString caption = ToQt(c.caption);
    if (c.kind == DialogControlKind::Selector) {
      // A selector's caption is its widest entry; before the first load, the default
      // button's names are the only entries the table knows.
      caption = static_cast<const SelectorBox&>(*controls_[i]).WidestEntry();
      const QFontMetricsF metrics(controls_[i]->font());
      if (c.index == kDefaultSelector)
        for (std::string_view name : kDefaultButtonNames)
          if (DrawnTextWidth(metrics, ToQt(name)) > DrawnTextWidth(metrics, caption))
            caption = ToQt(name);
    }
    if (!caption.isEmpty())
      GrowToFit(*controls_[i], caption, LayoutPixels(DialogGrowLimit(i), dpi));
  }
}

void SettingsDialogWindow::KeepInsideFrames() {
  // The inner frame first: moving what it holds may make it taller inside the outer one.
  for (std::string_view name : {"Frame2", "Frame1"}) {
    auto* frame = qobject_cast<QGroupBox*>(Control(name));
    if (frame == nullptr) continue;
    frame->ensurePolished();
    const QList<QWidget*> held = frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (held.isEmpty()) continue;
    int top = held.first()->y();
    int bottom = 0;
    for (const QWidget* widget : held) {
      top = std::min(top, widget->y());
      bottom = std::max(bottom, widget->geometry().bottom());
    }
    // This style draws the title above the frame's line, not through it.
    const QRect inside = frame->contentsRect();
    const int down = std::max(0, inside.top() - top);
    if (down == 0) continue;
    for (QWidget* widget : held) widget->move(widget->x(), widget->y() + down);
    if (bottom + down > inside.bottom())
      frame->resize(frame->width(), frame->height() + bottom + down - inside.bottom());
  }
}

void SettingsDialogWindow::ConnectControl(const DialogControl& c, QWidget& widget) {
  const int index = c.index;
  if (auto* box = qobject_cast<QComboBox*>(&widget)) {
    // activated comes from the user's picks only, never from the core's own selections.
    connect(box, &QComboBox::activated, this, [this, index] {
      if (dialog_) dialog_->Combo1_Click(index);
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    edit->installEventFilter(this);
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    if (const auto command = CommandOfButton(c)) {
      connect(button, &QPushButton::clicked, this, [this, command = *command] {
        if (dialog_) dialog_->OnCommand(command);
      });
    }
  }
}

void SettingsDialogWindow::ChainTabOrder() {
  std::vector<std::size_t> focusable;
  for (std::size_t i = 0; i < kDialogControls.size(); ++i)
    if (TakesFocus(kDialogControls[i].kind)) focusable.push_back(i);
  std::sort(focusable.begin(), focusable.end(), [](std::size_t a, std::size_t b) {
    return kDialogControls[a].tab < kDialogControls[b].tab;
  });
  for (std::size_t i = 1; i < focusable.size(); ++i)
    setTabOrder(controls_[focusable[i - 1]].get(), controls_[focusable[i]].get());
}

QWidget* SettingsDialogWindow::Control(std::string_view name) const {
  for (std::size_t i = 0; i < kDialogControls.size(); ++i)
    if (kDialogControls[i].name == name) return controls_[i].get();
  return nullptr;
}

// The core's calls arrive inside Qt's event handlers, where nothing may throw: an index
// outside the arrays finds no control.
QComboBox* SettingsDialogWindow::SelectorAt(int index) const {
  if (index < 0 || index >= kSelectorCount) return nullptr;
  return selectors_[static_cast<std::size_t>(index)];
}

QLineEdit* SettingsDialogWindow::EditAt(int index) const {
  if (index < 0 || index >= kEditBoxCount) return nullptr;
  return edits_[static_cast<std::size_t>(index)];
}

QComboBox& SettingsDialogWindow::Selector(int index) const {
  return *selectors_.at(static_cast<std::size_t>(index));
}

QLineEdit& SettingsDialogWindow::EditBox(int index) const {
  return *edits_.at(static_cast<std::size_t>(index));
}

bool SettingsDialogWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !dialog_) return false;
  for (int box = 0; box < kEditBoxCount; ++box) {
    if (watched != edits_[static_cast<std::size_t>(box)]) continue;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // A key the dialog used (Enter) goes no further: no default button, no beep.
    return dialog_->Text1_KeyDown(box, VirtualKeyCode(key), ShiftState(key.modifiers()));
  }
  return false;
}

void SettingsDialogWindow::keyPressEvent(QKeyEvent* event) {
  // Keys no control used come here: Esc cancels, as a dialog's does.
  const auto command = CommandOfKey(VirtualKeyCode(*event), ShiftState(event->modifiers()));
  if (command && dialog_ && dialog_->IsLoaded()) {
    dialog_->OnCommand(*command);
    return;
  }
  QWidget::keyPressEvent(event);
}

void SettingsDialogWindow::closeEvent(QCloseEvent* event) {
  // The close box ends the dialog like Cancel; the core hides the window through Close.
  event->ignore();
  if (dialog_ && dialog_->IsLoaded())
    dialog_->OnCommand(DialogCommand::CloseBox);
  else
    hide();
}

void SettingsDialogWindow::Open() {
  // The window lives as long as the program; each load only refills its controls.
  ensurePolished();
}

void SettingsDialogWindow::Show() {
  // The selectors hold their entries by now.
  FitCaptions(layout_dpi_);
  KeepOutOfTaskbar(*this);
  show();
  raise();
  activateWindow();
}

void SettingsDialogWindow::Close() {
  hide();
}

void SettingsDialogWindow::BringToFront() {
  if (!isVisible()) KeepOutOfTaskbar(*this);
  show();
  raise();
  activateWindow();
}

QSize SettingsDialogWindow::FrameExtra() const {
  const QSize own = frameGeometry().size() - size();
  if (!own.isNull()) return own;
  // Before the first show the window manager has not told us our frame: the search bar's,
  // drawn by the same window manager, stands in.
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (other == this || !other->isVisible()) continue;
    const QSize extra = other->frameGeometry().size() - other->size();
    if (!extra.isNull()) return extra;
  }
  return own;
}

float SettingsDialogWindow::OuterHeight() const {
  return Twips(height() + FrameExtra().height());
}

float SettingsDialogWindow::OuterWidth() const {
  return Twips(width() + FrameExtra().width());
}

// move() places a window's frame, so Top and Left are those of the outer window.
void SettingsDialogWindow::SetTop(float twips) {
  move(pos().x(), Pixels(twips));
}

void SettingsDialogWindow::SetLeft(float twips) {
  move(Pixels(twips), pos().y());
}

void SettingsDialogWindow::ClearSelector(int selector) {
  if (QComboBox* box = SelectorAt(selector)) box->clear();
}

void SettingsDialogWindow::AppendSelectorEntry(int selector, const std::string& text) {
  QComboBox* box = SelectorAt(selector);
  if (!box) return;
  const bool was_empty = box->count() == 0;
  box->addItem(ToQt(text));
  // A list picks its first entry when it fills from empty; the core selects.
  if (was_empty) box->setCurrentIndex(-1);
}

void SettingsDialogWindow::SetSelectorEntry(int selector, int position, const std::string& text) {
  QComboBox* box = SelectorAt(selector);
  if (box && position >= 0 && position < box->count()) box->setItemText(position, ToQt(text));
}

void SettingsDialogWindow::SelectEntry(int selector, std::optional<int> position) {
  QComboBox* box = SelectorAt(selector);
  if (!box) return;
  const bool exists = position && *position >= 0 && *position < box->count();
  box->setCurrentIndex(exists ? *position : -1);
}

std::optional<int> SettingsDialogWindow::SelectedEntry(int selector) const {
  const QComboBox* box = SelectorAt(selector);
  if (!box || box->currentIndex() < 0) return std::nullopt;
  return box->currentIndex();
}

void SettingsDialogWindow::SetAlwaysTopChecked(bool checked) {
  always_top_->setChecked(checked);
}

bool SettingsDialogWindow::IsAlwaysTopChecked() const {
  return always_top_->isChecked();
}

void SettingsDialogWindow::SetSuggestChecked(bool checked) {
  suggest_->setChecked(checked);
}

bool SettingsDialogWindow::IsSuggestChecked() const {
  return suggest_->isChecked();
}

void SettingsDialogWindow::SetEditText(int box, const std::string& text) {
  if (QLineEdit* edit = EditAt(box)) edit->setText(ToQt(text));
}

std::string SettingsDialogWindow::EditText(int box) const {
  const QLineEdit* edit = EditAt(box);
  return edit ? edit->text().toStdString() : std::string();
}

void SettingsDialogWindow::FocusSelector(int selector) {
  if (QComboBox* box = SelectorAt(selector)) box->setFocus(Qt::OtherFocusReason);
}

void SettingsDialogWindow::SetRestoreButtonVisible(bool visible) {
  restore_->setVisible(visible);
}

}  // namespace velto
