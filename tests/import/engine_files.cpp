#include "import/engine_files.h"

#include <gtest/gtest.h>
#include <lz4.h>
#include <sqlite3.h>

#include <cstdint>

#include "support/temp_folder.h"

namespace velto::test {

std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string name = path.u8string();
  return std::string(name.begin(), name.end());
}

std::string MozLz4(std::string_view json) {
  std::string packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(json.size()))),
                     '\0');
  const int size = LZ4_compress_default(json.data(), packed.data(), static_cast<int>(json.size()),
                                        static_cast<int>(packed.size()));
  EXPECT_GT(size, 0);
  packed.resize(static_cast<std::size_t>(size));
  std::string file("mozLz40\0", 8);
  const auto length = static_cast<std::uint32_t>(json.size());
  for (int shift = 0; shift < 32; shift += 8) file += static_cast<char>(length >> shift & 0xff);
  return file + packed;
}

void WriteWebData(const std::filesystem::path& path, const std::vector<KeywordRow>& rows) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Utf8Name(path).c_str(), &db), SQLITE_OK);
  const char* schema =
      "CREATE TABLE keywords (id INTEGER PRIMARY KEY, short_name VARCHAR NOT NULL, keyword "
      "VARCHAR NOT NULL, favicon_url VARCHAR NOT NULL DEFAULT '', url VARCHAR NOT NULL, "
      "safe_for_autoreplace INTEGER DEFAULT 0, input_encodings VARCHAR DEFAULT '', "
      "suggest_url VARCHAR DEFAULT '', prepopulate_id INTEGER DEFAULT 0);"
      "CREATE TABLE meta (key LONGVARCHAR NOT NULL UNIQUE PRIMARY KEY, value LONGVARCHAR);"
      "BEGIN;";
  ASSERT_EQ(sqlite3_exec(db, schema, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_stmt* insert = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db,
                               "INSERT INTO keywords (short_name, keyword, url, suggest_url, "
                               "input_encodings) VALUES (?, ?, ?, ?, ?)",
                               -1, &insert, nullptr),
            SQLITE_OK);
  for (const KeywordRow& row : rows) {
    int column = 0;
    for (const std::string* text :
         {&row.short_name, &row.keyword, &row.url, &row.suggest_url, &row.input_encodings}) {
      sqlite3_bind_text(insert, ++column, text->data(), static_cast<int>(text->size()),
                        SQLITE_TRANSIENT);
    }
    EXPECT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  EXPECT_EQ(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

std::string SearchJson(const std::vector<std::string>& engines) {
  std::string json = R"({"version":6,"engines":[)";
  for (std::size_t i = 0; i < engines.size(); ++i) json += (i ? "," : "") + engines[i];
  return json + R"(],"metaData":{"useSavedOrder":false}})";
}

}  // namespace velto::test
