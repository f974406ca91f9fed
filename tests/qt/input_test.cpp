// Real key presses and mouse clicks on the real window, through to what the system was asked.
#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QTest>

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
  void TypingAndEnterSearchWithTheDefaultButton() {
    BarFixture f(FourEnginesIni("DefaultSearch=2\r\n"));
    QTRY_VERIFY(f.edit().hasFocus());
    Type(f, "a b&c");
    Key(f, Qt::Key_Return);
    QCOMPARE(f.Opened(), Strings{"http://c.example/?q=a b&c"});
    // The core put the query into the list once; the box added nothing of its own.
    QCOMPARE(f.Items(), QStringList{"a b&c"});
    QCOMPARE(f.edit().text(), QStringLiteral("a b&c"));
    Key(f, Qt::Key_Enter);  // the keypad's Enter too, same query: no second entry
    QCOMPARE(f.Opened().size(), 2u);
    QCOMPARE(f.Items(), QStringList{"a b&c"});
    QCOMPARE(f.bar.NewHistoryCount(), 1);
  }

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

  void F5MovesTheBoldDefaultAndEnterFollowsIt() {
    BarFixture f(FourEnginesIni("DefaultSearch=3\r\n"));
    Key(f, Qt::Key_F5);
    QVERIFY(f.button(0).font().bold());
    QVERIFY(!f.button(3).font().bold());
    Key(f, Qt::Key_F5);
    QVERIFY(f.button(1).font().bold());
    Type(f, "x");
    Key(f, Qt::Key_Return);
    QCOMPARE(f.Opened(), Strings{"http://b.example/?q=x"});
  }

  void F8AddsWithoutSearchingAndF9EmptiesListAndBox() {
    BarFixture f;
    Type(f, "abc");
    Key(f, Qt::Key_F8);
    Key(f, Qt::Key_F8);
    QCOMPARE(f.Items(), QStringList({"abc", "abc"}));
    QCOMPARE(f.edit().text(), QStringLiteral("abc"));
    QCOMPARE(f.bar.NewHistoryCount(), 2);
    Key(f, Qt::Key_F9);
    QCOMPARE(f.box().count(), 0);
    QVERIFY(f.edit().text().isEmpty());
    QCOMPARE(f.bar.NewHistoryCount(), 2);
    QVERIFY(f.Opened().empty());
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

  void KeysReachTheWindowWhenAButtonHasTheFocusAndActOnce() {
    BarFixture f;
    Type(f, "q");
    QTest::keyClick(&f.edit(), Qt::Key_Tab);
    QTest::keyClick(&f.button(4), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), &f.button(0));
    Key(f, Qt::Key_F2);
    Key(f, Qt::Key_Return);  // the window's default search, not a click on button 0 as well
    QCOMPARE(f.Opened(), Strings({"http://b.example/?q=q", "http://a.example/?q=q"}));
    // The space bar still clicks the focused button.
    Key(f, Qt::Key_Space);
    QCOMPARE(f.Opened().size(), 3u);
  }

  void ClicksSearchAndTheClearButtonClears() {
    BarFixture f;
    Type(f, "abc");
    QTest::mouseClick(&f.button(2), Qt::LeftButton);
    QCOMPARE(f.Opened(), Strings{"http://c.example/?q=abc"});
    QTest::mouseClick(&f.button(4), Qt::LeftButton);
    QVERIFY(f.edit().text().isEmpty());
    QTRY_VERIFY(f.edit().hasFocus());
    QCOMPARE(f.Items(), QStringList{"abc"});
    QCOMPARE(f.Opened().size(), 1u);
  }

  void RightAndMiddleButtonsOpenHomePagesOfSearchButtonsOnly() {
    BarFixture f;
    Type(f, "abc");
    QTest::mousePress(&f.button(1), Qt::RightButton);
    QTest::mouseRelease(&f.button(1), Qt::RightButton);
    QTest::mouseClick(&f.button(3), Qt::MiddleButton);
    QTest::mouseClick(&f.button(4), Qt::RightButton);
    QTest::mouseClick(&f.button(5), Qt::RightButton);
    QCOMPARE(f.Opened(), Strings({"http://b.example/", "http://d.example/"}));
    QCOMPARE(f.edit().text(), QStringLiteral("abc"));
    QCOMPARE(f.box().count(), 0);
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

  void KeysReachTheWindowWhileTheDropDownListIsOpen() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=one\r\n"));
    Type(f, "typed");
    f.box().showPopup();
    QWidget* popup = QApplication::activePopupWidget();
    QVERIFY(popup);
    // Where the application sends keys while a popup is open.
    QWidget* receiver = popup->focusWidget() ? popup->focusWidget() : popup;
    QTest::keyClick(receiver, Qt::Key_F2);
    QCOMPARE(f.Opened(), Strings{"http://b.example/?q=typed"});
    f.box().hidePopup();
  }

  void ChoosingFromTheDropDownListShowsTheEntry() {
    BarFixture f(
        FourEnginesIni("", "[History]\r\nSearchHistory(0)=one\r\nSearchHistory(1)=two\r\n"));
    Key(f, Qt::Key_Down);
    QCOMPARE(f.edit().text(), QStringLiteral("one"));
    Key(f, Qt::Key_Down);
    QCOMPARE(f.edit().text(), QStringLiteral("two"));
    Key(f, Qt::Key_Return);
    QCOMPARE(f.Opened(), Strings{"http://a.example/?q=two"});
    QCOMPARE(f.Items(), QStringList({"two", "one"}));
    QCOMPARE(f.edit().text(), QStringLiteral("two"));
  }
};

QTEST_MAIN(InputTest)
#include "input_test.moc"
