#include "ui/screen.h"

#include "game/board_view.h"

namespace velk {

Screen::Screen(const GameState& s)
    : handMAN(s.handMAN),
      roleMAN(s.roleMAN),
      roleCOM(s.roleCOM),
      screenUp(s.screenUp),
      gameState(s.gameState),
      level(s.level),
      handicapSet(s.handicapSet),
      handicapLevel(s.handicapLevel),
      missCountMAN(s.missCountMAN),
      missCountCOM(s.missCountCOM),
      background(s.background),
      timeUsedMAN(s.timeUsedMAN),
      timeUsedCOM(s.timeUsedCOM) {
    int total = 0;
    for (int k = 1; k <= 7; ++k) total += s.handCOM[k];
    handTotalCOM = total;
    if (s.screenUp == YES) {
        board = sideView(s.board, Side::Man);
    } else {
        board = s.board;
        handCOM = s.handCOM;
    }
}

}  // namespace velk
