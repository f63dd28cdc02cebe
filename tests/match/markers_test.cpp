// Guess markers are the player's notes only: the same events with and without markers give the
// same boxes, sounds, drawings, moves of both sides, record and game state; and the markers
// themselves are placed, changed, removed and cleared as the palette and Delete ask.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "game/invariants.h"
#include "match/fakes.h"
#include "match/form1.h"
#include "support/random_play.h"

namespace velk {
namespace {

// Everything the game answered to one event, as text.
std::string answers(const Form1& form, const fakes::FakePorts& f) {
    std::string out;
    char buf[160];
    for (const auto& b : f.dialogs.boxes)
        out += "box " + std::to_string(b.kind) + " " + b.title + " " + b.text + " " +
               std::to_string(b.answer) + "\n";
    for (const auto& c : f.sound.calls)
        out += "sound " + c.what + " " + std::to_string(c.handle) + "\n";
    for (const auto& op : f.canvas.ops) {
        std::snprintf(buf, sizeof buf, "op %d %d %.3f %.3f %d ", static_cast<int>(op.kind), op.code,
                      op.gx, op.gy, op.fontSize);
        out += buf + op.text + "\n";
    }
    for (const bool on : f.timer.history) out += on ? "timer on\n" : "timer off\n";
    const GameState& s = form.s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) out += std::to_string(s.board[x][y]) + ",";
    for (int k = 1; k <= 7; ++k)
        out += " " + std::to_string(s.handMAN[k]) + "/" + std::to_string(s.handCOM[k]);
    std::snprintf(buf, sizeof buf,
                  "\nturn %d state %d winner %d miss %d %d moves %d %d %d screen %d kifu %d "
                  "rev %d sel %d time %.3f %.3f level %d\n",
                  s.turn, s.gameState, s.winner, s.missCountMAN, s.missCountCOM, s.moveNo,
                  s.moveNoLast, s.moveCount, s.screenUp, s.kifuMode, s.reversed, s.selPhase,
                  static_cast<double>(s.timeUsedMAN), static_cast<double>(s.timeUsedCOM), s.level);
    out += buf;
    const MoveRecord& r = s.record;
    for (int n = 1; n <= s.moveNoLast; ++n) {
        std::snprintf(
            buf, sizeof buf, "rec %d %d %d %d %d %d %d %d %d %d %.3f %.3f %.3f %.3f\n",
            r.recFromX[n], r.recFromY[n], r.recToX[n], r.recToY[n], r.recPieceBefore[n],
            r.recPieceAfter[n], r.recCaptured[n], r.recMissMAN[n], r.recMissCOM[n], n,
            static_cast<double>(r.recTimeMANBefore[n]), static_cast<double>(r.recTimeMANAfter[n]),
            static_cast<double>(r.recTimeCOMBefore[n]), static_cast<double>(r.recTimeCOMAfter[n]));
        out += buf;
    }
    for (const auto& line : form.moveList().lines) out += line.text + "\n";
    out += "check " + checkGameState(s) + "\n";
    out += "logged " + std::to_string(form.movesLogged) + " closed " + std::to_string(form.closed);
    return out;
}

// One run of random events; with markers, random marker actions come between the events
// from a generator of their own, so that the events are the same.
struct EventRun {
    std::filesystem::path dir;
    fakes::FakePorts f;
    std::mt19937 rng;
    std::mt19937 markerRng;
    bool withMarkers;
    std::unique_ptr<Form1> form;
    std::vector<std::string> trace;
    long markerActions = 0, markersSeen = 0, computerMoves = 0;

    EventRun(const std::string& name, unsigned seed, bool markers)
        : dir(std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid()))),
          rng(seed),
          markerRng(seed + 1),
          withMarkers(markers) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        f.dialogs.defaultAnswer = true;
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
    }
    ~EventRun() { std::filesystem::remove_all(dir); }

    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    int pickMarker(int n) { return static_cast<int>(markerRng() % static_cast<unsigned>(n)); }

    void clickCell(int gx, int gy, int b) {
        form->Form_MouseDown(b, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + pick(495)),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + pick(615)));
    }
    void allowedMove() {
        GameState& s = form->s;
        if (s.turn == NOBODY) return;
        const auto moves = testkit::allowedMoves(s, s.turn == s.roleMAN);
        if (moves.empty()) return;
        const MoveArgs m = moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
        const int fromY = m.fromX == COM_HAND_X ? 8 - m.fromY : m.fromY;
        clickCell(m.fromX, fromY, LEFT_BUTTON);
        clickCell(m.toX, m.toY, pick(3) == 0 ? RIGHT_BUTTON : LEFT_BUTTON);
    }
    void markerAction() {
        ++markerActions;
        const int a = pickMarker(10);
        const int x = 1 + pickMarker(9), y = 1 + pickMarker(9);
        if (a < 7)
            form->MARKER_Choose(x, y, a == 0 ? 0 : MARKER_KINDS[pickMarker(8)]);
        else if (a < 9)
            form->removeMarker(x, y);
        else
            form->removeLastMarker();
        markersSeen += form->markers().empty() ? 0 : 1;
    }
    void event() {
        Form1& g = *form;
        const int e = pick(100);
        if (e < 20) {
            clickCell(1 + pick(9), 1 + pick(9), pick(3) == 0 ? RIGHT_BUTTON : LEFT_BUTTON);
        } else if (e < 60) {
            allowedMove();
        } else if (e < 63) {
            clickCell(pick(2) ? MAN_HAND_X : COM_HAND_X, pick(11), LEFT_BUTTON);
        } else if (e < 66) {
            g.SENTE_Click();
        } else if (e < 68) {
            g.GOTE_Click();
        } else if (e < 69) {
            g.CANCEL_Click();
        } else if (e < 73) {
            g.REPLAY_Click();
        } else if (e < 77) {
            g.AFTER_Click();
        } else if (e < 78) {
            g.REVERSE_Click();
        } else if (e < 81) {
            g.ICHIJI_Click();
        } else if (e < 84) {
            g.MOVELIST_Click(pick(g.s.moveNoLast + 1));
        } else if (e < 87) {
            const int l = pick(3);
            if (l == 0) g.LEVEL1_Click();
            if (l == 1) g.LEVEL2_Click();
            if (l == 2) g.LEVEL3_Click();
        } else {
            g.Timer1_Timer();
        }
    }
    void go(int events) {
        for (int i = 0; i < events && !form->closed; ++i) {
            if (withMarkers)
                for (int k = pickMarker(3); k > 0; --k) markerAction();
            f.canvas.ops.clear();
            f.dialogs.boxes.clear();
            f.sound.calls.clear();
            f.timer.history.clear();
            f.clock.advance(static_cast<float>(pick(4000)) / 100.0f);
            f.dialogs.defaultAnswer = pick(6) != 0;
            const long before = form->movesLogged;
            event();
            computerMoves += form->movesLogged - before;
            trace.push_back(answers(*form, f));
        }
    }
};

TEST(GuessMarkers, NoGameAnswerChangesWithMarkersPresent) {
    long actions = 0, seen = 0, moves = 0;
    for (const unsigned seed : {11u, 2026u, 90210u}) {
        EventRun plain("velk_markers_plain_" + std::to_string(seed), seed, false);
        EventRun marked("velk_markers_marked_" + std::to_string(seed), seed, true);
        plain.go(700);
        marked.go(700);
        ASSERT_EQ(plain.trace.size(), marked.trace.size()) << "seed " << seed;
        for (std::size_t i = 0; i < plain.trace.size(); ++i)
            ASSERT_EQ(plain.trace[i], marked.trace[i]) << "seed " << seed << ", event " << i;
        actions += marked.markerActions;
        seen += marked.markersSeen;
        moves += marked.computerMoves;
    }
    // The runs had markers standing through real games.
    EXPECT_GT(actions, 1000);
    EXPECT_GT(seen, 500);
    EXPECT_GT(moves, 300);
}

TEST(GuessMarkers, ThePaletteDeleteAndANewGameSetThem) {
    fakes::FakePorts f;
    Form1 form(f.ports(), std::filesystem::temp_directory_path());
    form.Form_Load();
    form.SENTE_Click();
    form.MARKER_Choose(5, 1, COM_OU);
    form.MARKER_Choose(2, 2, COM_SYA);
    form.MARKER_Choose(4, 4, COM_HU);
    EXPECT_EQ(form.markers().kind[5][1], COM_OU);
    // Another kind replaces the marker; the same kind again removes it.
    form.MARKER_Choose(2, 2, COM_KAKU);
    EXPECT_EQ(form.markers().kind[2][2], COM_KAKU);
    form.MARKER_Choose(4, 4, COM_HU);
    EXPECT_EQ(form.markers().kind[4][4], 0);
    // No marker off the board, nor a kind that is no marker.
    form.MARKER_Choose(0, 4, COM_HU);
    form.MARKER_Choose(3, 3, COM_TO);
    form.MARKER_Choose(3, 3, MAN_HU);
    EXPECT_EQ(form.markers().order.size(), 2u);
    // Delete takes the latest first: 角 was placed after 玉.
    form.removeLastMarker();
    EXPECT_EQ(form.markers().kind[2][2], 0);
    EXPECT_EQ(form.markers().kind[5][1], COM_OU);
    form.MARKER_Choose(6, 6, COM_KIN);
    form.removeMarker(6, 6);
    EXPECT_EQ(form.markers().order.size(), 1u);
    // A new game, as 後手, 先手 or 最初, starts without markers.
    form.GOTE_Click();
    EXPECT_TRUE(form.markers().empty());
    form.MARKER_Choose(6, 6, COM_KIN);
    form.SENTE_Click();
    EXPECT_TRUE(form.markers().empty());
    form.MARKER_Choose(6, 6, COM_KIN);
    f.dialogs.defaultAnswer = true;
    form.CANCEL_Click();
    EXPECT_TRUE(form.markers().empty());
}

// Delete takes the marker under the keyboard cursor while the cursor shows, else the latest;
// neither changes a mark or the status line.
TEST(GuessMarkers, DeleteTakesTheMarkerUnderTheCursorWhileItShows) {
    fakes::FakePorts f;
    Form1 form(f.ports(), std::filesystem::temp_directory_path());
    form.Form_Load();
    form.SENTE_Click();
    ASSERT_EQ(form.s.turn, form.s.roleMAN);
    form.MARKER_Choose(5, 7, COM_KIN);
    form.MARKER_Choose(2, 2, COM_SYA);
    // No cursor yet: the latest goes.
    form.MARKER_Delete();
    EXPECT_EQ(form.markers().kind[2][2], 0);
    EXPECT_EQ(form.markers().kind[5][7], COM_KIN);
    form.MARKER_Choose(2, 2, COM_SYA);
    form.Form_KeyDown(KEY_SPACE, 0);  // shows the cursor at (5, 7)
    ASSERT_TRUE(form.cursorVisible());
    const std::string status = form.statusText();
    f.canvas.ops.clear();
    form.MARKER_Delete();
    EXPECT_EQ(form.markers().kind[5][7], 0);
    EXPECT_EQ(form.markers().kind[2][2], COM_SYA);
    // Over a square without a marker nothing goes.
    form.MARKER_Delete();
    EXPECT_EQ(form.markers().kind[2][2], COM_SYA);
    EXPECT_TRUE(f.canvas.ops.empty());
    EXPECT_EQ(form.statusText(), status);
    EXPECT_TRUE(form.cursorVisible());
}

}  // namespace
}  // namespace velk
