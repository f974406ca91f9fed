#pragma once
// The clipboard's text on Windows, what SelectionHotKey searches.
#include <windows.h>

#include <string>

namespace velto::win32 {

// The clipboard's Unicode text as UTF-8; empty when it holds none or cannot be opened.
std::string ClipboardText(HWND owner);

}  // namespace velto::win32
