// One guess at the whole position (both sides' pieces and hands) and the rules the honest player
// plays by on it: moves, attacks, and what the referee would say about a move.
#pragma once

#include <array>
#include <cstdint>

#include "board/map.h"
#include "board/move_rules.h"
#include "board/piece.h"
#include "board/piece_moves.h"
#include "board/promotion.h"

namespace velk::honest {

struct World {
    Map board{};
    Hand handMAN{};
    Hand handCOM{};

    Hand& hand(bool man) { return man ? handMAN : handCOM; }
    const Hand& hand(bool man) const { return man ? handMAN : handCOM; }
};

// A move in the game's own terms: a drop has fromX MAN_HAND_X with fromY the hand row (kind + 2),
// or COM_HAND_X with fromY the kind; piece is the code that moves, placed the code that lands.
struct Move {
    std::int8_t fromX = 0;
    std::int8_t fromY = 0;
    std::int8_t toX = 0;
    std::int8_t toY = 0;
    std::int16_t piece = 0;
    std::int16_t placed = 0;

    bool isDrop() const { return fromX == MAN_HAND_X || fromX == COM_HAND_X; }
    bool operator==(const Move&) const = default;
};

inline bool ownedBy(int code, bool man) {
    return man ? isManPiece(code) : isComPiece(code);
}

inline int handKindOfDrop(const Move& m) {
    return m.fromX == MAN_HAND_X ? m.fromY - 2 : m.fromY;
}

inline Move dropMove(bool man, int kind, int toX, int toY) {
    const int code = man ? MAN_HAND_CODES[kind] : COM_HAND_CODES[kind];
    return Move{static_cast<std::int8_t>(man ? MAN_HAND_X : COM_HAND_X),
                static_cast<std::int8_t>(man ? kind + 2 : kind),
                static_cast<std::int8_t>(toX),
                static_cast<std::int8_t>(toY),
                static_cast<std::int16_t>(code),
                static_cast<std::int16_t>(code)};
}

// The eight directions of a line from a square: files, ranks and diagonals.
inline constexpr int LINE_DX[8] = {0, 0, 1, -1, 1, 1, -1, -1};
inline constexpr int LINE_DY[8] = {1, -1, 0, 0, 1, -1, 1, -1};

// Calls f(code) for every piece of the given side that reaches the square (a ranging piece only
// when nothing stands between); f returns true to go on. false when f stopped the walk.
template <class F>
bool forEachAttacker(const Map& board, int x, int y, bool byMan, F&& f) {
    for (int d = 0; d < 8; ++d) {
        for (int k = 1, px = x + LINE_DX[d], py = y + LINE_DY[d]; onBoard(px, py);
             ++k, px += LINE_DX[d], py += LINE_DY[d]) {
            const int p = board[px][py];
            if (p == EMPTY) continue;
            if (ownedBy(p, byMan)) {
                const auto reach = pieceMoves(p).reach[x - px + 8][y - py + 8];
                if ((reach == ALONG_RAY || (reach == ONE_STEP && k == 1)) && !f(p)) return false;
            }
            break;
        }
    }
    // A knight lands two rows ahead of its square.
    const int knight = byMan ? MAN_KEI : COM_KEI;
    const int ky = byMan ? y + 2 : y - 2;
    if (ky >= 1 && ky <= 9) {
        if (x > 1 && board[x - 1][ky] == knight && !f(knight)) return false;
        if (x < 9 && board[x + 1][ky] == knight && !f(knight)) return false;
    }
    return true;
}

// Whether the square is reached by a piece of the given side.
bool attacked(const Map& board, int x, int y, bool byMan);

// The square of the side's king, or {0, 0} when it has none.
std::array<int, 2> kingSquare(const Map& board, bool man);

// Plays a move; returns the code it took (EMPTY when none). A taken piece other than a king goes
// to the mover's hand, unpromoted.
int applyMove(World& w, const Move& m);

// What the referee would answer to the move on this world: 0 (accepted) or the miss kind
// (1 jumped over a hidden piece, 2 dropped onto one, 3 leaves the mover's king reached). The move
// must look legal to its side, which sees only its own pieces.
int refereeAnswer(const World& w, const Move& m);

// Calls f(const Move&) for every move the side may play on the board as given (the other side's
// pieces where they stand), promotion choices included: board moves by source, then drops by kind.
// f returns true to go on.
template <class F>
bool forEachMove(const World& w, bool man, F&& f) {
    const Map& b = w.board;
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int p = b[fx][fy];
            if (!ownedBy(p, man)) continue;
            const PieceMoves& pm = pieceMoves(p);
            auto offer = [&](int tx, int ty) {
                Move m{static_cast<std::int8_t>(fx), static_cast<std::int8_t>(fy),
                       static_cast<std::int8_t>(tx), static_cast<std::int8_t>(ty),
                       static_cast<std::int16_t>(p), static_cast<std::int16_t>(p)};
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
                if (!onBoard(tx, ty) || ownedBy(b[tx][ty], man)) continue;
                if (!offer(tx, ty)) return false;
            }
            for (int i = 0; i < pm.rayCount; ++i) {
                for (int tx = fx + pm.rays[i].dx, ty = fy + pm.rays[i].dy; onBoard(tx, ty);
                     tx += pm.rays[i].dx, ty += pm.rays[i].dy) {
                    if (ownedBy(b[tx][ty], man)) break;
                    if (!offer(tx, ty)) return false;
                    if (b[tx][ty] != EMPTY) break;
                }
            }
        }
    const Hand& hand = w.hand(man);
    const TwoPawnFlags pawns = pawnColumns(b, man ? MAN_HU : COM_HU);
    const TwoPawnFlags none{};
    for (int kind = 1; kind <= 7; ++kind) {
        if (hand[kind] <= 0) continue;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty) {
                if (b[tx][ty] != EMPTY) continue;
                const Move m = dropMove(man, kind, tx, ty);
                if (盤上移動チェック(b, man ? pawns : none, man ? none : pawns, m.fromX, m.fromY,
                                     tx, ty, m.piece) != YES)
                    continue;
                if (!f(m)) return false;
            }
    }
    return true;
}

}  // namespace velk::honest
