// Check and mate tests on the true board and the maps of the last survey.
#pragma once

#include "game/game_state.h"

namespace velk {

int 詰めかMAN(GameState& s);
int 詰めかCOM(GameState& s);
int 詰めかMAN_COM移動(GameState& s);
int 調査_自王逃道(GameState& s);

}  // namespace velk
