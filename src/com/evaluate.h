// The computer's one-move evaluation of a candidate standing on the board.
#pragma once

#include "game/game_state.h"

namespace velk {

// Scores are integers of tenths: every weight of the evaluation is a multiple of 0.1.
inline constexpr int SCORE_KING_CAPTURE = 99990;  // 9999
inline constexpr int SCORE_MATE = 99980;          // 9998
inline constexpr int SCORE_LOST = -99980;         // -9998: own king attacked, or a pawn mate

// The score of one candidate, in tenths. The candidate stands on the board (source emptied,
// piece on the destination) and the survey describes that position; the turn preparation and
// the scan have set the turn-start snapshots, trialPiece and sourceToManKing. For a drop fromX
// is -1 and fromY the hand index. The board is left as it was found; escape squares seen by the
// escape count are added to manKingEscapes.
int 盤評価(GameState& s, int captured, int piece, int fromX, int fromY, int toX, int toY);

}  // namespace velk
