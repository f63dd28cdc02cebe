// The window's line to a game server while it plays one seat of a network game: the window's
// side of the board always plays from the bottom as Side::Man, and the line turns squares and
// pieces round for the server when the seat is the second side.
#pragma once

#include "board/move.h"

namespace velk {

class NetLine {
  public:
    virtual ~NetLine() = default;
    // A move the seat's own view allows, for the referee on the server.
    virtual void sendMove(const Move& move) = 0;
    virtual void sendResign() = 0;
    // The window gives the game up without a word to the server (another game starts here, or
    // the program ends); the seat stays on the server until the other side claims it.
    virtual void leave() = 0;
};

}  // namespace velk
