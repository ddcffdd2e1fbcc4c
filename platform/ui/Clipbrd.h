// The clipboard of the desktop framework over the system clipboard: text and
// formats the program registers by name (each a private MIME type
// "application/x-zidi-<name>" holding bytes).
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"

class QMimeData;

constexpr Word CF_TEXT = 1;
constexpr Word CF_BITMAP = 2;
constexpr Word CF_OEMTEXT = 7;
constexpr Word CF_DIB = 8;
constexpr Word CF_UNICODETEXT = 13;
constexpr Word CF_HDROP = 15;

// A format number for a name, equal for equal names (case-insensitive), from
// 0xC000 up; 0 for an empty name.
Word RegisterClipboardFormat(const QString& Name);
// The name of a registered format ("" for others).
QString ClipboardFormatName(Word Format);

class TClipboard : public TPersistent {
 public:
  TClipboard();
  ~TClipboard() override;

  // Between Open and Close the formats set together replace the clipboard's
  // content once, at Close; outside, every set replaces the content.
  void Open();
  void Close();
  // Empties the clipboard.
  void Clear();

  QString AsText() const;
  void SetAsText(const QString& Value);
  bool HasFormat(Word Format) const;
  // The bytes of a registered format (empty when the clipboard has none).
  QByteArray GetAsHandle(Word Format) const;
  // Puts bytes on the clipboard in a registered format (or text for CF_TEXT /
  // CF_UNICODETEXT, as UTF-8 / UTF-16).
  void SetAsHandle(Word Format, const QByteArray& Data);
  int FormatCount() const;
  Word Formats(int Index) const;

 private:
  void Adding();
  void Commit();
  int FOpenRefCount = 0;
  bool FEmptied = false;
  // What the open clipboard collects; handed to the system clipboard on the last Close.
  std::unique_ptr<QMimeData> FPending;
};

// The program's clipboard.
TClipboard* Clipboard();
