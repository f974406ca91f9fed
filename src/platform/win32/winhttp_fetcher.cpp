#include "platform/win32/winhttp_fetcher.h"

#include <winhttp.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/winhttp_api.h"

namespace velto::win32 {

// One fetch, shared by the window's thread and WinHTTP's callbacks. Whoever finishes it first
// (an answer, a failure, a cancel) posts or drops the answer; whoever closes it first closes.
struct WinHttpSuggestionFetcher::Request {
  const Api* api = nullptr;
  HWND notify = nullptr;
  std::uint64_t fetch = 0;
  HINTERNET connection = nullptr;
  HINTERNET request = nullptr;
  std::atomic<bool> finished{false};
  std::atomic<bool> closed{false};
  int redirects = 0;  // touched by the callbacks only, one at a time
  std::string body;
  std::array<char, 8192> buffer{};
};

namespace {

using Api = WinHttpSuggestionFetcher::Api;
using Request = WinHttpSuggestionFetcher::Request;

// What the window receives: the fetch's number and its body, or nothing for a failure.
struct Answer {
  std::uint64_t fetch = 0;
  std::optional<std::string> body;
};

constexpr DWORD kMaxRedirects = 3;
constexpr int kTimeoutMilliseconds = 5000;

void Close(Request& request) {
  if (request.closed.exchange(true)) return;
  // The request's own closing callback releases the callbacks' share of it.
  request.api->CloseHandle(request.request);
  request.api->CloseHandle(request.connection);
}

void Finish(Request& request, std::optional<std::string> body) {
  if (request.finished.exchange(true)) return;
  auto answer = std::make_unique<Answer>(Answer{request.fetch, std::move(body)});
  if (PostMessageW(request.notify, kSuggestionAnswerMessage, 0,
                   reinterpret_cast<LPARAM>(answer.get())) != FALSE)
    (void)answer.release();  // the window owns it now
  Close(request);
}

void CALLBACK OnStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID info,
                       DWORD length) noexcept {
  if (context == 0) return;
  auto* share = reinterpret_cast<std::shared_ptr<Request>*>(context);
  if (status == WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING) {
    // The last callback of the request handle: its share of the request goes.
    if (handle == (*share)->request) {
      const std::unique_ptr<std::shared_ptr<Request>> release(share);
    }
    return;
  }
  // Held for the whole callback: closing the handle below may release the callbacks' share.
  const std::shared_ptr<Request> keep = *share;
  Request& request = *keep;
  if (request.finished.load()) return;
  const Api& api = *request.api;
  switch (status) {
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
      if (!api.ReceiveResponse(request.request, nullptr)) Finish(request, std::nullopt);
      break;
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE: {
      DWORD code = 0;
      DWORD size = sizeof code;
      if (!api.QueryHeaders(request.request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                            WINHTTP_HEADER_NAME_BY_INDEX, &code, &size, WINHTTP_NO_HEADER_INDEX) ||
          code != 200 || !api.QueryDataAvailable(request.request, nullptr))
        Finish(request, std::nullopt);
      break;
    }
    case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE: {
      const DWORD available = length >= sizeof(DWORD) ? *static_cast<DWORD*>(info) : 0;
      if (available == 0) {
        Finish(request, std::move(request.body));
        break;
      }
      const DWORD wanted = std::min<DWORD>(available, static_cast<DWORD>(request.buffer.size()));
      if (!api.ReadData(request.request, request.buffer.data(), wanted, nullptr))
        Finish(request, std::nullopt);
      break;
    }
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
      if (length == 0) {
        Finish(request, std::move(request.body));
        break;
      }
      // Never more than an answer may hold, whatever the framing: WinHTTP reads only what is
      // asked for, so the transfer ends here and what came of it is freed.
      if (request.body.size() + length > kMaxSuggestionBody) {
        std::string().swap(request.body);
        Finish(request, std::nullopt);
        break;
      }
      request.body.append(request.buffer.data(), length);
      if (!api.QueryDataAvailable(request.request, nullptr)) Finish(request, std::nullopt);
      break;
    case WINHTTP_CALLBACK_STATUS_REDIRECT: {
      // Counted here as well: not every WinHTTP keeps to the option's limit. Only web
      // addresses are followed; a relative one stays on the same scheme.
      const std::wstring_view to(info != nullptr ? static_cast<const wchar_t*>(info) : L"");
      const bool web = to.find(L"://") == std::wstring_view::npos || to.starts_with(L"http://") ||
                       to.starts_with(L"https://") || to.starts_with(L"HTTP://") ||
                       to.starts_with(L"HTTPS://");
      if (++request.redirects > static_cast<int>(kMaxRedirects) || !web)
        Finish(request, std::nullopt);
      break;
    }
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
    case WINHTTP_CALLBACK_STATUS_SECURE_FAILURE:
      Finish(request, std::nullopt);
      break;
    default:
      break;
  }
}

}  // namespace

WinHttpSuggestionFetcher::WinHttpSuggestionFetcher(HWND notify)
    : notify_(notify), api_(Api::Load()) {
  if (!api_) return;
  // The automatic proxy (Windows 8.1 and later), else what the system configured.
  session_ = api_->Open(L"Velto", WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY, WINHTTP_NO_PROXY_NAME,
                        WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
  if (session_ == nullptr)
    session_ = api_->Open(L"Velto", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC);
  if (session_ == nullptr) return;
  api_->SetStatusCallback(session_, &OnStatus,
                          WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_HANDLES |
                              WINHTTP_CALLBACK_FLAG_SECURE_FAILURE | WINHTTP_CALLBACK_FLAG_REDIRECT,
                          0);
  api_->SetTimeouts(session_, kTimeoutMilliseconds, kTimeoutMilliseconds, kTimeoutMilliseconds,
                    kTimeoutMilliseconds);
  DWORD redirects = kMaxRedirects;
  api_->SetOption(session_, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                  sizeof redirects);
  DWORD policy = WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP;
  api_->SetOption(session_, WINHTTP_OPTION_REDIRECT_POLICY, &policy, sizeof policy);
}

WinHttpSuggestionFetcher::~WinHttpSuggestionFetcher() {
  Cancel();
  if (session_ != nullptr) api_->CloseHandle(session_);
}

void WinHttpSuggestionFetcher::Fetch(const std::string& url, Done done) {
  Cancel();
  const std::uint64_t fetch = fetch_;
  done_ = std::move(done);
  if (session_ == nullptr) return Fail(fetch);

  std::wstring address = WideFromUtf8(url);
  URL_COMPONENTS parts{};
  parts.dwStructSize = sizeof parts;
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  if (!api_->CrackUrl(address.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS))
    return Fail(fetch);
  const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);

  auto request = std::make_shared<Request>();
  request->api = api_.get();
  request->notify = notify_;
  request->fetch = fetch;
  request->connection = api_->Connect(session_, host.c_str(), parts.nPort, 0);
  if (request->connection != nullptr)
    request->request =
        api_->OpenRequest(request->connection, L"GET", path.empty() ? L"/" : path.c_str(), nullptr,
                          WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                          parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0);
  if (request->request == nullptr) {
    if (request->connection != nullptr) api_->CloseHandle(request->connection);
    return Fail(fetch);
  }
  // The callbacks' share, given back by the request handle's closing callback.
  auto share = std::make_unique<std::shared_ptr<Request>>(request);
  DWORD_PTR context = reinterpret_cast<DWORD_PTR>(share.get());
  if (!api_->SetOption(request->request, WINHTTP_OPTION_CONTEXT_VALUE, &context, sizeof context)) {
    request->closed = true;
    api_->CloseHandle(request->request);
    api_->CloseHandle(request->connection);
    return Fail(fetch);
  }
  (void)share.release();
  // The limit again on the request itself: a WinHTTP that keeps it per request only (Wine's
  // does) would otherwise follow a fourth redirect before the callback above could stop it.
  DWORD redirects = kMaxRedirects;
  api_->SetOption(request->request, WINHTTP_OPTION_MAX_HTTP_AUTOMATIC_REDIRECTS, &redirects,
                  sizeof redirects);
  running_ = request;
  if (!api_->SendRequest(request->request, WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                         WINHTTP_NO_REQUEST_DATA, 0, 0, context)) {
    Finish(*request, std::nullopt);
  }
}

void WinHttpSuggestionFetcher::Fail(std::uint64_t fetch) {
  // The answer always comes later, through the window, as a network answer would.
  auto answer = std::make_unique<Answer>(Answer{fetch, std::nullopt});
  if (PostMessageW(notify_, kSuggestionAnswerMessage, 0, reinterpret_cast<LPARAM>(answer.get())) !=
      FALSE)
    (void)answer.release();
}

void WinHttpSuggestionFetcher::Cancel() {
  ++fetch_;
  done_ = nullptr;
  if (std::shared_ptr<Request> request = std::move(running_)) {
    request->finished = true;
    Close(*request);
  }
}

void WinHttpSuggestionFetcher::Deliver(LPARAM posted) noexcept {
  std::unique_ptr<Answer> answer(reinterpret_cast<Answer*>(posted));
  if (!answer || answer->fetch != fetch_ || !done_) return;
  running_.reset();
  Done done = std::move(done_);
  done_ = nullptr;
  done(std::move(answer->body));
}

}  // namespace velto::win32
