#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/os/IdHTTP.h"
#include "platform/os/ScopedService.h"

namespace {

// A TCP socket bound to a free port of 127.0.0.1; Address receives the port.
int BindLoopback(sockaddr_in& Address) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  Address = sockaddr_in{};
  Address.sin_family = AF_INET;
  Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&Address), sizeof Address);
  socklen_t len = sizeof Address;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&Address), &len);
  return s;
}

// A one-connection HTTP server on 127.0.0.1 in a thread of its own. It reads
// the request head, then sends Reply and closes, or, with Reply empty, keeps
// the connection open without answering until the test ends.
class TLoopbackServer {
 public:
  explicit TLoopbackServer(QByteArray reply) : FReply(std::move(reply)) {
    sockaddr_in a;
    FListen = BindLoopback(a);
    FPort = ntohs(a.sin_port);
    ::listen(FListen, 1);
    FThread = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() {
    FStop = true;
    FThread.join();
    ::close(FListen);
  }
  QString Url(const char* path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(FPort).arg(QLatin1String(path));
  }
  QByteArray Request() {
    std::lock_guard<std::mutex> g(FLock);
    return FRequest;
  }

 private:
  bool WaitReadable(int fd) {
    while (!FStop) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) return true;
    }
    return false;
  }
  void Serve() {
    if (!WaitReadable(FListen)) return;
    const int c = ::accept(FListen, nullptr, nullptr);
    QByteArray req;
    char buf[1024];
    while (!req.contains("\r\n\r\n") && WaitReadable(c)) {
      const ssize_t n = ::recv(c, buf, sizeof buf, 0);
      if (n <= 0) break;
      req.append(buf, n);
    }
    {
      std::lock_guard<std::mutex> g(FLock);
      FRequest = req;
    }
    if (!FReply.isEmpty())
      ::send(c, FReply.constData(), static_cast<size_t>(FReply.size()), MSG_NOSIGNAL);
    else
      while (!FStop) ::usleep(5000);  // stalled: never answers
    ::close(c);
  }

  QByteArray FReply;
  int FListen = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  QByteArray FRequest;
  std::thread FThread;
};

// The client as the program's main window sets it up for its version check.
std::unique_ptr<TIdHTTP> VersionClient() {
  auto http = std::make_unique<TIdHTTP>(nullptr);
  http->SetProtocolVersion(pv1_0);
  http->Request()->SetAccept(
      QStringLiteral("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
  http->Request()->SetUserAgent(QStringLiteral("Mozilla/3.0 (compatible; Indy Library)"));
  return http;
}

TEST(HttpClient, NormalReplyGivesBodyAndSendsOnePlainRequest) {
  TLoopbackServer server(
      "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nSet-Cookie: a=b\r\n\r\n"
      "VER. 1.004 \xc3\xa9");
  auto http = VersionClient();
  EXPECT_EQ(http->Get(server.Url("/home/download/GetversionSW.asp?nomesw=ZIDI")),
            QStringLiteral("VER. 1.004 \u00e9"));
  EXPECT_EQ(http->ResponseCode(), 200);
  EXPECT_EQ(http->ResponseText(), QStringLiteral("HTTP/1.0 200 OK"));
  EXPECT_EQ(http->Response()->ContentType(), QStringLiteral("text/html; charset=utf-8"));

  const QByteArray req = server.Request();
  EXPECT_TRUE(req.startsWith("GET /home/download/GetversionSW.asp?nomesw=ZIDI HTTP/1.0\r\n")) << req.constData();
  EXPECT_TRUE(req.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
  EXPECT_TRUE(req.contains(
      "\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
  EXPECT_TRUE(req.contains("\r\nHost: 127.0.0.1:"));
  EXPECT_FALSE(req.contains("Cookie"));
}

TEST(HttpClient, BodyWithoutCharsetIsLatin1) {
  TLoopbackServer server("HTTP/1.0 200 OK\r\n\r\nVER. 1.003\xe9");
  auto http = VersionClient();
  EXPECT_EQ(http->Get(server.Url("/")), QStringLiteral("VER. 1.003\u00e9"));
}

TEST(HttpClient, ErrorStatusAndRedirectRaiseWithTheStatusLine) {
  const struct {
    const char* reply;
    int code;
    const char* line;
  } cases[] = {
      {"HTTP/1.0 500 Internal Server Error\r\n\r\noops", 500, "HTTP/1.0 500 Internal Server Error"},
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 4\r\n\r\ngone", 404, "HTTP/1.1 404 Not Found"},
      // Redirects are not followed.
      {"HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\n", 302, "HTTP/1.0 302 Found"},
  };
  for (const auto& c : cases) {
    TLoopbackServer server(c.reply);
    auto http = VersionClient();
    try {
      http->Get(server.Url("/x"));
      ADD_FAILURE() << "no exception for " << c.line;
    } catch (const EIdHTTPProtocolException& e) {
      EXPECT_EQ(e.ErrorCode(), c.code);
      EXPECT_EQ(e.Message(), QLatin1String(c.line));
      EXPECT_EQ(http->ResponseCode(), c.code);
    }
  }
}

TEST(HttpClient, RefusedConnectionRaisesSocketError) {
  // A port that was just free: nothing listens there.
  sockaddr_in a;
  const int s = BindLoopback(a);
  ::close(s);
  auto http = VersionClient();
  const QString url = QStringLiteral("http://127.0.0.1:%1/").arg(ntohs(a.sin_port));
  EXPECT_THROW(http->Get(url), EIdSocketError);
  EXPECT_EQ(http->ResponseCode(), -1);
}

TEST(HttpClient, StalledServerHitsTheTimeout) {
  TLoopbackServer server{QByteArray()};
  auto http = VersionClient();
  http->SetReadTimeout(300);
  EXPECT_THROW(http->Get(server.Url("/")), EIdReadTimeout);
}

TEST(HttpClient, ServerThatNeverAcceptsHitsTheConnectTimeout) {
  // A listener whose accept queue is full drops further connection requests.
  sockaddr_in a;
  const int s = BindLoopback(a);
  ::listen(s, 0);
  std::vector<int> fillers;
  for (int i = 0; i < 2; ++i) {
    const int c = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ::connect(c, reinterpret_cast<sockaddr*>(&a), sizeof a);
    fillers.push_back(c);
  }
  // Where the system queues connections anyway, the connect phase cannot be stalled.
  const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  ::connect(probe, reinterpret_cast<sockaddr*>(&a), sizeof a);
  pollfd p{probe, POLLOUT, 0};
  const bool queued = ::poll(&p, 1, 100) > 0;
  fillers.push_back(probe);
  auto http = VersionClient();
  http->SetConnectTimeout(200);
  http->SetReadTimeout(1000);
  if (queued) {
    for (int c : fillers) ::close(c);
    ::close(s);
    GTEST_SKIP() << "this system does not hold back connections to a full listener";
  }
  EXPECT_THROW(http->Get(QStringLiteral("http://127.0.0.1:%1/").arg(ntohs(a.sin_port))),
               EIdConnectTimeout);
  for (int c : fillers) ::close(c);
  ::close(s);
}

TEST(HttpClient, ReplaceableTransport) {
  struct TFake : IHttpTransport {
    THttpRequest* seen;
    explicit TFake(THttpRequest* s) : seen(s) {}
    THttpReply Execute(const THttpRequest& r) override {
      *seen = r;
      THttpReply reply;
      reply.StatusCode = 200;
      reply.StatusLine = "HTTP/1.0 200 OK";
      reply.Body = "VER. 0.000";
      return reply;
    }
  };
  THttpRequest seen;
  {
    const TScopedService fake(SetHttpTransport, std::make_unique<TFake>(&seen));
    auto http = VersionClient();
    http->Request()->CustomHeaders() << QStringLiteral("X-Test: 1");
    EXPECT_EQ(http->Get(QStringLiteral("http://example.invalid/v")), QStringLiteral("VER. 0.000"));
  }
  EXPECT_EQ(seen.Url, QStringLiteral("http://example.invalid/v"));
  EXPECT_TRUE(seen.Http10);
  EXPECT_FALSE(seen.FollowRedirects);
  EXPECT_EQ(seen.ConnectTimeout, 5000);
  EXPECT_EQ(seen.Timeout, 10000);
  EXPECT_TRUE(seen.Headers.contains(qMakePair(QByteArray("X-Test"), QByteArray("1"))));
}

}  // namespace
