#include "platform/qt/search_bar_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "main/accessible_names.h"
#include "main/caption_fit.h"
#include "platform/qt/accessible_roles.h"
#include "platform/qt/app_icon.h"
#include "platform/qt/caption_room.h"
#include "platform/qt/composition_watch.h"
#include "platform/qt/drop_router.h"
#include "platform/qt/key_preview.h"
#include "platform/qt/network_module_loader.h"
#include "platform/qt/qt_units.h"
#include "platform/qt/query_box.h"
#include "platform/qt/search_button.h"

namespace velto {
namespace {

static_assert(kQueryFont.face == kButtonFont.face && kButtonFont.face == kBoldButtonFont.face,
              "the bar's fonts share one family list");

// The bar's three fonts, in the order of BarFont.
std::array<QFont, 3> BarFonts() {
  const QStringList families = ProportionalGothicFamilies(kQueryFont.face);
  std::array<QFont, 3> fonts;
  for (BarFont which : {BarFont::Query, BarFont::Button, BarFont::BoldButton}) {
    const BarFontSpec& wanted = FontSpecOf(which);
    fonts[static_cast<std::size_t>(which)] =
        ProportionalGothic(families, wanted.points, wanted.weight >= 700);
  }
  return fonts;
}

// The position of button `index` in the layout table.
std::size_t TableIndexOfButton(int index) {
  for (std::size_t i = 0; i < kBarControls.size(); ++i)
    if (kBarControls[i].kind == BarControlKind::Button && kBarControls[i].index == index) return i;
  return 0;
}

int MouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftMouseButton;
    case Qt::RightButton:
      return kRightMouseButton;
    case Qt::MiddleButton:
      return kMiddleMouseButton;
    default:
      return 0;
  }
}

}  // namespace

SearchBarWindow::SearchBarWindow(std::function<void()> on_closed)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      on_closed_(std::move(on_closed)),
      menu_(*this, [this](int index) { Report(MenuEntryChosen{index}); }) {
  // Before the title: setting one makes the presentation the title is read from.
  PresentWithRole(*this, kSearchBarRole);
  setWindowTitle(ToQt(kSearchBarCaption));
  layout_dpi_ = LayoutDpi();
  fonts_ = BarFonts();
  // The menu is a window of its own and would take the desktop's font, not the bar's.
  menu_.SetFont(FontOf(BarFont::Button));
  setFixedSize(LayoutPixels(kBarClientWidth, layout_dpi_),
               LayoutPixels(kBarClientHeight, layout_dpi_));
  BuildControls();
  ConnectEvents();
}

SearchBarWindow::~SearchBarWindow() {
  // The core goes first; the focus and move events of the window's own end must not reach it.
  bar_ = nullptr;
}

void SearchBarWindow::Attach(SearchBar& bar) {
  bar_ = &bar;
  bar.SetSuggestionServices(
      {&suggestion_timers_, suggestions_.get(), [this]() -> SuggestionFetcher& {
         if (!fetcher_) fetcher_ = LoadNetworkFetcher();
         return *fetcher_;
       }});
}

void SearchBarWindow::BuildControls() {
  query_ = std::make_unique<QueryBox>(this, FontOf(BarFont::Query));
  query_->setModel(&history_model_);
  // After the model: setting it hands the box a completer, and completing typed text from
  // the history would change the query behind the user's back.
  query_->setCompleter(nullptr);
  // The box shows no caption: a screen reader hears its name and keys instead of its text.
  PresentWithOwnName(*query_);
  for (QWidget* part :
       {static_cast<QWidget*>(query_.get()), static_cast<QWidget*>(query_->lineEdit())}) {
    part->setAccessibleName(ToQt(kQueryBoxName));
    part->setAccessibleDescription(ToQt(kQueryBoxDescription));
  }
  for (auto& button : buttons_) {
    button = std::make_unique<SearchButton>(this);
    button->setAutoDefault(false);
  }

  QWidget* previous = nullptr;
  for (const BarControl& control : kBarControls) {
    QWidget* widget = query_.get();
    if (control.kind == BarControlKind::Button) {
      SearchButton* button = ButtonAt(control.index);
      button->setText(ToQt(control.caption));
      widget = button;
    }
    widget->setGeometry(LayoutRect(control, layout_dpi_));
    widget->setFont(FontOf(control.font));
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
  for (int i = 0; i < kButtonCount; ++i) FitButton(i);
  // The open list is as tall as the layout asks, in whole entries.
  const int entry_height = std::max(1, query_->fontMetrics().height());
  query_->setMaxVisibleItems(
      std::max(1, LayoutPixels(kQueryListHeight, layout_dpi_) / entry_height));
  query_->setFocus();
}

void SearchBarWindow::ConnectEvents() {
  for (int i = 0; i < kButtonCount; ++i) {
    SearchButton* button = ButtonAt(i);
    connect(button, &QPushButton::clicked, this, [this, i] { Report(ButtonClicked{i}); });
    button->installEventFilter(this);  // mouse presses of every button
  }

  key_preview_ = std::make_unique<KeyPreview>(
      *this,
      [this](int key_code, int shift) {
        return Report(KeyPress{key_code, shift, ListState()});
      },
      [this](int key_code, int shift) {
        return bar_ && bar_->OutcomeOf(key_code, shift) == KeyOutcome::Consumed;
      });
  query_->OnPopup(
      [this](QWidget& list) {
        if (auto* view = qobject_cast<QListView*>(&list)) view->setUniformItemSizes(true);
        key_preview_->Watch(list);
        if (QWidget* frame = list.parentWidget()) key_preview_->Watch(*frame);
      },
      [this](QAbstractItemView& list) {
        // The highlight the list opens with is the core's, not whatever the view kept.
        const std::optional<int> row = bar_ ? bar_->HighlightOnListOpen() : std::nullopt;
        if (row)
          list.setCurrentIndex(list.model()->index(*row, 0));
        else
          list.selectionModel()->clear();
        Report(HistoryListOpened{});
      });
  query_->OnPopupClosed([this] { Report(HistoryListClosed{}); });

  suggestions_ = std::make_unique<SuggestionPopup>(
      *query_, *query_->lineEdit(), [this](const BarEvent& event) { Report(event); });
  connect(query_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { Report(QueryEdited{text.toStdString()}); });
  composition_ = std::make_unique<CompositionWatch>(
      *query_->lineEdit(), [this](const BarEvent& event) { Report(event); });
  // The box or its line edit reports the focus leaving the box.
  query_->installEventFilter(this);
  query_->lineEdit()->installEventFilter(this);

  drops_ =
      std::make_unique<DropRouter>(this, [this](DropTargetRef target, const DropData& dropped) {
        Report(Drop{target, dropped});
      });
  drops_->Route(*this, {DropTargetKind::Window});
  drops_->Route(*query_, {DropTargetKind::QueryBox});
  drops_->Route(*query_->lineEdit(), {DropTargetKind::QueryBox});
  for (int i = 0; i < kButtonCount; ++i) drops_->Route(*ButtonAt(i), {DropTargetKind::Button, i});
}

KeyOutcome SearchBarWindow::Report(const BarEvent& event) {
  return bar_ ? bar_->Handle(event) : KeyOutcome::PassOn;
}

HistoryListState SearchBarWindow::ListState() const {
  HistoryListState state;
  const QAbstractItemView* list = query_->view();
  state.open = list && list->isVisible();
  if (state.open && list->currentIndex().isValid()) state.highlighted = list->currentIndex().row();
  return state;
}

bool SearchBarWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::FocusOut && (watched == query_.get() || watched == query_->lineEdit())) {
    Report(QueryFocusLost{});
    return false;
  }
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
      type != QEvent::MouseButtonRelease)
    return false;
  for (int i = 0; i < kButtonCount; ++i) {
    if (watched != ButtonAt(i)) continue;
    const int code = MouseButtonCode(static_cast<QMouseEvent*>(event)->button());
    if (code == 0) break;
    if (type == QEvent::MouseButtonRelease)
      Report(MouseRelease{i, code});
    else
      Report(MousePress{i, code, type == QEvent::MouseButtonDblClick ? 2 : 1});
    break;
  }
  return false;
}

void SearchBarWindow::closeEvent(QCloseEvent* event) {
  // Whoever closes the window (the user, a signal, the program), the closing steps run; the
  // core runs them once however often it is asked.
  Report(WindowClosed{});
  if (on_closed_) on_closed_();
  event->accept();
}

void SearchBarWindow::TakeIcon() {
  setWindowIcon(AppIcon());
}

void SearchBarWindow::setVisible(bool visible) {
  if (visible && !fits_now_) {
    fits_now_ = true;
    for (int i = 0; i < kButtonCount; ++i) {
      if (!fit_waiting_[static_cast<std::size_t>(i)]) continue;
      fit_waiting_[static_cast<std::size_t>(i)] = false;
      FitButtonNow(i);
    }
  }
  QWidget::setVisible(visible);
}

void SearchBarWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The start-up placement saw the window without its frame; now that it has one, the whole
  // window is kept on the screen.
  if (!shown_once_ && bar_) bar_->KeepOnScreen();
  shown_once_ = true;
}

void SearchBarWindow::moveEvent(QMoveEvent* event) {
  Report(WindowMoved{});
  QWidget::moveEvent(event);
}

QComboBox& SearchBarWindow::QueryBoxWidget() {
  return *query_;
}

SearchButton& SearchBarWindow::Button(int index) {
  return *ButtonAt(index);
}

SearchButton* SearchBarWindow::ButtonAt(int index) const {
  if (index < 0 || index >= kButtonCount) return nullptr;
  return buttons_[static_cast<std::size_t>(index)].get();
}

float SearchBarWindow::Top() const {
  return Twips(pos().y());
}
float SearchBarWindow::Left() const {
  return Twips(pos().x());
}
float SearchBarWindow::Height() const {
  return Twips(frameGeometry().height());
}
float SearchBarWindow::Width() const {
  return Twips(frameGeometry().width());
}

// move() places a window's frame, so Top and Left are those of the outer window.
void SearchBarWindow::SetTop(float twips) {
  move(pos().x(), Pixels(twips));
}
void SearchBarWindow::SetLeft(float twips) {
  move(Pixels(twips), pos().y());
}

float SearchBarWindow::ScreenHeightTwips() const {
  const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
  return on ? Twips(on->geometry().height()) : 0.0f;
}

std::vector<ScreenRect> SearchBarWindow::ScreenWorkAreas() const {
  std::vector<ScreenRect> areas;
  const QScreen* primary = QGuiApplication::primaryScreen();
  auto add = [&areas](const QScreen* screen) {
    const QRect work = screen->availableGeometry();
    areas.push_back({Twips(work.x()), Twips(work.y()), Twips(work.width()), Twips(work.height())});
  };
  if (primary) add(primary);
  for (const QScreen* screen : QGuiApplication::screens())
    if (screen != primary) add(screen);
  return areas;
}

void SearchBarWindow::SetTopmost(bool topmost) {
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, topmost);
  if (QWindow* window = windowHandle()) {
    // A live window is told directly; setWindowFlags would hide and re-create it.
    overrideWindowFlags(flags);
    window->setFlags(flags);
  } else {
    setWindowFlags(flags);
  }
}

void SearchBarWindow::SetButtonCaption(int index, const std::string& caption) {
  SearchButton* button = ButtonAt(index);
  if (!button) return;
  // The same caption again changes nothing: no new text, no new measurement.
  const QString text = ToQt(caption);
  if (button->text() == text) return;
  button->setText(text);
  FitButton(index);
}

void SearchBarWindow::FitButton(int index) {
  if (index < 0 || index >= kButtonCount) return;
  if (!fits_now_) {
    fit_waiting_[static_cast<std::size_t>(index)] = true;
    return;
  }
  FitButtonNow(index);
}

void SearchBarWindow::FitButtonNow(int index) {
  SearchButton* button = ButtonAt(index);
  if (!button) return;
  // Back to the table's width first: a shorter caption gives the room back.
  const std::size_t at = TableIndexOfButton(index);
  button->setGeometry(LayoutRect(kBarControls[at], layout_dpi_));
  if (!HasFlag(kBarControls[at].flags, kFitsCaption)) return;
  QString caption = button->text();
  if (button->IsSingleLine())
    caption.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
  GrowToFit(*button, caption, LayoutPixels(BarGrowLimit(at), layout_dpi_));
}

void SearchBarWindow::SetButtonToolTip(int index, const std::string& tip) {
  if (SearchButton* button = ButtonAt(index)) button->setToolTip(ToQt(tip));
}

void SearchBarWindow::SetButtonEnabled(int index, bool enabled) {
  if (SearchButton* button = ButtonAt(index)) button->setEnabled(enabled);
}

bool SearchBarWindow::IsButtonEnabled(int index) const {
  const SearchButton* button = ButtonAt(index);
  return button && button->isEnabled();
}

void SearchBarWindow::SetButtonBold(int index, bool bold) {
  SearchButton* button = ButtonAt(index);
  if (!button) return;
  if (button->font().bold() == bold) return;
  QFont font = button->font();
  font.setBold(bold);
  button->setFont(font);
  FitButton(index);
}

void SearchBarWindow::SetButtonDescription(int index, const std::string& description) {
  if (SearchButton* button = ButtonAt(index)) button->setAccessibleDescription(ToQt(description));
}

void SearchBarWindow::MakeCaptionSingleLine(int index) {
  SearchButton* button = ButtonAt(index);
  if (!button || button->IsSingleLine()) return;
  button->SetSingleLine(true);
  FitButton(index);
}

std::string SearchBarWindow::QueryText() const {
  return query_->lineEdit()->text().toStdString();
}

void SearchBarWindow::SetQueryText(const std::string& text) {
  query_->lineEdit()->setText(ToQt(text));
}

void SearchBarWindow::FocusQuery() {
  query_->setFocus(Qt::OtherFocusReason);
}

template <typename Change>
void SearchBarWindow::KeepingQueryText(Change&& change) {
  // The box picks a current entry and copies it into the text when its list fills from
  // empty or loses its current entry; the text belongs to the user and the core.
  QLineEdit& edit = *query_->lineEdit();
  const QString text = edit.text();
  const int cursor = edit.cursorPosition();
  const bool had_current = query_->currentIndex() >= 0;
  change();
  // No entry is chosen until the user chooses one, so the first Down shows the first entry.
  if (!had_current && query_->currentIndex() >= 0) query_->setCurrentIndex(-1);
  if (edit.text() != text) {
    edit.setText(text);
    edit.setCursorPosition(cursor);
  }
}

void SearchBarWindow::HistoryInserted(int position, const std::string& text) {
  if (position < 0 || position > history_model_.rowCount()) return;
  KeepingQueryText([&] {
    history_model_.insertRows(position, 1);
    history_model_.setData(history_model_.index(position), ToQt(text));
  });
}

void SearchBarWindow::HistoryRemoved(int position) {
  if (position < 0 || position >= history_model_.rowCount()) return;
  KeepingQueryText([&] { history_model_.removeRows(position, 1); });
}

void SearchBarWindow::HistoryReset(const std::vector<std::string>& entries) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(entries.size()));
  for (const std::string& entry : entries) list.append(ToQt(entry));
  // One model reset, however long the list: no per-entry work in the box.
  KeepingQueryText([&] { history_model_.setStringList(list); });
}

void SearchBarWindow::CloseHistoryList() {
  if (query_->view() && query_->view()->isVisible()) query_->hidePopup();
}

void SearchBarWindow::SetMenuEntryVisible(int index, bool visible) {
  menu_.SetEntryVisible(index, visible);
}

void SearchBarWindow::ShowMenu(MenuPlace place) {
  if (place == MenuPlace::AtPointer) {
    menu_.PopupAt(QCursor::pos());
    return;
  }
  const SearchButton& button = *ButtonAt(kMenuButton);
  menu_.PopupAt(button.mapToGlobal(QPoint(0, button.height())));
}

}  // namespace velto
