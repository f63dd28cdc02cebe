#include "referee/miss.h"

#include "game/board_view.h"
#include "game/mate.h"
#include "game/move_check.h"

namespace velk {

int 調査_ミス(GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    int result = NO;
    const bool boardMove = fromX >= 1 && fromX <= 9;

    // Judged once on the mover's view (the other side's pieces taken off), once on the board.
    const int seen =
        移動チェック(s, sideView(s.board, sideOf(piece)), fromX, fromY, toX, toY, piece);
    const int real = 移動チェック(s, fromX, fromY, toX, toY, piece);

    if (boardMove && seen == YES && real == NO) return MISS_JUMPED;
    // Nothing below may touch a square off the board.
    if (!onBoard(toX, toY)) return result;
    const int target = s.board[toX][toY];
    if ((fromX == MAN_HAND_X && isComPiece(target)) || (fromX == COM_HAND_X && isManPiece(target)))
        return MISS_DROPPED_ON;

    // The piece argument is the promoted code when the computer promotes.
    if (boardMove && onBoard(fromX, fromY) &&
        leavesOwnKingAttacked(s, fromX, fromY, toX, toY, piece))
        result = MISS_KING_EXPOSED;
    return result;
}

bool allowedOnOwnView(const GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    return 移動チェック(s, sideView(s.board, sideOf(piece)), fromX, fromY, toX, toY, piece) == YES;
}

}  // namespace velk
