#include "honest/honest_player.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "honest/evaluate.h"
#include "honest/rng.h"
#include "honest/search.h"

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

// The second look: the best SECOND_LOOK_MOVES of the first look (more with time to spare), over
// as many guesses as the budget allows and never fewer than MIN_LOOK_SAMPLES. A move more than
// LOOK_WINDOW below the best so far on a guess is only bounded there.
inline constexpr std::size_t MIN_LOOK_SAMPLES = 6;
inline constexpr int LOOK_WINDOW = 300;

// The thinking budget is counted in positions looked at, not read from a clock, so that a seed
// and a history give the same move on any machine; this many make about a millisecond here.
inline constexpr long NODES_PER_MS = 2000;

// A side fighting and not behind by LOSING, or waiting but ahead by AHEAD (per guess), has a game
// to win: a move that returns its own pieces to where they stood is then a step towards a draw
// by the move limit, and a move up to REPEAT_MARGIN worse, on the whole and in the worst guess,
// is preferred to it.
inline constexpr long LOSING = -300;
inline constexpr long AHEAD = 500;
inline constexpr long REPEAT_MARGIN = 100;

// How much of a move's value, in sixteenths, its worst quarter of the guesses makes against a side
// that may see the board (see searched).
inline constexpr long WORST_QUARTER_WEIGHT = 8;

// While the player waits against a side that may see the board, pushing a pawn on an edge file
// costs this much: it opens the file to an exchange that the side that sees comes out of with
// pieces in hand and a way into the player's camp.
inline constexpr int EDGE_PAWN_CHARGE = 80;

bool pushesEdgePawn(const Move& m) {
    return !m.isDrop() && (m.piece == MAN_HU || m.piece == COM_HU) &&
           (m.fromX == 1 || m.fromX == 9);
}

}  // namespace

bool showsItIsBlind(const SideView& view) {
    for (const SeenEvent& e : view.events)
        if (e.kind == SeenEvent::Kind::OtherMiss && (e.missKind == 1 || e.missKind == 2))
            return true;
    return false;
}

int materialSeen(const SideView& view) {
    const auto worth = [](int code) {
        const int kind = handIndexOf(code);
        return kind == 0 ? 0 : honest::handValue(kind);
    };
    long all = 0;
    long own = 0;
    for (int x = 1; x <= BOARD_SIZE; ++x)
        for (int y = 1; y <= BOARD_SIZE; ++y) {
            all += worth(view.startBoard[x][y]);
            own += worth(view.board[x][y]);
        }
    for (int kind = 1; kind < static_cast<int>(view.ownHand.size()); ++kind) {
        const long value = honest::handValue(kind);
        all += (view.startHandMAN[kind] + view.startHandCOM[kind]) * value;
        own += view.ownHand[kind] * value;
    }
    return static_cast<int>(own - (all - own));
}

bool comesForward(const SideView& view) {
    if (showsItIsBlind(view)) return true;
    return view.events.size() >= LATE_EVENTS && materialSeen(view) >= -FIGHT_LOSS;
}

bool guardsItsLines(const SideView& view) {
    return !showsItIsBlind(view);
}

HonestPlayer::HonestPlayer(std::uint64_t seed, int samples, HonestVersion version)
    : seed_(seed), version_(version), belief_(samples, version == HonestVersion::Current) {}

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
    if (version_ == HonestVersion::Current) return searched(view);

    // The first version: two short looks.
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
    for (std::size_t k = 0; k < order_.size(); ++k) {
        long total = 0;
        for (std::size_t s = 0; s < secondLook; ++s) total += values_[k * most + s];
        total -= at(risks_, order_[k]) * static_cast<long>(secondLook);
        if (k == 0 || total > bestTotal) {
            bestTotal = total;
            bestK = k;
        }
    }
    return moveOfIndex(order_[bestK]);
}

HonestMove HonestPlayer::searched(const SideView& view) {
    const Side side = view.side;
    const std::vector<Position>& samples = belief_.samples();
    const int cost = missCost(view.ownMisses);
    const bool fight = comesForward(view);
    honest::Search& search = search_;
    // Fighting, the kings come under attack: a bare square beside one counts against it.
    search.pawnStep = fight ? FIGHTING_PAWN_STEP : 0;
    search.watchKings = fight;
    search.blind = side;
    search.resetNodes();
    const long budget = std::max<long>(1, thinkMs_) * NODES_PER_MS;
    const std::size_t n = moves_.size();

    // What each move risks that no guess may show, and whether it returns the side's pieces to
    // where they stood, which a side with a game to win avoids.
    const bool guarded = guardsItsLines(view);
    risks_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        risks_[i] = guarded ? honest::exposure(view.board, moves_[i], side) : 0;
        if (guarded && !fight && pushesEdgePawn(moves_[i])) risks_[i] += EDGE_PAWN_CHARGE;
    }
    const std::size_t firstLook = std::min<std::size_t>(FIRST_LOOK_SAMPLES, samples.size());
    long now = 0;
    for (std::size_t s = 0; s < firstLook; ++s)
        now += search.value(samples[s], side, 0, -honest::WIN, honest::WIN);
    const bool avoidRepeating = now >= (fight ? LOSING : AHEAD) * static_cast<long>(firstLook);
    repeats_.assign(n, 0);
    if (avoidRepeating) {
        const std::vector<std::uint64_t> states = ownStates(view);
        for (std::size_t i = 0; i < n && !states.empty(); ++i)
            repeats_[i] = timesStood(states, view.board, view.ownHand, moves_[i]) > 0;
    }

    // The first look: every move on a few guesses, the other side's captures played out. In a
    // guess where the referee would refuse the move, the side moves again, less the cost of the
    // miss (see fallBack).
    firstLook_.assign(n * firstLook, REFUSED);
    for (std::size_t s = 0; s < firstLook; ++s)
        for (std::size_t i = 0; i < n; ++i) {
            const Move& m = moves_[i];
            if (missKind(samples[s], m) != 0) continue;
            firstLook_[i * firstLook + s] =
                search.afterMove(samples[s], m, 0, -honest::WIN, honest::WIN);
        }
    penalties_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        penalties_[i] = risks_[i] + (repeats_[i] ? REPEAT_MARGIN : 0);
    fallBack(firstLook_, n, firstLook, firstLook, cost);
    totals_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t s = 0; s < firstLook; ++s) {
            const long v = firstLook_[i * firstLook + s];
            totals_[i] += v == REFUSED ? fallback_[s] : v;
        }
    for (std::size_t i = 0; i < n; ++i) totals_[i] -= penalties_[i] * static_cast<long>(firstLook);
    order_.resize(n);
    std::iota(order_.begin(), order_.end(), 0);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        return totals_[static_cast<std::size_t>(a)] > totals_[static_cast<std::size_t>(b)];
    });
    const long firstNodes = search.nodes();

    // The second look at the best of them, over as many guesses as the budget allows: the other
    // side, which sees the whole guess, answers with its best reply, and captures are played out.
    // With time to spare, the look widens to more moves. A look that reaches too few guesses is
    // not used.
    const std::size_t most = samples.size();
    std::size_t k = std::min<std::size_t>(n, SECOND_LOOK_MOVES);
    look_.assign(n * most, REFUSED);
    bestHere_.assign(most, REFUSED);
    const auto lookAt = [&](std::size_t c, std::size_t s) {
        const Move& m = moves_[static_cast<std::size_t>(order_[c])];
        if (missKind(samples[s], m) != 0) return;
        // A move well below the best so far needs only a bound.
        long& best = bestHere_[s];
        const int alpha = best == REFUSED ? -honest::WIN - 1 : static_cast<int>(best) - LOOK_WINDOW;
        const long v = search.afterMove(samples[s], m, 1, alpha, honest::WIN + 1);
        look_[c * most + s] = v;
        best = std::max(best, v);
    };
    std::size_t used = 0;
    for (std::size_t s = 0; s < most; ++s) {
        // Stop before a guess that would likely overrun the budget.
        const long perGuess =
            used == 0 ? 0 : (search.nodes() - firstNodes) / static_cast<long>(used);
        if (used >= MIN_LOOK_SAMPLES && search.nodes() + perGuess > budget) break;
        for (std::size_t c = 0; c < k; ++c) lookAt(c, s);
        ++used;
    }
    if (used < MIN_LOOK_SAMPLES) return moveOfIndex(order_[0]);
    while (used == most && k < n) {
        // Time to spare: one more move of the first look's order, on every guess.
        const long perMove = (search.nodes() - firstNodes) / static_cast<long>(k);
        if (search.nodes() + perMove > budget) break;
        for (std::size_t s = 0; s < most; ++s) lookAt(k, s);
        ++k;
    }
    // A move the referee would refuse on a guess leaves the side to move again there, less the
    // cost of the miss.
    penalties_.resize(k);
    for (std::size_t c = 0; c < k; ++c) penalties_[c] = risks_[static_cast<std::size_t>(order_[c])];
    fallBack(look_, k, most, used, cost);
    finals_.assign(k, 0);
    worst_.assign(k, honest::WIN);
    refused_.assign(k, 0);
    const std::size_t quarter = used / 4;
    for (std::size_t c = 0; c < k; ++c) {
        quarter_.clear();
        for (std::size_t s = 0; s < used; ++s) {
            long v = look_[c * most + s];
            if (v == REFUSED) {
                v = fallback_[s];
                refused_[c] = 1;
            }
            finals_[c] += v;
            worst_[c] = std::min(worst_[c], v);
            quarter_.push_back(v);
        }
        if (guarded && quarter > 0) {
            // Against a side that may see the board, the worst quarter of the guesses counts
            // as much as all of them: the guesses lose track of pieces long unseen, and a side
            // that sees finds the line on which the move fails.
            std::nth_element(quarter_.begin(), quarter_.begin() + static_cast<long>(quarter),
                             quarter_.end());
            long low = 0;
            for (std::size_t i = 0; i < quarter; ++i) low += quarter_[i];
            const long asIfEveryGuess = low * static_cast<long>(used) / static_cast<long>(quarter);
            finals_[c] += (asIfEveryGuess - finals_[c]) * WORST_QUARTER_WEIGHT / 16;
        }
        finals_[c] -= penalties_[c] * static_cast<long>(used);
    }
    permute_.resize(k);
    std::iota(permute_.begin(), permute_.end(), 0);
    std::stable_sort(permute_.begin(), permute_.end(), [&](int a, int b) {
        return finals_[static_cast<std::size_t>(a)] > finals_[static_cast<std::size_t>(b)];
    });
    reorder(k);
    const std::size_t candidates = k;
    std::size_t bestK = 0;
    const long bestTotal = finals_[0];
    if (avoidRepeating && repeats_[static_cast<std::size_t>(order_[0])]) {
        // Rather a move that goes somewhere new, refused in no guess, not much worse on the whole
        // nor in the worst guess, and not of the king, which has nowhere to go.
        const long floor = bestTotal - REPEAT_MARGIN * static_cast<long>(used);
        for (std::size_t c = 1; c < candidates; ++c) {
            const std::size_t i = static_cast<std::size_t>(order_[c]);
            if (!repeats_[i] && !refused_[c] && moves_[i].piece != kingOf(side) &&
                finals_[c] >= floor && worst_[c] >= worst_[0] - REPEAT_MARGIN) {
                bestK = c;
                break;
            }
        }
    }
    if (openingVariety_ && ownMovesPlayed(view) < OPENING_MOVES) {
        // Any quiet move close enough to the best may open the game; the seed and the moment
        // choose. None opens a line to one of its pieces or moves the king.
        const long floor = bestTotal - OPENING_MARGIN * static_cast<long>(used);
        const auto quiet = [&](std::size_t c) {
            const std::size_t i = static_cast<std::size_t>(order_[c]);
            return c == bestK || (finals_[c] >= floor && risks_[i] == 0 &&
                                  moves_[i].piece != kingOf(side) && !refused_[c]);
        };
        int close = 0;
        for (std::size_t c = 0; c < candidates; ++c) close += quiet(c);
        honest::Rng dice(seed_ ^ (0xD1B54A32D192ED03ULL * (view.events.size() + 1)));
        int pick = dice.below(close);
        for (std::size_t c = 0; c < candidates; ++c)
            if (quiet(c) && pick-- == 0) {
                bestK = c;
                break;
            }
    }
    return moveOfIndex(order_[bestK]);
}

void HonestPlayer::fallBack(const std::vector<long>& values, std::size_t moves, std::size_t stride,
                            std::size_t guesses, int cost) {
    // A side whose move is refused chooses again without knowing which guess is true, so it
    // cannot count on the best move of each guess: counted so, a move refused everywhere would
    // look better than any move it can make. It falls back on the move best on the whole, a
    // refusal of that move counted as the worst it could then do. fallback_ gets, on each guess,
    // what a refusal there is worth: that move's value less its penalty (penalties_, by move: what
    // it risks that no guess shows) and the cost of the miss.
    fallback_.assign(guesses, REFUSED);  // first the worst allowed move on each guess
    for (std::size_t c = 0; c < moves; ++c)
        for (std::size_t s = 0; s < guesses; ++s) {
            const long v = values[c * stride + s];
            if (v != REFUSED && (fallback_[s] == REFUSED || v < fallback_[s])) fallback_[s] = v;
        }
    const auto worstAfterRefusal = [&](std::size_t s) {
        return (fallback_[s] == REFUSED ? -honest::WIN : fallback_[s]) - cost;
    };
    std::size_t best = 0;
    long bestTotal = 0;
    for (std::size_t c = 0; c < moves; ++c) {
        long total = 0;
        for (std::size_t s = 0; s < guesses; ++s) {
            const long v = values[c * stride + s];
            total += v != REFUSED ? v : worstAfterRefusal(s);
        }
        total -= penalties_[c] * static_cast<long>(guesses);
        if (c == 0 || total > bestTotal) {
            bestTotal = total;
            best = c;
        }
    }
    for (std::size_t s = 0; s < guesses && moves > 0; ++s) {
        const long v = values[best * stride + s];
        if (v != REFUSED)
            fallback_[s] = v - penalties_[best] - cost;
        else if (fallback_[s] != REFUSED)
            fallback_[s] = worstAfterRefusal(s) - cost;  // refused there too: one miss more
        else
            fallback_[s] = -honest::WIN - cost;  // nothing is allowed there
    }
}

void HonestPlayer::reorder(std::size_t k) {
    // Applies permute_ to the first k entries of order_ and to the look's per-move results.
    scratch_.assign(order_.begin(), order_.begin() + static_cast<long>(k));
    longScratch_.assign(finals_.begin(), finals_.end());
    worstScratch_.assign(worst_.begin(), worst_.end());
    charScratch_.assign(refused_.begin(), refused_.end());
    for (std::size_t c = 0; c < k; ++c) {
        const std::size_t from = static_cast<std::size_t>(permute_[c]);
        order_[c] = scratch_[from];
        finals_[c] = longScratch_[from];
        worst_[c] = worstScratch_[from];
        refused_[c] = charScratch_[from];
    }
}

HonestMove HonestPlayer::moveOfIndex(int index) const {
    const Move& m = moves_[static_cast<std::size_t>(index)];
    return HonestMove{true, m.sourceX(), m.sourceY(), m.toX, m.toY, m.placed};
}

}  // namespace velk
