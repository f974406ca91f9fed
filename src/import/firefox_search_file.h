#pragma once
// Firefox's engines: search.json.mozlz4 in each profile, a small header ("mozLz40\0" and the
// 4-byte little-endian size of the JSON) before one LZ4 block of JSON.
#include <string>
#include <string_view>

#include "settings/found_engines.h"

namespace velto {

// The JSON a search.json.mozlz4 holds; nullopt with the reason when the bytes are no such file.
struct MozLz4Text {
  std::optional<std::string> text;
  std::string reason;
};
MozLz4Text UnpackMozLz4(std::string_view bytes);

// The engines of the file's bytes: each engine's name (_name), keyword (_metaData.alias),
// character set (queryCharset) and the text/html and application/x-suggestions+json entries of
// _urls (template and GET params). Hidden and POST engines are skipped. origin names the
// profile in messages.
FoundEngines ReadFirefoxSearchFile(std::string_view bytes, std::string_view origin);

}  // namespace velto
