// The settings routines against a real velto.ini in a temporary folder.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "settings/factory_defaults.h"
#include "support/rewrite_counter.h"
#include "support/temp_folder.h"

namespace velto {
namespace {

using test::ReadBytes;
using test::RewriteCounter;
using test::TempFolder;
using test::WriteBytes;

// The search bar as the store sees it: a position and a history list.
class FakeBar : public PlacementTarget {
 public:
  float top = 111;
  float left = 222;
  int position_changes = 0;
  std::vector<std::string> history;

  float Top() const override { return top; }
  float Left() const override { return left; }
  void SetTop(float twips) override { top = twips, ++position_changes; }
  void SetLeft(float twips) override { left = twips, ++position_changes; }
  std::string HistoryItem(int index) const override {
    return index < static_cast<int>(history.size()) ? history[index] : std::string();
  }
};

// The lines of the file, without their CRLF.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The key names of the file's key lines, in file order.
std::vector<std::string> KeyOrder(const std::string& bytes) {
  std::vector<std::string> keys;
  for (const auto& line : Lines(bytes)) {
    if (!line.empty() && line[0] == '[')
      keys.push_back(line);
    else if (line.find('=') != std::string::npos)
      keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

class SettingsStoreTest : public ::testing::Test {
 protected:
  TempFolder folder;
  SettingsStore store{folder.path(), folder.disk()};
  std::filesystem::path ini() const { return store.SettingsPath(); }
};

TEST_F(SettingsStoreTest, EveryValueIsA200CharacterBlankPaddedField) {
  ASSERT_TRUE(store.WriteSetting("Velto", "AlwaysTop", "1"));
  EXPECT_EQ(ReadBytes(ini()), "[Velto]\r\nAlwaysTop=1" + std::string(199, ' ') + "\r\n");
  EXPECT_EQ(store.ReadSetting("Velto", "AlwaysTop"), "1");

  // Padding counts characters, not bytes: 7 Japanese characters, 14 bytes in Shift-JIS.
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchName(5)", "フレッシュアイ"));
  const std::string sjis = "\x83\x74\x83\x8C\x83\x62\x83\x56\x83\x85\x83\x41\x83\x43";
  EXPECT_NE(ReadBytes(ini()).find("SearchName(5)=" + sjis + std::string(193, ' ') + "\r\n"),
            std::string::npos);
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchName(5)"), "フレッシュアイ");
}

TEST_F(SettingsStoreTest, LongValuesAreNeitherCutWhenWrittenNorWhenRead) {
  const std::string ascii(250, 'a');
  std::string japanese;
  for (int i = 0; i < 150; ++i) japanese += "検";  // 300 bytes in Shift-JIS
  ASSERT_TRUE(store.WriteSetting("History", "SearchHistory(0)", ascii));
  ASSERT_TRUE(store.WriteSetting("History", "SearchHistory(1)", japanese));
  EXPECT_EQ(store.ReadSetting("History", "SearchHistory(0)"), ascii);
  EXPECT_EQ(store.ReadSetting("History", "SearchHistory(1)"), japanese);

  // A 250-character value put there by hand reads back whole as well.
  WriteBytes(ini(), "[S]\r\nk=" + std::string(250, 'z') + "\r\n");
  EXPECT_EQ(store.ReadSetting("S", "k"), std::string(250, 'z'));
}

TEST_F(SettingsStoreTest, TextsSurviveTheRoundTripExactly) {
  const std::string texts[] = {
      "\"tokyo tower\"",
      "'single'",
      " leading blank",
      "trailing blank ",
      "  ",
      "\"",
      "'",
      "\"\"",
      "a\"b\"",
      "\"half",
      "tab\t",
      "x=y",
      "[not a section]",
      ";not a comment",
      "東京 タワー",
      "",
      std::string(199, 'q') + " ",
      std::string(300, '"'),
  };
  int i = 0;
  for (const auto& text : texts) {
    const std::string key = IndexedKey("SearchHistory", i++);
    ASSERT_TRUE(store.WriteSetting("History", key, text));
    EXPECT_EQ(store.ReadSetting("History", key), text) << key;
  }
  // The quotes that protect a phrase query are the only addition to the field.
  EXPECT_NE(ReadBytes(ini()).find("SearchHistory(0)=\"\"tokyo tower\"\"" + std::string(185, ' ')),
            std::string::npos);
}

TEST_F(SettingsStoreTest, LineBreaksAndNulsNeverReachTheFile) {
  const std::string dropped("one\r\n[Velto]\r\nAlwaysTop=0\ntwo\rthree\0four", 40);
  ASSERT_TRUE(store.WriteSetting("Velto", "AlwaysTop", "1"));
  ASSERT_TRUE(store.WriteSetting("History", "SearchHistory(0)", dropped));
  EXPECT_EQ(store.ReadSetting("History", "SearchHistory(0)"),
            "one  [Velto]  AlwaysTop=0 two three four");
  EXPECT_EQ(store.ReadSetting("Velto", "AlwaysTop"), "1");
  EXPECT_EQ(Lines(ReadBytes(ini())).size(), 4u);
}

TEST_F(SettingsStoreTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  ASSERT_TRUE(store.WriteSetting("History", "SearchHistory(0)", "a한b"));
  EXPECT_EQ(store.ReadSetting("History", "SearchHistory(0)"), "a?b");
}

TEST_F(SettingsStoreTest, LoadSettingsOnAMissingFileLeavesTheEmptyModelAndCreatesNothing) {
  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(model, SettingsModel{});
  EXPECT_EQ(bar.position_changes, 0);
  EXPECT_FALSE(std::filesystem::exists(ini()));
}

TEST_F(SettingsStoreTest, LoadSettingsReadsEveryKeyIntoTheModel) {
  ASSERT_TRUE(store.WriteDefaults());
  FakeBar closing;
  closing.top = 2880;
  closing.left = -15.5f;
  closing.history = {"newest", "\"tokyo tower\"", "検索"};
  ASSERT_TRUE(store.SavePlacement(closing));
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchName(15)", "Own engine"));
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchEngn(19)", "http://example.org/?q="));
  // Keys the model does not load: slot 20, history entry 10, SearchSelect(5).
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchName(20)", "never"));
  ASSERT_TRUE(store.WriteSetting("History", "SearchHistory(10)", "never"));
  ASSERT_TRUE(store.WriteSetting("Velto", "SearchSelect(5)", "9"));

  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(bar.top, 2880);
  EXPECT_EQ(bar.left, -15.5f);
  EXPECT_TRUE(model.AlwaysTop.Equals(1));
  EXPECT_FALSE(model.AlwaysTop.IsNumber());  // kept as the text read
  EXPECT_TRUE(model.DefaultSearch.Equals(0));
  EXPECT_EQ(model.SearchSelect, (std::array<std::int16_t, 6>{0, 1, 2, 3, 0, 0}));
  for (int slot = 0; slot < 4; ++slot) {
    EXPECT_EQ(model.SearchName[model.SearchSelect[slot]], kFactoryEngines[slot].name);
  }
  EXPECT_EQ(model.SearchName[5], "フレッシュアイ");
  EXPECT_EQ(model.SearchHome[7], "http://www.tinami.com/TINAMI/");
  EXPECT_EQ(model.SearchEngn[3], "");  // Infoseek has no search prefix
  EXPECT_EQ(model.SearchName[15], "Own engine");
  EXPECT_EQ(model.SearchEngn[19], "http://example.org/?q=");
  EXPECT_EQ(model.SearchName[20], "");
  EXPECT_EQ(model.SearchHistory[0], "newest");
  EXPECT_EQ(model.SearchHistory[1], "\"tokyo tower\"");
  EXPECT_EQ(model.SearchHistory[2], "検索");
  EXPECT_EQ(model.SearchHistory[3], "");
  EXPECT_EQ(model.SearchHistory[10], "");
}

TEST_F(SettingsStoreTest, LoadSettingsSkipsOnlyTheConversionsThatFail) {
  struct Case {
    const char* stored;
    std::int16_t expected;
  };
  const Case cases[] = {{"abc", 7},   {"2.5", 2},     {"3.5", 4}, {"70000", 7}, {"", 7},
                        {" -3 ", -3}, {"32767.5", 7}, {"1e2", 7}, {"0x1", 7}};
  for (const auto& c : cases) {
    WriteBytes(ini(), std::string("[Velto]\r\nSearchSelect(2)=") + c.stored +
                          "\r\nSearchSelect(3)=1\r\nTop=\r\nLeft=1234.5\r\n");
    SettingsModel model;
    model.SearchSelect.fill(7);
    FakeBar bar;
    store.LoadSettings(model, bar);
    EXPECT_EQ(model.SearchSelect[2], c.expected) << '"' << c.stored << '"';
    EXPECT_EQ(model.SearchSelect[3], 1);
    EXPECT_EQ(model.SearchSelect[0], 7);  // missing key
    EXPECT_EQ(bar.top, 111);              // empty Top leaves the bar where it is
    EXPECT_EQ(bar.left, 1234.5f);
  }

  WriteBytes(ini(), "[Velto]\r\nTop=up\r\nLeft=1e40\r\nAlwaysTop=\r\n");
  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(bar.position_changes, 0);
  EXPECT_FALSE(model.AlwaysTop.Equals(0));
  EXPECT_FALSE(model.AlwaysTop.Equals(1));
}

TEST_F(SettingsStoreTest, SuggestionsAreOnOnlyForOneAndKeepTheirAddressesPerSlot) {
  const std::pair<const char*, bool> cases[] = {{"1", true},    {" 1 ", true},   {"0", false},
                                                {"", false},    {"2", false},    {"1.0", false},
                                                {"yes", false}, {nullptr, false}};
  for (const auto& [stored, on] : cases) {
    std::string file = "[SearchData]\r\nSuggestEngn(19)=http://s.example/?q=%s\r\n";
    if (stored) file += std::string("[Velto]\r\nSuggest=") + stored + "\r\n";
    WriteBytes(ini(), file);
    SettingsModel model;
    FakeBar bar;
    store.LoadSettings(model, bar);
    EXPECT_EQ(model.Suggest, on) << (stored ? stored : "missing");
    EXPECT_EQ(model.SuggestEngn[19], "http://s.example/?q=%s");
  }
  ASSERT_TRUE(store.WriteSuggestSwitch(true));
  ASSERT_TRUE(store.WriteSuggestAddress(3, "https://s.example/?q=%s&x=1"));
  EXPECT_EQ(store.ReadSetting("Velto", "Suggest"), "1");
  EXPECT_EQ(store.ReadSetting("SearchData", "SuggestEngn(3)"), "https://s.example/?q=%s&x=1");
}

TEST_F(SettingsStoreTest, PastSearchesAreOffOnlyForZero) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {" 0 ", false}, {"1", true},
                                                {"", true},   {"00", true},   {nullptr, true}};
  for (const auto& [stored, on] : cases) {
    WriteBytes(ini(), stored ? std::string("[Velto]\r\nHistorySuggest=") + stored + "\r\n" : "");
    SettingsModel model;
    FakeBar bar;
    store.LoadSettings(model, bar);
    EXPECT_EQ(model.HistorySuggest, on) << (stored ? stored : "missing");
  }
}

TEST_F(SettingsStoreTest, QueryEncodingIsReadPerSlotAndWrittenOnlyOnceSet) {
  const std::string before = "[SearchData]\r\nSearchName(2)=x\r\nSearchEncoding(19)=EUC-JP\r\n";
  WriteBytes(ini(), before);
  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(model.SearchEncoding[19], "EUC-JP");
  EXPECT_EQ(model.SearchSpace[19], "");
  // Nothing set and nothing stored: the file keeps exactly its bytes.
  ASSERT_TRUE(store.WriteQueryEncoding(2, "", ""));
  EXPECT_EQ(ReadBytes(ini()), before);
  ASSERT_TRUE(store.WriteQueryEncoding(2, "Shift_JIS", "+"));
  ASSERT_TRUE(store.WriteQueryEncoding(19, "", ""));  // stored ones are emptied, not dropped
  EXPECT_EQ(KeyOrder(ReadBytes(ini())),
            (std::vector<std::string>{"[SearchData]", "SearchName(2)", "SearchEncoding(19)",
                                      "SearchEncoding(2)", "SearchSpace(2)"}));
  store.LoadSettings(model, bar);
  EXPECT_EQ(model.SearchEncoding[2], "Shift_JIS");
  EXPECT_EQ(model.SearchSpace[2], "+");
  EXPECT_EQ(model.SearchEncoding[19], "");
  // Another engine in the slot (the factory defaults, the dialog) starts again from UTF-8.
  ASSERT_TRUE(store.WriteDefaults());
  EXPECT_EQ(store.FindSetting("SearchData", "SearchEncoding(2)"), "");
  EXPECT_EQ(store.FindSetting("SearchData", "SearchSpace(2)"), "");
}

TEST_F(SettingsStoreTest, BadFilesNeverCrashTheStore) {
  std::string junk;
  for (int i = 0; i < 65536; ++i) junk += static_cast<char>((i * 2654435761u) >> 24);
  const std::string files[] = {
      junk,
      std::string("[Velto]\0\r\nTop=1\0\r\n[History]\r\nSearchHistory(0)=a\0b\r\n", 48),
      "[History]\r\nSearchHistory(0)=\x81\r\nSearchHistory(1)=\xFF\xFE\x80\x83\r\n",
      "[History]\r\nSearchHistory(0)=" + std::string(1 << 20, 'x') + "\r\n",
      std::string(1 << 20, '\n'),
      "\xEF\xBB\xBF[Velto]\r\nTop=5\r\n",
  };
  for (const auto& bytes : files) {
    WriteBytes(ini(), bytes);
    SettingsModel model;
    FakeBar bar;
    store.LoadSettings(model, bar);
    ASSERT_TRUE(store.WriteSetting("Velto", "Left", "1"));
    EXPECT_EQ(store.ReadSetting("Velto", "Left"), "1");
  }
  // Invalid Shift-JIS comes back as replacement characters, never as broken UTF-8.
  WriteBytes(ini(), "[History]\r\nSearchHistory(0)=a\x81\r\n");
  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(model.SearchHistory[0].substr(0, 1), "a");
  EXPECT_GT(model.SearchHistory[0].size(), 1u);
  EXPECT_NE(model.SearchHistory[0], "a\x81");
}

TEST_F(SettingsStoreTest, SaveOptionsWritesSevenKeysAsNumbersOrTexts) {
  SettingsModel model;
  model.AlwaysTop = NumberOrText::Number(0);
  model.DefaultSearch = NumberOrText::Text("1.0");
  model.SearchSelect = {4, 3, 2, 1, 19, 99};
  ASSERT_TRUE(store.SaveOptions(model));
  EXPECT_EQ(KeyOrder(ReadBytes(ini())),
            (std::vector<std::string>{"[Velto]", "AlwaysTop", "DefaultSearch", "SearchSelect(0)",
                                      "SearchSelect(1)", "SearchSelect(2)", "SearchSelect(3)",
                                      "SearchSelect(4)"}));
  EXPECT_EQ(store.ReadSetting("Velto", "AlwaysTop"), "0");
  EXPECT_EQ(store.ReadSetting("Velto", "DefaultSearch"), "1.0");
  EXPECT_EQ(store.ReadSetting("Velto", "SearchSelect(4)"), "19");
}

TEST_F(SettingsStoreTest, SavePlacementWritesPositionAndAllTenHistoryKeys) {
  FakeBar bar;
  bar.history = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"};
  ASSERT_TRUE(store.SavePlacement(bar));
  bar.top = 2880;
  bar.left = 123.4567f;
  bar.history = {"x", "y", "z"};
  ASSERT_TRUE(store.SavePlacement(bar));

  EXPECT_EQ(store.ReadSetting("Velto", "Top"), "2880");
  EXPECT_EQ(store.ReadSetting("Velto", "Left"), "123.4567");
  const char* expected[] = {"x", "y", "z", "", "", "", "", "", "", ""};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(store.ReadSetting("History", IndexedKey("SearchHistory", i)), expected[i]);
  }
  const auto lines = Lines(ReadBytes(ini()));
  EXPECT_EQ(lines.size(), 14u);  // two headers, Top, Left and the ten history keys
  EXPECT_EQ(ReadBytes(ini()).find("SearchHistory(10)"), std::string::npos);
  for (const auto& line : lines) {
    if (line[0] != '[') EXPECT_EQ(line.size() - line.find('=') - 1, 200u) << line;
  }
}

TEST_F(SettingsStoreTest, EveryRoutineRewritesTheFileOnceKeepingOtherLinesByteForByte) {
  FakeBar bar;
  bar.history = {"a", "b"};
  SettingsModel model;
  model.SearchSelect = {4, 3, 2, 1, 19, 99};
  struct Case {
    const char* routine;
    std::function<bool()> run;
    const char* key;  // one key it stores, with its value
    const char* value;
  };
  const Case cases[] = {
      {"SaveOptions", [&] { return store.SaveOptions(model); }, "SearchSelect(4)", "19"},
      {"SaveOptions with Suggest", [&] { return store.SaveOptions(model, true); }, "Suggest", "1"},
      {"SavePlacement", [&] { return store.SavePlacement(bar); }, "Top", "111"},
      {"WriteDefaults", [&] { return store.WriteDefaults(); }, "SearchSelect(0)", "0"},
      {"WriteStarterSettings", [&] { return store.WriteStarterSettings(); }, "Suggest", "0"},
      {"WriteEngineSlot",
       [&] { return store.WriteEngineSlot(3, "n", "http://h/", "http://e/", "k"); }, "", ""},
  };
  const std::string foreign = "; kept\r\n[Velto]\r\nOther =  x \r\n[Mine]\r\nA=1\n";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.routine);
    WriteBytes(ini(), foreign);
    RewriteCounter rewrites(ini());
    if (!rewrites.available()) GTEST_SKIP() << "the system reports no rewrites to the test";
    ASSERT_TRUE(c.run());
    EXPECT_EQ(rewrites.Count(), 1);
    if (*c.key != '\0') EXPECT_EQ(store.ReadSetting("Velto", c.key), c.value);
    const std::string bytes = ReadBytes(ini());
    EXPECT_EQ(bytes.rfind("; kept\r\n[Velto]\r\nOther =  x \r\n", 0), 0u) << bytes;
    EXPECT_NE(bytes.find("[Mine]\r\nA=1\n"), std::string::npos) << bytes;
  }
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchKey(3)"), "k");
}

TEST_F(SettingsStoreTest, WriteDefaultsWritesThirtySevenKeysInOrderOnAMissingFile) {
  ASSERT_TRUE(store.WriteDefaults());
  std::vector<std::string> expected = {"[Velto]", "AlwaysTop", "DefaultSearch"};
  for (int i = 0; i < 5; ++i) expected.push_back(IndexedKey("SearchSelect", i));
  expected.push_back("[SearchData]");
  for (int i = 0; i < 10; ++i) {
    for (const char* name : {"SearchName", "SearchHome", "SearchEngn"}) {
      expected.push_back(IndexedKey(name, i));
    }
  }
  EXPECT_EQ(KeyOrder(ReadBytes(ini())), expected);
  EXPECT_EQ(store.ReadSetting("Velto", "SearchSelect(4)"), "0");
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchEngn(0)"),
            "http://search.yahoo.co.jp/bin/search?p=");
  EXPECT_EQ(store.ReadSetting("SearchData", "SearchName(9)"), "");
}

TEST_F(SettingsStoreTest, WriteDefaultsKeepsPositionHistoryAndUpperSlotsAndIsIdempotent) {
  FakeBar closing;
  closing.top = 300;
  closing.left = 400;
  closing.history = {"kept"};
  ASSERT_TRUE(store.SavePlacement(closing));
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchName(12)", "slot twelve"));
  ASSERT_TRUE(store.WriteSetting("SearchData", "SearchName(0)", "changed"));
  ASSERT_TRUE(store.WriteSetting("Velto", "AlwaysTop", "0"));

  ASSERT_TRUE(store.WriteDefaults());
  const std::string once = ReadBytes(ini());
  ASSERT_TRUE(store.WriteDefaults());
  EXPECT_EQ(ReadBytes(ini()), once);

  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(bar.top, 300);
  EXPECT_EQ(bar.left, 400);
  EXPECT_EQ(model.SearchHistory[0], "kept");
  EXPECT_EQ(model.SearchName[12], "slot twelve");
  EXPECT_EQ(model.SearchName[0], "Yahoo!");
  EXPECT_TRUE(model.AlwaysTop.Equals(1));
}

TEST_F(SettingsStoreTest, WritesReportFailureAndLoadingToleratesUnusableFiles) {
  std::filesystem::create_directory(ini());  // a folder named velto.ini
  SettingsModel model;
  FakeBar bar;
  store.LoadSettings(model, bar);
  EXPECT_EQ(model, SettingsModel{});
  EXPECT_FALSE(store.WriteSetting("Velto", "Top", "1"));
  EXPECT_FALSE(store.SaveOptions(model));
  EXPECT_FALSE(store.SavePlacement(bar));
  EXPECT_FALSE(store.WriteDefaults());
  EXPECT_EQ(store.ReadSetting("Velto", "Top"), "");

  const SettingsStore lost(folder / "missing", folder.disk());
  EXPECT_FALSE(lost.WriteDefaults());
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));

  TempFolder other;
  const SettingsStore read_only(other.path(), other.disk());
  ASSERT_TRUE(read_only.WriteSetting("Velto", "Top", "1"));
  const std::string before = ReadBytes(read_only.SettingsPath());
  std::filesystem::permissions(read_only.SettingsPath(),
                               std::filesystem::perms::owner_write |
                                   std::filesystem::perms::group_write |
                                   std::filesystem::perms::others_write,
                               std::filesystem::perm_options::remove);
  EXPECT_FALSE(read_only.WriteDefaults());
  EXPECT_EQ(ReadBytes(read_only.SettingsPath()), before);
  EXPECT_EQ(read_only.ReadSetting("Velto", "Top"), "1");
}

}  // namespace
}  // namespace velto
