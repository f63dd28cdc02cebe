#include "game/move_check.h"

#include <cstdlib>

#include "board/move_rules.h"

namespace velk {

int 移動チェック飛車(const GameState& s, int fromX, int fromY, int toX, int toY) {
    if (fromX != toX && fromY != toY) return NO;
    return pathClear(s.board, fromX, fromY, toX, toY) ? YES : NO;
}

int 移動チェック角(const GameState& s, int fromX, int fromY, int toX, int toY) {
    if (std::abs(toX - fromX) != std::abs(toY - fromY)) return NO;
    return pathClear(s.board, fromX, fromY, toX, toY) ? YES : NO;
}

int 移動チェック(const GameState& s, const Map& board, int fromX, int fromY, int toX, int toY,
                 int piece) {
    return 盤上移動チェック(board, s.twoPawnMAN, s.twoPawnCOM, fromX, fromY, toX, toY, piece);
}

int 移動チェック(const GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    return 盤上移動チェック(s.board, s.twoPawnMAN, s.twoPawnCOM, fromX, fromY, toX, toY, piece);
}

}  // namespace velk
