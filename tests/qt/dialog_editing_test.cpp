// Working with the settings dialog through real mouse and key events: the engine editor, the
// message for a missing name, OK relabelling the search bar, Cancel, the close box and Help.
#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>

#include "dialog_window_fixture.h"

using velto::test::DialogWindowFixture;

namespace {

// Replaces a box's text the way a user does: select all, then type.
void Retype(QLineEdit& edit, const QString& text) {
  edit.setFocus();
  QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&edit, Qt::Key_Delete);
  // Key by key, Japanese too: key events that carry their text, as an input method sends.
  for (QChar c : text) {
    const auto key = c.unicode() < 0x80 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown;
    QTest::sendKeyEvent(QTest::Click, &edit, key, QString(c), Qt::NoModifier);
  }
}

void Click(QWidget& widget) {
  QTest::mouseClick(&widget, Qt::LeftButton);
}

}  // namespace

class DialogEditingTest : public QObject {
  Q_OBJECT

 private slots:
  void PickingASlotShowsItAndOnlyTheEditorSelectorDoesSo() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    f.Selector(4).setFocus();
    QTest::keyClick(&f.Selector(4), Qt::Key_Down);  // slot 1 -> slot 2
    QCOMPARE(f.Edit(0).text(), QStringLiteral("C"));
    QCOMPARE(f.Edit(2).text(), QStringLiteral("http://c.example/?q="));
    // A button selector changes nothing in the editor.
    f.Selector(0).setFocus();
    QTest::keyClick(&f.Selector(0), Qt::Key_Down);
    QCOMPARE(f.Edit(0).text(), QStringLiteral("C"));
  }

  void EnterInAnEditBoxStoresTheSlotEverywhereAtOnce() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    f.Selector(4).setFocus();
    for (int i = 0; i < 14; ++i) QTest::keyClick(&f.Selector(4), Qt::Key_Down);
    QCOMPARE(f.Selector(4).currentIndex(), 15);
    QCOMPARE(f.Edit(0).text(), QString());
    Retype(f.Edit(0), QStringLiteral("Zeta"));
    Retype(f.Edit(1), QStringLiteral("http://z.example/"));
    Retype(f.Edit(2), QStringLiteral("http://z.example/?q="));
    Retype(f.Edit(3), QStringLiteral("z"));
    QSignalSpy enter_reached_box(&f.Edit(1), &QLineEdit::returnPressed);
    f.Edit(1).setFocus();
    QTest::keyClick(&f.Edit(1), Qt::Key_Return);
    // The dialog used the key: the box never saw it.
    QCOMPARE(enter_reached_box.count(), 0);
    for (int selector = 0; selector < 5; ++selector) {
      QCOMPARE(f.Selector(selector).itemText(15), QStringLiteral("Zeta"));
      QCOMPARE(f.Selector(selector).currentIndex(), selector == 4 ? 15 : selector);
    }
    QCOMPARE(f.Entries(5).size(), 4);
    QCOMPARE(f.Stored("SearchData", "SearchName(15)"), "Zeta");
    QCOMPARE(f.Stored("SearchData", "SearchHome(15)"), "http://z.example/");
    QCOMPARE(f.Stored("SearchData", "SearchEngn(15)"), "http://z.example/?q=");
    QCOMPARE(f.Stored("SearchData", "SearchKey(15)"), "z");
    // Enter in the keyword box stores as well.
    Retype(f.Edit(3), QStringLiteral("zz"));
    QTest::keyClick(&f.Edit(3), Qt::Key_Return);
    QCOMPARE(f.Stored("SearchData", "SearchKey(15)"), "zz");
    QVERIFY(f.platform.messages.empty());
    QVERIFY(f.window.isVisible());
    // Other keys go on to the box as usual.
    QTest::keyClicks(&f.Edit(1), "x");
    QCOMPARE(f.Edit(1).text(), QStringLiteral("http://z.example/x"));
  }

  void MissingNameShowsTheMessageAndStoresNothing() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    Retype(f.Edit(0), QString());
    QTest::keyClick(&f.Edit(1), Qt::Key_Enter);  // the keypad's Enter counts too
    QCOMPARE(f.platform.messages.size(), std::size_t{1});
    QCOMPARE(f.platform.messages[0].text, "検索サイトの名前とエンジンのURLを入力してください。");
    QCOMPARE(f.platform.messages[0].caption, "ヴェルト");
    QVERIFY(f.platform.messages[0].owner == velto::WindowRole::SettingsDialog);
    QCOMPARE(f.Selector(0).itemText(1), QStringLiteral("B"));
    QCOMPARE(f.Stored("SearchData", "SearchName(1)"), "B");
    // The same through the button "変更".
    Click(f.Button("Command5(0)"));
    QCOMPARE(f.platform.messages.size(), std::size_t{2});
  }

  void DeleteAndClearButtons() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    Click(f.Button("Command5(2)"));  // クリア: only the boxes
    QCOMPARE(f.Edit(0).text(), QString());
    QCOMPARE(f.Selector(4).itemText(1), QStringLiteral("B"));
    QCOMPARE(f.Stored("SearchData", "SearchName(1)"), "B");
    Click(f.Button("Command5(1)"));  // 削除: the slot itself
    QCOMPARE(f.Selector(1).itemText(1), QString());
    QCOMPARE(f.Stored("SearchData", "SearchName(1)"), "");
    QCOMPARE(f.Stored("SearchData", "SearchEngn(1)"), "");
    // The search bar keeps its caption until OK.
    QCOMPARE(f.bar_window.Button(1).text(), QStringLiteral("B"));
  }

  void OkTakesTheChoicesOverRelabelsTheBarAndSaves() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    Retype(f.Edit(0), QStringLiteral("ベータ"));
    QTest::keyClick(&f.Edit(0), Qt::Key_Return);
    f.Selector(0).setFocus();
    QTest::keyClick(&f.Selector(0), Qt::Key_Down);  // button 1: slot 0 -> slot 1
    f.Selector(5).setFocus();
    QTest::keyClick(&f.Selector(5), Qt::Key_Home);  // default: button 1
    Click(f.Control("Check1"));                     // no longer on top
    Click(f.Button("Command1"));

    QVERIFY(!f.window.isVisible());
    QVERIFY(!f.dialog.IsLoaded());
    QCOMPARE(f.bar_window.Button(0).text(), QStringLiteral("ベータ"));
    QCOMPARE(f.bar_window.Button(1).text(), QStringLiteral("ベータ"));
    QCOMPARE(f.bar_window.Button(3).text(), QStringLiteral("D"));
    QCOMPARE(f.bar_window.Button(0).toolTip(), QStringLiteral("ベータ"));
    QVERIFY(f.bar_window.Button(0).font().bold());
    QVERIFY(!f.bar_window.Button(3).font().bold());
    QVERIFY(!(f.bar_window.windowFlags() & Qt::WindowStaysOnTopHint));
    QCOMPARE(f.Stored("Velto", "SearchSelect(0)"), "1");
    QCOMPARE(f.Stored("Velto", "DefaultSearch"), "0");
    QCOMPARE(f.Stored("Velto", "AlwaysTop"), "0");
    QCOMPARE(f.Stored("SearchData", "SearchName(1)"), "ベータ");

    // A search from the relabelled button uses the slot now assigned to it.
    f.bar_window.SetQueryText("q");
    Click(f.bar_window.Button(0));
    QCOMPARE(f.platform.OpenedAddresses().back(), "http://b.example/?q=q");
  }

  void CancelAndTheCloseBoxDropTheChoicesAndTheNextOpenReloads() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    f.Selector(0).setFocus();
    QTest::keyClick(&f.Selector(0), Qt::Key_End);
    Click(f.Button("Command2"));
    QVERIFY(!f.window.isVisible());
    QVERIFY(!f.dialog.IsLoaded());
    QCOMPARE(f.bar_window.Button(0).text(), QStringLiteral("A"));
    QCOMPARE(f.Stored("Velto", "SearchSelect(0)"), "0");

    f.OpenFromMenu();
    QCOMPARE(f.Selector(0).currentIndex(), 0);
    Retype(f.Edit(0), QStringLiteral("typed"));
    QVERIFY(f.window.close() == false);  // the core hides it; the window object stays
    QVERIFY(!f.window.isVisible());
    QVERIFY(!f.dialog.IsLoaded());
    f.OpenFromMenu();
    QCOMPARE(f.Edit(0).text(), QStringLiteral("B"));
    QTRY_COMPARE(QApplication::focusWidget(), &f.Selector(0));
  }

  void HelpOpensTheHelpPageAndKeepsTheDialog() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    Click(f.Button("Command3"));
    QCOMPARE(f.platform.shell_calls.size(), std::size_t{1});
    QVERIFY(f.platform.shell_calls[0].owner == velto::WindowRole::SettingsDialog);
    QCOMPARE(f.platform.shell_calls[0].address, (f.folder / "Help.html").string());
    QVERIFY(f.window.isVisible());
  }

  void HiddenRestoreButtonAsksThenReopensTheDialogWithTheFactoryEngines() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    QPushButton& restore = f.Button("Command4");
    f.platform.answers = {velto::MessageAnswer::Cancel, velto::MessageAnswer::Ok};
    restore.click();  // the user cannot reach it; the click runs what it would run
    QCOMPARE(f.platform.messages.size(), std::size_t{1});
    QCOMPARE(f.platform.messages[0].caption, "注意");
    QVERIFY(f.platform.messages[0].buttons == velto::MessageButtons::OkCancel);
    QCOMPARE(f.Selector(0).itemText(0), QStringLiteral("A"));

    restore.click();
    // Unloaded and shown again from within its own button's click: visible, refilled, and the
    // restore button hidden again.
    QVERIFY(f.dialog.IsLoaded());
    QVERIFY(f.window.isVisible());
    QVERIFY(restore.isHidden());
    QCOMPARE(f.Selector(0).itemText(0), QStringLiteral("Yahoo!"));
    QCOMPARE(f.Selector(4).itemText(5), QStringLiteral("フレッシュアイ"));
    QCOMPARE(f.Selector(4).currentIndex(), 0);
    QCOMPARE(f.Edit(0).text(), QStringLiteral("Yahoo!"));
    QCOMPARE(f.Stored("SearchData", "SearchName(0)"), "Yahoo!");
    // The search bar keeps its captions until OK.
    QCOMPARE(f.bar_window.Button(0).text(), QStringLiteral("A"));
  }

  void UnloadWhenTheBarClosesHidesTheDialogWithoutTakingAnythingOver() {
    DialogWindowFixture f;
    f.OpenFromMenu();
    f.Selector(0).setFocus();
    QTest::keyClick(&f.Selector(0), Qt::Key_End);
    f.dialog.Unload();
    QVERIFY(!f.window.isVisible());
    f.bar_window.close();
    QCOMPARE(f.Stored("Velto", "SearchSelect(0)"), "0");
  }
};

QTEST_MAIN(DialogEditingTest)
#include "dialog_editing_test.moc"
