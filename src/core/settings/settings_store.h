#pragma once
// The settings routines over velto.ini in the program folder. Every routine forms the file's
// path anew and opens, reads or writes and closes the file itself; nothing stays open. A routine
// that stores several keys gathers them and rewrites the file once.
// Text crosses into the file in the ANSI code page; the core's text is UTF-8.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "ports/disk.h"
#include "settings/engine_import.h"
#include "settings/file_path.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"
#include "settings/settings_model.h"

namespace velto {

inline constexpr std::string_view kSettingsFileName = "velto.ini";
inline constexpr int kSettingFieldWidth = 200;

// What the store needs of the search bar: its position in twips and its history list.
class PlacementTarget {
 public:
  virtual ~PlacementTarget() = default;
  virtual float Top() const = 0;
  virtual float Left() const = 0;
  virtual void SetTop(float twips) = 0;
  virtual void SetLeft(float twips) = 0;
  // Item i of the history list; the empty text for a position the list does not have.
  virtual std::string HistoryItem(int index) const = 0;
};

class SettingsStore {
 public:
  // The disk's file system and codec stay the caller's; they must outlive the store.
  SettingsStore(FilePath program_folder, Disk disk)
      : folder_(std::move(program_folder)), disk_(disk) {}

  const FilePath& folder() const { return folder_; }
  // The disk the store reads and writes, for code that checks text before it is stored.
  Disk disk() const { return disk_; }
  FilePath SettingsPath() const { return folder_ / FilePathFromUtf8(kSettingsFileName); }

  // The whole stored value, blanks around it dropped; empty when missing.
  std::string ReadSetting(std::string_view section, std::string_view key) const;
  // The same, or nullopt when the file has no such key (a missing file has none).
  std::optional<std::string> FindSetting(std::string_view section, std::string_view key) const;
  // Pads the text with blanks to 200 characters (never cuts a longer one), quotes it where
  // reading would otherwise change it, and turns CR, LF and NUL into blanks.
  // The program ignores the result; the command-line tool reports a false one.
  bool WriteSetting(std::string_view section, std::string_view key, std::string_view text) const;

  // Fills the model (120 reads) and moves the search bar to the stored position. False when
  // something stands at the settings file's path that cannot be read (no permission, a folder
  // of its name): the model is then filled as for a missing file. A missing file reads as empty.
  bool LoadSettings(SettingsModel& model, PlacementTarget& bar) const;
  // Whether LoadSettings would find the file unreadable now.
  bool SettingsFileUnreadable() const;
  // AlwaysTop, DefaultSearch, SearchSelect(0..4), Suggest when given, and the query encoding
  // of encoding_slot when given (as WriteQueryEncoding writes it), in one rewrite. True when
  // the write succeeded.
  bool SaveOptions(const SettingsModel& model, std::optional<bool> suggest = std::nullopt,
                   std::optional<int> encoding_slot = std::nullopt) const;
  // Top, Left and SearchHistory(0..9) from the search bar.
  bool SavePlacement(const PlacementTarget& bar) const;
  // The factory defaults (37 writes); keys it does not write keep their values.
  bool WriteDefaults() const;
  // The starter settings in the same way: options (suggestions off), buttons and the starter
  // engines with their suggestion addresses from slot 0; position, history and later slots keep
  // their values.
  bool WriteStarterSettings() const;
  // One engine slot's keys, in the order name, home page, search prefix, keyword; the addresses
  // in their storable form (storable_text.h). The keyword is written only when it is not empty
  // or the file has one for the slot, so a file without keywords keeps exactly its former keys.
  bool WriteEngineSlot(int slot, std::string_view name, std::string_view home,
                       std::string_view engine, std::string_view keyword = {}) const;
  // SearchEncoding(slot) and SearchSpace(slot) in one rewrite, each only when it is not empty
  // or the file has it, so a file without them keeps exactly its keys.
  bool WriteQueryEncoding(int slot, std::string_view encoding, std::string_view space) const;
  // Imported engines, each into its slot with its suggestion address and character set, in one
  // rewrite: all of them or, on a failure, none.
  bool WriteImportedEngines(std::span<const ImportedEngine> engines) const;
  // Suggest: "1" for on, "0" for off.
  bool WriteSuggestSwitch(bool on) const;
  // SuggestEngn(slot), an engine's suggestion address.
  bool WriteSuggestAddress(int slot, std::string_view address) const;

 private:
  struct SettingsSet;
  struct Changes;
  void AddSettingsSet(Changes& changes, const SettingsSet& set) const;
  void AddEngineSlot(Changes& changes, int slot, std::string_view name, std::string_view home,
                     std::string_view engine, std::string_view keyword) const;
  void AddQueryEncoding(Changes& changes, int slot, std::string_view encoding,
                        std::string_view space) const;
  bool Write(const Changes& changes) const;

  FilePath folder_;
  Disk disk_;
};

}  // namespace velto
