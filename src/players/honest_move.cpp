#include "players/honest_move.h"

#include "board/promotion.h"
#include "game/board_view.h"
#include "game/move_check.h"
#include "referee/miss.h"

namespace velk {

bool checkHonestComMove(GameState& s, const HonestMove& h, ComMove& move) {
    if (!h.found || !onBoard(h.toX, h.toY)) return false;
    int moving = EMPTY;
    if (h.fromX == COM_HAND_X) {
        if (h.fromY < 1 || h.fromY > 7 || s.handCOM[h.fromY] < 1) return false;
        moving = COM_HAND_CODES[h.fromY];
        if (h.placed != moving) return false;
    } else {
        if (!onBoard(h.fromX, h.fromY) || !isComPiece(s.board[h.fromX][h.fromY])) return false;
        moving = s.board[h.fromX][h.fromY];
        if (h.placed == moving) {
            if (移動後チェック(h.toY, moving) == NO) return false;
        } else if (!canPromote(moving) || !mayPromote(h.fromX, h.fromY, h.toY, moving) ||
                   h.placed != promotedCode(moving)) {
            return false;
        }
    }
    if (移動チェック(s, sideView(s.board, Side::Com), h.fromX, h.fromY, h.toX, h.toY, moving) !=
        YES)
        return false;
    // Judged with the piece that moves, as the human's moves are: a promoting lance that passes
    // over a hidden piece is a jump whatever it becomes on arrival.
    const int kind = 調査_ミス(s, h.fromX, h.fromY, h.toX, h.toY, moving);
    if (kind == NO && 移動チェック(s, h.fromX, h.fromY, h.toX, h.toY, moving) != YES) return false;
    move = ComMove{};
    move.fromX = h.fromX;
    move.fromY = h.fromY;
    move.toX = h.toX;
    move.toY = h.toY;
    move.placed = h.placed;
    move.moving = moving;
    move.found = true;
    return true;
}

}  // namespace velk
