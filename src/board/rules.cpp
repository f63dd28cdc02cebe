#include "board/rules.h"

namespace velk {

bool leavesKingAttacked(const Position& pos, const Move& m) {
    // Only the board decides whether the king is reached; the hands need not be copied.
    Map after = pos.board;
    after[m.toX][m.toY] = m.placed;
    if (!m.isDrop()) after[m.fromX][m.fromY] = EMPTY;
    return inCheck(after, moverOf(m));
}

int missKind(const Position& pos, const Move& m) {
    if (m.isDrop()) return pos.board[m.toX][m.toY] != EMPTY ? 2 : 0;
    if (pieceMoves(m.piece).reach[m.toX - m.fromX + 8][m.toY - m.fromY + 8] == ALONG_RAY &&
        !pathClear(pos.board, m.fromX, m.fromY, m.toX, m.toY))
        return 1;
    return leavesKingAttacked(pos, m) ? 3 : 0;
}

bool mated(const Position& pos, Side side) {
    if (!inCheck(pos.board, side)) return false;
    bool escape = false;
    forEachMove(pos, side, [&](const Move& m) {
        escape = !leavesKingAttacked(pos, m);
        return !escape;
    });
    return !escape;
}

}  // namespace velk
