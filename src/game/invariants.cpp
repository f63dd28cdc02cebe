#include "game/invariants.h"

#include <array>

namespace velk {

namespace {

// Pieces of each hand index 1..7 in a full set of both sides.
constexpr std::array<int, 8> FULL_SET = {0, 18, 4, 4, 4, 4, 2, 2};
constexpr const char* KIND_NAMES[8] = {"", "歩", "香", "桂", "銀", "金", "角", "飛"};

bool isSide(int v) {
    return v == SENTE || v == GOTE;
}

bool isFlag(int v) {
    return v == YES || v == NO;
}

std::string square(int x, int y) {
    return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

}  // namespace

bool bothKingsOnBoard(const GameState& s) {
    bool man = false, com = false;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            man = man || s.board[x][y] == MAN_OU;
            com = com || s.board[x][y] == COM_OU;
        }
    return man && com;
}

std::string checkGameState(const GameState& s) {
    std::array<int, 8> pieces{};
    int kingsMAN = 0, kingsCOM = 0;
    for (int x = 0; x <= 9; ++x)
        for (int y = 0; y <= 9; ++y) {
            const int v = s.board[x][y];
            if (x == 0 || y == 0) {
                if (v != EMPTY)
                    return "board" + square(x, y) + " outside the board holds " + std::to_string(v);
                continue;
            }
            if (v == EMPTY) continue;
            if (!isValidPiece(v)) return "board" + square(x, y) + " holds " + std::to_string(v);
            if (v == MAN_OU) ++kingsMAN;
            if (v == COM_OU) ++kingsCOM;
            pieces[static_cast<std::size_t>(handIndexOf(v))] += 1;
        }

    int sumMAN = 0, sumCOM = 0;
    if (s.handMAN[0] != 0 || s.handCOM[0] != 0) return "hand slot 0 is not empty";
    for (std::size_t k = 1; k <= 7; ++k) {
        if (s.handMAN[k] < 0 || s.handCOM[k] < 0)
            return std::string("negative hand count of ") + KIND_NAMES[k];
        sumMAN += s.handMAN[k];
        sumCOM += s.handCOM[k];
        pieces[k] += s.handMAN[k] + s.handCOM[k];
    }
    if (sumMAN != s.handTotalMAN)
        return "handTotalMAN " + std::to_string(s.handTotalMAN) + " but the hand holds " +
               std::to_string(sumMAN);
    if (sumCOM != s.handTotalCOM)
        return "handTotalCOM " + std::to_string(s.handTotalCOM) + " but the hand holds " +
               std::to_string(sumCOM);
    for (std::size_t k = 1; k <= 7; ++k)
        if (pieces[k] != FULL_SET[k])
            return std::to_string(pieces[k]) + " " + KIND_NAMES[k] + " on board and hands, not " +
                   std::to_string(FULL_SET[k]);

    if (kingsMAN > 1 || kingsCOM > 1)
        return "kings MAN " + std::to_string(kingsMAN) + " COM " + std::to_string(kingsCOM);
    if (s.turn != NOBODY && s.winner == NOBODY && (kingsMAN != 1 || kingsCOM != 1))
        return "a side is to move without a king on each side";

    if (s.moveNo < 0 || s.moveNo > s.moveNoLast || s.moveNoLast > MAX_MOVES)
        return "moveNo " + std::to_string(s.moveNo) + " moveNoLast " + std::to_string(s.moveNoLast);
    if (s.moveCount < s.moveNo || s.moveCount > MAX_MOVES)
        return "moveCount " + std::to_string(s.moveCount) + " with moveNo " +
               std::to_string(s.moveNo);

    if (s.missCountMAN < 0 || s.missCountMAN > 10 || s.missCountCOM < 0 || s.missCountCOM > 10)
        return "miss counts MAN " + std::to_string(s.missCountMAN) + " COM " +
               std::to_string(s.missCountCOM);
    if (!isSide(s.roleMAN) || !isSide(s.roleCOM) || s.roleMAN == s.roleCOM) return "roles";
    if (s.turn != NOBODY && !isSide(s.turn)) return "turn " + std::to_string(s.turn);
    if (s.winner != NOBODY && !isSide(s.winner)) return "winner " + std::to_string(s.winner);
    if (s.gameState != NOBODY && s.gameState != 1)
        return "gameState " + std::to_string(s.gameState);
    if (s.selPhase != 0 && s.selPhase != 1) return "selPhase " + std::to_string(s.selPhase);
    if (s.level < 1 || s.level > LEVEL_KOUSEI) return "level " + std::to_string(s.level);
    if (!isFlag(s.screenUp) || !isFlag(s.kifuMode) || !isFlag(s.reversed) ||
        !isFlag(s.handicapSet) || !isFlag(s.comPiecesShown))
        return "a YES/NO flag holds another value";
    return {};
}

}  // namespace velk
