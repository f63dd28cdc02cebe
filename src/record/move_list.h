// The move list shown beside the board: the game on record in KIF notation, one line a move,
// with only what the human may know while the screen stands.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "game/game_state.h"

namespace velk {

// Every line starts with its move number, right-aligned in this many characters, or as many
// spaces; the rest of the line is its text.
inline constexpr std::size_t MOVE_LIST_NUMBER_WIDTH = 4;

struct MoveListLine {
    std::string text;
    // The number of moves on the board once this line is chosen: the move's own number, for a
    // line of misses the move before them, 0 for the starting position and the line above it.
    int moveNo = 0;
};

struct MoveList {
    std::vector<MoveListLine> lines;
    // The line of the position on the board (moveNo).
    int current = 0;
};

// The lines of entries 1..moveNoLast. A move of the computer reads as the window shows it while
// its pieces are hidden (its destination and "？？", "打" for an announced drop); it is written
// in full when the screen is down, a record is being read, or it is among the first knownUpTo
// entries (a game that has ended). Squares are numbered as the KIF file numbers them: 先手, the
// side that made the first move and is marked ▲, at the bottom, so that the squares of a game
// the computer began are turned round. A side's misses before its move stand on a line of their
// own, and misses made since the last move end the list while the board shows the last move.
// A game in which 一時表示 showed the computer's pieces has a line saying so above the start.
MoveList moveListOf(const GameState& s, int knownUpTo);

}  // namespace velk
