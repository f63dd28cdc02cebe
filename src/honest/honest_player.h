// A player that knows only its own side of the screen: it reads a SideView and nothing else.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "honest/belief.h"
#include "honest/search.h"
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

// The side's material less the other side's, as its own view shows it: its pieces on the board
// and in hand against all that both sides started with (the other side holds the rest), each
// counted unpromoted at its value in hand, kings aside.
int materialSeen(const SideView& view);

// Whether the player comes forward and fights: against a side that has shown it is blind, and
// against any side once the game has run LATE_EVENTS events (moves and refusals of both sides),
// where waiting on would only secure a draw at the move limit. A mate from a closed position
// takes more than the last hundred events, so the fight starts with two hundred to go: a side
// that never misses may still be blind, as everyone at the window is. A late fight that has left
// the player more than FIGHT_LOSS behind in material (a pawn lost counts 220: one fewer for it,
// one more for the other side) is going to a side that may see the board: it holds again, and
// comes forward once it is level enough.
bool comesForward(const SideView& view);
inline constexpr std::size_t LATE_EVENTS = 300;
inline constexpr int FIGHT_LOSS = 250;

// Whether a move that opens a line towards one of the player's pieces costs it something: against
// any side that has not shown it is blind, fighting late or waiting, since a side that sees the
// board finds the line at once.
bool guardsItsLines(const SideView& view);

// Which way the player plays. First is the player as it first played, kept to measure against:
// it always opens the same way for the same history and does not mind repeating itself.
enum class HonestVersion : std::uint8_t { First, Current };

// It keeps a set of guesses at the hidden position that agree with everything its side has
// seen, and plays the move with the best outcome over them, a refusal counted at its cost.
class HonestPlayer {
  public:
    explicit HonestPlayer(std::uint64_t seed = 1, int samples = DEFAULT_SAMPLES,
                          HonestVersion version = HonestVersion::Current);

    // How many guesses it keeps: twice what its first version kept (48), which its second look
    // ran out of before it ran out of time; more guesses weigh the rare position a move fails in
    // better.
    static constexpr int DEFAULT_SAMPLES = 96;

    // The move this side plays now, from its view alone. The same seed and the same view history
    // give the same move. found is false when the side has no move at all.
    HonestMove choose(const SideView& view);

    // The guesses behind the last choice (for tests).
    const honest::Belief& belief() const { return belief_; }

    HonestVersion version() const { return version_; }

    // The thinking budget of one choice, in milliseconds of this machine (counted in positions
    // looked at, so the same on any machine): more, and it looks deeper and at more guesses.
    void setThinkMs(int ms) { thinkMs_ = std::clamp(ms, 1, MAX_THINK_MS); }
    int thinkMs() const { return thinkMs_; }

    // Whether its first moves of a game are drawn by its seed among the near-best, so that games
    // differ; off, it always plays its best move (as the hint does).
    void setOpeningVariety(bool on) { openingVariety_ = on; }

    // The default budget, and the most a choice is ever given.
    static constexpr int DEFAULT_THINK_MS = 50;
    static constexpr int MAX_THINK_MS = 500;

  private:
    HonestMove searched(const SideView& view);
    void fallBack(const std::vector<long>& values, std::size_t moves, std::size_t stride,
                  std::size_t guesses, int cost);
    void reorder(std::size_t k);
    HonestMove moveOfIndex(int index) const;

    std::uint64_t seed_;
    HonestVersion version_;
    int thinkMs_ = DEFAULT_THINK_MS;
    bool openingVariety_ = false;
    honest::Belief belief_;
    honest::Search search_;
    std::vector<Move> moves_;
    std::vector<long> totals_;
    std::vector<long> risks_;
    std::vector<long> values_;
    std::vector<long> finals_;
    std::vector<char> repeats_;
    std::vector<char> refused_;
    std::vector<int> order_;
    // The second look: each candidate's value on each guess, the best on each guess, and each
    // candidate's total and worst guess.
    std::vector<long> look_;
    std::vector<long> bestHere_;
    // The first look's values (move by move, each over its guesses), and on each guess what a
    // refusal is worth: moving again, less the cost of the miss.
    std::vector<long> firstLook_;
    std::vector<long> fallback_;
    std::vector<long> penalties_;
    std::vector<long> worst_;
    std::vector<long> quarter_;
    std::vector<int> permute_;
    std::vector<int> scratch_;
    std::vector<long> longScratch_;
    std::vector<long> worstScratch_;
    std::vector<char> charScratch_;
};

}  // namespace velk
