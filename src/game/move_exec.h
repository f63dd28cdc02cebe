// Carrying out an accepted move, and the questions around it.
#pragma once

#include "board/promotion.h"  // 移動後チェック
#include "game/game_state.h"

namespace velk {

// Plays one move or drop on the board and hands; piece is the code on the destination
// (already promoted). A human drop has fromY = hand row (kind + 2), a computer drop the kind.
void 駒移動(GameState& s, int fromX, int fromY, int toX, int toY, int piece);

// Puts a captured piece into the capturer's hand, or records the winner for a king.
void 駒取得(GameState& s, int captured);

// YES when the move may promote, setting promotedPiece; NO leaves promotedPiece alone.
int 調査_駒成(GameState& s, int fromX, int fromY, int toX, int toY, int piece);

// Rebuilds the two-pawn flags from the board.
void 調査_2歩フラグ設定(GameState& s);

}  // namespace velk
