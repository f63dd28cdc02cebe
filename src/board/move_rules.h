// Whether a piece may go from one square to another, or be dropped, on a given board. Inline,
// because every scan of every player asks it for each pair of squares.
#pragma once

#include "board/map.h"
#include "board/piece.h"
#include "board/piece_moves.h"

namespace velk {

namespace move_rules_detail {

inline bool isDropColumn(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// A pawn, lance or knight comes from its own side's hand and lands where it can still move;
// every other drop is allowed onto any empty square.
inline bool dropAllowed(int fromX, int toY, int piece) {
    switch (piece) {
        case COM_HU:
        case COM_KYOU:
            return fromX == COM_HAND_X && toY != 9;
        case MAN_HU:
        case MAN_KYOU:
            return fromX == MAN_HAND_X && toY != 1;
        case COM_KEI:
            return fromX == COM_HAND_X && toY <= 7;
        case MAN_KEI:
            return fromX == MAN_HAND_X && toY >= 3;
        default:
            return true;
    }
}

}  // namespace move_rules_detail

inline bool pathClear(const Map& board, int fromX, int fromY, int toX, int toY) {
    const int stepX = (toX > fromX) - (toX < fromX);
    const int stepY = (toY > fromY) - (toY < fromY);
    for (int x = fromX + stepX, y = fromY + stepY; x != toX || y != toY; x += stepX, y += stepY)
        if (board[x][y] != EMPTY) return false;
    return true;
}

inline int 盤上移動チェック(const Map& board, const TwoPawnFlags& twoPawnMAN,
                            const TwoPawnFlags& twoPawnCOM, int fromX, int fromY, int toX, int toY,
                            int piece) {
    if (toX < 1 || toX > 9 || toY < 1 || toY > 9) return NO;
    if (fromX == toX && fromY == toY) return NO;
    const int target = board[toX][toY];
    if (piece >= COM_HU && target >= COM_HU) return NO;
    if (piece <= MAN_HU && target <= MAN_HU) return NO;

    if (move_rules_detail::isDropColumn(fromX)) {
        // fromY only names the hand slot the piece came from; it plays no part here.
        if (target != EMPTY) return NO;
        if (piece == MAN_HU && twoPawnMAN[toX] == 1) return NO;
        if (piece == COM_HU && twoPawnCOM[toX] == 1) return NO;
        return move_rules_detail::dropAllowed(fromX, toY, piece) ? YES : NO;
    }
    // A board move from outside the board would read past the path; nothing legal starts there.
    if (!onBoard(fromX, fromY)) return NO;

    const PieceMoves& moves = pieceMoves(piece);
    // A code that is no piece is not judged.
    if (!moves.isPiece) return YES;
    switch (moves.reach[toX - fromX + 8][toY - fromY + 8]) {
        case ONE_STEP:
            return YES;
        case ALONG_RAY:
            return pathClear(board, fromX, fromY, toX, toY) ? YES : NO;
        default:
            return NO;
    }
}

}  // namespace velk
