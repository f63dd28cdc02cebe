// The move list beside the board: its lines, and a line chosen to step the record to.
#include <cstdio>

#include "match/form1.h"
#include "texts/texts.h"

namespace velk {

MoveList Form1::moveList() const {
    // Behind the curtain the list would be the next player's.
    if (curtain_) return {};
    MoveList list = moveListOf(s, moveListKnown_);
    // A game given up ends with its 投了, below its last move.
    if (resignedSide() != Side::None) {
        char number[16];
        std::snprintf(number, sizeof number, "%3d ", s.moveNoLast + 1);
        list.lines.push_back({number + std::string(texts::movelist::RESIGNED), s.moveNoLast});
    }
    return list;
}

void Form1::MOVELIST_Click(int n) {
    const EventScope event(*this);
    if (closed || n < 0 || n > s.moveNoLast || curtainRefuses() || netRefuses()) return;
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
