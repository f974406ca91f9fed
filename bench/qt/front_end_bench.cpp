// The Linux front end's own figures, on the real window with the real core:
//  - from a key press (F1) to xdg-open having started, with the real launcher starting a
//    stand-in that notes when it began (stamp, first on PATH);
//  - from a dropped 100,000-line text file to the filled drop-down list.
// usage: front_end_bench STAMP_FOLDER   (prints one line per figure)
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "main/search_bar.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/shell_launcher.h"
#include "platform/qt/linux_platform.h"
#include "platform/qt/search_bar_window.h"
#include "settings/settings_model.h"

namespace fs = std::filesystem;

namespace {

long long MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::vector<long long> ReadStamps(const fs::path& file) {
  std::vector<long long> stamps;
  std::ifstream in(file);
  for (long long v; in >> v;) stamps.push_back(v);
  return stamps;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Max(const std::vector<double>& values) {
  return *std::max_element(values.begin(), values.end());
}

// A program folder of its own, removed at the end.
struct Folder {
  fs::path path;
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "velto-bench-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~Folder() { fs::remove_all(path); }
  velto::Disk disk() { return velto::Disk(files, codec); }
  velto::PosixFileSystem files;
  velto::IconvTextCodec codec;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const fs::path stamp_folder = fs::absolute(argv[1]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);

  Folder folder;
  {
    std::ofstream ini(folder.path / "velto.ini", std::ios::binary);
    ini << "[Velto]\r\nDefaultSearch=0\r\n[SearchData]\r\nSearchName(0)=A\r\n"
           "SearchEngn(0)=http://a.example/?q=\r\n";
  }
  const fs::path stamps = folder.path / "stamps";
  setenv("VELTO_STAMP_FILE", stamps.c_str(), 1);
  setenv("PATH", (stamp_folder.string() + ":" + getenv("PATH")).c_str(), 1);

  velto::ShellLauncher launcher;
  velto::LinuxPlatform platform(folder.path, "", launcher);
  velto::SettingsModel model;
  velto::SearchBarWindow window;
  velto::SearchBar bar(model, window, platform, folder.disk());
  window.Attach(bar);
  platform.SetWindow(velto::WindowRole::SearchBar, &window);
  bar.Form_Load();
  window.show();
  window.FocusQuery();
  QLineEdit& edit = *window.QueryBoxWidget().lineEdit();

  std::vector<double> to_start_ms, handler_ms;
  constexpr int kRounds = 40;
  for (int i = 0; i < kRounds; ++i) {
    edit.setText(QString("query %1").arg(i));
    const long long pressed = MonotonicNs();
    QTest::keyClick(&edit, Qt::Key_F1);
    const long long returned = MonotonicNs();
    std::vector<long long> seen;
    for (int wait = 0; wait < 2000; ++wait) {
      seen = ReadStamps(stamps);
      if (static_cast<int>(seen.size()) > i) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (static_cast<int>(seen.size()) <= i) {
      std::printf("key_to_xdg_open: the stand-in never started\n");
      return 1;
    }
    to_start_ms.push_back(static_cast<double>(seen[static_cast<std::size_t>(i)] - pressed) / 1e6);
    handler_ms.push_back(static_cast<double>(returned - pressed) / 1e6);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    launcher.Reap();
  }
  std::printf(
      "key_to_xdg_open_started_ms median=%.2f max=%.2f (key handled and spawn returned: "
      "median=%.2f)\n",
      Median(to_start_ms), Max(to_start_ms), Median(handler_ms));

  {
    std::ofstream big(folder.path / "big.txt", std::ios::binary);
    for (int i = 0; i < 100000; ++i) big << "query " << i << "\r\n";
  }
  std::vector<double> drop_ms;
  for (int round = 0; round < 5; ++round) {
    bar.Handle(velto::KeyPress{velto::kKeyF9, 0});  // empties the list
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder.path / "big.txt").string()))});
    const QPoint at = window.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    const auto start = std::chrono::steady_clock::now();
    QApplication::sendEvent(&window, &drop);
    QApplication::processEvents();
    drop_ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (window.QueryBoxWidget().count() != 100000) {
      std::printf("drop: list holds %d entries\n", window.QueryBoxWidget().count());
      return 1;
    }
  }
  std::printf("drop_100000_lines_to_list_filled_ms median=%.1f max=%.1f\n", Median(drop_ms),
              Max(drop_ms));
  return 0;
}
