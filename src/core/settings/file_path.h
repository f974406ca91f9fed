#pragma once
// The type of file and folder names in the program: std::filesystem::path on Linux, and on
// Windows a small path of its own over the UTF-16 name. In the static Windows program any use of
// std::filesystem::path links the library's path code, which converts through locales and so
// brings in the whole locale machinery: half a megabyte, most of the program. Code shared by
// both builds keeps to what both types offer: native(), c_str(), empty(), parent_path(),
// has_parent_path(), "/" and "+=". On Windows they answer as std::filesystem::path does, except
// that "\\server" starts a network name as Windows has it (the library's MinGW build reads it
// as a root folder); std::filesystem::path converts to and from it for tests and tools, which
// are free to use the library.
#include <filesystem>

#ifdef _WIN32
#include <string>
#include <type_traits>
#include <utility>
#endif

namespace velto {

#ifndef _WIN32

using FilePath = std::filesystem::path;

#else

class FilePath {
 public:
  using value_type = wchar_t;
  using string_type = std::wstring;

  FilePath() = default;
  FilePath(string_type native) : native_(std::move(native)) {}
  FilePath(const value_type* native) : native_(native) {}
  // Only the name is taken; the program itself never converts back.
  FilePath(const std::filesystem::path& path) : native_(path.native()) {}
  operator std::filesystem::path() const { return std::filesystem::path(native_); }
  // Narrow names and the like, through the library's conversion: for tests and tools only.
  template <typename Source>
  requires(!std::is_same_v<Source, FilePath> && !std::is_same_v<Source, string_type> &&
           std::is_constructible_v<std::filesystem::path, const Source&>)
      FilePath(const Source& source)
      : native_(std::filesystem::path(source).native()) {}

  const string_type& native() const { return native_; }
  const value_type* c_str() const { return native_.c_str(); }
  bool empty() const { return native_.empty(); }

  // As std::filesystem::path has them: "C:\a\b" -> "C:\a", "C:\a" -> "C:\", "a/b/" -> "a/b",
  // "a" -> "", and a root alone is its own parent.
  FilePath parent_path() const {
    const std::size_t root = RootLength();
    if (root == native_.size()) return *this;
    std::size_t end = native_.size();
    if (!IsSeparator(native_.back())) {
      while (end > root && !IsSeparator(native_[end - 1])) --end;
    }
    while (end > root && IsSeparator(native_[end - 1])) --end;
    return FilePath(native_.substr(0, end));
  }
  bool has_parent_path() const { return !parent_path().empty(); }

  FilePath& operator/=(const FilePath& name) {
    if (name.RootNameLength() > 0) {
      native_ = name.native_;  // a drive or server of its own
    } else if (!name.empty() && IsSeparator(name.native_.front())) {
      native_ = native_.substr(0, RootNameLength()) + name.native_;  // from this drive's root
    } else {
      const bool drive_only = native_.size() == 2 && native_[1] == L':';  // "C:" + "x" is "C:x"
      if (!native_.empty() && !IsSeparator(native_.back()) && !drive_only) native_ += L'\\';
      native_ += name.native_;
    }
    return *this;
  }
  friend FilePath operator/(FilePath folder, const FilePath& name) { return folder /= name; }
  FilePath& operator+=(const FilePath& tail) {
    native_ += tail.native_;
    return *this;
  }

  bool operator==(const FilePath&) const = default;
  // Mixed with the library's path (tests): compared as the library compares paths.
  friend bool operator==(const FilePath& a, const std::filesystem::path& b) {
    return std::filesystem::path(a.native_) == b;
  }

 private:
  static bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }
  // "C:" or "\\server"; 0 without one.
  std::size_t RootNameLength() const {
    if (native_.size() >= 2 && native_[1] == L':') return 2;
    if (native_.size() >= 3 && IsSeparator(native_[0]) && IsSeparator(native_[1]) &&
        !IsSeparator(native_[2])) {
      std::size_t end = 2;
      while (end < native_.size() && !IsSeparator(native_[end])) ++end;
      return end;
    }
    return 0;
  }
  // The root name and the separators after it.
  std::size_t RootLength() const {
    std::size_t end = RootNameLength();
    while (end < native_.size() && IsSeparator(native_[end])) ++end;
    return end;
  }

  string_type native_;
};

#endif

}  // namespace velto
