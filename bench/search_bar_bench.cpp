// The search bar's heavier moments: a 100,000-line text file dropped into the history list, and
// a search with a long history list (the list is scanned for copies of the query).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "main/key_codes.h"
#include "main/search_bar.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"

namespace velto {
namespace {

// A window that only holds the query text, so the figures are the core's own.
class NoOpView : public SearchBarView {
 public:
  std::string query;
  float Top() const override { return 0; }
  float Left() const override { return 0; }
  float Height() const override { return 0; }
  float Width() const override { return 0; }
  void SetTop(float) override {}
  void SetLeft(float) override {}
  std::vector<ScreenRect> ScreenWorkAreas() const override { return {{0, 0, 19200, 11520}}; }
  float ScreenHeightTwips() const override { return 11520; }
  void SetTopmost(bool) override {}
  void SetButtonCaption(int, const std::string&) override {}
  void SetButtonToolTip(int, const std::string&) override {}
  void SetButtonEnabled(int, bool) override {}
  bool IsButtonEnabled(int) const override { return true; }
  void SetButtonBold(int, bool) override {}
  void SetButtonDescription(int, const std::string&) override {}
  void MakeCaptionSingleLine(int) override {}
  std::string QueryText() const override { return query; }
  void SetQueryText(const std::string& text) override { query = text; }
  void FocusQuery() override {}
  void SelectQueryText() override {}
  void BringToFront() override {}
  void HistoryInserted(int, const std::string&) override {}
  void HistoryRemoved(int) override {}
  void HistoryReset(const std::vector<std::string>& entries) override {
    benchmark::DoNotOptimize(entries.data());
  }
  void CloseHistoryList() override {}
  void SetMenuEntryVisible(int, bool) override {}
  void ShowMenu(MenuPlace) override {}
};

class NoOpPlatform : public Platform {
 public:
  explicit NoOpPlatform(std::filesystem::path folder) : folder_(std::move(folder)) {}
  std::filesystem::path ProgramFolder() const override { return folder_; }
  std::string CommandLine() const override { return {}; }
  void OpenWithShell(WindowRole, const std::string& address) override {
    benchmark::DoNotOptimize(address.data());
  }
  bool OpenWithCommand(WindowRole, const std::string&, const std::string& address) override {
    benchmark::DoNotOptimize(address.data());
    return true;
  }
  MessageAnswer ShowMessage(WindowRole, const std::string&, const std::string&,
                            MessageButtons) override {
    return MessageAnswer::Ok;
  }
  void ShowNotice(WindowRole, const std::string&, const std::string&) override {}
  velto::EngineSources& Engines() override { return sources_; }
  std::optional<std::vector<bool>> ChooseEngines(WindowRole, const velto::EngineChoice&) override {
    return std::nullopt;
  }

 private:
  struct NoSources final : velto::EngineSources {
    velto::FoundEngines FindInBrowsers() override { return {}; }
    velto::FoundEngines ReadDescription(const velto::FilePath&) override { return {}; }
  };
  NoSources sources_;
  std::filesystem::path folder_;
};

class ScratchFolder {
 public:
  ScratchFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("velto-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  velto::Disk disk() { return velto::Disk(files_, codec_); }

 private:
  std::filesystem::path path_;
  velto::PosixFileSystem files_;
  velto::IconvTextCodec codec_;
};

// Lines of typical query length, as a log file would hold them.
std::filesystem::path WriteQueryFile(const ScratchFolder& folder, int lines) {
  auto file = folder.path() / "queries.txt";
  std::ofstream out(file, std::ios::binary);
  for (int i = 0; i < lines; ++i) out << "search query " << i << "\r\n";
  return file;
}

void BM_DropTextFileIntoHistory(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  ScratchFolder folder;
  const auto file = WriteQueryFile(folder, lines);
  NoOpPlatform platform(folder.path());
  for (auto _ : state) {
    state.PauseTiming();
    {
      SettingsModel model;
      NoOpView view;
      SearchBar bar(model, view, platform, folder.disk());
      bar.Form_Load();
      state.ResumeTiming();
      bar.Handle(Drop{{}, {std::nullopt, {file}}});
      benchmark::DoNotOptimize(bar.History().Count());
      state.PauseTiming();
    }  // tearing the list down is not part of the drop
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetComplexityN(lines);
}
BENCHMARK(BM_DropTextFileIntoHistory)
    ->RangeMultiplier(10)
    ->Range(1'000, 1'000'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Two queries taking turns at the top of a list of N entries: each search inserts one, scans the
// whole list for copies and removes the one found.
void BM_SearchWithLongHistory(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  ScratchFolder folder;
  const auto file = WriteQueryFile(folder, entries);
  NoOpPlatform platform(folder.path());
  SettingsModel model;
  NoOpView view;
  SearchBar bar(model, view, platform, folder.disk());
  bar.Form_Load();
  model.SearchEngn[0] = "http://search.example/?q=";
  bar.Handle(Drop{{}, {std::nullopt, {file}}});
  for (const char* query : {"b", "a"}) {
    view.query = query;
    bar.Handle(ButtonClicked{0});
  }
  bool turn = false;
  for (auto _ : state) {
    view.query = turn ? "a" : "b";
    turn = !turn;
    bar.Handle(ButtonClicked{0});
  }
  state.SetComplexityN(entries);
}
BENCHMARK(BM_SearchWithLongHistory)
    ->RangeMultiplier(10)
    ->Range(10, 100'000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

}  // namespace
}  // namespace velto

BENCHMARK_MAIN();
