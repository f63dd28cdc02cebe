// The two maps the computer computes once at the start of its turn for the evaluation.
#pragma once

#include "game/game_state.h"

namespace velk {

// pinnedMAN: 1 on every MAN piece whose removal would let a COM lance, bishop, horse, rook or
// dragon reach MAN's king. comPiecePinned: YES when some COM piece stands so before COM's king.
void 調査_移動不可駒(GameState& s);

// manBishopThreat: 1 on every empty square that COM holds weakly (no COM influence, or one next
// to COM's king) and from which a MAN bishop would reach COM's king. Needs a fresh survey.
void 調査_持角狙座標(GameState& s);

}  // namespace velk
