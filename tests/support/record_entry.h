// One entry of a move record written by hand, for tests that build a record move by move.
#pragma once

#include "game/game_state.h"
#include "record/record_file.h"

namespace velk::testkit {

inline void addEntry(MoveRecord& r, int n, int fromX, int fromY, int toX, int toY, int before,
                     int after, int captured, float manBefore = 0, float manAfter = 0,
                     float comBefore = 0, float comAfter = 0) {
    setRecordEntry(r, n, fromX, fromY, toX, toY, before, after, captured);
    r.recTimeMANBefore[n] = manBefore;
    r.recTimeMANAfter[n] = manAfter;
    r.recTimeCOMBefore[n] = comBefore;
    r.recTimeCOMAfter[n] = comAfter;
}

}  // namespace velk::testkit
