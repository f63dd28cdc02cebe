#include "game/board_view.h"

#include <gtest/gtest.h>

#include "game/move_check.h"

namespace velk {
namespace {

Map mixedBoard() {
    Map b{};
    b[5][5] = MAN_SYA;
    b[5][3] = COM_GIN;
    b[2][2] = COM_OU;
    b[8][8] = MAN_OU;
    b[4][7] = MAN_TO;
    return b;
}

TEST(SideView, EachSideSeesOnlyItsOwnPieces) {
    const Map board = mixedBoard();
    const Map com = sideView(board, Side::Com);
    const Map man = sideView(board, Side::Man);
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) {
            const int code = board[x][y];
            EXPECT_EQ(com[x][y], isManPiece(code) ? EMPTY : code) << x << y;
            EXPECT_EQ(man[x][y], isComPiece(code) ? EMPTY : code) << x << y;
        }
    EXPECT_EQ(sideView(board, Side::None), board);
    EXPECT_EQ(board, mixedBoard());  // the board looked at is left alone
}

TEST(SideView, TheMoveCheckJudgesOnTheBoardItIsGiven) {
    GameState s{};
    s.board = mixedBoard();
    // The human rook's path up the file is blocked only by a computer piece.
    EXPECT_EQ(移動チェック(s, 5, 5, 5, 1, MAN_SYA), NO);
    EXPECT_EQ(移動チェック(s, sideView(s.board, Side::Man), 5, 5, 5, 1, MAN_SYA), YES);
    EXPECT_EQ(移動チェック(s, s.board, 5, 5, 5, 1, MAN_SYA), NO);
    // The two-pawn flags still come from the game state.
    s.twoPawnMAN[6] = 1;
    EXPECT_EQ(移動チェック(s, sideView(s.board, Side::Man), MAN_HAND_X, 0, 6, 5, MAN_HU), NO);
    EXPECT_EQ(s.board, mixedBoard());
}

// Looks for the first empty square of a row under a trial piece, leaving early when found.
int firstEmptyWithTrial(Map& board, int row) {
    const TrialPiece trial(board, 1, row, MAN_KIN);
    for (int x = 2; x <= 9; ++x)
        if (board[x][row] == EMPTY) return x;
    return 0;
}

TEST(TrialPiece, PutsBackWhatStoodThereOnEveryWayOut) {
    Map board = mixedBoard();
    board[1][5] = COM_HU;
    EXPECT_EQ(firstEmptyWithTrial(board, 5), 2);  // early return
    EXPECT_EQ(board, [] {
        Map b = mixedBoard();
        b[1][5] = COM_HU;
        return b;
    }());
    {
        const TrialPiece trial(board, 5, 3, MAN_RYU);
        EXPECT_EQ(board[5][3], MAN_RYU);
        EXPECT_EQ(trial.kept(), COM_GIN);
        board[5][3] = MAN_UMA;  // rewritten during the trial, as a promotion does
    }
    EXPECT_EQ(board[5][3], COM_GIN);
    {
        // Two trials on one square (a move onto its own square): the first one's value returns.
        const TrialPiece landed(board, 5, 5, COM_KIN);
        const TrialPiece left(board, 5, 5, EMPTY);
        EXPECT_EQ(board[5][5], EMPTY);
    }
    EXPECT_EQ(board, [] {
        Map b = mixedBoard();
        b[1][5] = COM_HU;
        return b;
    }());
}

}  // namespace
}  // namespace velk
