#include "bar_fixture.h"

#include <QApplication>
#include <QTest>

#include "support/real_disk.h"

namespace velto::test {

std::string FourEnginesIni(std::string_view extra_velto, std::string_view extra) {
  // The first of two equal keys wins, so extra keys go before the usual ones.
  return "[Velto]\r\n" + std::string(extra_velto) +
         "AlwaysTop=0\r\nDefaultSearch=0\r\n"
         "SearchSelect(0)=0\r\nSearchSelect(1)=1\r\nSearchSelect(2)=2\r\nSearchSelect(3)=3\r\n"
         "[SearchData]\r\n"
         "SearchName(0)=A\r\nSearchHome(0)=http://a.example/\r\nSearchEngn(0)=http://a.example/"
         "?q=\r\n"
         "SearchName(1)=B\r\nSearchHome(1)=http://b.example/\r\nSearchEngn(1)=http://b.example/"
         "?q=\r\n"
         "SearchName(2)=C\r\nSearchHome(2)=http://c.example/\r\nSearchEngn(2)=http://c.example/"
         "?q=\r\n"
         "SearchName(3)=D\r\nSearchHome(3)=http://d.example/\r\nSearchEngn(3)=http://d.example/"
         "?q=\r\n" +
         std::string(extra);
}

BarFixture::BarFixture(std::string_view ini_utf8, std::string command_line) {
  if (!ini_utf8.empty()) WriteBytes(folder / "velto.ini", SystemTextCodec().AnsiFromUtf8(ini_utf8));
  platform.command_line = std::move(command_line);
  window.Attach(bar);
  bar.Form_Load();
  window.show();
  QApplication::setActiveWindow(&window);
  window.activateWindow();
  (void)QTest::qWaitForWindowActive(&window);
  window.FocusQuery();
}

QStringList BarFixture::Items() {
  QStringList items;
  for (int i = 0; i < box().count(); ++i) items.append(box().itemText(i));
  return items;
}

}  // namespace velto::test
