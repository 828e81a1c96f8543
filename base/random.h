// Randomness for the picture: one small interface so tests inject their own
// sequence, and one helper for every uniform choice.
#pragma once

#include <cstdint>

namespace quorel {

// Values 0..32767, as the C library's rand().
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual int Next() = 0;
};

// The C runtime's linear congruential generator (the sequence of rand() after srand(seed)).
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(std::uint32_t seed) : state_(seed) {}
  int Next() override {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7fff);
  }

 private:
  std::uint32_t state_;
};

// The program's one generator, shared by every thread; the application seeds
// it once at start-up. Until then it runs from seed 1, as rand() would.
RandomSource& ProcessRandom();
void SeedProcessRandom(std::uint32_t seed);

// A uniform integer in [a, b]: a + floor(r * (b - a + 1) / 32768).
inline int RandomInRange(RandomSource& random, int a, int b) {
  const long long r = random.Next();
  return a + static_cast<int>(r * (static_cast<long long>(b) - a + 1) / 32768);
}

}  // namespace quorel
