#pragma once
// Browsers' engine files made the way the browsers make them, with the same libraries: an LZ4
// block behind Firefox's header, an SQLite database with Chromium's keywords table.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velto::test {

// A path as UTF-8 text, as SQLite and profiles.ini name files on every system.
std::string Utf8Name(const std::filesystem::path& path);

// search.json.mozlz4 bytes for the JSON text.
std::string MozLz4(std::string_view json);

// One row of Chromium's keywords table.
struct KeywordRow {
  std::string short_name;
  std::string keyword;
  std::string url;
  std::string suggest_url;
  std::string input_encodings;
};

// A "Web Data" database at the path with the rows in its keywords table (among the columns
// Chromium has there).
void WriteWebData(const std::filesystem::path& path, const std::vector<KeywordRow>& rows);

// Firefox's search.json text for engines given as JSON objects.
std::string SearchJson(const std::vector<std::string>& engines);

}  // namespace velto::test
