// The starting position and the state changes of a reset.
#pragma once

#include "game/game_state.h"

namespace velk {

// Puts the full starting set of both sides on the board (other squares untouched).
void placeStartingPosition(GameState& s);

// Reset of the game state: counters, hands, clocks and the starting position. Leaves roles,
// level, kifuMode, moveNoLast, the move record, the preferences and the king squares alone.
// Stopping the timer and the full redraw are the caller's.
void 初期設定(GameState& s);

// The values the window's load gives: load defaults, then the reset.
void loadDefaults(GameState& s);

}  // namespace velk
