// Two terms of the board evaluation that look at the whole board after a candidate COM move.
#pragma once

#include "com/eval_trace.h"
#include "game/game_state.h"

namespace velk {

// What MAN could do next, in tenths (usually negative): squares by COM's king that MAN reaches,
// forks and skewers by MAN drops, hanging COM pieces; small bonuses for MAN pieces the
// candidate newly attacks and for a fork by the moved piece. piece stands on (toX, toY). With a
// trace, adds the terms of empty squares, COM pieces, MAN pieces and the fork.
int 盤評価_COM危険座標(GameState& s, int piece, int toX, int toY, EvalTrace* trace = nullptr);

// piece (its code, a whole value) when the piece on (toX, toY) stands on the diagonal of the
// first weakly held square from which a MAN bishop would strike COM's king, and MAN has a bishop
// or horse on the board, or a bishop in hand, that can get there; otherwise 0.
int 盤評価_自角注意_COM(const GameState& s, int toX, int toY, int piece);

}  // namespace velk
