#include "game/move_list.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/move_exec.h"
#include "support/board_text.h"

namespace velk {
namespace {

struct Seen {
    int fromX, fromY, toX, toY, piece;
    bool operator==(const Seen&) const = default;
};

// A lone human lance on 1,9 and a pawn and a gold in hand: board moves come first, then the drops
// by kind; a drop names the human's hand row; the hooks run for every column and every kind.
TEST(MoveList, BoardMovesThenDropsInScanOrderWithTheirHooks) {
    GameState s = testkit::position("k8/9/9/9/9/9/9/9/L7K", "PG");
    調査_2歩フラグ設定(s);
    std::vector<Seen> seen;
    std::vector<int> columns, kinds;
    const auto record = [&](int fx, int fy, int tx, int ty, int piece) {
        seen.push_back({fx, fy, tx, ty, piece});
        return true;
    };
    EXPECT_TRUE(forEachBoardMove(s, true, record, [&](int x) { columns.push_back(x); }));
    const std::size_t boardMoves = seen.size();
    EXPECT_TRUE(forEachDrop(s, true, record, [&](int k) { kinds.push_back(k); }));

    EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(kinds, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    // The lance reaches every square up column 1, the computer king's 1,1 included, by row.
    ASSERT_GE(boardMoves, 8u);
    EXPECT_EQ(seen[0], (Seen{1, 9, 1, 1, MAN_KYOU}));
    EXPECT_EQ(seen[7], (Seen{1, 9, 1, 8, MAN_KYOU}));
    // The king's moves follow from column 9.
    EXPECT_EQ(seen[8].fromX, 9);
    // Pawn drops (hand row 3) come before gold drops (hand row 7), each by column then row.
    const Seen firstDrop = seen[boardMoves];
    EXPECT_EQ(firstDrop.fromX, MAN_HAND_X);
    EXPECT_EQ(firstDrop.fromY, 3);
    EXPECT_EQ(firstDrop.piece, MAN_HU);
    EXPECT_EQ(seen.back().fromY, 7);
    EXPECT_EQ(seen.back().piece, MAN_KIN);
    for (std::size_t i = boardMoves + 1; i < seen.size(); ++i)
        EXPECT_TRUE(seen[i - 1].fromY < seen[i].fromY ||
                    (seen[i - 1].fromY == seen[i].fromY &&
                     (seen[i - 1].toX < seen[i].toX ||
                      (seen[i - 1].toX == seen[i].toX && seen[i - 1].toY < seen[i].toY))));
}

// A visitor that answers false stops the scan at once, and the generator says so.
TEST(MoveList, AVisitorStopsTheScan) {
    GameState s = testkit::position("k8/9/9/9/9/9/9/9/L7K", "P");
    調査_2歩フラグ設定(s);
    int calls = 0;
    EXPECT_FALSE(forEachAllowedMove(s, true, [&](int, int, int, int, int) { return ++calls < 3; }));
    EXPECT_EQ(calls, 3);
    calls = 0;
    EXPECT_FALSE(
        forEachAllowedMove(s, false, [&](int, int, int, int, int) { return ++calls < 1; }));
    EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace velk
