// Whole games and single events driven through the window controller's
// handlers, with every port replaced by a recorder.
#include "match/form1.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "game/hands.h"
#include "game/invariants.h"
#include "game/setup.h"
#include "match/fakes.h"
#include "match/form_fixture.h"
#include "support/board_text.h"
#include "texts/texts.h"

namespace velk {
namespace {

using fakes::Box;

const std::string QUIT_QUESTION = "保存していない手があります\r\r終わりますか？";

class Match : public fakes::FormTest {
  protected:
    void SetUp() override {
        open("velk_match_");
        form->LEVEL3_Click();  // no fouls unless a test asks for them
        f.dialogs.boxes.clear();
    }

    GameState& s() { return form->s; }

    void click(int gx, int gy, int button = LEFT_BUTTON) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    void move(int fx, int fy, int tx, int ty, int button = LEFT_BUTTON) {
        click(fx, fy);
        click(tx, ty, button);
    }
    // A made-up position lacks most of the pieces, which no game can reach: the check of the
    // state after every event is off for it.
    void madeUpPosition() { form->checkStateAfterEvents = false; }
    // Both kings only, the human to move as 先手.
    void bareGame(int manKingX = 5, int manKingY = 9, int comKingX = 5, int comKingY = 1) {
        form->SENTE_Click();
        madeUpPosition();
        f.dialogs.boxes.clear();
        for (auto& col : s().board) col.fill(EMPTY);
        s().board[manKingX][manKingY] = MAN_OU;
        s().board[comKingX][comKingY] = COM_OU;
    }
    void giveMan(int kind, int n = 1) {
        for (int i = 0; i < n; ++i) addToHand(s(), Side::Man, kind);
    }
    bool sawBox(const std::string& text, const std::string& title) const {
        for (const Box& b : f.dialogs.boxes)
            if (b.text == text && b.title == title) return true;
        return false;
    }
};

TEST_F(Match, LoadPlacesTheWindowAndWaitsWithLevelOneChecked) {
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_EQ(s().gameState, NOBODY);
    EXPECT_EQ(s().board[5][9], MAN_OU);
    ASSERT_EQ(f.window.placements.size(), 1u);
    EXPECT_EQ(f.window.placements[0].left, -60);
    EXPECT_EQ(f.window.placements[0].top, -60);
    EXPECT_EQ(f.window.placements[0].width, 9000);
    EXPECT_EQ(f.window.placements[0].height, 8000);

    // A window already at the top keeps its place; the old sound buffers are
    // released before new ones are made, so the music is never left playing
    // twice.
    const int oldBgm = form->sndBGM;
    form->Form_Load();
    EXPECT_EQ(f.window.placements.size(), 1u);
    EXPECT_EQ(f.sound.live.count(oldBgm), 0u);
    EXPECT_EQ(f.sound.live.size(), 4u);
    EXPECT_EQ(s().level, 1);
    EXPECT_TRUE(f.menu.isChecked(MenuItem::LEVEL1));
    EXPECT_FALSE(f.menu.isChecked(MenuItem::LEVEL3));
}

TEST_F(Match, HumanFirstThenTheComputerAnswers) {
    form->SENTE_Click();
    EXPECT_TRUE(sawBox(texts::match::YOUR_TURN, texts::match::YOUR_TURN_TITLE));
    EXPECT_EQ(s().roleMAN, SENTE);
    EXPECT_EQ(s().turn, SENTE);
    EXPECT_TRUE(f.timer.enabled);

    f.clock.advance(12.5f);
    move(3, 7, 3, 6);
    EXPECT_EQ(s().moveNo, 2);
    EXPECT_EQ(s().moveNoLast, 2);
    EXPECT_EQ(s().moveCount, 2);
    EXPECT_EQ(s().board[3][6], MAN_HU);
    EXPECT_EQ(s().record.recPieceAfter[1], MAN_HU);
    EXPECT_GT(s().record.recPieceAfter[2], 0);
    EXPECT_FLOAT_EQ(s().record.recTimeMANAfter[1], 12.5f);
    EXPECT_FLOAT_EQ(s().timeUsedMAN, 12.5f);
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(f.sound.plays(form->sndPiece), 2);
    EXPECT_EQ(f.clock.waits, std::vector<double>{0.5});
    EXPECT_TRUE(f.canvas.drewText(texts::draw::THINKING));
    EXPECT_EQ(f.canvas.lastOutline(s().record.recToX[2], s().record.recToY[2]), 15);
}

TEST_F(Match, HumanSecondLetsTheComputerMoveAtOnce) {
    form->GOTE_Click();
    EXPECT_TRUE(f.dialogs.boxes.empty());
    EXPECT_EQ(s().roleCOM, SENTE);
    EXPECT_EQ(s().moveNo, 1);
    EXPECT_GT(s().record.recPieceAfter[1], 0);
    EXPECT_EQ(s().turn, GOTE);
    EXPECT_EQ(s().missCountCOM, 0);
}

TEST_F(Match, HumanWinsByCapturingTheKingAndPlaysAgain) {
    bareGame();
    s().board[5][5] = MAN_SYA;
    int lastWhenAsked = -1;
    f.dialogs.onBox = [&](const Box&) { lastWhenAsked = s().moveNoLast; };
    move(5, 5, 5, 1);
    ASSERT_GE(f.dialogs.boxes.size(), 2u);
    EXPECT_EQ(f.dialogs.boxes[0], (Box{Box::Message, "あなたの勝ちです", "終了"}));
    EXPECT_EQ(f.dialogs.boxes[1], (Box{Box::YesNo, "続けますか？", "再ゲーム", true}));
    EXPECT_EQ(lastWhenAsked, 1);
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_EQ(s().board[5][1], COM_OU);  // starting position again
    // The game was played on a made-up position, so its record cannot be stepped through
    // from the starting position and is dropped.
    EXPECT_EQ(s().moveNoLast, 0);
    EXPECT_EQ(f.window.quits, 0);
}

TEST_F(Match, HumanWinsByMateWithADrop) {
    bareGame();
    s().board[5][3] = MAN_HU;
    giveMan(5);
    f.dialogs.defaultAnswer = false;
    f.dialogs.answerByTitle[texts::match::QUIT_TITLE] = true;
    click(11, 7);  // the gold in hand
    EXPECT_EQ(s().selPhase, 1);
    EXPECT_EQ(f.canvas.lastOutline(11, 7), 12);
    click(5, 2);
    EXPECT_TRUE(sawBox(texts::match::winnerIs(texts::match::WINNER_YOU), texts::match::END_TITLE));
    EXPECT_EQ(s().screenUp, NO);  // the computer's pieces were shown
    // No to another game ends the program like 終わり, asking first about the unsaved move.
    EXPECT_TRUE(sawBox(QUIT_QUESTION, texts::match::QUIT_TITLE));
    EXPECT_EQ(f.window.quits, 1);
    EXPECT_TRUE(form->closed);
    EXPECT_TRUE(f.sound.live.empty());
}

TEST_F(Match, ComputerWinsByCapturingTheKing) {
    bareGame();
    s().board[5][4] = COM_SYA;  // hidden rook facing the human king
    giveMan(1);
    click(11, 3);
    click(1, 5);  // a drop is never a king-exposed miss
    EXPECT_TRUE(
        sawBox(texts::match::winnerIs(texts::match::WINNER_COMPUTER), texts::match::END_TITLE));
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_EQ(s().missCountMAN, 0);
}

TEST_F(Match, TenthMissLosesTheNinthDoesNot) {
    bareGame();
    s().board[8][8] = MAN_SYA;
    s().board[8][5] = COM_HU;  // hides the path to row 2
    for (int i = 1; i <= 9; ++i) {
        move(8, 8, 8, 2);
        EXPECT_EQ(s().missCountMAN, i);
    }
    const Box miss{
        Box::Message,
        texts::match::missReport(texts::match::MISS_HEADER_MAN, texts::match::MISS_JUMPED),
        texts::match::FOUL_TITLE};
    EXPECT_EQ(f.dialogs.boxes.size(), 9u);
    EXPECT_EQ(f.dialogs.boxes[8], miss);
    EXPECT_EQ(s().board[8][8], MAN_SYA);
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 9);
    EXPECT_EQ(f.clock.waits.size(),
              9u * 6u);  // three blinks of two waits per miss

    move(8, 8, 8, 2);
    EXPECT_EQ(f.dialogs.boxes[9], miss);
    EXPECT_EQ(f.dialogs.boxes[10],
              (Box{Box::Message, texts::match::winnerIs(texts::match::WINNER_COM_ON_MISSES),
                   texts::match::END_TITLE}));
}

TEST_F(Match, ComputerFoulsAreMissesAndNeverAimTwiceAtOneSquare) {
    form->LEVEL1_Click();
    f.clock.now = 36000.5f;  // every roll is '5': level 1 fouls on each scan
    f.clock.waitsAdvance = false;
    madeUpPosition();
    for (auto& col : s().board) col.fill(EMPTY);
    s().board[9][1] = COM_OU;
    s().board[1][1] = COM_SYA;
    s().board[5][9] = MAN_OU;
    s().board[1][5] = MAN_HU;  // hides rows 6..9 of the rook's column
    form->GOTE_Click();
    const Box foul{
        Box::Message,
        texts::match::missReport(texts::match::MISS_HEADER_COM, texts::match::MISS_JUMPED),
        texts::match::FOUL_TITLE};
    EXPECT_EQ(f.dialogs.count(foul.text), 4);
    EXPECT_EQ(s().missCountCOM, 4);
    for (int y = 6; y <= 9; ++y) EXPECT_EQ(s().comTurn.foulTried[1][y], YES) << y;
    EXPECT_EQ(s().comTurn.foulTried[1][5], NO);
    // Misses leave the record, the count and the board alone; the move is then
    // played.
    EXPECT_EQ(s().moveNo, 1);
    EXPECT_EQ(s().moveCount, 1);
    EXPECT_EQ(s().record.recMissCOM[1], 4);
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 4);
}

TEST_F(Match, AComputerWithoutAnyMoveLosesInsteadOfPlayingNothing) {
    madeUpPosition();
    for (auto& col : s().board) col.fill(EMPTY);
    s().board[5][9] = MAN_OU;
    s().board[1][1] = COM_OU;  // walled in by its own pawns, none of which can move
    for (int y = 1; y <= 9; ++y) {
        if (y > 1) s().board[1][y] = COM_HU;
        s().board[2][y] = COM_HU;
    }
    form->GOTE_Click();
    EXPECT_TRUE(sawBox(texts::match::winnerIs(texts::match::WINNER_YOU), texts::match::END_TITLE));
    EXPECT_EQ(s().moveNoLast, 0);  // nothing was recorded
}

TEST_F(Match, DropOnAHiddenPieceIsAMiss) {
    bareGame();
    s().board[4][5] = COM_KIN;
    giveMan(1);
    click(11, 3);
    click(4, 5);
    EXPECT_TRUE(sawBox(
        texts::match::missReport(texts::match::MISS_HEADER_MAN, texts::match::MISS_DROPPED_ON),
        texts::match::FOUL_TITLE));
    EXPECT_EQ(s().handMAN[1], 1);
    EXPECT_EQ(s().selPhase, 0);
}

TEST_F(Match, PromotionNeedsTheRightButton) {
    bareGame(5, 9, 9, 1);
    s().board[5][2] = MAN_HU;
    click(5, 2);
    click(5, 1, LEFT_BUTTON);
    EXPECT_EQ(f.dialogs.boxes.back(),
              (Box{Box::Message, texts::match::PROMOTE_WITH_RIGHT, texts::match::PROMOTE_TITLE}));
    EXPECT_EQ(s().selPhase, 1);
    // Any button but the right one is taken as the left one.
    click(5, 1, 3);
    EXPECT_EQ(f.dialogs.count(texts::match::PROMOTE_WITH_RIGHT), 2);
    EXPECT_EQ(s().board[5][2], MAN_HU);
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 2);

    click(5, 1, RIGHT_BUTTON);
    EXPECT_EQ(s().record.recPieceBefore[1], MAN_HU);
    EXPECT_EQ(s().record.recPieceAfter[1], MAN_TO);
    EXPECT_EQ(s().board[5][1], MAN_TO);
}

TEST_F(Match, RightClickOutsideTheZoneIsAnOrdinaryMove) {
    bareGame();
    s().board[2][5] = MAN_HU;
    move(2, 5, 2, 4, RIGHT_BUTTON);
    EXPECT_EQ(s().record.recPieceAfter[1], MAN_HU);
}

TEST_F(Match, SelectionRules) {
    bareGame();
    s().board[3][3] = COM_GIN;
    s().board[3][7] = MAN_HU;
    click(4, 4);  // empty: nothing
    EXPECT_EQ(s().selPhase, 0);
    click(3, 3);  // hidden computer piece: nothing selected, ordinary outline
    EXPECT_EQ(s().selPhase, 0);
    EXPECT_EQ(f.canvas.lastOutline(3, 3), 2);
    click(3, 7);
    EXPECT_EQ(s().selPhase, 1);
    click(12, 12);  // off the board: the outline goes, the selection stays
    EXPECT_EQ(f.canvas.lastOutline(3, 7), 2);
    click(3, 6);
    EXPECT_EQ(s().board[3][6], MAN_HU);
    EXPECT_EQ(s().record.recFromX[1], 3);
}

TEST_F(Match, IllegalDestinationOnlySounds) {
    bareGame();
    s().board[3][7] = MAN_HU;
    move(3, 7, 3, 5);
    EXPECT_TRUE(f.dialogs.boxes.empty());
    EXPECT_EQ(s().selPhase, 0);
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 1);
    EXPECT_EQ(s().moveNo, 0);
}

TEST_F(Match, StartAgainMidGame) {
    form->SENTE_Click();
    move(3, 7, 3, 6);
    form->CANCEL_Click();
    EXPECT_EQ(f.sound.plays(form->sndPiece), 3);
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(s().timeUsedMAN, 0);
    EXPECT_EQ(s().board[3][7], MAN_HU);
    EXPECT_FALSE(f.timer.enabled);
    f.dialogs.boxes.clear();
    click(3, 7);
    EXPECT_EQ(f.dialogs.boxes, (std::vector<Box>{{Box::Message, texts::match::START_WITH_GAME_MENU,
                                                  texts::match::START_TITLE}}));
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 1);
}

TEST_F(Match, EscapeEndsTheProgramOnceOtherKeysDoNothing) {
    form->Form_KeyDown(65);
    EXPECT_EQ(f.window.quits, 0);
    const int other = form->sndOther, forbidden = form->sndForbidden, piece = form->sndPiece,
              bgm = form->sndBGM;
    f.sound.calls.clear();
    form->Form_KeyDown(KEY_ESCAPE);
    EXPECT_EQ(f.window.quits, 1);
    const std::vector<fakes::SoundCall> released{
        {"free", other}, {"free", forbidden}, {"free", piece}, {"free", bgm}, {"terminate", 77}};
    EXPECT_EQ(f.sound.calls, released);
    // The window closing afterwards frees nothing twice.
    form->Form_Unload();
    EXPECT_EQ(f.sound.calls, released);
    EXPECT_EQ(f.window.quits, 1);
}

TEST_F(Match, ResumeAtTheEndOfTheRecordGivesTheMoveToTheOtherSide) {
    form->SENTE_Click();
    move(3, 7, 3, 6);
    ASSERT_EQ(s().moveNo, 2);
    s().record.recPieceAfter[3] = COM_HU;  // stale entry of an earlier, longer game
    s().turn = NOBODY;                     // as after stepping back and forward again
    f.dialogs.boxes.clear();
    click(1, 1);
    EXPECT_EQ(f.dialogs.boxes,
              (std::vector<Box>{{Box::Message, texts::match::RESUME, texts::match::RESUME_TITLE}}));
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(s().moveNo, 2);

    // With a move ahead in the record, its side is to move: the computer plays at
    // once.
    s().turn = NOBODY;
    s().moveNoLast = 3;
    s().moveNo = 2;
    s().record.recPieceAfter[3] = COM_HU;
    click(1, 1);
    EXPECT_EQ(s().moveNo, 3);
    EXPECT_EQ(s().turn, s().roleMAN);
}

TEST_F(Match, TurnTimeIsMeasuredWithTheDisplayOff) {
    f.menu.setChecked(MenuItem::KEIKA, false);
    f.clock.now = 86395.0f;  // the turn spans midnight
    form->SENTE_Click();
    f.clock.advance(10.0f);
    move(3, 7, 3, 6);
    EXPECT_FLOAT_EQ(s().timeUsedMAN, 10.0f);
    EXPECT_FLOAT_EQ(s().record.recTimeMANAfter[1], 10.0f);
    EXPECT_FALSE(f.timer.enabled);
    EXPECT_FLOAT_EQ(s().timeUsedCOM, s().record.recTimeCOMAfter[2]);

    f.clock.advance(4.0f);
    move(2, 7, 2, 6);
    EXPECT_FLOAT_EQ(s().timeUsedMAN, 14.0f);
}

TEST_F(Match, TickDrawsTheClockOfTheSideToMoveOncePerSecond) {
    f.menu.setChecked(MenuItem::KEIKA, true);
    form->SENTE_Click();
    f.canvas.ops.clear();
    f.clock.advance(1.5f);
    form->Timer1_Timer();
    EXPECT_TRUE(f.canvas.drewText("00:00:01"));
    const auto drawn = f.canvas.ops.size();
    f.clock.advance(0.2f);
    form->Timer1_Timer();
    EXPECT_EQ(f.canvas.ops.size(), drawn);
    f.timer.enabled = false;
    f.clock.advance(5.0f);
    form->Timer1_Timer();
    EXPECT_EQ(f.canvas.ops.size(), drawn);
    EXPECT_FLOAT_EQ(調査_経過秒(86399.0f, 1.0f), 2.0f);
}

TEST_F(Match, LevelMenu) {
    form->LEVEL2_Click();
    EXPECT_EQ(s().level, 2);
    EXPECT_TRUE(f.menu.isChecked(MenuItem::LEVEL2));
    EXPECT_FALSE(f.menu.isChecked(MenuItem::LEVEL1));
    EXPECT_FALSE(f.canvas.drewText("LEVEL"));
    form->SENTE_Click();
    EXPECT_TRUE(f.canvas.drewText("LEVEL"));
    EXPECT_TRUE(f.canvas.drewText("2"));
}

TEST_F(Match, FullRecordEndsTheGameWithoutWritingPastIt) {
    bareGame();
    s().board[3][7] = MAN_HU;
    s().board[4][7] = MAN_HU;
    s().moveNo = s().moveNoLast = MAX_MOVES - 1;
    s().moveCount = MAX_MOVES - 1;
    int lastWhenAsked = -1;
    f.dialogs.onBox = [&](const Box& b) {
        if (b.title == texts::match::END_TITLE) lastWhenAsked = s().moveNoLast;
    };
    move(3, 7, 3, 6);  // the 500th move: no answer, the game ends
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(lastWhenAsked, MAX_MOVES);
    EXPECT_EQ(s().record.recPieceAfter[MAX_MOVES], MAN_HU);
    EXPECT_TRUE(sawBox(texts::match::RECORD_FULL, texts::match::END_TITLE));

    bareGame();
    s().board[4][7] = MAN_HU;
    s().moveNo = s().moveNoLast = MAX_MOVES;
    s().moveCount = MAX_MOVES;
    lastWhenAsked = -1;
    move(4, 7, 4, 6);
    EXPECT_EQ(lastWhenAsked, MAX_MOVES);
    EXPECT_EQ(s().record.recToX[MAX_MOVES], 3);
    EXPECT_EQ(s().turn, NOBODY);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// The picture last drawn on a square, or -1 when none.
int lastPicture(const fakes::FakeCanvas& c, double gx, double gy) {
    for (auto it = c.ops.rbegin(); it != c.ops.rend(); ++it)
        if (it->kind == fakes::CanvasOp::Picture && it->gx == gx && it->gy == gy) return it->code;
    return -1;
}

TEST_F(Match, MovesRepaintTheirSquaresAndHandsAsTheyArePlayed) {
    form->SENTE_Click();
    move(7, 7, 7, 6);  // the human's pawn; the computer answers at once
    ASSERT_EQ(s().board[7][6], MAN_HU);
    EXPECT_EQ(lastPicture(f.canvas, 7, 6), MAN_HU);
    EXPECT_EQ(lastPicture(f.canvas, 7, 7), PICTURE_EMPTY_SQUARE);
    EXPECT_EQ(f.canvas.lastOutline(7, 6), 2);
    // Whatever the computer moved is behind the screen: its squares look empty.
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int want = isManPiece(s().board[x][y]) ? s().board[x][y] : PICTURE_EMPTY_SQUARE;
            const int drawn = lastPicture(f.canvas, x, y);
            EXPECT_EQ(drawn, want) << x << "," << y;
        }
}

// The text drawn last with the given content, or nullptr.
const fakes::CanvasOp* lastText(const fakes::FakeCanvas& c, std::string_view text) {
    for (auto it = c.ops.rbegin(); it != c.ops.rend(); ++it)
        if (it->kind == fakes::CanvasOp::Text && it->text == text) return &*it;
    return nullptr;
}

TEST_F(Match, HumanMoveThatBaresTheKingIsAMissFramedAndBlinked) {
    bareGame();
    s().board[5][8] = MAN_KIN;
    s().board[5][2] = COM_SYA;  // hidden rook behind the gold
    int outlineAtBox = -1;
    f.dialogs.onBox = [&](const Box&) { outlineAtBox = f.canvas.lastOutline(4, 8); };
    f.canvas.ops.clear();
    move(5, 8, 4, 8);
    EXPECT_EQ(f.dialogs.boxes,
              (std::vector<Box>{{Box::Message,
                                 texts::match::missReport(texts::match::MISS_HEADER_MAN,
                                                          texts::match::MISS_MAN_KING_EXPOSED),
                                 texts::match::FOUL_TITLE}}));
    EXPECT_EQ(outlineAtBox, 15);  // the destination is framed white while the box shows
    EXPECT_EQ(f.canvas.lastOutline(4, 8), 2);
    EXPECT_EQ(f.canvas.lastOutline(5, 8), 2);
    EXPECT_EQ(s().missCountMAN, 1);
    EXPECT_EQ(s().board[5][8], MAN_KIN);
    EXPECT_EQ(s().selPhase, 0);
    EXPECT_EQ(s().turn, s().roleMAN);
    // Three light-red flashes, and the counter ends white.
    int red = 0;
    for (const auto& op : f.canvas.ops)
        if (op.kind == fakes::CanvasOp::Text && op.text == "1" && op.gx == 13.8 && op.code == 12)
            ++red;
    EXPECT_EQ(red, 3);
    ASSERT_NE(lastText(f.canvas, texts::draw::MISS_LABEL_MAN), nullptr);
    EXPECT_EQ(lastText(f.canvas, texts::draw::MISS_LABEL_MAN)->code, 15);
    EXPECT_EQ(f.clock.waits, std::vector<double>(6, 0.1));
}

TEST_F(Match, ComputerAnnouncesMateOrCheckBeforeItsDropAndPlayGoesOn) {
    bareGame();
    s().board[4][9] = MAN_KYOU;
    s().board[6][9] = MAN_KYOU;
    s().board[1][7] = MAN_HU;
    s().board[5][7] = COM_HU;  // guards the square in front of the human king
    s().handCOM[5] = 1;        // a gold in hand
    s().handTotalCOM = 1;
    move(1, 7, 1, 6);
    EXPECT_EQ(s().board[5][8], COM_KIN);
    EXPECT_EQ(f.dialogs.boxes,
              (std::vector<Box>{
                  {Box::Message, texts::match::COM_SEES_MATE, texts::match::COM_SEES_MATE_TITLE},
                  {Box::Message, texts::match::COM_DROPPED, texts::match::COM_DROPPED_TITLE}}));
    EXPECT_EQ(s().turn, s().roleMAN);
    EXPECT_EQ(s().record.recFromX[2], COM_HAND_X);
    EXPECT_EQ(f.canvas.lastOutline(5, 8), 15);
    // "思考中" in white over its black shadow, left of the board.
    const fakes::CanvasOp* thinking = lastText(f.canvas, texts::draw::THINKING);
    ASSERT_NE(thinking, nullptr);
    EXPECT_EQ(thinking->code, 15);
    EXPECT_DOUBLE_EQ(thinking->gx, -1.6);
    EXPECT_DOUBLE_EQ(thinking->gy, 8.4);
    EXPECT_EQ(thinking->fontSize, 12);

    // A check that is not mate has its own box, with an empty title.
    bareGame(5, 5, 9, 1);
    s().board[1][7] = MAN_HU;
    s().board[4][3] = COM_KIN;
    s().board[6][3] = COM_KIN;
    s().handCOM[7] = 1;  // a rook in hand
    s().handTotalCOM = 1;
    move(1, 7, 1, 6);
    EXPECT_EQ(s().board[5][4], COM_SYA);
    EXPECT_EQ(f.dialogs.boxes,
              (std::vector<Box>{
                  {Box::Message, texts::match::CHECK, texts::match::CHECK_TITLE},
                  {Box::Message, texts::match::COM_DROPPED, texts::match::COM_DROPPED_TITLE}}));
}

TEST_F(Match, ComputerTenthMissLosesTheGame) {
    form->LEVEL1_Click();
    f.clock.now = 36000.5f;  // every roll fouls
    f.clock.waitsAdvance = false;
    madeUpPosition();
    for (auto& col : s().board) col.fill(EMPTY);
    s().board[9][1] = COM_OU;
    s().board[1][1] = COM_SYA;
    s().board[5][9] = MAN_OU;
    s().board[1][5] = MAN_HU;
    s().missCountCOM = 9;
    f.dialogs.defaultAnswer = true;
    form->GOTE_Click();
    ASSERT_EQ(f.dialogs.boxes.size(), 3u);
    EXPECT_EQ(f.dialogs.boxes[0].text,
              texts::match::missReport(texts::match::MISS_HEADER_COM, texts::match::MISS_JUMPED));
    EXPECT_EQ(f.dialogs.boxes[1],
              (Box{Box::Message, texts::match::winnerIs(texts::match::WINNER_MAN_ON_MISSES),
                   texts::match::END_TITLE}));
    EXPECT_EQ(f.dialogs.boxes[2].title, texts::match::ANOTHER_GAME_TITLE);
    EXPECT_EQ(s().moveNoLast, 0);  // nothing was played
}

TEST_F(Match, ClickInRecordModeAsksToStepOnAndNoStartsAfresh) {
    s().kifuMode = YES;
    f.dialogs.answers = {true, false};
    click(5, 5);
    EXPECT_EQ(f.dialogs.boxes.back(), (Box{Box::YesNo, texts::match::STEP_WITH_AFTER,
                                           texts::match::STEP_WITH_AFTER_TITLE, true}));
    EXPECT_EQ(s().kifuMode, YES);
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 0);
    const int oldForbidden = form->sndForbidden;
    click(5, 5);
    EXPECT_EQ(f.sound.plays(oldForbidden), 1);
    EXPECT_EQ(s().kifuMode, NO);
    EXPECT_EQ(f.sound.live.size(), 4u);  // sounds set up afresh
    EXPECT_EQ(s().turn, NOBODY);
}

// 反転 (outside a game: in one it is refused) starts the record again from the reversed
// position; 最初 after a game played on it must not leave its record to be stepped through on
// the starting position.
TEST_F(Match, ReversedRecordIsNotReplayedAfterAReset) {
    GameState start{};
    loadDefaults(start);
    form->SENTE_Click();
    move(7, 7, 7, 6);
    form->REVERSE_Click();
    EXPECT_EQ(s().reversed, NO);
    f.dialogs.answers = {true};
    form->CANCEL_Click();
    form->AFTER_Click();
    form->AFTER_Click();
    form->REVERSE_Click();
    ASSERT_EQ(s().reversed, YES);
    form->SENTE_Click();
    move(3, 6, 3, 5);
    ASSERT_EQ(s().moveNo, 2);
    form->CANCEL_Click();
    EXPECT_EQ(s().moveNoLast, 0);
    f.dialogs.boxes.clear();
    const int forbidden = f.sound.plays(form->sndForbidden);
    form->AFTER_Click();
    EXPECT_EQ(
        f.dialogs.boxes,
        (std::vector<Box>{{Box::Message, texts::match::CANNOT, texts::match::FORWARD_TITLE}}));
    EXPECT_EQ(f.sound.plays(form->sndForbidden), forbidden + 1);
    EXPECT_EQ(s().board, start.board);
    form->SENTE_Click();
    move(3, 5, 3, 4);  // nothing stands there
    EXPECT_EQ(s().board, start.board);
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(checkGameState(s()), "");
    int pieces = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) pieces += s().board[x][y] != EMPTY ? 1 : 0;
    EXPECT_EQ(pieces + s().handTotalMAN + s().handTotalCOM, 40);
}

// A game played from the starting position can be stepped through again after 最初 or after
// "yes" to another game, up to the very position it reached; 反転 of the starting position,
// which gives the same position, keeps that too.
TEST_F(Match, ResetKeepsARecordThatReplaysFromTheStart) {
    form->SENTE_Click();
    move(3, 7, 3, 6);
    move(2, 8, 7, 3, RIGHT_BUTTON);  // the bishop takes a pawn and promotes, and is taken
    ASSERT_EQ(s().moveNo, 4);
    const Map reached = s().board;
    const auto handMAN = s().handMAN, handCOM = s().handCOM;
    form->CANCEL_Click();
    EXPECT_EQ(s().moveNoLast, 4);
    for (int n = 1; n <= 4; ++n) form->AFTER_Click();
    EXPECT_EQ(s().moveNo, 4);
    EXPECT_EQ(s().board, reached);
    EXPECT_EQ(s().handMAN, handMAN);
    EXPECT_EQ(s().handCOM, handCOM);
    EXPECT_EQ(checkGameState(s()), "");

    form->CANCEL_Click();
    form->REVERSE_Click();
    form->SENTE_Click();
    move(7, 7, 7, 6);
    f.dialogs.answers = {true};
    form->CANCEL_Click();
    EXPECT_EQ(s().moveNoLast, 2);
    form->AFTER_Click();
    EXPECT_EQ(s().board[7][6], MAN_HU);
}

// 進 and 戻 after a 反転 in the middle of the record step only over moves recorded on the
// board as it stands.
TEST_F(Match, SteppingAroundAReversalKeepsEveryPiece) {
    form->SENTE_Click();
    move(7, 7, 7, 6);
    move(3, 7, 3, 6);
    f.dialogs.answers = {true};
    form->CANCEL_Click();  // 反転 is refused in a game
    for (int i = 0; i < 2; ++i) form->AFTER_Click();
    ASSERT_EQ(s().moveNo, 2);
    form->REVERSE_Click();  // the record ahead was made on the unreversed board
    EXPECT_EQ(s().moveNoLast, 0);
    for (int i = 0; i < 3; ++i) form->AFTER_Click();
    for (int i = 0; i < 3; ++i) form->REPLAY_Click();
    form->REVERSE_Click();
    for (int i = 0; i < 3; ++i) form->AFTER_Click();
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(checkGameState(s()), "");
}

// A game is played only with both kings on the board: after stepping to the end of a game won
// by a king's capture, neither 先手, 後手 nor a click that would resume play starts it again.
TEST_F(Match, NoPlayOnAPositionWithoutAKing) {
    s().board[5][1] = EMPTY;  // as at the end of a game the human won by taking the king
    s().moveNo = s().moveNoLast = s().moveCount = 1;
    s().record.recPieceAfter[1] = MAN_SYA;
    f.dialogs.boxes.clear();
    form->SENTE_Click();
    form->GOTE_Click();
    click(5, 5);
    EXPECT_EQ(
        f.dialogs.boxes,
        (std::vector<Box>{
            {Box::Message, texts::match::NO_GAME_WITHOUT_KINGS, texts::match::NO_GAME_TITLE},
            {Box::Message, texts::match::NO_GAME_WITHOUT_KINGS, texts::match::NO_GAME_TITLE},
            {Box::Message, texts::match::NO_RESUME_WITHOUT_KINGS, texts::match::RESUME_TITLE}}));
    EXPECT_EQ(f.sound.plays(form->sndForbidden), 3);
    EXPECT_EQ(s().turn, NOBODY);
    EXPECT_EQ(s().gameState, NOBODY);
    EXPECT_EQ(s().moveNo, 1);
}

// Play resumed outside a game with the computer to move hands the human nothing: the
// computer's pieces stay behind the screen, so the human's king cannot be taken by a click.
TEST_F(Match, AResumedComputerTurnCannotTakeTheHumansKing) {
    madeUpPosition();
    for (auto& col : s().board) col.fill(EMPTY);
    s().board[5][9] = MAN_OU;
    s().board[5][1] = COM_OU;
    s().board[5][2] = COM_SYA;
    s().turn = s().roleCOM;  // resumed with the computer to move, no game started
    f.dialogs.answers = {true};
    move(5, 2, 5, 9);
    EXPECT_FALSE(
        sawBox(texts::match::winnerIs(texts::match::WINNER_COMPUTER), texts::match::END_TITLE));
    EXPECT_EQ(s().board[5][9], MAN_OU);
    EXPECT_EQ(s().board[5][2], COM_SYA);
    EXPECT_EQ(s().moveNo, 0);
}

// The move counter goes on from where it stood at a 反転 while the record starts again; the
// game ends when the counter reaches 500 too, so that it never passes it.
TEST_F(Match, CounterCarriedOverAReversalEndsTheGameAt500) {
    form->SENTE_Click();
    form->REVERSE_Click();
    s().moveCount = MAX_MOVES - 1;
    int countAtEnd = -1;
    f.dialogs.onBox = [&](const Box& b) {
        if (b.title == texts::match::END_TITLE) countAtEnd = s().moveCount;
    };
    move(7, 7, 7, 6);
    EXPECT_TRUE(sawBox(texts::match::RECORD_FULL, texts::match::END_TITLE));
    EXPECT_EQ(countAtEnd, MAX_MOVES);
    EXPECT_EQ(s().moveCount, 0);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// Everything a click shows or sounds: the drawing, the boxes, the sounds, the repaints and the
// waits, and the timer switches.
struct Reaction {
    std::vector<fakes::CanvasOp> ops;
    std::vector<Box> boxes;
    std::vector<fakes::SoundCall> sounds;
    int repaints = 0;
    std::vector<double> waits;
    std::vector<bool> timer;
    bool operator==(const Reaction&) const = default;
};

// One game played twice, once with a hidden computer piece on a square and once with that
// square empty: prepare sets the game up, then the clicks are made and recorded.
class ScreenProbe {
  public:
    struct Click {
        int gx, gy, button;
    };

    ScreenProbe() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        static int serial = 0;
        dir_ = fakes::makeGameFolder(std::string("velk_screen_") + info->name() + "_" +
                                     std::to_string(serial++));
    }
    ~ScreenProbe() { std::filesystem::remove_all(dir_); }

    Reaction run(const std::function<void(Form1&)>& prepare, int hiddenX, int hiddenY,
                 int hiddenPiece, const std::vector<Click>& clicks) {
        fakes::FakePorts f;
        Form1 form(f.ports(), dir_);
        form.Form_Load();
        form.LEVEL3_Click();
        // The probes play on made-up positions, far from the full set of pieces.
        form.checkStateAfterEvents = false;
        prepare(form);
        if (hiddenPiece != EMPTY)
            form.s.board[hiddenX][hiddenY] = static_cast<std::int16_t>(hiddenPiece);
        f.canvas.ops.clear();
        f.dialogs.boxes.clear();
        f.sound.calls.clear();
        f.window.repaints = 0;
        f.clock.waits.clear();
        f.timer.history.clear();
        for (const Click& c : clicks)
            form.Form_MouseDown(c.button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * c.gx + 200),
                                static_cast<float>(BOARD_TOP + SQUARE_H * c.gy + 300));
        return {f.canvas.ops,      f.dialogs.boxes, f.sound.calls,
                f.window.repaints, f.clock.waits,   f.timer.history};
    }

    // The reactions with and without the hidden piece; both are returned for the caller's
    // own checks.
    std::pair<Reaction, Reaction> both(const std::function<void(Form1&)>& prepare, int x, int y,
                                       int hidden, const std::vector<Click>& clicks) {
        return {run(prepare, x, y, hidden, clicks), run(prepare, x, y, EMPTY, clicks)};
    }

  private:
    std::filesystem::path dir_;
};

// The computer has just moved (its destination framed white) and the human is to move.
void afterAComputerMove(Form1& form) {
    testkit::setBoard(form.s, "4k4/9/9/9/9/9/6P2/7R1/4K4");
    form.GOTE_Click();
}

TEST(Screen, AClickOnAHiddenPieceLooksAndSoundsLikeAClickOnAnEmptySquare) {
    ScreenProbe probe;
    for (const int button : {LEFT_BUTTON, RIGHT_BUTTON, MIDDLE_BUTTON}) {
        SCOPED_TRACE(button);
        // First click, also after a piece was selected and dropped again by a click beside the
        // board, and followed by one.
        for (const auto& clicks : std::vector<std::vector<ScreenProbe::Click>>{
                 {{4, 4, button}},
                 {{4, 4, button}, {13, 5, button}},
                 {{7, 7, LEFT_BUTTON}, {13, 5, LEFT_BUTTON}, {4, 4, button}},
                 {{4, 4, button}, {7, 7, LEFT_BUTTON}}}) {
            const auto [hidden, empty] = probe.both(afterAComputerMove, 4, 4, COM_GIN, clicks);
            EXPECT_EQ(hidden, empty);
        }
        // Destination clicks that the rules refuse alike: a square the pawn cannot reach, a
        // rook passing over another hidden piece (a miss either way).
        const auto [h1, e1] =
            probe.both(afterAComputerMove, 4, 4, COM_GIN, {{7, 7, LEFT_BUTTON}, {4, 4, button}});
        EXPECT_EQ(h1, e1);
        EXPECT_EQ(h1.sounds.size(), 1u);
        const auto passOver = [](Form1& form) {
            afterAComputerMove(form);
            form.s.board[8][5] = COM_HU;
        };
        const auto [h2, e2] =
            probe.both(passOver, 8, 3, COM_KIN, {{8, 8, LEFT_BUTTON}, {8, 3, button}});
        EXPECT_EQ(h2, e2);
        ASSERT_FALSE(h2.boxes.empty());
        EXPECT_EQ(h2.boxes[0].text, texts::match::missReport(texts::match::MISS_HEADER_MAN,
                                                             texts::match::MISS_JUMPED));
    }
    // A pawn that must promote, clicked onto the last row without the right button.
    const auto lastRow = [](Form1& form) {
        testkit::setBoard(form.s, "9/4P4/9/9/9/9/9/9/4K4");
        form.s.board[9][9] = COM_OU;
        form.SENTE_Click();
    };
    for (const int button : {LEFT_BUTTON, MIDDLE_BUTTON}) {
        const auto [hidden, empty] =
            probe.both(lastRow, 5, 1, COM_KEI, {{5, 2, LEFT_BUTTON}, {5, 1, button}});
        EXPECT_EQ(hidden, empty);
        EXPECT_EQ(hidden.boxes.size(), 1u);
    }
}

// A move that the human's own side of the screen already forbids is refused plainly, never
// counted as a miss, whatever stands behind the screen: else such moves would probe hidden
// squares for free.
TEST(Screen, AMoveTheHumansViewForbidsIsRefusedAlikeWhateverIsHidden) {
    ScreenProbe probe;
    struct Case {
        const char* what;
        const char* board;
        int hiddenX, hiddenY, hidden;
        std::vector<ScreenProbe::Click> clicks;
    };
    const std::vector<Case> cases = {
        {"a second pawn on a file, dropped onto a hidden pawn",
         "4k4/9/9/9/9/9/4P4/9/4K4",
         5,
         5,
         COM_HU,
         {{11, 3, LEFT_BUTTON}, {5, 5, LEFT_BUTTON}}},
        {"a pawn dropped on the last row, onto a hidden piece",
         "4k4/9/9/9/9/9/9/9/4K4",
         3,
         1,
         COM_KIN,
         {{11, 3, LEFT_BUTTON}, {3, 1, RIGHT_BUTTON}}},
        {"a silver sent where no silver goes, pinned by a hidden rook",
         "9/9/9/9/9/9/9/4S4/k3K4",
         5,
         2,
         COM_SYA,
         {{5, 8, LEFT_BUTTON}, {3, 8, LEFT_BUTTON}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto prepare = [&c](Form1& form) {
            testkit::setBoard(form.s, c.board);
            testkit::setHands(form.s, "P");
            form.SENTE_Click();
        };
        const auto [hidden, empty] = probe.both(prepare, c.hiddenX, c.hiddenY, c.hidden, c.clicks);
        EXPECT_EQ(hidden, empty);
        EXPECT_TRUE(hidden.boxes.empty());
        EXPECT_EQ(hidden.sounds.size(), 1u);  // the refusal
    }
}

TEST(Screen, WithTheComputerToMoveHiddenPiecesAndHandKindsCannotBeTakenUp) {
    ScreenProbe probe;
    const auto comToMove = [](Form1& form) {
        testkit::setBoard(form.s, "4k4/9/9/9/9/9/9/9/4K4");
        testkit::setHands(form.s, "g");
        form.s.handTotalCOM = 1;
        form.s.turn = form.s.roleCOM;
    };
    const auto [hidden, empty] =
        probe.both(comToMove, 3, 3, COM_GIN, {{3, 3, LEFT_BUTTON}, {-1, 3, LEFT_BUTTON}});
    EXPECT_EQ(hidden, empty);
    EXPECT_TRUE(hidden.ops.empty());
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

TEST_F(Match, QuittingAGameWithUnsavedMovesAsksFirst) {
    form->SENTE_Click();
    move(7, 7, 7, 6);
    ASSERT_EQ(s().moveNo, 2);
    f.dialogs.boxes.clear();
    f.dialogs.defaultAnswer = false;

    // No keeps the game: 終わり, Escape and closing the window each ask once, No the default.
    form->OWARI_Click();
    form->Form_KeyDown(KEY_ESCAPE);
    form->Form_Unload();
    const Box asked{Box::YesNo, QUIT_QUESTION, texts::match::QUIT_TITLE, false, DefaultButton::No};
    EXPECT_EQ(f.dialogs.boxes, (std::vector<Box>{asked, asked, asked}));
    EXPECT_FALSE(form->closed);
    EXPECT_EQ(f.window.quits, 0);
    EXPECT_EQ(f.sound.live.size(), 4u);
    EXPECT_EQ(s().moveNo, 2);

    // Yes ends the program as before.
    f.dialogs.answers = {true};
    form->Form_Unload();
    EXPECT_TRUE(form->closed);
    EXPECT_EQ(f.window.quits, 1);
    EXPECT_TRUE(f.sound.live.empty());
}

TEST_F(Match, MovesSteppedBackOverAreStillUnsaved) {
    form->SENTE_Click();
    move(7, 7, 7, 6);
    form->REPLAY_Click();
    form->REPLAY_Click();
    ASSERT_EQ(s().moveNo, 0);
    f.dialogs.boxes.clear();
    f.dialogs.answers = {false};
    form->OWARI_Click();
    EXPECT_EQ(f.dialogs.count(QUIT_QUESTION), 1);
    EXPECT_FALSE(form->closed);
}

TEST_F(Match, NothingToLoseQuitsAtOnce) {
    // A game started but no move made yet.
    form->SENTE_Click();
    f.dialogs.boxes.clear();
    form->OWARI_Click();
    EXPECT_TRUE(f.dialogs.boxes.empty());
    EXPECT_EQ(f.window.quits, 1);
}

TEST_F(Match, ASavedGameQuitsAtOnceUntilTheNextMove) {
    form->SENTE_Click();
    move(7, 7, 7, 6);
    form->KIFU_WRITE_Click();
    f.panel.setFolder(dir.string());
    f.panel.setText(1, "saved");
    form->Command1_Click();
    ASSERT_TRUE(sawBox(texts::record::WRITTEN, texts::record::NAME_TITLE));
    f.dialogs.boxes.clear();
    f.dialogs.defaultAnswer = false;

    // Each move after the write is unsaved again.
    move(6, 7, 6, 6);
    ASSERT_EQ(s().moveNo, 4);
    form->Form_KeyDown(KEY_ESCAPE);
    EXPECT_EQ(f.dialogs.count(QUIT_QUESTION), 1);
    EXPECT_FALSE(form->closed);

    form->KIFU_WRITE_Click();
    f.panel.setText(1, "saved2");
    form->Command1_Click();
    f.dialogs.boxes.clear();
    form->Form_KeyDown(KEY_ESCAPE);
    EXPECT_TRUE(f.dialogs.boxes.empty());
    EXPECT_TRUE(form->closed);
}

TEST_F(Match, StartingAgainInTheMiddleOfAnUnsavedGameAsks) {
    form->SENTE_Click();
    move(7, 7, 7, 6);
    f.dialogs.boxes.clear();
    f.dialogs.answers = {false};
    form->CANCEL_Click();
    EXPECT_EQ(f.dialogs.boxes,
              (std::vector<Box>{{Box::YesNo,
                                 texts::match::unsavedMovesQuestion(texts::match::RESET_QUESTION),
                                 texts::match::RESET_TITLE, false}}));
    EXPECT_EQ(s().moveNo, 2);
    EXPECT_EQ(s().board[7][6], MAN_HU);
    EXPECT_EQ(s().turn, s().roleMAN);

    f.dialogs.answers = {true};
    form->CANCEL_Click();
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(s().turn, NOBODY);
    // Once reset there is nothing to lose: 最初 and 終わり act at once.
    f.dialogs.boxes.clear();
    form->CANCEL_Click();
    form->OWARI_Click();
    EXPECT_TRUE(f.dialogs.boxes.empty());
    EXPECT_TRUE(form->closed);
}

}  // namespace
}  // namespace velk
