// A seat at the board: whoever plays one side. The referee tells it nothing but its side's view
// and asks it for a move; the window's human, the computer and a player across the network are
// all one of these.
#pragma once

#include <optional>

#include "board/move.h"
#include "view/side_view.h"

namespace velk {

class Player {
  public:
    virtual ~Player() = default;

    // The side's turn begins (before the first choice of the turn).
    virtual void turnBegins(const SideView& /*view*/) {}

    // The move the side plays now, from its view; none when it has no move at all. After a miss
    // the view holds the miss, and the player is asked again for the same turn.
    virtual std::optional<Move> choose(const SideView& view) = 0;
};

}  // namespace velk
