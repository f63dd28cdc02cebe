// Scoring one candidate of the computer the way the scan does, for tests of the evaluation.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

#include "com/com_turn.h"
#include "com/evaluate.h"
#include "game/survey.h"
#include "support/board_text.h"

namespace velk::testkit {

// A piece to put on the board: column, row, code.
struct Placed {
    int x, y, code;
};

inline void putAll(GameState& s, std::initializer_list<Placed> pieces) {
    for (const Placed& p : pieces) s.board[p.x][p.y] = static_cast<std::int16_t>(p.code);
}

// The empty board with the given pieces on it.
inline GameState withPieces(std::initializer_list<Placed> pieces) {
    GameState s = emptyBoard();
    putAll(s, pieces);
    return s;
}

// Surveys the position as the human's turn leaves it and prepares the computer's turn.
inline void prepareTurn(GameState& s) {
    勢力調査(s);
    prepareComTurn(s);
}

// The score (tenths) of a candidate of the prepared turn: placed stands on (toX, toY). A drop
// has fromX -1 and fromY the hand index. The board is put back afterwards.
inline int scoreCandidate(GameState& s, int fromX, int fromY, int toX, int toY, int placed) {
    const bool drop = fromX < 0;
    const int moving = drop ? placed : s.board[fromX][fromY];
    s.comTurn.trialPiece = moving;
    if (!drop)
        s.comTurn.sourceToManKing =
            std::max(std::abs(fromX - s.kingXMAN), std::abs(fromY - s.kingYMAN));
    const std::int16_t captured = s.board[toX][toY];
    if (!drop) s.board[fromX][fromY] = EMPTY;
    s.board[toX][toY] = static_cast<std::int16_t>(placed);
    勢力調査(s);
    const int score = 盤評価(s, captured, placed, fromX, fromY, toX, toY);
    s.board[toX][toY] = captured;
    if (!drop) s.board[fromX][fromY] = static_cast<std::int16_t>(moving);
    return score;
}

}  // namespace velk::testkit
