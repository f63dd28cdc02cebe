#include <gtest/gtest.h>

#include "game/setup.h"

namespace velk {
namespace {

TEST(StartingPosition, PlacesBothSetsTurnedRound) {
    GameState s{};
    loadDefaults(s);
    EXPECT_EQ(s.board[5][9], MAN_OU);
    EXPECT_EQ(s.board[5][1], COM_OU);
    EXPECT_EQ(s.board[2][8], MAN_KAKU);
    EXPECT_EQ(s.board[8][8], MAN_SYA);
    EXPECT_EQ(s.board[8][2], COM_KAKU);
    EXPECT_EQ(s.board[2][2], COM_SYA);
    for (int x = 1; x <= 9; ++x) {
        EXPECT_EQ(s.board[x][7], MAN_HU);
        EXPECT_EQ(s.board[x][3], COM_HU);
        EXPECT_EQ(s.board[x][9], -s.board[10 - x][1]);
        for (int y = 4; y <= 6; ++y) EXPECT_EQ(s.board[x][y], EMPTY);
    }
}

}  // namespace
}  // namespace velk
