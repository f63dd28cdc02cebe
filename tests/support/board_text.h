// Positions for tests, written like an SFEN board: rows from the top (y = 1) to the bottom,
// squares from the left (x = 1); upper case the human, lower case the computer, '+' promotes,
// digits are runs of empty squares. Hands use the same letters ("2Pb": two human pawns, one
// computer bishop). Malformed text throws, so a typo fails the test that wrote it; unlike the
// analysis command, positions that could not arise in a game are allowed.
#pragma once

#include <string_view>

#include "game/game_state.h"
#include "game/hands.h"
#include "game/position_text.h"
#include "game/setup.h"

namespace velk::testkit {

// Replaces the board of s with the given one (the hands are left alone).
inline void setBoard(GameState& s, std::string_view text) {
    s.board = parsePositionText(text, "-", PositionCheck::Structure).board;
}

// Replaces both hands and their totals.
inline void setHands(GameState& s, std::string_view text) {
    const PositionText p = parsePositionText("9/9/9/9/9/9/9/9/9", text, PositionCheck::Structure);
    velk::setHands(s, p.handMAN, p.handCOM);
}

// A freshly loaded game state holding the given position.
inline GameState position(std::string_view board, std::string_view hands = "-") {
    GameState s{};
    loadDefaults(s);
    setBoard(s, board);
    setHands(s, hands);
    return s;
}

// The empty board with a few pieces put on it, for tests that name squares directly.
inline GameState emptyBoard() {
    return position("9/9/9/9/9/9/9/9/9");
}

inline void put(GameState& s, int x, int y, int code) {
    s.board[x][y] = static_cast<std::int16_t>(code);
}

}  // namespace velk::testkit
