#include "record/replay_step.h"

#include <gtest/gtest.h>

#include <string>

#include "game/invariants.h"
#include "game/setup.h"
#include "record/record_file.h"
#include "support/record_entry.h"

namespace velk {
namespace {

// From the start: a bishop exchange with promotion, then a drop by each side.
MoveRecord exchange() {
    MoveRecord r{};
    testkit::addEntry(r, 1, 7, 7, 7, 6, MAN_HU, MAN_HU, EMPTY);
    testkit::addEntry(r, 2, 3, 3, 3, 4, COM_HU, COM_HU, EMPTY);
    testkit::addEntry(r, 3, 2, 8, 8, 2, MAN_KAKU, MAN_UMA, COM_KAKU);
    testkit::addEntry(r, 4, 7, 1, 8, 2, COM_GIN, COM_GIN, MAN_UMA);
    testkit::addEntry(r, 5, MAN_HAND_X, 8, 5, 5, MAN_KAKU, MAN_KAKU, EMPTY);
    testkit::addEntry(r, 6, COM_HAND_X, 6, 5, 4, COM_KAKU, COM_KAKU, EMPTY);
    return r;
}

struct Pieces {
    Map board;
    std::array<int, 8> handMAN, handCOM;
    int totalMAN, totalCOM;
    bool operator==(const Pieces&) const = default;
};

Pieces piecesOf(const GameState& s) {
    return {s.board, s.handMAN, s.handCOM, s.handTotalMAN, s.handTotalCOM};
}

TEST(ReplayStep, ForwardAndBackOverCapturesAndDropsKeepsBoardHandsAndTotals) {
    const MoveRecord r = exchange();
    GameState s{};
    loadDefaults(s);
    std::vector<Pieces> seen{piecesOf(s)};
    for (int n = 1; n <= 6; ++n) {
        ASSERT_TRUE(applyRecordedMove(s, r, n)) << n;
        EXPECT_EQ(checkGameState(s), "") << n;
        seen.push_back(piecesOf(s));
    }
    EXPECT_EQ(s.board[8][2], COM_GIN);
    EXPECT_EQ(s.board[5][5], MAN_KAKU);
    EXPECT_EQ(s.board[5][4], COM_KAKU);
    EXPECT_EQ(s.handTotalMAN + s.handTotalCOM, 0);
    for (int n = 6; n >= 1; --n) {
        ASSERT_TRUE(takeBackRecordedMove(s, r, n)) << n;
        EXPECT_EQ(piecesOf(s), seen[n - 1]) << "after taking back " << n;
    }
}

TEST(ReplayStep, AnEntryThatDoesNotFitLeavesThePositionAlone) {
    MoveRecord r = exchange();
    GameState s{};
    loadDefaults(s);
    const Pieces start = piecesOf(s);
    // Forward: a drop not in hand, a capture of the wrong piece, a source without the piece.
    EXPECT_FALSE(applyRecordedMove(s, r, 5));
    EXPECT_EQ(recordedMoveFault(s, r, 5), StepFault::NOT_IN_HAND);
    EXPECT_EQ(recordedMoveFault(s, r, 4), StepFault::WRONG_CAPTURE);
    EXPECT_FALSE(applyRecordedMove(s, r, 4));
    testkit::addEntry(r, 9, 5, 5, 5, 4, MAN_HU, MAN_HU, EMPTY);
    EXPECT_EQ(recordedMoveFault(s, r, 9), StepFault::NOT_ON_SOURCE);
    EXPECT_FALSE(applyRecordedMove(s, r, 9));
    // Backward: the entry's piece is not on its destination.
    EXPECT_FALSE(takeBackRecordedMove(s, r, 1));
    // Entries that fit the board but make or lose a piece are never stepped over.
    testkit::addEntry(r, 7, 7, 7, 7, 6, MAN_HU, COM_HU, EMPTY);  // changes side
    EXPECT_FALSE(steppableEntry(r, 7));
    EXPECT_FALSE(applyRecordedMove(s, r, 7));
    testkit::addEntry(r, 8, 7, 7, 7, 6, MAN_HU, MAN_HU, 77);  // captures no piece code
    EXPECT_FALSE(applyRecordedMove(s, r, 8));
    EXPECT_EQ(recordedMoveFault(s, r, 0), StepFault::BAD_SQUARES);
    EXPECT_FALSE(takeBackRecordedMove(s, r, 0));
    EXPECT_EQ(piecesOf(s), start);
}

TEST(ReplayStep, TheRecordCheckStepsTheSameWay) {
    const MoveRecord r = exchange();
    std::string why;
    EXPECT_EQ(checkRecordFollowsStart(r, 6, why), 0);
    GameState s{};
    loadDefaults(s);
    for (int n = 1; n <= 4; ++n) ASSERT_TRUE(applyRecordedMove(s, r, n));
    EXPECT_EQ(checkRecordFollows(positionOf(s), r, 5, 6, why), 0);
    EXPECT_EQ(checkRecordFollows(positionOf(s), r, 4, 6, why), 4);
    EXPECT_EQ(why, "移動元に駒がありません");
    GameState early{};
    loadDefaults(early);
    EXPECT_EQ(checkRecordFollows(positionOf(early), r, 5, 6, why), 5);
    EXPECT_EQ(why, "持駒がありません");
}

}  // namespace
}  // namespace velk
