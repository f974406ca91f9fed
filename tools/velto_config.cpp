#include "velto_config.h"

#include <charconv>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>
#include <string_view>

#include "main/engine_keyword.h"
#include "main/program_info.h"
#include "settings/ascii_text.h"
#include "settings/profile_file.h"
#include "settings/query_encoding.h"
#include "settings/settings_keys.h"
#include "settings/settings_store.h"
#include "settings/starter_file.h"
#include "settings/storable_text.h"
#include "velto_config_import.h"

namespace velto {
namespace {

constexpr std::string_view kUsage =
    "usage: velto-config [--dir FOLDER] show\n"
    "       velto-config [--dir FOLDER] get SECTION KEY\n"
    "       velto-config [--dir FOLDER] set SECTION KEY VALUE\n"
    "       velto-config [--dir FOLDER] defaults\n"
    "       velto-config [--dir FOLDER] starter\n"
    "       velto-config [--dir FOLDER] import [--dry-run] firefox|chromium|FILE.xml\n"
    "       velto-config --help | --version\n";

constexpr std::string_view kHelp =
    "Reads and writes the search bar's settings file, velto.ini, with the program's own rules.\n"
    "\n"
    "  show                    print the settings the search bar loads at start-up, as one JSON\n"
    "                          object (Top and Left are null when the stored text is no number)\n"
    "  get SECTION KEY         print one stored value, blanks around it dropped (empty if "
    "missing)\n"
    "  set SECTION KEY VALUE   store VALUE as a 200-character blank-padded field; an engine\n"
    "                          keyword (SearchData SearchKey(N)) must be one word without\n"
    "                          blanks that no other engine has (letters in any case); an\n"
    "                          engine's character set (SearchEncoding(N)) is UTF-8, Shift_JIS\n"
    "                          or EUC-JP, its blank (SearchSpace(N)) %20 or +\n"
    "  defaults                write the factory defaults (options, buttons, engine slots 0-9);\n"
    "                          position, history and engine slots 10-19 are kept\n"
    "  starter                 write the starter settings (options, buttons, today's engines as\n"
    "                          query templates in slots 0-11); position, history and engine\n"
    "                          slots 12-19 are kept\n"
    "  import [--dry-run] firefox|chromium [PROFILES]\n"
    "                          add the engines of every profile of Firefox, or of the Chromium\n"
    "                          family (Chrome, Chromium, Edge, Brave, Vivaldi), to the free\n"
    "                          slots; PROFILES is a browser's folder of profiles, or one\n"
    "                          profile's folder, instead of the usual ones\n"
    "  import [--dry-run] FILE.xml\n"
    "                          add the engine of an OpenSearch description file; import\n"
    "                          never changes a slot that holds an engine and prints one line\n"
    "                          per engine added or skipped (with the reason); --dry-run\n"
    "                          prints the same and writes nothing\n"
    "\n"
    "  --dir FOLDER            the folder that holds velto.ini; by default the one where the\n"
    "                          search bar keeps its settings: the folder of this program or,\n"
    "                          for an installed Linux program, $XDG_CONFIG_HOME/velto\n"
    "                          (~/.config/velto), made with the starter settings on first use\n"
    "  --help                  show this text\n"
    "  --version               print the version\n"
    "\n"
    "Arguments and output are UTF-8; the file itself is in Shift-JIS (code page 932).\n"
    "Addresses (SearchHome, SearchEngn) keep characters Shift-JIS lacks as UTF-8 percent\n"
    "escapes (%C3%A9 for e with acute); set refuses any other such value.\n"
    "Exit status: 0 done; 1 the file could not be read or written, or the value cannot be\n"
    "stored exactly, or the engines' source could not be read (message on stderr); 2 wrong\n"
    "usage.\n";

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path PathFromUtf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

bool HasLineBreak(std::string_view s) {
  return s.find_first_of("\r\n") != std::string_view::npos;
}

// Names the file could not hold faithfully: they would read back as another section or key.
std::optional<std::string> BadName(std::string_view section, std::string_view key) {
  const auto s = TrimBlanks(section);
  const auto k = TrimBlanks(key);
  if (s.empty() || s.find(']') != std::string_view::npos || HasLineBreak(section)) {
    return "a section name must not be empty or hold \"]\" or a line break";
  }
  if (k.empty() || k.find('=') != std::string_view::npos || k.front() == ';' || k.front() == '[' ||
      HasLineBreak(key)) {
    return "a key must not be empty, hold \"=\" or a line break, or begin with \";\" or \"[\"";
  }
  return std::nullopt;
}

// Why the settings file cannot be used, in one line.
std::string Diagnose(const SettingsStore& store, bool writing) {
  std::error_code ec;
  const auto path = store.SettingsPath();
  if (!std::filesystem::is_directory(store.folder(), ec)) {
    return std::filesystem::exists(store.folder(), ec)
               ? Utf8(store.folder()) + " is not a folder"
               : "folder not found: " + Utf8(store.folder());
  }
  const auto status = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(status)) {
    return Utf8(path) + " is a folder, not a settings file";
  }
  if (writing && std::filesystem::exists(status)) {
    using std::filesystem::perms;
    const auto write_bits = perms::owner_write | perms::group_write | perms::others_write;
    if ((status.permissions() & write_bits) == perms::none) return Utf8(path) + " is read-only";
  }
  return (writing ? "cannot write " : "cannot read ") + Utf8(path);
}

// LoadSettings' view of the search bar: records the position it would be moved to.
class RecordedPlacement : public PlacementTarget {
 public:
  std::optional<float> top, left;
  float Top() const override { return top.value_or(0); }
  float Left() const override { return left.value_or(0); }
  void SetTop(float twips) override { top = twips; }
  void SetLeft(float twips) override { left = twips; }
  std::string HistoryItem(int) const override { return {}; }
};

// A single-precision position as the shortest decimal that reads back as the same value.
nlohmann::ordered_json Position(std::optional<float> value) {
  if (!value) return nullptr;
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, *value).ptr;
  double shortest = 0;
  std::from_chars(buffer, end, shortest);
  // Whole positions print as integers ("2880", not "2880.0").
  if (shortest == static_cast<double>(static_cast<long long>(shortest)) &&
      std::abs(shortest) < 1e15) {
    return static_cast<long long>(shortest);
  }
  return shortest;
}

nlohmann::ordered_json ShowModel(const SettingsStore& store) {
  SettingsModel model;
  RecordedPlacement bar;
  store.LoadSettings(model, bar);
  nlohmann::ordered_json json;
  // The fields are named as the keys they come from.
  const auto field = [&json](std::string_view key) -> nlohmann::ordered_json& {
    return json[std::string(key)];
  };
  field(kTopKey) = Position(bar.top);
  field(kLeftKey) = Position(bar.left);
  field(kAlwaysTopKey) = model.AlwaysTop.ToText();
  field(kDefaultSearchKey) = model.DefaultSearch.ToText();
  field(kBrowserKey) = model.Browser;
  field(kSuggestKey) = model.Suggest;
  field(kHistorySuggestKey) = model.HistorySuggest;
  auto& selections = field(kSearchSelectKey) = nlohmann::ordered_json::array();
  for (int i = 0; i < kUsedButtonSelections; ++i) selections.push_back(model.SearchSelect[i]);
  const auto texts = [](const auto& items, int count) {
    auto array = nlohmann::ordered_json::array();
    for (int i = 0; i < count; ++i) array.push_back(items[i]);
    return array;
  };
  field(kSearchNameKey) = texts(model.SearchName, kEditableEngineSlots);
  field(kSearchHomeKey) = texts(model.SearchHome, kEditableEngineSlots);
  field(kSearchEngnKey) = texts(model.SearchEngn, kEditableEngineSlots);
  field(kSearchKeyKey) = texts(model.SearchKey, kEditableEngineSlots);
  field(kSearchBrowserKey) = texts(model.SearchBrowser, kEditableEngineSlots);
  field(kSuggestEngnKey) = texts(model.SuggestEngn, kEditableEngineSlots);
  field(kSearchEncodingKey) = texts(model.SearchEncoding, kEditableEngineSlots);
  field(kSearchSpaceKey) = texts(model.SearchSpace, kEditableEngineSlots);
  field(kSearchHistoryKey) = texts(model.SearchHistory, kStoredHistory);
  return json;
}

// Why a keyword cannot go into the slot, or nullopt when it can: the dialog's rule.
std::optional<std::string> BadKeyword(const SettingsStore& store, int slot,
                                      std::string_view keyword) {
  SettingsModel model;
  RecordedPlacement bar;
  store.LoadSettings(model, bar);
  const auto refusal = RefuseEngineKeyword(store.disk().codec(), model, slot, keyword);
  if (!refusal) return std::nullopt;
  switch (refusal->reason) {
    case KeywordRefusal::Reason::NotOneWord:
      return "a keyword must be one word without blanks or control characters";
    case KeywordRefusal::Reason::Unstorable:
      return "a keyword must not hold " + CharacterCode(refusal->character) +
             " (the code page of velto.ini lacks it)";
    case KeywordRefusal::Reason::InUse:
      return "keyword \"" + std::string(keyword) + "\" is already used by engine " +
             std::to_string(refusal->owner) + " (" +
             model.SearchName[static_cast<std::size_t>(refusal->owner)] + ")";
  }
  return std::nullopt;
}

// Why the value cannot be stored under the key, as the search bar could not use it: an index the
// bar never reads, or a keyword it would refuse.
std::optional<std::string> RefusedSetting(const SettingsStore& store, std::string_view section,
                                          std::string_view key, std::string_view value) {
  const auto indexed = ReadIndexedKey(section, key);
  if (!indexed) return std::nullopt;
  if (!indexed->index) {
    return std::string(TrimBlanks(key)) + ": the index of " + std::string(indexed->name) +
           " runs from 0 to " + std::to_string(indexed->count - 1);
  }
  if (indexed->name == kSearchKeyKey) return BadKeyword(store, *indexed->index, value);
  const std::string named =
      std::string(indexed->name) + "(" + std::to_string(*indexed->index) + ") must be ";
  if (indexed->name == kSearchEncodingKey && !ReadEncodingName(value))
    return named + "empty, UTF-8, Shift_JIS or EUC-JP, not \"" + std::string(value) + "\"";
  if (indexed->name == kSearchSpaceKey && !ReadBlankName(value))
    return named + "empty, %20 or +, not \"" + std::string(value) + "\"";
  return std::nullopt;
}

int UsageError(std::ostream& err, std::string_view message) {
  err << "velto-config: " << message << "\n" << kUsage;
  return 2;
}

// A value or key the tool will not store: the reason alone, status 2.
int Refusal(std::ostream& err, std::string_view message) {
  err << "velto-config: " << message << "\n";
  return 2;
}

int Failure(std::ostream& err, const std::string& message) {
  err << "velto-config: " << message << "\n";
  return 1;
}

}  // namespace

int RunVeltoConfig(const std::vector<std::string>& args, Disk disk,
                   const std::filesystem::path& default_folder, std::ostream& out,
                   std::ostream& err, const BrowserFolders& browsers) {
  return RunVeltoConfig(
      args, disk, [&default_folder] { return default_folder; }, out, err, browsers);
}

int RunVeltoConfig(const std::vector<std::string>& args, Disk disk,
                   const std::function<std::filesystem::path()>& default_folder, std::ostream& out,
                   std::ostream& err, const BrowserFolders& browsers) {
  std::optional<std::filesystem::path> given;
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (words.empty() && (arg == "--help" || arg == "-h")) {
      out << kUsage << "\n" << kHelp;
      return 0;
    }
    if (words.empty() && arg == "--version") {
      out << VersionText("velto-config");
      return 0;
    }
    if (words.empty() && arg == "--dir") {
      if (++i == args.size()) return UsageError(err, "--dir needs a FOLDER");
      given = PathFromUtf8(args[i]);
    } else if (words.empty() && arg.starts_with("--dir=")) {
      given = PathFromUtf8(arg.substr(6));
    } else if (words.empty() && arg == "--") {
      words.insert(words.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      break;
    } else if (words.empty() && arg.starts_with("-") && arg.size() > 1) {
      return UsageError(err, "unknown option " + std::string(arg));
    } else {
      words.push_back(arg);
    }
  }
  if (words.empty()) return UsageError(err, "no command given");
  const std::filesystem::path folder = given ? *given : default_folder();
  if (folder.empty()) return UsageError(err, "FOLDER must not be empty");

  const SettingsStore store(folder, disk);
  // The settings the search bar would start from: a fresh folder's starter file first.
  AdoptStarterFile(disk.files(), folder);
  const std::string_view command = words[0];
  const auto expect_args = [&](std::size_t count) { return words.size() == count + 1; };

  if (command == "show" || command == "get") {
    if (command == "show" ? !expect_args(0) : !expect_args(2)) {
      return UsageError(err, std::string(command) + ": wrong number of arguments");
    }
    // The program reads an unusable file as empty; the tool says so instead.
    if (!ProfileFile(store.SettingsPath(), disk.files()).Load())
      return Failure(err, Diagnose(store, false));
    if (command == "show") {
      out << ShowModel(store).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
      out << store.ReadSetting(words[1], words[2]) << "\n";
    }
    return 0;
  }
  if (command == "set") {
    if (!expect_args(3)) return UsageError(err, "set: wrong number of arguments");
    if (auto bad = BadName(words[1], words[2])) return UsageError(err, *bad);
    if (auto refused = RefusedSetting(store, words[1], words[2], words[3]))
      return Refusal(err, *refused);
    // Addresses keep what the code page lacks as percent escapes; any other text the file would
    // change is refused rather than stored as "?".
    const std::string value = IsAddressSetting(words[1], words[2])
                                  ? StorableAddress(disk.codec(), words[3])
                                  : std::string(words[3]);
    for (const std::string_view text : {words[1], words[2], std::string_view(value)}) {
      if (const auto character = FirstUnstorableCharacter(disk.codec(), text)) {
        return Failure(err, CharacterCode(*character) +
                                " cannot be stored in velto.ini (its code page lacks it); "
                                "nothing was written");
      }
    }
    if (!store.WriteSetting(words[1], words[2], value)) {
      return Failure(err, Diagnose(store, true));
    }
    return 0;
  }
  if (command == "defaults" || command == "starter") {
    if (!expect_args(0))
      return UsageError(err, std::string(command) + ": wrong number of arguments");
    const bool written =
        command == "defaults" ? store.WriteDefaults() : store.WriteStarterSettings();
    if (!written) return Failure(err, Diagnose(store, true));
    return 0;
  }
  if (command == "import") {
    return RunImport(std::span(words).subspan(1), store, browsers, out, err);
  }
  return UsageError(err, "unknown command " + std::string(command));
}

}  // namespace velto
