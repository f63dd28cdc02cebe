// Every change to a hand goes through these, so that each hand's total stays the sum of its
// counts.
#pragma once

#include <array>

#include "game/game_state.h"

namespace velk {

inline Hand& handOf(GameState& s, Side side) {
    return side == Side::Man ? s.handMAN : s.handCOM;
}

inline const Hand& handOf(const GameState& s, Side side) {
    return side == Side::Man ? s.handMAN : s.handCOM;
}

inline int handTotalOf(const GameState& s, Side side) {
    return side == Side::Man ? s.handTotalMAN : s.handTotalCOM;
}

// One piece of kind (hand index 1..7) into side's hand.
inline void addToHand(GameState& s, Side side, int kind) {
    if (side == Side::Man) {
        s.handMAN[kind] += 1;
        s.handTotalMAN += 1;
    } else {
        s.handCOM[kind] += 1;
        s.handTotalCOM += 1;
    }
}

// One piece of kind (hand index 1..7) out of side's hand.
inline void takeFromHand(GameState& s, Side side, int kind) {
    if (side == Side::Man) {
        s.handMAN[kind] -= 1;
        s.handTotalMAN -= 1;
    } else {
        s.handCOM[kind] -= 1;
        s.handTotalCOM -= 1;
    }
}

// Both hands at once, with their totals (taken by value: either may be one of s's own hands).
inline void setHands(GameState& s, Hand man, Hand com) {
    s.handMAN = man;
    s.handCOM = com;
    s.handTotalMAN = handSumOf(s.handMAN);
    s.handTotalCOM = handSumOf(s.handCOM);
}

}  // namespace velk
