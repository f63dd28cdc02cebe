#include "game/move_exec.h"

#include "board/promotion.h"
#include "game/hands.h"

namespace velk {

void 駒取得(GameState& s, int captured) {
    const int kind = handIndexOf(captured);
    if (captured >= COM_HU && captured != COM_OU && kind != 0) {
        addToHand(s, Side::Man, kind);
    } else if (captured == COM_OU) {
        s.winner = s.roleMAN;
    } else if (captured <= MAN_HU && captured != MAN_OU && kind != 0) {
        addToHand(s, Side::Com, kind);
    } else if (captured == MAN_OU) {
        s.winner = s.roleCOM;
    }
}

void 駒移動(GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    const int target = s.board[toX][toY];
    if (target <= MAN_HU || target >= COM_HU) 駒取得(s, target);
    s.board[toX][toY] = static_cast<std::int16_t>(piece);
    if (piece == MAN_OU) {
        s.kingXMAN = toX;
        s.kingYMAN = toY;
    }
    if (fromX == COM_HAND_X) {
        takeFromHand(s, Side::Com, fromY);
    } else if (fromX == MAN_HAND_X) {
        takeFromHand(s, Side::Man, fromY - 2);
    } else {
        s.board[fromX][fromY] = EMPTY;
    }
}

int 調査_駒成(GameState& s, int fromX, int fromY, int /*toX*/, int toY, int piece) {
    if (!mayPromote(fromX, fromY, toY, piece)) return NO;
    s.promotedPiece = promotedCode(piece);
    return YES;
}

void 調査_2歩フラグ設定(GameState& s) {
    for (int x = 1; x <= 9; ++x) {
        s.twoPawnMAN[x] = 0;
        s.twoPawnCOM[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (s.board[x][y] == MAN_HU) s.twoPawnMAN[x] = 1;
            if (s.board[x][y] == COM_HU) s.twoPawnCOM[x] = 1;
        }
    }
}

}  // namespace velk
