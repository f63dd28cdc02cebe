// The influence survey: who reaches which square, cheapest attackers and defenders, checks.
#pragma once

#include "game/game_state.h"

namespace velk {

// Recomputes every influence map from the board and refreshes both kings' squares.
void 勢力調査(GameState& s);

// Directional routines; they add to the maps a survey has just reset.
void 勢力確定上直進(GameState& s, int code, int x, int y);
void 勢力確定下直進(GameState& s, int code, int x, int y);
void 勢力確定右直進(GameState& s, int code, int x, int y);
void 勢力確定左直進(GameState& s, int code, int x, int y);
void 勢力確定自角(GameState& s, int x, int y);
void 勢力確定敵角(GameState& s, int code, int x, int y);
void 勢力確定自金(GameState& s, int code, int x, int y);
void 勢力確定敵金(GameState& s, int x, int y);

}  // namespace velk
