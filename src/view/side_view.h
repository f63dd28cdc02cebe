// What one side of the screen knows, and nothing more: the game as the window shows it to the
// human, or the mirror of that for the computer. The match controller fills one view per side
// after every move, miss and announcement; a player that reads only its view cannot know where
// the other side's pieces stand.
#pragma once

#include <cstdint>
#include <vector>

#include "board/map.h"
#include "board/piece.h"

namespace velk {

// One event of the game as one side saw it.
struct SeenEvent {
    enum class Kind : std::uint8_t {
        OwnMove,    // our move, accepted
        OwnMiss,    // our move, refused by the referee as a miss
        OtherMove,  // the other side's move, accepted
        OtherMiss,  // the other side's move, refused as a miss
    };
    Kind kind = Kind::OwnMove;
    // Our own move or miss in full: the source (a drop: MAN_HAND_X or COM_HAND_X and the hand
    // slot, as the move record keeps it) and the code that stands, or would stand, on the
    // destination. Of the other side's move or miss only the destination and whether it was a
    // drop are seen; fromX, fromY and placed stay 0.
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int placed = 0;
    bool drop = false;
    // Our move: the piece it took, as our own unpromoted code of that kind, the piece that went
    // into our hand (a king taken: our own king's code); 0 if none. The other side's move: our
    // piece it took, as it stood (0 if none).
    int captured = 0;
    // A miss: MISS_JUMPED, MISS_DROPPED_ON or MISS_KING_EXPOSED (1..3); 0 for a move.
    int missKind = 0;
    // After the other side's move the referee said our king is in check, or mated.
    bool check = false;
    bool mate = false;
};

struct SideView {
    // Whose view this is: Side::Man or Side::Com. Side::None until a game begins.
    Side side = Side::None;

    // The position both sides knew when the view began (the setup of a new game, or the position
    // a game was resumed from): every piece of both sides and both hands, and who was to move.
    Map startBoard{};
    Hand startHandMAN{};
    Hand startHandCOM{};
    Side startToMove = Side::None;

    // Everything seen since then, in order.
    std::vector<SeenEvent> events;

    // The present as this side sees it: its own pieces only (every other square empty), its own
    // hand, the total of the other side's hand, both miss counts and whose move it is.
    Map board{};
    Hand ownHand{};
    int otherHandTotal = 0;
    int ownMisses = 0;
    int otherMisses = 0;
    Side toMove = Side::None;
};

}  // namespace velk
