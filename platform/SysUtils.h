// Run-time routines of the framework: exceptions, conversions, formatting,
// dates and times, files.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <typeinfo>

#include "platform/Types.h"

// The name a class has in the program ("TStringList"), from its run-time type.
QString ClassNameOf(const std::type_info& type);

// Base of every error the program raises; carries the message shown to the user.
class Exception : public std::exception {
 public:
  explicit Exception(const QString& message) : FMessage(message) {}
  ~Exception() override = default;
  const QString& Message() const { return FMessage; }
  void SetMessage(const QString& message) { FMessage = message; FUtf8.clear(); }
  QString ClassName() const { return ClassNameOf(typeid(*this)); }
  const char* what() const noexcept override;

 private:
  QString FMessage;
  mutable QByteArray FUtf8;
};

#define ZIDI_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {               \
   public:                                 \
    using Base::Base;                      \
  }

ZIDI_DECLARE_EXCEPTION(EAbort, Exception);
ZIDI_DECLARE_EXCEPTION(EConvertError, Exception);
ZIDI_DECLARE_EXCEPTION(EListError, Exception);
ZIDI_DECLARE_EXCEPTION(EStringListError, EListError);
ZIDI_DECLARE_EXCEPTION(EInOutError, Exception);
ZIDI_DECLARE_EXCEPTION(EStreamError, Exception);
ZIDI_DECLARE_EXCEPTION(EFCreateError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EFOpenError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EReadError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EWriteError, EStreamError);
ZIDI_DECLARE_EXCEPTION(EComponentError, Exception);
ZIDI_DECLARE_EXCEPTION(EInvalidOperation, Exception);
ZIDI_DECLARE_EXCEPTION(EInvalidPointer, Exception);
ZIDI_DECLARE_EXCEPTION(EOutOfResources, Exception);
ZIDI_DECLARE_EXCEPTION(EArgumentException, Exception);
ZIDI_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException);
ZIDI_DECLARE_EXCEPTION(EOSError, Exception);

// Raises the silent exception that ends an operation without an error box.
[[noreturn]] void Abort();
