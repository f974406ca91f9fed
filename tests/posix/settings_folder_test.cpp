// The settings folder of the Linux program: beside a program in a folder of its own, per user
// for an installed or unwritable one; checked on real folders and with the real programs.
#include "platform/posix/settings_folder.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "settings/settings_store.h"
#include "support/temp_folder.h"

extern char** environ;

namespace velto {
namespace {

using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;
namespace fs = std::filesystem;

// usr/bin and usr/share/velto/Help.html under a temporary root, as a package installs them.
struct InstalledLayout {
  TempFolder root;
  fs::path bin = root / "usr/bin";
  fs::path share = root / "usr/share/velto";
  InstalledLayout() {
    fs::create_directories(bin);
    fs::create_directories(share);
    WriteBytes(share / "Help.html", "<html></html>");
  }
};

TEST(SettingsFolderChoice, ProgramInAFolderOfItsOwn_KeepsEverythingBesideIt) {
  TempFolder program;
  WriteBytes(program / "Help.html", "<html></html>");
  const auto folders = ChooseProgramFolders(program.path(), {"/cfg", "/home/u"});
  EXPECT_EQ(folders.settings, program.path());
  EXPECT_EQ(folders.help, program.path());
  EXPECT_FALSE(folders.per_user);

  // A lone copied program, no help page anywhere, is still at home in its folder.
  TempFolder lone;
  EXPECT_EQ(ChooseProgramFolders(lone.path(), {"/cfg", "/home/u"}).settings, lone.path());
}

TEST(SettingsFolderChoice, InstalledProgram_SettingsPerUserHelpInShare_EvenWhereBinIsWritable) {
  InstalledLayout layout;  // writable here, as /usr/bin is for root
  const auto folders = ChooseProgramFolders(layout.bin, {"/cfg", "/home/u"});
  EXPECT_EQ(folders.settings, fs::path("/cfg/velto"));
  EXPECT_EQ(folders.help, layout.share);
  EXPECT_TRUE(folders.per_user);

  // A help page beside the program makes it a program folder of its own again.
  WriteBytes(layout.bin / "Help.html", "<html></html>");
  EXPECT_EQ(ChooseProgramFolders(layout.bin, {"/cfg", "/home/u"}).settings, layout.bin);
}

TEST(SettingsFolderChoice, SettingsFileBesideTheProgram_UsedWhenReadableAndWritable) {
  InstalledLayout layout;
  const fs::path ini = layout.bin / "velto.ini";
  struct Case {
    const char* what;
    std::function<void()> make;
    bool beside;
  };
  const fs::perms read_only = fs::perms::owner_read | fs::perms::group_read;
  const Case cases[] = {
      {"a writable file", [&] { WriteBytes(ini, "[Velto]\r\n"); }, true},
      {"a file nobody may write", [&] { fs::permissions(ini, read_only); }, false},
      {"a folder of that name",
       [&] {
         fs::remove(ini);
         fs::create_directory(ini);
       },
       false},
      {"a link to a writable file",
       [&] {
         fs::remove(ini);
         WriteBytes(layout.root / "elsewhere.ini", "");
         fs::create_symlink(layout.root / "elsewhere.ini", ini);
       },
       true},
      {"a link leading nowhere", [&] { fs::remove(layout.root / "elsewhere.ini"); }, false},
  };
  for (const Case& c : cases) {
    c.make();
    const auto folders = ChooseProgramFolders(layout.bin, {"/cfg", "/home/u"});
    EXPECT_EQ(folders.settings, c.beside ? layout.bin : fs::path("/cfg/velto")) << c.what;
    EXPECT_EQ(folders.per_user, !c.beside) << c.what;
    EXPECT_EQ(folders.help, layout.share) << c.what;
  }
}

TEST(SettingsFolderChoice, UnwritableProgramFolder_SettingsPerUser) {
  // A folder that does not exist cannot be written either.
  auto folders = ChooseProgramFolders("/nonexistent/velto-bin", {"", "/home/u"});
  EXPECT_EQ(folders.settings, fs::path("/home/u/.config/velto"));
  EXPECT_EQ(folders.help, fs::path("/nonexistent/velto-bin"));
  EXPECT_TRUE(folders.per_user);

  TempFolder program;
  fs::permissions(program.path(), fs::perms::owner_read | fs::perms::owner_exec);
  const bool writable = ::access(program.path().c_str(), W_OK) == 0;  // root writes anyway
  folders = ChooseProgramFolders(program.path(), {"/cfg", "/home/u"});
  fs::permissions(program.path(), fs::perms::owner_all);
  if (writable) GTEST_SKIP() << "this user writes into read-only folders";
  EXPECT_EQ(folders.settings, fs::path("/cfg/velto"));
}

TEST(SettingsFolderChoice, ConfigHome_OnlyAnAbsolutePathCounts_ElseHome_ElseStayPut) {
  InstalledLayout layout;
  EXPECT_EQ(ChooseProgramFolders(layout.bin, {"relative/cfg", "/home/u"}).settings,
            fs::path("/home/u/.config/velto"));
  EXPECT_EQ(ChooseProgramFolders(layout.bin, {"", "/home/u"}).settings,
            fs::path("/home/u/.config/velto"));
  // Nowhere else to go: the program folder, as before.
  const auto nowhere = ChooseProgramFolders(layout.bin, {"", ""});
  EXPECT_EQ(nowhere.settings, layout.bin);
  EXPECT_FALSE(nowhere.per_user);
}

TEST(SettingsFolderFirstUse, PerUserFolder_CreatedWithStarterSettingsOnce) {
  TempFolder home;
  const ProgramFolders folders{home / "deep/config/velto", home.path(), true};
  ASSERT_TRUE(CreateSettingsFolder(folders));
  WriteStarterSettingsOnFirstUse(folders, home.disk());
  const SettingsStore store(folders.settings, home.disk());
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchName(0)"), "Google");
  EXPECT_EQ(store.ReadSetting("Velto", "AlwaysTop"), "1");

  // Later uses keep what the user changed.
  store.WriteSetting("SearchData", "SearchName(0)", "mine");
  ASSERT_TRUE(CreateSettingsFolder(folders));
  WriteStarterSettingsOnFirstUse(folders, home.disk());
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchName(0)"), "mine");
}

TEST(SettingsFolderFirstUse, ProgramFolder_NeitherCreatedNorFilled) {
  TempFolder program;
  const ProgramFolders missing{program / "gone", program.path(), false};
  EXPECT_FALSE(CreateSettingsFolder(missing));
  EXPECT_FALSE(fs::exists(program / "gone"));
  const ProgramFolders own{program.path(), program.path(), false};
  WriteStarterSettingsOnFirstUse(own, program.disk());
  EXPECT_FALSE(fs::exists(program / "velto.ini"));

  // A per-user "folder" that is a file is reported, not replaced.
  WriteBytes(program / "file", "x");
  EXPECT_FALSE(CreateSettingsFolder({program / "file", program.path(), true}));
}

// The real programs, copied into an installed layout, with their own config home.
class InstalledPrograms : public ::testing::Test {
 protected:
  InstalledLayout layout;
  TempFolder config;

  void SetUp() override {
    fs::copy_file(VELTO_EXE, layout.bin / "velto");
    fs::copy_file(VELTO_CONFIG_EXE, layout.bin / "velto-config");
    fs::copy_file(VELTO_HELP_PAGE, layout.share / "Help.html",
                  fs::copy_options::overwrite_existing);
  }

  std::vector<std::string> Environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string entry(*e);
      if (!entry.starts_with("XDG_CONFIG_HOME=")) env.push_back(entry);
    }
    env.push_back("XDG_CONFIG_HOME=" + config.path().string());
    return env;
  }

  pid_t Start(const std::vector<std::string>& argv, const fs::path& output = {}) const {
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto env = Environment();
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = output.empty() ? std::string("/dev/null") : output.string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : -1;
  }

  // Starts the program as the given user (root only), or as this process's user.
  pid_t StartAs(const std::optional<passwd>& user, const std::vector<std::string>& argv) const {
    if (!user) return Start(argv);
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto env = Environment();
    for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::setgroups(0, nullptr) != 0 || ::setgid(user->pw_gid) != 0 ||
          ::setuid(user->pw_uid) != 0)
        ::_exit(126);
      ::execve(args[0], args.data(), envp.data());
      ::_exit(127);
    }
    return pid;
  }

  // The exit status, or nothing when the process still runs after the time given.
  static std::optional<int> WaitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      if (::waitpid(pid, &status, WNOHANG) == pid)
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return std::nullopt;
  }
};

TEST_F(InstalledPrograms, VeltoConfig_UsesTheUserFolder_MadeOnFirstUse_DirOverrides) {
  const fs::path out = config / "out.txt";
  pid_t pid =
      Start({(layout.bin / "velto-config").string(), "get", "SearchData", "SearchName(1)"}, out);
  ASSERT_GT(pid, 0);
  EXPECT_EQ(WaitFor(pid, std::chrono::seconds(20)), 0);
  EXPECT_EQ(ReadBytes(out), "Yahoo! JAPAN\n");
  EXPECT_TRUE(fs::exists(config / "velto/velto.ini"));
  EXPECT_FALSE(fs::exists(layout.bin / "velto.ini"));

  // With --dir the user's folder is not even looked at.
  fs::remove_all(config / "velto");
  TempFolder elsewhere;
  pid = Start({(layout.bin / "velto-config").string(), "--dir", elsewhere.path().string(), "set",
               "Velto", "AlwaysTop", "0"});
  EXPECT_EQ(WaitFor(pid, std::chrono::seconds(20)), 0);
  EXPECT_TRUE(fs::exists(elsewhere / "velto.ini"));
  EXPECT_FALSE(fs::exists(config / "velto"));
}

TEST_F(InstalledPrograms, Velto_FirstStartFillsTheUserFolder_SecondStartEndsAtOnce) {
  const pid_t first = Start({(layout.bin / "velto").string()});
  ASSERT_GT(first, 0);
  const fs::path ini = config / "velto/velto.ini";
  for (int i = 0; i < 500 && !fs::exists(ini); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(fs::exists(ini)) << "no settings written into the user's folder";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the bar is up
  ASSERT_FALSE(WaitFor(first, std::chrono::milliseconds(0))) << "the first start ended";
  const std::string starter = ReadBytes(ini);

  // The lock lives in the user's folder now: a second start for it ends at once.
  const pid_t second = Start({(layout.bin / "velto").string()});
  EXPECT_EQ(WaitFor(second, std::chrono::seconds(10)), 0);
  EXPECT_EQ(ReadBytes(ini), starter);

  ::kill(first, SIGTERM);  // the closing steps store the position there
  EXPECT_EQ(WaitFor(first, std::chrono::seconds(10)), 0);
  test::RealDisk disk;
  const SettingsStore store(config / "velto", disk.disk());
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchName(0)"), "Google");
  EXPECT_FALSE(store.ReadSetting("Velto", "Top").empty());
  for (const auto& entry : fs::directory_iterator(layout.bin))
    EXPECT_TRUE(entry.path().filename() == "velto" || entry.path().filename() == "velto-config")
        << entry.path();
}

// The process holding the flock on a folder, read from /proc/locks; -1 for none.
pid_t LockHolder(const fs::path& folder) {
  struct stat status {};
  if (::stat(folder.c_str(), &status) != 0) return -1;
  std::ifstream locks("/proc/locks");
  const std::string inode = ":" + std::to_string(status.st_ino);
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, pid, device;
    fields >> number >> kind >> mode >> access >> pid >> device;
    if (kind == "FLOCK" && device.ends_with(inode)) return std::stoi(pid);
  }
  return -1;
}

// A folder holding only the program, started with a command: the start ends with 0 as soon as
// the bar it brought up has the command, and that bar has written the starter settings.
TEST_F(InstalledPrograms, FreshFolderFirstCommand_EndsAtOnceBarHasTheStarterEngines) {
  TempFolder portable, runtime;
  fs::permissions(runtime.path(), fs::perms::owner_all);
  fs::copy_file(VELTO_EXE, portable / "velto");
  // The bar's socket in a runtime folder of this test's own.
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  ::setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  const pid_t start = Start({(portable / "velto").string(), "--focus"});
  if (saved)
    ::setenv("XDG_RUNTIME_DIR", saved->c_str(), 1);
  else
    ::unsetenv("XDG_RUNTIME_DIR");
  ASSERT_GT(start, 0);
  EXPECT_EQ(WaitFor(start, std::chrono::seconds(30)), 0);
  const pid_t bar = LockHolder(portable.path());
  ASSERT_GT(bar, 0) << "no bar holds the folder";
  EXPECT_NE(bar, start);
  EXPECT_EQ(
      SettingsStore(portable.path(), portable.disk()).ReadSetting("SearchData", "SearchName(0)"),
      "Google");
  ::kill(bar, SIGTERM);
  for (int i = 0; i < 500 && LockHolder(portable.path()) == bar; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_NE(LockHolder(portable.path()), bar) << "the bar did not end";
}

// A portable copy in a folder the user cannot write, holding a velto.ini the user can: the
// real velto-config uses that file, rewritten in place, and makes no folder of the user's.
// Root writes into any folder, so as root the program runs as "nobody" in a folder of root's.
TEST_F(InstalledPrograms, PortableCopyInAnUnwritableFolder_UsesTheFileBesideIt) {
  TempFolder portable;
  fs::copy_file(VELTO_CONFIG_EXE, portable / "velto-config");
  fs::copy_file(VELTO_HELP_PAGE, portable / "Help.html");
  WriteBytes(portable / "velto.ini", "[Velto]\r\nAlwaysTop=1\r\n");
  fs::permissions(
      portable / "velto.ini",
      fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
  fs::permissions(config.path(), fs::perms::all);  // where the settings would go instead
  std::optional<passwd> user;
  if (::geteuid() == 0) {
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody) GTEST_SKIP() << "no user \"nobody\" to run the program as";
    user = *nobody;
  } else {
    fs::permissions(portable.path(), fs::perms::owner_read | fs::perms::owner_exec);
  }
  for (const char* value : {"0", "2"}) {
    const pid_t pid =
        StartAs(user, {(portable / "velto-config").string(), "set", "Velto", "AlwaysTop", value});
    ASSERT_GT(pid, 0);
    EXPECT_EQ(WaitFor(pid, std::chrono::seconds(20)), 0);
  }
  fs::permissions(portable.path(), fs::perms::owner_all, fs::perm_options::add);
  EXPECT_EQ(SettingsStore(portable.path(), portable.disk()).ReadSetting("Velto", "AlwaysTop"), "2");
  EXPECT_FALSE(fs::exists(config / "velto"));
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(portable.path()))
    names.push_back(entry.path().filename().string());
  EXPECT_EQ(names.size(), 3u) << "a file was added beside the program";
}

}  // namespace
}  // namespace velto
