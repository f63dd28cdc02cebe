// Other ways of looking at the board for a moment: one side's view, and a trial piece.
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace velk {

// One side's view of the board: the other side's pieces taken off. Side::None sees everything.
inline Map sideView(const Map& board, Side side) {
    Map view = board;
    if (side == Side::None) return view;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const Side owner = sideOf(view[x][y]);
            if (owner != Side::None && owner != side) view[x][y] = EMPTY;
        }
    return view;
}

// Puts a code on one square for the length of a scope and puts back what stood there before,
// on every way out. Code in the scope may write the square again; the restore still holds.
class TrialPiece {
  public:
    TrialPiece(Map& board, int x, int y, int code)
        : board_(board), x_(x), y_(y), kept_(board[x][y]) {
        board_[x_][y_] = static_cast<std::int16_t>(code);
    }
    ~TrialPiece() { board_[x_][y_] = kept_; }
    TrialPiece(const TrialPiece&) = delete;
    TrialPiece& operator=(const TrialPiece&) = delete;

    // What stood on the square before the trial.
    std::int16_t kept() const { return kept_; }

  private:
    Map& board_;
    int x_;
    int y_;
    std::int16_t kept_;
};

}  // namespace velk
