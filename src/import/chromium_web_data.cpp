#include "import/chromium_web_data.h"

#include <sqlite3.h>

#include <memory>

namespace velto {
namespace {

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct FinishStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinishStatement>;

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = sqlite3_column_text(statement, column);
  if (!text) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

constexpr std::string_view kHeader{"SQLite format 3\0", 16};

}  // namespace

FoundEngines ReadChromiumWebData(std::string bytes, std::string_view origin) {
  if (bytes.size() < 100 || std::string_view(bytes).substr(0, kHeader.size()) != kHeader)
    return FoundEngines::Failure("it is no SQLite database");
  // A database in write-ahead-log mode cannot be read from memory; marked as a rollback-journal
  // one, the copy reads as the file stands (what the log still holds is not in the file).
  if (bytes[18] == 2) bytes[18] = 1;
  if (bytes[19] == 2) bytes[19] = 1;
  sqlite3* opened = nullptr;
  if (sqlite3_open_v2(":memory:", &opened, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    sqlite3_close(opened);
    return FoundEngines::Failure("SQLite cannot open a database in memory");
  }
  const Database db(opened);
  const auto size = static_cast<sqlite3_int64>(bytes.size());
  if (sqlite3_deserialize(db.get(), "main", reinterpret_cast<unsigned char*>(bytes.data()), size,
                          size, SQLITE_DESERIALIZE_READONLY) != SQLITE_OK)
    return FoundEngines::Failure(std::string("SQLite cannot read it: ") + sqlite3_errmsg(db.get()));
  sqlite3_stmt* prepared = nullptr;
  const char* query =
      "SELECT short_name, keyword, url, suggest_url, input_encodings FROM keywords ORDER BY rowid";
  if (sqlite3_prepare_v2(db.get(), query, -1, &prepared, nullptr) != SQLITE_OK) {
    sqlite3_finalize(prepared);
    return FoundEngines::Failure(std::string("it has no table of engines SQLite can read (") +
                                 sqlite3_errmsg(db.get()) + ")");
  }
  const Statement statement(prepared);
  FoundEngines found;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
    if (found.engines.size() + found.skipped.size() == kMostEnginesInAFile)
      return FoundEngines::Failure("it holds more than the " + std::to_string(kMostEnginesInAFile) +
                                   " engines a browser keeps");
    FoundEngine engine;
    engine.name = Column(statement.get(), 0);
    engine.keyword = Column(statement.get(), 1);
    engine.search = Column(statement.get(), 2);
    engine.suggest = Column(statement.get(), 3);
    const std::string encodings = Column(statement.get(), 4);
    engine.encoding = encodings.substr(0, encodings.find(';'));
    engine.origin = std::string(origin);
    found.engines.push_back(std::move(engine));
  }
  if (step != SQLITE_DONE)
    return FoundEngines::Failure(std::string("SQLite cannot read its engines: ") +
                                 sqlite3_errmsg(db.get()));
  return found;
}

}  // namespace velto
