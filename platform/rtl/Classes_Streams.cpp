// Streams: the abstract stream, memory, file and string streams.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <limits>
#include <cerrno>
#include <cstring>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Encodings.h"

namespace {

QString ErrnoText(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

}  // namespace

// -------------------------------------------------------------------- TStream

void TStream::ReadBuffer(void* Buffer, int Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, int Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(QStringLiteral("Stream write error"));
}

Int64 TStream::Size() {
  const Int64 pos = Seek(0, soCurrent);
  const Int64 result = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return result;
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count) {
  if (Count <= 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  const Int64 result = Count;
  constexpr int kBufSize = 0xF000;
  QByteArray buffer(static_cast<qsizetype>(std::min<Int64>(Count, kBufSize)), Qt::Uninitialized);
  while (Count != 0) {
    const int n = static_cast<int>(std::min<Int64>(Count, kBufSize));
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.constData(), n);
    Count -= n;
  }
  return result;
}

QByteArray TStream::ReadRest() {
  const Int64 pos = Position();
  const Int64 size = Size();
  if (size <= pos) return QByteArray();
  const Int64 rest = size - pos;
  if (rest > std::numeric_limits<int>::max()) throw EReadError(QStringLiteral("Stream read error"));
  QByteArray result(static_cast<qsizetype>(rest), Qt::Uninitialized);
  ReadBuffer(result.data(), static_cast<int>(rest));
  return result;
}

// -------------------------------------------------------------- TMemoryStream

int TMemoryStream::Read(void* Buffer, int Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  const Int64 avail = FData.size() - FPosition;
  if (avail <= 0) return 0;
  const int n = static_cast<int>(std::min<Int64>(avail, Count));
  std::memcpy(Buffer, FData.constData() + FPosition, static_cast<size_t>(n));
  FPosition += n;
  return n;
}

int TMemoryStream::Write(const void* Buffer, int Count) {
  if (FPosition < 0 || Count <= 0) return 0;
  const Int64 end = FPosition + Count;
  if (end > FData.size()) SetSize(end);
  std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
  FPosition = end;
  return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soBeginning:
      FPosition = Offset;
      break;
    case soCurrent:
      FPosition += Offset;
      break;
    case soEnd:
      FPosition = FData.size() + Offset;
      break;
  }
  return FPosition;
}

void TMemoryStream::SetSize(Int64 NewSize) {
  if (NewSize < 0) NewSize = 0;
  const qsizetype old = FData.size();
  FData.resize(static_cast<qsizetype>(NewSize));
  if (NewSize > old) std::memset(FData.data() + old, 0, static_cast<size_t>(NewSize - old));
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  Stream->SetPosition(0);
  const Int64 count = Stream->Size();
  SetSize(count);
  if (count != 0) Stream->ReadBuffer(FData.data(), static_cast<int>(count));
  FPosition = 0;
}

void TMemoryStream::LoadFromFile(const QString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  if (!FData.isEmpty()) Stream->WriteBuffer(FData.constData(), static_cast<int>(FData.size()));
}

void TMemoryStream::SaveToFile(const QString& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const QString& AFileName, Word Mode) : FFileName(AFileName) {
  const QByteArray path = QFile::encodeName(AFileName);
  if ((Mode & fmCreate) == fmCreate) {
    FHandle = ::open(path.constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (FHandle < 0)
      throw EFCreateError(
          QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, ErrnoText(errno)));
    return;
  }
  int flags = O_CLOEXEC;
  switch (Mode & 0x3) {
    case fmOpenWrite:
      flags |= O_WRONLY;
      break;
    case fmOpenReadWrite:
      flags |= O_RDWR;
      break;
    default:
      flags |= O_RDONLY;
      break;
  }
  int err = 0;
  FHandle = path.isEmpty() ? -1 : ::open(path.constData(), flags);
  if (FHandle < 0) {
    err = path.isEmpty() ? ENOENT : errno;
  } else {
    // A folder opens for reading on this system but is no file.
    struct stat st {};
    if (::fstat(FHandle, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(FHandle);
      FHandle = -1;
      err = EISDIR;
    }
  }
  if (FHandle < 0)
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, ErrnoText(err)));
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

int TFileStream::Read(void* Buffer, int Count) {
  if (Count <= 0) return 0;
  auto* p = static_cast<char*>(Buffer);
  int done = 0;
  while (done < Count) {
    const ssize_t n = ::read(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

int TFileStream::Write(const void* Buffer, int Count) {
  if (Count <= 0) return 0;
  const auto* p = static_cast<const char*>(Buffer);
  int done = 0;
  while (done < Count) {
    const ssize_t n = ::write(FHandle, p + done, static_cast<size_t>(Count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<int>(n);
  }
  return done;
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin) {
  const int whence = Origin == soCurrent ? SEEK_CUR : Origin == soEnd ? SEEK_END : SEEK_SET;
  return ::lseek(FHandle, static_cast<off_t>(Offset), whence);
}

void TFileStream::SetSize(Int64 NewSize) {
  if (NewSize < 0 || ::ftruncate(FHandle, static_cast<off_t>(NewSize)) != 0)
    throw EStreamError(QStringLiteral("Cannot set the size of file \"%1\". %2")
                           .arg(FFileName, ErrnoText(NewSize < 0 ? EINVAL : errno)));
  Seek(NewSize, soBeginning);
}

// -------------------------------------------------------------- TStringStream

TStringStream::TStringStream(const QString& AString, TEncoding* AEncoding)
    : FEncoding(AEncoding != nullptr ? AEncoding : TEncoding::Default()) {
  const QByteArray bytes = FEncoding->GetBytes(AString);
  if (!bytes.isEmpty()) WriteBuffer(bytes);
  SetPosition(0);
}

QString TStringStream::DataString() const { return FEncoding->GetString(Bytes()); }

void TStringStream::WriteString(const QString& AString) {
  const QByteArray bytes = FEncoding->GetBytes(AString);
  if (!bytes.isEmpty()) WriteBuffer(bytes);
}

QString TStringStream::ReadString(int Count) {
  const Int64 avail = Size() - Position();
  if (Count > avail) Count = static_cast<int>(std::max<Int64>(avail, 0));
  if (Count <= 0) return QString();
  QByteArray bytes(Count, Qt::Uninitialized);
  ReadBuffer(bytes.data(), Count);
  return FEncoding->GetString(bytes);
}
