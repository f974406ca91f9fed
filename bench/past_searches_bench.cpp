// Past searches as the user types: one keystroke's match against a log of 100,000 and 1,000,000
// queries (the goal: well under a millisecond at 100,000), and the one reading of the log at
// the first keystroke.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "main/history_log.h"
#include "main/past_searches.h"
#include "platform/posix/iconv_text_codec.h"
#include "platform/posix/posix_file_system.h"

namespace velto {
namespace {

// Queries of two or three words, Latin and Japanese, as people type them; numbered so that most
// are different.
std::vector<std::string> MadeUpQueries(int count) {
  static constexpr std::array<const char*, 16> kWords = {
      "tokyo", "weather", "ramen", "python", "東京", "天気",   "ラーメン", "カフェ",
      "osaka", "train",   "map",   "recipe", "大阪", "時刻表", "レシピ",   "ニュース"};
  std::mt19937 random(1);
  std::uniform_int_distribution<std::size_t> word(0, kWords.size() - 1);
  std::vector<std::string> queries;
  queries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::string query = std::string(kWords[word(random)]) + " " + kWords[word(random)];
    if (i % 3 != 0) query += " " + std::to_string(i);
    queries.push_back(std::move(query));
  }
  return queries;
}

class LogFolder {
 public:
  explicit LogFolder(int queries) {
    path_ = std::filesystem::temp_directory_path() /
            ("velto-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(path_);
    std::ofstream out(LogPath(), std::ios::binary);
    for (const std::string& query : MadeUpQueries(queries))
      out << codec_.AnsiFromUtf8(query) << "\r\n";
  }
  ~LogFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::filesystem::path LogPath() const { return path_ / "log.txt"; }
  Disk disk() { return Disk(files_, codec_); }

 private:
  std::filesystem::path path_;
  PosixFileSystem files_;
  IconvTextCodec codec_;
};

// One keystroke: the match of the text typed so far. Texts that many queries begin with end the
// scan early; a text nothing holds scans everything twice, the worst case.
void KeystrokeMatch(benchmark::State& state, std::vector<std::string> typed) {
  LogFolder folder(static_cast<int>(state.range(0)));
  HistoryList history;
  for (const std::string& query : MadeUpQueries(10)) history.Insert(0, query);
  PastSearches past(history, [&folder] { return ReadHistoryLog(folder.disk(), folder.LogPath()); });
  benchmark::DoNotOptimize(past.Matching("x"));  // the reading of the log is not a keystroke
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(past.Matching(typed[next]));
    next = (next + 1) % typed.size();
  }
}

void BM_KeystrokeTypingAWord(benchmark::State& state) {
  KeystrokeMatch(state, {"r", "ra", "ram", "rame", "ramen", "ramen ", "ramen t", "ramen to"});
}
BENCHMARK(BM_KeystrokeTypingAWord)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeTypingJapanese(benchmark::State& state) {
  KeystrokeMatch(state, {"ら", "らー", "ラーメン", "ﾗｰﾒﾝ 東"});
}
BENCHMARK(BM_KeystrokeTypingJapanese)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

void BM_KeystrokeMatchingNothing(benchmark::State& state) {
  KeystrokeMatch(state, {"zq", "zqx", "zqxj"});
}
BENCHMARK(BM_KeystrokeMatchingNothing)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

// The first keystroke: the log read and made ready for matching.
void BM_FirstKeystrokeReadsTheLog(benchmark::State& state) {
  LogFolder folder(static_cast<int>(state.range(0)));
  HistoryList history;
  for (auto _ : state) {
    PastSearches past(history,
                      [&folder] { return ReadHistoryLog(folder.disk(), folder.LogPath()); });
    benchmark::DoNotOptimize(past.Matching("r"));
  }
}
BENCHMARK(BM_FirstKeystrokeReadsTheLog)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velto

BENCHMARK_MAIN();
