// A player that knows only its own side of the screen: it reads a SideView and nothing else.
#pragma once

#include <cstdint>

#include "view/side_view.h"

namespace velk {

// A move as the game takes it: a drop names its hand slot as the move record does
// (MAN_HAND_X with the hand row kind + 2, or COM_HAND_X with the kind); placed is the code that
// stands on the destination, promoted or not.
struct HonestMove {
    bool found = false;
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int placed = 0;
};

class HonestPlayer {
  public:
    explicit HonestPlayer(std::uint64_t seed = 1);

    // The move this side plays now, from its view alone. The same seed and the same view history
    // give the same move. found is false when the side has no move at all.
    HonestMove choose(const SideView& view);

  private:
    std::uint64_t seed_;
    std::uint64_t state_;
};

}  // namespace velk
