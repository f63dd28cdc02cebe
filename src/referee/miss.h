// Classifying a proposed move as a miss: legal on the mover's view, illegal on the true board.
#pragma once

#include "game/game_state.h"

namespace velk {

inline constexpr int MISS_JUMPED = 1;
inline constexpr int MISS_DROPPED_ON = 2;
inline constexpr int MISS_KING_EXPOSED = 3;

// 0 (no miss) or one of the kinds above. The board is restored; the maps describe the
// tentative position when the move was a board move.
int 調査_ミス(GameState& s, int fromX, int fromY, int toX, int toY, int piece);

// Whether the mover's own view (the other side's pieces taken off) allows the move. A player's
// move that its view already forbids is refused plainly, never judged a miss, so that neither
// the refusal nor the count tells anything of the hidden pieces.
bool allowedOnOwnView(const GameState& s, int fromX, int fromY, int toX, int toY, int piece);

}  // namespace velk
