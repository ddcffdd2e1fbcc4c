// The version check: the options window's Check_Version asks the maker's web
// server for the version page through the main window's HTTP client and reads
// the reply with Conv_Version. Input: the reply's Content-Type value, a line
// feed, then the reply body's bytes (no line feed: a body without a type).
// The reply comes from a fake transport with status 200. The version read is
// the one the reply's text states: characters 1, 3, 4 and 5 after its first
// blank as four decimal digits, or none; the check reports a newer version
// only for a number above the program's own.
#include "FuzzSupport.h"

#include <memory>

#include "platform/os/IdHTTP.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/SysUtils.h"
#include "shell/UComon.h"
#include "shell/USoftOptions.h"
#include "shell/UVarneltoeFirmWare.h"

namespace {

// Answers every request with the reply of the current input.
class TReplyTransport : public IHttpTransport {
 public:
  THttpReply Reply;
  THttpReply Execute(const THttpRequest&) override { return Reply; }
};

TReplyTransport* Transport = nullptr;

// The version a reply text states, read without Conv_Version: -1 unless the
// four characters are ASCII digits.
int Stated_Version(const QString& Reply) {
  const QString r = Trim(Reply);
  const int blank = r.indexOf(QLatin1Char(' '));
  const QString t = (blank < 0 ? r : r.mid(blank + 1)).trimmed();
  if (t.size() < 5) return -1;
  int value = 0;
  for (const int i : {0, 2, 3, 4}) {
    const QChar c = t.at(i);
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Fuzz::InitApplication();
  Set_Program_Folder(Fuzz::ScratchDir());
  TRegistryIniFile::SetStoreFileName(Fuzz::ScratchDir() + QStringLiteral("/registry.ini"));
  auto t = std::make_unique<TReplyTransport>();
  Transport = t.get();
  SetHttpTransport(std::move(t));
  FVarneltoeFirmWare = new TFVarneltoeFirmWare(nullptr);
  FVarneltoeFirmWare->AfterConstruction();
  FSoftOptions = new TFSoftOptions(nullptr);
  FSoftOptions->AfterConstruction();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const QByteArray input = Fuzz::Bytes(Data, Size);
  const int lf = input.indexOf('\n');
  Transport->Reply = THttpReply();
  Transport->Reply.StatusCode = 200;
  Transport->Reply.StatusLine = "HTTP/1.0 200 OK";
  if (lf >= 0) Transport->Reply.Headers.append({"Content-Type", input.left(lf)});
  Transport->Reply.Body = lf >= 0 ? input.mid(lf + 1) : input;

  const bool newer = FSoftOptions->Check_Version();
  // The text the check read: the same request again.
  const QString text = FVarneltoeFirmWare->HTTP1->Get(Version_Page_URL());
  const int stated = Stated_Version(text);
  Fuzz::Check("Conv_Version reads the four digits the reply states", QString::number(stated),
              QString::number(Conv_Version(Trim(text))));
  const bool expected = stated > Conv_Version(Program_Version);
  Fuzz::Check("only a higher stated version is newer", expected ? QStringLiteral("newer") : QStringLiteral("not newer"),
              newer ? QStringLiteral("newer") : QStringLiteral("not newer"));
  return 0;
}
