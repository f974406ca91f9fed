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
// What Qt may read ahead of the body taken out: a little more than an answer may hold, so the
// answer's last byte and the one past the limit both arrive.
constexpr qint64 kReadAhead = static_cast<qint64>(kMaxSuggestionBody) + 1;

bool IsWebAddress(const QUrl& url) {
  return url.isValid() &&
         (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

}  // namespace

NetworkSuggestionFetcher::NetworkSuggestionFetcher() {
  // The proxy the system names: on Linux the http_proxy, https_proxy and no_proxy variables.
  QNetworkProxyFactory::setUseSystemConfiguration(true);
  manager_ = std::make_unique<QNetworkAccessManager>();
  // Redirects are followed here, not by Qt: Qt follows one as soon as its headers arrive and,
  // when the server then closes the connection on the redirect's body (an HTTP/1.0 server
  // does), sends the first request a second time.
  manager_->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

NetworkSuggestionFetcher::~NetworkSuggestionFetcher() {
  Cancel();
}

void NetworkSuggestionFetcher::Fetch(const std::string& url, Done done) {
  Cancel();
  const std::uint64_t fetch = fetch_;
  done_ = std::move(done);
  redirects_ = 0;
  const QUrl address = QUrl::fromEncoded(QByteArray::fromStdString(url), QUrl::StrictMode);
  if (!IsWebAddress(address)) {
    // The answer always comes later, as a network answer would.
    QTimer::singleShot(0, manager_.get(), [this, fetch] { Fail(fetch); });
    return;
  }
  Send(address, fetch);
}

void NetworkSuggestionFetcher::Send(const QUrl& address, std::uint64_t fetch) {
  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  // A compressed body is unpacked before the buffer below sees it; past an answer's size, Qt
  // stops one that unpacks to far more than came over the wire.
  request.setDecompressedSafetyCheckThreshold(static_cast<qint64>(kMaxSuggestionBody));
  QNetworkReply* reply = manager_->get(request);
  // Qt's HTTP thread reads ahead into the reply's buffer without limit unless told otherwise:
  // a body of unknown size (chunked, until the connection closes, or compressed) would be read
  // whole before any signal here could stop it. A bounded buffer makes the thread wait for the
  // body to be taken out below.
  reply->setReadBufferSize(kReadAhead);
  reply_ = reply;
  body_.clear();
  overflowed_ = false;
  QObject::connect(reply, &QNetworkReply::readyRead, reply, [this, reply] { Take(reply); });
  QObject::connect(reply, &QNetworkReply::finished, manager_.get(),
                   [this, reply, fetch] { Finished(reply, fetch); });
}

std::optional<QUrl> NetworkSuggestionFetcher::RedirectTarget(QNetworkReply& reply) const {
  const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308)
    return std::nullopt;
  // The raw header: Qt's own reading of it keeps only absolute addresses.
  const QUrl location = QUrl::fromEncoded(reply.rawHeader("Location"));
  if (!location.isValid()) return std::nullopt;
  const QUrl target = reply.url().resolved(location);
  // Only web addresses, at most kMaxRedirects times, and never from https down to http.
  const bool downgrade =
      reply.url().scheme() == QLatin1String("https") && target.scheme() == QLatin1String("http");
  if (!IsWebAddress(target) || downgrade || redirects_ >= kMaxRedirects) return std::nullopt;
  return target;
}

void NetworkSuggestionFetcher::Take(QNetworkReply* reply) {
  if (reply != reply_.data()) return;
  // A declared size over the limit is no answer, whatever has come of it yet.
  const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
  if (declared.isValid() && declared.toLongLong() > static_cast<qint64>(kMaxSuggestionBody))
    return Overflow(reply);
  const QByteArray bytes = reply->readAll();
  if (body_.size() + static_cast<std::size_t>(bytes.size()) > kMaxSuggestionBody)
    return Overflow(reply);
  body_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void NetworkSuggestionFetcher::Overflow(QNetworkReply* reply) {
  // No more than an answer may hold is read: the transfer ends here and what came is freed.
  overflowed_ = true;
  std::string().swap(body_);
  reply->abort();
}

void NetworkSuggestionFetcher::Cancel() {
  ++fetch_;
  done_ = nullptr;
  std::string().swap(body_);
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
  std::optional<std::string> body;
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  if (reply->error() == QNetworkReply::NoError) {
    if (const auto target = RedirectTarget(*reply)) {
      // The next address, once: the redirect's own body is not looked at.
      ++redirects_;
      reply_.clear();
      return Send(*target, fetch);
    }
  }
  if (reply->error() == QNetworkReply::NoError && status == 200) {
    Take(reply);  // what is left in the reply's buffer
    if (!overflowed_) body = std::move(body_);
  }
  reply_.clear();
  std::string().swap(body_);
  Done done = std::move(done_);
  done_ = nullptr;
  done(std::move(body));
}

}  // namespace velto
