#pragma once
// Engine keywords: a searched text that begins with an engine's keyword and a blank goes to that
// engine with the rest. "w 東京" searches the engine whose SearchKey is "w" for "東京".
#include <optional>
#include <string>
#include <string_view>

#include "ports/text_codec.h"
#include "settings/settings_model.h"

namespace velto {

struct KeywordMatch {
  int slot = 0;      // the engine slot whose keyword begins the text
  std::string rest;  // the text after the keyword and its one blank; may be empty
};

// The engine a text names by its keyword. The keyword must be followed by an ASCII space or the
// full-width space U+3000 (what a Japanese input method types); letters compare without regard
// to case, and full-width Latin letters and digits ("Ｗ", "ｗ", "１") as their ASCII forms. A text
// that is only a keyword is no match. Where a hand-edited file gives two slots the same keyword,
// the lower slot wins.
std::optional<KeywordMatch> MatchEngineKeyword(const SettingsModel& model, std::string_view text);

// Whether a keyword is well formed: empty (no keyword), or one word without blanks or control
// characters.
bool IsValidEngineKeyword(std::string_view keyword);

// Why a keyword cannot be stored for an engine slot: the one rule the settings dialog and the
// command-line tool both keep, so that every stored keyword is one the bar can use.
struct KeywordRefusal {
  enum class Reason {
    NotOneWord,  // blanks (around it too), control characters
    Unstorable,  // a character the settings file's code page lacks
    InUse,       // another engine has it
  };
  Reason reason = Reason::NotOneWord;
  char32_t character = 0;  // Unstorable: the first such character
  int owner = 0;           // InUse: the lowest other slot with the keyword

  bool operator==(const KeywordRefusal&) const = default;
};

// Why keyword, exactly as given (blanks around it included), cannot go into slot; nullopt when
// it can. The empty keyword (none) always can.
std::optional<KeywordRefusal> RefuseEngineKeyword(const TextCodec& codec,
                                                  const SettingsModel& model, int slot,
                                                  std::string_view keyword);

// The lowest editable slot other than except whose keyword is the same word, compared as
// MatchEngineKeyword compares (so "Ｗ" and "w" are one keyword); nullopt for the empty keyword.
// Editors refuse such a duplicate.
std::optional<int> SlotWithKeyword(const SettingsModel& model, std::string_view keyword,
                                   int except);

}  // namespace velto
