// HTTP client component of the internet component suite: one plain request
// per call, synchronous, on libcurl.
//
// TIdHTTP builds the request from its properties and hands it to the
// process-wide IHttpTransport. Tests replace the transport with
// SetHttpTransport and restore the real one (libcurl) by passing nullptr.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/os/IdException.h"

// A reply with a status outside 200..299. The message is the reply's status
// line ("HTTP/1.0 500 Internal Server Error"); ErrorMessage holds its body.
class EIdHTTPProtocolException : public EIdException {
 public:
  EIdHTTPProtocolException(int errorCode, const QString& statusLine, const QString& body)
      : EIdException(statusLine), FErrorCode(errorCode), FErrorMessage(body) {}
  int ErrorCode() const { return FErrorCode; }
  const QString& ErrorMessage() const { return FErrorMessage; }

 private:
  int FErrorCode;
  QString FErrorMessage;
};

using THttpHeaders = QList<QPair<QByteArray, QByteArray>>;

// One request as the transport sees it.
struct THttpRequest {
  QByteArray Method = "GET";
  QString Url;
  bool Http10 = false;            // HTTP/1.0 instead of HTTP/1.1
  THttpHeaders Headers;           // sent as given; the transport adds Host
  bool FollowRedirects = false;
  int ConnectTimeout = 5000;      // ms until the connection stands
  int Timeout = 10000;            // ms for the whole request, connecting included
};

// The reply as received, whatever its status.
struct THttpReply {
  int StatusCode = 0;
  QByteArray StatusLine;          // "HTTP/1.0 200 OK", without the line break
  THttpHeaders Headers;
  QByteArray Body;
};

class IHttpTransport {
 public:
  virtual ~IHttpTransport() = default;
  // Performs the request. Failures without a reply raise EIdSocketError
  // (refused, host not found ...), EIdConnectTimeout or EIdReadTimeout.
  virtual THttpReply Execute(const THttpRequest& Request) = 0;
};

// The process-wide transport. Setting nullptr restores the real one; the setter
// hands back the transport it replaces (see TScopedService for tests).
IHttpTransport& HttpTransport();
std::unique_ptr<IHttpTransport> SetHttpTransport(std::unique_ptr<IHttpTransport> Transport);

enum TIdHTTPProtocolVersion { pv1_0, pv1_1 };

// Request headers of TIdHTTP.
class TIdHTTPRequest {
 public:
  const QString& Accept() const { return FAccept; }
  void SetAccept(const QString& v) { FAccept = v; }
  const QString& UserAgent() const { return FUserAgent; }
  void SetUserAgent(const QString& v) { FUserAgent = v; }
  // Further header lines "Name: value".
  QStringList& CustomHeaders() { return FCustomHeaders; }
  const QStringList& CustomHeaders() const { return FCustomHeaders; }

 private:
  QString FAccept = QStringLiteral("text/html, */*");
  QString FUserAgent = QStringLiteral("Mozilla/3.0 (compatible; Indy Library)");
  QStringList FCustomHeaders;
};

// What the last reply said.
class TIdHTTPResponse {
 public:
  int ResponseCode() const { return FResponseCode; }
  // The status line ("HTTP/1.0 200 OK").
  const QString& ResponseText() const { return FResponseText; }
  const QString& ContentType() const { return FContentType; }
  // All header lines "Name: value".
  const QStringList& RawHeaders() const { return FRawHeaders; }

 private:
  friend class TIdHTTP;
  int FResponseCode = -1;
  QString FResponseText;
  QString FContentType;
  QStringList FRawHeaders;
};

class TIdHTTP : public TComponent {
 public:
  explicit TIdHTTP(TComponent* AOwner);

  // Sends one GET request for AURL and returns the reply's body as text,
  // decoded by the charset the reply names (ISO-8859-1 when it names none).
  // A status outside 200..299 raises EIdHTTPProtocolException (redirects too,
  // unless HandleRedirects); failures without a reply raise EIdSocketError,
  // EIdConnectTimeout or EIdReadTimeout.
  QString Get(const QString& AURL);

  TIdHTTPRequest* Request() { return &FRequest; }
  TIdHTTPResponse* Response() { return &FResponse; }
  int ResponseCode() const { return FResponse.ResponseCode(); }
  const QString& ResponseText() const { return FResponse.ResponseText(); }

  TIdHTTPProtocolVersion ProtocolVersion() const { return FProtocolVersion; }
  void SetProtocolVersion(TIdHTTPProtocolVersion v) { FProtocolVersion = v; }
  bool HandleRedirects() const { return FHandleRedirects; }
  void SetHandleRedirects(bool v) { FHandleRedirects = v; }
  // Milliseconds until the connection must stand (default 5000).
  int ConnectTimeout() const { return FConnectTimeout; }
  void SetConnectTimeout(int ms) { FConnectTimeout = ms; }
  // Milliseconds the whole request may take, connecting included (default
  // 10000), so that a silent server cannot freeze the program.
  int ReadTimeout() const { return FReadTimeout; }
  void SetReadTimeout(int ms) { FReadTimeout = ms; }

 private:
  TIdHTTPRequest FRequest;
  TIdHTTPResponse FResponse;
  TIdHTTPProtocolVersion FProtocolVersion = pv1_1;
  bool FHandleRedirects = false;
  int FConnectTimeout = 5000;
  int FReadTimeout = 10000;
};
