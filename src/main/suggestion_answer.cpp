#include "main/suggestion_answer.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "ports/suggestion_ports.h"

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
