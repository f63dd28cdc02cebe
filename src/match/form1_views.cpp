// What each side of the screen knows: one view per side, begun when a game starts or resumes and
// told of every move and miss the referee judges, so that a player reading a view learns nothing
// the window would not show it.
#include <algorithm>
#include <utility>

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
    pausedViews_.reset();
    if (s.gameState != 1 || sideToMove(s) == Side::None) {
        viewsClear();
        return;
    }
    viewsBeganAt_ = s.moveNo;
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
    pausedViews_.reset();
}

namespace {

bool isMove(const SeenEvent& e) {
    return e.kind == SeenEvent::Kind::OwnMove || e.kind == SeenEvent::Kind::OtherMove;
}

int movesIn(const SideView& v) {
    int n = 0;
    for (const SeenEvent& e : v.events) n += isMove(e) ? 1 : 0;
    return n;
}

}  // namespace

void Form1::viewsPause() {
    if (viewMAN_.side != Side::None) {
        if (pausedViews_ && movesIn(viewMAN_) == resumedMoves_) {
            // No move since play resumed: the record ahead is still the one the kept views saw.
            // Misses seen meanwhile at a cut go in before it; the counts are kept in any case.
            for (auto [live, kept] : {std::pair{&viewMAN_, &pausedViews_->man},
                                      std::pair{&viewCOM_, &pausedViews_->com}}) {
                if (resumedCut_) {
                    live->events.insert(
                        live->events.end(),
                        kept->events.begin() + static_cast<std::ptrdiff_t>(*resumedCut_),
                        kept->events.end());
                    kept->events = std::move(live->events);
                }
                kept->ownMisses = std::max(kept->ownMisses, live->ownMisses);
                kept->otherMisses = std::max(kept->otherMisses, live->otherMisses);
            }
        } else {
            pausedViews_ = PausedViews{viewMAN_, viewCOM_, viewsBeganAt_};
        }
    }
    resumedMoves_ = -1;
    viewMAN_ = SideView{};
    viewCOM_ = SideView{};
}

void Form1::viewsResume() {
    if (!pausedViews_ || s.gameState != 1 || sideToMove(s) == Side::None) {
        viewsBegin();
        return;
    }
    // Misses stay counted: stepping back must not give a side its probes again.
    s.missCountMAN = std::max(s.missCountMAN, pausedViews_->man.ownMisses);
    s.missCountCOM = std::max(s.missCountCOM, pausedViews_->com.ownMisses);
    const PausedViews& kept = *pausedViews_;
    // Everything seen before the record's next move: the moves up to the present one and the
    // misses made while it stood on the board. Both views hold the same events, mirrored.
    const int movesKept = s.moveNo - kept.beganAt;
    std::optional<std::size_t> cut;
    int moves = 0;
    for (std::size_t i = 0; i < kept.man.events.size() && movesKept >= 0; ++i) {
        if (!isMove(kept.man.events[i])) continue;
        if (moves++ == movesKept) cut = i;
        if (cut) break;
    }
    if (!cut && moves == movesKept) cut = kept.man.events.size();
    if (cut) {
        viewMAN_ = kept.man;
        viewCOM_ = kept.com;
        viewMAN_.events.resize(*cut);
        viewCOM_.events.resize(*cut);
        viewsBeganAt_ = kept.beganAt;
        viewsPresent(sideToMove(s));
    } else {
        // A position from before the kept views began, which both sides saw whole; the kept
        // views stay for the record ahead until a move replaces it.
        PausedViews stay = std::move(*pausedViews_);
        viewsBegin();
        pausedViews_ = std::move(stay);
    }
    resumedCut_ = cut;
    resumedMoves_ = movesIn(viewMAN_);
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
