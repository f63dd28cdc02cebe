#include "honest/honest_player.h"

#include <vector>

#include "board/move_rules.h"
#include "board/promotion.h"

namespace velk {

namespace {

std::uint64_t splitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

HonestPlayer::HonestPlayer(std::uint64_t seed) : seed_(seed), state_(seed) {}

// Placeholder until the sampling player lands: a move that looks legal on the side's own view.
HonestMove HonestPlayer::choose(const SideView& view) {
    const bool man = view.side == Side::Man;
    TwoPawnFlags pawnsMAN{}, pawnsCOM{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            if (view.board[x][y] == MAN_HU) pawnsMAN[x] = 1;
            if (view.board[x][y] == COM_HU) pawnsCOM[x] = 1;
        }
    std::vector<HonestMove> moves;
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int p = view.board[fx][fy];
            if (man ? !isManPiece(p) : !isComPiece(p)) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (盤上移動チェック(view.board, pawnsMAN, pawnsCOM, fx, fy, tx, ty, p) == YES)
                        // A piece that could not move again unpromoted goes promoted.
                        moves.push_back({true, fx, fy, tx, ty,
                                         移動後チェック(ty, p) == NO ? promotedCode(p) : p});
        }
    if (moves.empty()) return {};
    state_ ^= seed_ + view.events.size();
    return moves[splitMix(state_) % moves.size()];
}

}  // namespace velk
