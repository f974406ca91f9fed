#pragma once
// The WinHTTP entry points the suggestion fetcher calls, loaded at run time: a bar that never
// fetches suggestions never loads winhttp.dll.
#include <windows.h>
#include <winhttp.h>

#include <memory>

namespace velto::win32 {

// The WinHTTP functions, looked up in winhttp.dll at the first fetch.
struct WinHttpApi {
  decltype(&::WinHttpOpen) Open = nullptr;
  decltype(&::WinHttpConnect) Connect = nullptr;
  decltype(&::WinHttpOpenRequest) OpenRequest = nullptr;
  decltype(&::WinHttpSendRequest) SendRequest = nullptr;
  decltype(&::WinHttpReceiveResponse) ReceiveResponse = nullptr;
  decltype(&::WinHttpQueryHeaders) QueryHeaders = nullptr;
  decltype(&::WinHttpQueryDataAvailable) QueryDataAvailable = nullptr;
  decltype(&::WinHttpReadData) ReadData = nullptr;
  decltype(&::WinHttpCloseHandle) CloseHandle = nullptr;
  decltype(&::WinHttpSetStatusCallback) SetStatusCallback = nullptr;
  decltype(&::WinHttpSetOption) SetOption = nullptr;
  decltype(&::WinHttpSetTimeouts) SetTimeouts = nullptr;
  decltype(&::WinHttpCrackUrl) CrackUrl = nullptr;

  // The library stays loaded for the rest of the program: callbacks may still arrive from
  // requests closed at the end. Null when the library or one of its functions is missing.
  static std::unique_ptr<WinHttpApi> Load();
};

}  // namespace velto::win32
