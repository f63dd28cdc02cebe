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
    SeenEvent own;
    own.kind = SeenEvent::Kind::OwnMove;
    own.fromX = fromX;
    own.fromY = fromY;
    own.toX = toX;
    own.toY = toY;
    own.placed = placed;
    own.drop = isDrop(fromX);
    own.captured = takenAsOwn(mover, captured);
    viewRef(mover).events.push_back(own);

    SeenEvent other;
    other.kind = SeenEvent::Kind::OtherMove;
    other.toX = toX;
    other.toY = toY;
    other.drop = own.drop;
    other.captured = captured;
    other.check = check;
    other.mate = mate;
    viewRef(otherSide(mover)).events.push_back(other);
    viewsPresent(otherSide(mover));
}

void Form1::viewsSeeMiss(Side mover, int fromX, int fromY, int toX, int toY, int placed, int kind) {
    if (viewMAN_.side == Side::None) return;
    SeenEvent own;
    own.kind = SeenEvent::Kind::OwnMiss;
    own.fromX = fromX;
    own.fromY = fromY;
    own.toX = toX;
    own.toY = toY;
    own.placed = placed;
    own.drop = isDrop(fromX);
    own.missKind = kind;
    viewRef(mover).events.push_back(own);

    SeenEvent other;
    other.kind = SeenEvent::Kind::OtherMiss;
    other.toX = toX;
    other.toY = toY;
    other.drop = own.drop;
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
