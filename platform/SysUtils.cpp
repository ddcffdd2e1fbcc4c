#include "platform/SysUtils.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

QString ClassNameOf(const std::type_info& type) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
  QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : type.name());
  // Keep only the last name of a qualified name.
  const int sep = name.lastIndexOf(QLatin1String("::"));
  return sep >= 0 ? name.mid(sep + 2) : name;
}

const char* Exception::what() const noexcept {
  if (FUtf8.isEmpty()) FUtf8 = FMessage.toUtf8();
  return FUtf8.constData();
}

void Abort() { throw EAbort(QStringLiteral("Operation aborted")); }
