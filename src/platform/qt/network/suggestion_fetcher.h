#pragma once
// Suggestion answers over Qt's HTTP client. The network access manager is made with the first
// fetch, so a bar without suggestions never sets up a network client.
#include <QPointer>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ports/suggestion_ports.h"

class QNetworkAccessManager;
class QNetworkReply;
class QUrl;

namespace velto {

class NetworkSuggestionFetcher final : public SuggestionFetcher {
 public:
  NetworkSuggestionFetcher();
  ~NetworkSuggestionFetcher() override;

  void Fetch(const std::string& url, Done done) override;
  void Cancel() override;

 private:
  void Send(const QUrl& address, std::uint64_t fetch);
  void Finished(QNetworkReply* reply, std::uint64_t fetch);
  // Where a redirect answer sends the fetch next; nullopt for any other answer, or a redirect
  // that is not followed.
  std::optional<QUrl> RedirectTarget(QNetworkReply& reply) const;
  void Fail(std::uint64_t fetch);
  // Moves what the reply has into body_, ending the transfer once it is more than an answer.
  void Take(QNetworkReply* reply);
  void Overflow(QNetworkReply* reply);

  std::unique_ptr<QNetworkAccessManager> manager_;
  QPointer<QNetworkReply> reply_;
  Done done_;
  std::string body_;  // the running fetch's body so far
  bool overflowed_ = false;
  int redirects_ = 0;        // followed so far by the running fetch
  std::uint64_t fetch_ = 0;  // the running fetch's number; anything older is dropped
};

}  // namespace velto
