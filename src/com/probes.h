// Small questions about single squares that the evaluation asks after a survey.
#pragma once

#include "game/game_state.h"

namespace velk {

// Squares that piece could move to from (x, y) which the other side does not reach: MAN's
// influence must be 0 for a COM piece, COM's for a MAN piece. 0..81.
int 調査_移動可場所数(const GameState& s, int x, int y, int piece);

// Minus the number of neighbours of (x, y) holding a code of 800 or more (COM bishop, horse,
// rook, dragon, king): 0..-8.
int 調査_周辺状況(const GameState& s, int x, int y);

// (x, y) holds a freshly placed COM piece whose cheapest MAN attacker is a big piece: the value
// (whole piece values) of the big MAN pieces two files aside that a knight dropped two rows up
// would fork. 0 when none.
int 調査_桂狙い(const GameState& s, int x, int y);

// (x, y) holds a freshly placed COM pawn whose cheapest MAN attacker is a big piece: the value of
// the first piece below it on the file that a lance dropped in front of the pawn would hit.
int 調査_香狙い(const GameState& s, int x, int y);

// YES when a MAN lance, rook or dragon further down the file could move onto (x, y) if the
// square were empty. The square is emptied for the call and put back.
int 調査_自守駒MAN_直進駒(GameState& s, int x, int y);

}  // namespace velk
