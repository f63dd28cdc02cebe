// The honest player in a seat: it reads its side's view alone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "com/com_turn.h"
#include "game/game_state.h"
#include "honest/honest_player.h"
#include "view/player.h"

namespace velk {

// The move a view's owner means by the honest player's answer: the piece is read from the view
// (its own pieces and hand), so nothing hidden enters it.
Move moveOf(const HonestMove& h, const SideView& view);

class HonestSeat : public Player {
  public:
    explicit HonestSeat(std::uint64_t seed) : player_(seed) {}
    std::optional<Move> choose(const SideView& view) override;

  private:
    HonestPlayer player_;
};

// The computer's side at 公正; its first moves vary with its seed. The referee looks first at each
// move of the player: one it should never have made is not played; a debug build stops on it when
// stopOnFault is set (a made-up position no view could follow clears it), a release build lets the
// level-3 scan move for this turn.
class HonestComputer : public Player {
  public:
    HonestComputer(GameState& s, std::uint64_t seed, bool stopOnFault = true,
                   ComTick tick = nullptr, void* tickContext = nullptr);

    // The computer's turn notes are fixed as at any level (the scan that stands in reads them).
    void turnBegins(const SideView& view) override;
    std::optional<Move> choose(const SideView& view) override;

    // The player's thinking budget per choice (see HonestPlayer::setThinkMs).
    void setThinkMs(int ms) { player_.setThinkMs(ms); }

    // Runs the player's search, which touches only the player and the view it is given (the
    // window runs it off its own thread); unset, the search runs in place.
    std::function<void(const std::function<void()>&)> runThinking;

    bool stopOnFault = true;

  private:
    GameState& s_;
    HonestPlayer player_;
    ComTick tick_;
    void* tickContext_;
};

}  // namespace velk
