// The settings dialog as the menu entry "設定" opens it: window, controls, fonts, tab order,
// lists and placement beside the search bar.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "dialog/dialog_layout.h"
#include "dialog_window_fixture.h"
#include "main/caption_fit.h"

using velto::kDialogControls;
using velto::test::DialogWindowFixture;

namespace {

QString Qt8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ShownCaption(QWidget& widget) {
  if (auto* frame = qobject_cast<QGroupBox*>(&widget)) return frame->title();
  if (auto* label = qobject_cast<QLabel*>(&widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) return button->text();
  if (auto* edit = qobject_cast<QLineEdit*>(&widget)) return edit->text();
  return {};
}

}  // namespace

class DialogLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void MenuEntryOpensAFixedOwnerlessDialog() {
    DialogWindowFixture f;
    QVERIFY(!f.window.isVisible());
    f.OpenFromMenu();
    QVERIFY(f.dialog.IsLoaded());
    QVERIFY(f.window.isVisible());
    QCOMPARE(f.window.windowTitle(), QStringLiteral("設定"));
    // 6930 x 4320 twips at 15 twips a pixel, and the user cannot resize it.
    QCOMPARE(f.window.size(), QSize(462, 288));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QCOMPARE(f.window.windowType(), Qt::Dialog);
    QVERIFY(!(f.window.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(f.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window.windowFlags() & Qt::WindowCloseButtonHint);
    // Modeless and without an owner: the search bar takes clicks while the dialog is open.
    QVERIFY(f.window.parentWidget() == nullptr);
    QVERIFY(!f.window.isModal());
    QTest::mouseClick(&f.bar_window.Button(velto::kClearButton), Qt::LeftButton);
    QVERIFY(f.window.isVisible());
    // Closing the dialog never ends the program.
    QVERIFY(!f.window.testAttribute(Qt::WA_QuitOnClose));
  }

  void EveryControlStandsAtItsPlaceWithItsCaptionAndFont() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    const QString gothic = QStringLiteral("ＭＳ Ｐゴシック");
    for (const velto::DialogControl& c : kDialogControls) {
      const QString name = Qt8(c.name);
      QWidget& widget = f.Control(c.name);
      // A control may be wider than the table where its caption needs it, never past its
      // right neighbour; the table's twips are rounded to the nearest pixel.
      const QRect at = widget.geometry();
      // Inside a frame whose style gives its title more room than the table, as much lower as
      // keeps it below the title.
      const auto* frame = qobject_cast<const QGroupBox*>(widget.parentWidget());
      const int lower = frame != nullptr ? frame->contentsRect().top() : 0;
      QVERIFY2(at.x() == (c.left + 7) / 15, qPrintable(name));
      QVERIFY2(at.y() >= (c.top + 7) / 15 && at.y() <= (c.top + 7) / 15 + lower, qPrintable(name));
      QVERIFY2(at.height() == (c.height + 7) / 15, qPrintable(name));
      const int limit =
          (velto::DialogGrowLimit(static_cast<std::size_t>(&c - kDialogControls.data())) + 7) / 15;
      QVERIFY2(at.width() >= std::min((c.width + 7) / 15, limit - at.x()), qPrintable(name));
      QVERIFY2(at.x() + at.width() <= limit, qPrintable(name));
      QWidget* expected_parent = &f.window;
      if (c.parent == velto::DialogParent::Frame1) expected_parent = &f.Control("Frame1");
      if (c.parent == velto::DialogParent::Frame2) expected_parent = &f.Control("Frame2");
      QVERIFY2(widget.parentWidget() == expected_parent, qPrintable(name));
      if (c.kind != velto::DialogControlKind::EditBox &&
          c.kind != velto::DialogControlKind::Selector)
        QVERIFY2(ShownCaption(widget) == Qt8(c.caption), qPrintable(name));
      const QFont font = widget.font();
      if (c.font == velto::DialogFont::Gothic) {
        QVERIFY2(font.families().contains(gothic), qPrintable(name));
        QVERIFY2(qFuzzyCompare(font.pointSizeF(), 9.75), qPrintable(name));
        QVERIFY2(font.weight() == QFont::Normal, qPrintable(name));
      } else {
        // The dialog's own font: the same proportional face at the desktop's size, not the
        // 9.75 points of the frame it stands in.
        QVERIFY2(font.families().contains(gothic), qPrintable(name));
        QVERIFY2(qFuzzyCompare(font.pointSizeF(), std::max(QApplication::font().pointSizeF(), 9.0)),
                 qPrintable(name));
      }
    }
    QVERIFY(qobject_cast<QGroupBox*>(&f.Control("Frame1")));
    QVERIFY(qobject_cast<QGroupBox*>(&f.Control("Frame2")));
    QVERIFY(qobject_cast<QCheckBox*>(&f.Control("Check1")));
    // Whatever font stands in for the gothic must draw Japanese, and be narrow enough for the
    // labels' places: a wider stand-in cuts whole characters off "ボタン1" and "標準のボタン"
    // (the proportional one may lose a pixel or two of the last character's edge).
    QVERIFY(QFontMetrics(f.Control("Label1(4)").font()).inFontUcs4(U'準'));
    for (std::string_view name :
         {"Label1(0)", "Label1(1)", "Label1(2)", "Label1(3)", "Label1(4)", "Label1(6)"}) {
      auto& label = static_cast<QLabel&>(f.Control(name));
      QVERIFY2(label.fontMetrics().tightBoundingRect(label.text()).right() <= label.width() + 2,
               name.data());
    }
  }

  void RestoreButtonStandsInItsPlaceButHidden() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    QPushButton& restore = f.Button("Command4");
    QCOMPARE(restore.text(), QStringLiteral("標準に戻す"));
    QCOMPARE(restore.geometry(), QRect(144, 180, 73, 17));
    QVERIFY(restore.isHidden());
    QVERIFY(f.Button("Command1").isVisible());
    // Reopened, it is still hidden.
    QTest::mouseClick(&f.Button("Command2"), Qt::LeftButton);
    f.OpenFromMenu();
    QVERIFY(restore.isHidden());
  }

  void TabWalksTheControlsInTheirOrderFromTheFirstSelector() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    QTRY_COMPARE(QApplication::focusWidget(), &f.Selector(0));
    // The edited engine's fields, those below the buttons too, come before the buttons that end
    // the dialog; the hidden restore button is passed over; the walk wraps round.
    const std::vector<std::string_view> order{
        "Combo1(1)", "Combo1(2)", "Combo1(3)",   "Combo1(5)",   "Combo1(4)",   "Text1(0)",
        "Text1(1)",  "Text1(2)",  "Command5(0)", "Command5(1)", "Command5(2)", "Text1(3)",
        "Check2",    "Text1(4)",  "Combo1(6)",   "Combo1(7)",   "Command6",    "Check1",
        "Command1",  "Command2",  "Command3",    "Combo1(0)"};
    for (std::string_view next : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY2(QApplication::focusWidget() == &f.Control(next), next.data());
    }
  }

  void SelectorsAreListsToPickFromFilledFromTheSettings() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    QStringList engines{"A", "B", "C", "D", "E"};
    while (engines.size() < 20) engines.append(QString());
    for (int selector = 0; selector < 5; ++selector) {
      QVERIFY(!f.Selector(selector).isEditable());
      QCOMPARE(f.Entries(selector), engines);
    }
    QCOMPARE(f.Entries(5), (QStringList{"ボタン1", "ボタン2", "ボタン3", "ボタン4"}));
    QVERIFY(!f.Selector(5).isEditable());
    for (int selector = 0; selector < 4; ++selector)
      QCOMPARE(f.Selector(selector).currentIndex(), selector);
    QCOMPARE(f.Selector(4).currentIndex(), 1);
    QCOMPARE(f.Selector(5).currentIndex(), 3);
    QVERIFY(qobject_cast<QCheckBox*>(&f.Control("Check1"))->isChecked());
    QCOMPARE(f.Edit(0).text(), QStringLiteral("B"));
    QCOMPARE(f.Edit(1).text(), QStringLiteral("http://b.example/"));
    QCOMPARE(f.Edit(2).text(), QStringLiteral("http://b.example/?q="));
    // Typing a letter into a list picks an entry, it never becomes text of its own.
    QTest::keyClicks(&f.Selector(0), "zz");
    QVERIFY(f.Entries(0).contains(f.Selector(0).currentText()));
  }

  void StoredSelectionsOutOfRangeLeaveTheListsWithoutSelection() {
    DialogWindowFixture f(
        "[Velto]\r\nDefaultSearch=7\r\nSearchSelect(0)=25\r\nSearchSelect(4)=-1\r\n"
        "[SearchData]\r\nSearchName(0)=A\r\n");
    f.OpenFromMenu();
    QCOMPARE(f.Selector(0).currentIndex(), -1);
    QCOMPARE(f.Selector(4).currentIndex(), -1);
    QCOMPARE(f.Selector(5).currentIndex(), -1);
    QCOMPARE(f.Selector(1).currentIndex(), 0);
    QCOMPARE(f.Edit(0).text(), QStringLiteral("ボタン名"));
    QCOMPARE(f.Edit(1).text(), QStringLiteral("ホームページ"));
    QCOMPARE(f.Edit(2).text(), QStringLiteral("サーチエンジン"));
  }

  void OpensDirectlyBelowTheBarOrAboveItWhenThereIsNoRoom() {
    DialogWindowFixture f;
    f.bar_window.move(30, 100);
    f.OpenFromMenu();
    const QRect bar = f.bar_window.frameGeometry();
    QCOMPARE(f.window.frameGeometry().topLeft(), QPoint(bar.left(), bar.bottom() + 1));
    QCOMPARE(f.window.OuterHeight(), float(f.window.frameGeometry().height() * 15));

    // Shown again while open: placed again, not reloaded.
    f.Edit(0).setText(QStringLiteral("typed"));
    // Near the bottom of the bar's own screen.
    f.bar_window.move(40, f.bar_window.screen()->geometry().height() - 100);
    f.OpenFromMenu();
    const QRect moved = f.bar_window.frameGeometry();
    QCOMPARE(f.window.frameGeometry().bottomLeft(), QPoint(moved.left(), moved.top() - 1));
    QCOMPARE(f.Edit(0).text(), QStringLiteral("typed"));
  }
};

QTEST_MAIN(DialogLayoutTest)
#include "dialog_layout_test.moc"
