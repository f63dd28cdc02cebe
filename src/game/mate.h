// Check and mate tests on the true board and the maps of the last survey.
#pragma once

#include "game/game_state.h"

namespace velk {

int 詰めかMAN(GameState& s);
int 詰めかCOM(GameState& s);
int 詰めかMAN_COM移動(GameState& s);
int 調査_自王逃道(GameState& s);

// Whether a board move leaves the mover's own king attacked. The move is played for a moment
// (piece, the code it stands as, on the destination and the source emptied), the survey is run
// on that position and both squares get back what stood there. The maps and both kings' squares
// stay as the survey found them in that position.
bool leavesOwnKingAttacked(GameState& s, int fromX, int fromY, int toX, int toY, int piece);

}  // namespace velk
