// The profile-file parser and writer over arbitrary file content: lookups never crash, every
// written value reads back as the reading rule gives it, and no other key changes its value.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "settings/profile_file.h"

namespace {

using velto::fuzz::Check;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string Trim(std::string s) {
  while (!s.empty() && IsBlank(s.front())) s.erase(s.begin());
  while (!s.empty() && IsBlank(s.back())) s.pop_back();
  return s;
}

std::string WithoutBreaks(std::string s) {
  std::replace_if(
      s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return s;
}

// What a lookup gives for a written value: blanks around it and one pair of quotes dropped.
std::string AsRead(const std::string& written) {
  std::string v = Trim(WithoutBreaks(written));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

std::string Lower(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

// A name the program could use: no line break, a section without "]", a key without "=" that
// does not read as a comment or a header, something left after trimming.
bool UsableName(const std::string& name, bool is_section) {
  const std::string t = Trim(WithoutBreaks(name));
  if (t.empty()) return false;
  if (is_section) return t.find(']') == std::string::npos;
  return t.find('=') == std::string::npos && t.front() != ';' && t.front() != '[';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::string content = in.ConsumeRandomLengthString(4096);
  struct Name {
    std::string section, key;
  };
  std::vector<Name> names;
  for (int step = 0; step < 8 && in.remaining_bytes() > 0; ++step) {
    std::string section = in.ConsumeRandomLengthString(32);
    std::string key = in.ConsumeRandomLengthString(32);
    const bool write = in.ConsumeBool();
    std::string value = in.ConsumeRandomLengthString(256);
    names.push_back({section, key});
    (void)velto::ProfileLookup(content, section, key);  // any name: no crash
    if (!write || !UsableName(section, true) || !UsableName(key, false)) continue;

    std::string updated = velto::ProfileUpdate(content, section, key, value);
    // The writer stores line breaks and NULs in names as blanks; look up what it stored.
    const auto back = velto::ProfileLookup(updated, WithoutBreaks(section), WithoutBreaks(key));
    Check(back.has_value(), "written key is found", updated, value);
    Check(*back == AsRead(value), "written value reads back", *back, AsRead(value));

    const std::string written_section = Lower(Trim(WithoutBreaks(section)));
    const std::string written_key = Lower(Trim(WithoutBreaks(key)));
    for (const Name& other : names) {
      if (!UsableName(other.section, true) || !UsableName(other.key, false)) continue;
      if (Lower(Trim(WithoutBreaks(other.section))) == written_section &&
          Lower(Trim(WithoutBreaks(other.key))) == written_key)
        continue;
      const auto before =
          velto::ProfileLookup(content, WithoutBreaks(other.section), WithoutBreaks(other.key));
      const auto after =
          velto::ProfileLookup(updated, WithoutBreaks(other.section), WithoutBreaks(other.key));
      Check(before == after, "other keys keep their values", after.value_or("<none>"),
            before.value_or("<none>"));
    }
    content = std::move(updated);
  }
  return 0;
}
