#include "import/firefox_search_file.h"

#include <lz4.h>

#include <cstdint>
#include <nlohmann/json.hpp>

namespace velto {
namespace {

constexpr std::string_view kMagic{"mozLz40\0", 8};
constexpr std::size_t kHeaderSize = kMagic.size() + 4;
// search.json is a few hundred kilobytes with many engines and their icons.
constexpr std::uint32_t kLargestJson = 64u << 20;

using Json = nlohmann::json;

// The string member of an object, or the empty text.
std::string Text(const Json& object, const char* name) {
  if (!object.is_object()) return {};
  const auto found = object.find(name);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

const Json* Member(const Json& object, const char* name) {
  if (!object.is_object()) return nullptr;
  const auto found = object.find(name);
  return found == object.end() ? nullptr : &*found;
}

// One _urls entry as one template: the GET params after the address as a query string.
std::string UrlTemplate(const Json& url) {
  std::string address = Text(url, "template");
  const Json* params = Member(url, "params");
  if (!params || !params->is_array()) return address;
  char separator = address.find('?') == std::string::npos ? '?' : '&';
  for (const Json& param : *params) {
    const std::string name = Text(param, "name");
    // Params without a value are filled by Firefox itself (its own codes and experiments).
    if (name.empty() || !Member(param, "value")) continue;
    address += separator + name + "=" + Text(param, "value");
    separator = '&';
  }
  return address;
}

}  // namespace

MozLz4Text UnpackMozLz4(std::string_view bytes) {
  if (bytes.size() < kHeaderSize || bytes.substr(0, kMagic.size()) != kMagic)
    return {std::nullopt, "it does not begin as a mozlz4 file"};
  std::uint32_t size = 0;
  for (int i = 3; i >= 0; --i)
    size =
        size << 8 | static_cast<unsigned char>(bytes[kMagic.size() + static_cast<std::size_t>(i)]);
  if (size > kLargestJson)
    return {std::nullopt, "its header promises " + std::to_string(size) + " bytes, more than " +
                              std::to_string(kLargestJson) + " a search file may hold"};
  const std::string_view block = bytes.substr(kHeaderSize);
  std::string text(size, '\0');
  const int got = LZ4_decompress_safe(block.data(), text.data(), static_cast<int>(block.size()),
                                      static_cast<int>(size));
  if (got < 0 || static_cast<std::uint32_t>(got) != size)
    return {std::nullopt, "its LZ4 data is damaged or not of the size its header gives"};
  return {std::move(text), {}};
}

FoundEngines ReadFirefoxSearchFile(std::string_view bytes, std::string_view origin) {
  MozLz4Text unpacked = UnpackMozLz4(bytes);
  if (!unpacked.text) return FoundEngines::Failure(std::move(unpacked.reason));
  const Json json = Json::parse(*unpacked.text, nullptr, false);
  const Json* engines = Member(json, "engines");
  if (json.is_discarded() || !engines || !engines->is_array())
    return FoundEngines::Failure("it holds no list of engines");
  if (engines->size() > kMostEnginesInAFile)
    return FoundEngines::Failure("it holds " + std::to_string(engines->size()) +
                                 " engines, more than the " + std::to_string(kMostEnginesInAFile) +
                                 " a browser keeps");
  FoundEngines found;
  for (const Json& engine : *engines) {
    FoundEngine item;
    item.name = Text(engine, "_name");
    item.origin = std::string(origin);
    // Firefox has written the character set under both names.
    item.encoding = Text(engine, "queryCharset");
    if (item.encoding.empty()) item.encoding = Text(engine, "_queryCharset");
    if (const Json* meta = Member(engine, "_metaData")) {
      item.keyword = Text(*meta, "alias");
      const Json* hidden = Member(*meta, "hidden");
      if (hidden && hidden->is_boolean() && hidden->get<bool>()) {
        found.skipped.push_back({item.name, item.origin, "it is hidden in Firefox"});
        continue;
      }
    }
    bool posts = false;
    if (const Json* urls = Member(engine, "_urls"); urls && urls->is_array()) {
      for (const Json& url : *urls) {
        // Entries without a type are search pages.
        const std::string type = Text(url, "type");
        const bool page = type.empty() || type == "text/html";
        if (!page && type != "application/x-suggestions+json") continue;
        std::string& target = page ? item.search : item.suggest;
        if (!target.empty()) continue;  // the first of each kind counts
        const std::string method = Text(url, "method");
        if (!method.empty() && method != "GET" && method != "get") {
          posts = posts || page;
          continue;
        }
        target = UrlTemplate(url);
      }
    }
    if (item.search.empty()) {
      found.skipped.push_back({item.name, item.origin,
                               posts ? "it searches by POST, which the bar cannot send"
                                     : "Firefox keeps no search address for it in the profile"});
      continue;
    }
    found.engines.push_back(std::move(item));
  }
  return found;
}

}  // namespace velto
