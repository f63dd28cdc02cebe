#include "honest/world.h"

namespace velk::honest {

bool attacked(const Map& board, int x, int y, bool byMan) {
    return !forEachAttacker(board, x, y, byMan, [](int) { return false; });
}

std::array<int, 2> kingSquare(const Map& board, bool man) {
    const int king = man ? MAN_OU : COM_OU;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (board[x][y] == king) return {x, y};
    return {0, 0};
}

int applyMove(World& w, const Move& m) {
    const bool man = isManPiece(m.piece);
    const int taken = w.board[m.toX][m.toY];
    if (taken != EMPTY) {
        const int kind = handIndexOf(taken);
        if (kind != 0) w.hand(man)[kind] += 1;
    }
    w.board[m.toX][m.toY] = m.placed;
    if (m.isDrop())
        w.hand(man)[handKindOfDrop(m)] -= 1;
    else
        w.board[m.fromX][m.fromY] = EMPTY;
    return taken;
}

int refereeAnswer(const World& w, const Move& m) {
    const bool man = isManPiece(m.piece);
    if (m.isDrop()) return w.board[m.toX][m.toY] != EMPTY ? 2 : 0;
    if (pieceMoves(m.piece).reach[m.toX - m.fromX + 8][m.toY - m.fromY + 8] == ALONG_RAY &&
        !pathClear(w.board, m.fromX, m.fromY, m.toX, m.toY))
        return 1;
    World after = w;
    applyMove(after, m);
    const auto king = kingSquare(after.board, man);
    if (king[0] != 0 && attacked(after.board, king[0], king[1], !man)) return 3;
    return 0;
}

}  // namespace velk::honest
