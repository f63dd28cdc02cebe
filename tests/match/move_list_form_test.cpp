// The move list as the window controller keeps it: the computer's moves hidden during a game
// and after 最初, shown in full once the game has ended, hidden again for the moves of a new
// game; and a chosen line stepping the record as 戻 and 進 do.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/hands.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "texts/texts.h"

namespace velk {
namespace {

class MoveListForm : public ::testing::Test {
  protected:
    fakes::FakePorts f;
    std::filesystem::path dir;
    std::unique_ptr<Form1> form;

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fakes::makeGameFolder(std::string("velk_movelist_") + info->name(),
                                    {"禁止.wav", "駒打音.wav"});
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
        form->LEVEL3_Click();  // no fouls
        f.dialogs.boxes.clear();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    GameState& s() { return form->s; }
    void click(int gx, int gy) {
        form->Form_MouseDown(LEFT_BUTTON, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    void move(int fx, int fy, int tx, int ty) {
        click(fx, fy);
        click(tx, ty);
    }
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const auto& line : form->moveList().lines) out.push_back(line.text);
        return out;
    }
    // Whether the line of move n shows the computer's move as "？？".
    bool hidesComputerMove(int n) {
        char number[16];
        std::snprintf(number, sizeof number, "%3d ", n);
        for (const std::string& line : lines())
            if (line.rfind(number, 0) == 0) return line.find("？？") != std::string::npos;
        ADD_FAILURE() << "no line of move " << n;
        return false;
    }
};

TEST_F(MoveListForm, HiddenDuringTheGameAndAfterStartingAgainInFullOnceTheGameHasEnded) {
    form->SENTE_Click();
    move(3, 7, 3, 6);
    move(7, 7, 7, 6);
    ASSERT_EQ(s().moveNoLast, 4);
    EXPECT_EQ(lines()[1], "  1 ▲７六歩");
    EXPECT_TRUE(hidesComputerMove(2));
    EXPECT_TRUE(hidesComputerMove(4));
    // 一時表示 shows the computer's pieces, and the list with them, until the next click; the
    // list says the game has seen them.
    form->ICHIJI_Click();
    EXPECT_FALSE(hidesComputerMove(2));
    EXPECT_EQ(lines()[0], std::string("    ") + texts::movelist::COM_PIECES_SHOWN);
    click(5, 5);
    EXPECT_TRUE(hidesComputerMove(2));

    // 最初 in the middle of a game keeps the record for 進, still hidden.
    form->CANCEL_Click();
    ASSERT_EQ(s().moveNoLast, 4);
    EXPECT_TRUE(hidesComputerMove(2));

    // A game that ends (here on the human's tenth miss, a gold dropped on a hidden piece)
    // shows every move of its record in full, also after the board is set up again.
    form->MOVELIST_Click(4);
    ASSERT_EQ(s().moveNo, 4);
    form->checkStateAfterEvents = false;
    form->SENTE_Click();
    addToHand(s(), Side::Man, 5);
    s().missCountMAN = 9;
    f.dialogs.answers = {true};  // another game
    click(11, 7);
    click(4, 1);
    ASSERT_EQ(s().gameState, NOBODY);
    ASSERT_EQ(s().moveNoLast, 4);
    EXPECT_FALSE(hidesComputerMove(2));
    EXPECT_FALSE(hidesComputerMove(4));

    // A new game's own moves are hidden again; the ones before it stay known.
    form->MOVELIST_Click(2);
    form->SENTE_Click();
    move(2, 7, 2, 6);
    ASSERT_EQ(s().moveNoLast, 4);
    EXPECT_FALSE(hidesComputerMove(2));
    EXPECT_TRUE(hidesComputerMove(4));
}

TEST_F(MoveListForm, AChosenLineStepsTheRecordAsBackAndForwardDo) {
    form->SENTE_Click();
    move(3, 7, 3, 6);
    move(7, 7, 7, 6);
    const Map end = s().board;
    const int piece = form->sndPiece;
    ASSERT_NE(piece, 0);
    f.sound.calls.clear();
    f.dialogs.boxes.clear();

    form->MOVELIST_Click(0);
    EXPECT_EQ(s().moveNo, 0);
    EXPECT_EQ(s().turn, NOBODY);  // stepping interrupts play, as 戻 does
    EXPECT_EQ(f.sound.plays(piece), 4);
    EXPECT_EQ(form->moveList().current, 0);
    form->MOVELIST_Click(3);
    EXPECT_EQ(s().moveNo, 3);
    EXPECT_EQ(form->moveList().current, 3);
    form->MOVELIST_Click(4);
    EXPECT_EQ(s().board, end);
    EXPECT_TRUE(f.dialogs.boxes.empty());

    // The first refusal ends the stepping: one box, not one for every move still ahead.
    form->MOVELIST_Click(0);
    form->checkStateAfterEvents = false;
    s().board[3][7] = EMPTY;  // move 1 no longer fits the board
    form->MOVELIST_Click(4);
    EXPECT_EQ(s().moveNo, 0);
    ASSERT_EQ(f.dialogs.boxes.size(), 1u);
    EXPECT_EQ(f.dialogs.boxes[0].text, texts::match::CANNOT);
}

}  // namespace
}  // namespace velk
