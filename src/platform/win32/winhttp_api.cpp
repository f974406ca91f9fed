#include "platform/win32/winhttp_api.h"

#include <type_traits>

namespace velto::win32 {

std::unique_ptr<WinHttpApi> WinHttpApi::Load() {
  HMODULE library = LoadLibraryExW(L"winhttp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library == nullptr) library = LoadLibraryW(L"winhttp.dll");
  if (library == nullptr) return nullptr;
  auto api = std::make_unique<WinHttpApi>();
  bool all = true;
  const auto find = [&](auto& function, const char* name) {
    function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
        reinterpret_cast<void*>(GetProcAddress(library, name)));
    all &= function != nullptr;
  };
  find(api->Open, "WinHttpOpen");
  find(api->Connect, "WinHttpConnect");
  find(api->OpenRequest, "WinHttpOpenRequest");
  find(api->SendRequest, "WinHttpSendRequest");
  find(api->ReceiveResponse, "WinHttpReceiveResponse");
  find(api->QueryHeaders, "WinHttpQueryHeaders");
  find(api->QueryDataAvailable, "WinHttpQueryDataAvailable");
  find(api->ReadData, "WinHttpReadData");
  find(api->CloseHandle, "WinHttpCloseHandle");
  find(api->SetStatusCallback, "WinHttpSetStatusCallback");
  find(api->SetOption, "WinHttpSetOption");
  find(api->SetTimeouts, "WinHttpSetTimeouts");
  find(api->CrackUrl, "WinHttpCrackUrl");
  return all ? std::move(api) : nullptr;
}

}  // namespace velto::win32
