// How the settings store and the dropped-file reader grow with their input, each beside a
// baseline on the same file in the same run: cat of the file (a process reading it whole) and a
// plain read of its bytes in this process.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "main/dropped_text_file.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"
#include "settings/settings_model.h"
#include "settings/settings_store.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class NullBar : public velto::PlacementTarget {
 public:
  float Top() const override { return 0; }
  float Left() const override { return 0; }
  void SetTop(float) override {}
  void SetLeft(float) override {}
  std::string HistoryItem(int) const override { return {}; }
};

class ScratchFolder {
 public:
  ScratchFolder()
      : path_(fs::temp_directory_path() /
              ("velto-scaling-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  velto::Disk disk() { return velto::Disk(files_, codec_); }

 private:
  fs::path path_;
  velto::PosixFileSystem files_;
  velto::IconvTextCodec codec_;
};

// velto.ini of about `bytes` bytes: the factory settings, then sections of other keys.
void MakeSettingsFile(const fs::path& folder, velto::Disk disk, std::int64_t bytes) {
  const velto::SettingsStore store(folder, disk);
  store.WriteDefaults();
  std::ofstream out(store.SettingsPath(), std::ios::binary | std::ios::app);
  std::int64_t size = static_cast<std::int64_t>(fs::file_size(store.SettingsPath()));
  for (int i = 0; size < bytes; ++i) {
    std::string line = (i % 100 == 0 ? "[Other" + std::to_string(i) + "]\r\n" : std::string()) +
                       "Key" + std::to_string(i) + "=" + std::string(60, 'v') + "\r\n";
    out << line;
    size += static_cast<std::int64_t>(line.size());
  }
}

fs::path MakeDroppedFile(const fs::path& folder, std::int64_t lines) {
  const fs::path file = folder / "queries.txt";
  std::ofstream out(file, std::ios::binary);
  for (std::int64_t i = 0; i < lines; ++i) out << "search query " << i << "\r\n";
  return file;
}

void Cat(const fs::path& file) {
  std::string path = file.string();
  char cat[] = "/bin/cat";
  char* argv[] = {cat, path.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawn(&pid, cat, &actions, nullptr, argv, environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(fs::file_size(file)), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// Settings files of 1 KB to 10 MB.
void SettingsSizes(benchmark::internal::Benchmark* b) {
  for (std::int64_t size = 1'000; size <= 10'000'000; size *= 10) b->Arg(size);
  b->Unit(benchmark::kMicrosecond)->UseRealTime();
}

void BM_LoadSettingsBySize(benchmark::State& state) {
  ScratchFolder folder;
  MakeSettingsFile(folder.path(), folder.disk(), state.range(0));
  const velto::SettingsStore store(folder.path(), folder.disk());
  NullBar bar;
  for (auto _ : state) {
    velto::SettingsModel model;
    store.LoadSettings(model, bar);
    benchmark::DoNotOptimize(model);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSettingsBySize)->Apply(SettingsSizes);

void BM_WriteSettingBySize(benchmark::State& state) {
  ScratchFolder folder;
  MakeSettingsFile(folder.path(), folder.disk(), state.range(0));
  const velto::SettingsStore store(folder.path(), folder.disk());
  int n = 0;
  for (auto _ : state) store.WriteSetting("History", "SearchHistory(0)", std::to_string(n++));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteSettingBySize)->Apply(SettingsSizes);

void BM_CatSettingsFileBySize(benchmark::State& state) {
  ScratchFolder folder;
  MakeSettingsFile(folder.path(), folder.disk(), state.range(0));
  for (auto _ : state) Cat(folder.path() / "velto.ini");
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CatSettingsFileBySize)->Apply(SettingsSizes);

void BM_ReadSettingsBytesBySize(benchmark::State& state) {
  ScratchFolder folder;
  MakeSettingsFile(folder.path(), folder.disk(), state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ReadBytes(folder.path() / "velto.ini"));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadSettingsBytesBySize)->Apply(SettingsSizes);

// Dropped files of 1,000 to 1,000,000 lines.
void DroppedSizes(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(10)->Range(1'000, 1'000'000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

void BM_ReadDroppedFileByLines(benchmark::State& state) {
  ScratchFolder folder;
  const fs::path file = MakeDroppedFile(folder.path(), state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(velto::ReadDroppedTextLines(folder.disk(), file));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadDroppedFileByLines)->Apply(DroppedSizes);

void BM_CatDroppedFileByLines(benchmark::State& state) {
  ScratchFolder folder;
  const fs::path file = MakeDroppedFile(folder.path(), state.range(0));
  for (auto _ : state) Cat(file);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CatDroppedFileByLines)->Apply(DroppedSizes);

}  // namespace

BENCHMARK_MAIN();
