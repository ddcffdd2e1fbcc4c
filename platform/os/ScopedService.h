// Replacing a process-wide OS service (HTTP transport, ICMP echo, serial port
// list, system locale, process launcher, document opener) for a scope.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

// Installs Replacement through the service's setter (SetHttpTransport ...) and
// puts the service it replaced back when the scope ends, also when the scope is
// left by an exception (a failing test leaves no fake behind for the next one).
// A null Replacement selects the real service for the scope.
//   TScopedService echo(SetIcmpEcho, std::make_unique<TFakeEcho>());
template <class TService>
class TScopedService {
 public:
  using TSetter = std::unique_ptr<TService> (*)(std::unique_ptr<TService>);
  TScopedService(TSetter Set, std::type_identity_t<std::unique_ptr<TService>> Replacement)
      : FSet(Set), FPrevious(Set(std::move(Replacement))) {}
  ~TScopedService() { FSet(std::move(FPrevious)); }
  TScopedService(const TScopedService&) = delete;
  TScopedService& operator=(const TScopedService&) = delete;

 private:
  TSetter FSet;
  std::unique_ptr<TService> FPrevious;
};
