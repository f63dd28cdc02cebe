// What is true of every game state between two events, whatever the events were.
#pragma once

#include <string>

#include "game/game_state.h"

namespace velk {

// Empty when the state is sound, otherwise a short description of the first broken rule:
// - every square holds EMPTY or a piece code, the unused row and column 0 stay EMPTY;
// - hand counts are not negative and each hand total is the sum of its hand;
// - board and hands together hold the full set of every kind but the king (promoted pieces
//   counted as their kind): 18 pawns, 4 lances, knights, silvers and golds, 2 bishops, 2 rooks;
// - no side has more than one king, and while a side is to move and nobody has won each side
//   has exactly one (a king disappears only with the capture that ends a game);
// - 0 <= moveNo <= moveNoLast <= 500 and moveNo <= moveCount <= 500;
// - the flags, sides, level, selection and miss counters hold values of their ranges.
std::string checkGameState(const GameState& s);

// Whether each side has a king on the board.
bool bothKingsOnBoard(const GameState& s);

}  // namespace velk
