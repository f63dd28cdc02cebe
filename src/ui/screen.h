// What the window shows of the game, and all the drawing routines may read: while the screen
// stands, the board holds the human's pieces only and the computer's hand only its total; the
// computer's pieces and hand by kind are there only while the screen is down (一時表示, the end of
// a game). The routines are given a Screen built from the game state, never the state itself, so
// nothing they draw can depend on where a hidden piece stands.
#pragma once

#include "board/map.h"
#include "board/piece.h"
#include "game/game_state.h"

namespace velk {

struct Screen {
    Map board{};
    Hand handMAN{};
    Hand handCOM{};
    int handTotalCOM = 0;
    int roleMAN = GOTE;
    int roleCOM = SENTE;
    int screenUp = YES;
    int gameState = NOBODY;
    int level = 1;
    int handicapSet = NO;
    int handicapLevel = 0;
    int missCountMAN = 0;
    int missCountCOM = 0;
    int background = 0;
    float timeUsedMAN = 0;
    float timeUsedCOM = 0;

    Screen() = default;
    // The state as the human's side of the window sees it (implicit: every drawing call is
    // handed the game state and sees only this).
    Screen(const GameState& s);  // NOLINT(google-explicit-constructor)
};

}  // namespace velk
