#include "game/invariants.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "game/move_exec.h"
#include "game/setup.h"

namespace velk {
namespace {

TEST(CheckGameState, FindsEachBrokenRule) {
    auto fresh = [] {
        auto s = std::make_unique<GameState>();
        loadDefaults(*s);
        return s;
    };
    // The broken state made from a fresh one, and a word the description must contain.
    struct Case {
        const char* name;
        std::function<void(GameState&)> breakIt;
        const char* says;
    };
    const Case cases[] = {
        {"a 19th pawn", [](GameState& s) { s.board[3][5] = MAN_HU; }, "19 歩"},
        {"a pawn in hand too many",
         [](GameState& s) {
             s.handCOM[1] = 1;
             s.handTotalCOM = 1;
         },
         "19 歩"},
        {"a gold gone", [](GameState& s) { s.board[4][9] = EMPTY; }, "3 金"},
        {"a bishop made of a pawn", [](GameState& s) { s.board[1][7] = MAN_UMA; }, "17 歩"},
        {"a third king", [](GameState& s) { s.board[5][5] = COM_OU; }, "kings"},
        {"no code", [](GameState& s) { s.board[5][5] = 12; }, "holds 12"},
        {"a piece off the board", [](GameState& s) { s.board[0][4] = MAN_HU; }, "outside"},
        {"hand total behind its hand",
         [](GameState& s) {
             s.board[1][3] = EMPTY;
             s.handMAN[1] = 1;
         },
         "handTotalMAN"},
        {"negative hand",
         [](GameState& s) {
             s.handMAN[2] = -1;
             s.handTotalMAN = -1;
         },
         "negative"},
        {"no human king in a game",
         [](GameState& s) {
             s.board[5][9] = EMPTY;
             s.turn = s.roleMAN;
         },
         "king"},
        {"moveNo past the record",
         [](GameState& s) {
             s.moveNo = s.moveCount = 3;
             s.moveNoLast = 2;
         },
         "moveNo"},
        {"record too long", [](GameState& s) { s.moveNoLast = MAX_MOVES + 1; }, "moveNoLast"},
        {"counter past 500", [](GameState& s) { s.moveCount = MAX_MOVES + 1; }, "moveCount"},
        {"counter behind the record",
         [](GameState& s) {
             s.moveNo = s.moveNoLast = 4;
             s.moveCount = 3;
         },
         "moveCount"},
        {"negative counter", [](GameState& s) { s.moveCount = -1; }, "moveCount"},
        {"eleven misses", [](GameState& s) { s.missCountCOM = 11; }, "miss"},
        {"both sides first", [](GameState& s) { s.roleCOM = s.roleMAN; }, "roles"},
        {"no such side to move", [](GameState& s) { s.turn = 3; }, "turn"},
        {"no such level", [](GameState& s) { s.level = 5; }, "level"},
        {"no such selection", [](GameState& s) { s.selPhase = 2; }, "selPhase"},
        {"no such flag", [](GameState& s) { s.screenUp = 2; }, "flag"},
    };
    EXPECT_EQ(checkGameState(*fresh()), "");
    for (const Case& c : cases) {
        auto s = fresh();
        c.breakIt(*s);
        const std::string said = checkGameState(*s);
        EXPECT_NE(said.find(c.says), std::string::npos) << c.name << ": \"" << said << "\"";
    }

    // Sound states: captures in hand, promoted pieces counted as their kind, a game under way,
    // and a king taken at the end of a game or while nobody is to move.
    auto s = fresh();
    s->turn = s->roleMAN;
    s->gameState = 1;
    駒移動(*s, 2, 8, 8, 2, MAN_UMA);  // the bishop takes the bishop and promotes
    駒移動(*s, 1, 3, 1, 4, COM_HU);
    s->moveNo = s->moveNoLast = 2;
    s->moveCount = 7;  // counted on after a reversal
    EXPECT_EQ(checkGameState(*s), "");
    EXPECT_TRUE(bothKingsOnBoard(*s));
    駒移動(*s, 8, 2, 5, 1, MAN_UMA);  // and the king
    EXPECT_FALSE(bothKingsOnBoard(*s));
    EXPECT_NE(s->winner, NOBODY);
    EXPECT_EQ(checkGameState(*s), "");
    s->winner = NOBODY;
    EXPECT_NE(checkGameState(*s), "");
    s->turn = NOBODY;
    EXPECT_EQ(checkGameState(*s), "");
}

}  // namespace
}  // namespace velk
