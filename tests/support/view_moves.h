// The moves a player at the screen may try: those its side's own view allows.
#pragma once

#include <vector>

#include "support/random_play.h"
#include "view/side_view.h"

namespace velk::testkit {

// The moves the human side's own view allows: its own pieces and hand alone.
inline std::vector<MoveArgs> movesItsViewAllows(const SideView& v) {
    GameState own{};
    own.board = v.board;
    own.handMAN = v.ownHand;
    return allowedMoves(own, true);
}

}  // namespace velk::testkit
