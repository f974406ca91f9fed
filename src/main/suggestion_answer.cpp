#include "main/suggestion_answer.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "main/suggestion_ports.h"

namespace velto {
namespace {

// The length of the UTF-8 sequence that begins with lead (the parser has already checked the
// text is valid UTF-8).
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  return 2;
}

// C0, DEL and the C1 controls (U+0080..U+009F, C2 80..C2 9F in UTF-8).
bool IsControl(std::string_view character) {
  const auto lead = static_cast<unsigned char>(character[0]);
  if (lead < 0x20 || lead == 0x7F) return true;
  return lead == 0xC2 && character.size() == 2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

std::string Clean(std::string_view text) {
  std::string out;
  int characters = 0;
  for (std::size_t i = 0; i < text.size() && characters < kMaxSuggestionCharacters;) {
    const std::size_t length =
        std::min(SequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
    const std::string_view character = text.substr(i, length);
    i += length;
    if (IsControl(character)) continue;
    out.append(character);
    ++characters;
  }
  return out;
}

}  // namespace

std::optional<std::vector<std::string>> ReadSuggestionAnswer(std::string_view body,
                                                             std::string_view query) {
  if (body.size() > kMaxSuggestionBody) return std::nullopt;
  // No exceptions: a malformed body is a discarded value.
  const nlohmann::json answer = nlohmann::json::parse(body, nullptr, false);
  if (!answer.is_array() || answer.size() < 2) return std::nullopt;
  const nlohmann::json& echo = answer[0];
  if (!echo.is_string() || echo.get_ref<const std::string&>() != query) return std::nullopt;
  const nlohmann::json& completions = answer[1];
  if (!completions.is_array()) return std::nullopt;
  std::vector<std::string> out;
  for (const nlohmann::json& item : completions) {
    if (static_cast<int>(out.size()) == kMaxSuggestions) break;
    if (!item.is_string()) continue;
    std::string text = Clean(item.get_ref<const std::string&>());
    if (text.empty() || std::find(out.begin(), out.end(), text) != out.end()) continue;
    out.push_back(std::move(text));
  }
  return out;
}

}  // namespace velto
