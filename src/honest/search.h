// A small alpha-beta search on one whole position, as the honest player runs it on each of its
// guesses: both sides see that position, a move that leaves its mover's king reached is not made,
// taking the king ends the line, and at the leaves captures are played out until the side to move
// would rather stand. The move lists live in buffers sized once, so a search allocates nothing.
#pragma once

#include <vector>

#include "board/rules.h"

namespace velk::honest {

class Search {
  public:
    Search();

    // The value for the side to move, searched depth full plies (a side in check at the end of
    // them gets one ply more), then captures only; within [alpha, beta] when the true value is,
    // else a bound beyond it. A king taken or mated is near +-WIN, the nearer the sooner.
    int value(const Position& w, Side toMove, int depth, int alpha, int beta);

    // The value for the mover of the position after its move m, the other side answering at the
    // given depth.
    int afterMove(const Position& w, const Move& m, int depth, int alpha, int beta);

    // Positions looked at since the last reset: the unit of the player's thinking budget.
    long nodes() const { return nodes_; }
    void resetNodes() { nodes_ = 0; }

    // How much a pawn gains for every row it has come forward, and whether bare squares beside
    // the kings count (see evaluate).
    int pawnStep = 0;
    bool watchKings = false;

    // The side that sees only its own pieces: when it plays out captures it takes only on the
    // square where it saw the other side's last move land, the one hidden piece it knows of.
    Side blind = Side::None;

  private:
    // lastX, lastY: where the move before landed (0, 0 at the root).
    int negamax(const Position& w, Side toMove, int depth, int ply, int alpha, int beta, int lastX,
                int lastY);
    int quiesce(const Position& w, Side toMove, int ply, int alpha, int beta, int lastX, int lastY);
    // Fills the ply's buffer with the side's moves (only its captures on the board when
    // capturesOnly), captures first, the dearest victim first; returns how many.
    int generate(const Position& w, Side toMove, int ply, bool capturesOnly);

    std::vector<Move> moves_;
    std::vector<int> order_;
    long nodes_ = 0;
};

// Near +-WIN: a king taken or mated within the search.
bool decisive(int value);

}  // namespace velk::honest
