// The keyboard (record keys, the square cursor), the status line below the board and the marks
// drawn over squares: the last move, the cursor and a refused move.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/hands.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "match/form_fixture.h"
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {
namespace {

using fakes::Box;
using fakes::CanvasOp;

class Keys : public fakes::FormTest {
  protected:
    void SetUp() override {
        open("velk_keys_");
        form->LEVEL3_Click();
        f.dialogs.boxes.clear();
    }

    GameState& s() { return form->s; }
    void key(int code, int shift = 0) { form->Form_KeyDown(code, shift); }
    void keys(int code, int times) {
        for (int i = 0; i < times; ++i) key(code);
    }
    void click(int gx, int gy, int button = LEFT_BUTTON) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    void bareGame() {
        form->SENTE_Click();
        form->checkStateAfterEvents = false;
        f.dialogs.boxes.clear();
        for (auto& col : s().board) col.fill(EMPTY);
        s().board[5][9] = MAN_OU;
        s().board[9][1] = COM_OU;
    }
    // Filled rectangles drawn inside the square since op index from.
    int fillsIn(int x, int y, std::size_t from = 0) const {
        int n = 0;
        for (std::size_t i = from; i < f.canvas.ops.size(); ++i) {
            const CanvasOp& op = f.canvas.ops[i];
            if (op.kind == CanvasOp::Fill && op.gx >= x && op.gx < x + 1 && op.gy >= y &&
                op.gy < y + 1)
                ++n;
        }
        return n;
    }
    bool sawBox(const std::string& text) const {
        for (const Box& b : f.dialogs.boxes)
            if (b.text == text) return true;
        return false;
    }
};

TEST_F(Keys, HomeEndLeftAndRightStepThroughTheRecordAsBackAndForward) {
    form->SENTE_Click();
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(s().moveNo, 2);
    f.dialogs.boxes.clear();

    key(KEY_HOME);  // to the start, with no refusal on the way
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_TRUE(f.dialogs.boxes.empty());
    key(KEY_RIGHT);
    EXPECT_EQ(s().moveNo, 1);
    key(KEY_END);
    EXPECT_EQ(s().moveNo, 2);
    EXPECT_TRUE(f.dialogs.boxes.empty());
    // At the end, End is refused as 進 would be.
    key(KEY_END);
    EXPECT_EQ(
        f.dialogs.boxes,
        (std::vector<Box>{{Box::Message, texts::match::CANNOT, texts::match::FORWARD_TITLE}}));
    key(KEY_LEFT);
    EXPECT_EQ(s().moveNo, 1);
    key(KEY_LEFT);
    key(KEY_LEFT);
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_TRUE(sawBox(texts::match::CANNOT));
    // Up and down steer nothing while no side is to move.
    key(KEY_UP);
    EXPECT_FALSE(form->cursorVisible());
}

TEST_F(Keys, TheCursorWalksTheBoardAndTheHandAndSpaceMovesAsTheMouse) {
    form->SENTE_Click();
    EXPECT_FALSE(form->cursorVisible());
    key(KEY_UP);  // the first key shows the cursor where it stands
    EXPECT_TRUE(form->cursorVisible());
    EXPECT_EQ(form->cursorX(), 5);
    EXPECT_EQ(form->cursorY(), 7);
    keys(KEY_LEFT, 2);
    key(KEY_SPACE);
    EXPECT_EQ(s().selPhase, 1);
    key(KEY_UP);
    key(KEY_ENTER);
    EXPECT_EQ(s().board[3][6], MAN_HU);
    EXPECT_EQ(s().record.recFromX[1], 3);
    EXPECT_EQ(s().moveNo, 2);  // the computer answered
    EXPECT_TRUE(form->cursorVisible());

    // Right of column 9 lies the hand, rows 3..9; the board's edges stop the cursor.
    keys(KEY_RIGHT, 7);
    EXPECT_EQ(form->cursorX(), MAN_HAND_X);
    keys(KEY_UP, 9);
    EXPECT_EQ(form->cursorY(), 3);
    key(KEY_LEFT);
    EXPECT_EQ(form->cursorX(), 9);
    keys(KEY_UP, 9);
    EXPECT_EQ(form->cursorY(), 1);
    keys(KEY_LEFT, 12);
    EXPECT_EQ(form->cursorX(), 1);
    // A mouse click puts the cursor away; Home still steps the record.
    click(4, 4);
    EXPECT_FALSE(form->cursorVisible());
    key(KEY_HOME);
    EXPECT_EQ(s().moveNo, 0);
}

TEST_F(Keys, ShiftEnterPromotesAndADropIsPlayedFromTheHand) {
    bareGame();
    s().board[5][2] = MAN_HU;
    key(KEY_SPACE);  // shows the cursor at (5, 7)
    keys(KEY_UP, 5);
    key(KEY_SPACE);
    key(KEY_UP);
    key(KEY_ENTER);  // must promote: refused like the left button
    EXPECT_TRUE(sawBox(texts::match::PROMOTE_WITH_RIGHT));
    key(KEY_ENTER, SHIFT_KEY_BIT);
    EXPECT_EQ(s().board[5][1], MAN_TO);

    addToHand(s(), Side::Man, 7);  // a rook in hand, on row 9 of the hand
    keys(KEY_RIGHT, 5);
    keys(KEY_DOWN, 9);
    ASSERT_EQ(form->cursorX(), MAN_HAND_X);
    key(KEY_SPACE);
    EXPECT_EQ(s().curMove.fromX, MAN_HAND_X);
    keys(KEY_LEFT, 2);
    keys(KEY_UP, 4);
    key(KEY_SPACE);
    EXPECT_EQ(s().board[8][5], MAN_SYA);
}

TEST_F(Keys, TheStatusLineSaysWhoseTurnTheRefereesWordsAndTheResult) {
    EXPECT_EQ(form->statusText(), "");
    form->SENTE_Click();
    EXPECT_EQ(form->statusText(), texts::status::YOUR_TURN);
    EXPECT_TRUE(f.canvas.drewText(texts::status::YOUR_TURN));
    std::vector<std::string> seen;
    f.dialogs.onBox = [&](const Box&) { seen.push_back(form->statusText()); };
    click(7, 7);
    click(7, 6);
    EXPECT_EQ(form->statusText(), texts::status::YOUR_TURN);

    // A refused move says so, and a step through the record leaves no side to move.
    click(3, 7);
    click(3, 4);
    EXPECT_EQ(form->statusText(), std::string(texts::status::REFUSED) + texts::status::SEPARATOR +
                                      texts::status::YOUR_TURN);
    form->REPLAY_Click();
    EXPECT_EQ(form->statusText(), "");

    // The computer's check and drop, then the result standing under the last boxes.
    bareGame();
    s().board[5][9] = EMPTY;
    s().board[5][5] = MAN_OU;
    s().board[1][7] = MAN_HU;
    s().board[4][3] = COM_KIN;
    s().board[6][3] = COM_KIN;
    s().handCOM[7] = 1;
    s().handTotalCOM = 1;
    seen.clear();
    click(1, 7);
    click(1, 6);
    ASSERT_EQ(s().board[5][4], COM_SYA);
    const std::string said = std::string(texts::status::CHECK) + texts::status::SEPARATOR +
                             texts::status::COM_DROPPED + texts::status::SEPARATOR +
                             texts::status::YOUR_TURN;
    EXPECT_EQ(form->statusText(), said);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), said);  // already shown with the check's box
    EXPECT_TRUE(f.canvas.drewText(said));

    bareGame();
    s().board[9][2] = MAN_KIN;
    seen.clear();
    click(9, 2);
    click(9, 1);  // the king taken
    EXPECT_EQ(seen, (std::vector<std::string>{texts::status::result(texts::match::WINNER_YOU),
                                              texts::status::result(texts::match::WINNER_YOU)}));
}

TEST_F(Keys, MissesAreNamedOnTheStatusLine) {
    bareGame();
    s().board[5][5] = MAN_KYOU;
    s().board[5][3] = COM_KIN;  // hidden behind the screen
    click(5, 5);
    click(5, 2);  // jumps the hidden gold: a miss
    EXPECT_EQ(form->statusText(),
              texts::status::miss(texts::status::MISS_MAN, texts::match::MISS_JUMPED) +
                  texts::status::SEPARATOR + texts::status::YOUR_TURN);
}

TEST_F(Keys, TheLastMoveIsMarkedForBothSides) {
    form->SENTE_Click();
    // The human's move: source and destination; then the computer's: its destination only.
    click(7, 7);
    const std::size_t before = f.canvas.ops.size();
    click(7, 6);
    ASSERT_EQ(s().moveNo, 2);
    const int toX = s().record.recToX[2], toY = s().record.recToY[2];
    const int fromX = s().record.recFromX[2], fromY = s().record.recFromY[2];
    EXPECT_GT(fillsIn(toX, toY, before), 0);
    const std::size_t end = f.canvas.ops.size();
    // After the whole event only the computer's destination keeps a mark; the human's squares
    // were painted again without it, and its source shows nothing.
    EXPECT_GT(fillsIn(7, 6, before), 0);  // marked while the computer thought
    std::size_t lastPicture76 = 0, lastFill76 = 0;
    for (std::size_t i = before; i < end; ++i) {
        const CanvasOp& op = f.canvas.ops[i];
        if (op.gx == 7 && op.gy == 6 && op.kind == CanvasOp::Picture) lastPicture76 = i;
        if (op.kind == CanvasOp::Fill && op.gx >= 7 && op.gx < 8 && op.gy >= 6 && op.gy < 7)
            lastFill76 = i;
    }
    if (!(toX == 7 && toY == 6)) {
        EXPECT_GT(lastPicture76, lastFill76);
    }
    if (onBoard(fromX, fromY) && !(fromX == toX && fromY == toY)) {
        std::size_t lastFillFrom = 0;
        for (std::size_t i = before; i < end; ++i) {
            const CanvasOp& op = f.canvas.ops[i];
            if (op.kind == CanvasOp::Fill && op.gx >= fromX && op.gx < fromX + 1 &&
                op.gy >= fromY && op.gy < fromY + 1)
                lastFillFrom = i;
        }
        EXPECT_EQ(lastFillFrom, 0u);
    }

    // Stepping back marks the human's move again: both its squares.
    const std::size_t back = f.canvas.ops.size();
    form->REPLAY_Click();
    EXPECT_GT(fillsIn(7, 7, back), 0);
    EXPECT_GT(fillsIn(7, 6, back), 0);
    // An event that changes nothing draws nothing.
    const std::size_t quiet = f.canvas.ops.size();
    form->TAIKYOKU_Click();
    EXPECT_EQ(f.canvas.ops.size(), quiet);
}

// What is drawn for a refused move and for the cursor is the same whether or not a hidden
// piece stands on the square.
TEST_F(Keys, RefusedMarkAndCursorLookTheSameOverAHiddenPiece) {
    std::vector<std::vector<CanvasOp>> drawn;
    for (const bool hidden : {false, true}) {
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
        f.sound.calls.clear();
        f.canvas.ops.clear();
        bareGame();
        s().board[3][7] = MAN_HU;
        if (hidden) s().board[3][4] = COM_GIN;
        const std::size_t from = f.canvas.ops.size();
        click(3, 7);
        click(3, 4);  // too far for a pawn (no miss: nothing stands between)
        EXPECT_EQ(f.sound.plays(form->sndForbidden), 1);
        EXPECT_GT(fillsIn(3, 4, from), 0);
        key(KEY_UP);  // shows the cursor at (5, 7)
        keys(KEY_LEFT, 2);
        keys(KEY_UP, 3);  // over (3, 4)
        key(KEY_RIGHT);
        key(KEY_LEFT);
        drawn.emplace_back(f.canvas.ops.begin() + static_cast<long>(from), f.canvas.ops.end());
    }
    ASSERT_EQ(drawn[0].size(), drawn[1].size());
    for (std::size_t i = 0; i < drawn[0].size(); ++i)
        EXPECT_EQ(drawn[0][i], drawn[1][i])
            << i << ": " << drawn[0][i].kind << " " << drawn[0][i].code << " " << drawn[0][i].gx
            << "," << drawn[0][i].gy << " / " << drawn[1][i].kind << " " << drawn[1][i].code << " "
            << drawn[1][i].gx << "," << drawn[1][i].gy;
}

}  // namespace
}  // namespace velk
