// The window as start-up leaves it: size, places, tab order, captions, states, position.
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "bar_fixture.h"

using velto::test::BarFixture;
using velto::test::FourEnginesIni;

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CaptionSizeAndFrame() {
    BarFixture f;
    QCOMPARE(f.window.windowTitle(), QStringLiteral("ヴェルト"));
    // 3795 x 945 twips at 15 twips a pixel, and the user cannot resize it.
    QCOMPARE(f.window.size(), QSize(253, 63));
    QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
    QVERIFY(!(f.window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    f.window.TakeIcon();
    QVERIFY(!f.window.windowIcon().isNull());
    // Every size the launcher icons come in: sharp in taskbars at any scale.
    const QList<QSize> sizes = f.window.windowIcon().availableSizes();
    for (int size : {16, 32, 48, 64, 128, 256}) QVERIFY(sizes.contains(QSize(size, size)));
  }

  void ControlsStandAtTheirPlaces() {
    BarFixture f;
    QCOMPARE(f.box().geometry(), QRect(4, 4, 193, 24));
    QCOMPARE(f.button(4).geometry(), QRect(201, 4, 49, 25));
    // The table draws each search button 15 twips into the next; each stops at the next.
    QCOMPARE(f.button(0).geometry(), QRect(4, 34, 48, 25));
    QCOMPARE(f.button(1).geometry(), QRect(52, 34, 48, 25));
    QCOMPARE(f.button(2).geometry(), QRect(100, 34, 48, 25));
    QCOMPARE(f.button(3).geometry(), QRect(148, 34, 49, 25));
    QCOMPARE(f.button(5).geometry(), QRect(201, 34, 49, 25));
    QCOMPARE(f.button(4).text(), QStringLiteral("クリア"));
    QCOMPARE(f.button(5).text(), QStringLiteral("その他"));
  }

  void TabWalksQueryClearSearchButtonsMenu() {
    BarFixture f;
    QTRY_VERIFY(f.edit().hasFocus());
    const std::vector<QWidget*> expected{&f.button(4), &f.button(0), &f.button(1),
                                         &f.button(2), &f.button(3), &f.button(5)};
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }
  }

  void QueryBoxAsksForTheJapaneseGothicAt12Points() {
    BarFixture f;
    const QFont font = f.box().font();
    // The Windows face is asked for; where it is missing, an installed proportional gothic
    // comes first so that no other face is substituted for it.
    QVERIFY(font.families().contains(QStringLiteral("ＭＳ Ｐゴシック")));
    if (QFontDatabase::families().contains(font.families().first()))
      QCOMPARE(QFontInfo(font).family(), font.families().first());
    QCOMPARE(font.pointSize(), 12);
    QVERIFY(!font.bold());
    // Whatever font stands in must draw Japanese.
    QVERIFY(QFontMetrics(font).inFontUcs4(U'ヴ'));
    QVERIFY(f.edit().text().isEmpty());
  }

  void ButtonsShowTheAssignedEnginesAndTheDefaultInBold() {
    BarFixture f(FourEnginesIni("DefaultSearch=2\r\n"));
    for (int i = 0; i < 4; ++i) {
      const QString name(QChar(u'A' + i));
      QCOMPARE(f.button(i).text(), name);
      QCOMPARE(f.button(i).toolTip(), name);
      QVERIFY(f.button(i).isEnabled());
      QCOMPARE(f.button(i).font().bold(), i == 2);
      QVERIFY(f.button(i).IsSingleLine());
    }
    QVERIFY(!f.button(4).font().bold());
    QVERIFY(!f.button(5).IsSingleLine());
  }

  void EmptyEngineNameDisablesItsButton() {
    BarFixture f(FourEnginesIni("SearchSelect(3)=9\r\n"));
    QVERIFY(!f.button(3).isEnabled());
    QVERIFY(f.button(3).text().isEmpty());
    QVERIFY(f.button(3).toolTip().isEmpty());
    // A disabled button takes no clicks.
    f.edit().setText("q");
    QTest::mouseClick(&f.button(3), Qt::LeftButton);
    QVERIFY(f.Opened().empty());
  }

  void LongNameIsCutOnOneLineAndWholeInTheTip() {
    const QString name =
        QStringLiteral("とても長い検索エンジンの名前がここにあります四十文字になるまで続けますよ");
    // Slot 4 holds the long name; button 1 shows it.
    BarFixture g(
        FourEnginesIni("SearchSelect(1)=4\r\n", "SearchName(4)=" + name.toStdString() + "\r\n"));
    QCOMPARE(g.button(1).text(), name);
    QCOMPARE(g.button(1).toolTip(), name);
    const QString shown = g.button(1).ShownCaption();
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QVERIFY(!shown.contains(QLatin1Char('\n')));
    QVERIFY(g.button(1).fontMetrics().horizontalAdvance(shown) <= g.button(1).width());
  }

  void NoSettingsFileLeavesEverythingEmpty() {
    BarFixture f("");
    for (int i = 0; i < 4; ++i) {
      QVERIFY(!f.button(i).isEnabled());
      QVERIFY(f.button(i).toolTip().isEmpty());
      QVERIFY(!f.button(i).font().bold());
    }
    QCOMPARE(f.box().count(), 0);
    QVERIFY(!(f.window.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(!std::filesystem::exists(f.folder / "velto.ini"));
  }

  void StoredHistoryFillsTheListInOrderSkippingEmptyEntries() {
    BarFixture f(FourEnginesIni("",
                                "[History]\r\nSearchHistory(0)=\r\nSearchHistory(1)=東京\r\n"
                                "SearchHistory(2)=abc\r\n"));
    QCOMPARE(f.Items(), QStringList({QStringLiteral("東京"), QStringLiteral("abc")}));
    // Filling the list leaves the query box empty.
    QVERIFY(f.edit().text().isEmpty());
  }

  void AlwaysTopOneKeepsTheWindowOnTop() {
    BarFixture on(FourEnginesIni("AlwaysTop=1\r\n"));
    QVERIFY(on.window.windowFlags() & Qt::WindowStaysOnTopHint);
    BarFixture off(FourEnginesIni("AlwaysTop=2\r\n"));
    QVERIFY(!(off.window.windowFlags() & Qt::WindowStaysOnTopHint));
    // Switching a shown window keeps it shown and where it stands.
    const QPoint where = on.window.pos();
    on.window.SetTopmost(false);
    QVERIFY(!(on.window.windowFlags() & Qt::WindowStaysOnTopHint));
    QVERIFY(on.window.isVisible());
    QCOMPARE(on.window.pos(), where);
  }

  void StoredPositionIsAppliedInTwipsAndReadBack() {
    BarFixture f(FourEnginesIni("Top=1500\r\nLeft=3000\r\n"));
    QCOMPARE(f.window.pos(), QPoint(200, 100));
    QCOMPARE(f.window.Top(), 1500.0f);
    QCOMPARE(f.window.Left(), 3000.0f);
    QCOMPARE(f.window.Height(), static_cast<float>(f.window.frameGeometry().height() * 15));
  }

  void PositionOffEveryScreenIsNotApplied() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int beyond = (screen.right() + 50) * 15;
    BarFixture f(FourEnginesIni("Top=1500\r\nLeft=" + std::to_string(beyond) + "\r\n"));
    QVERIFY(f.window.pos().x() < screen.right());
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const std::vector<velto::ScreenRect> areas = f.window.ScreenWorkAreas();
    QVERIFY(!areas.empty());  // the primary screen's first, in twips
    QCOMPARE(areas.front(), (velto::ScreenRect{work.x() * 15.0f, work.y() * 15.0f,
                                               work.width() * 15.0f, work.height() * 15.0f}));
  }

  void ClosingWritesPositionAndHistoryOnce() {
    BarFixture f(FourEnginesIni("Top=1500\r\nLeft=3000\r\n"));
    f.edit().setText("abc");
    QTest::keyClick(&f.edit(), Qt::Key_Return);
    f.window.close();
    f.window.close();
    QCOMPARE(f.closed_calls, 1);
    const std::string ini = velto::test::ReadBytes(f.folder / "velto.ini");
    QVERIFY(ini.find("SearchHistory(0)=abc ") != std::string::npos);
    QVERIFY(ini.find("Top=1500 ") != std::string::npos);
    // One new query, so the log holds it.
    QCOMPARE(velto::test::ReadBytes(f.folder / "log.txt"), std::string("abc\r\n"));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
