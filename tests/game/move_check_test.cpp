#include "game/move_check.h"

#include <gtest/gtest.h>

#include "game/move_exec.h"
#include "game/setup.h"

namespace velk {
namespace {

GameState emptyBoard() {
    return GameState{};
}

int check(const GameState& s, int fx, int fy, int tx, int ty, int piece) {
    return 移動チェック(s, fx, fy, tx, ty, piece);
}

TEST(MoveCheckBasics, DestinationOffTheBoardOrSameSquareIsRefused) {
    GameState s = emptyBoard();
    s.board[5][5] = MAN_OU;
    EXPECT_EQ(check(s, 5, 5, 0, 5, MAN_OU), NO);
    EXPECT_EQ(check(s, 5, 5, 5, 0, MAN_OU), NO);
    EXPECT_EQ(check(s, 9, 5, 10, 5, MAN_RYU), NO);
    EXPECT_EQ(check(s, 5, 9, 5, 10, COM_HU), NO);
    EXPECT_EQ(check(s, 5, 5, 5, 5, MAN_OU), NO);
    EXPECT_EQ(check(s, 5, 5, 4, 4, MAN_OU), YES);
}

TEST(MoveCheckBasics, OwnPieceOnDestinationIsRefusedEnemyIsCaptured) {
    GameState s = emptyBoard();
    s.board[5][5] = MAN_KIN;
    s.board[5][4] = MAN_HU;
    s.board[4][4] = COM_HU;
    EXPECT_EQ(check(s, 5, 5, 5, 4, MAN_KIN), NO);
    EXPECT_EQ(check(s, 5, 5, 4, 4, MAN_KIN), YES);
    EXPECT_EQ(check(s, 4, 4, 5, 5, COM_GIN), YES);
    EXPECT_EQ(check(s, 4, 4, 4, 5, COM_HU), YES);
}

TEST(MoveCheckSteps, EachPieceMovesOnlyItsOwnWay) {
    GameState s = emptyBoard();
    struct Case {
        int piece, dx, dy, expected;
    };
    // Forward is -y for the human and +y for the computer.
    const Case cases[] = {
        {MAN_HU, 0, -1, YES},   {MAN_HU, 0, 1, NO},     {MAN_HU, 1, -1, NO},
        {COM_HU, 0, 1, YES},    {COM_HU, 0, -1, NO},    {MAN_KEI, 1, -2, YES},
        {MAN_KEI, -1, -2, YES}, {MAN_KEI, 1, 2, NO},    {MAN_KEI, 0, -2, NO},
        {COM_KEI, 1, 2, YES},   {COM_KEI, 1, -2, NO},   {MAN_GIN, 0, -1, YES},
        {MAN_GIN, 1, 1, YES},   {MAN_GIN, 0, 1, NO},    {MAN_GIN, 1, 0, NO},
        {COM_GIN, 0, 1, YES},   {COM_GIN, -1, -1, YES}, {COM_GIN, 0, -1, NO},
        {MAN_KIN, 1, -1, YES},  {MAN_KIN, 1, 0, YES},   {MAN_KIN, 0, 1, YES},
        {MAN_KIN, 1, 1, NO},    {MAN_TO, 1, 1, NO},     {MAN_NARIGIN, -1, 1, NO},
        {COM_KIN, 1, 1, YES},   {COM_KIN, 1, -1, NO},   {COM_NARIKEI, 0, -1, YES},
        {MAN_OU, 1, 1, YES},    {MAN_OU, 2, 0, NO},     {COM_OU, -1, -1, YES},
        {MAN_UMA, 1, 0, YES},   {MAN_UMA, 3, 3, YES},   {MAN_UMA, 2, 0, NO},
        {COM_RYU, 1, 1, YES},   {COM_RYU, 0, 4, YES},   {COM_RYU, 2, 2, NO},
        {MAN_KAKU, 1, 0, NO},   {MAN_SYA, 1, 1, NO},    {MAN_KYOU, 0, -4, YES},
        {MAN_KYOU, 0, 1, NO},   {COM_KYOU, 0, 3, YES},  {COM_KYOU, 0, -1, NO},
    };
    for (const Case& c : cases) {
        s.board[5][5] = static_cast<std::int16_t>(c.piece);
        EXPECT_EQ(check(s, 5, 5, 5 + c.dx, 5 + c.dy, c.piece), c.expected)
            << "piece " << c.piece << " by (" << c.dx << ", " << c.dy << ")";
    }
}

TEST(MoveCheckSteps, LastRowMovesAreAllowedHerePromotionIsForcedElsewhere) {
    GameState s = emptyBoard();
    EXPECT_EQ(check(s, 3, 2, 3, 1, MAN_HU), YES);
    EXPECT_EQ(check(s, 3, 3, 4, 1, MAN_KEI), YES);
    EXPECT_EQ(check(s, 3, 8, 3, 9, COM_HU), YES);
    EXPECT_EQ(移動後チェック(1, MAN_HU), NO);
    EXPECT_EQ(移動後チェック(1, MAN_KYOU), NO);
    EXPECT_EQ(移動後チェック(2, MAN_KEI), NO);
    EXPECT_EQ(移動後チェック(3, MAN_KEI), YES);
    EXPECT_EQ(移動後チェック(9, COM_HU), NO);
    EXPECT_EQ(移動後チェック(8, COM_KEI), NO);
    EXPECT_EQ(移動後チェック(7, COM_KEI), YES);
    EXPECT_EQ(移動後チェック(1, MAN_GIN), YES);
    EXPECT_EQ(移動後チェック(9, COM_GIN), YES);
}

TEST(MoveCheckRanging, PathsMustBeClearButTheDestinationMayHoldAnEnemy) {
    GameState s = emptyBoard();
    s.board[5][5] = MAN_SYA;
    s.board[5][2] = COM_HU;
    EXPECT_EQ(check(s, 5, 5, 5, 3, MAN_SYA), YES);
    EXPECT_EQ(check(s, 5, 5, 5, 2, MAN_SYA), YES);
    EXPECT_EQ(check(s, 5, 5, 5, 1, MAN_SYA), NO);
    EXPECT_EQ(check(s, 5, 5, 1, 5, MAN_SYA), YES);
    EXPECT_EQ(check(s, 5, 5, 9, 5, MAN_SYA), YES);
    s.board[7][5] = MAN_HU;
    EXPECT_EQ(check(s, 5, 5, 9, 5, MAN_SYA), NO);
    EXPECT_EQ(check(s, 5, 5, 6, 5, MAN_SYA), YES);

    // All four diagonals of a bishop, with a blocker on one of them.
    s = emptyBoard();
    s.board[5][5] = COM_KAKU;
    EXPECT_EQ(check(s, 5, 5, 1, 1, COM_KAKU), YES);
    EXPECT_EQ(check(s, 5, 5, 9, 1, COM_KAKU), YES);
    EXPECT_EQ(check(s, 5, 5, 1, 9, COM_KAKU), YES);
    EXPECT_EQ(check(s, 5, 5, 9, 9, COM_KAKU), YES);
    EXPECT_EQ(check(s, 5, 5, 8, 1, COM_KAKU), NO);
    s.board[7][3] = MAN_HU;
    EXPECT_EQ(check(s, 5, 5, 7, 3, COM_KAKU), YES);
    EXPECT_EQ(check(s, 5, 5, 8, 2, COM_KAKU), NO);
    s.board[3][7] = COM_HU;
    EXPECT_EQ(check(s, 5, 5, 2, 8, COM_KAKU), NO);
    EXPECT_EQ(check(s, 5, 5, 4, 6, COM_KAKU), YES);
    s.board[4][4] = MAN_GIN;
    EXPECT_EQ(check(s, 5, 5, 3, 3, COM_KAKU), NO);
    s.board[6][6] = MAN_GIN;
    EXPECT_EQ(check(s, 5, 5, 7, 7, COM_KAKU), NO);
}

TEST(MoveCheckRanging, LanceWalksItsOwnColumnOnly) {
    GameState s = emptyBoard();
    s.board[1][9] = MAN_KYOU;
    s.board[1][4] = COM_KEI;
    EXPECT_EQ(check(s, 1, 9, 1, 5, MAN_KYOU), YES);
    EXPECT_EQ(check(s, 1, 9, 1, 4, MAN_KYOU), YES);
    EXPECT_EQ(check(s, 1, 9, 1, 3, MAN_KYOU), NO);
    s.board[1][1] = COM_KYOU;
    EXPECT_EQ(check(s, 1, 1, 1, 3, COM_KYOU), YES);
    EXPECT_EQ(check(s, 1, 1, 1, 5, COM_KYOU), NO);
}

TEST(MoveCheckRanging, AHiddenPieceBlocksTheTrueBoard) {
    // A human rook whose path is blocked only by a computer piece: refused on the true board,
    // allowed on the human's view without computer pieces.
    GameState s = emptyBoard();
    s.board[8][8] = MAN_SYA;
    s.board[8][5] = COM_GIN;
    EXPECT_EQ(check(s, 8, 8, 8, 3, MAN_SYA), NO);
    s.board[8][5] = EMPTY;
    EXPECT_EQ(check(s, 8, 8, 8, 3, MAN_SYA), YES);
}

TEST(MoveCheckDrops, DropsNeedAnEmptySquareAndALegalRow) {
    GameState s = emptyBoard();
    s.board[5][5] = COM_HU;
    s.board[4][4] = MAN_HU;
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 5, 5, MAN_GIN), NO);  // enemy piece there
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 4, 4, MAN_GIN), NO);  // own piece there
    EXPECT_EQ(check(s, COM_HAND_X, 0, 4, 4, COM_KAKU), NO);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 1, MAN_GIN), YES);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 1, MAN_SYA), YES);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 1, MAN_HU), NO);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 1, MAN_KYOU), NO);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 2, MAN_KEI), NO);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 3, MAN_KEI), YES);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 1, 2, MAN_KYOU), YES);
    EXPECT_EQ(check(s, COM_HAND_X, 1, 1, 9, COM_HU), NO);
    EXPECT_EQ(check(s, COM_HAND_X, 2, 1, 9, COM_KYOU), NO);
    EXPECT_EQ(check(s, COM_HAND_X, 3, 1, 8, COM_KEI), NO);
    EXPECT_EQ(check(s, COM_HAND_X, 3, 1, 7, COM_KEI), YES);
    EXPECT_EQ(check(s, COM_HAND_X, 1, 1, 8, COM_HU), YES);
}

TEST(MoveCheckDrops, TwoPawnFlagsCountOnlyUnpromotedPawns) {
    GameState s = emptyBoard();
    s.board[3][7] = MAN_HU;
    s.board[4][6] = MAN_TO;
    s.board[6][3] = COM_HU;
    s.board[7][3] = MAN_HU;  // a human pawn does not stop a computer pawn drop
    調査_2歩フラグ設定(s);
    EXPECT_EQ(s.twoPawnMAN[3], 1);
    EXPECT_EQ(s.twoPawnMAN[4], 0);
    EXPECT_EQ(s.twoPawnMAN[7], 1);
    EXPECT_EQ(s.twoPawnCOM[6], 1);
    EXPECT_EQ(s.twoPawnCOM[7], 0);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 3, 5, MAN_HU), NO);
    EXPECT_EQ(check(s, MAN_HAND_X, 0, 4, 5, MAN_HU), YES);
    EXPECT_EQ(check(s, COM_HAND_X, 1, 6, 5, COM_HU), NO);
    EXPECT_EQ(check(s, COM_HAND_X, 1, 7, 5, COM_HU), YES);
    // Flags are rebuilt from scratch: a pawn that left its column frees it.
    s.board[3][7] = EMPTY;
    調査_2歩フラグ設定(s);
    EXPECT_EQ(s.twoPawnMAN[3], 0);
}

TEST(MoveCheckBasics, BoardMoveFromOffTheBoardIsRefusedWithoutReading) {
    GameState s = emptyBoard();
    EXPECT_EQ(check(s, 0, 5, 1, 5, MAN_SYA), NO);
    EXPECT_EQ(check(s, 5, -7, 5, 5, COM_KYOU), NO);
    EXPECT_EQ(check(s, 40, 40, 5, 5, MAN_KAKU), NO);
}

}  // namespace
}  // namespace velk
