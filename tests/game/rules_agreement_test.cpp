// The rule kernel the players read must answer as the game's own routines do: which moves a side
// may make and which leave its king attacked, what the referee answers to a move that looks legal
// on the mover's own view, the position after a move, check and mate.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "board/rules.h"
#include "game/board_view.h"
#include "game/mate.h"
#include "game/move_exec.h"
#include "game/move_list.h"
#include "game/position_text.h"
#include "game/survey.h"
#include "referee/miss.h"
#include "support/board_text.h"

namespace velk {
namespace {

Position positionOf(const GameState& s) {
    return Position{s.board, s.handMAN, s.handCOM};
}

// The game's mate test for the side, on a fresh survey of the position.
bool gameMated(GameState& s, Side side) {
    調査_2歩フラグ設定(s);
    勢力調査(s);
    return (side == Side::Man ? 詰めかMAN(s) : 詰めかCOM(s)) == YES;
}

// A move by source (the record's encoding) and destination, and whether it leaves the mover's
// king attacked (asked of board moves only: the referee never asks it of a drop).
using Judged = std::tuple<int, int, int, int, bool>;

// Checks given and mates found by the legal moves of the positions compared.
struct Tally {
    int checks = 0;
    int mates = 0;
};

// Everything both sides of the rules say about the side to move on one position, and about the
// other side after each legal move that checks it; returns the kernel's moves that leave the
// mover's king unattacked.
std::vector<Move> expectAgreement(GameState& s, Side side, Tally& tally) {
    const Position pos = positionOf(s);
    const bool man = side == Side::Man;
    調査_2歩フラグ設定(s);

    std::vector<Judged> game;
    forEachAllowedMove(s, man, [&](int fx, int fy, int tx, int ty, int piece) {
        const bool drop = fx == MAN_HAND_X || fx == COM_HAND_X;
        game.emplace_back(fx, fy, tx, ty, !drop && leavesOwnKingAttacked(s, fx, fy, tx, ty, piece));
        return true;
    });
    std::vector<Judged> kernel;
    std::vector<Move> legal;
    forEachMove(pos, side, [&](const Move& m) {
        const bool exposed = leavesKingAttacked(pos, m);
        if (!exposed) legal.push_back(m);
        kernel.emplace_back(m.sourceX(), m.sourceY(), m.toX, m.toY, !m.isDrop() && exposed);
        return true;
    });
    std::sort(game.begin(), game.end());
    std::sort(kernel.begin(), kernel.end());
    // A move that may promote is offered both ways; both must be judged alike.
    kernel.erase(std::unique(kernel.begin(), kernel.end()), kernel.end());
    EXPECT_EQ(game, kernel);

    // Every move the side may make on its own view, judged by the referee on the true board.
    Position view;
    view.board = sideView(s.board, side);
    view.hand(side) = pos.hand(side);
    forEachMove(view, side, [&](const Move& m) {
        if (m.promotes()) return true;
        EXPECT_TRUE(allowedOnOwnView(s, m.sourceX(), m.sourceY(), m.toX, m.toY, m.piece));
        EXPECT_EQ(調査_ミス(s, m.sourceX(), m.sourceY(), m.toX, m.toY, m.piece), missKind(pos, m))
            << m.sourceX() << m.sourceY() << m.toX << m.toY << " " << m.piece;
        EXPECT_EQ(s.board, pos.board);
        return true;
    });

    // Every legal move played by both; a check it gives, mate or not.
    for (const Move& m : legal) {
        GameState after = s;
        駒移動(after, m.sourceX(), m.sourceY(), m.toX, m.toY, m.placed);
        Position played = pos;
        applyMove(played, m);
        EXPECT_EQ(after.board, played.board);
        EXPECT_EQ(after.handMAN, played.handMAN);
        EXPECT_EQ(after.handCOM, played.handCOM);
        if (!inCheck(played.board, otherSide(side))) continue;
        ++tally.checks;
        const bool mate = mated(played, otherSide(side));
        tally.mates += mate;
        EXPECT_EQ(gameMated(after, otherSide(side)), mate)
            << formatPositionText(after.board, after.handMAN, after.handCOM);
    }

    勢力調査(s);
    const int kx = man ? s.kingXMAN : s.kingXCOM, ky = man ? s.kingYMAN : s.kingYCOM;
    EXPECT_EQ((man ? s.maps.comInfluence : s.maps.manInfluence)[kx][ky] > 0,
              inCheck(pos.board, side));
    EXPECT_EQ(gameMated(s, side), mated(pos, side));
    EXPECT_EQ(s.board, pos.board);
    return legal;
}

// Random games of legal moves, played with a liking for checks and captures, so that they meet
// many checks and full hands.
TEST(RulesAgreeWithTheGame, OnEveryPositionOfRandomGames) {
    int positions = 0;
    Tally tally;
    for (unsigned seed = 1; seed <= 2; ++seed) {
        std::mt19937 rng(seed);
        GameState s{};
        loadDefaults(s);
        Side side = Side::Man;
        for (int ply = 0; ply < 150; ++ply) {
            const std::vector<Move> legal = expectAgreement(s, side, tally);
            if (::testing::Test::HasFailure()) return;
            ++positions;
            if (legal.empty()) break;
            std::vector<Move> checking, taking;
            for (const Move& m : legal) {
                Position after = positionOf(s);
                if (applyMove(after, m) != EMPTY) taking.push_back(m);
                if (inCheck(after.board, otherSide(side))) checking.push_back(m);
            }
            const unsigned roll = rng() % 4;
            const std::vector<Move>& pool = roll == 0 && !checking.empty() ? checking
                                            : roll != 3 && !taking.empty() ? taking
                                                                           : legal;
            const Move m =
                pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(rng)];
            駒移動(s, m.sourceX(), m.sourceY(), m.toX, m.toY, m.placed);
            side = otherSide(side);
        }
    }
    EXPECT_GE(positions, 250);
    EXPECT_GE(tally.checks, 1000);
    EXPECT_GE(tally.mates, 3);
}

// A check that a drop can stop on one square between checker and king but not on another.
TEST(RulesAgreeWithTheGame, MateWhereADropCanBlockOnlySomeSquares) {
    struct Row {
        const char* board;
        const char* hands;
        Side side;
        bool mated;
    };
    const Row rows[] = {
        // The dragon checks along the bottom row with a pawn in hand; files 7 and 8 hold a pawn,
        // file 6 only in the second row.
        {"4k4/9/9/9/9/9/6P2/7PL/4+r3K", "P", Side::Man, false},
        {"4k4/9/9/9/9/9/5PP2/7PL/4+r3K", "P", Side::Man, true},
        // The same along the top row for the computer: files 2 and 3 hold its pawns, file 4
        // only in the second row.
        {"k3+R4/lp7/2p6/9/9/9/9/9/4K4", "p", Side::Com, false},
        {"k3+R4/lp1p5/2p6/9/9/9/9/9/4K4", "p", Side::Com, true},
    };
    for (const Row& row : rows) {
        GameState s = testkit::position(row.board, row.hands);
        EXPECT_EQ(mated(positionOf(s), row.side), row.mated) << row.board;
        EXPECT_EQ(gameMated(s, row.side), row.mated) << row.board;
        Tally tally;
        expectAgreement(s, row.side, tally);
    }
}

}  // namespace
}  // namespace velk
