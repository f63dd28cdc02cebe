#include "game/move_exec.h"

#include <gtest/gtest.h>

#include "game/setup.h"

namespace velk {
namespace {

int handSum(const std::array<int, 8>& hand) {
    int sum = 0;
    for (int k = 1; k <= 7; ++k) sum += hand[k];
    return sum;
}

TEST(Captures, PromotedPiecesGoToTheHandUnpromoted) {
    GameState s{};
    s.board[5][5] = MAN_SYA;
    s.board[5][2] = COM_RYU;
    s.board[4][4] = COM_TO;
    駒移動(s, 5, 5, 5, 2, MAN_SYA);
    EXPECT_EQ(s.handMAN[7], 1);
    EXPECT_EQ(s.handTotalMAN, 1);
    EXPECT_EQ(s.board[5][5], EMPTY);
    EXPECT_EQ(s.board[5][2], MAN_SYA);
    s.board[3][3] = COM_GIN;
    駒移動(s, 3, 3, 4, 4, COM_GIN);  // the computer takes nothing of its own
    s.board[6][6] = MAN_NARIKEI;
    s.board[6][5] = COM_KIN;
    駒移動(s, 6, 5, 6, 6, COM_KIN);
    EXPECT_EQ(s.handCOM[3], 1);
    EXPECT_EQ(s.handTotalCOM, 1);
    EXPECT_EQ(handSum(s.handMAN), s.handTotalMAN);
    EXPECT_EQ(handSum(s.handCOM), s.handTotalCOM);
}

TEST(Captures, TakingAKingOnlyRecordsTheWinner) {
    GameState s{};
    s.roleMAN = SENTE;
    s.roleCOM = GOTE;
    s.board[5][2] = MAN_KIN;
    s.board[5][1] = COM_OU;
    駒移動(s, 5, 2, 5, 1, MAN_KIN);
    EXPECT_EQ(s.winner, SENTE);
    EXPECT_EQ(s.handTotalMAN, 0);
    EXPECT_EQ(handSum(s.handMAN), 0);

    s.board[5][8] = COM_KIN;
    s.board[5][9] = MAN_OU;
    駒移動(s, 5, 8, 5, 9, COM_KIN);
    EXPECT_EQ(s.winner, GOTE);
    EXPECT_EQ(s.handTotalCOM, 0);
}

TEST(Drops, HumanDropsTakeFromHandRowMinusTwoComputerFromTheKind) {
    GameState s{};
    s.handMAN[1] = 2;  // pawns: hand row 3
    s.handMAN[7] = 1;  // rook: hand row 9
    s.handTotalMAN = 3;
    s.handCOM[6] = 1;  // bishop: kind 6
    s.handTotalCOM = 1;
    駒移動(s, MAN_HAND_X, 3, 5, 5, MAN_HU);
    EXPECT_EQ(s.handMAN[1], 1);
    EXPECT_EQ(s.board[5][5], MAN_HU);
    駒移動(s, MAN_HAND_X, 9, 1, 1, MAN_SYA);
    EXPECT_EQ(s.handMAN[7], 0);
    EXPECT_EQ(s.handTotalMAN, 1);
    駒移動(s, COM_HAND_X, 6, 9, 9, COM_KAKU);
    EXPECT_EQ(s.handCOM[6], 0);
    EXPECT_EQ(s.handTotalCOM, 0);
    EXPECT_EQ(s.board[9][9], COM_KAKU);
}

TEST(Drops, TheHumanKingSquareFollowsItsMoves) {
    GameState s{};
    s.board[5][9] = MAN_OU;
    駒移動(s, 5, 9, 4, 8, MAN_OU);
    EXPECT_EQ(s.kingXMAN, 4);
    EXPECT_EQ(s.kingYMAN, 8);
}

TEST(PromotionZone, SilverBishopRookMayPromoteLeavingOthersOnlyArriving) {
    GameState s{};
    s.promotedPiece = 12345;
    EXPECT_EQ(調査_駒成(s, 3, 3, 3, 4, MAN_GIN), YES);
    EXPECT_EQ(s.promotedPiece, MAN_NARIGIN);
    EXPECT_EQ(調査_駒成(s, 2, 3, 8, 9, MAN_KAKU), YES);
    EXPECT_EQ(s.promotedPiece, MAN_UMA);
    EXPECT_EQ(調査_駒成(s, 3, 7, 3, 6, COM_SYA), YES);
    EXPECT_EQ(s.promotedPiece, COM_RYU);
    s.promotedPiece = 12345;
    EXPECT_EQ(調査_駒成(s, 3, 3, 3, 4, MAN_HU), NO);  // a pawn cannot promote by leaving
    EXPECT_EQ(調査_駒成(s, 3, 7, 3, 6, COM_KEI), NO);
    EXPECT_EQ(調査_駒成(s, 3, 5, 3, 4, MAN_GIN), NO);
    EXPECT_EQ(調査_駒成(s, 3, 2, 3, 1, MAN_KIN), NO);
    EXPECT_EQ(調査_駒成(s, 3, 2, 3, 1, MAN_TO), NO);
    EXPECT_EQ(調査_駒成(s, 5, 8, 5, 9, COM_OU), NO);
    EXPECT_EQ(調査_駒成(s, MAN_HAND_X, 3, 3, 1, MAN_SYA), NO);  // drops never promote
    EXPECT_EQ(調査_駒成(s, COM_HAND_X, 7, 3, 9, COM_SYA), NO);
    EXPECT_EQ(s.promotedPiece, 12345);  // a refusal leaves it alone
    EXPECT_EQ(調査_駒成(s, 4, 6, 4, 7, COM_HU), YES);
    EXPECT_EQ(s.promotedPiece, COM_TO);
    EXPECT_EQ(調査_駒成(s, 4, 4, 4, 3, MAN_KEI), YES);
    EXPECT_EQ(s.promotedPiece, MAN_NARIKEI);
}

TEST(Reset, ClearsTheGameButKeepsRolesLevelAndRecord) {
    GameState s{};
    loadDefaults(s);
    s.roleMAN = SENTE;
    s.roleCOM = GOTE;
    s.level = 3;
    s.kifuMode = YES;
    s.moveNoLast = 42;
    s.record.recToX[7] = 5;
    s.kingXMAN = 4;
    s.board[5][5] = COM_RYU;
    s.handMAN[2] = 3;
    s.handTotalMAN = 3;
    s.missCountMAN = 9;
    s.turn = SENTE;
    s.gameState = 1;
    s.moveNo = 12;
    s.timeUsedCOM = 77;
    s.screenUp = NO;
    s.reversed = YES;
    初期設定(s);
    EXPECT_EQ(s.board[5][5], EMPTY);
    EXPECT_EQ(s.handMAN[2], 0);
    EXPECT_EQ(s.handTotalMAN, 0);
    EXPECT_EQ(s.missCountMAN, 0);
    EXPECT_EQ(s.turn, NOBODY);
    EXPECT_EQ(s.gameState, NOBODY);
    EXPECT_EQ(s.moveNo, 0);
    EXPECT_EQ(s.timeUsedCOM, 0.0f);
    EXPECT_EQ(s.screenUp, YES);
    EXPECT_EQ(s.reversed, NO);
    EXPECT_EQ(s.roleMAN, SENTE);
    EXPECT_EQ(s.level, 3);
    EXPECT_EQ(s.kifuMode, YES);
    EXPECT_EQ(s.moveNoLast, 42);
    EXPECT_EQ(s.record.recToX[7], 5);
    EXPECT_EQ(s.kingXMAN, 4);
}

}  // namespace
}  // namespace velk
