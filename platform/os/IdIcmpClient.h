// ICMP echo client component of the internet component suite: sends one echo
// request per Ping and waits for its reply up to ReceiveTimeout.
//
// TIdIcmpClient hands each echo to the process-wide IIcmpEcho. Tests replace
// it with SetIcmpEcho and restore the real one (TSocketIcmpEcho) with nullptr.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/os/IdException.h"

enum TReplyStatusTypes {
  rsEcho,                // the echo reply arrived
  rsError,               // an ICMP report of another kind
  rsTimeOut,             // nothing within the time-out
  rsErrorUnreachable,    // destination unreachable
  rsErrorTTLExceeded,    // time to live exceeded on the way
  rsErrorPacketTooBig,   // fragmentation needed but not allowed
  rsErrorParameter,      // parameter problem
  rsSourceQuench,
  rsErrorRedirect
};

// The outcome of one echo request.
class TReplyStatus {
 public:
  // Bytes of the echo reply (ICMP header and data); 0 when no echo reply came
  // (time-out or an error report), so a count above 0 means the host answered.
  int BytesReceived() const { return FBytesReceived; }
  void SetBytesReceived(int v) { FBytesReceived = v; }
  // Address the reply or report came from; empty on a time-out.
  const QString& FromIpAddress() const { return FFromIpAddress; }
  void SetFromIpAddress(const QString& v) { FFromIpAddress = v; }
  // The address the request went to.
  const QString& ToIpAddress() const { return FToIpAddress; }
  void SetToIpAddress(const QString& v) { FToIpAddress = v; }
  uint8_t MsgType() const { return FMsgType; }
  void SetMsgType(uint8_t v) { FMsgType = v; }
  uint8_t MsgCode() const { return FMsgCode; }
  void SetMsgCode(uint8_t v) { FMsgCode = v; }
  uint16_t SequenceId() const { return FSequenceId; }
  void SetSequenceId(uint16_t v) { FSequenceId = v; }
  // Time to live of the received packet, 0 when unknown.
  int TimeToLive() const { return FTimeToLive; }
  void SetTimeToLive(int v) { FTimeToLive = v; }
  int MsRoundTripTime() const { return FMsRoundTripTime; }
  void SetMsRoundTripTime(int v) { FMsRoundTripTime = v; }
  TReplyStatusTypes ReplyStatusType() const { return FReplyStatusType; }
  void SetReplyStatusType(TReplyStatusTypes v) { FReplyStatusType = v; }

 private:
  int FBytesReceived = 0;
  QString FFromIpAddress;
  QString FToIpAddress;
  uint8_t FMsgType = 0;
  uint8_t FMsgCode = 0;
  uint16_t FSequenceId = 0;
  int FTimeToLive = 0;
  int FMsRoundTripTime = 0;
  TReplyStatusTypes FReplyStatusType = rsTimeOut;
};

class IIcmpEcho {
 public:
  virtual ~IIcmpEcho() = default;
  // Sends one echo request carrying Payload to Host and waits up to Timeout ms.
  // Returns the reply, the error report or the time-out. Raises EIdSocketError
  // when the host cannot be resolved, the request cannot be sent, or the
  // process may not send ICMP echoes at all.
  virtual TReplyStatus Echo(const QString& Host, const QByteArray& Payload, uint16_t Sequence,
                            int Timeout) = 0;
};

// The process-wide echo service. Setting nullptr restores the real one; the
// setter hands back the service it replaces (see TScopedService for tests).
IIcmpEcho& IcmpEcho();
std::unique_ptr<IIcmpEcho> SetIcmpEcho(std::unique_ptr<IIcmpEcho> Echo);

// The real echo service on IPv4 sockets. It uses an unprivileged ICMP datagram
// socket (allowed when net.ipv4.ping_group_range covers the process's group)
// and falls back to a raw socket (root or CAP_NET_RAW). When neither may be
// opened, Echo raises EIdSocketError "ICMP echo is not permitted for this
// process: ..." with the reasons. The two flags switch a socket kind off.
class TSocketIcmpEcho : public IIcmpEcho {
 public:
  explicit TSocketIcmpEcho(bool AllowDatagram = true, bool AllowRaw = true)
      : FAllowDatagram(AllowDatagram), FAllowRaw(AllowRaw) {}
  TReplyStatus Echo(const QString& Host, const QByteArray& Payload, uint16_t Sequence,
                    int Timeout) override;

 private:
  bool FAllowDatagram;
  bool FAllowRaw;
};

using TOnReplyEvent = std::function<void(TComponent* ASender, const TReplyStatus& AReplyStatus)>;

class TIdIcmpClient : public TComponent {
 public:
  explicit TIdIcmpClient(TComponent* AOwner);

  // The target: a dotted IPv4 address or a host name.
  const QString& Host() const { return FHost; }
  void SetHost(const QString& v) { FHost = v; }
  // Milliseconds a Ping waits for its reply (default 5000).
  int ReceiveTimeout() const { return FReceiveTimeout; }
  void SetReceiveTimeout(int v) { FReceiveTimeout = v; }
  // Bytes of data in each echo request (default 32).
  int PacketSize() const { return FPacketSize; }
  void SetPacketSize(int v) { FPacketSize = v; }

  // Sends one echo request with PacketSize bytes of data (starting with AData,
  // the rest filled with a pattern) and sequence number ASequenceID, waits for
  // the outcome, stores it in ReplyStatus and fires OnReply before returning.
  // Errors without an outcome (unknown host, no permission, sending failed)
  // raise EIdSocketError; OnReply is then not fired.
  void Ping(const QString& AData = QString(), uint16_t ASequenceID = 0);

  const TReplyStatus& ReplyStatus() const { return FReplyStatus; }

  TOnReplyEvent OnReply;

 private:
  QString FHost;
  int FReceiveTimeout = 5000;
  int FPacketSize = 32;
  TReplyStatus FReplyStatus;
};
