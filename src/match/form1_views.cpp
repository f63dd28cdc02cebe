// What each side of the screen knows: one view per side, begun when a game starts or resumes and
// told of every move and miss the referee judges, so that a player reading a view learns nothing
// the window would not show it.
#include "game/board_view.h"
#include "match/form1.h"

namespace velk {

namespace {

// The side to move as a Side, from the roles.
Side sideToMove(const GameState& s) {
    if (s.turn == NOBODY) return Side::None;
    if (s.turn == s.roleMAN) return Side::Man;
    if (s.turn == s.roleCOM) return Side::Com;
    return Side::None;
}

Side otherSide(Side side) {
    return side == Side::Man ? Side::Com : Side::Man;
}

// A piece taken by the mover, as the mover's own unpromoted code of that kind (what went into
// its hand; a king keeps its kind).
int takenAsOwn(Side mover, int captured) {
    if (captured == EMPTY) return EMPTY;
    const int k = handIndexOf(captured);
    if (k == 0) return -captured;
    return mover == Side::Man ? MAN_HAND_CODES[k] : COM_HAND_CODES[k];
}

bool isDrop(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// The mover's own record of a move or miss: all of it.
SeenEvent ownEvent(SeenEvent::Kind kind, int fromX, int fromY, int toX, int toY, int placed) {
    SeenEvent e;
    e.kind = kind;
    e.fromX = fromX;
    e.fromY = fromY;
    e.toX = toX;
    e.toY = toY;
    e.placed = placed;
    e.drop = isDrop(fromX);
    return e;
}

// What the other side sees of the same move or miss: where it landed and whether it was a drop.
SeenEvent otherEvent(SeenEvent::Kind kind, const SeenEvent& own) {
    SeenEvent e;
    e.kind = kind;
    e.toX = own.toX;
    e.toY = own.toY;
    e.drop = own.drop;
    return e;
}

}  // namespace

const SideView& Form1::viewOf(Side side) const {
    static const SideView nobody{};
    if (side == Side::Man) return viewMAN_;
    if (side == Side::Com) return viewCOM_;
    return nobody;
}

void Form1::viewsBegin() {
    // Only a game under way is seen; play outside one (moving both sides' pieces) is nobody's.
    if (s.gameState != 1 || sideToMove(s) == Side::None) {
        viewsClear();
        return;
    }
    for (const Side side : {Side::Man, Side::Com}) {
        SideView& v = viewRef(side);
        v = SideView{};
        v.side = side;
        v.startBoard = s.board;
        v.startHandMAN = s.handMAN;
        v.startHandCOM = s.handCOM;
        v.startToMove = sideToMove(s);
    }
    viewsPresent(sideToMove(s));
}

void Form1::viewsClear() {
    viewMAN_ = SideView{};
    viewCOM_ = SideView{};
}

void Form1::viewsSeeMove(Side mover, int fromX, int fromY, int toX, int toY, int placed,
                         int captured, bool check, bool mate) {
    if (viewMAN_.side == Side::None) return;
    SeenEvent own = ownEvent(SeenEvent::Kind::OwnMove, fromX, fromY, toX, toY, placed);
    own.captured = takenAsOwn(mover, captured);
    viewRef(mover).events.push_back(own);

    SeenEvent other = otherEvent(SeenEvent::Kind::OtherMove, own);
    other.captured = captured;
    other.check = check;
    other.mate = mate;
    viewRef(otherSide(mover)).events.push_back(other);
    viewsPresent(otherSide(mover));
}

void Form1::viewsSeeMiss(Side mover, int fromX, int fromY, int toX, int toY, int placed, int kind) {
    if (viewMAN_.side == Side::None) return;
    SeenEvent own = ownEvent(SeenEvent::Kind::OwnMiss, fromX, fromY, toX, toY, placed);
    own.missKind = kind;
    viewRef(mover).events.push_back(own);

    SeenEvent other = otherEvent(SeenEvent::Kind::OtherMiss, own);
    other.missKind = kind;
    viewRef(otherSide(mover)).events.push_back(other);
    viewsPresent(mover);
}

void Form1::viewsPresent(Side toMove) {
    for (const Side side : {Side::Man, Side::Com}) {
        SideView& v = viewRef(side);
        if (v.side == Side::None) continue;
        const bool man = side == Side::Man;
        v.board = sideView(s.board, side);
        v.ownHand = man ? s.handMAN : s.handCOM;
        v.otherHandTotal = man ? s.handTotalCOM : s.handTotalMAN;
        v.ownMisses = man ? s.missCountMAN : s.missCountCOM;
        v.otherMisses = man ? s.missCountCOM : s.missCountMAN;
        v.toMove = toMove;
    }
}

}  // namespace velk
