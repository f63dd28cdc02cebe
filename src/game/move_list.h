// Every move the move check allows to one side, in the one order every scan uses: board moves by
// source column 1..9, source row 1..9, destination column 1..9, destination row 1..9; then drops
// by kind 1..7 (kinds in hand only), destination column, destination row. The two-pawn flags are
// the caller's to rebuild first.
//
// A drop names its hand slot as the move execution and the record do: MAN_HAND_X with the hand
// row (kind + 2), or COM_HAND_X with the kind.
//
// The visitor is called as visit(fromX, fromY, toX, toY, piece) and returns true to go on or
// false to stop; each generator returns false when stopped. The visitor may change the board as
// long as it puts it back before it returns. Templates, so that the computer's scan pays no call.
#pragma once

#include "board/piece.h"
#include "game/game_state.h"
#include "game/move_check.h"

namespace velk {

// A hook that does nothing, for scans that need no call per column or per kind.
struct NoScanHook {
    void operator()(int) const {}
};

// Board moves; onColumn(fromX) runs before each source column is scanned.
template <class Visit, class Column = NoScanHook>
bool forEachBoardMove(GameState& s, bool man, Visit&& visit, Column&& onColumn = {}) {
    for (int fromX = 1; fromX <= 9; ++fromX) {
        onColumn(fromX);
        for (int fromY = 1; fromY <= 9; ++fromY) {
            const int piece = s.board[fromX][fromY];
            if (man ? !isManPiece(piece) : !isComPiece(piece)) continue;
            for (int toX = 1; toX <= 9; ++toX)
                for (int toY = 1; toY <= 9; ++toY) {
                    if (移動チェック(s, fromX, fromY, toX, toY, piece) != YES) continue;
                    if (!visit(fromX, fromY, toX, toY, piece)) return false;
                }
        }
    }
    return true;
}

// Drops; onKind(kind) runs before each kind 1..7, whether or not the hand holds it.
template <class Visit, class Kind = NoScanHook>
bool forEachDrop(GameState& s, bool man, Visit&& visit, Kind&& onKind = {}) {
    const auto& hand = man ? s.handMAN : s.handCOM;
    const int fromX = man ? MAN_HAND_X : COM_HAND_X;
    for (int kind = 1; kind <= 7; ++kind) {
        onKind(kind);
        if (hand[kind] <= 0) continue;
        const int piece = man ? MAN_HAND_CODES[kind] : COM_HAND_CODES[kind];
        const int fromY = man ? kind + 2 : kind;
        for (int toX = 1; toX <= 9; ++toX)
            for (int toY = 1; toY <= 9; ++toY) {
                if (移動チェック(s, fromX, fromY, toX, toY, piece) != YES) continue;
                if (!visit(fromX, fromY, toX, toY, piece)) return false;
            }
    }
    return true;
}

// Board moves, then drops.
template <class Visit>
bool forEachAllowedMove(GameState& s, bool man, Visit&& visit) {
    return forEachBoardMove(s, man, visit) && forEachDrop(s, man, visit);
}

}  // namespace velk
