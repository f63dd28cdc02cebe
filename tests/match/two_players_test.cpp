// Two people at one screen: the side to move plays from the bottom with only its own pieces in
// view, and a curtain hides the board, the hands, the marks and the move list between turns.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "game/move_exec.h"
#include "game/move_list.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "record/file_io.h"
#include "support/view_moves.h"
#include "texts/texts.h"
#include "ui/geometry.h"

namespace velk {
namespace {

// The code last painted on each board square since the last full redraw.
std::map<std::pair<int, int>, int> boardPictures(const fakes::FakeCanvas& c) {
    std::map<std::pair<int, int>, int> shown;
    for (const fakes::CanvasOp& op : c.ops) {
        if (op.kind == fakes::CanvasOp::FullRedraw) shown.clear();
        if (op.kind != fakes::CanvasOp::Picture) continue;
        const int x = static_cast<int>(op.gx), y = static_cast<int>(op.gy);
        if (x == op.gx && y == op.gy && onBoard(x, y)) shown[{x, y}] = op.code;
    }
    return shown;
}

// Keeps only what boardPictures reads, so that each turn reads one turn's drawing.
void compact(fakes::FakeCanvas& c) {
    const auto shown = boardPictures(c);
    c.ops.clear();
    c.beginFullRedraw();
    for (const auto& [sq, code] : shown) c.drawPicture(code, sq.first, sq.second);
}

void click(Form1& form, int button, int gx, int gy) {
    form.Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                        static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
}

TEST(TwoPlayers, EachSeesOnlyItsOwnPiecesAndTheCurtainHidesEverythingBetweenTurns) {
    const auto dir = fakes::makeGameFolder("velk_two_players");
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        fakes::FakePorts f;
        f.dialogs.defaultAnswer = false;  // no other game after the end, nothing to save
        f.dialogs.answerByTitle[texts::match::QUIT_TITLE] = true;
        Form1 form(f.ports(), dir);
        form.Form_Load();
        form.FUTARI_Click();
        std::mt19937 rng(seed);
        int moves = 0;
        for (int turn = 0; turn < 300 && !form.closed && form.s.gameState == 1; ++turn) {
            ASSERT_FALSE(form.curtainDown());
            compact(f.canvas);
            // The pieces on the board are the ones of the side at the screen, where they stand.
            const GameState& s = form.s;
            for (const auto& [sq, code] : boardPictures(f.canvas)) {
                const int there = s.board[sq.first][sq.second];
                ASSERT_EQ(code, isManPiece(there) ? there : EMPTY) << sq.first << "," << sq.second;
            }
            // A move the player's own view allows, made by its clicks.
            const SideView& v = form.viewOf(Side::Man);
            const std::vector<MoveArgs> allowed = testkit::movesItsViewAllows(v);
            ASSERT_FALSE(allowed.empty());
            const MoveArgs m = allowed[rng() % allowed.size()];
            const int movesBefore = s.moveNo;
            click(form, LEFT_BUTTON, m.fromX, m.fromY);
            click(form, rng() % 2 == 0 ? RIGHT_BUTTON : LEFT_BUTTON, m.toX, m.toY);
            if (form.closed || s.gameState != 1 || s.moveNo == movesBefore) continue;
            ++moves;
            // The curtain: no piece on the board, no list, no stepping or hint behind it.
            ASSERT_TRUE(form.curtainDown());
            for (const auto& [sq, code] : boardPictures(f.canvas))
                ASSERT_FALSE(isManPiece(code) || isComPiece(code));
            EXPECT_TRUE(form.moveList().lines.empty());
            const int moveNo = s.moveNo;
            form.REPLAY_Click();
            form.HINT_Click();
            form.ICHIJI_Click();
            EXPECT_EQ(s.moveNo, moveNo);
            EXPECT_TRUE(form.curtainDown());
            click(form, LEFT_BUTTON, 5, 5);
        }
        EXPECT_GT(moves, 0);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velk

namespace velk {
namespace {

// 投了: refused outside a game, asked once, a loss of the side at the screen; the move list and
// the KIF record end with it.
TEST(Resign, AskedOnceEndsTheGameAsALossAndTheRecordSaysSo) {
    const auto dir = fakes::makeGameFolder("velk_resign");
    fakes::FakePorts f;
    Form1 form(f.ports(), dir);
    form.Form_Load();
    form.LEVEL3_Click();
    form.TOURYOU_Click();
    ASSERT_EQ(f.dialogs.boxes.back().text, texts::match::RESIGN_ONLY_IN_GAME);

    form.SENTE_Click();
    click(form, LEFT_BUTTON, 7, 7);
    click(form, LEFT_BUTTON, 7, 6);
    ASSERT_EQ(form.s.moveNo, 2);
    f.dialogs.answers = {false};
    form.TOURYOU_Click();
    EXPECT_EQ(form.s.gameState, 1) << "answered No, the game goes on";
    EXPECT_EQ(f.dialogs.boxes.back().defaultButton, DefaultButton::No);

    f.dialogs.boxes.clear();
    f.dialogs.answers = {true, true};  // resign, then another game
    form.TOURYOU_Click();
    ASSERT_GE(f.dialogs.boxes.size(), 2u);
    EXPECT_EQ(f.dialogs.boxes[1].text, texts::match::winnerIs(texts::match::WINNER_COMPUTER));
    EXPECT_NE(form.s.gameState, 1);
    const MoveList list = form.moveList();
    EXPECT_EQ(list.lines.back().text, "  3 " + std::string(texts::movelist::RESIGNED));
    form.MOVELIST_Click(2);  // the finished game is saved from its last position
    form.KIF_WRITE_Click();
    f.panel.folderPath = dir.string();
    f.panel.setText(1, "resigned.kifu");
    form.Command1_Click();
    const std::string kif = readWholeFile((dir / "resigned.kifu").string(), 100000).bytes;
    EXPECT_NE(kif.find("   3 投了"), std::string::npos) << kif;
    EXPECT_NE(kif.find("まで2手で後手の勝ち"), std::string::npos) << kif;

    // Between two people the one at the screen resigns, and the other is named the winner.
    f.dialogs.boxes.clear();
    f.dialogs.answers = {true};
    form.FUTARI_Click();  // from the finished game's last position
    click(form, LEFT_BUTTON, 2, 7);
    click(form, LEFT_BUTTON, 2, 6);
    ASSERT_TRUE(form.curtainDown());
    click(form, LEFT_BUTTON, 5, 5);
    f.dialogs.answers = {true, true};
    form.TOURYOU_Click();
    EXPECT_EQ(f.dialogs.count(texts::match::winnerIs(texts::match::WINNER_SENTE)), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velk
