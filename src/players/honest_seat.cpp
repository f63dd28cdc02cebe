#include "players/honest_seat.h"

#include <cstdio>
#include <cstdlib>

#include "players/honest_move.h"

namespace velk {

Move moveOf(const HonestMove& h, const SideView& view) {
    const bool man = view.side == Side::Man;
    const int handX = man ? MAN_HAND_X : COM_HAND_X;
    if (h.fromX == handX) {
        const int kind = man ? h.fromY - 2 : h.fromY;
        Move m = dropMove(view.side, kind, h.toX, h.toY);
        m.placed = static_cast<std::int16_t>(h.placed);
        return m;
    }
    const int piece = onBoard(h.fromX, h.fromY) ? view.board[h.fromX][h.fromY] : EMPTY;
    return boardMove(h.fromX, h.fromY, h.toX, h.toY, piece, h.placed);
}

std::optional<Move> HonestSeat::choose(const SideView& view) {
    const HonestMove h = player_.choose(view);
    if (!h.found) return std::nullopt;
    return moveOf(h, view);
}

HonestComputer::HonestComputer(GameState& s, std::uint64_t seed, bool stop, ComTick tick,
                               void* tickContext)
    : stopOnFault(stop), s_(s), player_(seed), tick_(tick), tickContext_(tickContext) {
    player_.setOpeningVariety(true);
}

void HonestComputer::turnBegins(const SideView& /*view*/) {
    prepareComTurn(s_);
}

std::optional<Move> HonestComputer::choose(const SideView& view) {
    HonestMove h{};
    const auto search = [&] { h = player_.choose(view); };
    if (runThinking)
        runThinking(search);
    else
        search();
    if (!h.found) return std::nullopt;
    ComMove m;
    if (!checkHonestComMove(s_, h, m)) {
#ifndef NDEBUG
        if (stopOnFault) {
            std::fprintf(stderr,
                         "the computer's player chose an impossible move: %d %d -> %d %d as %d\n",
                         h.fromX, h.fromY, h.toX, h.toY, h.placed);
            std::abort();
        }
#endif
        m = scanComCandidates(s_, tick_, tickContext_);
        if (!m.found) return std::nullopt;
    }
    return moveFromSource(m.fromX, m.fromY, m.toX, m.toY, m.moving, m.placed);
}

}  // namespace velk
