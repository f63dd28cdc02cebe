// Positions reached by seeded random play from the starting position, for property tests.
// Moves are those the move check allows (own king safety is not asked), so the games pass
// through checks, captures, promotions and drops; no move captures a king.
#pragma once

#include <random>
#include <vector>

#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/move_list.h"
#include "game/setup.h"

namespace velk::testkit {

// Every board move and drop the move check allows to one side. A drop carries the hand row
// (human) or the kind (computer) as fromY, as the move execution expects.
inline std::vector<MoveArgs> allowedMoves(GameState& s, bool man) {
    調査_2歩フラグ設定(s);
    std::vector<MoveArgs> moves;
    forEachAllowedMove(s, man, [&](int fromX, int fromY, int toX, int toY, int piece) {
        moves.push_back({fromX, fromY, toX, toY, piece});
        return true;
    });
    return moves;
}

// Plays up to `plies` random moves (human first) and calls visit(state) on the starting
// position and after every move. Stops when the side to move has no move.
template <class Visit>
void playRandomGame(unsigned seed, int plies, Visit&& visit) {
    std::mt19937 rng(seed);
    GameState s{};
    loadDefaults(s);
    visit(s);
    bool man = true;
    for (int ply = 0; ply < plies; ++ply) {
        std::vector<MoveArgs> moves = allowedMoves(s, man);
        std::erase_if(moves, [&](const MoveArgs& m) {
            return s.board[m.toX][m.toY] == MAN_OU || s.board[m.toX][m.toY] == COM_OU;
        });
        if (moves.empty()) return;
        const MoveArgs m =
            moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
        int placed = m.piece;
        if (調査_駒成(s, m.fromX, m.fromY, m.toX, m.toY, m.piece) == YES &&
            (移動後チェック(m.toY, m.piece) == NO || rng() % 2 == 0))
            placed = s.promotedPiece;
        駒移動(s, m.fromX, m.fromY, m.toX, m.toY, placed);
        visit(s);
        man = !man;
    }
}

}  // namespace velk::testkit
