// The clipboard on QClipboard.
#include "platform/ui/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "platform/ui/WinApi.h"

namespace {

QString MimeOf(Word Format) {
  const QString name = ClipboardFormatName(Format);
  if (name.isEmpty()) return QString();
  return QStringLiteral("application/x-zidi-") + name;
}

QHash<Word, QString>& FormatNames() {
  static QHash<Word, QString> names;
  return names;
}

QClipboard* Board() { return QGuiApplication::instance() != nullptr ? QGuiApplication::clipboard() : nullptr; }

}  // namespace

Word RegisterClipboardFormat(const QString& Name) {
  // Clipboard formats and window messages share one table of names, as in the window system.
  const UINT id = RegisterWindowMessage(Name);
  if (id == 0) return 0;
  FormatNames().insert(static_cast<Word>(id), Name);
  return static_cast<Word>(id);
}

QString ClipboardFormatName(Word Format) { return FormatNames().value(Format); }

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() = default;

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    FEmptied = false;
    FPending.reset();
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  --FOpenRefCount;
  if (FOpenRefCount == 0) Commit();
}

void TClipboard::Commit() {
  if (!FPending) return;
  // The system clipboard takes the data over.
  if (QClipboard* b = Board()) b->setMimeData(FPending.release());
  FPending.reset();
}

void TClipboard::Adding() {
  if (FOpenRefCount != 0 && !FEmptied) {
    FPending = std::make_unique<QMimeData>();
    FEmptied = true;
  }
  if (!FPending) FPending = std::make_unique<QMimeData>();
}

void TClipboard::Clear() {
  if (FOpenRefCount != 0) {
    FPending = std::make_unique<QMimeData>();
    FEmptied = true;
    return;
  }
  if (QClipboard* b = Board()) b->clear();
}

QString TClipboard::AsText() const {
  if (QClipboard* b = Board()) return b->text();
  return QString();
}

void TClipboard::SetAsText(const QString& Value) {
  Open();
  Adding();
  FPending->setText(Value);
  Close();
}

bool TClipboard::HasFormat(Word Format) const {
  QClipboard* b = Board();
  if (b == nullptr) return false;
  const QMimeData* m = b->mimeData();
  if (m == nullptr) return false;
  switch (Format) {
    case CF_TEXT:
    case CF_OEMTEXT:
    case CF_UNICODETEXT: return m->hasText();
    case CF_BITMAP:
    case CF_DIB: return m->hasImage();
    case CF_HDROP: return m->hasUrls();
    default: {
      const QString mime = MimeOf(Format);
      return !mime.isEmpty() && m->hasFormat(mime);
    }
  }
}

QByteArray TClipboard::GetAsHandle(Word Format) const {
  QClipboard* b = Board();
  if (b == nullptr) return QByteArray();
  const QMimeData* m = b->mimeData();
  if (m == nullptr) return QByteArray();
  if (Format == CF_TEXT || Format == CF_OEMTEXT) return m->text().toUtf8();
  if (Format == CF_UNICODETEXT) {
    const QString t = m->text();
    return QByteArray(reinterpret_cast<const char*>(t.utf16()), static_cast<qsizetype>(t.size() * 2));
  }
  const QString mime = MimeOf(Format);
  return mime.isEmpty() ? QByteArray() : m->data(mime);
}

void TClipboard::SetAsHandle(Word Format, const QByteArray& Data) {
  Open();
  Adding();
  if (Format == CF_TEXT || Format == CF_OEMTEXT) {
    FPending->setText(QString::fromUtf8(Data));
  } else if (Format == CF_UNICODETEXT) {
    FPending->setText(QString::fromUtf16(reinterpret_cast<const char16_t*>(Data.constData()), Data.size() / 2));
  } else {
    const QString mime = MimeOf(Format);
    if (!mime.isEmpty()) FPending->setData(mime, Data);
  }
  Close();
}

int TClipboard::FormatCount() const {
  int n = 0;
  QClipboard* b = Board();
  const QMimeData* m = b != nullptr ? b->mimeData() : nullptr;
  if (m == nullptr) return 0;
  if (m->hasText()) ++n;
  for (const QString& f : m->formats())
    if (f.startsWith(QStringLiteral("application/x-zidi-"))) ++n;
  return n;
}

Word TClipboard::Formats(int Index) const {
  QClipboard* b = Board();
  const QMimeData* m = b != nullptr ? b->mimeData() : nullptr;
  if (m == nullptr) return 0;
  std::vector<Word> list;
  if (m->hasText()) list.push_back(CF_UNICODETEXT);
  for (const QString& f : m->formats())
    if (f.startsWith(QStringLiteral("application/x-zidi-")))
      list.push_back(RegisterClipboardFormat(f.mid(19)));
  if (Index < 0 || Index >= static_cast<int>(list.size())) return 0;
  return list[static_cast<size_t>(Index)];
}

TClipboard* Clipboard() {
  static auto* clipboard = new TClipboard();
  return clipboard;
}
