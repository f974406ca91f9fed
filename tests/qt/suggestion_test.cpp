// The Qt suggestion list over a loopback server: what a click does, where the focus stays, what
// closes the list, and that a bar without suggestions never makes a network client.
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "bar_fixture.h"

using velto::test::BarFixture;
using velto::test::FourEnginesIni;
using Strings = std::vector<std::string>;

constexpr const char* kAnswers =
    "{\"/a?q=tok\": {\"body\": \"[\\\"tok\\\",[\\\"tokyo\\\",\\\"tokyo tower\\\"]]\"}}";

// suggestion_server.py answering /a?q=tok with two completions.
struct Server {
  QTemporaryDir dir;
  QProcess process;
  QString address;
  explicit Server(const char* table = kAnswers) {
    QFile answers(dir.filePath("answers.json"));
    answers.open(QIODevice::WriteOnly);
    answers.write(table);
    answers.close();
    process.start("python3", {VELTO_SUGGESTION_SERVER, "--answers", dir.filePath("answers.json"),
                              "--log", dir.filePath("log"), "--port-file", dir.filePath("port"),
                              "--sent", dir.filePath("sent")});
    QTRY_VERIFY(QFile::exists(dir.filePath("port")));
    QFile port(dir.filePath("port"));
    port.open(QIODevice::ReadOnly);
    address = "http://127.0.0.1:" + QString::fromUtf8(port.readAll());
  }
  ~Server() {
    process.closeWriteChannel();
    process.waitForFinished(5000);
  }
  QStringList RequestedPaths() {
    QFile log(dir.filePath("log"));
    if (!log.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts);
  }
  int Requests() { return static_cast<int>(RequestedPaths().size()); }
  // The body bytes the server could send for the path before the client stopped taking them;
  // -1 while it is still sending.
  qint64 Sent(const QString& path) {
    QFile log(dir.filePath("sent"));
    if (!log.open(QIODevice::ReadOnly)) return -1;
    for (const QString& line : QString::fromUtf8(log.readAll()).split('\n')) {
      if (line.startsWith(path + ' ')) return line.mid(path.size() + 1).toLongLong();
    }
    return -1;
  }
};

// Answers whose size nobody declares, far more than an answer may hold: chunked, until the
// connection closes, and compressed (small on the wire, huge unpacked); then one that fits.
constexpr const char* kUndeclaredAnswers =
    "{\"/a?q=t\": {\"body\": \"[\\\"t\\\",[\\\"tokyo\\\"]]\", \"framing\": \"chunked\","
    "           \"pad\": 67108864},"
    " \"/a?q=to\": {\"body\": \"[\\\"to\\\",[\\\"tokyo\\\"]]\", \"framing\": \"close\","
    "            \"pad\": 67108864},"
    " \"/a?q=tok\": {\"body\": \"[\\\"tok\\\",[\\\"tokyo\\\"]]\", \"framing\": \"chunked\","
    "             \"gzip\": true, \"pad\": 67108864},"
    " \"/a?q=toky\": {\"body\": \"[\\\"toky\\\",[\\\"tokyo\\\"]]\", \"framing\": \"chunked\"},"
    " \"/r?q=toky\": {\"status\": 302, \"location\": \"/a?q=toky\", \"version\": \"1.0\","
    "              \"framing\": \"close\"}}";

class SuggestionTest : public QObject {
  Q_OBJECT

  static std::string Ini(const Server& server, const char* suggest) {
    return FourEnginesIni(std::string("Suggest=") + suggest + "\r\n",
                          "SuggestEngn(0)=" + server.address.toStdString() + "/a?q=%s\r\n");
  }

  static QListWidget* ShownList(BarFixture& f) {
    QListWidget* list = f.window.SuggestionPopupWidget().List();
    return list && list->isVisible() ? list : nullptr;
  }

 private slots:
  void AClickSearchesTheSuggestionAndTheFocusStaysInTheBox() {
    Server server;
    BarFixture f(Ini(server, "1"));
    QTest::keyClicks(&f.edit(), "tok");
    QTRY_VERIFY(ShownList(f) != nullptr);
    QListWidget& list = *ShownList(f);
    QCOMPARE(list.count(), 2);
    QVERIFY(!list.isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), &f.box());
    // The list stands right under the query box.
    QCOMPARE(list.geometry().topLeft(), f.box().mapToGlobal(QPoint(0, f.box().height())));
    QTest::keyClicks(&f.edit(), "y");  // typing goes on in the box
    QCOMPARE(f.edit().text(), QStringLiteral("toky"));
    QTRY_COMPARE(server.Requests(), 2);
    QTRY_VERIFY(ShownList(f) == nullptr);  // no answer for "toky": nothing to show

    f.edit().clear();
    QTest::keyClicks(&f.edit(), "tok");
    QTRY_VERIFY(ShownList(f) != nullptr);
    QListWidget& again = *ShownList(f);
    // Pressed on one row and released on another: nothing is taken.
    QTest::mousePress(again.viewport(), Qt::LeftButton, {},
                      again.visualItemRect(again.item(0)).center());
    QTest::mouseRelease(again.viewport(), Qt::LeftButton, {},
                        again.visualItemRect(again.item(1)).center());
    QVERIFY(f.Opened().empty());
    QVERIFY(ShownList(f) != nullptr);
    QTest::mouseClick(again.viewport(), Qt::LeftButton, {},
                      again.visualItemRect(again.item(1)).center());
    QCOMPARE(f.Opened(), Strings{"http://a.example/?q=tokyo tower"});
    QCOMPARE(f.edit().text(), QStringLiteral("tokyo tower"));
    QVERIFY(ShownList(f) == nullptr);
  }

  void APastSearchShowsAtOnceWithItsMarkAndIsNamedByItsText() {
    BarFixture f(FourEnginesIni("", "[History]\r\nSearchHistory(0)=tokyo tower\r\n"));
    QTest::keyClicks(&f.edit(), "tok");
    QListWidget* list = ShownList(f);  // without suggestions, without a pause
    QVERIFY(list != nullptr);
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("履歴\u3000tokyo tower"));
    QCOMPARE(list->item(0)->data(Qt::AccessibleTextRole).toString(), QStringLiteral("tokyo tower"));
    QCOMPARE(list->item(0)->data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("履歴"));
  }

  void MovingTheWindowOrLeavingTheBoxClosesTheList() {
    Server server;
    BarFixture f(Ini(server, "1"));
    QTest::keyClicks(&f.edit(), "tok");
    QTRY_VERIFY(ShownList(f) != nullptr);
    f.window.move(f.window.pos() + QPoint(10, 10));
    QTRY_VERIFY(ShownList(f) == nullptr);
    f.edit().clear();
    QTest::keyClicks(&f.edit(), "tok");
    QTRY_VERIFY(ShownList(f) != nullptr);
    f.button(0).setFocus();
    QVERIFY(ShownList(f) == nullptr);
  }

  void AnAnswerOfUndeclaredSizeIsCutOffAndTheBarStaysUsable() {
    Server server(kUndeclaredAnswers);
    BarFixture f(Ini(server, "1"));
    const auto answered = [&f] { return !f.bar.SuggestionList().Waiting(); };
    int asked = 0;
    for (const char* typed : {"t", "o", "k"}) {
      QTest::keyClicks(&f.edit(), typed);
      ++asked;
      QTRY_COMPARE(server.Requests(), asked);
      QTRY_VERIFY(answered());
      QVERIFY(ShownList(f) == nullptr);
      // The transfer was ended, not read to its end: the rest never left the server.
      const QString path = server.RequestedPaths().back();
      QTRY_VERIFY(server.Sent(path) >= 0);
      QVERIFY2(server.Sent(path) < 32 * 1024 * 1024, qPrintable(path));
    }
    QTest::keyClicks(&f.edit(), "y");
    QTRY_VERIFY(ShownList(f) != nullptr);
    QCOMPARE(ShownList(f)->count(), 1);
  }

  void ARedirectedRequestIsSentOnce() {
    Server server(kUndeclaredAnswers);
    BarFixture f(FourEnginesIni("Suggest=1\r\n",
                                "SuggestEngn(0)=" + server.address.toStdString() + "/r?q=%s\r\n"));
    QTest::keyClicks(&f.edit(), "toky");
    QTRY_VERIFY(ShownList(f) != nullptr);
    QCOMPARE(server.RequestedPaths(), (QStringList{"/r?q=toky", "/a?q=toky"}));
  }

  void WithSuggestionsOffNoNetworkClientIsMade() {
    Server server;
    BarFixture f(Ini(server, "0"));
    QTest::keyClicks(&f.edit(), "tok");
    QTest::qWait(600);
    QVERIFY(!f.window.HasNetworkClient());
    QVERIFY(f.window.SuggestionPopupWidget().List() == nullptr);
    QCOMPARE(server.Requests(), 0);
  }
};

QTEST_MAIN(SuggestionTest)
#include "suggestion_test.moc"
