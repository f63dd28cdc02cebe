#include "referee/miss.h"

#include <gtest/gtest.h>

#include <random>

#include "game/move_exec.h"
#include "support/board_text.h"
#include "support/random_play.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::put;

// Both kings at home, a human rook on (8, 8) and a computer pawn hidden on (6, 8).
GameState rookBehindHiddenPawn() {
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 5, 1, COM_OU);
    put(s, 8, 8, MAN_SYA);
    put(s, 6, 8, COM_HU);
    return s;
}

TEST(Miss, RangingPastAHiddenPieceIsAJump) {
    GameState s = rookBehindHiddenPawn();
    const Map before = s.board;
    EXPECT_EQ(調査_ミス(s, 8, 8, 3, 8, MAN_SYA), MISS_JUMPED);
    EXPECT_EQ(s.board, before);
    EXPECT_EQ(調査_ミス(s, 8, 8, 6, 8, MAN_SYA), NO);  // capturing it is fine
    EXPECT_EQ(調査_ミス(s, 8, 8, 8, 3, MAN_SYA), NO);
    EXPECT_EQ(s.board, before);

    // The computer's lance jumping a human pawn.
    put(s, 2, 1, COM_KYOU);
    put(s, 2, 5, MAN_HU);
    EXPECT_EQ(調査_ミス(s, 2, 1, 2, 7, COM_KYOU), MISS_JUMPED);
}

TEST(Miss, DroppingOnAHiddenPieceIsADropMiss) {
    GameState s = rookBehindHiddenPawn();
    s.handMAN[5] = 1;
    s.handCOM[1] = 1;
    const Map before = s.board;
    EXPECT_EQ(調査_ミス(s, MAN_HAND_X, 7, 6, 8, MAN_KIN), MISS_DROPPED_ON);
    EXPECT_EQ(調査_ミス(s, COM_HAND_X, 1, 8, 8, COM_HU), MISS_DROPPED_ON);
    EXPECT_EQ(調査_ミス(s, MAN_HAND_X, 7, 8, 8, MAN_KIN), NO);  // own piece: plainly illegal
    EXPECT_EQ(調査_ミス(s, MAN_HAND_X, 7, 5, 5, MAN_KIN), NO);
    EXPECT_EQ(s.board, before);
}

TEST(Miss, LeavingTheKingToAHiddenPieceIsKingExposed) {
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 5, 8, MAN_KIN);
    put(s, 5, 3, COM_KYOU);
    put(s, 1, 1, COM_OU);
    const Map before = s.board;
    EXPECT_EQ(調査_ミス(s, 5, 8, 4, 8, MAN_KIN), MISS_KING_EXPOSED);
    EXPECT_EQ(調査_ミス(s, 5, 8, 5, 7, MAN_KIN), NO);
    EXPECT_EQ(調査_ミス(s, 5, 9, 4, 9, MAN_OU), NO);
    EXPECT_EQ(調査_ミス(s, 5, 9, 4, 8, MAN_OU), NO);
    // Illegal even on the mover's view, yet placed and found exposing: still kind 3.
    EXPECT_EQ(調査_ミス(s, 5, 8, 3, 8, MAN_KIN), MISS_KING_EXPOSED);
    // Illegal on the view and harmless: 0, the caller's own check refuses it.
    EXPECT_EQ(調査_ミス(s, 5, 8, 5, 6, MAN_KIN), NO);
    EXPECT_EQ(s.board, before);

    // The maps and king squares describe the tentative position.
    EXPECT_EQ(調査_ミス(s, 5, 9, 6, 9, MAN_OU), NO);
    EXPECT_EQ(s.kingXMAN, 6);
    EXPECT_EQ(s.board[5][9], MAN_OU);

    // The computer's king stepping next to a hidden human gold.
    GameState c = emptyBoard();
    put(c, 5, 1, COM_OU);
    put(c, 5, 3, MAN_KIN);
    put(c, 5, 9, MAN_OU);
    EXPECT_EQ(調査_ミス(c, 5, 1, 5, 2, COM_OU), MISS_KING_EXPOSED);
    EXPECT_EQ(調査_ミス(c, 5, 1, 4, 1, COM_OU), NO);
    EXPECT_EQ(c.kingXCOM, 4);
}

TEST(Miss, AJumpIsReportedBeforeAnExposure) {
    GameState s = rookBehindHiddenPawn();
    put(s, 8, 8, EMPTY);
    put(s, 5, 8, MAN_SYA);
    put(s, 5, 3, COM_KYOU);
    EXPECT_EQ(調査_ミス(s, 5, 8, 7, 8, MAN_SYA), MISS_JUMPED);
}

TEST(Miss, APromotingMoveLeavesTheUnpromotedPieceOnItsSource) {
    GameState s = emptyBoard();
    put(s, 5, 1, COM_OU);
    put(s, 5, 9, MAN_OU);
    put(s, 3, 6, COM_HU);
    put(s, 7, 6, COM_GIN);
    const Map before = s.board;
    EXPECT_EQ(調査_ミス(s, 3, 6, 3, 7, COM_TO), NO);
    EXPECT_EQ(調査_ミス(s, 7, 6, 6, 7, COM_NARIGIN), NO);
    EXPECT_EQ(s.board, before);
}

TEST(Miss, SquaresOffTheBoardAreNeverTouched) {
    GameState s = rookBehindHiddenPawn();
    const Map before = s.board;
    EXPECT_EQ(調査_ミス(s, 5, 9, 10, 9, MAN_OU), NO);
    EXPECT_EQ(調査_ミス(s, 5, 9, 5, 10, MAN_OU), NO);
    EXPECT_EQ(調査_ミス(s, 5, 9, 0, 9, MAN_OU), NO);
    EXPECT_EQ(調査_ミス(s, MAN_HAND_X, 3, 0, 0, MAN_HU), NO);
    EXPECT_EQ(調査_ミス(s, 9, 10, 9, 9, MAN_HU), NO);
    EXPECT_EQ(s.board, before);
}

TEST(MissProperty, TheBoardIsRestoredOnEveryPath) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> square(1, 9);
    int kinds[4] = {};
    for (unsigned seed = 21; seed <= 25; ++seed)
        testkit::playRandomGame(seed, 150, [&](GameState& s) {
            調査_2歩フラグ設定(s);
            const Map board = s.board;
            for (const bool man : {true, false}) {
                // Every allowed move on the true board, and as many random proposals.
                std::vector<MoveArgs> moves = testkit::allowedMoves(s, man);
                for (int i = 0; i < 40; ++i) {
                    const int fx = square(rng), fy = square(rng);
                    const int piece = s.board[fx][fy];
                    if (man ? isManPiece(piece) : isComPiece(piece))
                        moves.push_back({fx, fy, square(rng), square(rng), piece});
                    const int kind = square(rng) % 7 + 1;
                    moves.push_back({man ? MAN_HAND_X : COM_HAND_X, man ? kind + 2 : kind,
                                     square(rng), square(rng),
                                     man ? MAN_HAND_CODES[kind] : COM_HAND_CODES[kind]});
                }
                for (const MoveArgs& m : moves) {
                    const int kind = 調査_ミス(s, m.fromX, m.fromY, m.toX, m.toY, m.piece);
                    ASSERT_GE(kind, 0);
                    ASSERT_LE(kind, 3);
                    ++kinds[kind];
                    ASSERT_EQ(s.board, board) << m.fromX << " " << m.fromY << " " << m.toX << " "
                                              << m.toY << " " << m.piece;
                }
            }
        });
    for (int kind = 0; kind <= 3; ++kind) EXPECT_GT(kinds[kind], 10) << "kind " << kind;
}

}  // namespace
}  // namespace velk
