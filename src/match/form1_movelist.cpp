// The move list beside the board: its lines, and a line chosen to step the record to.
#include "match/form1.h"

namespace velk {

MoveList Form1::moveList() const {
    return moveListOf(s, moveListKnown_);
}

void Form1::MOVELIST_Click(int n) {
    const EventScope event(*this);
    if (closed || n < 0 || n > s.moveNoLast) return;
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
