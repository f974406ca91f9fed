#include "platform/qt/network/suggestion_fetcher.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

namespace velto {
namespace {

constexpr int kMaxRedirects = 3;

bool IsWebAddress(const QUrl& url) {
  return url.isValid() &&
         (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

}  // namespace

NetworkSuggestionFetcher::NetworkSuggestionFetcher() {
  // The proxy the system names: on Linux the http_proxy, https_proxy and no_proxy variables.
  QNetworkProxyFactory::setUseSystemConfiguration(true);
  manager_ = std::make_unique<QNetworkAccessManager>();
  // Never from https down to http; other schemes are not followed at all.
  manager_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

NetworkSuggestionFetcher::~NetworkSuggestionFetcher() {
  Cancel();
}

void NetworkSuggestionFetcher::Fetch(const std::string& url, Done done) {
  Cancel();
  const std::uint64_t fetch = fetch_;
  done_ = std::move(done);
  const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
  if (!IsWebAddress(address)) {
    // The answer always comes later, as a network answer would.
    QTimer::singleShot(0, manager_.get(), [this, fetch] { Fail(fetch); });
    return;
  }
  QNetworkRequest request(address);
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  QNetworkReply* reply = manager_->get(request);
  reply_ = reply;
  QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                   [reply](qint64 received, qint64 total) {
                     // Read no more than a suggestion answer may hold.
                     if (received > static_cast<qint64>(kMaxSuggestionBody) ||
                         total > static_cast<qint64>(kMaxSuggestionBody))
                       reply->abort();
                   });
  QObject::connect(reply, &QNetworkReply::redirected, reply, [reply](const QUrl& to) {
    if (!IsWebAddress(to)) reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::finished, manager_.get(),
                   [this, reply, fetch] { Finished(reply, fetch); });
}

void NetworkSuggestionFetcher::Cancel() {
  ++fetch_;
  done_ = nullptr;
  if (QNetworkReply* reply = reply_.data()) {
    reply_.clear();
    reply->abort();  // finished comes at once and finds the fetch dropped
    reply->deleteLater();
  }
}

void NetworkSuggestionFetcher::Fail(std::uint64_t fetch) {
  if (fetch != fetch_ || !done_) return;
  Done done = std::move(done_);
  done_ = nullptr;
  done(std::nullopt);
}

void NetworkSuggestionFetcher::Finished(QNetworkReply* reply, std::uint64_t fetch) {
  reply->deleteLater();
  if (fetch != fetch_ || !done_) return;
  reply_.clear();
  std::optional<std::string> body;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (reply->error() == QNetworkReply::NoError && status == 200) {
    const QByteArray bytes = reply->read(static_cast<qint64>(kMaxSuggestionBody) + 1);
    if (bytes.size() <= static_cast<qsizetype>(kMaxSuggestionBody)) body = bytes.toStdString();
  }
  Done done = std::move(done_);
  done_ = nullptr;
  done(std::move(body));
}

}  // namespace velto
