#include "settings/search_template.h"

#include "settings/ascii_text.h"

namespace velto {
namespace {

// What a browser puts in for a parameter; nullopt when it is none the bar can fill.
std::optional<std::string> ParameterValue(std::string_view name, std::string_view encoding) {
  if (name == "searchTerms" || name == "searchTerms?") return std::string("%s");
  if (name.ends_with('?')) return std::string();
  if (name.starts_with("google:")) return std::string();
  if (name == "inputEncoding" || name == "outputEncoding") return std::string(encoding);
  if (name == "language") return std::string("*");
  if (name == "count") return std::string("20");
  if (name == "startIndex" || name == "startPage") return std::string("1");
  return std::nullopt;
}

bool IsWebAddress(std::string_view address) {
  return StartsWithIgnoringAsciiCase(address, "http://") ||
         StartsWithIgnoringAsciiCase(address, "https://");
}

}  // namespace

FilledTemplate FillSearchTemplate(std::string_view browser_template, std::string_view encoding) {
  // "%s" is the bar's own mark for the query: one already there would take the query too.
  if (browser_template.find("%s") != std::string_view::npos)
    return {std::nullopt, "its address already holds \"%s\""};
  std::string address;
  bool has_query = false;
  std::size_t pos = 0;
  while (pos < browser_template.size()) {
    const std::size_t open = browser_template.find('{', pos);
    const std::size_t close =
        open == std::string_view::npos ? open : browser_template.find('}', open + 1);
    if (close == std::string_view::npos) {
      address += browser_template.substr(pos);  // a lone "{" is part of the address
      break;
    }
    address += browser_template.substr(pos, open - pos);
    const std::string_view name = browser_template.substr(open + 1, close - open - 1);
    const auto value = ParameterValue(name, encoding);
    if (!value) {
      return {std::nullopt, "its address has the parameter {" + std::string(name) +
                                "}, which the bar cannot fill"};
    }
    has_query = has_query || *value == "%s";
    address += *value;
    pos = close + 1;
  }
  if (!IsWebAddress(address)) return {std::nullopt, "its address is no http or https address"};
  if (!has_query) return {std::nullopt, "its address has no place for the query ({searchTerms})"};
  return {std::move(address), {}};
}

std::string SiteRoot(std::string_view address) {
  const std::size_t scheme_end = address.find("://");
  if (scheme_end == std::string_view::npos) return {};
  const std::size_t host = scheme_end + 3;
  const std::size_t end = address.find_first_of("/?#", host);
  return std::string(address.substr(0, end == std::string_view::npos ? address.size() : end)) + "/";
}

}  // namespace velto
