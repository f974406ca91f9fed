#pragma once
// Reading an answer in the OpenSearch suggestions form: [query, [completion, ...], ...]. The
// answer comes from the network and is trusted in nothing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velto {

inline constexpr int kMaxSuggestions = 10;
inline constexpr int kMaxSuggestionCharacters = 200;

// The completions of an answer to query: at most kMaxSuggestions texts, each cut to
// kMaxSuggestionCharacters characters with control, format (Cf) and line and paragraph
// separator characters dropped; texts left empty and repeats are left out. nullopt when the body is
// not such an answer, is too long, or answers another query.
std::optional<std::vector<std::string>> ReadSuggestionAnswer(std::string_view body,
                                                             std::string_view query);

}  // namespace velto
