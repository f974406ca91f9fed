// Every caption of the search bar, its menu and the settings dialog shows whole: run at each
// scale factor and font DPI the desktop may ask for (the test's environment sets them), and
// with the desktop's font at 100, 150 and 200 % of its usual size.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <cmath>

#include "dialog/dialog_layout.h"
#include "dialog_window_fixture.h"
#include "main/caption_fit.h"
#include "main/search_bar_layout.h"
#include "platform/qt/selector_box.h"
#include "settings/factory_defaults.h"
#include "settings/starter_settings.h"

using velto::test::DialogWindowFixture;

namespace {

// Engines on the buttons as a first start writes them: the factory set or the starter set.
template <typename Engines, typename Select>
std::string IniOf(const Engines& engines, const Select& select) {
  std::string ini = "[Velto]\r\nAlwaysTop=1\r\nDefaultSearch=0\r\n";
  for (std::size_t i = 0; i < select.size(); ++i)
    ini += "SearchSelect(" + std::to_string(i) + ")=" + std::string(select[i]) + "\r\n";
  ini += "[SearchData]\r\n";
  for (std::size_t i = 0; i < engines.size(); ++i) {
    const velto::FactoryEngine& e = engines[i];
    const std::string n = std::to_string(i);
    ini += "SearchName(" + n + ")=" + std::string(e.name) + "\r\nSearchHome(" + n +
           ")=" + std::string(e.home) + "\r\nSearchEngn(" + n + ")=" + std::string(e.engine) +
           "\r\n";
  }
  return ini;
}

QString Qt8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The pixels a text covers as drawn: advance or ink, whichever ends later.
double Drawn(const QFont& font, const QString& text) {
  const QFontMetricsF metrics(font);
  return std::max(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).right());
}

// The room the style leaves for a caption inside the control.
int Room(QWidget& widget) {
  if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
    QStyleOptionButton option;
    option.initFrom(check);
    return check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check).width();
  }
  if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
  }
  if (auto* box = qobject_cast<QComboBox*>(&widget)) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    return box->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
        .width();
  }
  if (auto* frame = qobject_cast<QGroupBox*>(&widget)) return frame->width() - 16;
  return widget.contentsRect().width();
}

QString Report(std::string_view name, const QString& caption, double drawn, int room) {
  return QStringLiteral("%1 \"%2\" needs %3 px, has %4 (scale %5, font DPI %6)")
      .arg(Qt8(name), caption)
      .arg(std::ceil(drawn))
      .arg(room)
      .arg(qEnvironmentVariable("QT_SCALE_FACTOR", "1"), qEnvironmentVariable("QT_FONT_DPI", "-"));
}

}  // namespace

class CaptionTest : public QObject {
  Q_OBJECT

 private slots:
  void EveryCaptionShowsWhole_data() {
    QTest::addColumn<QString>("ini");
    QTest::addColumn<double>("text_size");
    const QString starter = Qt8(IniOf(velto::kStarterEngines, velto::kStarterSearchSelect));
    QTest::newRow("factory") << Qt8(IniOf(velto::kFactoryEngines, velto::kFactorySearchSelect))
                             << 1.0;
    QTest::newRow("starter") << starter << 1.0;
    QTest::newRow("starter, text 150 %") << starter << 1.5;
    QTest::newRow("starter, text 200 %") << starter << 2.0;
  }

  // Whole, or where a name is longer than its button can grow, shortened at its end with an
  // ellipsis by the shared rule, the whole name kept in the tooltip; never into a neighbour.
  void EveryCaptionShowsWhole() {
    QFETCH(QString, ini);
    QFETCH(double, text_size);
    const QFont desktop = QApplication::font();
    QFont larger = desktop;
    larger.setPointSizeF(9 * text_size);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&desktop] { QApplication::setFont(desktop); });
    DialogWindowFixture f(ini.toStdString());
    f.OpenFromMenu();
    QStringList cut;
    auto check = [&](std::string_view name, QWidget& widget, const QString& caption) {
      const double drawn = Drawn(widget.font(), caption);
      const int room = Room(widget);
      qInfo("%s", qPrintable(Report(name, caption, drawn, room)));
      if (drawn > room) cut << Report(name, caption, drawn, room);
    };
    for (const velto::BarControl& c : velto::kBarControls) {
      if (c.kind != velto::BarControlKind::Button) continue;
      velto::SearchButton& button = f.bar_window.Button(c.index);
      check("Command1(" + std::to_string(c.index) + ")", button, button.ShownCaption());
      const QString shown = button.ShownCaption();
      const QString ellipsis = Qt8(velto::kEllipsis);
      if (shown != button.text() &&
          !(button.IsSingleLine() && shown.endsWith(ellipsis) &&
            button.text().startsWith(shown.chopped(ellipsis.size()).trimmed()) &&
            button.toolTip() == button.text()))
        cut << Report("Command1", button.text(), 0, 0) + " shown as \"" + shown + "\"";
      for (const velto::BarControl& other : velto::kBarControls)
        if (other.top == c.top && other.left > c.left &&
            other.kind == velto::BarControlKind::Button &&
            button.geometry().right() >= f.bar_window.Button(other.index).geometry().left())
          cut << Report("Command1", button.text(), 0, 0) + " overlaps its neighbour";
      // A fixed-pitch face draws Latin captions twice as wide as the layout expects.
      QVERIFY2(!QFontInfo(button.font()).fixedPitch(),
               qPrintable(QFontInfo(button.font()).family()));
    }
    for (const velto::DialogControl& c : velto::kDialogControls) {
      QWidget& widget = f.Control(c.name);
      if (widget.isHidden()) continue;
      switch (c.kind) {
        case velto::DialogControlKind::Label:
        case velto::DialogControlKind::CheckBox:
        case velto::DialogControlKind::Button:
        case velto::DialogControlKind::Frame:
          check(c.name, widget, Qt8(c.caption));
          break;
        case velto::DialogControlKind::Selector: {
          // The default button's entries are the dialog's own and show whole; an engine's name
          // shows whole or shortened at its end.
          if (c.index == 5)
            for (std::string_view entry : velto::kDefaultButtonNames)
              check(c.name, widget, Qt8(entry));
          auto& box = static_cast<velto::SelectorBox&>(widget);
          const QString shown = box.ShownCaption();
          check(c.name, widget, shown);
          const QString ellipsis = Qt8(velto::kEllipsis);
          if (shown != box.currentText() &&
              !(shown.endsWith(ellipsis) &&
                box.currentText().startsWith(shown.chopped(ellipsis.size()).trimmed())))
            cut << Report(c.name, box.currentText(), 0, 0) + " shown as \"" + shown + "\"";
          break;
        }
        default:
          break;
      }
    }
    // Nothing of a frame reaches out of its inside: not above it into its title, not past
    // its sides.
    for (const velto::DialogControl& c : velto::kDialogControls) {
      QWidget& widget = f.Control(c.name);
      const auto* frame = qobject_cast<const QGroupBox*>(widget.parentWidget());
      if (frame != nullptr && !frame->contentsRect().contains(widget.geometry()))
        cut << Qt8(c.name) + " crosses its frame";
    }
    // One font for the dialog's controls and for the bar and its menu: the proportional gothic.
    for (QWidget* widget : {&f.Control("Frame2"), &f.Control("Command5(0)"),
                            static_cast<QWidget*>(&f.bar_window.Menu().Menu())})
      QVERIFY2(!QFontInfo(widget->font()).fixedPitch(),
               qPrintable(QFontInfo(widget->font()).family()));
    const QFontInfo gothic(f.Control("Label1(0)").font());
    qInfo("gothic: %s", qPrintable(gothic.family()));
    QVERIFY(!gothic.fixedPitch());
    // The menu sizes itself to its entries.
    QMenu& menu = f.bar_window.Menu().Menu();
    for (QAction* action : menu.actions()) {
      if (action->isSeparator() || action->menu() || !action->isVisible()) continue;
      const double drawn = Drawn(menu.font(), action->text().remove(QLatin1Char('&')));
      if (drawn > menu.actionGeometry(action).width())
        cut << Report("menu", action->text(), drawn, menu.actionGeometry(action).width());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
  }
};

QTEST_MAIN(CaptionTest)
#include "caption_test.moc"
