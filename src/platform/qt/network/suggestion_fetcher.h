#pragma once
// Suggestion answers over Qt's HTTP client. The network access manager is made with the first
// fetch, so a bar without suggestions never sets up a network client.
#include <QPointer>
#include <cstdint>
#include <memory>

#include "ports/suggestion_ports.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace velto {

class NetworkSuggestionFetcher final : public SuggestionFetcher {
 public:
  NetworkSuggestionFetcher();
  ~NetworkSuggestionFetcher() override;

  void Fetch(const std::string& url, Done done) override;
  void Cancel() override;

 private:
  void Finished(QNetworkReply* reply, std::uint64_t fetch);
  void Fail(std::uint64_t fetch);

  std::unique_ptr<QNetworkAccessManager> manager_;
  QPointer<QNetworkReply> reply_;
  Done done_;
  std::uint64_t fetch_ = 0;  // the running fetch's number; anything older is dropped
};

}  // namespace velto
