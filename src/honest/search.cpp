#include "honest/search.h"

#include <algorithm>

#include "honest/evaluate.h"

namespace velk::honest {

namespace {

// A side has at most a few hundred moves (every drop of seven kinds on every empty square).
inline constexpr int MAX_MOVES = 1024;
inline constexpr int MAX_PLY = 24;
// Below this many plies a side in check is given one more full ply to find its way out.
inline constexpr int CHECK_EXTENSION_PLY = 6;
// A capture that cannot lift the side near alpha even winning the piece outright is left alone.
inline constexpr int DELTA_MARGIN = 200;

bool isKing(int code) {
    return code == MAN_OU || code == COM_OU;
}

}  // namespace

bool decisive(int value) {
    return value >= WIN - 1000 || value <= -WIN + 1000;
}

Search::Search()
    : moves_(static_cast<std::size_t>(MAX_MOVES * MAX_PLY)),
      order_(static_cast<std::size_t>(MAX_MOVES * MAX_PLY)) {}

int Search::generate(const Position& w, Side toMove, int ply, bool capturesOnly) {
    Move* out = &moves_[static_cast<std::size_t>(ply * MAX_MOVES)];
    int* score = &order_[static_cast<std::size_t>(ply * MAX_MOVES)];
    int n = 0;
    int captures = 0;
    forEachMove(w, toMove, [&](const Move& m) {
        if (capturesOnly && m.isDrop()) return false;  // drops come last
        const int victim = w.board[m.toX][m.toY];
        if (victim == EMPTY && capturesOnly) return true;
        if (n >= MAX_MOVES) return false;
        if (victim != EMPTY) {
            // Captures first, the dearest victim by the cheapest piece first; a promotion adds.
            const int s = (isKing(victim) ? 1000000 : pieceValue(victim) * 16) -
                          pieceValue(m.piece) / 8 + (m.promotes() ? 50 : 0);
            // The captures stay sorted at the front: the first quiet move goes to the end.
            out[n] = out[captures];
            score[n] = score[captures];
            int i = captures;
            while (i > 0 && score[i - 1] < s) {
                out[i] = out[i - 1];
                score[i] = score[i - 1];
                --i;
            }
            out[i] = m;
            score[i] = s;
            ++captures;
        } else {
            out[n] = m;
            score[n] = m.promotes() ? 1 : 0;
        }
        ++n;
        return true;
    });
    return n;
}

int Search::quiesce(const Position& w, Side toMove, int ply, int alpha, int beta, int lastX,
                    int lastY) {
    ++nodes_;
    const int stand = evaluate(w, toMove, pawnStep, watchKings);
    if (stand >= beta || ply >= MAX_PLY - 1) return stand;
    alpha = std::max(alpha, stand);
    const int n = generate(w, toMove, ply, true);
    const Move* list = &moves_[static_cast<std::size_t>(ply * MAX_MOVES)];
    const Side other = otherSide(toMove);
    int best = stand;
    for (int i = 0; i < n; ++i) {
        const Move& m = list[i];
        const int victim = w.board[m.toX][m.toY];
        // The side behind the screen takes only where it saw the other side land.
        if (toMove == blind && (m.toX != lastX || m.toY != lastY)) continue;
        if (isKing(victim)) return WIN - ply;
        if (stand + pieceValue(victim) + DELTA_MARGIN < alpha && !m.promotes()) continue;
        Position next = w;
        applyMove(next, m);
        if (inCheck(next.board, toMove)) continue;
        const int v = -quiesce(next, other, ply + 1, -beta, -alpha, m.toX, m.toY);
        if (v > best) {
            best = v;
            if (v > alpha) alpha = v;
            if (alpha >= beta) break;
        }
    }
    return best;
}

int Search::negamax(const Position& w, Side toMove, int depth, int ply, int alpha, int beta,
                    int lastX, int lastY) {
    if (depth <= 0) {
        if (ply >= CHECK_EXTENSION_PLY || !inCheck(w.board, toMove))
            return quiesce(w, toMove, ply, alpha, beta, lastX, lastY);
        depth = 1;
    }
    ++nodes_;
    const int n = generate(w, toMove, ply, false);
    const Move* list = &moves_[static_cast<std::size_t>(ply * MAX_MOVES)];
    const Side other = otherSide(toMove);
    int best = -WIN + ply;  // no way out: mated
    bool any = false;
    for (int i = 0; i < n; ++i) {
        const Move& m = list[i];
        if (isKing(w.board[m.toX][m.toY])) return WIN - ply;
        Position next = w;
        applyMove(next, m);
        if (inCheck(next.board, toMove)) continue;
        any = true;
        const int v = -negamax(next, other, depth - 1, ply + 1, -beta, -alpha, m.toX, m.toY);
        if (v > best) {
            best = v;
            if (v > alpha) alpha = v;
            if (alpha >= beta) break;
        }
    }
    if (!any && !inCheck(w.board, toMove)) return evaluate(w, toMove, pawnStep, watchKings);
    return best;
}

int Search::value(const Position& w, Side toMove, int depth, int alpha, int beta) {
    return negamax(w, toMove, depth, 0, alpha, beta, 0, 0);
}

int Search::afterMove(const Position& w, const Move& m, int depth, int alpha, int beta) {
    const Side mover = moverOf(m);
    if (isKing(w.board[m.toX][m.toY])) return WIN;
    Position next = w;
    applyMove(next, m);
    if (inCheck(next.board, mover)) return -WIN;
    return -negamax(next, otherSide(mover), depth, 1, -beta, -alpha, m.toX, m.toY);
}

}  // namespace velk::honest
