// The computer of levels 1 to 3 as a seat: it reads the true board, as it always has, scans every
// move and drop, and at levels 1 and 2 fouls on purpose when the clock's digits say so.
#pragma once

#include <functional>
#include <optional>

#include "com/com_turn.h"
#include "game/game_state.h"
#include "view/player.h"

namespace velk {

class DesignComputer : public Player {
  public:
    // s is the game it reads and keeps its turn's notes in; timeOfDay the clock its fouls are
    // rolled from; tick is called as the scan goes (the window's clock display).
    DesignComputer(GameState& s, std::function<float()> timeOfDay, ComTick tick = nullptr,
                   void* tickContext = nullptr);

    // Fixes what its evaluation reads at the start of the turn.
    void turnBegins(const SideView& view) override;
    // After a foul the referee refused, the square it tried is not tried again this turn.
    std::optional<Move> choose(const SideView& view) override;

  private:
    GameState& s_;
    std::function<float()> timeOfDay_;
    ComTick tick_;
    void* tickContext_;
    bool askedThisTurn_ = false;
};

}  // namespace velk
