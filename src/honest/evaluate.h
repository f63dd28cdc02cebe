// How good a whole position is for one side, and what the other side can take at once.
#pragma once

#include "board/rules.h"

namespace velk::honest {

// Larger than any material count; a king taken or mated.
inline constexpr int WIN = 100000;

// Material on the board by code, and in hand by kind (a piece in hand is worth a little more).
int pieceValue(int code);
int handValue(int kind);

// The position for the given side: material, hands, and the guard around both kings. A pawn
// gains pawnStep for every row it has come forward. With watchKings, each king's bare squares
// (see kingDanger) count against it.
int evaluate(const Position& w, Side side, int pawnStep = 0, bool watchKings = false);

// How open the side's king is to a piece brought or dropped beside it: for each square next to
// the king that holds none of the side's pieces and that no piece but the king guards,
// BARE_SQUARE, and as much again when it is empty and the other side holds a piece other than a
// pawn to drop there. A check on such a square is answered by the king alone.
int kingDanger(const Position& w, Side side);
inline constexpr int BARE_SQUARE = 30;

// The most the other side wins by its best capture now (0 when it has none worth making): a
// piece's value, less its capturer's when the square is guarded. WIN when it can take the king.
int threatAgainst(const Position& w, Side side);

// What a board move of the side risks that no guess may show: for each piece of its own (not a
// pawn or the king) that the moving piece screened along a line still open ahead of the square
// left, a sixteenth of that piece's value. own holds the side's own pieces.
int exposure(const Map& own, const Move& m, Side side);

}  // namespace velk::honest
