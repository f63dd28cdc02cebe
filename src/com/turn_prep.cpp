#include "com/turn_prep.h"

#include <cstdlib>

#include "board/piece_moves.h"
#include "com/com_turn.h"
#include "game/board_view.h"
#include "game/mate.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/survey.h"

namespace velk {

namespace {

struct Square {
    int x = 0, y = 0;
};

// The ranging pieces of one side, in scan order.
struct RangingList {
    Square at[81];
    int count = 0;
};

RangingList rangingPieces(const GameState& s, bool com) {
    RangingList list;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = s.board[x][y];
            if (!isRanging(code) || (com ? !isComPiece(code) : !isManPiece(code))) continue;
            if (list.count < 81) list.at[list.count++] = {x, y};
        }
    return list;
}

bool anyReaches(const GameState& s, const RangingList& list, int kx, int ky) {
    for (int i = 0; i < list.count; ++i) {
        const Square p = list.at[i];
        if (移動チェック(s, p.x, p.y, kx, ky, s.board[p.x][p.y]) == YES) return true;
    }
    return false;
}

}  // namespace

void 調査_移動不可駒(GameState& s) {
    auto& t = s.comTurn;
    t.comPiecePinned = NO;
    // The piece taken off is never one of the other side's ranging pieces, so both lists hold.
    const RangingList comRanging = rangingPieces(s, true);
    const RangingList manRanging = rangingPieces(s, false);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            t.pinnedMAN[x][y] = 0;
            const std::int16_t code = s.board[x][y];
            if (code == EMPTY) continue;
            const TrialPiece lifted(s.board, x, y, EMPTY);
            if (isManPiece(code)) {
                if (anyReaches(s, comRanging, s.kingXMAN, s.kingYMAN)) t.pinnedMAN[x][y] = 1;
            } else if (isComPiece(code)) {
                if (anyReaches(s, manRanging, s.kingXCOM, s.kingYCOM)) t.comPiecePinned = YES;
            }
        }
}

void 調査_持角狙座標(GameState& s) {
    const auto& m = s.maps;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            s.comTurn.manBishopThreat[x][y] = 0;
            if (s.board[x][y] != EMPTY) continue;
            const int held = m.comInfluence[x][y];
            const bool weak = held == 0 || (held == 1 && std::abs(x - s.kingXCOM) < 2 &&
                                            std::abs(y - s.kingYCOM) < 2);
            if (weak && 移動チェック(s, x, y, s.kingXCOM, s.kingYCOM, MAN_KAKU) == YES)
                s.comTurn.manBishopThreat[x][y] = 1;
        }
}

void prepareComTurn(GameState& s) {
    auto& t = s.comTurn;
    t.foulTried = Map{};
    t.boardAtTurnStart = s.board;
    t.manKingEscapes = Map{};
    調査_2歩フラグ設定(s);
    t.manKingEscapeCount = 調査_自王逃道(s);
    勢力調査(s);
    調査_持角狙座標(s);
    調査_移動不可駒(s);
    t.handTotalCOMAtTurnStart = s.handTotalCOM;
    t.manInfluenceAtTurnStart = s.maps.manInfluence;
    t.comInfluenceAtTurnStart = s.maps.comInfluence;
    t.comAttackXAtTurnStart = s.maps.comAttackX;
    t.comAttackYAtTurnStart = s.maps.comAttackY;
}

}  // namespace velk
