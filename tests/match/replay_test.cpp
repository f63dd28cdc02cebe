#include <gtest/gtest.h>

#include "game/move_exec.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "support/board_text.h"
#include "texts/texts.h"

namespace velk {
namespace {

constexpr int FORBIDDEN = 5;
constexpr int PIECE = 6;

struct ReplayTest : ::testing::Test {
    fakes::FakePorts ports;
    Form1 f{ports.ports(), "."};

    void SetUp() override {
        // The record is stepped over made-up positions, far from the full set of pieces.
        f.checkStateAfterEvents = false;
        f.sndForbidden = FORBIDDEN;
        f.sndPiece = PIECE;
    }

    // Logs and plays a move as the turns do: the log first, then the move.
    void play(int fromX, int fromY, int toX, int toY, int before, int after, float manTime,
              float comTime) {
        const float man = f.s.timeUsedMAN, com = f.s.timeUsedCOM;
        f.手順保存(fromX, fromY, toX, toY, before, after, man, manTime, com, comTime);
        f.s.record.recPieceAfter[f.s.moveNo] = after;
        f.s.moveCount += 1;
        駒移動(f.s, fromX, fromY, toX, toY, after);
        f.s.timeUsedMAN = manTime;
        f.s.timeUsedCOM = comTime;
    }

    const fakes::Box& lastBox() const { return ports.dialogs.boxes.back(); }
};

struct Snapshot {
    Map board;
    std::array<int, 8> handMAN, handCOM;
    int handTotalMAN, handTotalCOM, missMAN, missCOM;
    float timeMAN, timeCOM;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snap(const GameState& s) {
    return {s.board,        s.handMAN,      s.handCOM,     s.handTotalMAN, s.handTotalCOM,
            s.missCountMAN, s.missCountCOM, s.timeUsedMAN, s.timeUsedCOM};
}

TEST_F(ReplayTest, LogEntriesFollowTheMoves) {
    f.s = testkit::position("4k4/9/9/4p4/4P4/9/9/9/4K4", "P");
    f.s.missCountCOM = 2;
    play(5, 5, 5, 4, MAN_HU, MAN_HU, 3, 0);
    play(5, 1, 4, 1, COM_OU, COM_OU, 3, 7);
    const MoveRecord& r = f.s.record;
    EXPECT_EQ(f.s.moveNo, 2);
    EXPECT_EQ(f.s.moveNoLast, 2);
    EXPECT_EQ(r.recCaptured[1], COM_HU);
    EXPECT_LT(r.recPieceAfter[1], 0);
    EXPECT_GT(r.recPieceAfter[2], 0);
    EXPECT_EQ(r.recMissCOM[1], 2);
    EXPECT_EQ(r.recTimeCOMAfter[2], 7);
    play(MAN_HAND_X, 3, 9, 5, MAN_HU, MAN_HU, 4, 7);
    EXPECT_EQ(r.recCaptured[3], EMPTY);

    // A full record takes no more entries.
    f.s.moveNo = MAX_MOVES;
    f.s.record.recToX[MAX_MOVES] = 9;
    f.手順保存(1, 1, 2, 2, MAN_HU, EMPTY, 0, 0, 0, 0);
    EXPECT_EQ(f.s.moveNo, MAX_MOVES);
    EXPECT_EQ(f.s.record.recToX[MAX_MOVES], 9);
}

TEST_F(ReplayTest, StepsBackAndForwardOverCapturesAndDrops) {
    f.s = testkit::position("4k4/9/9/4p4/4P4/9/9/9/4K4", "g");
    f.s.gameState = 1;
    f.s.turn = f.s.roleMAN;
    std::vector<Snapshot> seen{snap(f.s)};
    play(5, 5, 5, 4, MAN_HU, MAN_HU, 3, 0);  // takes the pawn
    f.s.missCountCOM = 1;
    seen.push_back(snap(f.s));
    play(COM_HAND_X, 5, 1, 5, COM_KIN, COM_KIN, 3, 8);  // drops the gold
    seen.push_back(snap(f.s));
    f.s.missCountMAN = 4;
    play(MAN_HAND_X, 3, 9, 5, MAN_HU, MAN_HU, 12, 8);  // drops the pawn taken
    seen.push_back(snap(f.s));

    for (int n = 3; n >= 1; --n) {
        f.REPLAY_Click();
        ASSERT_EQ(f.s.moveNo, n - 1);
        EXPECT_EQ(f.s.moveCount, n - 1);
        Snapshot now = snap(f.s);
        // The counters show what was stored with the move taken back.
        seen[n - 1].missMAN = f.s.record.recMissMAN[n];
        seen[n - 1].missCOM = f.s.record.recMissCOM[n];
        EXPECT_EQ(now, seen[n - 1]) << "after taking back move " << n;
        EXPECT_EQ(f.s.turn, NOBODY);
    }
    EXPECT_EQ(f.s.board[5][4], COM_HU);
    EXPECT_EQ(f.s.handCOM[5], 1);
    EXPECT_EQ(f.s.handTotalCOM, 1);

    for (int n = 1; n <= 3; ++n) {
        f.AFTER_Click();
        ASSERT_EQ(f.s.moveNo, n);
        Snapshot expected = seen[n];
        expected.missMAN = f.s.record.recMissMAN[n];
        expected.missCOM = f.s.record.recMissCOM[n];
        EXPECT_EQ(snap(f.s), expected) << "after replaying move " << n;
    }
    EXPECT_EQ(f.s.moveNoLast, 3);
    EXPECT_EQ(ports.sound.plays(PIECE), 6);
    EXPECT_TRUE(ports.dialogs.boxes.empty());
    EXPECT_TRUE(ports.canvas.drewText("１五"));  // the human's pawn drop on x = 9
}

TEST_F(ReplayTest, RefusesToStepPastEitherEnd) {
    f.s = testkit::position("4k4/9/9/9/4P4/9/9/9/4K4");
    f.REPLAY_Click();
    EXPECT_EQ(lastBox().text, texts::match::CANNOT);
    EXPECT_EQ(lastBox().title, texts::match::BACK_TITLE);
    EXPECT_EQ(ports.sound.plays(FORBIDDEN), 1);

    play(5, 5, 5, 4, MAN_HU, MAN_HU, 1, 0);
    f.AFTER_Click();
    EXPECT_EQ(lastBox().text, texts::match::CANNOT);
    EXPECT_EQ(lastBox().title, texts::match::FORWARD_TITLE);
    EXPECT_EQ(ports.sound.plays(FORBIDDEN), 2);

    f.s.kifuMode = YES;
    f.AFTER_Click();
    EXPECT_EQ(lastBox().text, texts::match::RECORD_END);
    EXPECT_EQ(ports.sound.plays(FORBIDDEN), 2);

    // A record claiming more entries than it can hold stops at the last one.
    f.s.moveNo = MAX_MOVES;
    f.s.moveNoLast = MAX_MOVES + 20;
    const Snapshot before = snap(f.s);
    f.AFTER_Click();
    EXPECT_EQ(f.s.moveNo, MAX_MOVES);
    EXPECT_EQ(snap(f.s), before);
}

TEST_F(ReplayTest, MalformedEntriesAreRefusedWithoutTouchingThePosition) {
    f.s = testkit::position("4k4/9/9/9/4P4/9/9/9/4K4");
    f.s.kifuMode = YES;
    f.s.moveNoLast = 2;
    MoveRecord& r = f.s.record;
    // A drop of a pawn nobody holds.
    r.recFromX[1] = COM_HAND_X;
    r.recFromY[1] = 1;
    r.recToX[1] = 5;
    r.recToY[1] = 5;
    r.recPieceBefore[1] = r.recPieceAfter[1] = COM_HU;
    const Snapshot before = snap(f.s);
    f.AFTER_Click();
    EXPECT_EQ(f.s.moveNo, 0);
    EXPECT_EQ(snap(f.s), before);
    EXPECT_EQ(lastBox().text, texts::match::CANNOT);

    // A source off the board.
    r.recFromX[1] = 7;
    r.recFromY[1] = 0;
    f.AFTER_Click();
    EXPECT_EQ(f.s.moveNo, 0);
    EXPECT_EQ(snap(f.s), before);
}

TEST_F(ReplayTest, ReversalTurnsTheBoardAndTheHandTotalsFollowTheirHands) {
    f.s = testkit::position("4k3l/9/9/9/4P4/9/9/9/4K3+R", "2PGb");
    f.s.handicapSet = YES;
    f.s.handicapLevel = -10;
    play(5, 5, 5, 4, MAN_HU, MAN_HU, 1, 0);
    const Snapshot start = snap(f.s);

    f.REVERSE_Click();
    EXPECT_EQ(f.s.board[1][1], COM_RYU);
    EXPECT_EQ(f.s.board[1][9], MAN_KYOU);
    EXPECT_EQ(f.s.board[5][1], COM_OU);
    EXPECT_EQ(f.s.board[5][6], COM_HU);
    EXPECT_EQ(f.s.handCOM[1], 2);
    EXPECT_EQ(f.s.handMAN[6], 1);
    EXPECT_EQ(f.s.handTotalCOM, 3);
    EXPECT_EQ(f.s.handTotalMAN, 1);
    EXPECT_EQ(f.s.reversed, YES);
    EXPECT_EQ(f.s.handicapLevel, 10);
    EXPECT_TRUE(ports.canvas.drewText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"));
    EXPECT_EQ(f.s.moveNo, 0);
    EXPECT_EQ(f.s.moveNoLast, 0);

    f.REVERSE_Click();
    EXPECT_EQ(snap(f.s), start);
    EXPECT_EQ(f.s.moveNoLast, 0);

    f.s.kifuMode = YES;
    f.REVERSE_Click();
    EXPECT_EQ(lastBox().text, texts::match::NO_REVERSE_IN_RECORD);
    EXPECT_EQ(lastBox().title, texts::match::REVERSE_TITLE);
    EXPECT_EQ(snap(f.s), start);
}

TEST_F(ReplayTest, IchijiShowsTheComputerUntilTheNextClick) {
    f.s = testkit::position("4k4/9/9/9/9/9/9/9/4K4", "r");
    f.ICHIJI_Click();
    EXPECT_EQ(f.s.screenUp, NO);
    auto shown = [&](int code, double gx, double gy) {
        for (const auto& op : ports.canvas.ops)
            if (op.kind == fakes::CanvasOp::Picture && op.code == code && op.gx == gx &&
                op.gy == gy)
                return true;
        return false;
    };
    EXPECT_TRUE(shown(COM_OU, 5, 1));
    EXPECT_TRUE(shown(COM_SYA, -1, 1));

    ports.canvas.ops.clear();
    f.Form_MouseDown(LEFT_BUTTON, 0, 1050 + 495 * 5.5f, 100 + 615 * 5.5f);
    EXPECT_EQ(f.s.screenUp, YES);
    EXPECT_TRUE(shown(PICTURE_EMPTY_SQUARE, 5, 1));
    EXPECT_TRUE(ports.dialogs.boxes.empty());
}

// 進 plays an entry only on the position it was recorded from, and 戻 takes one back only
// from the position it led to; otherwise the forbidden sound and the box, and nothing moves.
TEST_F(ReplayTest, EntriesThatDoNotFitTheBoardAreRefused) {
    f.s = testkit::position("4k4/9/9/4p4/4P4/9/9/9/4K4");
    play(5, 5, 5, 4, MAN_HU, MAN_HU, 1, 0);  // takes the pawn
    play(5, 1, 4, 1, COM_OU, COM_OU, 1, 2);
    f.REPLAY_Click();
    f.REPLAY_Click();
    ASSERT_EQ(f.s.moveNo, 0);
    const Snapshot start = snap(f.s);
    auto refused = [&](const char* title, int forbidden) {
        ASSERT_FALSE(ports.dialogs.boxes.empty());
        EXPECT_EQ(lastBox().text, texts::match::CANNOT);
        EXPECT_EQ(lastBox().title, title);
        EXPECT_EQ(ports.sound.plays(FORBIDDEN), forbidden);
    };

    f.s.board[5][5] = EMPTY;  // the moving pawn is not there
    f.AFTER_Click();
    refused(texts::match::FORWARD_TITLE, 1);
    f.s.board[5][5] = MAN_KIN;  // another piece stands there
    f.AFTER_Click();
    refused(texts::match::FORWARD_TITLE, 2);
    f.s.board[5][5] = MAN_HU;
    f.s.board[5][4] = COM_KIN;  // the destination holds another piece than was taken
    f.AFTER_Click();
    refused(texts::match::FORWARD_TITLE, 3);
    f.s.board[5][4] = COM_HU;
    EXPECT_EQ(f.s.moveNo, 0);
    EXPECT_EQ(snap(f.s), start);

    f.AFTER_Click();
    f.AFTER_Click();
    ASSERT_EQ(f.s.moveNo, 2);
    const Snapshot reached = snap(f.s);
    f.s.board[4][1] = EMPTY;  // the king that moved is gone
    f.REPLAY_Click();
    refused(texts::match::BACK_TITLE, 4);
    f.s.board[4][1] = COM_OU;
    f.s.board[5][1] = COM_KIN;  // its source is taken
    f.REPLAY_Click();
    refused(texts::match::BACK_TITLE, 5);
    f.s.board[5][1] = EMPTY;
    EXPECT_EQ(f.s.moveNo, 2);
    EXPECT_EQ(snap(f.s), reached);

    // An entry that would turn one piece into another is never stepped over.
    f.s.record.recPieceBefore[2] = COM_KIN;
    f.REPLAY_Click();
    refused(texts::match::BACK_TITLE, 6);
    EXPECT_EQ(snap(f.s), reached);
}

}  // namespace
}  // namespace velk
