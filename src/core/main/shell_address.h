#pragma once
// Which addresses the search bar hands to the shell. The shell's "open" verb starts programs
// and opens files as readily as web pages, so a query typed or dropped must never become the
// whole of an address that could name one. An address the user built (an engine's prefix, a
// home page) says what it is by its URL scheme.
#include <optional>
#include <string>
#include <string_view>

#include "ports/platform.h"

namespace velto {

// The address of a search: the engine address (a prefix, or a template, see query_template.h)
// with the query put in.
// - An empty engine address leaves the query alone, opened only when it begins with "http://"
//   or "https://" (any case), as it stands, or with "www." with "http://" put in front.
// - Any other is opened when it begins with a URL scheme other than "file:", or with "www."
//   with "http://" put in front.
// nullopt for anything else: a path or a program name opens nothing.
std::optional<std::string> SearchAddressForShell(std::string_view engine, std::string_view query);
// The same rules for an address already built from them (the query in the engine's own
// character set).
std::optional<std::string> SearchAddressForShell(std::string_view engine, std::string_view query,
                                                 const std::string& address);

// A home page is opened when it begins with any URL scheme, "file:" included, or with "www."
// (then with "http://" in front); nullopt for anything else, the empty page included.
std::optional<std::string> HomePageForShell(std::string_view home);

void OpenSearchAddress(Platform& platform, WindowRole owner, std::string_view engine,
                       std::string_view query);
void OpenHomePage(Platform& platform, WindowRole owner, std::string_view home);

}  // namespace velto
