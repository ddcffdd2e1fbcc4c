#include "platform/os/IdHTTP.h"

#include <utility>

#include <curl/curl.h>

#include <QStringDecoder>
#include <cstring>
#include <mutex>

namespace {

// Largest reply body accepted; a larger one ends the request with an error.
constexpr size_t kMaxBody = 64u * 1024u * 1024u;

struct TReceive {
  THttpReply Reply;
  bool TooLarge = false;
};

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* rx = static_cast<TReceive*>(user);
  const size_t n = size * count;
  QByteArray line(data, static_cast<qsizetype>(n));
  while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
  if (line.startsWith("HTTP/")) {
    // A new status line (after an interim reply): start over.
    rx->Reply.StatusLine = line;
    rx->Reply.Headers.clear();
    const QList<QByteArray> parts = line.split(' ');
    rx->Reply.StatusCode = parts.size() > 1 ? parts.at(1).toInt() : 0;
  } else if (!line.isEmpty()) {
    const int colon = line.indexOf(':');
    if (colon > 0)
      rx->Reply.Headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
  }
  return n;
}

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  auto* rx = static_cast<TReceive*>(user);
  const size_t n = size * count;
  if (static_cast<size_t>(rx->Reply.Body.size()) + n > kMaxBody) {
    rx->TooLarge = true;
    return 0;  // ends the transfer
  }
  rx->Reply.Body.append(data, static_cast<qsizetype>(n));
  return n;
}

class TCurlTransport : public IHttpTransport {
 public:
  TCurlTransport() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  }

  THttpReply Execute(const THttpRequest& Request) override {
    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) throw EIdException(QStringLiteral("The HTTP client could not be created."));
    CURL* h = curl.get();
    char errbuf[CURL_ERROR_SIZE] = {0};
    TReceive rx;
    const QByteArray url = Request.Url.toUtf8();

    curl_easy_setopt(h, CURLOPT_URL, url.constData());
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_PROXY, "");  // no proxy, whatever the environment says
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION,
                     Request.Http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, Request.FollowRedirects ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 15L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(Request.ConnectTimeout));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(Request.Timeout));
    if (Request.Method == "HEAD")
      curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    else if (Request.Method != "GET")
      curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, Request.Method.constData());

    curl_slist* headers = nullptr;
    for (const auto& [name, value] : Request.Headers) {
      // "Name;" sends a header with an empty value; "Name:" would remove it.
      const QByteArray line = value.isEmpty() ? name + ";" : name + ": " + value;
      headers = curl_slist_append(headers, line.constData());
    }
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> headerGuard(headers, curl_slist_free_all);
    if (headers) curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);

    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &rx);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &rx);

    const CURLcode rc = curl_easy_perform(h);
    if (rc == CURLE_OK) return std::move(rx.Reply);

    long osErrno = 0;
    curl_easy_getinfo(h, CURLINFO_OS_ERRNO, &osErrno);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(h, CURLINFO_CONNECT_TIME_T, &connectTime);
    const QString detail = QString::fromUtf8(errbuf[0] ? errbuf : curl_easy_strerror(rc));
    switch (rc) {
      case CURLE_OPERATION_TIMEDOUT:
        if (connectTime == 0) throw EIdConnectTimeout(QStringLiteral("Connect timed out."));
        throw EIdReadTimeout(QStringLiteral("Read timed out."));
      case CURLE_COULDNT_CONNECT:
        if (osErrno != 0)
          throw EIdSocketError(QStringLiteral("Socket Error # %1\n%2.")
                                   .arg(osErrno)
                                   .arg(QString::fromLocal8Bit(std::strerror(int(osErrno)))),
                               int(osErrno));
        throw EIdSocketError(detail);
      case CURLE_COULDNT_RESOLVE_HOST:
      case CURLE_COULDNT_RESOLVE_PROXY:
        throw EIdSocketError(QStringLiteral("Host not found: %1").arg(detail), int(osErrno));
      case CURLE_GOT_NOTHING:
        throw EIdSocketError(QStringLiteral("Connection Closed Gracefully."), int(osErrno));
      case CURLE_WRITE_ERROR:
        if (rx.TooLarge) throw EIdException(QStringLiteral("The reply is too large."));
        [[fallthrough]];
      default:
        throw EIdSocketError(detail, int(osErrno));
    }
  }
};

std::unique_ptr<IHttpTransport>& TransportSlot() {
  static std::unique_ptr<IHttpTransport> slot;
  return slot;
}

// The charset parameter of a Content-Type value, lower-cased, or empty.
QByteArray CharsetOf(const QByteArray& contentType) {
  for (QByteArray part : contentType.split(';')) {
    part = part.trimmed();
    if (part.toLower().startsWith("charset=")) {
      QByteArray cs = part.mid(8).trimmed();
      if (cs.size() >= 2 && cs.startsWith('"') && cs.endsWith('"')) cs = cs.mid(1, cs.size() - 2);
      return cs.toLower();
    }
  }
  return {};
}

QString DecodeBody(const QByteArray& body, const QByteArray& contentType) {
  const QByteArray charset = CharsetOf(contentType);
  if (!charset.isEmpty()) {
    QStringDecoder decoder(charset.constData());
    if (decoder.isValid()) return decoder.decode(body);
  }
  return QString::fromLatin1(body);
}

}  // namespace

IHttpTransport& HttpTransport() {
  auto& slot = TransportSlot();
  if (!slot) slot = std::make_unique<TCurlTransport>();
  return *slot;
}

std::unique_ptr<IHttpTransport> SetHttpTransport(std::unique_ptr<IHttpTransport> Transport) {
  return std::exchange(TransportSlot(), std::move(Transport));
}

TIdHTTP::TIdHTTP(TComponent* AOwner) : TComponent(AOwner) {}

QString TIdHTTP::Get(const QString& AURL) {
  THttpRequest req;
  req.Url = AURL;
  req.Http10 = FProtocolVersion == pv1_0;
  req.FollowRedirects = FHandleRedirects;
  req.ConnectTimeout = FConnectTimeout;
  req.Timeout = FReadTimeout;
  if (!FRequest.Accept().isEmpty()) req.Headers.append({"Accept", FRequest.Accept().toUtf8()});
  if (!FRequest.UserAgent().isEmpty())
    req.Headers.append({"User-Agent", FRequest.UserAgent().toUtf8()});
  for (const QString& line : FRequest.CustomHeaders()) {
    const int colon = line.indexOf(QLatin1Char(':'));
    if (colon <= 0) continue;
    req.Headers.append({line.left(colon).trimmed().toUtf8(), line.mid(colon + 1).trimmed().toUtf8()});
  }

  FResponse = TIdHTTPResponse();
  const THttpReply reply = HttpTransport().Execute(req);

  FResponse.FResponseCode = reply.StatusCode;
  FResponse.FResponseText = QString::fromLatin1(reply.StatusLine);
  QByteArray contentType;
  for (const auto& [name, value] : reply.Headers) {
    FResponse.FRawHeaders << QString::fromLatin1(name + ": " + value);
    if (name.compare("Content-Type", Qt::CaseInsensitive) == 0) contentType = value;
  }
  FResponse.FContentType = QString::fromLatin1(contentType);

  const QString body = DecodeBody(reply.Body, contentType);
  if (reply.StatusCode < 200 || reply.StatusCode > 299)
    throw EIdHTTPProtocolException(reply.StatusCode, FResponse.FResponseText, body);
  return body;
}
