// The parity table against the real Qt search bar: real widgets on the offscreen platform, real
// key, mouse and drop events, the real core, a real program folder; the shell is recorded.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <fstream>
#include <nlohmann/json.hpp>
#include <thread>

#include "main/bar_command.h"
#include "main/browser_command.h"
#include "main/hot_keys.h"
#include "main/search_bar.h"
#include "parity_table.h"
#include "platform/posix/shell_launcher.h"
#include "platform/qt/search_bar_window.h"
#include "platform/qt/search_button.h"
#include "settings/settings_model.h"
#include "support/fake_platform.h"
#include "support/real_disk.h"
#include "support/temp_folder.h"

namespace velto::test {
namespace {

using nlohmann::json;

QString ToQt(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The shell is recorded; browser commands start for real, as the program starts them.
class LaunchingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;
  bool OpenWithCommand(WindowRole, const std::string& command,
                       const std::string& address) override {
    const auto arguments = ExecArguments(command, address);
    return arguments && launcher_.Start(*arguments);
  }

 private:
  ShellLauncher launcher_;
};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class QtBar : public ParityFrontEnd {
 public:
  explicit QtBar(const std::string& ini_utf8) {
    // The recording browser: its arguments on one line, separated by tabs.
    const auto recorder = folder_ / "browser";
    WriteBytes(recorder,
               "#!/bin/sh\nout= sep=\nfor a in \"$@\"; do out=\"$out$sep$a\"; sep='\t'; done\n"
               "printf '%s\\n' \"$out\" >> '" +
                   (folder_ / "argv.txt").string() + "'\n");
    std::filesystem::permissions(recorder, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    WriteBytes(folder_ / "velto.ini",
               SystemTextCodec().AnsiFromUtf8(Replaced(ini_utf8, "@RECORDER@", recorder.string())));
    window_.Attach(bar_);
    bar_.Form_Load();
    window_.show();
    QApplication::setActiveWindow(&window_);
    window_.activateWindow();
    (void)QTest::qWaitForWindowActive(&window_);
    window_.FocusQuery();
  }

  void Type(const std::string& text) override {
    // Latin letters key by key; other text as one committed input, as an input method sends it.
    const QString qtext = ToQt(text);
    bool latin = true;
    for (QChar c : qtext) latin = latin && c.unicode() < 0x80;
    if (latin)
      QTest::keyClicks(KeyReceiver(), qtext);
    else
      QTest::sendKeyEvent(QTest::Click, KeyReceiver(), Qt::Key_unknown, qtext, Qt::NoModifier);
  }

  void Key(const std::string& name) override {
    static const std::map<std::string, Qt::Key> kKeys{
        {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape}, {"Tab", Qt::Key_Tab},
        {"Down", Qt::Key_Down},    {"Up", Qt::Key_Up},      {"F1", Qt::Key_F1},
        {"F2", Qt::Key_F2},        {"F3", Qt::Key_F3},      {"F4", Qt::Key_F4},
        {"F5", Qt::Key_F5},        {"F8", Qt::Key_F8},      {"F9", Qt::Key_F9}};
    const bool alt = name.rfind("Alt+", 0) == 0;
    const auto key = kKeys.find(alt ? name.substr(4) : name);
    ASSERT_NE(key, kKeys.end()) << name;
    QTest::keyClick(KeyReceiver(), key->second, alt ? Qt::AltModifier : Qt::NoModifier);
  }

  void Mouse(int button, int mouse_button) override {
    const Qt::MouseButton qt = mouse_button == kRightMouseButton    ? Qt::RightButton
                               : mouse_button == kMiddleMouseButton ? Qt::MiddleButton
                                                                    : Qt::LeftButton;
    QTest::mouseClick(&window_.Button(button), qt);
  }

  void Drop(const ParityDrop& drop) override {
    QMimeData mime;
    if (drop.text) mime.setText(ToQt(*drop.text));
    QList<QUrl> urls;
    for (const auto& file : drop.files)
      urls.append(QUrl::fromLocalFile(QString::fromStdString(file)));
    if (!urls.isEmpty()) mime.setUrls(urls);
    QWidget* target = &window_;
    if (drop.target.kind == DropTargetKind::QueryBox) target = window_.QueryBoxWidget().lineEdit();
    if (drop.target.kind == DropTargetKind::Button) target = &window_.Button(drop.target.button);
    // As the window system delivers a drag: to the enabled widget under the pointer.
    while (!target->isEnabled() && target->parentWidget()) target = target->parentWidget();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
  }

  // The command as the running bar receives it from the later start's socket message.
  void StartAgain(const std::string& arguments) override {
    const auto command = ParseBarCommand(arguments);
    ASSERT_TRUE(command.has_value()) << arguments;
    const auto delivered = DecodeBarCommand(EncodeBarCommand(*command));
    ASSERT_TRUE(delivered.has_value());
    bar_.CarryOut(*delivered);
  }

  // Offscreen there is no X server to grab keys from: the press arrives as the key grab hands
  // it on, with the selection it read.
  void GlobalKey(bool selection, const std::string& selected) override {
    const auto command =
        CommandForHotKey(selection ? HotKeyRole::SearchSelection : HotKeyRole::Focus, selected);
    ASSERT_TRUE(command.has_value());
    bar_.CarryOut(*command);
  }

  void Wait(int milliseconds) override { QTest::qWait(milliseconds); }

  ParityState Observe() override {
    ParityState state;
    QComboBox& box = window_.QueryBoxWidget();
    state.query = box.lineEdit()->text().toStdString();
    for (int i = 0; i < box.count(); ++i) state.history.push_back(box.itemText(i).toStdString());
    state.list_open = box.view() && box.view()->isVisible();
    const QRect outer = window_.frameGeometry();
    state.window = {outer.left(), outer.top(), outer.left() + outer.width(),
                    outer.top() + outer.height()};
    return state;
  }

  void Close() override {
    window_.close();
    QApplication::processEvents();
  }
  std::vector<std::string> Addresses() const override { return platform_.OpenedAddresses(); }
  std::vector<std::vector<std::string>> BrowserRuns(std::size_t expected) override {
    std::vector<std::vector<std::string>> runs;
    const auto read = [&] {
      runs.clear();
      std::ifstream file(folder_ / "argv.txt");
      for (std::string line; std::getline(file, line);) {
        std::vector<std::string> arguments;
        for (std::size_t start = 0;;) {
          const std::size_t tab = line.find('\t', start);
          arguments.push_back(line.substr(start, tab - start));
          if (tab == std::string::npos) break;
          start = tab + 1;
        }
        runs.push_back(std::move(arguments));
      }
    };
    for (int i = 0; i < 100; ++i) {
      read();
      if (runs.size() >= expected) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(expected ? 200 : 500));
    read();
    return runs;
  }
  std::vector<std::string> Messages() const override {
    std::vector<std::string> texts;
    for (const auto& message : platform_.messages) texts.push_back(message.text);
    return texts;
  }
  std::filesystem::path Folder() const override { return folder_.path(); }

 private:
  // Where the application sends keys: an open popup's focus widget, else the focus widget.
  static QWidget* KeyReceiver() {
    if (QWidget* popup = QApplication::activePopupWidget())
      return popup->focusWidget() ? popup->focusWidget() : popup;
    return QApplication::focusWidget();
  }

  TempFolder folder_;
  LaunchingPlatform platform_{folder_.path()};
  SettingsModel model_;
  SearchBarWindow window_;
  SearchBar bar_{model_, window_, platform_, folder_.disk()};
};

class QtParity : public testing::TestWithParam<json> {};

TEST_P(QtParity, Scenario) {
  RunParityScenario(GetParam(),
                    [](const std::string& ini) { return std::make_unique<QtBar>(ini); });
}

INSTANTIATE_TEST_SUITE_P(Table, QtParity, testing::ValuesIn(ParityScenarios()),
                         [](const auto& info) {
                           return info.param["name"].template get<std::string>();
                         });

}  // namespace
}  // namespace velto::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
