#include "platform/os/IdIcmpClient.h"

#include <utility>

#include <arpa/inet.h>
#include <linux/errqueue.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kUnreachable = 3;
constexpr uint8_t kSourceQuench = 4;
constexpr uint8_t kRedirect = 5;
constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kTimeExceeded = 11;
constexpr uint8_t kParameterProblem = 12;
constexpr int kIcmpHeader = 8;
constexpr int kMaxPayload = 65507 - kIcmpHeader;

QString ErrnoText(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

[[noreturn]] void RaiseSocketError(int err) {
  throw EIdSocketError(QStringLiteral("Socket Error # %1\n%2.").arg(err).arg(ErrnoText(err)), err);
}

class TFd {
 public:
  explicit TFd(int fd) : FFd(fd) {}
  ~TFd() { if (FFd >= 0) ::close(FFd); }
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  int get() const { return FFd; }

 private:
  int FFd;
};

uint16_t Checksum(const uint8_t* data, size_t len) {
  uint32_t sum = 0;
  for (size_t i = 0; i + 1 < len; i += 2) sum += uint32_t(data[i]) << 8 | data[i + 1];
  if (len & 1) sum += uint32_t(data[len - 1]) << 8;
  while (sum >> 16) sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<uint16_t>(~sum);
}

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

// The target as an IPv4 address. A text of digits and dots must be a valid
// dotted address; any other text is looked up as a host name.
in_addr Resolve(const QString& host) {
  const QString h = host.trimmed();
  if (h.isEmpty()) throw EIdSocketError(QStringLiteral("No host given for the ICMP echo."));
  in_addr addr{};
  const QByteArray bytes = h.toLatin1();
  bool numeric = true;
  for (QChar c : h)
    if (!(c.isDigit() || c == QLatin1Char('.'))) numeric = false;
  if (numeric) {
    if (inet_pton(AF_INET, bytes.constData(), &addr) != 1)
      throw EIdSocketError(QStringLiteral("'%1' is no valid IPv4 address.").arg(h));
    return addr;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* res = nullptr;
  const int rc = getaddrinfo(h.toUtf8().constData(), nullptr, &hints, &res);
  if (rc != 0 || !res)
    throw EIdSocketError(QStringLiteral("Host not found: %1 (%2)").arg(h, QString::fromLocal8Bit(gai_strerror(rc))));
  addr = reinterpret_cast<sockaddr_in*>(res->ai_addr)->sin_addr;
  freeaddrinfo(res);
  return addr;
}

QString AddrText(in_addr a) {
  char buf[INET_ADDRSTRLEN] = {0};
  inet_ntop(AF_INET, &a, buf, sizeof buf);
  return QString::fromLatin1(buf);
}

TReplyStatusTypes StatusOfReport(uint8_t type, uint8_t code) {
  switch (type) {
    case kUnreachable: return code == 4 ? rsErrorPacketTooBig : rsErrorUnreachable;
    case kTimeExceeded: return rsErrorTTLExceeded;
    case kParameterProblem: return rsErrorParameter;
    case kSourceQuench: return rsSourceQuench;
    case kRedirect: return rsErrorRedirect;
    default: return rsError;
  }
}

QString Reasons(bool allowDatagram, int dgramErr, bool allowRaw, int rawErr) {
  QString range = QStringLiteral("unknown");
  QFile f(QStringLiteral("/proc/sys/net/ipv4/ping_group_range"));
  if (f.open(QIODevice::ReadOnly))
    range = QString::fromLatin1(f.readAll()).simplified();
  const QString dgram =
      allowDatagram
          ? QStringLiteral("an ICMP datagram socket was refused (%1; group %2 is not in "
                           "net.ipv4.ping_group_range \"%3\")")
                .arg(ErrnoText(dgramErr))
                .arg(getgid())
                .arg(range)
          : QStringLiteral("ICMP datagram sockets are switched off");
  const QString raw =
      allowRaw ? QStringLiteral("a raw socket was refused (%1; it needs root or CAP_NET_RAW)")
                     .arg(ErrnoText(rawErr))
               : QStringLiteral("raw sockets are switched off");
  return dgram + QStringLiteral("; ") + raw;
}

std::unique_ptr<IIcmpEcho>& EchoSlot() {
  static std::unique_ptr<IIcmpEcho> slot;
  return slot;
}

}  // namespace

TReplyStatus TSocketIcmpEcho::Echo(const QString& Host, const QByteArray& Payload,
                                   uint16_t Sequence, int Timeout) {
  const in_addr target = Resolve(Host);
  if (Payload.size() > kMaxPayload)
    throw EIdSocketError(QStringLiteral("The echo request is too large (%1 bytes).").arg(Payload.size()));

  // Open the socket: datagram first, then raw.
  int fd = -1;
  bool raw = false;
  int dgramErr = 0;
  int rawErr = 0;
  if (FAllowDatagram) {
    fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0) dgramErr = errno;
  }
  if (fd < 0 && FAllowRaw) {
    fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (fd < 0)
      rawErr = errno;
    else
      raw = true;
  }
  if (fd < 0) {
    auto denied = [](int e) { return e == 0 || e == EACCES || e == EPERM; };
    if (denied(dgramErr) && denied(rawErr))
      throw EIdSocketError(QStringLiteral("ICMP echo is not permitted for this process: ") +
                               Reasons(FAllowDatagram, dgramErr, FAllowRaw, rawErr),
                           rawErr ? rawErr : dgramErr);
    RaiseSocketError(rawErr ? rawErr : dgramErr);
  }
  TFd sock(fd);

  // Replies to a raw socket are told apart by this identifier; a datagram
  // socket gets its own identifier from the system and sees only its replies.
  static std::atomic<uint16_t> counter{0};
  const uint16_t ident = static_cast<uint16_t>(::getpid() * 31 + counter++);
  if (!raw) {
    int on = 1;
    ::setsockopt(fd, SOL_IP, IP_RECVERR, &on, sizeof on);
    ::setsockopt(fd, SOL_IP, IP_RECVTTL, &on, sizeof on);
  }

  QByteArray packet(kIcmpHeader, '\0');
  packet += Payload;
  auto* p = reinterpret_cast<uint8_t*>(packet.data());
  p[0] = kEchoRequest;
  p[1] = 0;
  p[4] = static_cast<uint8_t>(ident >> 8);
  p[5] = static_cast<uint8_t>(ident);
  p[6] = static_cast<uint8_t>(Sequence >> 8);
  p[7] = static_cast<uint8_t>(Sequence);
  const uint16_t sum = Checksum(p, static_cast<size_t>(packet.size()));
  p[2] = static_cast<uint8_t>(sum >> 8);
  p[3] = static_cast<uint8_t>(sum);

  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr = target;

  TReplyStatus status;
  status.SetToIpAddress(AddrText(target));
  status.SetSequenceId(Sequence);
  status.SetReplyStatusType(rsTimeOut);

  using Clock = std::chrono::steady_clock;
  const auto sent = Clock::now();
  const auto deadline = sent + std::chrono::milliseconds(std::max(0, Timeout));
  ssize_t n;
  do {
    n = ::sendto(fd, packet.constData(), static_cast<size_t>(packet.size()), 0,
                 reinterpret_cast<const sockaddr*>(&to), sizeof to);
  } while (n < 0 && errno == EINTR);
  if (n < 0) RaiseSocketError(errno);

  auto elapsedMs = [&] {
    return static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
  };

  std::vector<uint8_t> buf(static_cast<size_t>(packet.size()) + 256);
  for (;;) {
    const int left = static_cast<int>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
    if (left < 0) break;
    pollfd pfd{fd, POLLIN, 0};
    const int pr = ::poll(&pfd, 1, left);
    if (pr < 0) {
      if (errno == EINTR) continue;
      RaiseSocketError(errno);
    }
    if (pr == 0) break;

    if (!raw && (pfd.revents & POLLERR)) {
      // An ICMP error report about our request (datagram sockets receive it
      // on the error queue).
      uint8_t orig[64];
      char control[512];
      iovec iov{orig, sizeof orig};
      msghdr msg{};
      msg.msg_iov = &iov;
      msg.msg_iovlen = 1;
      msg.msg_control = control;
      msg.msg_controllen = sizeof control;
      const ssize_t r = ::recvmsg(fd, &msg, MSG_ERRQUEUE | MSG_DONTWAIT);
      if (r < 0) continue;
      for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
        if (c->cmsg_level != SOL_IP || c->cmsg_type != IP_RECVERR) continue;
        const auto* ee = reinterpret_cast<const sock_extended_err*>(CMSG_DATA(c));
        if (ee->ee_origin != SO_EE_ORIGIN_ICMP) continue;
        if (r >= kIcmpHeader && Get16(orig + 6) != Sequence) continue;
        const auto* from = reinterpret_cast<const sockaddr_in*>(SO_EE_OFFENDER(ee));
        status.SetFromIpAddress(from->sin_family == AF_INET ? AddrText(from->sin_addr) : QString());
        status.SetMsgType(ee->ee_type);
        status.SetMsgCode(ee->ee_code);
        status.SetReplyStatusType(StatusOfReport(ee->ee_type, ee->ee_code));
        status.SetBytesReceived(0);
        status.SetMsRoundTripTime(elapsedMs());
        return status;
      }
      continue;
    }
    if (!(pfd.revents & POLLIN)) continue;

    sockaddr_in from{};
    char control[128];
    iovec iov{buf.data(), buf.size()};
    msghdr msg{};
    msg.msg_name = &from;
    msg.msg_namelen = sizeof from;
    msg.msg_iov = &iov;
    msg.msg_iovlen = 1;
    msg.msg_control = control;
    msg.msg_controllen = sizeof control;
    const ssize_t r = ::recvmsg(fd, &msg, MSG_DONTWAIT);
    if (r < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      RaiseSocketError(errno);
    }
    const uint8_t* icmp = buf.data();
    ssize_t len = r;
    int ttl = 0;
    if (raw) {
      // A raw socket receives the IP header too.
      if (len < 20) continue;
      const int ihl = (buf[0] & 0x0F) * 4;
      if (len < ihl + kIcmpHeader) continue;
      ttl = buf[8];
      icmp += ihl;
      len -= ihl;
    } else {
      for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c))
        if (c->cmsg_level == SOL_IP && c->cmsg_type == IP_TTL) {
          int v = 0;
          std::memcpy(&v, CMSG_DATA(c), sizeof v);
          ttl = v;
        }
      if (len < kIcmpHeader) continue;
    }

    const uint8_t type = icmp[0];
    if (type == kEchoReply) {
      if (raw && (Get16(icmp + 4) != ident || from.sin_addr.s_addr != target.s_addr)) continue;
      if (Get16(icmp + 6) != Sequence) continue;
      status.SetFromIpAddress(AddrText(from.sin_addr));
      status.SetMsgType(type);
      status.SetMsgCode(icmp[1]);
      status.SetTimeToLive(ttl);
      status.SetBytesReceived(static_cast<int>(len));
      status.SetReplyStatusType(rsEcho);
      status.SetMsRoundTripTime(elapsedMs());
      return status;
    }
    if (raw && type != kEchoRequest && len >= kIcmpHeader + 20 + kIcmpHeader) {
      // An error report quotes the IP header and the first 8 bytes of our request.
      const uint8_t* inner = icmp + kIcmpHeader;
      const int innerIhl = (inner[0] & 0x0F) * 4;
      if (len < kIcmpHeader + innerIhl + kIcmpHeader) continue;
      const uint8_t* orig = inner + innerIhl;
      if (orig[0] != kEchoRequest || Get16(orig + 4) != ident || Get16(orig + 6) != Sequence)
        continue;
      status.SetFromIpAddress(AddrText(from.sin_addr));
      status.SetMsgType(type);
      status.SetMsgCode(icmp[1]);
      status.SetTimeToLive(ttl);
      status.SetBytesReceived(0);
      status.SetReplyStatusType(StatusOfReport(type, icmp[1]));
      status.SetMsRoundTripTime(elapsedMs());
      return status;
    }
  }
  status.SetMsRoundTripTime(elapsedMs());
  return status;  // time-out
}

IIcmpEcho& IcmpEcho() {
  auto& slot = EchoSlot();
  if (!slot) slot = std::make_unique<TSocketIcmpEcho>();
  return *slot;
}

std::unique_ptr<IIcmpEcho> SetIcmpEcho(std::unique_ptr<IIcmpEcho> Echo) {
  return std::exchange(EchoSlot(), std::move(Echo));
}

TIdIcmpClient::TIdIcmpClient(TComponent* AOwner) : TComponent(AOwner) {}

void TIdIcmpClient::Ping(const QString& AData, uint16_t ASequenceID) {
  const int size = std::clamp(FPacketSize, 0, kMaxPayload);
  QByteArray payload(size, '\0');
  const QByteArray data = AData.toUtf8();
  for (int i = 0; i < size; ++i)
    payload[i] = i < data.size() ? data[i] : static_cast<char>('A' + i % 26);
  FReplyStatus = TReplyStatus();
  FReplyStatus = IcmpEcho().Echo(FHost, payload, ASequenceID, FReceiveTimeout);
  if (OnReply) OnReply(this, FReplyStatus);
}
