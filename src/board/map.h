// The board as a map of piece codes, the two-pawn flags and the hands that go with it.
#pragma once

#include <array>
#include <cstdint>

namespace velk {

// A board-sized map indexed [x][y]; index 0 exists and is never a square.
using Map = std::array<std::array<std::int16_t, 10>, 10>;

// Per column 1..9: 1 when an unpromoted pawn of the side stands in it (index 0 unused).
using TwoPawnFlags = std::array<int, 10>;

// A hand's counts by hand index 1..7 (slot 0 unused).
using Hand = std::array<int, 8>;

// How many pieces a hand holds.
inline int handSumOf(const Hand& hand) {
    int sum = 0;
    for (int k = 1; k <= 7; ++k) sum += hand[k];
    return sum;
}

}  // namespace velk
