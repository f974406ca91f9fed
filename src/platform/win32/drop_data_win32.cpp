#include "platform/win32/drop_data_win32.h"

#include <shellapi.h>

#include <optional>
#include <string>

#include "platform/win32/system_library.h"
#include "platform/win32/wide_text.h"

namespace velto::win32 {

namespace {

FORMATETC FormatOf(CLIPFORMAT format) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// A storage medium handed out by GetData, released with it.
class Medium {
 public:
  Medium(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted = FormatOf(format);
    ok_ = data->GetData(&wanted, &medium_) == S_OK && medium_.tymed == TYMED_HGLOBAL &&
          medium_.hGlobal != nullptr;
  }
  ~Medium() {
    if (ok_) ReleaseStgMedium(&medium_);
  }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
  explicit operator bool() const { return ok_; }
  HGLOBAL Global() const { return medium_.hGlobal; }

 private:
  STGMEDIUM medium_{};
  bool ok_ = false;
};

// A locked global memory block, unlocked when done.
class Locked {
 public:
  explicit Locked(HGLOBAL global) : global_(global), data_(GlobalLock(global)) {}
  ~Locked() {
    if (data_ != nullptr) GlobalUnlock(global_);
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
  const void* Data() const { return data_; }
  std::size_t Size() const { return data_ != nullptr ? GlobalSize(global_) : 0; }

 private:
  HGLOBAL global_;
  void* data_;
};

// The text up to its terminating NUL, never past the block's end.
template <typename Char>
std::basic_string<Char> TextIn(const Locked& block) {
  const auto* chars = static_cast<const Char*>(block.Data());
  const std::size_t limit = block.Size() / sizeof(Char);
  std::size_t length = 0;
  while (length < limit && chars[length] != 0) ++length;
  return std::basic_string<Char>(chars, length);
}

std::optional<std::string> UnicodeText(IDataObject* data) {
  Medium medium(data, CF_UNICODETEXT);
  if (!medium) return std::nullopt;
  Locked block(medium.Global());
  if (block.Data() == nullptr) return std::nullopt;
  return Utf8FromWide(TextIn<wchar_t>(block));
}

std::optional<std::string> AnsiText(IDataObject* data) {
  Medium medium(data, CF_TEXT);
  if (!medium) return std::nullopt;
  Locked block(medium.Global());
  if (block.Data() == nullptr) return std::nullopt;
  const std::string ansi = TextIn<char>(block);
  if (ansi.empty()) return std::string();
  const int size = static_cast<int>(ansi.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
  if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
  return Utf8FromWide(wide);
}

std::vector<FilePath> Files(IDataObject* data) {
  std::vector<FilePath> files;
  Medium medium(data, CF_HDROP);
  if (!medium) return files;
  Locked block(medium.Global());
  if (block.Data() == nullptr) return files;
  auto drop = static_cast<HDROP>(medium.Global());
  // The shell is loaded for the drop only: the window comes up without it.
  const SystemLibrary shell(L"shell32.dll");
  const auto query = shell.Find<decltype(&::DragQueryFileW)>("DragQueryFileW");
  if (query == nullptr) return files;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = query(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = query(drop, i, name.data(), length + 1);
    name.resize(copied);
    files.emplace_back(name);
  }
  return files;
}

bool Offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC wanted = FormatOf(format);
  return data->QueryGetData(&wanted) == S_OK;
}

}  // namespace

DropData ReadDropData(IDataObject* data) {
  DropData drop;
  if (data == nullptr) return drop;
  drop.text = UnicodeText(data);
  if (!drop.text) drop.text = AnsiText(data);
  drop.files = Files(data);
  return drop;
}

bool OffersDropData(IDataObject* data) {
  return data != nullptr &&
         (Offers(data, CF_UNICODETEXT) || Offers(data, CF_TEXT) || Offers(data, CF_HDROP));
}

}  // namespace velto::win32
