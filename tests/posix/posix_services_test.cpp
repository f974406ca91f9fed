// The Linux process services with real processes, locks and signals.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "main/browser_command.h"
#include "platform/posix/command_client.h"
#include "platform/posix/command_line.h"
#include "platform/posix/command_listener.h"
#include "platform/posix/command_socket_path.h"
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

TEST(ShellLauncherTest, LongAddressesAndBrowserCommandsArriveWhole) {
  TempFolder folder;
  const fs::path browser = WriteRecorder(folder);
  PathOverride path(folder.path().string() + ":/usr/bin:/bin");
  ShellLauncher launcher;
  const std::string longest = "http://x.example/?q=" + std::string(32767 - 20, 'x');
  ASSERT_TRUE(launcher.Open(longest));
  EXPECT_EQ(AwaitFile(folder / "record"), std::string("1\0", 2) + longest + std::string(1, '\0'));
  fs::remove(folder / "record");

  // A browser command by its path: the address one argument however it is spelled.
  const std::string hostile = "http://x.example/?q=\" --evil $(touch pwned) `id` & ^ %u \\";
  const auto argv = ExecArguments('"' + browser.string() + "\" --new-window %u", hostile);
  ASSERT_TRUE(argv.has_value());
  ASSERT_TRUE(launcher.Start(*argv));
  EXPECT_EQ(AwaitFile(folder / "record"),
            std::string("2\0--new-window\0", 15) + hostile + std::string(1, '\0'));
  EXPECT_FALSE(fs::exists("pwned"));
  EXPECT_FALSE(launcher.Start({(folder / "no-such-browser").string(), "http://a.example/"}));
  EXPECT_FALSE(launcher.Start({"no-such-browser", "http://a.example/"}));
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

// The command socket: a later start's command reaches the listening bar and is answered.
// One try of the later start's end; the reason when the command was not taken.
std::optional<std::string> Send(const fs::path& path, const BarCommand& command,
                                std::chrono::milliseconds wait = std::chrono::seconds(5)) {
  const HandOverTry tried = TrySendBarCommand(path, EncodeBarCommand(command), wait);
  if (tried.outcome == HandOverTry::Outcome::Taken) return std::nullopt;
  return tried.reason;
}

class CommandSocketTest : public ::testing::Test {
 protected:
  TempFolder runtime;
  TempFolder settings;
  fs::path path;
  void SetUp() override {
    fs::permissions(runtime.path(), fs::perms::owner_all);
    path = CommandSocketPath(settings.path(), runtime.path().string());
  }
  // Receives what arrives at the listener while the sender runs in another thread.
  std::vector<std::optional<BarCommand>> Exchange(CommandListener& listener,
                                                  const std::function<void()>& send) {
    std::thread sender(send);
    std::vector<std::optional<BarCommand>> received;
    for (int i = 0; i < 100 && received.empty(); ++i) {
      pollfd p{listener.fd(), POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) received.push_back(listener.Receive());
    }
    sender.join();
    return received;
  }
};

TEST_F(CommandSocketTest, CommandsRoundTripInAnOwnerOnlyPlace) {
  CommandListener listener(path);
  ASSERT_TRUE(listener.listening());
  struct stat folder {
  }, socket{};
  ASSERT_EQ(::stat(path.parent_path().c_str(), &folder), 0);
  ASSERT_EQ(::stat(path.c_str(), &socket), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
  EXPECT_EQ(socket.st_mode & 0777, 0600u);
  // Any spelling of the folder names the same socket; another folder another one.
  for (const fs::path& spelling : {settings.path() / "sub/..", settings.path() / ""})
    EXPECT_EQ(CommandSocketPath(spelling, runtime.path().string()), path) << spelling;
  EXPECT_NE(CommandSocketPath(runtime.path(), runtime.path().string()), path);

  std::string longest;  // 32,767 characters of four bytes each
  for (std::size_t i = 0; i < kMaxCommandTextCharacters; ++i) longest += "\xF0\x9F\x94\x8D";
  for (const BarCommand& command :
       {BarCommand{BarCommand::Kind::Focus, {}}, BarCommand{BarCommand::Kind::Search, "東京 C++"},
        BarCommand{BarCommand::Kind::Search, longest}}) {
    std::optional<std::string> error = "not sent";
    const auto received = Exchange(listener, [&] { error = Send(path, command); });
    EXPECT_EQ(error, std::nullopt);
    EXPECT_EQ(received, (std::vector<std::optional<BarCommand>>{command}));
  }
}

TEST_F(CommandSocketTest, MalformedMessagesAreIgnoredAndTheSenderIsToldWithinASecond) {
  CommandListener listener(path);
  ASSERT_TRUE(listener.listening());
  for (const std::string& message : {std::string("VELTO1X"), std::string(5000, 'x')}) {
    const auto received = Exchange(listener, [&] {
      UniqueFd fd(::socket(AF_UNIX, SOCK_STREAM, 0));
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      std::strcpy(address.sun_path, path.c_str());
      ASSERT_EQ(::connect(fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
      char greeting = 0;
      ASSERT_EQ(::recv(fd.get(), &greeting, 1, 0), 1);
      ::send(fd.get(), message.data(), message.size(), MSG_NOSIGNAL);
      ::shutdown(fd.get(), SHUT_WR);
      char answer = 0;
      EXPECT_LE(::recv(fd.get(), &answer, 1, 0), 0) << "no answer to a malformed message";
    });
    EXPECT_EQ(received, (std::vector<std::optional<BarCommand>>{std::nullopt}));
  }

  // A bar that does not take the connection in time: the sender gives up, and the bar, when it
  // comes to the connection, finds no command to carry out.
  EXPECT_TRUE(Send(path, BarCommand{}, std::chrono::milliseconds(100)).has_value());
  pollfd waiting{listener.fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&waiting, 1, 0), 1);
  EXPECT_EQ(listener.Receive(), std::nullopt);

  // Nobody listening: one try says so, for the start-up sequence to try again.
  const fs::path nobody = CommandSocketPath(runtime / "elsewhere", runtime.path().string());
  const HandOverTry tried =
      TrySendBarCommand(nobody, EncodeBarCommand(BarCommand{}), std::chrono::milliseconds(300));
  EXPECT_EQ(tried.outcome, HandOverTry::Outcome::NobodyListening);
  EXPECT_NE(tried.reason.find(nobody.native()), std::string::npos) << tried.reason;
}

TEST(SocketFolderTest, EachFaultIsToldInItsOwnWords) {
  struct stat own {};
  own.st_mode = S_IFDIR | 0700;
  own.st_uid = 1000;
  struct stat others = own, open = own, file = own;
  others.st_uid = 0;
  open.st_mode = S_IFDIR | 0701;
  file.st_mode = S_IFLNK | 0700;
  const std::pair<const struct stat*, FolderFault> rows[] = {
      {&own, FolderFault::None},        {nullptr, FolderFault::Missing},
      {&file, FolderFault::NotAFolder}, {&others, FolderFault::NotOwned},
      {&open, FolderFault::NotPrivate},
  };
  for (const auto& [status, fault] : rows) EXPECT_EQ(FolderFaultOf(status, 1000), fault);

  TempFolder runtime;
  std::ofstream(runtime.path() / "file") << "x";
  fs::create_directory(runtime.path() / "open");
  fs::permissions(runtime.path() / "open", fs::perms::owner_all | fs::perms::group_read);
  const std::pair<fs::path, std::string> told[] = {
      {runtime.path() / "none/velto", "does not exist and cannot be made (No such file"},
      {runtime.path() / "file", "not a folder"},
      {runtime.path() / "open", "not private"},
  };
  for (const auto& [folder, words] : told) {
    const auto problem = PrivateFolderProblem(folder);
    ASSERT_TRUE(problem.has_value()) << folder;
    EXPECT_NE(problem->find(words), std::string::npos) << *problem;
    EXPECT_NE(problem->find(folder.native()), std::string::npos) << *problem;
  }
  EXPECT_EQ(PrivateFolderProblem(runtime.path() / "made"), std::nullopt);
}

TEST_F(CommandSocketTest, AFolderOthersMayEnterIsNeitherListenedInNorSentTo) {
  fs::create_directory(runtime / "velto");
  fs::permissions(runtime / "velto", fs::perms::owner_all | fs::perms::others_exec);
  CommandListener listener(path);
  EXPECT_FALSE(listener.listening());
  EXPECT_FALSE(fs::exists(path));
  EXPECT_TRUE(Send(path, BarCommand{}, std::chrono::milliseconds(100)).has_value());
}

}  // namespace
}  // namespace velto
