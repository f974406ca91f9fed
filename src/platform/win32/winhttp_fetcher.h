#pragma once
// Suggestion answers over WinHTTP, asynchronously. winhttp.dll is loaded with the first fetch,
// so a bar without suggestions never loads it. The session takes the system's proxy: the
// automatic proxy where the system offers it, else the default one. WinHTTP's callbacks run on
// its own threads; each answer is posted to a window and handed to the caller there.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "ports/suggestion_ports.h"

namespace velto::win32 {

struct WinHttpApi;

// The message that carries an answer to the window given to the fetcher; the window hands its
// lParam to WinHttpSuggestionFetcher::Deliver.
inline constexpr UINT kSuggestionAnswerMessage = WM_APP + 0x42;

class WinHttpSuggestionFetcher final : public SuggestionFetcher {
 public:
  explicit WinHttpSuggestionFetcher(HWND notify);
  ~WinHttpSuggestionFetcher() override;
  WinHttpSuggestionFetcher(const WinHttpSuggestionFetcher&) = delete;
  WinHttpSuggestionFetcher& operator=(const WinHttpSuggestionFetcher&) = delete;

  void Fetch(const std::string& url, Done done) override;
  void Cancel() override;
  // An answer posted with kSuggestionAnswerMessage, on the window's thread.
  void Deliver(LPARAM answer) noexcept;

  using Api = WinHttpApi;
  struct Request;

 private:
  void Fail(std::uint64_t fetch);

  HWND notify_;
  std::unique_ptr<Api> api_;  // null when winhttp.dll or its session is not to be had
  void* session_ = nullptr;
  std::shared_ptr<Request> running_;
  Done done_;
  std::uint64_t fetch_ = 0;
};

}  // namespace velto::win32
