#pragma once
// An OpenSearch description file (.xml), as sites offer them: ShortName, the Url elements for
// search pages (text/html) and suggestions (application/x-suggestions+json), InputEncoding.
#include <string_view>

#include "settings/found_engines.h"

namespace velto {

// The one engine the file describes. Param children of a GET Url join its template as a query
// string; a POST one cannot be used. Files that are no well-formed OpenSearch description fail.
FoundEngines ReadOpenSearchFile(std::string_view bytes, std::string_view origin);

}  // namespace velto
