// The computer's fouls: how it imitates a player who cannot see the human's pieces.
#pragma once

#include "game/game_state.h"

namespace velk {

// The roll of one attempt: the last character of the time of day (seconds since midnight) as
// displayed, in its shortest general form with up to seven significant digits.
char foulRoll(float timeOfDay);

// YES when the computer fouls on this attempt: level 1 on the rolls '1', '5' and '8' (about 3
// in 10), level 2 on '1' (about 1 in 10), level 3 never.
int 反則発生(const GameState& s, float timeOfDay);

// Turns the chosen move into a foul where one exists, changing toX and toY in place: a drop is
// aimed at a human piece in columns 3..7, rows 5..9; a lance, bishop, horse, rook or dragon
// (piece as it would stand on the destination) at a square it could reach on its own view but
// not on the true board. Squares marked in foulTried are never aimed at. The board is left as
// it was found.
void 反則手作成(GameState& s, int fromX, int fromY, int& toX, int& toY, int piece);

}  // namespace velk
