// Start-up: the order of its steps, missing and odd settings, the stored position, the "/D" switch.
#include <filesystem>
#include <string_view>

#include "main/fixed_searches.h"
#include "main/hand_over.h"
#include "main/hot_keys.h"
#include "main/instance_name.h"
#include "main/key_codes.h"
#include "main/start_up.h"
#include "main/unreadable_settings.h"
#include "ports/settings_place_probe.h"
#include "ports/start_up_host.h"
#include "search_bar_fixture.h"
#include "settings/profile_file.h"

namespace velto::test {
namespace {

using StartUp = SearchBarTest;

TEST_F(StartUp, NoSettingsFile_EmptyDisabledButtonsNothingBoldNothingWritten) {
  bar.Form_Load();

  for (int i = 0; i < kSearchButtons; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(view.buttons[i].caption, "");
    EXPECT_EQ(view.buttons[i].tooltip, "");
    EXPECT_FALSE(view.buttons[i].enabled);
    EXPECT_TRUE(view.buttons[i].single_line);
  }
  EXPECT_TRUE(view.BoldButtons().empty());
  EXPECT_FALSE(view.topmost.has_value());
  EXPECT_EQ(view.set_top_calls + view.set_left_calls, 0);
  ExpectHistory({});
  EXPECT_EQ(bar.NewHistoryCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder / "velto.ini")) << "loading never writes";
}

TEST_F(StartUp, StarterFileWithoutSettings_CopiedToVeltoIniAndKeptOtherwiseIgnored) {
  const std::string starter = "[Velto]\r\nSearchSelect(0)=0\r\n[SearchData]\r\nSearchName(0)=S\r\n";
  WriteBytes(folder / "velto.starter.ini", starter);
  bar.Form_Load();
  EXPECT_EQ(view.buttons[0].caption, "S");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), starter);
  EXPECT_EQ(ReadBytes(folder / "velto.starter.ini"), starter);

  // An unpacked newer zip brings another starter file; the user's settings stay.
  WriteIni("[SearchData]\r\nSearchName(0)=mine\r\n");
  const std::string mine = ReadBytes(folder / "velto.ini");
  FakeSearchBarView next_view;
  SettingsModel next_model;
  SearchBar next(next_model, next_view, platform, folder.disk());
  next.Form_Load();
  EXPECT_EQ(next_view.buttons[0].caption, "mine");
  EXPECT_EQ(ReadBytes(folder / "velto.ini"), mine);
}

TEST_F(StartUp, Engines_LabelButtonsWithCaptionTooltipAndEnabledState) {
  WriteIni(
      "[Velto]\r\nSearchSelect(0)=3\r\nSearchSelect(1)=0\r\nSearchSelect(2)=19\r\n"
      "SearchSelect(3)=5\r\n[SearchData]\r\nSearchName(0)=Yahoo!\r\n"
      "SearchName(3)=フレッシュアイで探す長い名前の検索エンジンですよ四十文字まであと少しなの\r\n"
      "SearchName(19)=Last\r\n");
  bar.Form_Load();

  EXPECT_EQ(view.buttons[0].caption,
            "フレッシュアイで探す長い名前の検索エンジンですよ四十文字まであと少しなの");
  EXPECT_EQ(view.buttons[0].tooltip, view.buttons[0].caption) << "the tooltip shows it whole";
  EXPECT_EQ(view.buttons[1].caption, "Yahoo!");
  EXPECT_EQ(view.buttons[2].caption, "Last");
  EXPECT_EQ(view.buttons[3].caption, "") << "slot 5 is empty";
  EXPECT_TRUE(view.buttons[0].enabled && view.buttons[1].enabled && view.buttons[2].enabled);
  EXPECT_FALSE(view.buttons[3].enabled);
  EXPECT_FALSE(view.buttons[kClearButton].single_line);
  EXPECT_FALSE(view.buttons[kMenuButton].single_line);
}

TEST_F(StartUp, AssignmentOutsideEngineTable_ButtonEmptyAndDisabled) {
  WriteIni(
      "[Velto]\r\nSearchSelect(0)=21\r\nSearchSelect(1)=-1\r\nSearchSelect(2)=20\r\n"
      "SearchSelect(3)=32767\r\n[SearchData]\r\nSearchName(0)=A\r\n");
  bar.Form_Load();

  for (int i = 0; i < kSearchButtons; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(view.buttons[i].caption, "");
    EXPECT_EQ(view.buttons[i].tooltip, "");
    EXPECT_FALSE(view.buttons[i].enabled);
  }
}

TEST_F(StartUp, AlwaysTop_TopmostOnlyWhenItEqualsOne) {
  struct Case {
    const char* stored;
    bool topmost;
  };
  for (Case c : {Case{"1", true}, Case{"1.0", true}, Case{" 1 ", true}, Case{"0", false},
                 Case{"2", false}, Case{"", false}, Case{"yes", false}}) {
    SCOPED_TRACE(c.stored);
    FreshStart start(std::string("[Velto]\r\nAlwaysTop=") + c.stored + "\r\n");
    EXPECT_EQ(start.view.topmost.value_or(false), c.topmost);
    // Start-up only ever makes the window topmost; it never calls to take it out.
    EXPECT_EQ(start.view.topmost_calls, c.topmost ? 1 : 0);
  }
}

TEST_F(StartUp, DefaultSearch_BoldButtonRoundedHalfToEven) {
  struct Case {
    const char* stored;
    std::vector<int> bold;
  };
  for (const Case& c :
       {Case{"2", {2}}, Case{"2.5", {2}}, Case{"3.5", {4}}, Case{"0", {0}}, Case{"5", {5}},
        Case{"6", {}}, Case{"-1", {}}, Case{"x", {}}, Case{"", {}}}) {
    SCOPED_TRACE(c.stored);
    FreshStart start(std::string("[Velto]\r\nDefaultSearch=") + c.stored + "\r\n");
    EXPECT_EQ(start.view.BoldButtons(), c.bold);
  }
}

TEST_F(StartUp, StoredHistory_NonEmptyEntriesInOrderWithoutGaps) {
  WriteIni(
      "[History]\r\nSearchHistory(0)=\r\nSearchHistory(1)=\r\nSearchHistory(2)=abc\r\n"
      "SearchHistory(5)=\"tokyo tower\"\r\nSearchHistory(9)=東京\r\n");
  bar.Form_Load();
  ExpectHistory({"abc", "tokyo tower", "東京"});
  EXPECT_EQ(view.history_reset_calls, 1) << "the list is filled in one go";
}

TEST_F(StartUp, OddFile_GarbageLinesAndBinaryBytesStillStart) {
  using namespace std::literals;
  WriteBytes(folder / "velto.ini",
             "\xEF\xBB\xBFgarbage\r\n[Velto\r\n=\r\nTop=\0\xFF\xFE\r\nAlwaysTop\r\n"
             "[History]\r\nSearchHistory(0)=ok\r\n"sv);
  bar.Form_Load();
  EXPECT_EQ(bar.History().Count(), 1);
  EXPECT_EQ(bar.NewHistoryCount(), 0);
}

TEST_F(StartUp, SettingsPathIsAFolder_StartsLikeWithoutFile) {
  std::filesystem::create_directory(folder / "velto.ini");
  bar.Form_Load();
  EXPECT_FALSE(view.buttons[0].enabled);
  ExpectHistory({});
}

// The stored position is applied as a whole, and only where the window can be seen.
TEST_F(StartUp, StoredPosition_OnScreenApplied) {
  WriteIni("[Velto]\r\nTop=2880\r\nLeft=15\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, 2880);
  EXPECT_FLOAT_EQ(view.left, 15);
  EXPECT_EQ(view.set_top_calls, 1);
  EXPECT_EQ(view.set_left_calls, 1);
}

// Partly off the screen (19200 x 11520 twips; the bar 3885 x 1395), the bar moves wholly in.
TEST_F(StartUp, StoredPosition_PartlyOffMovesTheLeastOntoTheScreen) {
  struct Case {
    const char* position;
    float top;
    float left;
  };
  for (Case c : {Case{"Top=2880\r\nLeft=-15\r\n", 2880, 0},
                 Case{"Top=2880\r\nLeft=17000\r\n", 2880, 19200 - 3885},
                 Case{"Top=-600\r\nLeft=900\r\n", 0, 900},
                 Case{"Top=11000\r\nLeft=19000\r\n", 11520 - 1395, 19200 - 3885},
                 Case{"Left=-3800\r\n", 1200, 0}}) {
    SCOPED_TRACE(c.position);
    FreshStart start(std::string("[Velto]\r\n") + c.position);
    EXPECT_FLOAT_EQ(start.view.top, c.top);
    EXPECT_FLOAT_EQ(start.view.left, c.left);
  }
}

TEST_F(StartUp, StoredPosition_OnASecondScreenStaysOrMovesOntoIt) {
  view.other_screens = {{19200, -1500, 15360, 11520}};
  WriteIni("[Velto]\r\nTop=-1500\r\nLeft=30000\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, -1500);
  EXPECT_FLOAT_EQ(view.left, 30000);
  WriteIni("[Velto]\r\nTop=-1800\r\nLeft=33000\r\n");
  bar.LoadSettings();
  EXPECT_FLOAT_EQ(view.top, -1500);
  EXPECT_FLOAT_EQ(view.left, 34560 - 3885);
}

TEST_F(StartUp, StoredPosition_OffEveryScreenNotApplied) {
  for (const char* position : {"Top=2880\r\nLeft=40000\r\n", "Top=-5000\r\nLeft=0\r\n",
                               "Top=99999\r\n", "Left=-90000\r\n"}) {
    SCOPED_TRACE(position);
    FreshStart start(std::string("[Velto]\r\n") + position);
    EXPECT_FLOAT_EQ(start.view.top, 1200);
    EXPECT_FLOAT_EQ(start.view.left, 1500);
  }
}

TEST_F(StartUp, StoredPosition_InvalidTopKeepsTopButAppliesLeft) {
  WriteIni("[Velto]\r\nTop=abc\r\nLeft=300\r\n");
  bar.Form_Load();
  EXPECT_FLOAT_EQ(view.top, 1200);
  EXPECT_FLOAT_EQ(view.left, 300);
  EXPECT_EQ(view.set_top_calls, 0);
}

TEST_F(StartUp, LoadSettingsAgain_MovesBackToStoredPositionIfVisible) {
  WriteIni("[Velto]\r\nTop=600\r\nLeft=900\r\n");
  bar.Form_Load();
  view.top = 3000;
  view.left = 3000;
  bar.LoadSettings();  // as the settings dialog's restore command does
  EXPECT_FLOAT_EQ(view.top, 600);
  EXPECT_FLOAT_EQ(view.left, 900);
  view.screen_width = 800;  // the monitor it stood on is gone
  view.left = 0;
  bar.LoadSettings();
  EXPECT_FLOAT_EQ(view.left, 0);
}

TEST_F(StartUp, DebugSwitch_OnlyLeadingSlashDInEitherCaseShowsEntries) {
  struct Case {
    const char* command_line;
    bool shown;
  };
  for (Case c : {Case{"/D", true}, Case{"/d", true}, Case{"/DEBUG", true}, Case{"/d x", true},
                 Case{"", false}, Case{"-D", false}, Case{" /D", false}, Case{"/", false},
                 Case{"D/", false}, Case{"/E", false}}) {
    SCOPED_TRACE(c.command_line);
    FreshStart start("", c.command_line);
    EXPECT_EQ(start.bar.DebugSwitch(), c.shown);
    for (const FixedSearch& entry : kFixedSearches)
      EXPECT_EQ(start.view.MenuEntryVisible(entry.index), c.shown || !entry.debug_only)
          << entry.index;
  }
}

// The ways a settings file can be there and still not be read. A file without permissions is
// read anyway by a process that may read everything (root): that row is skipped there.
enum class Unreadable { NoPermissions, FolderOfItsName };

// Makes velto.ini unreadable; false when this process reads it all the same.
bool MakeUnreadable(const std::filesystem::path& ini, Unreadable how) {
  if (how == Unreadable::FolderOfItsName) return std::filesystem::create_directory(ini);
  WriteBytes(ini, "[Velto]\r\nDefaultSearch=0\r\n[SearchData]\r\nSearchName(0)=A\r\n");
  std::filesystem::permissions(ini, std::filesystem::perms::none);
  RealDisk real;
  return !ProfileFile(ini, real.files()).Load();
}

// The file is readable again and holds these bytes, as after the user mended it.
void Mend(const std::filesystem::path& ini, std::string_view bytes) {
  std::filesystem::remove(ini);
  WriteBytes(ini, bytes);
}

TEST_F(StartUp, UnreadableSettings_ToldOnceWithThePathAndNeverWritten) {
  for (const Unreadable how : {Unreadable::NoPermissions, Unreadable::FolderOfItsName}) {
    SCOPED_TRACE(static_cast<int>(how));
    TempFolder here;
    const auto ini = here.path() / "velto.ini";
    if (!MakeUnreadable(ini, how)) {
      std::filesystem::permissions(ini, std::filesystem::perms::owner_all);
      continue;  // root reads it anyway
    }
    FakePlatform system{here.path()};
    system.command_line = "--search tokyo";
    FakeSearchBarView window;
    SettingsModel settings;
    SearchBar started(settings, window, system, here.disk());
    started.Form_Load();
    ASSERT_EQ(system.messages.size(), 1U);
    EXPECT_NE(system.messages[0].text.find(ini.string()), std::string::npos)
        << system.messages[0].text;
    EXPECT_EQ(system.messages[0].buttons, MessageButtons::Ok);

    // A search given to the start is refused with the path; bringing the bar forward is not.
    const SettingsStore store(here.path(), here.disk());
    const auto problem = CommandSettingsProblem(BarCommand{BarCommand::Kind::Search, "x"}, store);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(ini.string()), std::string::npos) << *problem;
    EXPECT_EQ(CommandSettingsProblem(BarCommand{BarCommand::Kind::Focus, ""}, store), std::nullopt);

    // Closing writes nothing over the file, even once it can be read again: the position and
    // history of a bar that had no settings would replace the stored ones.
    window.query = "tokyo";
    started.Handle(KeyPress{kKeyF8, 0});  // kept in the history list
    const std::string mended = "[Velto]\r\nTop=15\r\n[History]\r\nSearchHistory(0)=mine\r\n";
    Mend(ini, mended);
    started.Handle(WindowClosed{});
    EXPECT_EQ(ReadBytes(ini), mended);
    EXPECT_EQ(system.messages.size(), 1U);
  }
}

TEST_F(StartUp, ReadableOrMissingSettings_NoMessageAndCommandsGoAhead) {
  const BarCommand search{BarCommand::Kind::Search, "x"};
  EXPECT_EQ(CommandSettingsProblem(search, SettingsStore(folder.path(), folder.disk())),
            std::nullopt);
  EXPECT_EQ(CommandSettingsProblem(std::nullopt, SettingsStore(folder.path(), folder.disk())),
            std::nullopt);
  WriteIni("[SearchData]\r\nSearchName(0)=A\r\n");
  EXPECT_EQ(CommandSettingsProblem(search, SettingsStore(folder.path(), folder.disk())),
            std::nullopt);
  bar.Form_Load();
  EXPECT_TRUE(platform.messages.empty());
}

}  // namespace
}  // namespace velto::test

// The start-up sequence over a fake host: which steps run, in which order, with which status.
namespace velto::test {
namespace {

namespace fs = std::filesystem;
using Outcome = HandOverTry::Outcome;

class DiskProbe final : public SettingsPlaceProbe {
 public:
  bool IsFile(const FilePath& path) const override { return fs::is_regular_file(path); }
  bool Exists(const FilePath& path) const override { return fs::exists(fs::symlink_status(path)); }
  bool CanWriteInto(const FilePath&) const override { return true; }
  bool CanReadAndWrite(const FilePath& file) const override { return IsFile(file); }
  bool CreateFolders(const FilePath& folder) const override {
    return fs::create_directories(folder) || fs::is_directory(folder);
  }
};

// Records each step; time passes only through its pauses and the waits it is given.
// The folder in UTF-8, as a host spells it for the instance name.
std::string Utf8Key(const FilePath& folder) {
  const std::u8string text = std::filesystem::path(folder).u8string();
  return std::string(text.begin(), text.end());
}

class FakeHost final : public StartUpHost {
 public:
  std::optional<int> early;
  std::string command_line;
  std::vector<bool> claims;    // one answer a try; the last one repeats
  std::vector<Outcome> tries;  // likewise; empty means nobody ever listens
  bool can_start_process = true;
  // A later start's command that arrives once the bar listens.
  std::optional<BarCommand> later;

  TempFolder folder;
  FakePlatform platform{folder.path()};
  FakeSearchBarView view;
  SettingsModel model;
  std::optional<SearchBar> bar;
  std::vector<std::string> steps;
  Clock::time_point now{};
  Clock::time_point first_try{}, last_try{};
  int try_count = 0;

  std::optional<int> AnswerBeforeStart() override { return early; }
  std::string CommandLine() override { return command_line; }
  ProgramPlaces Places() override { return {folder.path(), {}, {}}; }
  const SettingsPlaceProbe& Probe() override { return probe_; }
  Disk SystemDisk() override { return folder.disk(); }
  std::string InstanceKey(const FilePath& settings) override { return Utf8Key(settings); }
  bool TryClaimInstance(const FilePath& settings, std::string_view name) override {
    EXPECT_EQ(settings, folder.path());
    EXPECT_EQ(name, InstanceName(Utf8Key(folder.path())));
    const bool claimed =
        claims.empty() ? true : claims[std::min(claim_count_++, claims.size() - 1)];
    steps.push_back(claimed ? "claim" : "claim-held");
    return claimed;
  }
  void ReleaseInstance() override { steps.push_back("release"); }
  HandOverTry TryHandOver(std::string_view, const std::string& message,
                          std::chrono::milliseconds greeting_wait) override {
    EXPECT_EQ(DecodeBarCommand(message), ParseBarCommand(command_line));
    EXPECT_GE(greeting_wait.count(), 0);
    if (try_count++ == 0) first_try = now;
    last_try = now;
    const Outcome outcome =
        tries.empty() ? Outcome::NobodyListening
                      : tries[std::min(static_cast<std::size_t>(try_count - 1), tries.size() - 1)];
    if (steps.empty() || steps.back() != "try") steps.push_back("try");
    return {outcome, outcome == Outcome::Taken ? "" : "because"};
  }
  bool StartBarProcess() override {
    steps.push_back(can_start_process ? "start-process" : "start-process-failed");
    return can_start_process;
  }
  void TellNotTaken(const std::string& reason) override { steps.push_back("tell:" + reason); }
  void TellRefused(const std::string& problem) override { steps.push_back("refused:" + problem); }
  Clock::time_point Now() override { return now; }
  void Pause(std::chrono::milliseconds how_long) override {
    EXPECT_EQ(how_long, kHandOverRetry);
    now += how_long;
  }

  SearchBar* OpenBar(const ProgramFolders& folders) override {
    EXPECT_EQ(folders.settings, folder.path());
    steps.push_back("open");
    bar.emplace(model, view, platform, folder.disk());
    return &*bar;
  }
  void ShowBar() override {
    // Shown with its engines already on the buttons.
    steps.push_back("show:" + view.buttons[0].caption);
  }
  void WhenFirstPainted(std::function<void()> step) override {
    steps.push_back("wait-for-paint");
    painted_ = std::move(step);
  }
  void FinishWindow() override { steps.push_back("finish-window"); }
  void Listen(std::string_view, CommandSink sink) override {
    steps.push_back("listen");
    sink_ = std::move(sink);
  }
  void TakeGlobalKeys(const HotKeys&, CommandSink) override { steps.push_back("keys"); }
  void Post(std::function<void()> step) override { posted_.push_back(std::move(step)); }
  int RunEventLoop() override {
    steps.push_back("loop");
    if (painted_) painted_();
    RecordOpened();
    if (later && sink_) {
      sink_(*later);
      steps.push_back("answered");
      RecordOpened();
    }
    for (auto& step : posted_) step();
    RecordOpened();
    return 0;
  }

 private:
  void RecordOpened() {
    for (const auto opened = platform.OpenedAddresses(); opened_seen_ < opened.size();)
      steps.push_back("opened:" + opened[opened_seen_++]);
  }

  DiskProbe probe_;
  std::size_t claim_count_ = 0;
  std::size_t opened_seen_ = 0;
  std::function<void()> painted_;
  CommandSink sink_;
  std::vector<std::function<void()>> posted_;
};

const std::vector<std::string> kBarSteps = {
    "open", "show:Google", "wait-for-paint", "loop", "finish-window", "listen", "keys"};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

TEST(StartUpSequence, StepsAndStatusForEachKindOfStart) {
  const std::string google = "https://www.google.com/search?q=";
  struct Row {
    const char* name;
    std::optional<int> early;
    std::string command_line;
    std::vector<bool> claims;
    std::vector<Outcome> tries;
    bool can_start_process;
    int status;
    std::vector<std::string> steps;
    int try_count;
  };
  const Row rows[] = {
      {"version or help", 2, "--search x", {}, {}, true, 2, {}, 0},
      {"first plain start is the bar", {}, "", {true}, {}, true, 0, Then({"claim"}, kBarSteps), 0},
      {"later plain start ends", {}, "", {false}, {}, true, 0, {"claim-held"}, 0},
      {"later start, bar takes it at once",
       {},
       "--search x",
       {false},
       {Outcome::Taken},
       true,
       0,
       {"claim-held", "try"},
       1},
      {"later start, bar still starting",
       {},
       "--focus",
       {false},
       {Outcome::NobodyListening, Outcome::NobodyListening, Outcome::Taken},
       true,
       0,
       {"claim-held", "try"},
       3},
      {"later start, bar refuses",
       {},
       "--search x",
       {false},
       {Outcome::Refused},
       true,
       1,
       {"claim-held", "try", "tell:because"},
       1},
      {"later start, nobody ever listens",
       {},
       "--search x",
       {false},
       {},
       true,
       1,
       {"claim-held", "try", "tell:because"},
       251},
      {"first start with a command hands it to a bar of its own",
       {},
       "--search x",
       {true},
       {Outcome::NobodyListening, Outcome::Taken},
       true,
       0,
       {"claim", "release", "start-process", "try"},
       2},
      {"first start with a command, its bar never listens",
       {},
       "--search x",
       {true},
       {},
       true,
       1,
       {"claim", "release", "start-process", "try", "tell:because"},
       1001},
      {"no process can be started: the start is the bar and carries its command out last",
       {},
       "--search x",
       {true},
       {},
       false,
       0,
       Then(Then({"claim", "release", "start-process-failed", "claim"}, kBarSteps),
            {"opened:" + google + "x"}),
       0},
      {"no process can be started and another start took the claim meanwhile",
       {},
       "--search x",
       {true, false},
       {Outcome::Taken},
       false,
       0,
       {"claim", "release", "start-process-failed", "claim-held", "try"},
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHost host;
    host.early = row.early;
    host.command_line = row.command_line;
    host.claims = row.claims;
    host.tries = row.tries;
    host.can_start_process = row.can_start_process;
    EXPECT_EQ(velto::StartUp(host).Run(), row.status);
    EXPECT_EQ(host.steps, row.steps);
    EXPECT_EQ(host.try_count, row.try_count);
    // Tries stop at the wait, never before it.
    if (row.status == 1 && row.tries.empty()) {
      const auto wait = row.claims[0] ? kStartedBarWait : kHandOverWait;
      EXPECT_EQ(host.last_try - host.first_try, wait);
    }
  }
}

TEST(StartUpSequence, LaterStartsCommandIsCarriedOutOnlyAfterItsSenderIsAnswered) {
  FakeHost host;
  host.later = BarCommand{BarCommand::Kind::Search, "y"};
  EXPECT_EQ(velto::StartUp(host).Run(), 0);
  EXPECT_EQ(host.steps, Then(Then({"claim"}, kBarSteps),
                             {"answered", "opened:https://www.google.com/search?q=y"}));
}

TEST(StartUpSequence, FreshFolderStartsWithTheStarterEnginesAnExistingFileIsKept) {
  struct Row {
    const char* name;
    std::optional<std::string> ini;  // nothing: no velto.ini at all
    bool starter_file;
    std::string first_caption;
  };
  const Row rows[] = {
      {"only the program", std::nullopt, false, "Google"},
      {"a starter file beside it", std::nullopt, true, "S"},
      {"an empty velto.ini", "", false, ""},
      {"a velto.ini of the user's",
       "[Velto]\r\nSearchSelect(0)=0\r\n[SearchData]\r\nSearchName(0)=mine\r\n", true, "mine"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FakeHost host;
    const fs::path ini = host.folder / "velto.ini";
    if (row.ini) WriteBytes(ini, *row.ini);
    if (row.starter_file)
      WriteBytes(host.folder / "velto.starter.ini", "[SearchData]\r\nSearchName(0)=S\r\n");
    velto::StartUp(host).Run();
    EXPECT_EQ(host.view.buttons[0].caption, row.first_caption);
    EXPECT_EQ(host.view.buttons[0].enabled, !row.first_caption.empty());
    if (row.ini) EXPECT_EQ(ReadBytes(ini), *row.ini) << "never rewritten at the start";
  }
  // A dangling link in place of velto.ini is left alone (where the system makes links).
  FakeHost linked;
  std::error_code ec;
  fs::create_symlink(linked.folder / "elsewhere.ini", linked.folder / "velto.ini", ec);
  if (ec) return;
  velto::StartUp(linked).Run();
  EXPECT_FALSE(fs::exists(linked.folder / "elsewhere.ini"));
  EXPECT_EQ(linked.view.buttons[0].caption, "");
}

// Windows hands the core no user folders: every copy keeps its settings beside it.
TEST(SettingsPlace, WithoutUserFoldersTheSettingsStayBesideTheProgram) {
  TempFolder program;
  const ProgramFolders folders = ChooseProgramFolders({program.path(), {}, {}}, DiskProbe());
  EXPECT_EQ(folders.settings, program.path());
  EXPECT_EQ(folders.help, program.path());
  EXPECT_FALSE(folders.per_user);
}

TEST(InstanceName, SixteenHexDigitsOfFnv1a) {
  EXPECT_EQ(InstanceName(""), "cbf29ce484222325");
  EXPECT_EQ(InstanceName("a"), "af63dc4c8601ec8c");
  EXPECT_NE(InstanceName("/home/u/velto"), InstanceName("/home/u/velto2"));
}

}  // namespace
}  // namespace velto::test
