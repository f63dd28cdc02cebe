#include <gtest/gtest.h>

#include <cstddef>

#include "com/candidate.h"
#include "com/com_turn.h"
#include "support/board_text.h"

#ifdef __SANITIZE_ADDRESS__
// The sanitizer's allocator calls these on every allocation, operator new included.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace velk {
namespace {

[[maybe_unused]] long scanAllocations = 0;

using testkit::emptyBoard;
using testkit::prepareTurn;
using testkit::put;
using testkit::putAll;
using testkit::scoreCandidate;
using testkit::withPieces;

void countTick(void* context) {
    ++*static_cast<int*>(context);
}

struct Scan {
    ComMove move;
    int ticks = 0;
};

// Prepares the turn and scans, checking that the board comes back as it was.
Scan scan(GameState& s) {
    prepareTurn(s);
    const Map before = s.board;
    Scan result;
    result.move = scanComCandidates(s, countTick, &result.ticks);
    EXPECT_EQ(s.board, before);
    EXPECT_EQ(s.comTurn.bestScore, result.move.found ? result.move.score : -999990);
    return result;
}

void expectMove(const ComMove& m, int fromX, int fromY, int toX, int toY, int placed) {
    EXPECT_TRUE(m.found);
    EXPECT_EQ(m.fromX, fromX);
    EXPECT_EQ(m.fromY, fromY);
    EXPECT_EQ(m.toX, toX);
    EXPECT_EQ(m.toY, toY);
    EXPECT_EQ(m.placed, placed);
}

TEST(Scan, FirstOfEqualScoresWins) {
    GameState s = withPieces({{5, 1, COM_OU}, {5, 9, MAN_OU}});
    // (4, 2), (5, 2) and (6, 2) all score 0.1 for closing in on the human king.
    const Scan r = scan(s);
    expectMove(r.move, 5, 1, 4, 2, COM_OU);
    EXPECT_EQ(r.move.moving, COM_OU);
    EXPECT_EQ(r.move.score, 1);
    EXPECT_EQ(r.ticks, 9);  // one per column; no drops with an empty hand
}

TEST(Scan, WhenEveryCandidateLosesTheFirstIsChosen) {
    GameState s = withPieces(
        {{1, 1, COM_OU}, {1, 5, MAN_SYA}, {5, 2, MAN_SYA}, {9, 1, MAN_SYA}, {9, 9, MAN_OU}});
    const Scan r = scan(s);
    expectMove(r.move, 1, 1, 1, 2, COM_OU);
    EXPECT_EQ(r.move.score, -99980);
}

TEST(Scan, KingCaptureStopsTheScanBeforeTheDrops) {
    GameState s = withPieces({{9, 1, COM_OU}, {3, 7, COM_KIN}, {3, 8, MAN_OU}, {6, 6, MAN_HU}});
    put(s, 7, 5, COM_GIN);  // a later column: never tried
    testkit::setHands(s, "g");
    const Scan r = scan(s);
    expectMove(r.move, 3, 7, 3, 8, COM_KIN);
    EXPECT_EQ(r.move.score, 99990);
    EXPECT_EQ(r.ticks, 3);
}

TEST(Scan, MatingDropEndsTheDropScan) {
    GameState s = withPieces({{9, 1, COM_OU}, {1, 9, MAN_OU}, {2, 7, COM_KIN}, {3, 7, COM_KEI}});
    testkit::setHands(s, "gr");
    const Scan r = scan(s);
    expectMove(r.move, COM_HAND_X, 5, 1, 8, COM_KIN);
    EXPECT_EQ(r.move.moving, COM_KIN);
    EXPECT_EQ(r.move.score, 99980);
    EXPECT_EQ(r.ticks, 9 + 5);  // stopped at the gold, hand index 5
}

TEST(Scan, PawnBishopAndRookPlayPromotedWithTheBetterScore) {
    // Taking the lance-guarded pawn earns an unpromoted pawn 5.5 more than a promoted one.
    GameState s = withPieces({{9, 1, COM_OU},
                              {1, 9, MAN_OU},
                              {5, 5, COM_KIN},
                              {5, 6, COM_HU},
                              {5, 7, MAN_HU},
                              {5, 9, MAN_KYOU}});
    prepareTurn(s);
    const int plain = scoreCandidate(s, 5, 6, 5, 7, COM_HU);
    const int promoted = scoreCandidate(s, 5, 6, 5, 7, COM_TO);
    ASSERT_GT(plain, promoted);
    const Scan r = scan(s);
    expectMove(r.move, 5, 6, 5, 7, COM_TO);
    EXPECT_EQ(r.move.moving, COM_HU);
    EXPECT_EQ(r.move.score, plain);
}

TEST(Scan, KnightToTheLastTwoRowsOnlyPromoted) {
    GameState s = withPieces({{9, 1, COM_OU}, {9, 9, MAN_OU}, {5, 6, COM_KEI}, {4, 8, MAN_SYA}});
    const Scan r = scan(s);
    expectMove(r.move, 5, 6, 4, 8, COM_NARIKEI);
    EXPECT_EQ(r.move.moving, COM_KEI);
    prepareTurn(s);
    EXPECT_EQ(r.move.score, scoreCandidate(s, 5, 6, 4, 8, COM_NARIKEI));
}

TEST(Scan, AllocatesNothing) {
#ifdef __SANITIZE_ADDRESS__
    GameState s = testkit::position(
        "ln1g1g1nl/1ks2r3/1pp4pp/p3ppp2/4+B4/2P3P2/PP2+pP1PP/2K1G2R1/LNSG3NL", "SPbsp");
    勢力調査(s);
    __sanitizer_install_malloc_and_free_hooks(
        [](const volatile void*, std::size_t) { ++scanAllocations; }, [](const volatile void*) {});
    const long before = scanAllocations;
    prepareComTurn(s);
    const ComMove m = scanComCandidates(s);
    const long during = scanAllocations - before;
    EXPECT_TRUE(m.found);
    EXPECT_EQ(during, 0);
#else
    GTEST_SKIP() << "allocations are counted through the address sanitizer";
#endif
}

TEST(Scan, NoCandidateNoMove) {
    GameState s = withPieces({{5, 9, MAN_OU}});
    const Scan r = scan(s);
    EXPECT_FALSE(r.move.found);
}

}  // namespace
}  // namespace velk
