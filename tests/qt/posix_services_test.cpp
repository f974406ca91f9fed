// The Linux process services with real processes, locks and signals.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/posix/command_line.h"
#include "platform/posix/instance_lock.h"
#include "platform/posix/shell_launcher.h"
#include "platform/posix/signal_inbox.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

// A stand-in for xdg-open: records its argument count and arguments, NUL-separated, and the
// signals it has blocked, then stays alive for as long as a file says.
fs::path WriteRecorder(const TempFolder& folder, const std::string& name = "xdg-open") {
  const fs::path script = folder / name;
  WriteBytes(script,
             "#!/bin/sh\n"
             "dir=\"$(dirname \"$0\")\"\n"
             "grep '^SigBlk' /proc/self/status > \"$dir/sigblk.tmp\"\n"
             "mv \"$dir/sigblk.tmp\" \"$dir/sigblk\"\n"
             "printf '%s\\0' \"$#\" \"$@\" > \"$dir/record.tmp\"\n"
             "mv \"$dir/record.tmp\" \"$dir/record\"\n"
             "while [ -e \"$(dirname \"$0\")/hold\" ]; do sleep 0.02; done\n");
  fs::permissions(script, fs::perms::owner_all);
  return script;
}

// Waits for a file the recorder writes when it has run.
std::string AwaitFile(const fs::path& file) {
  for (int i = 0; i < 500 && !fs::exists(file); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(file) ? ReadBytes(file) : std::string("(not written)");
}

// Children of this process that have ended but were never waited for.
int ZombieChildren() {
  int zombies = 0;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    const auto close = line.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream rest(line.substr(close + 2));
    char state = 0;
    pid_t parent = 0;
    rest >> state >> parent;
    zombies += state == 'Z' && parent == getpid();
  }
  return zombies;
}

// Waits until every command the launcher started has ended and been reaped.
bool ReapAll(ShellLauncher& launcher) {
  for (int i = 0; i < 300; ++i) {
    if (launcher.Reap() == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// PATH for one test, restored afterwards.
class PathOverride {
 public:
  explicit PathOverride(const std::string& value) : old_(std::getenv("PATH")) {
    setenv("PATH", value.c_str(), 1);
  }
  ~PathOverride() { setenv("PATH", old_.c_str(), 1); }

 private:
  std::string old_;
};

TEST(ShellLauncherTest, AddressReachesXdgOpenOnPathAsOneArgumentByteForByte) {
  TempFolder folder;
  WriteRecorder(folder);
  PathOverride path(folder.path().string() + ":/usr/bin:/bin");
  ShellLauncher launcher;
  // Blanks, shell characters, quotes, a percent escape and Japanese in UTF-8: all verbatim.
  const std::string address = "http://x.example/?q=a b&c=$(touch pwned);'\"`*` %8C%9F 東京 \\n";
  ASSERT_TRUE(launcher.Open(address));
  EXPECT_EQ(AwaitFile(folder / "record"), std::string("1\0", 2) + address + std::string(1, '\0'));
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_TRUE(ReapAll(launcher));
}

TEST(ShellLauncherTest, StartedCommandRunsWithNoSignalBlockedAndIsReaped) {
  TempFolder folder;
  WriteRecorder(folder);
  WriteBytes(folder / "hold", "");
  PathOverride path(folder.path().string() + ":/usr/bin:/bin");
  // The program blocks these for its signal descriptor; the browser must not inherit that.
  SignalInbox inbox({SIGTERM, SIGINT, SIGHUP, SIGCHLD});
  ShellLauncher launcher;
  ASSERT_TRUE(launcher.Open("http://a.example/"));
  AwaitFile(folder / "record");
  EXPECT_EQ(AwaitFile(folder / "sigblk"), "SigBlk:\t0000000000000000\n");
  EXPECT_EQ(launcher.Reap(), 1);  // still running
  fs::remove(folder / "hold");
  // The end of the command arrives as SIGCHLD through the inbox, and reaping clears it.
  bool child_signal = false;
  for (int i = 0; i < 300 && !child_signal; ++i) {
    for (int s : inbox.Take()) child_signal = child_signal || s == SIGCHLD;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(child_signal);
  EXPECT_TRUE(ReapAll(launcher));
  EXPECT_EQ(ZombieChildren(), 0);
}

TEST(ShellLauncherTest, FinishedCommandsAreReapedBeforeTheNextStart) {
  TempFolder folder;
  WriteRecorder(folder);
  PathOverride path(folder.path().string() + ":/usr/bin:/bin");
  ShellLauncher launcher;
  ASSERT_TRUE(launcher.Open("one"));
  AwaitFile(folder / "record");
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  ASSERT_TRUE(launcher.Open("two"));
  EXPECT_TRUE(ReapAll(launcher));
  EXPECT_EQ(ZombieChildren(), 0);
}

TEST(ShellLauncherTest, MissingCommandIsAFailureNotACrash) {
  TempFolder folder;
  PathOverride path(folder.path().string());
  ShellLauncher launcher;
  EXPECT_FALSE(launcher.Open("http://a.example/"));
  EXPECT_EQ(launcher.Reap(), 0);
}

TEST(InstanceLockTest, OneHolderPerFolderUntilItGoes) {
  TempFolder a;
  TempFolder b;
  {
    InstanceLock first(a.path());
    EXPECT_TRUE(first.held());
    EXPECT_FALSE(InstanceLock(a.path()).held());
    EXPECT_TRUE(InstanceLock(b.path()).held());  // another program folder
  }
  EXPECT_TRUE(InstanceLock(a.path()).held());
  // The lock leaves nothing behind in the folder.
  EXPECT_TRUE(fs::is_empty(a.path()));
}

TEST(InstanceLockTest, AnotherProcessHoldingTheFolderIsSeen) {
  TempFolder folder;
  InstanceLock mine(folder.path());
  ASSERT_TRUE(mine.held());
  pid_t pid = fork();
  if (pid == 0) _exit(InstanceLock(folder.path()).held() ? 1 : 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(InstanceLockTest, BrowserStartedDuringTheRunDoesNotKeepTheLock) {
  TempFolder tools;
  TempFolder program;
  WriteRecorder(tools);
  WriteBytes(tools / "hold", "");
  PathOverride path(tools.path().string() + ":/usr/bin:/bin");
  ShellLauncher launcher;
  {
    InstanceLock lock(program.path());
    ASSERT_TRUE(lock.held());
    ASSERT_TRUE(launcher.Open("http://a.example/"));
    AwaitFile(tools / "record");
  }
  // The started command still runs, and the next start of the program is not blocked.
  EXPECT_EQ(launcher.Reap(), 1);
  EXPECT_TRUE(InstanceLock(program.path()).held());
  fs::remove(tools / "hold");
  EXPECT_TRUE(ReapAll(launcher));
}

TEST(SignalInboxTest, SignalsArriveAsDataInOrderAndTheOldMaskReturns) {
  sigset_t before;
  pthread_sigmask(SIG_SETMASK, nullptr, &before);
  {
    SignalInbox inbox({SIGHUP, SIGUSR1});
    ASSERT_GE(inbox.fd(), 0);
    EXPECT_TRUE(inbox.Take().empty());
    raise(SIGHUP);  // would end the test program without the inbox
    raise(SIGUSR1);
    EXPECT_EQ(inbox.Take(), (std::vector<int>{SIGHUP, SIGUSR1}));
    EXPECT_TRUE(inbox.Take().empty());
  }
  sigset_t after;
  pthread_sigmask(SIG_SETMASK, nullptr, &after);
  EXPECT_EQ(sigismember(&after, SIGHUP), sigismember(&before, SIGHUP));
}

TEST(CommandLineTest, ArgumentsAreJoinedByOneBlank) {
  const char* none[] = {"velto"};
  EXPECT_EQ(JoinArguments(1, none), "");
  const char* some[] = {"velto", "/d", "x y", ""};
  EXPECT_EQ(JoinArguments(4, some), "/d x y ");
}

}  // namespace
}  // namespace velto
