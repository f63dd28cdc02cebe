// The computer's turn: preparation of the turn and the scan of every move and drop.
#pragma once

#include "com/eval_trace.h"
#include "game/game_state.h"

namespace velk {

// The move the scan chose. placed is the code that will stand on the destination, moving the
// code before the move (the dropped piece for a drop, with fromX -1 and fromY the hand index).
struct ComMove {
    int fromX = 0, fromY = 0, toX = 0, toY = 0, placed = 0, moving = 0;
    int score = 0;  // tenths
    bool found = false;
};

// One clock tick: called once per source column and once per hand index of the scan.
using ComTick = void (*)(void* context);

// Hears every candidate the scan evaluates, in scan order: the candidate (placed is the code
// evaluated on the destination, score its total) and the terms of its score.
class ComTracer {
  public:
    virtual void candidate(const ComMove& tried, const EvalTrace& terms) = 0;

  protected:
    ~ComTracer() = default;
};

// Fixes the start of the turn: foulTried cleared, board snapshot, escape marks cleared, two-pawn
// flags, the human king's escape count, a survey, the bishop aims and pins, the hand total and
// the influence snapshots.
void prepareComTurn(GameState& s);

// Tries every board move then every drop on the board, evaluates each and keeps the first best.
// Stops early on the capture of the human king and on a drop scoring 9998 or more. The board is
// left as it was; the influence maps describe the last candidate tried. A tracer hears every
// evaluation, a move that may promote or not twice (unpromoted first).
ComMove scanComCandidates(GameState& s, ComTick tick = nullptr, void* context = nullptr,
                          ComTracer* tracer = nullptr);

}  // namespace velk
