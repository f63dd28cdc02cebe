#include "com/evaluate.h"

#include <gtest/gtest.h>

#include "com/candidate.h"
#include "com/danger.h"
#include "support/board_text.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::prepareTurn;
using testkit::put;
using testkit::putAll;
using testkit::scoreCandidate;
using testkit::withPieces;

TEST(Evaluation, ImmediateResults) {
    // The rook attacks the computer's king along row 1.
    GameState s = withPieces({{5, 1, COM_OU}, {1, 1, MAN_SYA}, {5, 8, MAN_OU}, {5, 7, COM_KIN}});
    prepareTurn(s);
    EXPECT_EQ(scoreCandidate(s, 5, 7, 5, 8, COM_KIN), 99990);  // the king capture comes first
    EXPECT_EQ(scoreCandidate(s, 5, 7, 4, 7, COM_KIN), -99980);

    // Mates: by a pawn, moved or dropped, they count as lost.
    GameState m = withPieces(
        {{9, 1, COM_OU}, {1, 9, MAN_OU}, {2, 7, COM_KIN}, {3, 7, COM_KEI}, {1, 7, COM_HU}});
    testkit::setHands(m, "g");
    prepareTurn(m);
    EXPECT_EQ(scoreCandidate(m, 1, 7, 1, 8, COM_HU), -99980);
    EXPECT_EQ(scoreCandidate(m, 1, 7, 1, 8, COM_TO), 99980);
    put(m, 1, 7, EMPTY);
    prepareTurn(m);
    EXPECT_EQ(scoreCandidate(m, COM_HAND_X, 1, 1, 8, COM_HU), -99980);
    EXPECT_EQ(scoreCandidate(m, COM_HAND_X, 5, 1, 8, COM_KIN), 99980);
}

// Kings in opposite corners keep every other term quiet.
GameState quietCorners() {
    return withPieces({{9, 1, COM_OU}, {1, 9, MAN_OU}});
}

TEST(Evaluation, DropsPayFiveAndAnUndefendedAttackedDropItsValuePlusFifty) {
    GameState s = quietCorners();
    put(s, 5, 7, MAN_KIN);
    testkit::setHands(s, "pg");
    prepareTurn(s);
    s.comTurn.sourceToManKing = 0;
    // -5 drop, -(10 + 50) attacked and undefended, -1 for the hanging pawn.
    EXPECT_EQ(scoreCandidate(s, COM_HAND_X, 1, 5, 6, COM_HU), -750);
    // A gold dropped diagonally "forward" of its hand row 5 pays 0.5 more.
    EXPECT_EQ(scoreCandidate(s, COM_HAND_X, 5, 3, 5, COM_KIN), -50);
    EXPECT_EQ(scoreCandidate(s, COM_HAND_X, 5, 3, 6, COM_KIN), -55);
}

TEST(Evaluation, LanceMoveWithoutCaptureEndsWithMinusPointNine) {
    GameState s = quietCorners();
    put(s, 5, 3, COM_KYOU);
    prepareTurn(s);
    // +0.1 for closing in on the human king's row (distance 4 below the source's 6), -0.9.
    EXPECT_EQ(scoreCandidate(s, 5, 3, 5, 5, COM_KYOU), -8);
}

// Whole scores worked out term by term.
TEST(Evaluation, WorkedCandidates) {
    // A silver dropped to check from a square only the king reaches, defended by a pawn:
    // +100 for that check, -5 for the drop, +100 as the king taking it stands below.
    GameState k = withPieces({{9, 1, COM_OU}, {5, 9, MAN_OU}, {5, 7, COM_HU}});
    testkit::setHands(k, "s");
    prepareTurn(k);
    EXPECT_EQ(scoreCandidate(k, COM_HAND_X, 4, 5, 8, COM_GIN), 1950);

    // A rook dropped to check from afar: +10 for the unreached square, -5 for the drop, +0.1
    // for the one king it attacks (no fork), +1 for the escape square it takes away.
    GameState r = quietCorners();
    testkit::setHands(r, "r");
    prepareTurn(r);
    EXPECT_EQ(scoreCandidate(r, COM_HAND_X, 7, 1, 5, COM_SYA), 61);

    // The silver's only attacker is a gold pinned by the rook and leaving the file to take:
    // +110 to take it first; -100 for hanging (the pinned attacker keeps the exchange terms
    // off), +0.1 closer to the king, -0.1 straight forward.
    GameState p = withPieces(
        {{9, 1, COM_OU}, {5, 2, COM_SYA}, {4, 5, COM_GIN}, {5, 7, MAN_KIN}, {5, 8, MAN_OU}});
    prepareTurn(p);
    EXPECT_EQ(scoreCandidate(p, 4, 5, 4, 6, COM_GIN), 100);

    // A pawn takes a lance-backed pawn on a square the gold defends: +10 material as the pawn
    // is worth less than the lance, -0.1 board move, +0.6 gold guard, +5 the source still held
    // once, +50 a pawn taken under a lance.
    GameState c = withPieces({{9, 1, COM_OU},
                              {4, 5, COM_KIN},
                              {5, 5, COM_HU},
                              {5, 6, MAN_HU},
                              {5, 9, MAN_KYOU},
                              {1, 9, MAN_OU}});
    prepareTurn(c);
    EXPECT_EQ(scoreCandidate(c, 5, 5, 5, 6, COM_HU), 655);
}

// The danger terms below read hand-set maps: only the squares a test names are reached.

TEST(DangerSquares, EmptySquareBesideTheKing) {
    GameState s = withPieces({{5, 1, COM_OU}});
    s.kingXCOM = 5;
    s.kingYCOM = 1;
    s.maps.manInfluence[4][2] = 3;
    s.maps.comInfluence[4][2] = 1;
    EXPECT_EQ(盤評価_COM危険座標(s, COM_HU, 9, 9), -115);  // 1.5, and 10 as COM holds it once
    s.maps.comInfluence[4][2] = 0;
    EXPECT_EQ(盤評価_COM危険座標(s, COM_HU, 9, 9), -16);  // 1.5 and 0.1 for an unheld row 1..3
    s.maps.comInfluence[4][2] = 1;
    testkit::setHands(s, "G");
    // 21.5 at (4, 2); 11 for each other empty neighbour of the king MAN could drop the gold
    // on; 0.1 for each of the 25 other unheld empty squares of rows 1..3.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_HU, 9, 9), -680);
}

TEST(DangerSquares, KingOnTheTopRowWithTheSquareBelowReached) {
    GameState s = withPieces({{5, 1, COM_OU}, {5, 3, MAN_KIN}});
    勢力調査(s);
    // 50 + 250 (MAN reaches (5, 2) as often as COM); 0.5 for each of the three reached
    // squares beside the king; 0.1 for (4, 3) and (6, 3), reached and not held.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_OU, 5, 1), -3017);
    testkit::setHands(s, "G");
    // 700 more for the gold in hand, 10 more for each reached square beside the king, and
    // 0.1 for each of the 20 unheld empty squares of rows 1..3.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_OU, 5, 1), -3017 - 7000 - 300 - 20);
}

TEST(DangerSquares, KnightForkAndLanceSkewerByDrops) {
    GameState s = withPieces({{4, 3, COM_KIN}, {6, 3, COM_GIN}});
    testkit::setHands(s, "N");
    const int unheldRows = -25;  // 0.1 for each empty square of rows 1..3
    EXPECT_EQ(盤評価_COM危険座標(s, COM_HU, 9, 9), -200 + unheldRows);
    put(s, 4, 3, COM_HU);  // a pawn is not worth the fork
    EXPECT_EQ(盤評価_COM危険座標(s, COM_HU, 9, 9), unheldRows);

    GameState l = withPieces({{5, 4, COM_KIN}, {5, 2, COM_RYU}});
    testkit::setHands(l, "L");
    EXPECT_EQ(盤評価_COM危険座標(l, COM_HU, 9, 9), -5505 - 26);  // 100 + 901 / 2
    put(l, 5, 2, COM_SYA);
    EXPECT_EQ(盤評価_COM危険座標(l, COM_HU, 9, 9), -5500 - 26);
    put(l, 5, 3, COM_HU);  // only the first piece behind counts
    EXPECT_EQ(盤評価_COM危険座標(l, COM_HU, 9, 9), -25);
}

TEST(DangerSquares, HangingPieceCostsItsValueAndGivesBackWhatItTook) {
    GameState s = withPieces({{5, 1, COM_OU}, {5, 9, MAN_OU}, {5, 3, COM_KIN}, {5, 4, MAN_HU}});
    勢力調査(s);
    // 100 exchanged down, 110 hanging, 10 on rows 1..3, 20 for a pawn attacker there.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 3), -2400);
    s.comTurn.boardAtTurnStart[5][3] = MAN_GIN;
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 3), -1400);
}

TEST(DangerSquares, PieceBackedFromBelowCostsThePieceAndTheNoAttackerWeight) {
    GameState s = withPieces({{9, 1, COM_OU}, {4, 2, COM_GIN}});
    put(s, 5, 3, COM_KIN);  // attacked once by the pawn, defended once by the silver
    put(s, 5, 4, MAN_HU);
    勢力調査(s);
    const int unbacked = 盤評価_COM危険座標(s, COM_KIN, 5, 3);
    put(s, 5, 8, MAN_SYA);  // backs the pawn up the file
    勢力調査(s);
    // The gold's value plus 999: a MAN pawn in front has no MAN attacker recorded.
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 3) - unbacked, -1100 - 9990);
}

TEST(DangerSquares, MovedPieceForkingLooseManPieces) {
    GameState s = withPieces({{5, 5, COM_KIN}, {4, 6, MAN_GIN}, {6, 6, MAN_KIN}});
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 5), 2 + 1000);
    s.maps.manInfluence[4][6] = 1;  // the silver is defended
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 5), 1);
    put(s, 4, 6, MAN_OU);  // the king counts defended or not
    EXPECT_EQ(盤評価_COM危険座標(s, COM_KIN, 5, 5), 2 + 1100);
}

TEST(BishopCaution, TheFirstAimedSquareOnThePiecesDiagonalDecides) {
    GameState s = withPieces({{5, 5, COM_KIN}, {9, 9, MAN_KAKU}});
    s.comTurn.manBishopThreat[3][3] = 1;  // the bishop's way there is blocked by the gold
    s.comTurn.manBishopThreat[7][7] = 1;
    s.comTurn.manBishopThreat[1][2] = 1;  // not on the gold's diagonals
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), 0);
    s.handMAN[6] = 1;
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), COM_KIN);
    s.handMAN[6] = 0;
    s.comTurn.manBishopThreat[3][3] = 0;
    EXPECT_EQ(盤評価_自角注意_COM(s, 5, 5, COM_KIN), COM_KIN);
}

}  // namespace
}  // namespace velk
