#include "players/design_computer.h"

#include <utility>

#include "referee/foul.h"

namespace velk {

DesignComputer::DesignComputer(GameState& s, std::function<float()> timeOfDay, ComTick tick,
                               void* tickContext)
    : s_(s), timeOfDay_(std::move(timeOfDay)), tick_(tick), tickContext_(tickContext) {}

void DesignComputer::turnBegins(const SideView& /*view*/) {
    prepareComTurn(s_);
    askedThisTurn_ = false;
}

std::optional<Move> DesignComputer::choose(const SideView& view) {
    if (askedThisTurn_ && !view.events.empty() &&
        view.events.back().kind == SeenEvent::Kind::OwnMiss) {
        const SeenEvent& miss = view.events.back();
        s_.comTurn.foulTried[miss.toX][miss.toY] = YES;
    }
    askedThisTurn_ = true;
    ComMove m = scanComCandidates(s_, tick_, tickContext_);
    if (!m.found) return std::nullopt;
    if (反則発生(s_, timeOfDay_()) == YES) 反則手作成(s_, m.fromX, m.fromY, m.toX, m.toY, m.placed);
    return moveFromSource(m.fromX, m.fromY, m.toX, m.toY, m.moving, m.placed);
}

}  // namespace velk
