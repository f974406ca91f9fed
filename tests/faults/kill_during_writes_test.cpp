// velto-config killed with SIGKILL at random moments while it stores settings: after every kill,
// velto.ini is whole, holding either the value before the interrupted write or the new one,
// never a mix, a cut-off file or no file at all; and the next whole write leaves no temporary
// file behind.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "settings/settings_store.h"
#include "support/temp_folder.h"

extern char** environ;

namespace velto::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Every value has the same length, so each whole state of the file is the same bytes with one
// value swapped.
std::string ValueNumber(int n) {
  std::string digits = std::to_string(n);
  return "value-" + std::string(8 - digits.size(), '0') + digits;
}

pid_t StartSet(const fs::path& folder, const std::string& value) {
  std::vector<std::string> args{VELTO_CONFIG_EXE,   "--dir", folder.string(), "set", "History",
                                "SearchHistory(3)", value};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

TEST(KillDuringWrites, SettingsFileIsAlwaysTheOldOrTheNewWhole) {
  TempFolder folder;
  const SettingsStore store(folder.path(), folder.disk());
  ASSERT_TRUE(store.WriteDefaults());
  // A few MB of other keys, so that each write takes long enough to be caught in the middle.
  {
    std::ofstream out(store.SettingsPath(), std::ios::binary | std::ios::app);
    for (int i = 0; i < 40000; ++i) out << "Other" << i << "=" << std::string(80, 'o') << "\r\n";
  }
  const pid_t first = StartSet(folder.path(), ValueNumber(0));
  ASSERT_GT(first, 0);
  ASSERT_TRUE(WIFEXITED(Wait(first)));
  const std::string template_bytes = ReadBytes(store.SettingsPath());
  const std::size_t at = template_bytes.find(ValueNumber(0));
  ASSERT_NE(at, std::string::npos);
  const auto state = [&](int n) {
    std::string bytes = template_bytes;
    bytes.replace(at, ValueNumber(n).size(), ValueNumber(n));
    return bytes;
  };

  // How long one whole write takes here, to spread the kills over it.
  const auto t0 = Clock::now();
  const pid_t timed = StartSet(folder.path(), ValueNumber(1));
  ASSERT_TRUE(WIFEXITED(Wait(timed)));
  const auto full = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - t0);
  ASSERT_EQ(ReadBytes(store.SettingsPath()), state(1));

  std::mt19937 random(12345);
  std::uniform_int_distribution<long> delay(0, full.count() * 3 / 2);
  int stored = 1;  // the value the file holds for certain
  for (int n = 2; n < 150; ++n) {
    const pid_t pid = StartSet(folder.path(), ValueNumber(n));
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    Wait(pid);
    const std::string bytes = ReadBytes(store.SettingsPath());
    if (bytes == state(n)) {
      stored = n;
    } else {
      ASSERT_EQ(bytes.size(), template_bytes.size()) << "after the kill in write " << n;
      ASSERT_TRUE(bytes == state(stored)) << "velto.ini is neither old nor new after write " << n;
    }
  }
  EXPECT_EQ(store.ReadSetting("History", "SearchHistory(3)"), ValueNumber(stored));

  // The killed writes left temporary files; the next write clears them all away.
  ASSERT_TRUE(WIFEXITED(Wait(StartSet(folder.path(), ValueNumber(0)))));
  for (const auto& entry : fs::directory_iterator(folder.path()))
    EXPECT_EQ(entry.path().filename(), "velto.ini");
}

}  // namespace
}  // namespace velto::test
