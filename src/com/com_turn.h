// The computer's turn: preparation of the turn and the scan of every move and drop.
#pragma once

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

// Fixes the start of the turn: foulTried cleared, board snapshot, escape marks cleared, two-pawn
// flags, the human king's escape count, a survey, the bishop aims and pins, the hand total and
// the influence snapshots.
void prepareComTurn(GameState& s);

// Tries every board move then every drop on the board, evaluates each and keeps the first best.
// Stops early on the capture of the human king and on a drop scoring 9998 or more. The board is
// left as it was; the influence maps describe the last candidate tried.
ComMove scanComCandidates(GameState& s, ComTick tick = nullptr, void* context = nullptr);

}  // namespace velk
