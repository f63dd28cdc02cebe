// The referee's first look at a move of a player that reads only its own side of the screen.
#pragma once

#include "com/com_turn.h"
#include "game/game_state.h"
#include "honest/honest_player.h"

namespace velk {

// Whether the computer's move from such a player may go to the referee at all: it moves a
// computer piece that stands on its source (or one held in hand), its promotion is one the rules
// allow and a piece that must promote does, it looks legal on the computer's own side of the
// board, and on the true board it is either a miss or legal. Anything else is a fault of the
// player, not a miss. When it may, move gets the move with the moving piece. The board is left
// as it was; the influence maps may describe a tentative position.
bool checkHonestComMove(GameState& s, const HonestMove& h, ComMove& move);

}  // namespace velk
