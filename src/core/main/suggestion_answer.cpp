#include "main/suggestion_answer.h"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

#include "ports/suggestion_ports.h"
#include "settings/unicode_text.h"

namespace velto {
namespace {

// Ranges of code points, first and last, sorted.
struct CodeRange {
  char32_t first;
  char32_t last;
};

// The format characters (category Cf: bidirectional embeddings, overrides and isolates,
// zero-width characters, the byte-order mark, tags, ...) and the line and paragraph separators
// (Zl, Zp). The list draws them differently on each toolkit, or not at all, and a search would
// send them along unseen: an override shows "abc\u202Eabc" reversed, a separator breaks one
// entry over two rows.
constexpr CodeRange kInvisibleRanges[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},
    {0x070F, 0x070F},   {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},
    {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x2064},   {0x2066, 0x206F},
    {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD}, {0x110CD, 0x110CD},
    {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

// C0, DEL and the C1 controls, and the characters above.
bool IsDropped(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return true;
  const auto* range =
      std::upper_bound(std::begin(kInvisibleRanges), std::end(kInvisibleRanges), c,
                       [](char32_t value, const CodeRange& r) { return value < r.first; });
  return range != std::begin(kInvisibleRanges) && c <= std::prev(range)->last;
}

std::string Clean(std::string_view text) {
  std::string out;
  int characters = 0;
  for (std::size_t i = 0; i < text.size() && characters < kMaxSuggestionCharacters;) {
    const std::size_t start = i;
    // The parser has checked the text is valid UTF-8.
    const std::optional<char32_t> c = NextCharacter(text, i);
    if (!c || IsDropped(*c)) continue;
    out.append(text.substr(start, i - start));
    ++characters;
  }
  return out;
}

// Reads the answer as the parser walks it, keeping only the echo and the completions: no
// document is built, and nothing past the second element is looked at beyond its syntax.
class AnswerReader final : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit AnswerReader(std::string_view query) : query_(query) {}

  // Whether the body was an array whose first element echoes the query and whose second is an
  // array.
  bool Answered() const { return echoed_ && completions_seen_ && depth_ == 0; }
  std::vector<std::string>& Completions() { return completions_; }

  bool null() override { return Value(); }
  bool boolean(bool) override { return Value(); }
  bool number_integer(number_integer_t) override { return Value(); }
  bool number_unsigned(number_unsigned_t) override { return Value(); }
  bool number_float(number_float_t, const string_t&) override { return Value(); }
  bool binary(binary_t&) override { return Value(); }
  bool string(string_t& text) override {
    if (depth_ == 1 && element_ == 0) echoed_ = text == query_;
    if (depth_ == 2 && element_ == 1) Complete(text);
    return Value();
  }
  bool start_object(std::size_t) override { return Open(false); }
  bool key(string_t&) override { return true; }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t) override { return Open(true); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
    return false;
  }

 private:
  // A scalar or a finished container: at the top level it moves on to the next element.
  bool Value() {
    if (depth_ == 1) ++element_;
    return depth_ > 0;  // a bare scalar is no answer
  }
  bool Open(bool array) {
    if (depth_ == 0 && !array) return false;
    if (depth_ == 1 && element_ == 0) return false;  // the echo must be a text
    if (depth_ == 1 && element_ == 1) completions_seen_ = array;
    ++depth_;
    return true;
  }
  bool Close() {
    --depth_;
    if (depth_ == 1) ++element_;
    return true;
  }
  void Complete(std::string_view text) {
    if (static_cast<int>(completions_.size()) == kMaxSuggestions) return;
    std::string clean = Clean(text);
    if (clean.empty() ||
        std::find(completions_.begin(), completions_.end(), clean) != completions_.end())
      return;
    completions_.push_back(std::move(clean));
  }

  std::string_view query_;
  int depth_ = 0;
  int element_ = 0;  // the top-level array's element being read
  bool echoed_ = false;
  bool completions_seen_ = false;
  std::vector<std::string> completions_;
};

}  // namespace

std::optional<std::vector<std::string>> ReadSuggestionAnswer(std::string_view body,
                                                             std::string_view query) {
  if (body.size() > kMaxSuggestionBody) return std::nullopt;
  AnswerReader reader(query);
  // No exceptions: the reader turns a syntax error into a plain false.
  if (!nlohmann::json::sax_parse(body, &reader, nlohmann::json::input_format_t::json, true) ||
      !reader.Answered())
    return std::nullopt;
  return std::move(reader.Completions());
}

}  // namespace velto
