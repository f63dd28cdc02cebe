// When a piece may promote, and when it must.
#pragma once

#include "board/map.h"
#include "board/piece.h"

namespace velk {

// True when the move may promote: a pawn, lance or knight landing in the far three rows, a
// silver, bishop or rook moving into, out of or within them. Drops never promote.
inline bool mayPromote(int fromX, int fromY, int toY, int piece) {
    if (fromX == COM_HAND_X || fromX == MAN_HAND_X) return false;
    switch (piece) {
        case MAN_HU:
        case MAN_KYOU:
        case MAN_KEI:
            return toY < 4;
        case MAN_GIN:
        case MAN_KAKU:
        case MAN_SYA:
            return toY < 4 || fromY < 4;
        case COM_HU:
        case COM_KYOU:
        case COM_KEI:
            return toY > 6;
        case COM_GIN:
        case COM_KAKU:
        case COM_SYA:
            return toY > 6 || fromY > 6;
        default:
            return false;
    }
}

// YES when the piece may stand unpromoted on row toY, NO when it must promote.
inline int 移動後チェック(int toY, int piece) {
    switch (piece) {
        case COM_HU:
        case COM_KYOU:
            return toY == 9 ? NO : YES;
        case COM_KEI:
            return toY > 7 ? NO : YES;
        case MAN_HU:
        case MAN_KYOU:
            return toY == 1 ? NO : YES;
        case MAN_KEI:
            return toY < 3 ? NO : YES;
        default:
            return YES;
    }
}

// The columns holding an unpromoted pawn of the given code (MAN_HU or COM_HU).
inline TwoPawnFlags pawnColumns(const Map& board, int pawn) {
    TwoPawnFlags flags{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (board[x][y] == pawn) flags[x] = 1;
    return flags;
}

}  // namespace velk
