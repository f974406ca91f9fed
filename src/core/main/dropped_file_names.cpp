#include "main/dropped_file_names.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "settings/ascii_text.h"
#include "settings/path_text.h"

namespace velto {
namespace {

std::string_view TrimmedLine(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    decoded += text[i];
  }
  return decoded;
}

std::string WithForwardSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// The path a file: address names, with forward slashes; nullopt for any other text.
std::optional<std::string> PathOfFileAddress(std::string_view line) {
  if (!StartsWithIgnoringAsciiCase(line, "file:")) return std::nullopt;
  std::string_view rest = line.substr(5);
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && !EqualsIgnoringAsciiCase(host, "localhost")) return std::nullopt;
    rest.remove_prefix(slash);
  }
  std::string path = WithForwardSlashes(PercentDecoded(rest));
  // "/C:/folder" names the drive's folder "C:/folder".
  if (path.size() >= 3 && path[0] == '/' && path[2] == ':' &&
      ((path[1] >= 'A' && path[1] <= 'Z') || (path[1] >= 'a' && path[1] <= 'z')))
    path.erase(0, 1);
  return path;
}

bool NamesOneOf(std::string_view line, const std::vector<std::string>& paths) {
  const std::optional<std::string> addressed = PathOfFileAddress(line);
  const std::string named = addressed ? *addressed : WithForwardSlashes(std::string(line));
  return std::find(paths.begin(), paths.end(), named) != paths.end();
}

}  // namespace

bool TextOnlyNamesFiles(std::string_view text, std::span<const FilePath> files) {
  if (files.empty()) return false;
  std::vector<std::string> paths;
  paths.reserve(files.size());
  for (const FilePath& file : files) paths.push_back(WithForwardSlashes(Utf8FromFilePath(file)));
  bool any_line = false;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = TrimmedLine(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    if (!NamesOneOf(line, paths)) return false;
    any_line = true;
  }
  return any_line;
}

}  // namespace velto
