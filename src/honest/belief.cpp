#include "honest/belief.h"

#include <algorithm>
#include <cstdlib>

#include "honest/evaluate.h"

namespace velk::honest {

namespace {

using Kind = SeenEvent::Kind;

// The same kind of piece, whichever side's code names it (a taken piece is reported as the
// taker's own code of that kind).
bool sameKind(int code, int other) {
    return handIndexOf(code) == handIndexOf(other);
}

int handCode(Side side, int kind) {
    return side == Side::Man ? MAN_HAND_CODES[kind] : COM_HAND_CODES[kind];
}

// The side's own move of an event, with the code that moves (read from the sample's board, where
// the side's own pieces are known).
// A drop's piece is the side's own code of the hand kind; a hand slot out of range gives no piece.
Move ownMove(const Position& w, const SeenEvent& e, Side side) {
    const bool drop = e.fromX == MAN_HAND_X || e.fromX == COM_HAND_X;
    const int kind = drop ? (e.fromX == MAN_HAND_X ? e.fromY - 2 : e.fromY) : 0;
    if (drop && (kind < 1 || kind > 7)) return Move{};
    int piece = EMPTY;
    if (drop)
        piece = handCode(side, kind);
    else if (onBoard(e.fromX, e.fromY))
        piece = w.board[e.fromX][e.fromY];
    return moveFromSource(e.fromX, e.fromY, e.toX, e.toY, piece, e.placed);
}

bool usable(const Position& w, const Move& m, Side side) {
    if (!onBoard(m.toX, m.toY) || !ownedBy(m.piece, side)) return false;
    if (m.isDrop()) return w.hand(side)[m.drop] > 0;
    return true;
}

// Whether a hidden piece of the given code may stand on the square unpromoted as it is.
bool mayStand(const Map& b, int code, int x, int y) {
    if (移動後チェック(y, code) != YES) return false;
    return (code != MAN_HU && code != COM_HU) || pawnColumns(b, code)[x] == 0;
}

// Moves the piece on (x, y) to an empty square where it may stand, near its square when one is
// free, never onto a square in avoid. false when there is none.
template <class Avoid>
bool relocate(Position& w, int x, int y, Rng& rng, Avoid&& avoid) {
    const int code = w.board[x][y];
    w.board[x][y] = EMPTY;
    int best[81][2];
    for (int reach = 2; reach <= 9; reach += 7) {
        int n = 0;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty) {
                if ((tx == x && ty == y) || w.board[tx][ty] != EMPTY || avoid(tx, ty)) continue;
                if (std::max(std::abs(tx - x), std::abs(ty - y)) > reach) continue;
                if (!mayStand(w.board, code, tx, ty)) continue;
                best[n][0] = tx;
                best[n][1] = ty;
                ++n;
            }
        if (n > 0) {
            const int k = rng.below(n);
            w.board[best[k][0]][best[k][1]] = static_cast<std::int16_t>(code);
            return true;
        }
    }
    w.board[x][y] = static_cast<std::int16_t>(code);
    return false;
}

// Whether (x, y) lies strictly between the move's squares on a line (never for a knight's jump).
bool between(const Move& m, int x, int y) {
    if (m.isDrop()) return false;
    const int ax = std::abs(m.toX - m.fromX), ay = std::abs(m.toY - m.fromY);
    if (ax != ay && ax != 0 && ay != 0) return false;
    const int dx = (m.toX > m.fromX) - (m.toX < m.fromX);
    const int dy = (m.toY > m.fromY) - (m.toY < m.fromY);
    for (int px = m.fromX + dx, py = m.fromY + dy; px != m.toX || py != m.toY; px += dx, py += dy)
        if (px == x && py == y) return true;
    return false;
}

// Whether the side's king stands in the sample as the referee said after the other side's move:
// checked or not, mated or not.
bool kingAsSaid(const Position& w, const SeenEvent& e, Side side) {
    if (inCheck(w.board, side) != e.check) return false;
    return !e.check || mated(w, side) == e.mate;
}

// A guess that no longer explains what was seen is played again from its state between
// REPLAY_STEP and twice that many events back, up to REPLAY_TRIES times, before it is given up
// for a copy of another: copies make the guesses less varied, and a minority that is right (a
// piece taken for another a while ago) dies out in a long quiet stretch.
inline constexpr std::size_t REPLAY_STEP = 8;
inline constexpr int REPLAY_TRIES = 4;

inline constexpr int GREEDINESS = 60;

// The other side's move seen as a destination: one of the moves that fit, drawn at random.
// Promotions are drawn more often than not, as players mostly take them.
bool stepOtherMove(Position& w, const SeenEvent& e, Side side, Rng& rng) {
    const Side other = otherSide(side);
    const int target = w.board[e.toX][e.toY];
    if (e.captured != 0 ? target != e.captured : target != EMPTY) return false;
    struct Option {
        Move move;
        int weight;
        int value;
    };
    Option options[96];
    int count = 0;
    int total = 0;
    // Each fitting move is weighted by how good it looks to the side that made it, for players
    // mostly make the moves that look best to them.
    auto consider = [&](const Move& m, int weight) {
        Position after = w;
        applyMove(after, m);
        if (!m.isDrop() && inCheck(after.board, other)) return;  // would have been a miss
        if (!kingAsSaid(after, e, side)) return;
        if (count < 96) {
            const int value = evaluate(after, other) - threatAgainst(after, other) * 9 / 10;
            options[count++] = {m, weight, value};
        }
    };
    if (e.drop) {
        const TwoPawnFlags pawns = pawnColumns(w.board, other == Side::Man ? MAN_HU : COM_HU);
        for (int kind = 1; kind <= 7; ++kind) {
            if (w.hand(other)[kind] <= 0) continue;
            const Move m = dropMove(other, kind, e.toX, e.toY);
            if (mayDrop(w.board, pawns, m)) consider(m, 2);
        }
    } else {
        const TwoPawnFlags none{};
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int p = w.board[x][y];
                if (!ownedBy(p, other)) continue;
                if (盤上移動チェック(w.board, none, none, x, y, e.toX, e.toY, p) != YES) continue;
                Move m = boardMove(x, y, e.toX, e.toY, p, p);
                // Pieces mostly go forward: a step back is drawn half as often as one aside,
                // which is drawn half as often as one forward.
                const int ahead = other == Side::Man ? y - e.toY : e.toY - y;
                const int dir = ahead > 0 ? 4 : ahead == 0 ? 2 : 1;
                const bool may = mayPromote(x, y, e.toY, p);
                if (移動後チェック(e.toY, p) == YES) consider(m, dir * (may ? 1 : 3));
                if (may) {
                    m.placed = static_cast<std::int16_t>(promotedCode(p));
                    consider(m, dir * 3);
                }
            }
    }
    if (count == 0) return false;
    int top = options[0].value;
    for (int k = 1; k < count; ++k) top = std::max(top, options[k].value);
    for (int k = 0; k < count; ++k) {
        // Twice as likely for every GREEDINESS points better, floored so nothing is ruled out.
        const int behind = std::min(top - options[k].value, 8 * GREEDINESS);
        options[k].weight = std::max(1, (options[k].weight * 256) >> (behind / GREEDINESS));
        total += options[k].weight;
    }
    int pick = rng.below(total);
    int i = 0;
    while (pick >= options[i].weight) pick -= options[i++].weight;
    applyMove(w, options[i].move);
    return true;
}

// Whether the other side's piece of the given code, landing on the event's square from (x, y)
// (from the hand when x is 0), leaves the side's king as the referee said.
bool landsAsSaid(const Position& w, const SeenEvent& e, Side side, int x, int y, int code) {
    Position after = w;
    if (x != 0) after.board[x][y] = EMPTY;
    after.board[e.toX][e.toY] = static_cast<std::int16_t>(code);
    return kingAsSaid(after, e, side);
}

// The other side's move when no move of any sample fits what was seen: a hidden piece that may
// stand there is put on the destination (the nearest first), or one from the hand for a drop.
void forceOtherMove(Position& w, const SeenEvent& e, Side side, Rng& rng) {
    const Side other = otherSide(side);
    const int there = w.board[e.toX][e.toY];
    if (ownedBy(there, other)) return;  // already stands there in this sample
    // The piece that lands leaves the king as the referee said whenever one can: believing a
    // checked king safe, the side would be refused move after move, and a drop would lose it.
    int code = EMPTY;
    if (e.drop) {
        int any = 0, fits = 0;
        for (int kind = 1; kind <= 7 && fits == 0; ++kind) {
            const int piece = handCode(other, kind);
            if (w.hand(other)[kind] <= 0 || !mayStand(w.board, piece, e.toX, e.toY)) continue;
            if (any == 0) any = kind;
            if (landsAsSaid(w, e, side, 0, 0, piece)) fits = kind;
        }
        if (const int kind = fits != 0 ? fits : any; kind != 0) {
            w.hand(other)[kind] -= 1;
            code = handCode(other, kind);
        }
    }
    if (code == EMPTY) {
        // The nearest piece that may stand there, first among those that land as said.
        const auto landed = [&](int x, int y) {
            const int p = w.board[x][y];
            if (landsAsSaid(w, e, side, x, y, p)) return p;
            if (mayPromote(x, y, e.toY, p) && landsAsSaid(w, e, side, x, y, promotedCode(p)))
                return promotedCode(p);
            return EMPTY;
        };
        int n = 0;
        int sq[81][2];
        for (int pass = 0; pass < 2 && n == 0; ++pass) {
            int bestDist = 99;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    const int p = w.board[x][y];
                    if (!ownedBy(p, other) || std::abs(p) == COM_OU) continue;
                    if (移動後チェック(e.toY, p) != YES) continue;
                    if (pass == 0 && landed(x, y) == EMPTY) continue;
                    const int dist = std::max(std::abs(x - e.toX), std::abs(y - e.toY));
                    if (dist < bestDist) {
                        bestDist = dist;
                        n = 0;
                    }
                    if (dist == bestDist) {
                        sq[n][0] = x;
                        sq[n][1] = y;
                        ++n;
                    }
                }
        }
        if (n == 0) return;
        const int k = rng.below(n);
        const int x = sq[k][0], y = sq[k][1];
        const int fits = landed(x, y);
        code = fits != EMPTY ? fits : w.board[x][y];
        w.board[x][y] = EMPTY;
    }
    if (there != EMPTY) {
        const int kind = handIndexOf(there);
        if (kind != 0) w.hand(other)[kind] += 1;
    }
    w.board[e.toX][e.toY] = static_cast<std::int16_t>(code);
}

// Whether some move of the other side to the event's square would be refused with its kind.
bool fitsOtherMiss(const Position& w, const SeenEvent& e, Side side) {
    const Side other = otherSide(side);
    if (e.missKind == 2)
        return ownedBy(w.board[e.toX][e.toY], side) && handSumOf(w.hand(other)) > 0;
    Map theirView = w.board;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (ownedBy(theirView[x][y], side)) theirView[x][y] = EMPTY;
    const TwoPawnFlags none{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = w.board[x][y];
            if (!ownedBy(p, other)) continue;
            for (int code : {p, canPromote(p) ? promotedCode(p) : p}) {
                if (盤上移動チェック(theirView, none, none, x, y, e.toX, e.toY, code) != YES)
                    continue;
                if (e.missKind == 1) {
                    if (isRanging(code) &&
                        盤上移動チェック(w.board, none, none, x, y, e.toX, e.toY, code) != YES)
                        return true;
                } else if (e.missKind == 3 &&
                           leavesKingAttacked(w, boardMove(x, y, e.toX, e.toY, p, code))) {
                    return true;
                }
            }
        }
    return false;
}

// Moves the hidden piece nearest to a square from which it reaches the king's square (kx, ky) and
// makes reaches(sample) true there (an empty square not in avoid, where it may stand), drawn
// among the nearest; false when none can.
template <class Avoid, class Reaches>
bool bringAttacker(Position& w, Side side, int kx, int ky, Avoid&& avoid, Reaches&& reaches,
                   Rng& rng) {
    if (!onBoard(kx, ky)) return false;  // no king on the board to reach
    const Side other = otherSide(side);
    int bestDist = 99, n = 0;
    int sq[64][4];
    for (int px = 1; px <= 9; ++px)
        for (int py = 1; py <= 9; ++py) {
            const int p = w.board[px][py];
            if (!ownedBy(p, other) || p == kingOf(other)) continue;
            const auto& reach = pieceMoves(p).reach;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    const int dist = std::max(std::abs(x - px), std::abs(y - py));
                    if (dist > bestDist || w.board[x][y] != EMPTY ||
                        reach[kx - x + 8][ky - y + 8] == OUT_OF_REACH || avoid(x, y) ||
                        !mayStand(w.board, p, x, y))
                        continue;
                    Position trial = w;
                    trial.board[px][py] = EMPTY;
                    trial.board[x][y] = static_cast<std::int16_t>(p);
                    if (!reaches(trial)) continue;
                    if (dist < bestDist) bestDist = dist, n = 0;
                    if (n < 64) {
                        sq[n][0] = px, sq[n][1] = py, sq[n][2] = x, sq[n][3] = y;
                        ++n;
                    }
                }
        }
    if (n == 0) return false;
    const int k = rng.below(n);
    w.board[sq[k][2]][sq[k][3]] = w.board[sq[k][0]][sq[k][1]];
    w.board[sq[k][0]][sq[k][1]] = EMPTY;
    return true;
}

// A check that the referee did not announce after the other side's move landed on (tx, ty):
// every other hidden piece that gives it is moved where it cannot reach the king, and a piece
// dropped there that gives it is exchanged for another kind from the same hand that does not.
// The king may still be reached when no such move or kind is found.
void liftUnsaidCheck(Position& w, Side side, int tx, int ty, bool drop, Rng& rng) {
    const auto king = kingSquare(w.board, side);
    if (king[0] == 0) return;
    const Side other = otherSide(side);
    // Whether the piece on (x, y) reaches the king.
    const auto reachesKing = [&w, &king](int x, int y) {
        const TwoPawnFlags none{};
        return 盤上移動チェック(w.board, none, none, x, y, king[0], king[1], w.board[x][y]) == YES;
    };
    for (int round = 0; round < 2 && inCheck(w.board, side); ++round)
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int code = w.board[x][y];
                if (!ownedBy(code, other) || (x == tx && y == ty) || !reachesKing(x, y)) continue;
                relocate(w, x, y, rng, [&](int ax, int ay) {
                    return (ax == tx && ay == ty) ||
                           pieceMoves(code).reach[king[0] - ax + 8][king[1] - ay + 8] !=
                               OUT_OF_REACH;
                });
            }
    const int landed = w.board[tx][ty];
    if (drop && ownedBy(landed, other) && reachesKing(tx, ty)) {
        Hand& hand = w.hand(other);
        for (int kind = 1; kind <= 7; ++kind) {
            const int code = handCode(other, kind);
            if (hand[kind] <= 0 || code == landed) continue;
            const Position before = w;
            w.board[tx][ty] = EMPTY;
            if (code == MAN_HU || code == COM_HU) {
                // A pawn guessed on the same file goes to another.
                for (int y = 1; y <= 9; ++y)
                    if (w.board[tx][y] == code)
                        relocate(w, tx, y, rng, [tx](int ax, int) { return ax == tx; });
            }
            if (!mayStand(w.board, code, tx, ty)) {
                w = before;
                continue;
            }
            w.board[tx][ty] = static_cast<std::int16_t>(code);
            if (reachesKing(tx, ty)) {
                w = before;
                continue;
            }
            hand[kind] -= 1;
            hand[handIndexOf(landed)] += 1;
            break;
        }
    }
}

}  // namespace

bool stepSample(Position& w, const SeenEvent& e, Side side, Rng& rng) {
    switch (e.kind) {
        case Kind::OwnMove: {
            const Move m = ownMove(w, e, side);
            if (!usable(w, m, side)) return false;
            const int target = w.board[m.toX][m.toY];
            if (ownedBy(target, side)) return false;
            if (m.isDrop()) {
                if (target != EMPTY) return false;
            } else if (target == EMPTY ? e.captured != 0
                                       : (e.captured == 0 || !sameKind(target, e.captured))) {
                return false;
            }
            if (missKind(w, m) != 0) return false;
            applyMove(w, m);
            return true;
        }
        case Kind::OwnMiss: {
            const Move m = ownMove(w, e, side);
            if (!usable(w, m, side)) return false;
            return missKind(w, m) == e.missKind;
        }
        case Kind::OtherMove:
            return stepOtherMove(w, e, side, rng);
        case Kind::OtherMiss:
            return fitsOtherMiss(w, e, side);
    }
    return false;
}

bool repairSample(Position& w, const SeenEvent& e, Side side, Rng& rng) {
    if (e.kind != Kind::OwnMove && e.kind != Kind::OwnMiss) return false;
    const Side other = otherSide(side);
    const Move m = ownMove(w, e, side);
    if (!usable(w, m, side)) return false;
    const auto onPath = [&m](int x, int y) {
        return between(m, x, y) || (x == m.toX && y == m.toY);
    };
    if (e.kind == Kind::OwnMove) {
        const int there = w.board[m.toX][m.toY];
        if (!m.isDrop() && e.captured != 0) {
            if (!(ownedBy(there, other) && sameKind(there, e.captured))) {
                int sq[81][2];
                int n = 0;
                for (int x = 1; x <= 9; ++x)
                    for (int y = 1; y <= 9; ++y)
                        if ((x != m.toX || y != m.toY) && ownedBy(w.board[x][y], other) &&
                            sameKind(w.board[x][y], e.captured)) {
                            sq[n][0] = x;
                            sq[n][1] = y;
                            ++n;
                        }
                if (n > 0) {
                    const int k = rng.below(n);
                    std::swap(w.board[sq[k][0]][sq[k][1]], w.board[m.toX][m.toY]);
                } else {
                    const int kind = handIndexOf(e.captured);
                    if (w.hand(other)[kind] <= 0) return false;
                    if (there == kingOf(other)) return false;
                    w.hand(other)[kind] -= 1;
                    if (ownedBy(there, other)) w.hand(other)[handIndexOf(there)] += 1;
                    w.board[m.toX][m.toY] = static_cast<std::int16_t>(handCode(other, kind));
                }
            }
        } else if (ownedBy(there, other)) {
            if (!relocate(w, m.toX, m.toY, rng, onPath)) return false;
        }
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (between(m, x, y) && ownedBy(w.board[x][y], other) &&
                    !relocate(w, x, y, rng, onPath))
                    return false;
        return true;
    }
    // A refused move: put a hidden piece where the referee's answer says one stands.
    auto bringPiece = [&](int x, int y) {
        int sq[81][2];
        int n = 0;
        for (int px = 1; px <= 9; ++px)
            for (int py = 1; py <= 9; ++py) {
                const int p = w.board[px][py];
                if (ownedBy(p, other) && p != kingOf(other) && mayStand(w.board, p, x, y)) {
                    sq[n][0] = px;
                    sq[n][1] = py;
                    ++n;
                }
            }
        if (n == 0) return false;
        const int k = rng.below(n);
        w.board[x][y] = w.board[sq[k][0]][sq[k][1]];
        w.board[sq[k][0]][sq[k][1]] = EMPTY;
        return true;
    };
    if (e.missKind == 2) {
        if (ownedBy(w.board[m.toX][m.toY], other)) return true;
        return w.board[m.toX][m.toY] == EMPTY && bringPiece(m.toX, m.toY);
    }
    if (e.missKind == 1 && !m.isDrop()) {
        if (missKind(w, m) == 1) return true;
        int sq[8][2];
        int n = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (between(m, x, y) && w.board[x][y] == EMPTY && n < 8) {
                    sq[n][0] = x;
                    sq[n][1] = y;
                    ++n;
                }
        if (n == 0) return false;
        const int k = rng.below(n);
        return bringPiece(sq[k][0], sq[k][1]) && missKind(w, m) == 1;
    }
    if (e.missKind == 3) {
        // The move would have left the king reached: a hidden piece reaches it then.
        if (missKind(w, m) == 3) return true;
        const auto king =
            m.piece == kingOf(side) ? std::array<int, 2>{m.toX, m.toY} : kingSquare(w.board, side);
        return bringAttacker(
            w, side, king[0], king[1], onPath,
            [&m](const Position& t) { return missKind(t, m) == 3; }, rng);
    }
    return false;
}

Belief::Belief(int samples, bool replays) : count_(samples), replays_(replays) {}

std::size_t Belief::pickFrom(const std::vector<int>& indices) {
    return static_cast<std::size_t>(
        indices[static_cast<std::size_t>(rng_.below(static_cast<int>(indices.size())))]);
}

void Belief::restart(const SideView& view, std::uint64_t seed) {
    side_ = view.side;
    startBoard_ = view.startBoard;
    startHandMAN_ = view.startHandMAN;
    startHandCOM_ = view.startHandCOM;
    seen_.clear();
    Position start;
    start.board = view.startBoard;
    start.handMAN = view.startHandMAN;
    start.handCOM = view.startHandCOM;
    samples_.assign(static_cast<std::size_t>(count_), start);
    anchors_ = samples_;
    next_ = samples_;
    anchorAt_ = 0;
    nextAt_ = 0;
    seed_ = seed;
    rng_ = Rng(seed ^ 0x5DEECE66DULL);
    stats_ = {};
}

void Belief::update(const SideView& view, std::uint64_t seed) {
    if (view.side == Side::None) {
        samples_.clear();
        seen_.clear();
        side_ = Side::None;
        return;
    }
    bool same = view.side == side_ && view.startBoard == startBoard_ &&
                view.startHandMAN == startHandMAN_ && view.startHandCOM == startHandCOM_ &&
                view.events.size() >= seen_.size() && !samples_.empty();
    for (std::size_t i = 0; same && i < seen_.size(); ++i) {
        const SeenEvent& a = seen_[i];
        const SeenEvent& b = view.events[i];
        same = a.kind == b.kind && a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX &&
               a.toY == b.toY && a.placed == b.placed && a.drop == b.drop &&
               a.captured == b.captured && a.missKind == b.missKind && a.check == b.check &&
               a.mate == b.mate;
    }
    if (!same) restart(view, seed);
    for (std::size_t i = seen_.size(); i < view.events.size(); ++i) {
        if (!takeIn(view.events[i], false) && !redrawHistory(view, i)) takeIn(view.events[i], true);
        seen_.push_back(view.events[i]);
        moveAnchors();
    }
    syncWith(view);
}

void Belief::moveAnchors() {
    if (!replays_ || seen_.size() != nextAt_ + REPLAY_STEP) return;
    anchors_ = std::move(next_);
    anchorAt_ = nextAt_;
    next_ = samples_;
    nextAt_ = seen_.size();
}

void Belief::followAnchors(std::size_t i, std::size_t from) {
    if (!replays_) return;
    anchors_[i] = anchors_[from];
    next_[i] = next_[from];
}

bool Belief::replay(std::size_t i, const SeenEvent& e) {
    if (!replays_ || anchors_.size() != samples_.size() || anchorAt_ > seen_.size()) return false;
    for (int t = 0; t < REPLAY_TRIES; ++t) {
        Position w = anchors_[i];
        bool fits = true;
        for (std::size_t k = anchorAt_; k < seen_.size() && fits; ++k)
            fits = stepSample(w, seen_[k], side_, rng_);
        if (fits && stepSample(w, e, side_, rng_)) {
            samples_[i] = w;
            ++stats_.replayed;
            return true;
        }
    }
    return false;
}

// When no guess explains an event, they may all have lost track of a piece long before (a
// ranging piece taken for a pawn early on, say). Drawing the whole history again with other
// random choices often finds guesses that explain it; only when a few such draws fail are the
// guesses repaired. The draws depend only on the seed and the history, so the choice does too.
bool Belief::redrawHistory(const SideView& view, std::size_t last) {
    static constexpr int DRAWS = 3;
    for (int attempt = 1; attempt <= DRAWS; ++attempt) {
        Belief trial(count_, replays_);
        trial.restart(view, seed_ + 0x9E3779B97F4A7C15ULL * (last * DRAWS + attempt));
        for (std::size_t i = 0; i < last; ++i) {
            if (!trial.takeIn(view.events[i], false)) trial.takeIn(view.events[i], true);
            if (replays_) {
                // The trial replays as this does, from the events it has taken in.
                trial.seen_.push_back(view.events[i]);
                trial.moveAnchors();
            }
        }
        if (!trial.takeIn(view.events[last], false)) continue;
        samples_ = std::move(trial.samples_);
        anchors_ = std::move(trial.anchors_);
        next_ = std::move(trial.next_);
        anchorAt_ = trial.anchorAt_;
        nextAt_ = trial.nextAt_;
        rng_ = trial.rng_;
        ++stats_.redrawnHistories;
        return true;
    }
    return false;
}

bool Belief::takeIn(const SeenEvent& e, bool mayRepair) {
    before_ = samples_;
    alive_.assign(samples_.size(), 0);
    int survivors = 0;
    for (std::size_t i = 0; i < samples_.size(); ++i)
        if (stepSample(samples_[i], e, side_, rng_)) {
            alive_[i] = 1;
            ++survivors;
        }
    stats_.kept += survivors;
    if (survivors == static_cast<int>(samples_.size())) return true;
    if (e.kind == Kind::OtherMiss && survivors == 0) {
        // Another side's miss is the weakest hint: when no sample explains it, it is let pass.
        samples_ = before_;
        return true;
    }
    if (survivors == 0 && !mayRepair) {
        samples_ = before_;
        return false;
    }
    std::vector<int> good;
    if (survivors > 0) {
        for (std::size_t i = 0; i < samples_.size(); ++i)
            if (alive_[i]) good.push_back(static_cast<int>(i));
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            if (alive_[i]) continue;
            bool done = replay(i, e);
            for (int tries = 0; tries < 4 && !done; ++tries) {
                const std::size_t g = pickFrom(good);
                Position w = before_[g];
                if (stepSample(w, e, side_, rng_)) {
                    samples_[i] = w;
                    followAnchors(i, g);
                    done = true;
                }
            }
            if (!done) {
                const std::size_t g = pickFrom(good);
                samples_[i] = samples_[g];
                followAnchors(i, g);
            }
            ++stats_.redrawn;
        }
        return true;
    }
    for (std::size_t i = 0; i < samples_.size(); ++i)
        for (int tries = 0; tries < 4 && !alive_[i]; ++tries) {
            // A repair moves a hidden piece; it must not undo the reason for a refusal earlier
            // in this turn. Repairs draw at random, so a failed one is drawn again.
            Position w = before_[i];
            if (repairSample(w, e, side_, rng_) && stepSample(w, e, side_, rng_) &&
                keepsRefusalsThisTurn(w)) {
                samples_[i] = w;
                alive_[i] = 1;
                good.push_back(static_cast<int>(i));
                ++stats_.repaired;
            }
        }
    if (!good.empty()) {
        for (std::size_t i = 0; i < samples_.size(); ++i)
            if (!alive_[i]) {
                const std::size_t g = pickFrom(good);
                samples_[i] = samples_[g];
                followAnchors(i, g);
            }
        return true;
    }
    // Nothing explains the event: carry the samples on as they were and play the side's own move
    // on them, so that at least what the side knows for certain holds.
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        Position w = before_[i];
        if (e.kind == Kind::OwnMove) {
            const Move m = ownMove(w, e, side_);
            if (usable(w, m, side_)) {
                const int there = w.board[m.toX][m.toY];
                if (ownedBy(there, otherSide(side_)) && there != kingOf(otherSide(side_))) {
                    applyMove(w, m);
                } else {
                    Position copy = w;
                    copy.board[m.toX][m.toY] = EMPTY;
                    applyMove(copy, m);
                    w = copy;
                }
            }
        }
        if (e.kind == Kind::OtherMove) forceOtherMove(w, e, side_, rng_);
        samples_[i] = w;
        ++stats_.forced;
    }
    if (e.kind == Kind::OtherMove) {
        // A check the landing piece cannot give was there before (a drop need not answer
        // one): a hidden piece is brought to give it; a check the referee did not announce is
        // lifted. Forced guesses that leave the king as the referee said stand in for those that
        // do not.
        const auto landing = [&e](int x, int y) { return x == e.toX && y == e.toY; };
        const auto checks = [this](const Position& t) { return inCheck(t.board, side_); };
        const auto asSaid = [&](const Position& t) { return kingAsSaid(t, e, side_); };
        for (Position& w : samples_) {
            if (!e.check) {
                // A check no one announced: it is lifted.
                if (checks(w)) liftUnsaidCheck(w, side_, e.toX, e.toY, e.drop, rng_);
                continue;
            }
            if (checks(w)) continue;
            const auto king = kingSquare(w.board, side_);
            if (king[0] != 0 && !bringAttacker(w, side_, king[0], king[1], landing, asSaid, rng_))
                bringAttacker(w, side_, king[0], king[1], landing, checks, rng_);
        }
        good.clear();
        for (std::size_t i = 0; i < samples_.size(); ++i)
            if (checks(samples_[i]) == e.check) good.push_back(static_cast<int>(i));
        if (!good.empty())
            for (std::size_t i = 0; i < samples_.size(); ++i)
                if (checks(samples_[i]) != e.check) samples_[i] = samples_[pickFrom(good)];
    }
    return true;
}

bool Belief::keepsRefusalsThisTurn(const Position& w) const {
    for (auto it = seen_.rbegin(); it != seen_.rend() && it->kind == Kind::OwnMiss; ++it) {
        const Move m = ownMove(w, *it, side_);
        if (!usable(w, m, side_) || missKind(w, m) != it->missKind) return false;
    }
    return true;
}

void Belief::syncWith(const SideView& view) {
    const Side other = otherSide(side_);
    for (Position& w : samples_) {
        bool differs = w.hand(side_) != view.ownHand;
        for (int x = 1; x <= 9 && !differs; ++x)
            for (int y = 1; y <= 9 && !differs; ++y)
                if (ownedBy(w.board[x][y], side_) ? w.board[x][y] != view.board[x][y]
                                                  : view.board[x][y] != EMPTY)
                    differs = true;
        if (!differs && handSumOf(w.hand(other)) == view.otherHandTotal) continue;
        ++stats_.resynced;
        // The side's own pieces are known for certain: put them where they are.
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (ownedBy(w.board[x][y], side_)) w.board[x][y] = EMPTY;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                if (view.board[x][y] == EMPTY) continue;
                if (w.board[x][y] != EMPTY &&
                    !relocate(w, x, y, rng_, [](int, int) { return false; }))
                    w.board[x][y] = EMPTY;
                w.board[x][y] = view.board[x][y];
            }
        w.hand(side_) = view.ownHand;
        Hand& theirs = w.hand(other);
        while (handSumOf(theirs) > view.otherHandTotal) {
            int kind = 1;
            while (theirs[kind] == 0) ++kind;
            theirs[kind] -= 1;
        }
        while (handSumOf(theirs) < view.otherHandTotal) theirs[1] += 1;
    }
}

}  // namespace velk::honest
