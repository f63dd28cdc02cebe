// The honest player's dice: a small generator whose whole state is one number, so that a seed
// and a game's history give the same choices every time.
#pragma once

#include <cstdint>

namespace velk::honest {

class Rng {
  public:
    explicit Rng(std::uint64_t seed = 0) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number in [0, n); n > 0.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

  private:
    std::uint64_t state_;
};

}  // namespace velk::honest
