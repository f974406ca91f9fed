#include "platform/win32/clipboard_text.h"

#include "platform/win32/wide_text.h"

namespace velto::win32 {
namespace {

// Open for the life of the object; another program may hold it, then it is not open.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::string ClipboardText(HWND owner) {
  OpenClipboardScope clipboard(owner);
  if (!clipboard.open()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  const auto* text = static_cast<const wchar_t*>(GlobalLock(data));
  if (text == nullptr) return {};
  // Bounded by the memory block, in case the text lacks its terminating zero.
  const std::size_t limit = GlobalSize(data) / sizeof(wchar_t);
  std::size_t length = 0;
  while (length < limit && text[length] != L'\0') ++length;
  std::string utf8 = Utf8FromWide(std::wstring_view(text, length));
  GlobalUnlock(data);
  return utf8;
}

}  // namespace velto::win32
