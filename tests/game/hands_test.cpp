#include "game/hands.h"

#include <gtest/gtest.h>

#include "game/invariants.h"
#include "game/move_exec.h"
#include "game/setup.h"

namespace velk {
namespace {

TEST(Hands, EveryChangeKeepsBothTotalsTheSumOfTheirHands) {
    GameState s{};
    addToHand(s, Side::Man, 1);
    addToHand(s, Side::Man, 1);
    addToHand(s, Side::Com, 7);
    EXPECT_EQ(s.handMAN[1], 2);
    EXPECT_EQ(s.handCOM[7], 1);
    EXPECT_EQ(s.handTotalMAN, 2);
    EXPECT_EQ(s.handTotalCOM, 1);
    takeFromHand(s, Side::Man, 1);
    takeFromHand(s, Side::Com, 7);
    EXPECT_EQ(s.handMAN[1], 1);
    EXPECT_EQ(s.handTotalMAN, 1);
    EXPECT_EQ(s.handTotalCOM, 0);
    EXPECT_EQ(handTotalOf(s, Side::Man), 1);
    EXPECT_EQ(handOf(s, Side::Com)[7], 0);

    // Swapping the hands, as turning the board round does, moves the totals with them.
    s.handCOM[5] = 2;
    s.handTotalCOM = 2;
    setHands(s, s.handCOM, s.handMAN);
    EXPECT_EQ(s.handMAN[5], 2);
    EXPECT_EQ(s.handCOM[1], 1);
    EXPECT_EQ(s.handTotalMAN, 2);
    EXPECT_EQ(s.handTotalCOM, 1);
}

TEST(Hands, ResetCapturesAndDropsLeaveASoundState) {
    GameState s{};
    loadDefaults(s);
    s.handMAN[3] = 4;  // left over from an earlier game
    s.handTotalMAN = 9;
    初期設定(s);
    EXPECT_EQ(s.handTotalMAN, 0);
    EXPECT_EQ(checkGameState(s), "");

    // 7g7f 3c3d 8h2b+ 3a2b (the bishop exchange), then the human drops the bishop.
    駒移動(s, 7, 7, 7, 6, MAN_HU);
    駒移動(s, 3, 3, 3, 4, COM_HU);
    駒移動(s, 2, 8, 8, 2, MAN_UMA);
    駒移動(s, 7, 1, 8, 2, COM_GIN);
    EXPECT_EQ(s.handTotalMAN, 1);
    EXPECT_EQ(s.handTotalCOM, 1);
    駒移動(s, MAN_HAND_X, 8, 5, 5, MAN_KAKU);
    EXPECT_EQ(s.handTotalMAN, 0);
    EXPECT_EQ(checkGameState(s), "");
}

}  // namespace
}  // namespace velk
