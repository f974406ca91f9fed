// Real key presses and mouse clicks on the real window, through to what the system was asked.
#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWindow>

#include "bar_fixture.h"

using velto::test::BarFixture;
using velto::test::FourEnginesIni;
using Strings = std::vector<std::string>;

class InputTest : public QObject {
  Q_OBJECT

  // Latin letters key by key; other text as one committed input, as an input method sends it.
  static void Type(BarFixture& f, const QString& text) {
    bool latin = true;
    for (QChar c : text) latin = latin && c.unicode() < 0x80;
    if (latin)
      QTest::keyClicks(&f.edit(), text);
    else
      QTest::sendKeyEvent(QTest::Click, &f.edit(), Qt::Key_unknown, text, Qt::NoModifier);
  }
  static void Key(BarFixture& f, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  }

 private slots:
  void TypingCompletesNothingFromTheHistory() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=abcdef\r\n"));
    Type(f, "abc");
    QCOMPARE(f.edit().text(), QStringLiteral("abc"));
    Key(f, Qt::Key_F1);
    QCOMPARE(f.Opened(), Strings{"http://a.example/?q=abc"});
    QCOMPARE(f.Items(), QStringList({"abc", "abcdef"}));
  }

  void FunctionKeysSearchWithTheirButtonsWhateverTheShiftState() {
    BarFixture f;
    Type(f, "日本語");
    Key(f, Qt::Key_F1);
    Key(f, Qt::Key_F2);
    Key(f, Qt::Key_F3);
    Key(f, Qt::Key_F4);
    Key(f, Qt::Key_F4, Qt::ShiftModifier);
    QCOMPARE(f.Opened(), Strings({"http://a.example/?q=日本語", "http://b.example/?q=日本語",
                                  "http://c.example/?q=日本語", "http://d.example/?q=日本語",
                                  "http://d.example/?q=日本語"}));
    // F4 searches; it does not also drop the list down over the window.
    QVERIFY(!f.box().view()->isVisible());
  }

  void FunctionKeysOnAnEmptyQueryDoNothing() {
    BarFixture f;
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_Return})
      Key(f, key);
    QVERIFY(f.Opened().empty());
    QCOMPARE(f.box().count(), 0);
  }

  void EscClearsTheBoxAndFocusesIt() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=old\r\n"));
    Type(f, "new");
    QTest::keyClick(&f.edit(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &f.button(4));
    Key(f, Qt::Key_Escape);
    QVERIFY(f.edit().text().isEmpty());
    QTRY_VERIFY(f.edit().hasFocus());
    QCOMPARE(f.Items(), QStringList{"old"});
  }

  // Through the window system, as a user's double-click comes: press, release, press, release
  // within the double-click time.
  void RightAndMiddleDoubleClicksAreTwoPresses() {
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
      BarFixture f;
      QWidget& target = f.button(1);
      QWindow* window = f.window.windowHandle();
      QVERIFY(window != nullptr);
      QTest::mouseDClick(window, button, {}, target.mapTo(&f.window, target.rect().center()));
      QCOMPARE(f.Opened(), Strings({"http://b.example/", "http://b.example/"}));
      QVERIFY(f.edit().text().isEmpty());
    }
  }

  void MenuButtonOpensTheFixedSearchMenuWithoutDebugEntries() {
    BarFixture f;
    QTest::mouseClick(&f.button(5), Qt::LeftButton);
    QMenu& menu = f.window.Menu().Menu();
    QTRY_VERIFY(menu.isVisible());
    QCOMPARE(menu.title(), QStringLiteral("メニュー"));
    QStringList shown;
    for (QAction* action : menu.actions())
      if (action->isVisible()) shown.append(action->isSeparator() ? "-" : action->text());
    QCOMPARE(shown, QStringList({"設定", "-", "Yahoo!", "goo", "Lycos", "Infoseek", "Excite",
                                 "フレッシュアイ", "-", "Vector(Yahoo!)", "Vector(goo)",
                                 "Vector(Lycos)", "Vector(Infoseek)"}));
    menu.close();
  }

  void DebugSwitchShowsTheLastGroupAndEntriesSearch() {
    BarFixture f(FourEnginesIni(), "/debug");
    for (int index = 20; index <= 23; ++index) QVERIFY(f.window.Menu().Entry(index)->isVisible());
    QVERIFY(f.window.Menu().Entry(20)->isSeparator());
    QCOMPARE(f.window.Menu().Entry(22)->text(), QStringLiteral("TINAMI"));
    Type(f, "x y");
    QTest::mouseClick(&f.button(5), Qt::LeftButton);
    QMenu& menu = f.window.Menu().Menu();
    QTRY_VERIFY(menu.isVisible());
    // Picked with the keyboard as a user would: down to TINAMI, the last entry but one.
    QTest::keyClick(&menu, Qt::Key_Up);
    QTest::keyClick(&menu, Qt::Key_Up);
    QTest::keyClick(&menu, Qt::Key_Return);
    QCOMPARE(f.Opened(), Strings{"http://www.tinami.com/cgi-bin/tinami?type=and&word=x y"});
    QCOMPARE(f.Items(), QStringList{"x y"});
    QCOMPARE(f.bar.NewHistoryCount(), 0);
  }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
