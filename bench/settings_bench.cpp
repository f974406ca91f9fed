// The settings store on a full velto.ini: all 79 keys the program loads, 200-character fields.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "settings/settings_store.h"

namespace {

class NullBar : public velto::PlacementTarget {
 public:
  float top = 0, left = 0;
  float Top() const override { return top; }
  float Left() const override { return left; }
  void SetTop(float twips) override { top = twips; }
  void SetLeft(float twips) override { left = twips; }
  std::string HistoryItem(int index) const override {
    return "検索 query number " + std::to_string(index);
  }
};

// A folder with a full settings file, removed at the end of the benchmark.
class FullSettingsFolder {
 public:
  FullSettingsFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("velto-bench-" + std::to_string(std::random_device{}()))),
        store_(path_, velto::Disk(files_, codec_)) {
    std::filesystem::create_directories(path_);
    store_.WriteDefaults();
    NullBar bar;
    bar.top = 2880;
    bar.left = 1234.5f;
    store_.SavePlacement(bar);
    for (int i = 10; i < velto::kEditableEngineSlots; ++i) {
      store_.WriteEngineSlot(i, "エンジン" + std::to_string(i), "http://example.com/",
                             "http://example.com/?q=");
    }
  }
  ~FullSettingsFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const velto::SettingsStore& store() const { return store_; }

 private:
  std::filesystem::path path_;
  velto::PosixFileSystem files_;
  velto::IconvTextCodec codec_;
  velto::SettingsStore store_;
};

void BM_LoadSettings(benchmark::State& state) {
  FullSettingsFolder folder;
  NullBar bar;
  for (auto _ : state) {
    velto::SettingsModel model;
    folder.store().LoadSettings(model, bar);
    benchmark::DoNotOptimize(model);
  }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_ReadSetting(benchmark::State& state) {
  FullSettingsFolder folder;
  for (auto _ : state) {
    benchmark::DoNotOptimize(folder.store().ReadSetting("History", "SearchHistory(9)"));
  }
}
BENCHMARK(BM_ReadSetting)->Unit(benchmark::kMicrosecond);

void BM_WriteSetting(benchmark::State& state) {
  FullSettingsFolder folder;
  int n = 0;
  for (auto _ : state) {
    folder.store().WriteSetting("History", "SearchHistory(0)", "query " + std::to_string(n++));
  }
}
BENCHMARK(BM_WriteSetting)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
