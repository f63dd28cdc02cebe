// The move list beside the board: its lines, and a line chosen to step the record to.
#include "match/form1.h"

namespace velk {

MoveList Form1::moveList() const {
    // Behind the curtain the list would be the next player's.
    if (curtain_) return {};
    return moveListOf(s, moveListKnown_);
}

void Form1::MOVELIST_Click(int n) {
    const EventScope event(*this);
    if (closed || n < 0 || n > s.moveNoLast || curtainRefuses()) return;
    while (!closed && s.moveNo != n) {
        const int before = s.moveNo;
        if (n < s.moveNo)
            REPLAY_Click();
        else
            AFTER_Click();
        if (s.moveNo == before) break;
    }
}

}  // namespace velk
