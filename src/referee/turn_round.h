// The game seen from the other seat: every square turned round and every piece changing sides.
// Two people at one screen take turns this way, and a window playing the second side of a
// network game shows the server's game so (the server counts squares as the first side sees
// them; the window always plays from the bottom).
#pragma once

#include "board/move.h"
#include "view/side_view.h"

namespace velk {

// The same view from the other seat: its side, start, events and present turned round.
SideView turnedRound(SideView view);

// The same move made from the other seat.
Move turnedRound(const Move& move);

}  // namespace velk
