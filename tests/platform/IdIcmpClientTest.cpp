#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/os/IdIcmpClient.h"
#include "platform/os/ScopedService.h"

namespace {

// Sends one 1024-byte echo to the loopback address through Echo, as the update
// window does. When the process may not send ICMP echoes, the clear report of
// that must come back instead.
void ExpectLoopbackEchoOrRefusal(std::unique_ptr<IIcmpEcho> echo, bool* answered = nullptr) {
  const TScopedService service(SetIcmpEcho, std::move(echo));
  TIdIcmpClient ping(nullptr);
  ping.SetHost(QStringLiteral("127.0.0.1"));
  ping.SetReceiveTimeout(400);
  ping.SetPacketSize(1024);
  std::vector<TReplyStatusTypes> heard;
  int bytes = -1;
  ping.OnReply = [&](TComponent* sender, const TReplyStatus& s) {
    EXPECT_EQ(sender, &ping);
    heard.push_back(s.ReplyStatusType());
    bytes = s.BytesReceived();
  };
  try {
    ping.Ping(QString(), 7);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0], rsEcho);
    EXPECT_EQ(bytes, 8 + 1024);
    EXPECT_EQ(ping.ReplyStatus().FromIpAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(ping.ReplyStatus().SequenceId(), 7);
    if (answered) *answered = true;
  } catch (const EIdSocketError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("ICMP echo is not permitted for this process: ")))
        << e.Message().toStdString();
    EXPECT_TRUE(heard.empty());
    if (answered) *answered = false;
  }
}

TEST(IcmpEcho, LoopbackAnswersOrRefusalIsClear) {
  bool answered = false;
  ExpectLoopbackEchoOrRefusal(nullptr, &answered);  // the real service
  if (!answered) GTEST_LOG_(INFO) << "ICMP echo is not permitted in this environment";
  // Each socket kind on its own.
  ExpectLoopbackEchoOrRefusal(std::make_unique<TSocketIcmpEcho>(true, false));
  ExpectLoopbackEchoOrRefusal(std::make_unique<TSocketIcmpEcho>(false, true));
}

TEST(IcmpEcho, NeitherSocketKindIsReportedClearly) {
  TSocketIcmpEcho none(false, false);
  try {
    none.Echo(QStringLiteral("127.0.0.1"), QByteArray(32, 'x'), 0, 400);
    FAIL() << "no exception";
  } catch (const EIdSocketError& e) {
    EXPECT_TRUE(e.Message().startsWith(QStringLiteral("ICMP echo is not permitted for this process: ")));
  }
}

TEST(IcmpEcho, BadTargetsRaise) {
  TIdIcmpClient ping(nullptr);
  bool fired = false;
  ping.OnReply = [&](TComponent*, const TReplyStatus&) { fired = true; };
  for (const char* host : {"", "  ", "192.168.1.300", "1..2.3"}) {
    ping.SetHost(QLatin1String(host));
    EXPECT_THROW(ping.Ping(), EIdSocketError) << host;
  }
  EXPECT_FALSE(fired);
}

// The replacement service sees what the component sends and decides the outcome.
TEST(IcmpEcho, ReplaceableServiceAndTimeOutReport) {
  struct TFake : IIcmpEcho {
    QByteArray* payload;
    explicit TFake(QByteArray* p) : payload(p) {}
    TReplyStatus Echo(const QString& Host, const QByteArray& Payload, uint16_t Sequence,
                      int Timeout) override {
      *payload = Payload;
      TReplyStatus s;
      s.SetToIpAddress(Host);
      s.SetSequenceId(Sequence);
      s.SetMsRoundTripTime(Timeout);
      s.SetReplyStatusType(rsTimeOut);
      return s;
    }
  };
  QByteArray payload;
  const TScopedService fake(SetIcmpEcho, std::make_unique<TFake>(&payload));
  TIdIcmpClient ping(nullptr);
  ping.SetHost(QStringLiteral("192.168.2.205"));
  ping.SetReceiveTimeout(400);
  ping.SetPacketSize(40);
  TReplyStatusTypes heard = rsEcho;
  ping.OnReply = [&](TComponent*, const TReplyStatus& s) { heard = s.ReplyStatusType(); };
  ping.Ping(QStringLiteral("hello"), 3);
  EXPECT_EQ(heard, rsTimeOut);
  EXPECT_EQ(ping.ReplyStatus().BytesReceived(), 0);
  EXPECT_EQ(ping.ReplyStatus().MsRoundTripTime(), 400);
  EXPECT_EQ(payload.size(), 40);
  EXPECT_TRUE(payload.startsWith("hello"));
}

}  // namespace
