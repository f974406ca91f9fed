#pragma once
// Browsers' search address templates ("https://example.org/?q={searchTerms}&ie={inputEncoding}")
// as the bar's own templates ("https://example.org/?q=%s&ie=UTF-8"): the query's parameter
// becomes "%s", the others are filled as browsers fill them.
#include <optional>
#include <string>
#include <string_view>

namespace velto {

struct FilledTemplate {
  std::optional<std::string> address;  // nullopt: the template cannot be used
  std::string reason;                  // why not, as the end of a sentence about the engine
};

// Fills a template: {searchTerms} becomes "%s"; {inputEncoding} and {outputEncoding} the
// encoding's name; {language} "*"; {count}, {startIndex} and {startPage} their usual first
// values (20, 1, 1); an optional parameter ({x?}) and a Chromium one ({google:...}) nothing.
// Any other parameter, an address that already holds "%s", one without the query's parameter
// or one that is no http or https address cannot be used.
FilledTemplate FillSearchTemplate(std::string_view browser_template, std::string_view encoding);

// The site root of an address: "https://example.org/" for "https://example.org/a?q=%s".
std::string SiteRoot(std::string_view address);

}  // namespace velto
