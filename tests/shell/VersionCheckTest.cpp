#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

#include "ShellFixture.h"

namespace {

// A TCP socket bound to a free port of 127.0.0.1.
int Loopback_Socket(int& Port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  socklen_t len = sizeof a;
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  Port = ntohs(a.sin_port);
  return s;
}

// The maker's web server as a test plays it: an HTTP server on 127.0.0.1
// that answers each connection with the next prepared reply (or closes it
// unanswered when none is left) and keeps the requests it received.
class TVersionServer {
 public:
  TVersionServer() {
    FSocket = Loopback_Socket(FPort);
    ::listen(FSocket, 4);
    FThread = std::thread([this] { Run(); });
  }
  ~TVersionServer() {
    FStop = true;
    FThread.join();
    ::close(FSocket);
  }
  QString Address() const { return QStringLiteral("http://127.0.0.1:%1").arg(FPort); }
  void Reply(const QByteArray& Status, const QByteArray& Body) {
    std::lock_guard<std::mutex> g(FLock);
    FReplies.push_back("HTTP/1.0 " + Status + "\r\nContent-Type: text/html\r\n\r\n" + Body);
  }
  QList<QByteArray> Requests() {
    std::lock_guard<std::mutex> g(FLock);
    return FRequests;
  }

 private:
  void Run() {
    while (!FStop) {
      pollfd p{FSocket, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int c = ::accept(FSocket, nullptr, nullptr);
      QByteArray head;
      char buf[512];
      while (!head.contains("\r\n\r\n")) {
        pollfd q{c, POLLIN, 0};
        if (::poll(&q, 1, 2000) <= 0) break;
        const ssize_t n = ::recv(c, buf, sizeof buf, 0);
        if (n <= 0) break;
        head.append(buf, n);
      }
      QByteArray reply;
      {
        std::lock_guard<std::mutex> g(FLock);
        FRequests << head;
        if (!FReplies.empty()) {
          reply = FReplies.front();
          FReplies.pop_front();
        }
      }
      if (!reply.isEmpty()) ::send(c, reply.constData(), static_cast<size_t>(reply.size()), MSG_NOSIGNAL);
      ::close(c);
    }
  }
  int FSocket = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  std::mutex FLock;
  std::deque<QByteArray> FReplies;
  QList<QByteArray> FRequests;
  std::thread FThread;
};

// A loopback address where nothing listens.
QString RefusingAddress() {
  int port = 0;
  ::close(Loopback_Socket(port));
  return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

class VersionCheck : public ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    Start();
    Point_At(Server.Address());
  }
  static void Point_At(const QString& Address) {
    TRegistryIniFile("Software\\Tarvix\\ZIDI").WriteString("Internet", "Web_Server", Address);
  }
  TVersionServer Server;
};

}  // namespace

TEST(VersionText, ConvVersionReadsTheDigitAroundThePoint) {
  const std::pair<const char*, int> cases[] = {
      {"VER. 1.004", 1004}, {"1.003", 1003},      {"VER. 1.0041", 1004}, {"VER. 10.004", -1},
      {"VER. 0.000", 0},    {"VER. 1.0", -1},     {"VER.", -1},          {"", -1},
      {"VER. a.bcd", -1},   {"VER. $.abc", -1},   {"VER.   2.100  ", 2100},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(Conv_Version(QString::fromLatin1(text)), value) << text;
}

TEST(VersionText, ConvVersionTakesFourDigitsAndNothingElse) {
  // Signs, blanks and NULs among the four characters are no number, though the
  // string conversion would read them as one.
  const std::pair<QString, int> cases[] = {
      {QStringLiteral("VER. 0") + QString(3, QChar(0)) + QStringLiteral(".003"), -1},
      {QStringLiteral("VER. 1.") + QString(3, QChar(0)) + QStringLiteral("x"), -1},
      {"VER. -.004", -1},
      {"VER. +.999", -1},
      {"VER. 1.99 x", -1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(Conv_Version(text), value) << text.toStdString();
}

TEST_F(VersionCheck, AsksTheVersionPageWithTheClientsHeaders) {
  Server.Reply("200 OK", "VER. 1.004");
  EXPECT_TRUE(FSoftOptions->Check_Version());
  ASSERT_EQ(Server.Requests().size(), 1);
  const QByteArray request = Server.Requests().at(0);
  EXPECT_TRUE(request.startsWith("GET /home/download/GetversionSW.asp?nomesw=ZIDI HTTP/1.0\r\n")) << request.data();
  EXPECT_TRUE(request.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
  EXPECT_TRUE(request.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
  EXPECT_FALSE(request.contains("Cookie"));
}

TEST_F(VersionCheck, OnlyAHigherServerVersionIsNewer) {
  const std::pair<const char*, bool> replies[] = {
      {"VER. 1.004", true},     {" ver. 1.004 \r\n", true}, {"VER. 2.000", true}, {"VER. 1.003", false},
      {"VER. 0.999", false},    {"VER. 0.000", false},      {"", false},          {"Not found", false},
      {"VER. 10.004", false},
  };
  for (const auto& [body, newer] : replies) {
    Server.Reply("200 OK", body);
    EXPECT_EQ(FSoftOptions->Check_Version(), newer) << body;
  }
}

TEST_F(VersionCheck, AFailedRequestMeansNoNewerVersion) {
  Server.Reply("500 Internal Server Error", "VER. 9.999");
  EXPECT_FALSE(FSoftOptions->Check_Version());
  Point_At(RefusingAddress());
  EXPECT_FALSE(FSoftOptions->Check_Version());
}

TEST_F(VersionCheck, TheTimerTickShowsOrHidesTheUpdateLinkAndWaitsTwoHours) {
  TFVarneltoeFirmWare* f = FVarneltoeFirmWare;
  Server.Reply("200 OK", "VER. 1.004");
  f->Timer_UpdateTimer(f->Timer_Update);
  EXPECT_TRUE(f->LL_Update->Visible());
  EXPECT_EQ(f->LL_Update->PlainText(), "New Version Available. Click Here for more Details");
  EXPECT_TRUE(f->LL_Update->Caption().contains(Server.Address() + "/Home/download/download.asp#HDKB"));
  EXPECT_TRUE(f->Timer_Update->Enabled());
  EXPECT_EQ(f->Timer_Update->Interval(), 7200000u);

  Server.Reply("200 OK", "VER. 1.003");
  f->Timer_UpdateTimer(f->Timer_Update);
  EXPECT_FALSE(f->LL_Update->Visible());
  EXPECT_TRUE(f->Timer_Update->Enabled());
}

TEST_F(VersionCheck, OnDemandTheOptionsWindowShowsTheAnswer) {
  Server.Reply("200 OK", "VER. 1.004");
  FSoftOptions->Btn_Check_UpdateClick(FSoftOptions->Btn_Check_Update);
  EXPECT_TRUE(FSoftOptions->LL_Check_Update->Visible());
  EXPECT_EQ(FSoftOptions->LL_Check_Update->PlainText(), "New Version Available. Click Here for more Details");
  EXPECT_EQ(FSoftOptions->LL_Check_Update->LinkCount(), 1);
  Server.Reply("503 Service Unavailable", "");
  FSoftOptions->Btn_Check_UpdateClick(FSoftOptions->Btn_Check_Update);
  EXPECT_EQ(FSoftOptions->LL_Check_Update->Caption(), "No Update Available");
  EXPECT_EQ(FSoftOptions->LL_Check_Update->LinkCount(), 0);
}
