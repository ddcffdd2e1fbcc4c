#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/os/Registry.h"

namespace {

// A store whose key question waits until the test lets it answer, and that
// records when it is destroyed.
class TSlowStore : public IRegistryStore {
 public:
  explicit TSlowStore(std::shared_ptr<std::atomic<bool>> Destroyed) : FDestroyed(std::move(Destroyed)) {}
  ~TSlowStore() override { *FDestroyed = true; }
  bool KeyExists(HKEY, const QString&) override {
    std::unique_lock<std::mutex> l(Lock);
    Asking = true;
    Changed.notify_all();
    Changed.wait(l, [&] { return Answer; });
    // Still inside the store: it must not have been destroyed under the call.
    return !*FDestroyed;
  }
  bool ReadDWord(HKEY, const QString&, const QString&, uint32_t&) override { return false; }
  bool NotifyChange(HKEY, const QString&, bool, int, std::function<void()>) override { return false; }

  std::mutex Lock;
  std::condition_variable Changed;
  bool Asking = false;
  bool Answer = false;

 private:
  std::shared_ptr<std::atomic<bool>> FDestroyed;
};

}  // namespace

TEST(RegistryStoreTest, AStoreReplacedWhileAThreadAsksItLivesUntilTheQuestionEnds) {
  auto destroyed = std::make_shared<std::atomic<bool>>(false);
  auto store = std::make_shared<TSlowStore>(destroyed);
  TSlowStore* s = store.get();
  SetRegistryStore(std::move(store));
  bool answered = false;
  std::thread asker([&] { answered = RegistryStore()->KeyExists(HKEY_CURRENT_USER, "Key"); });
  {
    std::unique_lock<std::mutex> l(s->Lock);
    s->Changed.wait(l, [&] { return s->Asking; });
  }
  // Replaced (the real store comes back) while the question is in progress.
  SetRegistryStore(nullptr);
  EXPECT_FALSE(*destroyed);
  {
    std::lock_guard<std::mutex> l(s->Lock);
    s->Answer = true;
    s->Changed.notify_all();
  }
  asker.join();
  EXPECT_TRUE(answered);
  EXPECT_TRUE(*destroyed);
  EXPECT_FALSE(RegistryStore()->KeyExists(HKEY_CURRENT_USER, "Key"));
}
