#include "platform/os/Registry.h"

#include <utility>

#include <mutex>

namespace {

// The store may be asked from a watching thread while a test replaces it; the
// slot itself is guarded, and each caller shares the store it asks, so
// replacing it never frees it under a question in progress.
std::mutex& SlotLock() {
  static std::mutex m;
  return m;
}

std::shared_ptr<IRegistryStore>& StoreSlot() {
  static std::shared_ptr<IRegistryStore> slot;
  return slot;
}

}  // namespace

std::shared_ptr<IRegistryStore> RegistryStore() {
  std::lock_guard<std::mutex> lock(SlotLock());
  auto& slot = StoreSlot();
  if (!slot) slot = std::make_shared<TEmptyRegistryStore>();
  return slot;
}

void SetRegistryStore(std::shared_ptr<IRegistryStore> Store) {
  std::shared_ptr<IRegistryStore> old;
  {
    std::lock_guard<std::mutex> lock(SlotLock());
    old = std::exchange(StoreSlot(), std::move(Store));
  }
  // The old store goes (if no one is asking it) outside the lock: its
  // destructor may wait on a thread that is asking for the store.
}
