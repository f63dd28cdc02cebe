// Thousands of random events sent to the window controller: clicks anywhere
// with any button, menu commands, timer ticks, keys and answers to the boxes.
// After each event the game state must still be well formed.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "match/fakes.h"
#include "match/form1.h"
#include "support/random_play.h"

namespace velk {
namespace {

std::string problems(const GameState& s) {
    std::ostringstream out;
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) {
            const int v = s.board[x][y];
            const bool ok = (x == 0 || y == 0) ? v == EMPTY : (v == EMPTY || isValidPiece(v));
            if (!ok) out << "board(" << x << "," << y << ")=" << v << " ";
        }
    int sumMAN = 0, sumCOM = 0;
    for (int k = 1; k <= 7; ++k) {
        if (s.handMAN[k] < 0 || s.handCOM[k] < 0) out << "negative hand " << k << " ";
        sumMAN += s.handMAN[k];
        sumCOM += s.handCOM[k];
    }
    if (sumMAN != s.handTotalMAN) out << "handTotalMAN " << s.handTotalMAN << "!=" << sumMAN;
    if (sumCOM != s.handTotalCOM) out << "handTotalCOM " << s.handTotalCOM << "!=" << sumCOM;
    if (s.moveNo < 0 || s.moveNo > s.moveNoLast || s.moveNoLast > MAX_MOVES)
        out << "moveNo " << s.moveNo << "/" << s.moveNoLast << " ";
    if (s.moveCount < 0) out << "moveCount " << s.moveCount << " ";
    if (s.missCountMAN < 0 || s.missCountMAN > 10 || s.missCountCOM < 0 || s.missCountCOM > 10)
        out << "misses " << s.missCountMAN << "/" << s.missCountCOM << " ";
    if (s.selPhase != 0 && s.selPhase != 1) out << "selPhase " << s.selPhase << " ";
    if (s.level < 1 || s.level > 3) out << "level " << s.level << " ";
    if (s.turn != NOBODY && s.turn != SENTE && s.turn != GOTE) out << "turn " << s.turn << " ";
    if (s.roleMAN == s.roleCOM) out << "roles ";
    if (s.screenUp != YES && s.screenUp != NO) out << "screenUp ";
    return out.str();
}

TEST(RandomEvents, StateStaysWellFormed) {
    const auto dir = std::filesystem::temp_directory_path() / "velk_match_random";
    std::filesystem::create_directories(dir);
    fakes::FakePorts f;
    std::mt19937 rng(20240611);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    std::unique_ptr<Form1> form;
    auto open = [&] {
        form = std::make_unique<Form1>(f.ports(), dir);
        form->Form_Load();
    };
    open();
    auto clickCell = [&](int gx, int gy, int button) {
        form->Form_MouseDown(button, 0, static_cast<float>(BOARD_LEFT + SQUARE_W * gx + pick(495)),
                             static_cast<float>(BOARD_TOP + SQUARE_H * gy + pick(615)));
    };
    auto button = [&] {
        const int r = pick(10);
        return r < 6 ? LEFT_BUTTON : r < 9 ? RIGHT_BUTTON : 4;
    };

    int restarts = 0;
    for (int i = 0; i < 6000; ++i) {
        f.dialogs.defaultAnswer = pick(12) != 0;
        f.clock.advance(static_cast<float>(pick(4000)) / 100.0f);
        GameState& s = form->s;
        const int e = s.turn == NOBODY && pick(3) == 0 ? 60 + pick(6) : pick(100);
        if (e < 30) {
            clickCell(1 + pick(9), 1 + pick(9), button());
        } else if (e < 50 && s.turn == s.roleMAN) {
            // A move the move check allows, so that games really go on.
            auto moves = testkit::allowedMoves(s, true);
            if (!moves.empty()) {
                const MoveArgs m =
                    moves[static_cast<std::size_t>(pick(static_cast<int>(moves.size())))];
                clickCell(m.fromX, m.fromY, LEFT_BUTTON);
                if (!form->closed) clickCell(m.toX, m.toY, button());
            }
        } else if (e < 56) {
            clickCell(pick(2) ? MAN_HAND_X : COM_HAND_X, pick(11), button());
        } else if (e < 59) {
            const float wild[] = {-1e30f,
                                  1e30f,
                                  std::numeric_limits<float>::quiet_NaN(),
                                  std::numeric_limits<float>::infinity(),
                                  -5000.0f,
                                  20000.0f};
            form->Form_MouseDown(pick(5), 0, wild[pick(6)], static_cast<float>(pick(9000)));
        } else if (e < 63) {
            form->SENTE_Click();
        } else if (e < 66) {
            form->GOTE_Click();
        } else if (e < 68) {
            form->CANCEL_Click();
        } else if (e < 71) {
            const int l = pick(3);
            if (l == 0) form->LEVEL1_Click();
            if (l == 1) form->LEVEL2_Click();
            if (l == 2) form->LEVEL3_Click();
        } else if (e < 74) {
            form->REPLAY_Click();
        } else if (e < 77) {
            form->AFTER_Click();
        } else if (e < 78) {
            form->REVERSE_Click();
        } else if (e < 80) {
            form->ICHIJI_Click();
        } else if (e < 82) {
            form->KEIKA_Click();
        } else if (e < 84) {
            form->TAIKYOKU_Click();
            form->STOP_Click();
        } else if (e < 95) {
            form->Timer1_Timer();
        } else if (e < 99) {
            form->Form_KeyDown(pick(40) == 0 ? KEY_ESCAPE : 28 + pick(100));
        } else if (pick(20) == 0) {
            form->Form_Unload();
        }
        const std::string p = problems(form->s);
        ASSERT_EQ(p, "") << "after event " << i << " (kind " << e << ")";
        if (form->closed) {
            ++restarts;
            open();
        }
    }
    EXPECT_GT(restarts, 0);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace velk
