#pragma once
// Which addresses the search bar hands to the shell. The shell's "open" verb starts programs
// and opens files as readily as web pages, and an engine without an address prefix turns the
// bare query into the address; so only web addresses go to the shell.
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace velto {

// The address to open: one beginning with "http://" or "https://" (any case) as it stands, one
// beginning with "www." (any case) with "http://" put in front; nullopt for anything else,
// the empty address included.
std::optional<std::string> WebAddressForShell(std::string_view address);

// Opens the address when it is a web address; anything else opens nothing.
void OpenWebAddress(Platform& platform, WindowRole owner, std::string_view address);

}  // namespace velto
