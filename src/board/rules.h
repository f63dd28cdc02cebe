// The rules of the game on a whole position, as any player may know them: a side's moves, which
// pieces reach a square, playing a move, what the referee answers to it, check and mate. Nothing
// here allocates; the small routines are inline, since a player asks them millions of times a move.
#pragma once

#include <array>

#include "board/map.h"
#include "board/move.h"
#include "board/move_rules.h"
#include "board/piece.h"
#include "board/piece_moves.h"
#include "board/promotion.h"

namespace velk {

// Every piece on the board and both hands.
struct Position {
    Map board{};
    Hand handMAN{};
    Hand handCOM{};

    Hand& hand(Side side) { return side == Side::Man ? handMAN : handCOM; }
    const Hand& hand(Side side) const { return side == Side::Man ? handMAN : handCOM; }
};

constexpr bool ownedBy(int code, Side side) {
    return side == Side::Man ? isManPiece(code) : side == Side::Com && isComPiece(code);
}

constexpr int kingOf(Side side) {
    return side == Side::Man ? MAN_OU : COM_OU;
}

// The eight directions of a line from a square: files, ranks and diagonals.
inline constexpr int LINE_DX[8] = {0, 0, 1, -1, 1, 1, -1, -1};
inline constexpr int LINE_DY[8] = {1, -1, 0, 0, 1, -1, 1, -1};

// Calls f(code) for every piece of the given side that reaches the square (a ranging piece only
// when nothing at all stands between); f returns true to go on. false when f stopped the walk.
template <class F>
bool forEachAttacker(const Map& board, int x, int y, Side by, F&& f) {
    for (int d = 0; d < 8; ++d) {
        for (int k = 1, px = x + LINE_DX[d], py = y + LINE_DY[d]; onBoard(px, py);
             ++k, px += LINE_DX[d], py += LINE_DY[d]) {
            const int p = board[px][py];
            if (p == EMPTY) continue;
            if (ownedBy(p, by)) {
                const auto reach = pieceMoves(p).reach[x - px + 8][y - py + 8];
                if ((reach == ALONG_RAY || (reach == ONE_STEP && k == 1)) && !f(p)) return false;
            }
            break;
        }
    }
    // A knight lands two rows ahead of its square.
    const int knight = by == Side::Man ? MAN_KEI : COM_KEI;
    const int ky = by == Side::Man ? y + 2 : y - 2;
    if (ky >= 1 && ky <= 9) {
        if (x > 1 && board[x - 1][ky] == knight && !f(knight)) return false;
        if (x < 9 && board[x + 1][ky] == knight && !f(knight)) return false;
    }
    return true;
}

// Whether the square is reached by a piece of the given side.
inline bool attacked(const Map& board, int x, int y, Side by) {
    return !forEachAttacker(board, x, y, by, [](int) { return false; });
}

// The square of the side's king, or {0, 0} when it has none.
inline std::array<int, 2> kingSquare(const Map& board, Side side) {
    const int king = kingOf(side);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (board[x][y] == king) return {x, y};
    return {0, 0};
}

// Whether the side has a king and a piece of the other side reaches it.
inline bool inCheck(const Map& board, Side side) {
    const auto k = kingSquare(board, side);
    return k[0] != 0 && attacked(board, k[0], k[1], otherSide(side));
}

// The side a move belongs to; a code of neither side counts as the computer's.
constexpr Side moverOf(const Move& m) {
    return isManPiece(m.piece) ? Side::Man : Side::Com;
}

// Plays a move; returns the code it took (EMPTY when none). A taken piece other than a king goes
// to the mover's hand, unpromoted.
inline int applyMove(Position& p, const Move& m) {
    const Side side = moverOf(m);
    const int taken = p.board[m.toX][m.toY];
    if (taken != EMPTY) {
        const int kind = handIndexOf(taken);
        if (kind != 0) p.hand(side)[kind] += 1;
    }
    p.board[m.toX][m.toY] = m.placed;
    if (m.isDrop())
        p.hand(side)[m.drop] -= 1;
    else
        p.board[m.fromX][m.fromY] = EMPTY;
    return taken;
}

// Whether the drop may be made on the board as it stands: onto an empty square, no second
// unpromoted pawn on a file (moverPawns: the mover's pawn columns), and a pawn, lance or knight
// only where it can still move.
inline bool mayDrop(const Map& board, const TwoPawnFlags& moverPawns, const Move& drop) {
    const TwoPawnFlags none{};
    const bool man = isManPiece(drop.piece);
    return 盤上移動チェック(board, man ? moverPawns : none, man ? none : moverPawns, drop.sourceX(),
                            drop.sourceY(), drop.toX, drop.toY, drop.piece) == YES;
}

// Calls f(const Move&) for every move the side may make on the board as given (the other side's
// pieces where they stand), promotion choices included: board moves by source square (files,
// then ranks), each piece's steps before its rays, the move that stays unpromoted before the one
// that promotes; then drops by hand kind and square. The mover's king may be left attacked.
// f returns true to go on; false when f stopped.
template <class F>
bool forEachMove(const Position& pos, Side side, F&& f) {
    const Map& b = pos.board;
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int p = b[fx][fy];
            if (!ownedBy(p, side)) continue;
            const PieceMoves& pm = pieceMoves(p);
            auto offer = [&](int tx, int ty) {
                Move m = boardMove(fx, fy, tx, ty, p, p);
                const bool may = mayPromote(fx, fy, ty, p);
                if (移動後チェック(ty, p) == YES && !f(m)) return false;
                if (may) {
                    m.placed = static_cast<std::int16_t>(promotedCode(p));
                    if (!f(m)) return false;
                }
                return true;
            };
            for (int i = 0; i < pm.stepCount; ++i) {
                const int tx = fx + pm.steps[i].dx, ty = fy + pm.steps[i].dy;
                if (!onBoard(tx, ty) || ownedBy(b[tx][ty], side)) continue;
                if (!offer(tx, ty)) return false;
            }
            for (int i = 0; i < pm.rayCount; ++i) {
                for (int tx = fx + pm.rays[i].dx, ty = fy + pm.rays[i].dy; onBoard(tx, ty);
                     tx += pm.rays[i].dx, ty += pm.rays[i].dy) {
                    if (ownedBy(b[tx][ty], side)) break;
                    if (!offer(tx, ty)) return false;
                    if (b[tx][ty] != EMPTY) break;
                }
            }
        }
    const Hand& hand = pos.hand(side);
    const TwoPawnFlags pawns = pawnColumns(b, side == Side::Man ? MAN_HU : COM_HU);
    for (int kind = 1; kind <= 7; ++kind) {
        if (hand[kind] <= 0) continue;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty) {
                if (b[tx][ty] != EMPTY) continue;
                const Move m = dropMove(side, kind, tx, ty);
                if (!mayDrop(b, pawns, m)) continue;
                if (!f(m)) return false;
            }
    }
    return true;
}

// Whether the move, played, leaves its mover's king reached by the other side.
bool leavesKingAttacked(const Position& pos, const Move& m);

// What the referee answers to the move on the true position: 0 (accepted) or the miss kind
// (1 jumped over a hidden piece, 2 dropped onto one, 3 leaves the mover's king attacked). The
// move must be one its side may make on its own view, which holds only its own pieces.
int missKind(const Position& pos, const Move& m);

// Whether the side is mated: its king is attacked and no move of the side (a board move, or a
// drop where a piece in hand may be dropped) leaves it unattacked.
bool mated(const Position& pos, Side side);

}  // namespace velk
