// The current user's registry as far as the program reads it: whether a key
// exists, a DWORD value, and change notifications on a key.
//
// The program keeps none of its own settings in the registry (they live in its
// settings file; TRegistryIniFile has its own store), and the desktop's keys that
// the grid library asks about (the Office version and colour scheme) do not exist
// on this system: the real store is empty. Tests replace it with SetRegistryStore
// and restore the real one by passing nullptr.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

using HKEY = uint32_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

// Notify filters of a change notification.
constexpr int REG_NOTIFY_CHANGE_NAME = 1;
constexpr int REG_NOTIFY_CHANGE_ATTRIBUTES = 2;
constexpr int REG_NOTIFY_CHANGE_LAST_SET = 4;
constexpr int REG_NOTIFY_CHANGE_SECURITY = 8;

class IRegistryStore {
 public:
  virtual ~IRegistryStore() = default;
  virtual bool KeyExists(HKEY Root, const QString& Key) = 0;
  // The DWORD value Name of Key; false when the key or the value is missing.
  virtual bool ReadDWord(HKEY Root, const QString& Key, const QString& Name, uint32_t& Value) = 0;
  // Asks for Changed to be called (from any thread) at the next change below Key
  // that matches Filter; one call per request, as the system's notification
  // signals its event once. False when the key cannot be opened.
  virtual bool NotifyChange(HKEY Root, const QString& Key, bool WatchSubtree, int Filter,
                            std::function<void()> Changed) = 0;
};

// The real store of this system: no keys at all.
class TEmptyRegistryStore : public IRegistryStore {
 public:
  bool KeyExists(HKEY, const QString&) override { return false; }
  bool ReadDWord(HKEY, const QString&, const QString&, uint32_t&) override { return false; }
  bool NotifyChange(HKEY, const QString&, bool, int, std::function<void()>) override {
    return false;
  }
};

// The store in use. A caller holds it for as long as it asks it: a watching
// thread's question still in progress keeps a store that was replaced alive.
std::shared_ptr<IRegistryStore> RegistryStore();
// Replaces the store (nullptr: the real, empty one).
void SetRegistryStore(std::shared_ptr<IRegistryStore> Store);
