#pragma once
// Windows argument text split into arguments the way CommandLineToArgvW and the C runtime split
// everything after the program name: blanks (space, tab) separate arguments outside quotes; a
// double quote starts or ends a quoted part and is dropped; 2n backslashes before a quote give n
// backslashes, 2n+1 give n and a literal quote; other backslashes stay as they are; inside
// quotes, "" gives a literal quote and ends the quoted part. Works on UTF-8 unchanged, since
// only ASCII bytes have a meaning.
#include <string>
#include <string_view>
#include <vector>

namespace velto {

std::vector<std::string> SplitWindowsArguments(std::string_view arguments);

}  // namespace velto
