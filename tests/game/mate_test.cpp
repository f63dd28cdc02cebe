#include "game/mate.h"

#include <gtest/gtest.h>

#include "game/move_exec.h"
#include "game/survey.h"
#include "support/board_text.h"
#include "support/random_play.h"

namespace velk {
namespace {

using testkit::emptyBoard;
using testkit::put;
using testkit::setHands;

// Surveys the position and rebuilds the two-pawn flags, as the turns do before asking.
void prepare(GameState& s) {
    調査_2歩フラグ設定(s);
    勢力調査(s);
}

// The human king on (5, 9) in check from a computer rook on (5, 5), boxed in by a pawn and a
// lance on each side that can neither capture nor interpose.
GameState distantRookCheck() {
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 4, 9, MAN_KYOU);
    put(s, 6, 9, MAN_KYOU);
    put(s, 4, 8, MAN_HU);
    put(s, 6, 8, MAN_HU);
    put(s, 5, 5, COM_SYA);
    put(s, 5, 1, COM_OU);
    return s;
}

TEST(MateMAN, NoCheckIsNeverMate) {
    GameState s{};
    loadDefaults(s);
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), NO);
    EXPECT_EQ(詰めかCOM(s), NO);

    // A king without a single free square, but not in check.
    GameState boxed = distantRookCheck();
    put(boxed, 5, 5, EMPTY);
    put(boxed, 5, 8, MAN_KIN);
    prepare(boxed);
    EXPECT_EQ(詰めかMAN(boxed), NO);
}

TEST(MateMAN, DistantCheckIsBlockedByAnyHandPieceBeforeEscapesAreTried) {
    GameState s = distantRookCheck();
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), YES);  // nothing to drop, nowhere to go, nobody to interpose

    setHands(s, "G");
    EXPECT_EQ(詰めかMAN(s), NO);
}

TEST(MateMAN, HandOfPawnsOnlyBlocksWhereAPawnMayBeDropped) {
    // Rook check along the bottom row with a single square between; the king is boxed in.
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 3, 9, COM_SYA);
    put(s, 4, 7, COM_KIN);  // covers (4, 8) and (5, 8)
    put(s, 6, 8, MAN_HU);
    put(s, 6, 9, MAN_KYOU);
    put(s, 5, 1, COM_OU);
    setHands(s, "2P");
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), NO);  // a pawn dropped on (4, 9) blocks
    EXPECT_EQ(s.board[4][9], EMPTY);

    // A pawn already on column 4: the drop is refused, the square stays open: mate.
    put(s, 4, 4, MAN_HU);
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), YES);
    EXPECT_EQ(s.board[4][9], EMPTY);

    // With a silver beside the pawns the pawn stands in for any drop and blocks.
    setHands(s, "2PS");
    EXPECT_EQ(詰めかMAN(s), NO);
}

// A square between checker and king counts as blocked only where some piece in hand may be
// dropped: here the computer's king on (1, 7) is checked by a lance on (1, 9); a pawn may not
// go on (1, 8), as file 1 has one, nor a knight, which could never move from there.
TEST(MateCOM, ABlockCountsOnlyWhereAHandPieceMayBeDropped) {
    const char* board = "1n2gg3/l4r1bl/p3s4/2Pp1ppp1/P3s1PPp/2pNPP2s/kpBP4L/3R1KS2/L1GG3N1";
    for (const auto& [hand, mate] :
         {std::pair{"Pn2p", YES}, std::pair{"Pg2p", NO}, std::pair{"Pl2p", NO}}) {
        GameState s = testkit::position(board, hand);
        prepare(s);
        EXPECT_EQ(詰めかCOM(s), mate) << hand;
        EXPECT_EQ(s.board[1][8], EMPTY);
    }
}

TEST(MateMAN, AdjacentCheckerCutsTheDropStepShort) {
    // A defended gold on the king's head: mate, whatever the hand holds.
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 5, 8, COM_KIN);
    put(s, 5, 7, COM_GIN);
    put(s, 5, 1, COM_OU);
    setHands(s, "RB");
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), YES);

    // Undefended, the king takes it.
    put(s, 5, 7, EMPTY);
    setHands(s, "-");
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), NO);
}

TEST(MateMAN, KnightCheckGoesStraightToTheEscapeStep) {
    // The check map marks the king's own square, so no drop is tried against a knight.
    GameState s = emptyBoard();
    put(s, 5, 9, MAN_OU);
    put(s, 4, 7, COM_KEI);
    put(s, 4, 8, MAN_KEI);
    put(s, 5, 8, MAN_KEI);
    put(s, 6, 8, MAN_KEI);
    put(s, 4, 9, MAN_KYOU);
    put(s, 6, 9, MAN_KYOU);
    put(s, 5, 1, COM_OU);
    setHands(s, "G");
    prepare(s);
    ASSERT_EQ(s.maps.manKingCheck[5][9], 9);
    EXPECT_EQ(詰めかMAN(s), YES);
}

TEST(MateMAN, DefenceByAnotherPieceMustLeaveNoComputerPieceReachingTheKing) {
    // A gold interposes on (5, 8).
    GameState s = distantRookCheck();
    put(s, 6, 8, MAN_KIN);
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), NO);

    // The same gold pinned by a bishop: interposing opens the diagonal. Still mate.
    put(s, 8, 6, COM_KAKU);
    prepare(s);
    EXPECT_EQ(詰めかMAN(s), YES);
    EXPECT_EQ(s.board[6][8], MAN_KIN);
    EXPECT_EQ(s.board[5][8], EMPTY);

    // Capturing the checker also defends.
    GameState c = distantRookCheck();
    put(c, 8, 5, MAN_SYA);
    prepare(c);
    EXPECT_EQ(詰めかMAN(c), NO);
    EXPECT_EQ(c.board[5][5], COM_SYA);
    EXPECT_EQ(c.board[8][5], MAN_SYA);
}

TEST(MateMAN, ComputerReachingTheKing) {
    GameState s = distantRookCheck();
    EXPECT_EQ(詰めかMAN_COM移動(s), NO);  // the king square comes from the last survey
    prepare(s);
    EXPECT_EQ(詰めかMAN_COM移動(s), YES);
    put(s, 5, 7, MAN_KIN);
    EXPECT_EQ(詰めかMAN_COM移動(s), NO);
}

TEST(EscapeRoads, CountsEmptyUnattackedNeighboursAndOnlyAccumulates) {
    GameState s = emptyBoard();
    put(s, 1, 9, MAN_OU);
    put(s, 2, 8, COM_HU);  // occupied, and it covers (2, 9)
    put(s, 5, 1, COM_OU);
    勢力調査(s);
    s.comTurn.manKingEscapes[9][9] = 1;
    EXPECT_EQ(調査_自王逃道(s), 1);
    EXPECT_EQ(s.comTurn.manKingEscapes[1][8], 1);
    EXPECT_EQ(s.comTurn.manKingEscapes[2][9], 0);
    EXPECT_EQ(s.comTurn.manKingEscapes[2][8], 0);
    EXPECT_EQ(s.comTurn.manKingEscapes[9][9], 1);

    GameState open = emptyBoard();
    put(open, 5, 5, MAN_OU);
    勢力調査(open);
    EXPECT_EQ(調査_自王逃道(open), 8);
    put(open, 5, 4, MAN_HU);
    put(open, 7, 5, COM_GIN);  // covers (6, 4) and (6, 6)
    勢力調査(open);
    EXPECT_EQ(調査_自王逃道(open), 5);
}

// The computer king on (5, 1) in check from a human rook on (5, 6), boxed in by its own
// pieces. The gold on (4, 2) can interpose but is pinned by the bishop on (2, 4); the silver
// on (6, 4), met later in the scan, interposes soundly.
GameState pinnedInterposer() {
    GameState s = emptyBoard();
    put(s, 5, 1, COM_OU);
    put(s, 4, 1, COM_KYOU);
    put(s, 6, 1, COM_KYOU);
    put(s, 4, 2, COM_KIN);
    put(s, 6, 2, COM_HU);
    put(s, 6, 4, COM_GIN);
    put(s, 5, 6, MAN_SYA);
    put(s, 2, 4, MAN_KAKU);
    put(s, 5, 9, MAN_OU);
    return s;
}

TEST(MateCOM, LaterDefencesAreChosenFromTheRealPositionsCheckMap) {
    GameState s = pinnedInterposer();
    prepare(s);
    const Map before = s.board;
    EXPECT_EQ(詰めかCOM(s), NO);
    EXPECT_EQ(s.board, before);

    put(s, 6, 4, EMPTY);
    prepare(s);
    EXPECT_EQ(詰めかCOM(s), YES);
}

TEST(MateCOM, LeavesTheMapsOfItsLastTrialPosition) {
    GameState s = pinnedInterposer();
    prepare(s);
    ASSERT_EQ(s.maps.comInfluence[5][4], 0);
    ASSERT_EQ(詰めかCOM(s), NO);
    // The successful trial put the silver on (5, 3): its influence, not the real board's.
    EXPECT_EQ(s.maps.manInfluence[5][1], 0);
    EXPECT_EQ(s.maps.comInfluence[5][4], 1);
    EXPECT_EQ(s.kingXCOM, 5);
    EXPECT_EQ(s.kingYCOM, 1);
}

TEST(MateCOM, DropsAndEscapes) {
    // Rook check along the top row with one square between; the king is boxed in.
    GameState s = emptyBoard();
    put(s, 5, 1, COM_OU);
    put(s, 7, 1, MAN_SYA);
    put(s, 6, 3, MAN_KIN);  // covers (6, 2) and (5, 2)
    put(s, 4, 2, COM_HU);
    put(s, 4, 1, COM_KYOU);
    put(s, 5, 9, MAN_OU);
    prepare(s);
    EXPECT_EQ(詰めかCOM(s), YES);

    setHands(s, "p");
    prepare(s);
    EXPECT_EQ(詰めかCOM(s), NO);

    put(s, 6, 7, COM_HU);  // column 6 already holds a computer pawn
    prepare(s);
    EXPECT_EQ(詰めかCOM(s), YES);

    // Take away the gold: the king steps to (5, 2).
    put(s, 6, 3, EMPTY);
    prepare(s);
    EXPECT_EQ(詰めかCOM(s), NO);
}

TEST(MateProperty, EveryRoutineLeavesTheBoardAsItFoundIt) {
    int checks = 0;
    for (unsigned seed = 11; seed <= 16; ++seed)
        testkit::playRandomGame(seed, 160, [&](GameState& s) {
            prepare(s);
            const Map board = s.board;
            const auto handMAN = s.handMAN;
            const auto handCOM = s.handCOM;
            if (s.maps.comInfluence[s.kingXMAN][s.kingYMAN] > 0) ++checks;
            調査_自王逃道(s);
            ASSERT_EQ(s.board, board);
            const InfluenceMaps maps = s.maps;
            詰めかMAN(s);
            ASSERT_EQ(s.board, board);
            詰めかMAN_COM移動(s);
            ASSERT_EQ(s.board, board);
            ASSERT_EQ(s.maps.comInfluence, maps.comInfluence);
            ASSERT_EQ(s.maps.manKingCheck, maps.manKingCheck);
            詰めかCOM(s);
            ASSERT_EQ(s.board, board);
            ASSERT_EQ(s.handMAN, handMAN);
            ASSERT_EQ(s.handCOM, handCOM);
        });
    EXPECT_GT(checks, 20);  // the games do pass through checks
}

}  // namespace
}  // namespace velk
