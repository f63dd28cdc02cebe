// Whether a piece may go from one square to another, or be dropped, on the board as it stands.
#pragma once

#include "game/game_state.h"

namespace velk {

// YES or NO. fromX 11 or -1 makes it a drop (fromY unused). Reads the board and the
// two-pawn flags only; the caller vouches that piece stands on the source.
int 移動チェック(const GameState& s, int fromX, int fromY, int toX, int toY, int piece);

// The same question judged on another board (a side's view, say) with the two-pawn flags of s.
int 移動チェック(const GameState& s, const Map& board, int fromX, int fromY, int toX, int toY,
                 int piece);

// Straight path of a rook or dragon: every square strictly between is empty.
int 移動チェック飛車(const GameState& s, int fromX, int fromY, int toX, int toY);

// Diagonal path of a bishop or horse: every square strictly between is empty.
int 移動チェック角(const GameState& s, int fromX, int fromY, int toX, int toY);

}  // namespace velk
