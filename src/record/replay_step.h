// One step through a record: playing entry n on the board and hands, or taking it back. The
// record checks, the 進 and 戻る commands all step through these.
#pragma once

#include "board/move.h"
#include "game/game_state.h"

namespace velk {

// Entry n as a move: its source square, or for a drop the hand kind of the piece it places; the
// piece before and after.
Move recordedMove(const MoveRecord& r, int n);

// Why entry n cannot be played on a position.
enum class StepFault {
    NONE,
    BAD_SQUARES,    // a square off the board, a moved code that is no piece or n out of range
    NOT_IN_HAND,    // a drop the mover's hand does not hold (or from the other side's hand)
    NOT_ON_SOURCE,  // the moving piece is not on its source square
    WRONG_CAPTURE,  // the destination does not hold the captured piece (or EMPTY) recorded
};

// What stands in the way of playing entry n on s, NONE when it fits. Judges only where the
// pieces stand: see steppableEntry for the entry's own soundness.
StepFault recordedMoveFault(const GameState& s, const MoveRecord& r, int n);

// Plays entry n on s: the mover leaves its square or its hand, the recorded piece stands on the
// destination and a captured piece other than a king goes to the mover's hand. Entry n must
// fit (recordedMoveFault NONE).
void playRecordedMove(GameState& s, const MoveRecord& r, int n);

// Whether entry n is sound enough for the game to step over it either way: squares on the
// board or a hand slot of a kind that can be held, piece codes of the table, the piece keeping
// its side and kind (promotion aside) and a capture, if any, of the other side.
bool steppableEntry(const MoveRecord& r, int n);

// Plays entry n on s when it is steppable and fits s; answers whether it did.
bool applyRecordedMove(GameState& s, const MoveRecord& r, int n);

// Takes entry n back from s when it is steppable and s is the position it led to (its piece on
// the destination, for a board move its source empty, and the captured piece, if it went to a
// hand, still in the capturer's hand); answers whether it did.
bool takeBackRecordedMove(GameState& s, const MoveRecord& r, int n);

}  // namespace velk
