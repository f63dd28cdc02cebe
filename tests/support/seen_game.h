// A game between two players reduced to its rules, for the honest player's tests and benchmark:
// it judges moves with the game's own referee routines and fills each side's view as the window
// does, without drawing, boxes or clocks.
#pragma once

#include <cstdint>

#include "com/com_turn.h"
#include "game/board_view.h"
#include "game/hands.h"
#include "game/mate.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/setup.h"
#include "game/survey.h"
#include "honest/honest_player.h"
#include "referee/miss.h"
#include "view/side_view.h"

namespace velk::testing {

class SeenGame {
  public:
    enum class Answer { Moved, Missed, Illegal, ManWins, ComWins };

    GameState s;
    SideView man;
    SideView com;
    int moves = 0;

    explicit SeenGame(bool manFirst) {
        loadDefaults(s);
        s.roleMAN = manFirst ? SENTE : GOTE;
        s.roleCOM = manFirst ? GOTE : SENTE;
        s.turn = SENTE;
        s.gameState = 1;
        勢力調査(s);
        for (SideView* v : {&man, &com}) {
            *v = SideView{};
            v->side = v == &man ? Side::Man : Side::Com;
            v->startBoard = s.board;
            v->startHandMAN = s.handMAN;
            v->startHandCOM = s.handCOM;
            v->startToMove = manFirst ? Side::Man : Side::Com;
        }
        present(manFirst ? Side::Man : Side::Com);
    }

    // One attempt of a side: judged, then played or refused, and both views told.
    Answer attempt(Side side, const HonestMove& h) {
        const bool isMan = side == Side::Man;
        const bool drop = h.fromX == MAN_HAND_X || h.fromX == COM_HAND_X;
        const int piece = drop ? (isMan ? MAN_HAND_CODES[h.fromY - 2] : COM_HAND_CODES[h.fromY])
                               : s.board[h.fromX][h.fromY];
        調査_2歩フラグ設定(s);
        const int kind = 調査_ミス(s, h.fromX, h.fromY, h.toX, h.toY, piece);
        勢力調査(s);
        SideView& mine = isMan ? man : com;
        SideView& theirs = isMan ? com : man;
        if (kind != 0) {
            (isMan ? s.missCountMAN : s.missCountCOM) += 1;
            mine.events.push_back({SeenEvent::Kind::OwnMiss, h.fromX, h.fromY, h.toX, h.toY,
                                   h.placed, drop, 0, kind});
            theirs.events.push_back(
                {SeenEvent::Kind::OtherMiss, 0, 0, h.toX, h.toY, 0, drop, 0, kind});
            present(side);
            if ((isMan ? s.missCountMAN : s.missCountCOM) > 9)
                return isMan ? Answer::ComWins : Answer::ManWins;
            return Answer::Missed;
        }
        if (移動チェック(s, h.fromX, h.fromY, h.toX, h.toY, piece) != YES) return Answer::Illegal;
        if (!drop && 移動後チェック(h.toY, h.placed) != YES) return Answer::Illegal;
        const int captured = s.board[h.toX][h.toY];
        駒移動(s, h.fromX, h.fromY, h.toX, h.toY, h.placed);
        ++moves;
        勢力調査(s);
        const bool mate = isMan ? 詰めかCOM(s) == YES : 詰めかMAN(s) == YES;
        勢力調査(s);
        // The taker's own code of the kind taken, as the window's controller reports it.
        const int taken = captured == EMPTY
                              ? 0
                              : (isMan ? MAN_HAND_CODES : COM_HAND_CODES)[handIndexOf(captured)];
        mine.events.push_back(
            {SeenEvent::Kind::OwnMove, h.fromX, h.fromY, h.toX, h.toY, h.placed, drop, taken, 0});
        const bool check = isMan ? s.maps.manInfluence[s.kingXCOM][s.kingYCOM] > 0
                                 : s.maps.comInfluence[s.kingXMAN][s.kingYMAN] > 0;
        theirs.events.push_back({SeenEvent::Kind::OtherMove, 0, 0, h.toX, h.toY, 0, drop, captured,
                                 0, check || mate, mate});
        present(isMan ? Side::Com : Side::Man);
        if (captured == COM_OU || (isMan && mate)) return Answer::ManWins;
        if (captured == MAN_OU) return Answer::ComWins;
        return Answer::Moved;
    }

    // The computer's move as the level-3 scan chooses it on the true board.
    HonestMove comScan() {
        prepareComTurn(s);
        const ComMove m = scanComCandidates(s);
        return {m.found, m.fromX, m.fromY, m.toX, m.toY, m.placed};
    }

  private:
    void present(Side toMove) {
        for (SideView* v : {&man, &com}) {
            const bool isMan = v->side == Side::Man;
            v->board = sideView(s.board, v->side);
            v->ownHand = isMan ? s.handMAN : s.handCOM;
            v->otherHandTotal = isMan ? s.handTotalCOM : s.handTotalMAN;
            v->ownMisses = isMan ? s.missCountMAN : s.missCountCOM;
            v->otherMisses = isMan ? s.missCountCOM : s.missCountMAN;
            v->toMove = toMove;
        }
    }
};

}  // namespace velk::testing
