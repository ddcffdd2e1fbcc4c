#include "platform/os/Registry.h"

#include <utility>

#include <mutex>

namespace {

// The store may be asked from a watching thread while a test replaces it; the
// slot itself is guarded, what the store does is its own affair.
std::mutex& SlotLock() {
  static std::mutex m;
  return m;
}

std::unique_ptr<IRegistryStore>& StoreSlot() {
  static std::unique_ptr<IRegistryStore> slot;
  return slot;
}

}  // namespace

IRegistryStore& RegistryStore() {
  std::lock_guard<std::mutex> lock(SlotLock());
  auto& slot = StoreSlot();
  if (!slot) slot = std::make_unique<TEmptyRegistryStore>();
  return *slot;
}

std::unique_ptr<IRegistryStore> SetRegistryStore(std::unique_ptr<IRegistryStore> Store) {
  std::lock_guard<std::mutex> lock(SlotLock());
  return std::exchange(StoreSlot(), std::move(Store));
}
