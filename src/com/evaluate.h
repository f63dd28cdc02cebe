// The computer's one-move evaluation of a candidate standing on the board.
#pragma once

#include "com/eval_trace.h"
#include "com/weights.h"
#include "game/game_state.h"

namespace velk {

// Scores are integers of tenths; every weight lives in com/weights.h.
inline constexpr Score SCORE_KING_CAPTURE = weights::outcome::KING_CAPTURE;
inline constexpr Score SCORE_MATE = weights::outcome::MATE;
inline constexpr Score SCORE_LOST = weights::outcome::LOST;

// The score of one candidate, in tenths. The candidate stands on the board (source emptied,
// piece on the destination) and the survey describes that position; the turn preparation and
// the scan have set the turn-start snapshots, trialPiece and sourceToManKing. For a drop fromX
// is -1 and fromY the hand index. The board is left as it was found; escape squares seen by the
// escape count are added to manKingEscapes. With a trace, every term that contributed is added
// to it in the order it was counted.
int 盤評価(GameState& s, int captured, int piece, int fromX, int fromY, int toX, int toY,
           EvalTrace* trace = nullptr);

}  // namespace velk
