// The keyboard, the square cursor, the marks kept on top of the board (the last move, the
// cursor, a refused move) and the status line below it.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>

#include "match/form1.h"
#include "record/kif.h"
#include "texts/texts.h"
#include "ui/draw.h"
#include "ui/geometry.h"

namespace velk {

// ---------------------------------------------------------------------------------------------
// Keys

void Form1::Form_KeyDown(int keyCode, int shift) {
    const EventScope event(*this);
    if (closed) return;
    switch (keyCode) {
        case KEY_ESCAPE:
            quitAfterAsking();
            return;
        case KEY_HOME:
            stepThroughRecord(false);
            return;
        case KEY_END:
            stepThroughRecord(true);
            return;
        case KEY_LEFT:
        case KEY_RIGHT:
            if (keyboardTurn())
                moveCursor(keyCode == KEY_LEFT ? -1 : 1, 0);
            else if (keyCode == KEY_LEFT)
                REPLAY_Click();
            else
                AFTER_Click();
            return;
        case KEY_UP:
        case KEY_DOWN:
            if (keyboardTurn()) moveCursor(0, keyCode == KEY_UP ? -1 : 1);
            return;
        case KEY_SPACE:
        case KEY_ENTER:
            if (!keyboardTurn()) return;
            if (!cursorShown_) {
                cursorShown_ = true;
                return;
            }
            pressAtCursor(keyCode == KEY_ENTER && (shift & SHIFT_KEY_BIT) != 0 ? RIGHT_BUTTON
                                                                               : LEFT_BUTTON);
            return;
        case KEY_H:
            HINT_Click();
            return;
        default:
            return;
    }
}

// ---------------------------------------------------------------------------------------------
// The hint

namespace {
// The hint's player differs from the computer's by this much in its seed.
constexpr std::uint64_t HINT_SEED = 0x68696E74;
}  // namespace

void Form1::HINT_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (curtainRefuses()) return;
    HonestMove h{};
    if (keyboardTurn() && s.gameState == 1 && s.moveNo < MAX_MOVES) {
        // A fresh player each time: the hint follows from the human's view alone, however
        // often it was asked before.
        const SideView& view = viewOf(Side::Man);
        if (view.side == Side::Man)
            ports_.clock.think([&] { h = HonestPlayer(gameSeed_ ^ HINT_SEED).choose(view); }, 0);
    }
    if (!h.found) {
        ports_.sound.dsPlay(sndForbidden);
        return;
    }
    const bool drop = h.fromX == MAN_HAND_X;
    const int moving = drop ? manHandPiece(h.fromY) : viewOf(Side::Man).board[h.fromX][h.fromY];
    hintSquares_ = {{h.fromX, h.fromY}, {h.toX, h.toY}};
    hintState_ = hintState();
    if (status_ != hintStatus_) statusBeforeHint_ = status_;
    hintStatus_ = texts::status::hint(hintText(h, moving));
    setStatus(hintStatus_);
}

// What a hint lasts through: the position, the selection and whose move it is.
std::array<int, 9> Form1::hintState() const {
    return {s.moveNo,       s.moveNoLast,   s.selPhase, s.curMove.fromX, s.curMove.fromY,
            s.missCountMAN, s.missCountCOM, s.turn,     s.gameState};
}

// The move as the move list writes it: "７六歩", "同　歩", "５五角打".
std::string Form1::hintText(const HonestMove& h, int moving) const {
    const int n = s.moveNo + 1;
    auto r = std::make_unique<MoveRecord>();
    r->recToX[n - 1] = s.record.recToX[n - 1];
    r->recToY[n - 1] = s.record.recToY[n - 1];
    r->recFromX[n] = h.fromX;
    r->recFromY[n] = h.fromY;
    r->recToX[n] = h.toX;
    r->recToY[n] = h.toY;
    r->recPieceBefore[n] = moving;
    r->recPieceAfter[n] = h.placed;
    return kifMoveText(*r, n, true, false);
}

// Home and End press 戻 or 進 until the record's start or end, or until a step is refused.
// At the start or end already, the one press is refused as the menu item's would be.
void Form1::stepThroughRecord(bool forward) {
    for (;;) {
        const int before = s.moveNo;
        if (forward)
            AFTER_Click();
        else
            REPLAY_Click();
        if (closed || s.moveNo == before) return;
        if (forward ? s.moveNo >= s.moveNoLast || s.moveNo >= MAX_MOVES : s.moveNo <= 0) return;
    }
}

// The cursor keys belong to the board while the human is to move.
bool Form1::keyboardTurn() const {
    return !closed && s.turn != NOBODY && s.turn == s.roleMAN;
}

void Form1::putCursorAway() {
    const EventScope event(*this);
    if (closed) return;
    cursorShown_ = false;
}

bool Form1::cursorVisible() const {
    return cursorShown_ && keyboardTurn();
}

// The cursor walks the board's columns 1..9 and, right of them, the human's hand (rows 3..9);
// it stops at the edges.
void Form1::moveCursor(int dx, int dy) {
    if (!cursorShown_) {
        cursorShown_ = true;
        return;
    }
    int x = cursorX_, y = cursorY_;
    if (dx < 0) x = x == MAN_HAND_X ? 9 : std::max(1, x - 1);
    if (dx > 0) x = x >= 9 ? MAN_HAND_X : x + 1;
    y += dy;
    y = std::clamp(y, x == MAN_HAND_X ? 3 : 1, 9);
    cursorX_ = x;
    cursorY_ = y;
}

// The same as a press of the mouse button in the middle of the cursor's square.
void Form1::pressAtCursor(int button) {
    pressFromKeyboard_ = true;
    Form_MouseDown(button, 0, static_cast<float>(twipsX(cursorX_ + 0.5)),
                   static_cast<float>(twipsY(cursorY_ + 0.5)));
    pressFromKeyboard_ = false;
}

// ---------------------------------------------------------------------------------------------
// Status line and refused moves

void Form1::setStatus(std::string text) {
    status_ = std::move(text);
    if (status_ == statusDrawn_) return;
    描画_状況行(s, overlay_, status_);
    statusDrawn_ = status_;
    ports_.window.repaint();
}

// A refused move shows on the square that was clicked until the next event; the mark is the
// same whatever stands there.
void Form1::refuseMove(int gx, int gy) {
    描画_拒否印(s, overlay_, gx, gy);
    refused_ = {gx, gy};
    refusedFresh_ = true;
    setStatus(texts::status::andThen(texts::status::REFUSED, texts::status::YOUR_TURN));
}

// ---------------------------------------------------------------------------------------------
// Marks

// The squares of the last move played: its destination and, for a move of the human on the
// board, its source. Of the computer's move only the destination, which the window shows.
std::vector<Form1::Square> Form1::lastMoveSquares() const {
    const int n = s.moveNo;
    if (n < 1 || n > MAX_MOVES) return {};
    const MoveRecord& r = s.record;
    if (!onBoard(r.recToX[n], r.recToY[n])) return {};
    std::vector<Square> squares{{r.recToX[n], r.recToY[n]}};
    if (!isComPiece(r.recPieceAfter[n]) && onBoard(r.recFromX[n], r.recFromY[n]))
        squares.emplace_back(r.recFromX[n], r.recFromY[n]);
    return squares;
}

// Paints a board square or a square of the human's hand as the game shows it, without marks:
// its picture (a hidden piece as an empty square) and its outline.
void Form1::repaintSquare(Square sq) {
    const auto [x, y] = sq;
    if (onBoard(x, y)) {
        描画_絵(s, overlay_, s.board[x][y], x, y);
    } else if (x == MAN_HAND_X && y >= 3 && y <= 9) {
        描画_絵(s, overlay_, EMPTY, x, y);
        if (s.handMAN[y - 2] >= 1) 描画_絵(s, overlay_, MAN_HAND_CODES[y - 2], x, y);
    } else {
        return;
    }
    const bool selected = s.selPhase == 1 && s.curMove.fromX == x && s.curMove.fromY == y;
    描画_桝輪郭(s, overlay_, selected ? COLOUR_LIGHT_RED : COLOUR_GREEN, x, y);
}

void Form1::afterEvent() {
    if (closed) return;
    Canvas& c = overlay_;

    // The curtain covers every mark; only the status line shows on it.
    if (curtain_) {
        marksDrawn_.clear();
        hintDrawn_.clear();
        cursorDrawn_ = {0, 0};
        refused_ = {0, 0};
        if (status_ != statusDrawn_ || overlay_.rowCovered(static_cast<int>(STATUS_LINE_Y))) {
            描画_状況行(s, c, status_);
            statusDrawn_ = status_;
        }
        overlay_.forget();
        return;
    }

    // The hint goes once the position, the selection or the turn has changed; the status line
    // then reads again what it read before, unless something else was said since.
    if (!hintSquares_.empty() && hintState() != hintState_) hintSquares_.clear();
    if (hintSquares_.empty() && !hintStatus_.empty()) {
        if (status_ == hintStatus_) setStatus(statusBeforeHint_);
        hintStatus_.clear();
    }

    const std::vector<Square> marks = lastMoveSquares();
    const Square cursor = cursorVisible() ? Square{cursorX_, cursorY_} : Square{0, 0};
    const auto marked = [&](const std::vector<Square>& list, Square sq) {
        return std::find(list.begin(), list.end(), sq) != list.end();
    };

    // Squares whose mark goes: painted again as they are.
    std::set<Square> cleaned;
    for (const Square& sq : marksDrawn_)
        if (!marked(marks, sq)) cleaned.insert(sq);
    if (cursorDrawn_.first != 0 && cursorDrawn_ != cursor) cleaned.insert(cursorDrawn_);
    for (const Square& sq : hintDrawn_)
        if (!marked(hintSquares_, sq)) cleaned.insert(sq);
    if (refused_.first != 0) {
        if (refusedFresh_) {
            refusedFresh_ = false;
        } else {
            cleaned.insert(refused_);
            refused_ = {0, 0};
        }
    }
    for (const Square& sq : cleaned) repaintSquare(sq);

    // Marks drawn where they are new or something painted over them.
    const auto needs = [&](Square sq, bool isNew) {
        return isNew || cleaned.count(sq) != 0 || overlay_.covered(sq.first, sq.second);
    };
    for (const Square& sq : marks)
        if (needs(sq, !marked(marksDrawn_, sq))) 描画_最終手印(s, c, sq.first, sq.second);
    for (const Square& sq : hintSquares_)
        if (needs(sq, !marked(hintDrawn_, sq))) 描画_ヒント印(s, c, sq.first, sq.second);
    if (cursor.first != 0 && needs(cursor, cursor != cursorDrawn_))
        描画_カーソル(s, c, cursor.first, cursor.second);
    if (refused_.first != 0 && overlay_.covered(refused_.first, refused_.second))
        描画_拒否印(s, c, refused_.first, refused_.second);
    if (status_ != statusDrawn_ || overlay_.rowCovered(static_cast<int>(STATUS_LINE_Y))) {
        描画_状況行(s, c, status_);
        statusDrawn_ = status_;
    }

    marksDrawn_ = marks;
    hintDrawn_ = hintSquares_;
    cursorDrawn_ = cursor;
    overlay_.forget();
}

}  // namespace velk
