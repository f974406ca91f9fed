#include "dialog_window_fixture.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <stdexcept>

#include "settings/settings_store.h"
#include "support/real_disk.h"

namespace velto::test {

std::string DialogIni() {
  std::string ini =
      "[Velto]\r\nAlwaysTop=1\r\nDefaultSearch=3\r\n"
      "SearchSelect(0)=0\r\nSearchSelect(1)=1\r\nSearchSelect(2)=2\r\nSearchSelect(3)=3\r\n"
      "SearchSelect(4)=1\r\n[SearchData]\r\n";
  for (char c : std::string("ABCDE")) {
    const std::string slot = std::to_string(c - 'A');
    const std::string host = std::string(1, static_cast<char>(c - 'A' + 'a')) + ".example";
    ini += "SearchName(" + slot + ")=" + c + "\r\nSearchHome(" + slot + ")=http://" + host +
           "/\r\nSearchEngn(" + slot + ")=http://" + host + "/?q=\r\n";
  }
  return ini;
}

DialogWindowFixture::DialogWindowFixture(std::string_view ini_utf8) {
  WriteBytes(folder / "velto.ini", SystemTextCodec().AnsiFromUtf8(ini_utf8));
  bar_window.Attach(bar);
  window.Attach(dialog);
  bar.SetSettingsDialog(&dialog);
  bar.Form_Load();
  bar_window.show();
  (void)QTest::qWaitForWindowExposed(&bar_window);
}

void DialogWindowFixture::OpenFromMenu() {
  // The menu button opens the popup at the pointer; its first entry is "設定".
  QTest::mouseClick(&bar_window.Button(kMenuButton), Qt::LeftButton);
  QMenu& menu = bar_window.Menu().Menu();
  if (!QTest::qWaitForWindowExposed(&menu)) throw std::runtime_error("the menu did not open");
  QTest::keyClick(&menu, Qt::Key_Down);
  QTest::keyClick(&menu, Qt::Key_Return);
  (void)QTest::qWaitForWindowExposed(&window);
  QApplication::setActiveWindow(&window);
  (void)QTest::qWaitForWindowActive(&window);
}

QWidget& DialogWindowFixture::Control(std::string_view name) {
  QWidget* control = window.Control(name);
  if (!control) throw std::runtime_error("no control " + std::string(name));
  return *control;
}

QPushButton& DialogWindowFixture::Button(std::string_view name) {
  auto* button = qobject_cast<QPushButton*>(&Control(name));
  if (!button) throw std::runtime_error(std::string(name) + " is not a button");
  return *button;
}

QStringList DialogWindowFixture::Entries(int selector) {
  QStringList entries;
  for (int i = 0; i < Selector(selector).count(); ++i)
    entries.append(Selector(selector).itemText(i));
  return entries;
}

std::string DialogWindowFixture::Stored(std::string_view section, std::string_view key) const {
  RealDisk disk;
  return SettingsStore(folder.path(), disk.disk()).ReadSetting(section, key);
}

}  // namespace velto::test
