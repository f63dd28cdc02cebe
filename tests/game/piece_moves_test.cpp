#include "board/piece_moves.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <utility>

#include "game/move_check.h"

namespace velk {
namespace {

constexpr std::array<int, 28> ALL_PIECES = {
    MAN_HU,      MAN_TO,  MAN_KYOU, MAN_NARIKYOU, MAN_KEI, MAN_NARIKEI, MAN_GIN,
    MAN_NARIGIN, MAN_KIN, MAN_KAKU, MAN_UMA,      MAN_SYA, MAN_RYU,     MAN_OU,
    COM_HU,      COM_TO,  COM_KYOU, COM_NARIKYOU, COM_KEI, COM_NARIKEI, COM_GIN,
    COM_NARIGIN, COM_KIN, COM_KAKU, COM_UMA,      COM_SYA, COM_RYU,     COM_OU};

using Squares = std::set<std::pair<int, int>>;

// The squares the table gives a piece on (x, y): each step onto the board, and each ray up to
// the first occupied square, which counts when it holds the other side's piece.
Squares tableMoves(const Map& board, int piece, int x, int y) {
    const PieceMoves& m = pieceMoves(piece);
    const auto enterable = [&](int tx, int ty) {
        return board[tx][ty] == EMPTY || sideOf(board[tx][ty]) != sideOf(piece);
    };
    Squares out;
    for (int i = 0; i < m.stepCount; ++i) {
        const int tx = x + m.steps[i].dx, ty = y + m.steps[i].dy;
        if (onBoard(tx, ty) && enterable(tx, ty)) out.insert({tx, ty});
    }
    for (int i = 0; i < m.rayCount; ++i)
        for (int tx = x + m.rays[i].dx, ty = y + m.rays[i].dy; onBoard(tx, ty);
             tx += m.rays[i].dx, ty += m.rays[i].dy) {
            if (enterable(tx, ty)) out.insert({tx, ty});
            if (board[tx][ty] != EMPTY) break;
        }
    return out;
}

Squares checkedMoves(const GameState& s, int piece, int x, int y) {
    Squares out;
    for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
            if (移動チェック(s, x, y, tx, ty, piece) == YES) out.insert({tx, ty});
    return out;
}

TEST(PieceMoves, FromTheCentreOfAnEmptyBoardTheTableAndTheMoveCheckAgree) {
    // How many squares each piece reaches from the centre, counted by hand.
    const auto expected = [](int piece) {
        switch (codeMagnitude(piece)) {
            case 10:
                return 1;
            case 20:
                return 4;
            case 30:
                return 2;
            case 100:
                return 5;
            case 800:
            case 900:
                return 16;
            case 801:
            case 901:
                return 20;
            case 950:
                return 8;
            default:
                return 6;  // the gold and the promoted pawn, lance, knight and silver
        }
    };
    for (const int piece : ALL_PIECES) {
        GameState s{};
        s.board[5][5] = static_cast<std::int16_t>(piece);
        const Squares fromTable = tableMoves(s.board, piece, 5, 5);
        EXPECT_EQ(fromTable, checkedMoves(s, piece, 5, 5)) << "piece " << piece;
        EXPECT_EQ(static_cast<int>(fromTable.size()), expected(piece)) << "piece " << piece;
    }
}

TEST(PieceMoves, OnCrowdedBoardsTheTableAndTheMoveCheckAgree) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> square(1, 9);
    std::uniform_int_distribution<int> kind(0, static_cast<int>(ALL_PIECES.size()) - 1);
    for (int round = 0; round < 300; ++round) {
        GameState s{};
        for (int n = 0; n < 20; ++n)
            s.board[square(rng)][square(rng)] = static_cast<std::int16_t>(ALL_PIECES[kind(rng)]);
        const int x = square(rng), y = square(rng);
        const int piece = ALL_PIECES[kind(rng)];
        s.board[x][y] = static_cast<std::int16_t>(piece);
        EXPECT_EQ(tableMoves(s.board, piece, x, y), checkedMoves(s, piece, x, y))
            << "piece " << piece << " on " << x << y << ", round " << round;
    }
}

TEST(PieceMoves, RangingAndSteppingPiecesFollowFromTheTable) {
    for (const int piece : ALL_PIECES) {
        const long long m = codeMagnitude(piece);
        const bool ranging = m == 20 || m == 800 || m == 801 || m == 900 || m == 901;
        EXPECT_EQ(isRanging(piece), ranging) << piece;
        EXPECT_EQ(stepsOnly(piece), !ranging) << piece;
    }
    for (const int code : {EMPTY, 5, -12, 999, -951}) {
        EXPECT_FALSE(isRanging(code)) << code;
        EXPECT_FALSE(stepsOnly(code)) << code;
    }
}

}  // namespace
}  // namespace velk
