// A player that knows only its own side of the screen: it reads a SideView and nothing else.
#pragma once

#include <cstdint>
#include <vector>

#include "honest/belief.h"
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

    bool operator==(const HonestMove&) const = default;
};

// Whether the other side has shown that it cannot see this side's pieces: the referee refused it
// a move for passing over one or for dropping onto one. A king left reached proves nothing.
bool showsItIsBlind(const SideView& view);

// Which way the player plays. First is the player as it first played, kept to measure against:
// it always opens the same way for the same history and does not mind repeating itself.
enum class HonestVersion : std::uint8_t { First, Current };

// It keeps a set of guesses at the hidden position that agree with everything its side has
// seen, and plays the move with the best outcome over them, a refusal counted at its cost.
class HonestPlayer {
  public:
    explicit HonestPlayer(std::uint64_t seed = 1, int samples = 48,
                          HonestVersion version = HonestVersion::Current);

    // The move this side plays now, from its view alone. The same seed and the same view history
    // give the same move. found is false when the side has no move at all.
    HonestMove choose(const SideView& view);

    // The guesses behind the last choice (for tests).
    const honest::Belief& belief() const { return belief_; }

    HonestVersion version() const { return version_; }

  private:
    std::uint64_t seed_;
    HonestVersion version_;
    honest::Belief belief_;
    std::vector<Move> moves_;
    std::vector<long> totals_;
    std::vector<long> risks_;
    std::vector<long> values_;
    std::vector<long> finals_;
    std::vector<char> repeats_;
    std::vector<char> refused_;
    std::vector<int> order_;
};

}  // namespace velk
