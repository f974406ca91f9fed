// Real drag-and-drop events with real data on the window, the query box and the buttons.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "bar_fixture.h"

using velto::test::BarFixture;
using velto::test::FourEnginesIni;
using velto::test::WriteBytes;
using Strings = std::vector<std::string>;

namespace {

std::unique_ptr<QMimeData> Text(const QString& text) {
  auto mime = std::make_unique<QMimeData>();
  mime->setText(text);
  return mime;
}

std::unique_ptr<QMimeData> Files(const std::vector<std::filesystem::path>& files) {
  auto mime = std::make_unique<QMimeData>();
  QList<QUrl> urls;
  for (const auto& file : files) urls.append(QUrl::fromLocalFile(QString::fromStdString(file)));
  mime->setUrls(urls);
  return mime;
}

// Enters, then drops, at the widget's middle, as the window system delivers a drag. Returns
// whether the drop was taken.
bool Drop(QWidget& target, const QMimeData& mime) {
  const QPoint at = target.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                  Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  return drop.isAccepted() && drop.dropAction() == Qt::CopyAction;
}

}  // namespace

class DropTest : public QObject {
  Q_OBJECT

 private slots:
  void TextOnTheQueryBoxBecomesTheQueryOnce() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=old\r\n"));
    f.edit().setText("typed");
    QVERIFY(Drop(f.edit(), *Text("東京 タワー")));
    // The box's own drop handling would have inserted the text into what was typed.
    QCOMPARE(f.edit().text(), QStringLiteral("東京 タワー"));
    QCOMPARE(f.Items(), QStringList{"old"});
    QVERIFY(f.Opened().empty());
  }

  void FilesOnTheQueryBoxAreNotRead() {
    BarFixture f;
    WriteBytes(f.folder / "list.txt", "a\r\nb\r\n");
    QVERIFY(Drop(f.edit(), *Files({f.folder / "list.txt"})));
    QCOMPARE(f.box().count(), 0);
    QVERIFY(f.edit().text().isEmpty());
  }

  void TextFileOnTheWindowFillsTheListNewestFirstAndKeepsTheQuery() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=old\r\n"));
    f.edit().setText("typed");
    WriteBytes(f.folder / "LOG.Txt", "A\r\n\r\nB\nC");
    QVERIFY(Drop(f.window, *Files({f.folder / "LOG.Txt", f.folder / "other.txt"})));
    QCOMPARE(f.Items(), QStringList({"C", "B", "A", "old"}));
    QCOMPARE(f.edit().text(), QStringLiteral("typed"));
    QCOMPARE(f.bar.NewHistoryCount(), 0);
  }

  void OnlyTheFirstFileCounts() {
    BarFixture f;
    WriteBytes(f.folder / "a.csv", "x\r\n");
    WriteBytes(f.folder / "b.txt", "y\r\n");
    QVERIFY(Drop(f.window, *Files({f.folder / "a.csv", f.folder / "b.txt"})));
    QCOMPARE(f.box().count(), 0);
  }

  void TextAndFileInOneDropOnTheWindow() {
    BarFixture f;
    WriteBytes(f.folder / "q.txt", "line\r\n");
    auto mime = Files({f.folder / "q.txt"});
    mime->setText("query");
    QVERIFY(Drop(f.window, *mime));
    QCOMPARE(f.edit().text(), QStringLiteral("query"));
    QCOMPARE(f.Items(), QStringList{"line"});
  }

  void FileManagersCopyOfTheFileNamesIsNoQuery() {
    BarFixture f;
    f.edit().setText("typed");
    WriteBytes(f.folder / "q.txt", "line\r\n");
    auto mime = Files({f.folder / "q.txt"});
    mime->setText(QUrl::fromLocalFile(QString::fromStdString(f.folder / "q.txt")).toString());
    QVERIFY(Drop(f.window, *mime));
    QCOMPARE(f.edit().text(), QStringLiteral("typed"));
    QCOMPARE(f.Items(), QStringList{"line"});
  }

  void TextOnASearchButtonSearchesWithItsEngine() {
    BarFixture f;
    QVERIFY(Drop(f.button(2), *Text("dropped")));
    QCOMPARE(f.Opened(), Strings{"http://c.example/?q=dropped"});
    QCOMPARE(f.Items(), QStringList{"dropped"});
    QCOMPARE(f.edit().text(), QStringLiteral("dropped"));
  }

  void TextOnTheClearOrMenuButtonOnlySetsTheQuery() {
    BarFixture f;
    QVERIFY(Drop(f.button(4), *Text("one")));
    QCOMPARE(f.edit().text(), QStringLiteral("one"));
    QVERIFY(Drop(f.button(5), *Text("two")));
    QCOMPARE(f.edit().text(), QStringLiteral("two"));
    QVERIFY(f.Opened().empty());
    QVERIFY(!f.window.Menu().Menu().isVisible());
  }

  void DisabledButtonPassesTheDropToTheWindow() {
    BarFixture f(FourEnginesIni("SearchSelect(3)=9\r\n"));
    QVERIFY(Drop(f.button(3), *Text("text")));
    QCOMPARE(f.edit().text(), QStringLiteral("text"));
    QVERIFY(f.Opened().empty());
  }

  void DataWithoutTextOrLocalFilesIsRefused() {
    BarFixture f;
    QMimeData image;
    image.setData("image/png", QByteArray("\x89PNG", 4));
    QVERIFY(!Drop(f.window, image));
  }

  void WebAddressDroppedIsTextNotAFile() {
    BarFixture f;
    WriteBytes(f.folder / "a.txt", "x\r\n");
    QMimeData link;
    link.setUrls({QUrl("http://example.com/a.txt")});
    QVERIFY(Drop(f.window, link));
    QCOMPARE(f.edit().text(), QStringLiteral("http://example.com/a.txt"));
    QCOMPARE(f.box().count(), 0);
  }

  // How fast is a figure of the front end's benchmark, not a test's: a loaded machine is slow.
  void HundredThousandLinesFillTheList() {
    BarFixture f;
    f.edit().setText("typed");
    std::string lines;
    for (int i = 0; i < 100000; ++i) lines += "query " + std::to_string(i) + "\r\n";
    WriteBytes(f.folder / "big.txt", lines);
    QVERIFY(Drop(f.window, *Files({f.folder / "big.txt"})));
    QCOMPARE(f.box().count(), 100000);
    QCOMPARE(f.box().itemText(0), QStringLiteral("query 99999"));
    QCOMPARE(f.box().itemText(99999), QStringLiteral("query 0"));
    QCOMPARE(f.edit().text(), QStringLiteral("typed"));
    // The next search still puts its query first.
    QTest::keyClick(&f.edit(), Qt::Key_F1);
    QCOMPARE(f.box().itemText(0), QStringLiteral("typed"));
  }
};

QTEST_MAIN(DropTest)
#include "drop_test.moc"
