#include "com/probes.h"

#include <algorithm>
#include <cstdlib>

#include "board/piece_moves.h"
#include "game/board_view.h"
#include "game/move_check.h"

namespace velk {

namespace {

bool isBigManAttacker(int code) {
    return code >= MAN_RYU && code <= MAN_KAKU;
}

}  // namespace

int 調査_移動可場所数(const GameState& s, int x, int y, int piece) {
    const auto& reach = piece >= COM_HU ? s.maps.manInfluence : s.maps.comInfluence;
    // A stepping piece only needs the squares around it; the count does not depend on order.
    int loX = 1, hiX = 9, loY = 1, hiY = 9;
    if (onBoard(x, y) && stepsOnly(piece)) {
        loX = std::max(1, x - 2);
        hiX = std::min(9, x + 2);
        loY = std::max(1, y - 2);
        hiY = std::min(9, y + 2);
    }
    int count = 0;
    for (int tx = loX; tx <= hiX; ++tx)
        for (int ty = loY; ty <= hiY; ++ty)
            if (reach[tx][ty] == 0 && 移動チェック(s, x, y, tx, ty, piece) == YES) ++count;
    return count;
}

int 調査_周辺状況(const GameState& s, int x, int y) {
    const auto& b = s.board;
    const bool up = y > 1, down = y < 9;
    int count = 0;
    if (x > 1)
        count += (up && b[x - 1][y - 1] >= COM_KAKU) + (b[x - 1][y] >= COM_KAKU) +
                 (down && b[x - 1][y + 1] >= COM_KAKU);
    count += (up && b[x][y - 1] >= COM_KAKU) + (down && b[x][y + 1] >= COM_KAKU);
    if (x < 9)
        count += (up && b[x + 1][y - 1] >= COM_KAKU) + (b[x + 1][y] >= COM_KAKU) +
                 (down && b[x + 1][y + 1] >= COM_KAKU);
    return -count;
}

int 調査_桂狙い(const GameState& s, int x, int y) {
    const auto& m = s.maps;
    if (!isBigManAttacker(m.manAttackCode[x][y]) || y <= 5) return 0;
    int result = 0;
    if (x > 2 && s.board[x - 1][y - 2] == EMPTY && m.manInfluence[x - 1][y - 2] == 0 &&
        s.board[x - 2][y] <= MAN_KAKU && m.manAttackX[x][y] != x - 2)
        result += std::abs(s.board[x - 2][y]);
    if (x < 8 && s.board[x + 1][y - 2] == EMPTY && m.manInfluence[x + 1][y - 2] == 0 &&
        s.board[x + 2][y] <= MAN_KAKU && m.manAttackX[x][y] != x + 2)
        result += std::abs(s.board[x + 2][y]);
    return result;
}

int 調査_香狙い(const GameState& s, int x, int y) {
    const auto& m = s.maps;
    if (y <= 6 || m.comInfluence[x][y - 1] <= 0 || m.manInfluence[x][y - 1] != 0 ||
        !isBigManAttacker(m.manAttackCode[x][y]))
        return 0;
    for (int yy = y + 1; yy <= 9; ++yy) {
        if (s.board[x][yy] == EMPTY) continue;
        // Only the first occupied square is looked at.
        if (移動チェック(s, x, y, x, yy, COM_KYOU) == YES) return std::abs(s.board[x][yy]);
        return 0;
    }
    return 0;
}

int 調査_自守駒MAN_直進駒(GameState& s, int x, int y) {
    const TrialPiece emptied(s.board, x, y, EMPTY);
    for (int yy = y + 1; yy <= 9; ++yy) {
        const int code = s.board[x][yy];
        if (isComPiece(code)) return NO;
        if (code == MAN_KYOU || code == MAN_SYA || code == MAN_RYU)
            return 移動チェック(s, x, yy, x, y, code) == YES ? YES : NO;
    }
    return NO;
}

}  // namespace velk
