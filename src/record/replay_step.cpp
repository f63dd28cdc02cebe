#include "record/replay_step.h"

#include "game/hands.h"

namespace velk {

namespace {

bool isDropEntry(const MoveRecord& r, int n) {
    return r.recFromX[n] == MAN_HAND_X || r.recFromX[n] == COM_HAND_X;
}

// A captured piece goes to a hand unless it is a king.
bool goesToHand(int captured) {
    return captured != EMPTY && handIndexOf(captured) != 0;
}

// Whether entry n's squares and codes can stand in a record at all.
bool wellFormedEntry(const MoveRecord& r, int n) {
    if (n < 1 || n > MAX_MOVES) return false;
    if (!onBoard(r.recToX[n], r.recToY[n])) return false;
    if (!isValidPiece(r.recPieceAfter[n]) || !isValidPiece(r.recPieceBefore[n])) return false;
    if (r.recCaptured[n] != EMPTY && !isValidPiece(r.recCaptured[n])) return false;
    if (isDropEntry(r, n)) return handIndexOf(r.recPieceAfter[n]) != 0;
    return onBoard(r.recFromX[n], r.recFromY[n]);
}

// Whether entry n keeps its piece's side and kind (promotion aside) and captures, if anything,
// a piece of the other side: stepping over it then neither makes nor loses a piece.
bool keepsThePieces(const MoveRecord& r, int n) {
    const int before = r.recPieceBefore[n], after = r.recPieceAfter[n];
    if (sideOf(before) != sideOf(after) || handIndexOf(before) != handIndexOf(after)) return false;
    return r.recCaptured[n] == EMPTY || sideOf(r.recCaptured[n]) != sideOf(after);
}

Side moverOf(const MoveRecord& r, int n) {
    return isManPiece(r.recPieceAfter[n]) ? Side::Man : Side::Com;
}

}  // namespace

StepFault recordedMoveFault(const GameState& s, const MoveRecord& r, int n) {
    if (n < 1 || n > MAX_MOVES) return StepFault::BAD_SQUARES;
    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int toX = r.recToX[n], toY = r.recToY[n];
    const int after = r.recPieceAfter[n];
    if (!onBoard(toX, toY) || !isValidPiece(after) ||
        (!isDropEntry(r, n) && !onBoard(fromX, fromY)))
        return StepFault::BAD_SQUARES;
    const Side mover = moverOf(r, n);
    if (isDropEntry(r, n)) {
        // The hand slot's owner must be the mover.
        if ((fromX == MAN_HAND_X) != (mover == Side::Man) ||
            handOf(s, mover)[handIndexOf(after)] < 1)
            return StepFault::NOT_IN_HAND;
    } else if (s.board[fromX][fromY] != r.recPieceBefore[n]) {
        return StepFault::NOT_ON_SOURCE;
    }
    // The destination as it is once the mover has left its source.
    const bool leavesDestination = !isDropEntry(r, n) && fromX == toX && fromY == toY;
    const int onDestination = leavesDestination ? EMPTY : s.board[toX][toY];
    if (onDestination != r.recCaptured[n]) return StepFault::WRONG_CAPTURE;
    return StepFault::NONE;
}

Move recordedMove(const MoveRecord& r, int n) {
    const int before = r.recPieceBefore[n], after = r.recPieceAfter[n];
    if (!isDropEntry(r, n))
        return boardMove(r.recFromX[n], r.recFromY[n], r.recToX[n], r.recToY[n], before, after);
    Move m = dropMove(sideOf(after), handIndexOf(after), r.recToX[n], r.recToY[n]);
    m.piece = static_cast<std::int16_t>(before);
    m.placed = static_cast<std::int16_t>(after);
    return m;
}

void playRecordedMove(GameState& s, const MoveRecord& r, int n) {
    const Side mover = moverOf(r, n);
    const Move m = recordedMove(r, n);
    if (m.isDrop())
        takeFromHand(s, mover, m.drop);
    else
        s.board[m.fromX][m.fromY] = EMPTY;
    s.board[m.toX][m.toY] = m.placed;
    if (goesToHand(r.recCaptured[n])) addToHand(s, mover, handIndexOf(r.recCaptured[n]));
}

bool steppableEntry(const MoveRecord& r, int n) {
    return wellFormedEntry(r, n) && keepsThePieces(r, n);
}

bool applyRecordedMove(GameState& s, const MoveRecord& r, int n) {
    if (!steppableEntry(r, n) || recordedMoveFault(s, r, n) != StepFault::NONE) return false;
    playRecordedMove(s, r, n);
    return true;
}

bool takeBackRecordedMove(GameState& s, const MoveRecord& r, int n) {
    if (!steppableEntry(r, n)) return false;
    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int toX = r.recToX[n], toY = r.recToY[n];
    const int captured = r.recCaptured[n];
    const Side mover = moverOf(r, n);
    if (s.board[toX][toY] != r.recPieceAfter[n]) return false;
    if (!isDropEntry(r, n) && s.board[fromX][fromY] != EMPTY) return false;
    if (goesToHand(captured) && handOf(s, mover)[handIndexOf(captured)] <= 0) return false;

    if (isDropEntry(r, n))
        addToHand(s, mover, handIndexOf(r.recPieceAfter[n]));
    else
        s.board[fromX][fromY] = static_cast<std::int16_t>(r.recPieceBefore[n]);
    if (goesToHand(captured)) takeFromHand(s, mover, handIndexOf(captured));
    s.board[toX][toY] = static_cast<std::int16_t>(captured);
    return true;
}

}  // namespace velk
