// The yardsticks for start-up: a Qt Widgets program that shows one empty window, or with
// "--text" one window with one line of text (what any window with text pays for fonts).
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <cstring>
#include <memory>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(253, 63);
  std::unique_ptr<QLabel> label;
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0)
    label = std::make_unique<QLabel>(QStringLiteral("検索 search"), &window);
  window.show();
  return app.exec();
}
