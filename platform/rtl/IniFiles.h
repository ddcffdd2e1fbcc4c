// Sectioned settings files ("INI files") and the registry-backed store.
//
// File text, as the framework writes it: "[Section]" lines, each followed by its
// "key=value" lines with no blanks around "=", lines ended by CR LF, values
// written as they are (no quoting, no escaping). Keys keep the order in which
// they were first written; sections and keys are looked up without regard to case.
//
// Reading: blanks (and control characters) around section names, keys and
// values are ignored, as the framework's Trim does; other white space, such as
// the no-break space, belongs to the text; lines that
// are empty or start with ";" are skipped; a line without "=" is no key. A file
// with a byte-order mark is read in its encoding (UTF-8, UTF-16 LE or BE); one
// without is read as UTF-8 when it is valid UTF-8, else in the ANSI code page
// (Windows-1252). A second mark right after the first is text (U+FEFF), and
// the last byte of a UTF-16 file of odd length is no character and is dropped.
// Writing keeps a UTF-16 or UTF-8-with-mark file in its form and
// writes every other file as UTF-8 without mark (lossless for any text, and the
// same bytes as the ANSI form for ASCII text).
//
// Texts that the file form cannot hold raise EIniFileException before anything
// is written: a line break in a section name, key or value, an empty key, "=" in
// a key or "]" in a section name.
//
//   TIniFile       reads the file at every read and writes it at every write,
//                  changing only the lines concerned (comments and blank lines
//                  stay). A new section is appended after a blank line.
//   TMemIniFile    reads the file once when created and holds it in memory;
//                  UpdateFile writes it whole: each section as "[Section]", its
//                  lines and one blank line (the last section too). Comments
//                  and lines outside sections are not kept.
//   TRegistryIniFile  the framework's registry-key store. The registry is not on
//                  this system: the key's values live in one INI file in the
//                  user's configuration folder (StoreFileName()), the section
//                  of a value being the key path and the section name joined by
//                  "\" ("Software\Maker\Grid\Columns"); writes go through at once.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/SysUtils.h"

ZIDI_DECLARE_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(const QString& FileName) : FFileName(FileName) {}

  const QString& FileName() const { return FFileName; }

  // True when the section holds at least one key.
  virtual bool SectionExists(const QString& Section) const;
  virtual QString ReadString(const QString& Section, const QString& Ident,
                             const QString& Default) const = 0;
  virtual void WriteString(const QString& Section, const QString& Ident,
                           const QString& Value) = 0;
  // The value read with the framework's integer conversion ("0x" read as "$");
  // Default when it is missing or no number.
  virtual int ReadInteger(const QString& Section, const QString& Ident, int Default) const;
  virtual void WriteInteger(const QString& Section, const QString& Ident, int Value);
  // A number other than 0 is true; Default when missing or no number.
  virtual bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;
  // Writes "1" or "0".
  virtual void WriteBool(const QString& Section, const QString& Ident, bool Value);
  // Read and written with FloatToStr / StrToFloat (the decimal separator of the
  // format settings); Default when missing or no number.
  virtual double ReadFloat(const QString& Section, const QString& Ident, double Default) const;
  virtual void WriteFloat(const QString& Section, const QString& Ident, double Value);
  // Replaces the contents of Strings with the section's key names, in file order.
  virtual void ReadSection(const QString& Section, TStrings* Strings) const = 0;
  // Replaces the contents of Strings with the section names, in file order.
  virtual void ReadSections(TStrings* Strings) const = 0;
  // Replaces the contents of Strings with the section's "key=value" lines.
  virtual void ReadSectionValues(const QString& Section, TStrings* Strings) const = 0;
  virtual void EraseSection(const QString& Section) = 0;
  virtual void DeleteKey(const QString& Section, const QString& Ident) = 0;
  virtual void UpdateFile() = 0;
  virtual bool ValueExists(const QString& Section, const QString& Ident) const;

 protected:
  // Raises EIniFileException for texts the file form cannot hold.
  static void CheckWrite(const QString& Section, const QString& Ident, const QString& Value);

  QString FFileName;
};

// Writes through to the file at every change.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(const QString& FileName) : TCustomIniFile(FileName) {}

  QString ReadString(const QString& Section, const QString& Ident,
                     const QString& Default) const override;
  // Raises EIniFileException "Unable to write to <file>" when the file cannot be
  // written (its folder is not created).
  void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
  void ReadSection(const QString& Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(const QString& Section, TStrings* Strings) const override;
  void EraseSection(const QString& Section) override;
  void DeleteKey(const QString& Section, const QString& Ident) override;
  // Nothing to do: every change is already in the file.
  void UpdateFile() override {}
};

// Holds the file in memory; UpdateFile writes it.
class TMemIniFile : public TCustomIniFile {
 public:
  // Reads the file when it exists; raises EFOpenError when it cannot be read.
  explicit TMemIniFile(const QString& FileName);
  ~TMemIniFile() override;

  QString ReadString(const QString& Section, const QString& Ident,
                     const QString& Default) const override;
  void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
  void ReadSection(const QString& Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(const QString& Section, TStrings* Strings) const override;
  void EraseSection(const QString& Section) override;
  void DeleteKey(const QString& Section, const QString& Ident) override;
  // Writes the whole file, replacing it; raises EFCreateError when it cannot.
  void UpdateFile() override;

  // Forgets every section.
  void Clear();
  // The file text as lines (as UpdateFile writes them) / replaces the contents
  // with the sections read from the lines.
  void GetStrings(TStrings* List) const;
  void SetStrings(TStrings* List);
  // Names another file; with Reload the contents are read from it.
  void Rename(const QString& FileName, bool Reload);

  struct TSection;

 private:
  void LoadLines(const QStringList& lines);
  QStringList Lines() const;
  TSection* FindSection(const QString& Name);
  const TSection* FindSection(const QString& Name) const;

  std::vector<std::unique_ptr<TSection>> FSections;
  int FEncoding = 0;  // how the file was read, kept for writing it
};

// The registry-key store (see the top of this file). FileName is the key path
// below the current user's root, such as "Software\Maker\Grid".
class TRegistryIniFile : public TCustomIniFile {
 public:
  explicit TRegistryIniFile(const QString& FileName);
  ~TRegistryIniFile() override;

  QString ReadString(const QString& Section, const QString& Ident,
                     const QString& Default) const override;
  void WriteString(const QString& Section, const QString& Ident, const QString& Value) override;
  void ReadSection(const QString& Section, TStrings* Strings) const override;
  // The subkeys directly below the key.
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(const QString& Section, TStrings* Strings) const override;
  // Removes the subkey with everything below it.
  void EraseSection(const QString& Section) override;
  void DeleteKey(const QString& Section, const QString& Ident) override;
  void UpdateFile() override {}

  // The file that holds the store: "zidi/registry.ini" in the user's
  // configuration folder, unless SetStoreFileName named another (tests).
  static QString StoreFileName();
  // "" restores the default.
  static void SetStoreFileName(const QString& Value);

 private:
  QString SectionName(const QString& Section) const;
  void PrepareWrite() const;

  QString FKey;
  std::unique_ptr<TIniFile> FStore;
};
