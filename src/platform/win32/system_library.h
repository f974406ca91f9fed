#pragma once
// A system DLL loaded when it is first needed rather than before the program starts: the bar's
// window comes up without the shell's libraries (and what they pull in), which only opening a
// page or a drop needs.
#include <windows.h>

namespace velto::win32 {

class SystemLibrary {
 public:
  // Loads `name` from the system folder; a library that cannot be loaded finds no function.
  explicit SystemLibrary(const wchar_t* name);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  // The library's function `name` as a `Function` pointer, or null.
  template <typename Function>
  Function Find(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

}  // namespace velto::win32
