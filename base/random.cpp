#include "base/random.h"

#include <mutex>

namespace quorel {

namespace {

class SharedRandom : public RandomSource {
 public:
  int Next() override {
    std::lock_guard<std::mutex> hold(lock_);
    return generator_.Next();
  }
  void Seed(std::uint32_t seed) {
    std::lock_guard<std::mutex> hold(lock_);
    generator_ = SeededRandom(seed);
  }

 private:
  std::mutex lock_;
  SeededRandom generator_{1};
};

SharedRandom& Shared() {
  static SharedRandom shared;
  return shared;
}

}  // namespace

RandomSource& ProcessRandom() { return Shared(); }
void SeedProcessRandom(std::uint32_t seed) { Shared().Seed(seed); }

}  // namespace quorel
