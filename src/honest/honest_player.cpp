#include "honest/honest_player.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "honest/evaluate.h"
#include "honest/rng.h"

namespace velk {

namespace {

// What a refusal costs: a little at first, more as the count nears the tenth, which loses.
int missCost(int ownMisses) {
    if (ownMisses >= 9) return honest::WIN;
    return 80 + 30 * ownMisses * ownMisses;
}

// The moves refused since the side last moved: the referee would refuse them again.
bool refusedThisTurn(const SideView& view, const Move& m) {
    for (auto it = view.events.rbegin(); it != view.events.rend(); ++it) {
        if (it->kind != SeenEvent::Kind::OwnMiss) break;
        if (it->fromX == m.sourceX() && it->fromY == m.sourceY() && it->toX == m.toX &&
            it->toY == m.toY && it->placed == m.placed)
            return true;
    }
    return false;
}

// How much a pawn gains for each row it comes forward when the player fights.
inline constexpr int FIGHTING_PAWN_STEP = 4;

// A refused move: the referee's answer, and the world unchanged.
constexpr int REFUSED = -2 * honest::WIN;

// The first look at one move on one guess, for the mover: the position after it, less what the
// other side can take at once.
int quickOutcome(const Position& w, const Move& m, Side side, int pawnStep) {
    if (missKind(w, m) != 0) return REFUSED;
    Position after = w;
    const int taken = applyMove(after, m);
    if (taken == kingOf(otherSide(side))) return honest::WIN;
    const int threat = honest::threatAgainst(after, side);
    if (threat >= honest::WIN) return -honest::WIN;
    return honest::evaluate(after, side, pawnStep) - threat * 9 / 10;
}

// The second look: the other side, which sees the whole board, answers with its best move; the
// position after that, with what the mover can then take, is the outcome.
int deepOutcome(const Position& w, const Move& m, Side side, int pawnStep, long& replies) {
    if (missKind(w, m) != 0) return REFUSED;
    const Side other = otherSide(side);
    Position after = w;
    const int taken = applyMove(after, m);
    if (taken == kingOf(other)) return honest::WIN;
    const auto king = kingSquare(after.board, side);
    if (attacked(after.board, king[0], king[1], other)) return -honest::WIN;
    if (mated(after, other)) return honest::WIN;
    int worst = honest::WIN;
    forEachMove(after, other, [&](const Move& reply) {
        ++replies;
        Position next = after;
        const int took = applyMove(next, reply);
        int value;
        if (took == kingOf(side)) {
            value = -honest::WIN;
        } else {
            const auto theirs = kingSquare(next.board, other);
            const auto mine = kingSquare(next.board, side);
            if (!reply.isDrop() && attacked(next.board, theirs[0], theirs[1], side))
                return true;  // the referee would refuse it
            if (attacked(next.board, mine[0], mine[1], other) && mated(next, side))
                value = -honest::WIN;
            else
                value = honest::evaluate(next, side, pawnStep) +
                        std::min(honest::threatAgainst(next, other), 2000) / 2;
        }
        worst = std::min(worst, value);
        return worst > -honest::WIN;
    });
    return worst;
}

// The value of staying put after a refusal, before its cost, when no other move is known.
int standing(const Position& w, Side side, int pawnStep) {
    return honest::evaluate(w, side, pawnStep) - honest::threatAgainst(w, side) / 2;
}

inline constexpr std::size_t FIRST_LOOK_SAMPLES = 8;
inline constexpr std::size_t SECOND_LOOK_MOVES = 12;
inline constexpr std::size_t SECOND_LOOK_SAMPLES = 32;
inline constexpr std::size_t MIN_SECOND_LOOK_SAMPLES = 8;
inline constexpr long REPLY_BUDGET = 40000;

// The side's first moves are drawn among those rated within a small margin (per guess) of the
// best, so that different seeds open differently and play different games.
inline constexpr int OPENING_MOVES = 4;
inline constexpr long OPENING_MARGIN = 40;

int ownMovesPlayed(const SideView& view) {
    return static_cast<int>(
        std::count_if(view.events.begin(), view.events.end(),
                      [](const SeenEvent& e) { return e.kind == SeenEvent::Kind::OwnMove; }));
}

// A side's own pieces and hand folded into one number.
std::uint64_t ownStateOf(const Map& board, const Hand& hand) {
    std::uint64_t h = 0xCBF29CE484222325ULL;
    const auto fold = [&h](int v) {
        h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(v));
        h *= 0x100000001B3ULL;
    };
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) fold(board[x][y]);
    for (int k = 1; k <= 7; ++k) fold(hand[static_cast<std::size_t>(k)]);
    return h;
}

// The side's own pieces and hand as they stood after each of its moves (and at the start), read
// from the view's history alone; empty when the history does not lead to the view's present.
std::vector<std::uint64_t> ownStates(const SideView& view) {
    const Side side = view.side;
    Map board{};
    Hand hand = side == Side::Man ? view.startHandMAN : view.startHandCOM;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (ownedBy(view.startBoard[x][y], side)) board[x][y] = view.startBoard[x][y];
    std::vector<std::uint64_t> states{ownStateOf(board, hand)};
    for (const SeenEvent& e : view.events) {
        if (!onBoard(e.toX, e.toY)) return {};
        if (e.kind == SeenEvent::Kind::OtherMove && e.captured != 0) {
            board[e.toX][e.toY] = EMPTY;
        } else if (e.kind == SeenEvent::Kind::OwnMove) {
            if (e.fromX == MAN_HAND_X || e.fromX == COM_HAND_X) {
                const int kind = e.fromX == MAN_HAND_X ? e.fromY - 2 : e.fromY;
                if (kind < 1 || kind > 7) return {};
                hand[static_cast<std::size_t>(kind)] -= 1;
            } else if (onBoard(e.fromX, e.fromY)) {
                board[e.fromX][e.fromY] = EMPTY;
            } else {
                return {};
            }
            if (const int kind = handIndexOf(e.captured); kind != 0)
                hand[static_cast<std::size_t>(kind)] += 1;
            board[e.toX][e.toY] = static_cast<std::int16_t>(e.placed);
            states.push_back(ownStateOf(board, hand));
        }
    }
    if (board != view.board || hand != view.ownHand) return {};
    return states;
}

// How often the side's own pieces and hand have stood as the move would leave them.
int timesStood(const std::vector<std::uint64_t>& states, const Map& own, const Hand& hand,
               const Move& m) {
    if (states.empty()) return 0;
    Map board = own;
    Hand after = hand;
    if (m.isDrop())
        after[static_cast<std::size_t>(m.drop)] -= 1;
    else
        board[m.fromX][m.fromY] = EMPTY;
    board[m.toX][m.toY] = m.placed;
    return static_cast<int>(std::count(states.begin(), states.end(), ownStateOf(board, after)));
}

// A side fighting and not behind by LOSING, or waiting but ahead by AHEAD (per guess), has a game
// to win: a move that returns its own pieces to where they stood is then a step towards a draw
// by the move limit, and a move up to REPEAT_MARGIN worse, on the whole and in the worst guess,
// is preferred to it.
inline constexpr long LOSING = -300;
inline constexpr long AHEAD = 500;
inline constexpr long REPEAT_MARGIN = 100;

}  // namespace

bool showsItIsBlind(const SideView& view) {
    for (const SeenEvent& e : view.events)
        if (e.kind == SeenEvent::Kind::OtherMiss && (e.missKind == 1 || e.missKind == 2))
            return true;
    return false;
}

HonestPlayer::HonestPlayer(std::uint64_t seed, int samples, HonestVersion version)
    : seed_(seed), version_(version), belief_(samples) {}

HonestMove HonestPlayer::choose(const SideView& view) {
    if (view.side == Side::None) return {};
    const Side side = view.side;
    belief_.update(view, seed_);
    const std::vector<Position>& samples = belief_.samples();
    if (samples.empty()) return {};

    Position own;
    own.board = view.board;
    own.hand(side) = view.ownHand;
    moves_.clear();
    forEachMove(own, side, [&](const Move& m) {
        if (!refusedThisTurn(view, m)) moves_.push_back(m);
        return true;
    });
    if (moves_.empty()) {
        // Every move it has was refused this turn: it must still answer, and the referee's
        // refusals count on to the tenth.
        forEachMove(own, side, [&](const Move& m) {
            moves_.push_back(m);
            return true;
        });
    }
    if (moves_.empty()) return {};

    const int cost = missCost(view.ownMisses);
    // Against a side that has shown it is blind, come forward and fight; against one that
    // never has, which may see the whole board, keep the formation and wait, since a fight in
    // the open goes to the side that sees.
    const bool fight = showsItIsBlind(view);
    const int pawnStep = fight ? FIGHTING_PAWN_STEP : 0;
    const auto at = [](const std::vector<long>& v, int i) {
        return v[static_cast<std::size_t>(i)];
    };

    // A first look at every move with a few guesses.
    const std::size_t firstLook = std::min<std::size_t>(FIRST_LOOK_SAMPLES, samples.size());
    totals_.assign(moves_.size(), 0);
    risks_.resize(moves_.size());
    for (std::size_t i = 0; i < moves_.size(); ++i) {
        risks_[i] = fight ? 0 : honest::exposure(view.board, moves_[i], side);
        totals_[i] -= risks_[i] * static_cast<long>(firstLook);
    }
    // A move back to where its own pieces stood before is a step towards a draw by the move
    // limit: to be avoided when fighting and not losing, or when well ahead. The moves that would
    // not return are favoured into the second look, which then decides whether one of them is
    // safe enough.
    repeats_.assign(moves_.size(), 0);
    bool avoidRepeating = false;
    if (version_ == HonestVersion::Current) {
        long now = 0;
        for (std::size_t s = 0; s < firstLook; ++s) now += standing(samples[s], side, pawnStep);
        avoidRepeating = now >= (fight ? LOSING : AHEAD) * static_cast<long>(firstLook);
        const std::vector<std::uint64_t> states =
            avoidRepeating ? ownStates(view) : std::vector<std::uint64_t>{};
        for (std::size_t i = 0; i < moves_.size() && !states.empty(); ++i) {
            repeats_[i] = timesStood(states, view.board, view.ownHand, moves_[i]) > 0;
            if (repeats_[i]) totals_[i] -= REPEAT_MARGIN * static_cast<long>(firstLook);
        }
    }
    for (std::size_t s = 0; s < firstLook; ++s) {
        const Position& w = samples[s];
        const long stay = standing(w, side, pawnStep) - cost;
        for (std::size_t i = 0; i < moves_.size(); ++i) {
            const int v = quickOutcome(w, moves_[i], side, pawnStep);
            totals_[i] += v == REFUSED ? stay : v;
        }
    }
    order_.resize(moves_.size());
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(),
                     [&](int a, int b) { return at(totals_, a) > at(totals_, b); });
    order_.resize(std::min<std::size_t>(order_.size(), SECOND_LOOK_MOVES));
    std::sort(order_.begin(), order_.end());

    // The second look at the best few, with more guesses and the other side's answer. A refusal
    // leaves the side to choose again in that guess: its best other move, less the cost.
    // The guesses are taken in order until the replies looked at reach a fixed budget (never
    // fewer than 8), which bounds the time of a position with many drops; counting keeps it
    // the same on any machine.
    const std::size_t most = std::min<std::size_t>(SECOND_LOOK_SAMPLES, samples.size());
    values_.assign(order_.size() * most, 0);
    refused_.assign(order_.size(), 0);
    long replies = 0;
    std::size_t secondLook = 0;
    for (std::size_t s = 0; s < most; ++s) {
        if (s >= MIN_SECOND_LOOK_SAMPLES && replies > REPLY_BUDGET) break;
        ++secondLook;
        long bestHere = REFUSED;
        for (std::size_t k = 0; k < order_.size(); ++k) {
            const int v = deepOutcome(samples[s], moves_[static_cast<std::size_t>(order_[k])], side,
                                      pawnStep, replies);
            values_[k * most + s] = v;
            if (v != REFUSED) bestHere = std::max<long>(bestHere, v);
        }
        const long stay =
            (bestHere == REFUSED ? standing(samples[s], side, pawnStep) : bestHere) - cost;
        for (std::size_t k = 0; k < order_.size(); ++k)
            if (values_[k * most + s] == REFUSED) {
                values_[k * most + s] = stay;
                refused_[k] = 1;
            }
    }
    std::size_t bestK = 0;
    long bestTotal = 0;
    finals_.assign(order_.size(), 0);
    for (std::size_t k = 0; k < order_.size(); ++k) {
        long total = 0;
        for (std::size_t s = 0; s < secondLook; ++s) total += values_[k * most + s];
        total -= at(risks_, order_[k]) * static_cast<long>(secondLook);
        finals_[k] = total;
        if (k == 0 || total > bestTotal) {
            bestTotal = total;
            bestK = k;
        }
    }
    if (avoidRepeating && repeats_[static_cast<std::size_t>(order_[bestK])]) {
        // Rather a move that goes somewhere new, refused in no guess, not much worse on the whole
        // nor in the worst guess, and not of the king, which has nowhere to go.
        const long floor = bestTotal - REPEAT_MARGIN * static_cast<long>(secondLook);
        std::size_t fresh = order_.size();
        const auto worst = [&](std::size_t k) {
            long low = values_[k * most];
            for (std::size_t s = 1; s < secondLook; ++s) low = std::min(low, values_[k * most + s]);
            return low;
        };
        const long bestWorst = worst(bestK);
        for (std::size_t k = 0; k < order_.size(); ++k)
            if (!repeats_[static_cast<std::size_t>(order_[k])] && !refused_[k] &&
                moves_[static_cast<std::size_t>(order_[k])].piece != kingOf(side) &&
                finals_[k] >= floor && worst(k) >= bestWorst - REPEAT_MARGIN &&
                (fresh == order_.size() || finals_[k] > finals_[fresh]))
                fresh = k;
        if (fresh != order_.size()) bestK = fresh;
    }
    if (version_ == HonestVersion::Current && ownMovesPlayed(view) < OPENING_MOVES) {
        // Any move close enough to the best may open the game; the seed and the moment choose.
        // Only quiet moves are drawn: none opens a line to one of its pieces or moves the king.
        const long floor = bestTotal - OPENING_MARGIN * static_cast<long>(secondLook);
        const auto quiet = [&](std::size_t k) {
            const std::size_t i = static_cast<std::size_t>(order_[k]);
            return k == bestK || (finals_[k] >= floor && risks_[i] == 0 &&
                                  moves_[i].piece != kingOf(side) && !refused_[k]);
        };
        int close = 0;
        for (std::size_t k = 0; k < order_.size(); ++k) close += quiet(k);
        honest::Rng dice(seed_ ^ (0xD1B54A32D192ED03ULL * (view.events.size() + 1)));
        int pick = dice.below(close);
        for (std::size_t k = 0; k < order_.size(); ++k)
            if (quiet(k) && pick-- == 0) {
                bestK = k;
                break;
            }
    }
    const int best = order_[bestK];

    const Move& m = moves_[static_cast<std::size_t>(best)];
    return HonestMove{true, m.sourceX(), m.sourceY(), m.toX, m.toY, m.placed};
}

}  // namespace velk
