// Half a turn round of the whole game, for two people who take turns at one screen.
#include <utility>

#include "game/hands.h"
#include "game/move_exec.h"
#include "game/survey.h"
#include "referee/match.h"
#include "referee/turn_round.h"

namespace velk {

namespace {

// A square seen from the other side of the board; a hand slot changes hands (the human's hand
// is addressed by the row kind + 2, the computer's by the kind).
void turnSource(int& x, int& y) {
    if (x == MAN_HAND_X) {
        x = COM_HAND_X;
        y -= 2;
    } else if (x == COM_HAND_X) {
        x = MAN_HAND_X;
        y += 2;
    } else if (onBoard(x, y)) {
        x = 10 - x;
        y = 10 - y;
    }
}

Map turned(const Map& board) {
    Map out{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) out[x][y] = static_cast<std::int16_t>(-board[10 - x][10 - y]);
    return out;
}

void turnEvent(SeenEvent& e) {
    if (e.fromX != 0) turnSource(e.fromX, e.fromY);
    turnSource(e.toX, e.toY);
    e.placed = -e.placed;
    e.captured = -e.captured;
}

// A view of one side becomes the same view of the other side's seat.
void turnView(SideView& v) {
    v.side = otherSide(v.side);
    v.startBoard = turned(v.startBoard);
    std::swap(v.startHandMAN, v.startHandCOM);
    v.startToMove = otherSide(v.startToMove);
    for (SeenEvent& e : v.events) turnEvent(e);
    v.board = turned(v.board);
    v.toMove = otherSide(v.toMove);
}

void findKings(GameState& s) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            if (s.board[x][y] == MAN_OU) {
                s.kingXMAN = x;
                s.kingYMAN = y;
            } else if (s.board[x][y] == COM_OU) {
                s.kingXCOM = x;
                s.kingYCOM = y;
            }
        }
}

}  // namespace

SideView turnedRound(SideView view) {
    turnView(view);
    return view;
}

Move turnedRound(const Move& move) {
    Move m = move;
    if (!m.isDrop()) {
        m.fromX = static_cast<std::int8_t>(10 - m.fromX);
        m.fromY = static_cast<std::int8_t>(10 - m.fromY);
    }
    m.toX = static_cast<std::int8_t>(10 - m.toX);
    m.toY = static_cast<std::int8_t>(10 - m.toY);
    m.piece = static_cast<std::int16_t>(-m.piece);
    m.placed = static_cast<std::int16_t>(-m.placed);
    return m;
}

void Match::turnRound() {
    GameState& s = s_;
    s.board = turned(s.board);
    setHands(s, s.handCOM, s.handMAN);
    std::swap(s.roleMAN, s.roleCOM);
    std::swap(s.missCountMAN, s.missCountCOM);
    std::swap(s.timeUsedMAN, s.timeUsedCOM);
    s.handicapLevel = -s.handicapLevel;
    s.selPhase = 0;
    s.curMove = {};

    MoveRecord& r = s.record;
    for (int n = 1; n <= s.moveNoLast && n <= MAX_MOVES; ++n) {
        turnSource(r.recFromX[n], r.recFromY[n]);
        turnSource(r.recToX[n], r.recToY[n]);
        r.recPieceBefore[n] = -r.recPieceBefore[n];
        r.recPieceAfter[n] = -r.recPieceAfter[n];
        r.recCaptured[n] = -r.recCaptured[n];
        std::swap(r.recMissMAN[n], r.recMissCOM[n]);
        std::swap(r.recTimeMANBefore[n], r.recTimeCOMBefore[n]);
        std::swap(r.recTimeMANAfter[n], r.recTimeCOMAfter[n]);
    }

    findKings(s);
    調査_2歩フラグ設定(s);
    勢力調査(s);

    std::swap(viewMAN_, viewCOM_);
    for (SideView* v : {&viewMAN_, &viewCOM_})
        if (v->side != Side::None) turnView(*v);
    if (pausedViews_) {
        std::swap(pausedViews_->man, pausedViews_->com);
        for (SideView* v : {&pausedViews_->man, &pausedViews_->com})
            if (v->side != Side::None) turnView(*v);
    }
    if (viewMAN_.side != Side::None) viewsPresent(sideToMove());
}

}  // namespace velk
