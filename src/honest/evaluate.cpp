#include "honest/evaluate.h"

#include <algorithm>
#include <cstdlib>

namespace velk::honest {

namespace {

// The value of the cheapest piece of the side that reaches the square; 0 when none does.
int lowestAttacker(const Map& board, int x, int y, Side by) {
    int lowest = 0;
    forEachAttacker(board, x, y, by, [&lowest](int code) {
        const int value = pieceValue(code);
        if (lowest == 0 || value < lowest) lowest = value;
        return true;
    });
    return lowest;
}

bool isGuard(int code) {
    switch (std::abs(code)) {
        case 100:
        case 101:
        case 110:
        case 11:
        case 21:
        case 31:
            return true;
        default:
            return false;
    }
}

// Guards beside the king and attackers near it.
int kingShelter(const Map& b, Side side) {
    const auto k = kingSquare(b, side);
    if (k[0] == 0) return -WIN / 2;
    int score = 0;
    for (int x = std::max(1, k[0] - 2); x <= std::min(9, k[0] + 2); ++x)
        for (int y = std::max(1, k[1] - 2); y <= std::min(9, k[1] + 2); ++y) {
            const int p = b[x][y];
            if (p == EMPTY) continue;
            const int dist = std::max(std::abs(x - k[0]), std::abs(y - k[1]));
            if (ownedBy(p, side)) {
                if (isGuard(p)) score += dist == 1 ? 40 : 15;
            } else if (std::abs(p) != 10) {
                score -= dist == 1 ? 60 : 30;
            }
        }
    return score;
}

}  // namespace

int kingDanger(const Position& w, Side side) {
    const auto k = kingSquare(w.board, side);
    if (k[0] == 0) return 0;
    const Hand& theirs = w.hand(otherSide(side));
    const bool canDrop =
        std::any_of(theirs.begin() + 2, theirs.begin() + 8, [](int n) { return n > 0; });
    const int king = kingOf(side);
    int danger = 0;
    for (int x = std::max(1, k[0] - 1); x <= std::min(9, k[0] + 1); ++x)
        for (int y = std::max(1, k[1] - 1); y <= std::min(9, k[1] + 1); ++y) {
            const int p = w.board[x][y];
            if (ownedBy(p, side) || (x == k[0] && y == k[1])) continue;
            const bool guarded =
                !forEachAttacker(w.board, x, y, side, [king](int code) { return code == king; });
            if (guarded) continue;
            danger += BARE_SQUARE + (canDrop && p == EMPTY ? BARE_SQUARE : 0);
        }
    return danger;
}

int pieceValue(int code) {
    switch (std::abs(code)) {
        case 10:
            return 100;
        case 11:
            return 520;
        case 20:
            return 300;
        case 21:
            return 500;
        case 30:
            return 350;
        case 31:
            return 500;
        case 100:
            return 500;
        case 101:
            return 520;
        case 110:
            return 560;
        case 800:
            return 850;
        case 801:
            return 1100;
        case 900:
            return 1000;
        case 901:
            return 1300;
        case 950:
            return 5000;
        default:
            return 0;
    }
}

int handValue(int kind) {
    static constexpr int VALUES[8] = {0, 110, 320, 370, 540, 600, 920, 1080};
    return VALUES[kind];
}

int evaluate(const Position& w, Side side, int pawnStep, bool watchKings) {
    int score = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = w.board[x][y];
            if (p == EMPTY || std::abs(p) == 950) continue;
            int v = pieceValue(p);
            if (std::abs(p) == 10) v += isManPiece(p) ? (7 - y) * pawnStep : (y - 3) * pawnStep;
            score += ownedBy(p, side) ? v : -v;
        }
    const Side other = otherSide(side);
    for (int k = 1; k <= 7; ++k) score += (w.hand(side)[k] - w.hand(other)[k]) * handValue(k);
    score += kingShelter(w.board, side) - kingShelter(w.board, other);
    if (watchKings) score += kingDanger(w, other) - kingDanger(w, side);
    return score;
}

int threatAgainst(const Position& w, Side side) {
    int best = 0;
    int rest = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = w.board[x][y];
            if (!ownedBy(p, side)) continue;
            const int attacker = lowestAttacker(w.board, x, y, otherSide(side));
            if (attacker == 0) continue;
            if (std::abs(p) == 950) return WIN;
            int gain = pieceValue(p);
            if (attacked(w.board, x, y, side)) gain -= attacker;
            if (gain <= 0) continue;
            // One capture now; a second piece en prise is likely lost a move later.
            rest += std::min(best, gain);
            best = std::max(best, gain);
        }
    return best + rest / 3;
}

// The guesses can lose track of where a ranging piece went, so a line to one of the side's
// pieces is not opened for a trifle.
int exposure(const Map& own, const Move& m, Side side) {
    if (m.isDrop()) return 0;
    const auto blocks = [&](int x, int y) {
        return (x == m.toX && y == m.toY) ||
               (own[x][y] != EMPTY && !(x == m.fromX && y == m.fromY));
    };
    int risk = 0;
    for (int d = 0; d < 8; ++d) {
        // The first piece of ours behind the square left, looking back along the line.
        int px = m.fromX - LINE_DX[d], py = m.fromY - LINE_DY[d];
        while (onBoard(px, py) && !blocks(px, py)) px -= LINE_DX[d], py -= LINE_DY[d];
        if (!onBoard(px, py) || (px == m.toX && py == m.toY)) continue;
        const int piece = own[px][py];
        if (!ownedBy(piece, side) || std::abs(piece) == 950 || std::abs(piece) == 10) continue;
        // The line ahead must stay open at least one square.
        const int ax = m.fromX + LINE_DX[d], ay = m.fromY + LINE_DY[d];
        if (!onBoard(ax, ay) || blocks(ax, ay)) continue;
        risk += pieceValue(piece) / 16;
    }
    return risk;
}

}  // namespace velk::honest
