#include "import/opensearch_file.h"

#include <expat.h>

#include <memory>
#include <string>

namespace velto {
namespace {

// Element names arrive as "namespace|local"; the file's own names are matched by their local
// part, so that the OpenSearch and the older Mozilla namespaces both read.
constexpr char kNamespaceSeparator = '|';

std::string_view LocalName(const XML_Char* name) {
  const std::string_view full(name);
  const std::size_t bar = full.rfind(kNamespaceSeparator);
  return bar == std::string_view::npos ? full : full.substr(bar + 1);
}

std::string_view Attribute(const XML_Char** attributes, std::string_view wanted) {
  for (int i = 0; attributes[i]; i += 2)
    if (LocalName(attributes[i]) == wanted) return attributes[i + 1];
  return {};
}

struct Description {
  int depth = 0;
  bool is_description = false;  // the root element is OpenSearchDescription (or SearchPlugin)
  std::string short_name;
  std::string encoding;
  bool encoding_seen = false;
  std::string search, suggest;
  bool search_posts = false;
  std::string* url = nullptr;  // the Url element being read, if it is one that counts
  char separator = '?';
  std::string* text = nullptr;  // the element whose text is being gathered
};

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& d = *static_cast<Description*>(data);
  const std::string_view local = LocalName(name);
  ++d.depth;
  if (d.depth == 1) {
    d.is_description = local == "OpenSearchDescription" || local == "SearchPlugin";
    return;
  }
  if (d.depth != 2 && !(d.depth == 3 && d.url && local == "Param")) return;
  if (local == "ShortName" && d.short_name.empty()) {
    d.text = &d.short_name;
  } else if (local == "InputEncoding" && !d.encoding_seen) {
    d.encoding_seen = true;  // the first one is the one browsers use
    d.text = &d.encoding;
  } else if (local == "Url") {
    const std::string_view type = Attribute(attributes, "type");
    const bool page = type == "text/html";
    if (!page && type != "application/x-suggestions+json") return;
    std::string& target = page ? d.search : d.suggest;
    if (!target.empty()) return;
    const std::string_view method = Attribute(attributes, "method");
    if (!method.empty() && method != "GET" && method != "get") {
      d.search_posts = d.search_posts || page;
      return;
    }
    target = Attribute(attributes, "template");
    d.url = &target;
    d.separator = target.find('?') == std::string::npos ? '?' : '&';
  } else if (local == "Param" && d.depth == 3 && d.url) {
    const std::string_view param = Attribute(attributes, "name");
    if (param.empty()) return;
    *d.url += d.separator + std::string(param) + "=" + std::string(Attribute(attributes, "value"));
    d.separator = '&';
  }
}

void OnEnd(void* data, const XML_Char* name) {
  auto& d = *static_cast<Description*>(data);
  if (d.depth == 2) {
    d.text = nullptr;
    if (LocalName(name) == "Url") d.url = nullptr;
  }
  --d.depth;
}

void OnText(void* data, const XML_Char* text, int length) {
  auto& d = *static_cast<Description*>(data);
  if (d.text && d.depth == 2) d.text->append(text, static_cast<std::size_t>(length));
}

struct FreeParser {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

}  // namespace

FoundEngines ReadOpenSearchFile(std::string_view bytes, std::string_view origin) {
  const std::unique_ptr<XML_ParserStruct, FreeParser> parser(
      XML_ParserCreateNS(nullptr, kNamespaceSeparator));
  if (!parser) return FoundEngines::Failure("no XML parser could be made");
  Description description;
  XML_SetUserData(parser.get(), &description);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  if (bytes.size() > static_cast<std::size_t>(INT32_MAX))
    return FoundEngines::Failure("it is too large");
  if (XML_Parse(parser.get(), bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) !=
      XML_STATUS_OK) {
    if (XML_GetErrorCode(parser.get()) == XML_ERROR_UNKNOWN_ENCODING)
      return FoundEngines::Failure(
          "its characters are in an encoding the reader does not know (it reads UTF-8, UTF-16 "
          "and ISO-8859-1)");
    return FoundEngines::Failure("it is no well-formed XML (line " +
                                 std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                                 XML_ErrorString(XML_GetErrorCode(parser.get())) + ")");
  }
  if (!description.is_description) return FoundEngines::Failure("it is no OpenSearch description");
  FoundEngines found;
  FoundEngine engine;
  engine.name = description.short_name;
  engine.search = description.search;
  engine.suggest = description.suggest;
  engine.encoding = description.encoding;
  engine.origin = std::string(origin);
  if (engine.search.empty()) {
    found.skipped.push_back({engine.name, engine.origin,
                             description.search_posts
                                 ? "it searches by POST, which the bar cannot send"
                                 : "it has no search address (a text/html Url)"});
  } else {
    found.engines.push_back(std::move(engine));
  }
  return found;
}

}  // namespace velto
