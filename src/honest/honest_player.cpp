#include "honest/honest_player.h"

#include <algorithm>
#include <numeric>

#include "honest/evaluate.h"

namespace velk {

namespace {

using honest::Move;
using honest::World;

// What a refusal costs: a little at first, more as the count nears the tenth, which loses.
int missCost(int ownMisses) {
    if (ownMisses >= 9) return honest::WIN;
    return 80 + 30 * ownMisses * ownMisses;
}

// The moves refused since the side last moved: the referee would refuse them again.
bool refusedThisTurn(const SideView& view, const Move& m) {
    for (auto it = view.events.rbegin(); it != view.events.rend(); ++it) {
        if (it->kind != SeenEvent::Kind::OwnMiss) break;
        if (it->fromX == m.fromX && it->fromY == m.fromY && it->toX == m.toX && it->toY == m.toY &&
            it->placed == m.placed)
            return true;
    }
    return false;
}

// The outcome of one move on one guess, for the mover.
int outcome(const World& w, const Move& m, bool man, int stay) {
    if (honest::refereeAnswer(w, m) != 0) return stay;
    World after = w;
    const int taken = honest::applyMove(after, m);
    if (taken == (man ? COM_OU : MAN_OU)) return honest::WIN;
    const int threat = honest::threatAgainst(after, man);
    if (threat >= honest::WIN) return -honest::WIN;
    if (honest::mated(after, !man)) return honest::WIN;
    return honest::evaluate(after, man) - threat * 9 / 10;
}

// The value of staying put after a refusal, before its cost.
int standing(const World& w, bool man) {
    return honest::evaluate(w, man) - honest::threatAgainst(w, man) / 2;
}

}  // namespace

HonestPlayer::HonestPlayer(std::uint64_t seed, int samples) : seed_(seed), belief_(samples) {}

HonestMove HonestPlayer::choose(const SideView& view) {
    if (view.side == Side::None) return {};
    const bool man = view.side == Side::Man;
    belief_.update(view, seed_);
    const std::vector<World>& samples = belief_.samples();
    if (samples.empty()) return {};

    World own;
    own.board = view.board;
    own.hand(man) = view.ownHand;
    moves_.clear();
    honest::forEachMove(own, man, [&](const Move& m) {
        if (!refusedThisTurn(view, m)) moves_.push_back(m);
        return true;
    });
    if (moves_.empty()) return {};

    const int cost = missCost(view.ownMisses);
    const auto score = [&](std::size_t first, std::size_t count, const std::vector<int>& which) {
        totals_.assign(moves_.size(), 0);
        for (std::size_t s = first; s < first + count; ++s) {
            const World& w = samples[s];
            const int stay = standing(w, man) - cost;
            for (const int i : which)
                totals_[static_cast<std::size_t>(i)] +=
                    outcome(w, moves_[static_cast<std::size_t>(i)], man, stay);
        }
    };

    // A first look with a few guesses, then every guess for the best few moves.
    order_.resize(moves_.size());
    std::iota(order_.begin(), order_.end(), 0);
    const std::size_t firstLook = std::min<std::size_t>(8, samples.size());
    score(0, firstLook, order_);
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        return totals_[static_cast<std::size_t>(a)] > totals_[static_cast<std::size_t>(b)];
    });
    order_.resize(std::min<std::size_t>(order_.size(), 12));
    std::sort(order_.begin(), order_.end());
    score(0, samples.size(), order_);
    int best = order_.front();
    for (const int i : order_)
        if (totals_[static_cast<std::size_t>(i)] > totals_[static_cast<std::size_t>(best)])
            best = i;

    const Move& m = moves_[static_cast<std::size_t>(best)];
    return HonestMove{true, m.fromX, m.fromY, m.toX, m.toY, m.placed};
}

}  // namespace velk
