// The reader of suggestion answers over arbitrary bytes: the first line is the query asked, the
// rest the answer's body, as a server (or anyone between it and us) may send it.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "main/suggestion_answer.h"
#include "settings/unicode_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using velto::fuzz::Check;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t line_end = bytes.find('\n');
  const std::string_view query =
      line_end == std::string_view::npos ? bytes : bytes.substr(0, line_end);
  const std::string_view body =
      line_end == std::string_view::npos ? std::string_view{} : bytes.substr(line_end + 1);

  const auto answer = velto::ReadSuggestionAnswer(body, query);
  if (!answer) return 0;
  Check(answer->size() <= static_cast<std::size_t>(velto::kMaxSuggestions), "at most ten");
  for (const std::string& text : *answer) {
    Check(!text.empty(), "no empty suggestion", text);
    Check(velto::IsValidUtf8(text), "suggestions are valid UTF-8", text);
    Check(velto::CountCharacters(text) <= static_cast<std::size_t>(velto::kMaxSuggestionCharacters),
          "suggestions are cut", text);
    for (const char c : text)
      Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "no control characters", text);
  }
  return 0;
}
