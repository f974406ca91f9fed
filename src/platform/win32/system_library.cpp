#include "platform/win32/system_library.h"

namespace velto::win32 {

SystemLibrary::SystemLibrary(const wchar_t* name)
    : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
  // Systems without the search flag refuse it; the plain call searches the usual places.
  if (module_ == nullptr) module_ = LoadLibraryW(name);
}

SystemLibrary::~SystemLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

}  // namespace velto::win32
