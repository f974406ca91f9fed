#pragma once
// The Chromium family's engines (Chrome, Chromium, Edge, Brave, Vivaldi): the keywords table of
// each profile's "Web Data", an SQLite database.
#include <string>
#include <string_view>

#include "settings/found_engines.h"

namespace velto {

// The engines of a copy of the database's bytes: short_name, keyword, url, suggest_url and the
// first of input_encodings, in the table's order. The copy is read in memory and read-only, so
// a browser that holds the file open and locked is no obstacle and nothing is ever written.
FoundEngines ReadChromiumWebData(std::string bytes, std::string_view origin);

}  // namespace velto
