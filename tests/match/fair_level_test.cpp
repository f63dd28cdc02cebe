// The level 公正, where the computer plays from its own side of the screen alone, and the hint,
// which proposes a move from the human's side alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/hands.h"
#include "game/invariants.h"
#include "game/move_exec.h"
#include "game/setup.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "match/form_fixture.h"
#include "players/honest_move.h"
#include "record/kif.h"
#include "record/record_file.h"
#include "referee/miss.h"
#include "support/random_play.h"
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {
namespace {

using fakes::Box;
using fakes::CanvasOp;

class Fair : public fakes::FormTest {
  protected:
    void SetUp() override {
        open("velk_fair_");
        f.dialogs.boxes.clear();
        // No second game, and no keeping the unsaved moves: the program ends with the first.
        f.dialogs.defaultAnswer = false;
        f.dialogs.answerByTitle[texts::match::QUIT_TITLE] = true;
    }

    GameState& s() { return form->s; }

    void click(int gx, int gy, int button = LEFT_BUTTON) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + 200),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + 300));
    }
    int comMissBoxes() const {
        int n = 0;
        const std::string header = texts::match::MISS_HEADER_COM;
        for (const Box& b : f.dialogs.boxes)
            n += b.title == texts::match::FOUL_TITLE && b.text.starts_with(header) ? 1 : 0;
        return n;
    }
    int viewEvents(Side side, SeenEvent::Kind kind) const {
        int n = 0;
        for (const SeenEvent& e : form->viewOf(side).events) n += e.kind == kind ? 1 : 0;
        return n;
    }
    // Plays the human's side with random moves the move check allows on the true board (some
    // are misses), a right click where the piece must or, by chance, may promote, until the
    // game is over or the program ended.
    void playHumanRandomly(unsigned seed, int maxMoves = 4000) {
        std::mt19937 rng(seed);
        for (int events = 0; events < maxMoves && !form->closed && s().gameState == 1; ++events) {
            ASSERT_EQ(s().turn, s().roleMAN);
            GameState copy = s();
            const std::vector<MoveArgs> moves = testkit::allowedMoves(copy, true);
            ASSERT_FALSE(moves.empty());
            const MoveArgs m = moves[rng() % moves.size()];
            const bool mayPromoteHere = 調査_駒成(copy, m.fromX, m.fromY, m.toX, m.toY, m.piece);
            const bool right =
                mayPromoteHere && (移動後チェック(m.toY, m.piece) == NO || rng() % 2 == 0);
            click(m.fromX, m.fromY);
            click(m.toX, m.toY, right ? RIGHT_BUTTON : LEFT_BUTTON);
        }
    }
    // The record, played from the starting position, gives the board and hands standing now,
    // and reads back as the game writes it, a record file or KIF: every move is one the referee
    // took.
    void expectRecordLeadsHere() {
        std::string why;
        EXPECT_EQ(checkRecordFollowsStart(s().record, s().moveNoLast, why), 0) << why;
        const RecordEncodeResult file = encodeRecordFile({}, s().record, s().moveNoLast);
        ASSERT_TRUE(file.ok) << file.error;
        EXPECT_TRUE(decodeRecordFile(file.bytes).ok) << decodeRecordFile(file.bytes).error;
        const KifEncodeResult kif = encodeKif({}, s().record, s().moveNoLast, {});
        ASSERT_TRUE(kif.ok) << kif.error;
        EXPECT_TRUE(decodeKif(kif.text).ok) << decodeKif(kif.text).error;
        GameState g{};
        loadDefaults(g);
        for (int n = 1; n <= s().moveNoLast; ++n) {
            const MoveRecord& r = s().record;
            駒移動(g, r.recFromX[n], r.recFromY[n], r.recToX[n], r.recToY[n], r.recPieceAfter[n]);
        }
        EXPECT_EQ(g.board, s().board);
        EXPECT_EQ(g.handMAN, s().handMAN);
        EXPECT_EQ(g.handCOM, s().handCOM);
    }
};

// ---------------------------------------------------------------------------------------------
// The level item

TEST_F(Fair, TheItemIsALevelOfItsOwnAndTheLabelReadsKousei) {
    form->KOUSEI_Click();
    EXPECT_EQ(s().level, LEVEL_KOUSEI);
    EXPECT_TRUE(f.menu.isChecked(MenuItem::KOUSEI));
    for (MenuItem other : {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3})
        EXPECT_FALSE(f.menu.isChecked(other));
    EXPECT_FALSE(f.canvas.drewText(texts::draw::KOUSEI_LABEL));  // no game: no label
    form->SENTE_Click();
    EXPECT_TRUE(f.canvas.drewText(texts::draw::LEVEL_LABEL));
    EXPECT_TRUE(f.canvas.drewText(texts::draw::KOUSEI_LABEL));
    EXPECT_TRUE(checkGameState(s()).empty()) << checkGameState(s());

    form->LEVEL2_Click();
    EXPECT_EQ(s().level, 2);
    EXPECT_FALSE(f.menu.isChecked(MenuItem::KOUSEI));
    form->KOUSEI_Click();
    form->Form_Load();  // a load (and so a record read) sets level 1 again
    EXPECT_EQ(s().level, 1);
    EXPECT_FALSE(f.menu.isChecked(MenuItem::KOUSEI));
    EXPECT_TRUE(f.menu.isChecked(MenuItem::LEVEL1));
}

// ---------------------------------------------------------------------------------------------
// The referee's first look at the computer's move

class HonestMoveCheck : public ::testing::Test {
  protected:
    GameState s{};
    void SetUp() override {
        loadDefaults(s);
        for (auto& col : s.board) col.fill(EMPTY);
        put(5, 1, COM_OU);
        put(5, 9, MAN_OU);
        put(1, 1, COM_SYA);
        put(1, 5, MAN_HU);  // hidden from the computer
        put(3, 8, COM_HU);
        put(7, 3, COM_GIN);
        put(9, 4, COM_KYOU);
        put(9, 6, MAN_KIN);  // hidden from the computer
        s.kingXCOM = 5, s.kingYCOM = 1, s.kingXMAN = 5, s.kingYMAN = 9;
        s.handCOM[1] = 1;  // a pawn
        調査_2歩フラグ設定(s);
    }
    void put(int x, int y, int code) { s.board[x][y] = static_cast<std::int16_t>(code); }
    bool allowed(int fx, int fy, int tx, int ty, int placed, bool found = true) {
        const Map before = s.board;
        ComMove m;
        const bool ok = checkHonestComMove(s, HonestMove{found, fx, fy, tx, ty, placed}, m);
        EXPECT_EQ(s.board, before) << "the board is left as it was";
        if (ok) {
            EXPECT_TRUE(m.found);
            EXPECT_EQ(m.placed, placed);
            EXPECT_EQ(m.moving, fx == COM_HAND_X ? COM_HAND_CODES[fy] : before[fx][fy]);
        }
        return ok;
    }
};

TEST_F(HonestMoveCheck, LegalMovesAndRealMissesGoToTheReferee) {
    EXPECT_TRUE(allowed(1, 1, 1, 4, COM_SYA));                // legal
    EXPECT_TRUE(allowed(1, 1, 1, 7, COM_SYA));                // passes over the hidden pawn
    EXPECT_TRUE(allowed(1, 1, 1, 7, promotedCode(COM_SYA)));  // the same, promoting
    EXPECT_EQ(調査_ミス(s, 1, 1, 1, 7, COM_SYA), MISS_JUMPED);
    EXPECT_TRUE(allowed(1, 1, 1, 5, COM_SYA));               // takes the hidden pawn
    EXPECT_TRUE(allowed(3, 8, 3, 9, promotedCode(COM_HU)));  // must promote, and does
    EXPECT_TRUE(allowed(7, 3, 6, 4, COM_GIN));
    EXPECT_TRUE(allowed(COM_HAND_X, 1, 2, 5, COM_HU));  // a drop
    EXPECT_TRUE(allowed(COM_HAND_X, 1, 1, 5, COM_HU));  // onto the hidden pawn: a miss
    EXPECT_TRUE(allowed(5, 1, 4, 1, COM_OU));
}

TEST_F(HonestMoveCheck, MovesNoPlayerMayMakeAreFaults) {
    EXPECT_FALSE(allowed(1, 1, 1, 4, COM_SYA, false));         // no move at all
    EXPECT_FALSE(allowed(1, 1, 2, 2, COM_SYA));                // not the way a rook moves
    EXPECT_FALSE(allowed(1, 1, 5, 1, COM_SYA));                // onto its own king
    EXPECT_FALSE(allowed(1, 1, 1, 4, promotedCode(COM_SYA)));  // no promotion there
    EXPECT_FALSE(allowed(1, 1, 1, 4, COM_KAKU));               // another piece than the one moving
    EXPECT_FALSE(allowed(3, 8, 3, 9, COM_HU));                 // a pawn left dead on the last row
    EXPECT_FALSE(allowed(2, 2, 2, 3, COM_HU));                 // nothing on the source
    EXPECT_FALSE(allowed(1, 5, 1, 6, MAN_HU));                 // the human's piece
    EXPECT_FALSE(allowed(5, 9, 5, 8, MAN_OU));
    EXPECT_FALSE(allowed(1, 1, 1, 10, COM_SYA));  // off the board
    EXPECT_FALSE(allowed(0, 0, 0, 0, 0));
    EXPECT_FALSE(allowed(COM_HAND_X, 2, 2, 5, COM_KYOU));  // no lance in hand
    EXPECT_FALSE(allowed(COM_HAND_X, 1, 2, 5, promotedCode(COM_HU)));
    EXPECT_FALSE(allowed(COM_HAND_X, 1, 3, 5, COM_HU));  // a second pawn in the column
    EXPECT_FALSE(allowed(COM_HAND_X, 1, 2, 9, COM_HU));  // a pawn dropped dead
    EXPECT_FALSE(allowed(COM_HAND_X, 1, 1, 1, COM_HU));  // onto its own rook
    EXPECT_FALSE(allowed(COM_HAND_X, 0, 2, 5, COM_HU));
    EXPECT_FALSE(allowed(MAN_HAND_X, 3, 2, 5, COM_HU));
}

// ---------------------------------------------------------------------------------------------
// Games at 公正

TEST_F(Fair, GamesEndInARealPositionWithTheRecordAndMissesInStep) {
    for (const bool first : {true, false}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) + (first ? " first" : " second"));
            TearDown();
            f = fakes::FakePorts{};
            SetUp();
            form->KOUSEI_Click();
            form->setHonestSeed(seed);
            form->setHonestThinkMs(5);  // whole games; their end is checked, not their play
            if (first)
                form->SENTE_Click();
            else
                form->GOTE_Click();
            playHumanRandomly(seed);
            EXPECT_TRUE(form->closed) << "the game ended and no other was wanted";
            EXPECT_TRUE(checkGameState(s()).empty()) << checkGameState(s());
            expectRecordLeadsHere();
            // Every refusal of the computer's move was announced and counted as its miss.
            EXPECT_EQ(comMissBoxes(), s().missCountCOM);
            EXPECT_EQ(viewEvents(Side::Com, SeenEvent::Kind::OwnMiss), s().missCountCOM);
            EXPECT_EQ(viewEvents(Side::Man, SeenEvent::Kind::OtherMiss), s().missCountCOM);
        }
    }
}

// Every move of the computer's king walks into a hidden attack: each try is refused as a miss
// of the computer, it chooses again, and it never plays a move the referee would not take.
TEST_F(Fair, TheComputersRealMissesAreAnnouncedCountedAndLearnedFrom) {
    form->checkStateAfterEvents = false;  // a made-up position
    for (auto& col : s().board) col.fill(EMPTY);
    s().board[5][1] = COM_OU;
    s().board[5][9] = MAN_OU;
    s().board[4][5] = MAN_SYA;
    s().board[6][5] = MAN_SYA;
    s().board[5][3] = MAN_KIN;
    s().kingXCOM = 5, s().kingYCOM = 1, s().kingXMAN = 5, s().kingYMAN = 9;
    form->KOUSEI_Click();
    form->setHonestSeed(7);
    form->SENTE_Click();
    click(5, 9);
    click(5, 8);
    ASSERT_EQ(s().moveNo, 1) << "only the human's move was played";
    EXPECT_TRUE(form->closed);
    EXPECT_GT(s().missCountCOM, 0);
    EXPECT_EQ(comMissBoxes(), s().missCountCOM);
    EXPECT_EQ(viewEvents(Side::Com, SeenEvent::Kind::OwnMiss), s().missCountCOM);
    for (const SeenEvent& e : form->viewOf(Side::Com).events) {
        if (e.kind == SeenEvent::Kind::OwnMiss) {
            EXPECT_EQ(e.missKind, MISS_KING_EXPOSED);
        }
    }
    EXPECT_EQ(s().missCountMAN, 0);
    EXPECT_EQ(s().board[5][1], COM_OU);
}

// No foul is made at 公正: the clock's roll, which makes level 1 foul on every try, changes
// nothing of its moves.
TEST_F(Fair, TheClocksFoulRollPlaysNoPart) {
    const auto play = [&](float timeOfDay) {
        TearDown();
        f = fakes::FakePorts{};
        SetUp();
        f.clock.now = timeOfDay;
        f.clock.waitsAdvance = false;
        form->KOUSEI_Click();
        form->setHonestSeed(11);
        form->GOTE_Click();
        playHumanRandomly(3, 8);
        std::vector<int> moves;
        for (int n = 1; n <= s().moveNoLast; ++n)
            moves.insert(moves.end(),
                         {s().record.recFromX[n], s().record.recFromY[n], s().record.recToX[n],
                          s().record.recToY[n], s().record.recPieceAfter[n]});
        moves.push_back(s().missCountCOM);
        return moves;
    };
    const std::vector<int> fouling = play(36000.5f);  // every roll '5': level 1 would foul
    const std::vector<int> calm = play(36000.0f);
    EXPECT_EQ(fouling, calm);
    EXPECT_GE(fouling.size(), 16u);
}

// ---------------------------------------------------------------------------------------------
// The hint

class Hint : public Fair {
  protected:
    int yellowFillsIn(int x, int y, std::size_t from = 0) const {
        int n = 0;
        for (std::size_t i = from; i < f.canvas.ops.size(); ++i) {
            const CanvasOp& op = f.canvas.ops[i];
            if (op.kind == CanvasOp::Fill && op.code == COLOUR_YELLOW && op.gx >= x &&
                op.gx < x + 1 && op.gy >= y && op.gy < y + 1)
                ++n;
        }
        return n;
    }
    int yellowFills(std::size_t from = 0) const {
        int n = 0;
        for (std::size_t i = from; i < f.canvas.ops.size(); ++i)
            n += f.canvas.ops[i].kind == CanvasOp::Fill && f.canvas.ops[i].code == COLOUR_YELLOW;
        return n;
    }
    int forbidden() const { return f.sound.plays(form->sndForbidden); }
};

TEST_F(Hint, OnlyOnTheHumansMoveInAGame) {
    // No game yet.
    const int refusals = forbidden();
    form->HINT_Click();
    EXPECT_EQ(forbidden(), refusals + 1);
    EXPECT_TRUE(form->hintSquares().empty());
    EXPECT_EQ(form->statusText(), "");
    EXPECT_EQ(yellowFills(), 0);

    form->LEVEL3_Click();
    form->SENTE_Click();
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(s().moveNo, 2);
    form->REPLAY_Click();  // stepping through the record: nobody is to move
    ASSERT_EQ(s().turn, NOBODY);
    const std::string status = form->statusText();
    form->Form_KeyDown(KEY_H);
    EXPECT_EQ(forbidden(), refusals + 2);
    EXPECT_TRUE(form->hintSquares().empty());
    EXPECT_EQ(form->statusText(), status);
    EXPECT_EQ(yellowFills(), 0);
}

TEST_F(Hint, ShowsAMoveOfTheHumanAndChangesNothingOfTheGame) {
    form->LEVEL3_Click();
    form->SENTE_Click();
    click(7, 7);
    click(7, 6);
    const GameState before = s();
    const long logged = form->movesLogged;
    const std::size_t boxes = f.dialogs.boxes.size();
    const std::size_t from = f.canvas.ops.size();
    form->Form_KeyDown(KEY_H);

    ASSERT_EQ(form->hintSquares().size(), 2u);
    const auto [fx, fy] = form->hintSquares()[0];
    const auto [tx, ty] = form->hintSquares()[1];
    EXPECT_TRUE(isManPiece(s().board[fx][fy])) << "the source holds a piece of the human";
    EXPECT_GT(yellowFillsIn(fx, fy, from), 0);
    EXPECT_GT(yellowFillsIn(tx, ty, from), 0);
    EXPECT_EQ(yellowFills(from), yellowFillsIn(fx, fy, from) + yellowFillsIn(tx, ty, from));
    EXPECT_TRUE(form->statusText().starts_with("ﾋﾝﾄ：")) << form->statusText();
    // The notation of the move list: destination, then the piece.
    EXPECT_NE(form->statusText().find(texts::draw::DIGITS[10 - tx]), std::string::npos);

    EXPECT_EQ(s().board, before.board);
    EXPECT_EQ(s().handMAN, before.handMAN);
    EXPECT_EQ(s().handCOM, before.handCOM);
    EXPECT_EQ(s().record.recToX, before.record.recToX);
    EXPECT_EQ(s().record.recPieceAfter, before.record.recPieceAfter);
    EXPECT_EQ(s().moveNo, before.moveNo);
    EXPECT_EQ(s().moveNoLast, before.moveNoLast);
    EXPECT_EQ(s().selPhase, before.selPhase);
    EXPECT_EQ(s().turn, before.turn);
    EXPECT_EQ(s().missCountMAN, before.missCountMAN);
    EXPECT_EQ(s().movesUnsaved, before.movesUnsaved);
    EXPECT_EQ(form->movesLogged, logged);
    EXPECT_EQ(f.dialogs.boxes.size(), boxes);

    // A tick of the clock leaves it; asked again, the same hint.
    const std::vector<std::pair<int, int>> shown = form->hintSquares();
    const std::string text = form->statusText();
    form->Timer1_Timer();
    EXPECT_EQ(form->hintSquares(), shown);
    form->HINT_Click();
    EXPECT_EQ(form->hintSquares(), shown);
    EXPECT_EQ(form->statusText(), text);
}

TEST_F(Hint, GoesWithTheNextClick) {
    form->LEVEL3_Click();
    form->SENTE_Click();
    const std::string status = form->statusText();
    form->HINT_Click();
    ASSERT_EQ(form->hintSquares().size(), 2u);
    const auto squares = form->hintSquares();
    const std::size_t from = f.canvas.ops.size();
    click(5, 5);  // an empty square: nothing else happens
    EXPECT_TRUE(form->hintSquares().empty());
    EXPECT_EQ(form->statusText(), status);
    EXPECT_EQ(yellowFills(from), 0);
    for (const auto& [x, y] : squares) {
        bool repainted = false;
        for (std::size_t i = from; i < f.canvas.ops.size(); ++i)
            repainted |= f.canvas.ops[i].kind == CanvasOp::Picture && f.canvas.ops[i].gx == x &&
                         f.canvas.ops[i].gy == y;
        EXPECT_TRUE(repainted) << x << "," << y;
    }
}

// The hint comes from the human's view alone: where the hidden pieces stand plays no part.
TEST_F(Hint, TheSameViewGivesTheSameHint) {
    const auto hintAfter = [&](bool moveHiddenPieces) {
        TearDown();
        f = fakes::FakePorts{};
        SetUp();
        form->LEVEL3_Click();
        form->setHonestSeed(5);
        form->SENTE_Click();
        click(7, 7);
        click(7, 6);
        if (moveHiddenPieces) {
            form->checkStateAfterEvents = false;
            // Behind the screen: the computer's lances and a pawn stand elsewhere.
            std::swap(s().board[1][1], s().board[1][2]);
            std::swap(s().board[9][1], s().board[9][2]);
            std::swap(s().board[2][3], s().board[2][4]);
        }
        form->HINT_Click();
        return std::pair{form->hintSquares(), form->statusText()};
    };
    const auto plain = hintAfter(false);
    ASSERT_EQ(plain.first.size(), 2u);
    EXPECT_EQ(hintAfter(true), plain);
}

}  // namespace
}  // namespace velk
