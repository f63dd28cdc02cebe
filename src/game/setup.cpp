#include "game/setup.h"

#include "game/hands.h"

namespace velk {

void placeStartingPosition(GameState& s) {
    static constexpr int back[10] = {0,      COM_KYOU, COM_KEI, COM_GIN, COM_KIN,
                                     COM_OU, COM_KIN,  COM_GIN, COM_KEI, COM_KYOU};
    for (int x = 1; x <= 9; ++x) {
        s.board[x][1] = static_cast<std::int16_t>(back[x]);
        s.board[x][3] = COM_HU;
        s.board[x][7] = MAN_HU;
        s.board[x][9] = static_cast<std::int16_t>(-back[x]);
    }
    s.board[2][2] = COM_SYA;
    s.board[8][2] = COM_KAKU;
    s.board[2][8] = MAN_KAKU;
    s.board[8][8] = MAN_SYA;
}

void 初期設定(GameState& s) {
    s.selPhase = 0;
    s.handicapLevel = 0;
    s.handicapSet = NO;
    s.gameState = NOBODY;
    s.winner = NOBODY;
    s.turn = NOBODY;
    s.moveNo = 0;
    s.moveCount = 0;
    s.reversed = NO;
    s.timeUsedCOM = 0;
    s.timeUsedMAN = 0;
    s.clockShown = 0;
    s.screenUp = YES;
    s.missCountCOM = 0;
    s.missCountMAN = 0;
    Hand man = s.handMAN, com = s.handCOM;
    for (int k = 1; k <= 7; ++k) {
        man[k] = 0;
        com[k] = 0;
    }
    setHands(s, man, com);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.board[x][y] = EMPTY;
    placeStartingPosition(s);
}

void loadDefaults(GameState& s) {
    s.kifuMode = NO;
    s.moveNoLast = 0;
    s.level = 1;
    s.roleCOM = SENTE;
    s.roleMAN = GOTE;
    初期設定(s);
}

}  // namespace velk
