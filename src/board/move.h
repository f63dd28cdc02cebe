// One move of either side, as every player, the referee and the record take it: a piece from a
// square, or a piece of a hand kind dropped, onto a square.
#pragma once

#include <cstdint>

#include "board/piece.h"

namespace velk {

struct Move {
    // The source square of a board move; 0, 0 for a drop.
    std::int8_t fromX = 0;
    std::int8_t fromY = 0;
    std::int8_t toX = 0;
    std::int8_t toY = 0;
    // The hand kind 1..7 a drop takes (MAN_HAND_CODES / COM_HAND_CODES); 0 for a board move.
    std::int8_t drop = 0;
    // The code that moves, and the code that stands on the destination afterwards (promoted or
    // not).
    std::int16_t piece = 0;
    std::int16_t placed = 0;

    bool isDrop() const { return drop != 0; }
    bool promotes() const { return placed != piece; }
    Side mover() const { return sideOf(piece); }
    bool operator==(const Move&) const = default;

    // The source as the move record and the board routines write it: a square, or a hand
    // column with its slot (the human's hand: MAN_HAND_X and the row kind + 2; the computer's:
    // COM_HAND_X and the kind).
    int sourceX() const {
        if (!isDrop()) return fromX;
        return isManPiece(piece) ? MAN_HAND_X : COM_HAND_X;
    }
    int sourceY() const {
        if (!isDrop()) return fromY;
        return isManPiece(piece) ? drop + 2 : drop;
    }
};

// A board move of piece from one square to another, landing as placed.
constexpr Move boardMove(int fromX, int fromY, int toX, int toY, int piece, int placed) {
    return Move{static_cast<std::int8_t>(fromX),
                static_cast<std::int8_t>(fromY),
                static_cast<std::int8_t>(toX),
                static_cast<std::int8_t>(toY),
                0,
                static_cast<std::int16_t>(piece),
                static_cast<std::int16_t>(placed)};
}

// A drop of the given hand kind of one side.
constexpr Move dropMove(Side side, int kind, int toX, int toY) {
    const int code = kind < 1 || kind > 7 ? EMPTY
                     : side == Side::Man  ? MAN_HAND_CODES[kind]
                                          : COM_HAND_CODES[kind];
    return Move{0,
                0,
                static_cast<std::int8_t>(toX),
                static_cast<std::int8_t>(toY),
                static_cast<std::int8_t>(kind),
                static_cast<std::int16_t>(code),
                static_cast<std::int16_t>(code)};
}

// The move a record entry (or a board routine's arguments) describes: a source square, or a hand
// column with its slot as sourceX / sourceY write them.
constexpr Move moveFromSource(int sourceX, int sourceY, int toX, int toY, int piece, int placed) {
    if (sourceX == MAN_HAND_X) {
        Move m = dropMove(Side::Man, sourceY - 2, toX, toY);
        m.piece = static_cast<std::int16_t>(piece);
        m.placed = static_cast<std::int16_t>(placed);
        return m;
    }
    if (sourceX == COM_HAND_X) {
        Move m = dropMove(Side::Com, sourceY, toX, toY);
        m.piece = static_cast<std::int16_t>(piece);
        m.placed = static_cast<std::int16_t>(placed);
        return m;
    }
    return boardMove(sourceX, sourceY, toX, toY, piece, placed);
}

constexpr Side otherSide(Side side) {
    return side == Side::Man ? Side::Com : side == Side::Com ? Side::Man : Side::None;
}

}  // namespace velk
