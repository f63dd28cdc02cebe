#include "com/danger.h"

#include <algorithm>
#include <cstdlib>

#include "com/probes.h"
#include "com/weights.h"
#include "game/move_check.h"

namespace velk {

using namespace weights;

namespace {

// Penalties for an empty square P = (x, y), in tenths.
int emptySquare(GameState& s, int x, int y) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    const bool silverOrGold = s.handMAN[4] > 0 || s.handMAN[5] > 0;
    int value = 0;

    if (mi > 0) {
        if (std::abs(x - s.kingXCOM) < 2 && std::abs(y - s.kingYCOM) < 2) {
            value += emptySquares::NEAR_KING_PER_ATTACKER * mi;
            if (ci == 1 && mi > 1) value += emptySquares::NEAR_KING_OUTNUMBERED;
            if (silverOrGold) value += emptySquares::NEAR_KING_SILVER_GOLD_IN_HAND;
        }
        if (ci == 0 && y < 4) {
            value += emptySquares::UNHELD_CAMP_ATTACKED;
            if (調査_自守駒MAN_直進駒(s, x, y) == YES)
                value += emptySquares::UNHELD_CAMP_LINE_BEHIND;
        }
        if (y < 4 && b[x][y + 1] == MAN_HU && mi >= ci) {
            value += emptySquares::PAWN_BREAK;
            if (調査_自守駒MAN_直進駒(s, x, y + 1) == YES) value += emptySquares::PAWN_BREAK_BACKED;
        }
    }

    if (s.handTotalMAN <= 0) return value;

    // A lance dropped on P skewers the COM piece in front of it and the one behind.
    if (s.handMAN[2] > 0 && y > 2 && b[x][y - 1] > COM_KYOU && (mi > 0 || ci == 0)) {
        for (int yy = y - 2; yy >= 1; --yy) {
            if (b[x][yy] == EMPTY) continue;
            if (b[x][yy] > COM_KYOU)
                value +=
                    emptySquares::LANCE_SKEWER + emptySquares::LANCE_SKEWER_PER_CODE * b[x][yy];
            break;
        }
    }
    // A knight dropped on P forks two COM pieces bigger than pawns.
    if (s.handMAN[3] > 0 && (mi > 0 || ci == 0) && y > 2 && x > 1 && x < 9 &&
        b[x - 1][y - 2] > COM_HU && b[x + 1][y - 2] > COM_HU)
        value += emptySquares::KNIGHT_FORK;
    if (silverOrGold && ci <= 1) {
        const int around = 調査_周辺状況(s, x, y);
        if (around < -1) value += emptySquares::CROWDED;
        if (ci == 0 && around < 0) {
            value += emptySquares::UNHELD_BESIDE_BIG;
            if (y < 4) value += emptySquares::UNHELD_BESIDE_BIG_CAMP;
        }
    }
    if (ci == 0) {
        if (y == 2 && b[x][1] == COM_KEI) value += emptySquares::KNIGHT_HEAD;
        if (y < 4) value += emptySquares::UNHELD_CAMP_WITH_HAND;
        // A silver dropped on P forks two loose COM pieces on a diagonal.
        if (s.handMAN[4] > 0 && y > 1 && y < 9 && x > 1 && x < 9) {
            if (isComPiece(b[x - 1][y - 1]) && isComPiece(b[x + 1][y + 1]) &&
                m.comInfluence[x - 1][y - 1] == 0 && m.comInfluence[x + 1][y + 1] == 0)
                value += emptySquares::SILVER_FORK;
            if (isComPiece(b[x - 1][y + 1]) && isComPiece(b[x + 1][y - 1]) &&
                m.comInfluence[x - 1][y + 1] == 0 && m.comInfluence[x + 1][y - 1] == 0)
                value += emptySquares::SILVER_FORK;
        }
    }
    return value;
}

// Penalties for the COM piece on P = (x, y), in tenths.
int comSquare(GameState& s, int x, int y, int code) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    const int attacker = m.manAttackCode[x][y];
    int value = 0;

    if (code == COM_OU && y == 1 && m.manInfluence[x][2] > 0) {
        value += comPieces::KING_FRONT_ATTACKED;
        if (m.manInfluence[x][2] >= m.comInfluence[x][2])
            value += comPieces::KING_FRONT_OUTNUMBERED;
        if (s.handMAN[4] > 0 || s.handMAN[5] > 0)
            value += comPieces::KING_FRONT_SILVER_GOLD_IN_HAND;
    }
    if (code == COM_HU && attacker == MAN_SYA && s.handMAN[1] > 0 && mi >= ci && y < 9 &&
        m.comInfluence[x][y + 1] == 1)
        value += comPieces::PAWN_BEFORE_ROOK;
    if (mi <= 0) return value;

    const int cheapest = std::abs(attacker);
    const int wx = m.manAttackX[x][y];
    const int wy = m.manAttackY[x][y];
    const bool attackerFree = t.pinnedMAN[wx][wy] == 0;
    if (m.comGuardCode[x][y] == COM_OU && (mi > 1 || code > cheapest))
        value += comPieces::KING_ONLY_GUARD;
    if (attackerFree && code > cheapest) value += comPieces::EXCHANGE_PER_POINT * (code - cheapest);
    if (ci > 0 && attackerFree) {
        if (mi > ci && m.comGuardCode[x][y] >= cheapest)
            value += comPieces::OUTNUMBERED_PER_POINT * code;
        // The piece in front is backed by a MAN lance, rook or dragon from below: the piece and
        // the cheapest MAN attacker of the one in front. Attackers are recorded only on COM
        // squares, so a MAN piece in front reads the map's -999 and costs 999: a deliberately
        // heavy penalty for walking into a backed-up file, kept as it is weighed.
        if (y <= 3 && ci == mi && b[x][y + 1] != EMPTY && 調査_自守駒MAN_直進駒(s, x, y + 1) == YES)
            value +=
                comPieces::BACKED_FILE_PER_POINT * (code + std::abs(m.manAttackCode[x][y + 1]));
    }
    if (ci == 0) {
        value += comPieces::HANGING_PER_POINT * code;
        if (y <= 3) value += comPieces::HANGING_CAMP;
        const int before = t.boardAtTurnStart[x][y];
        if (isManPiece(before)) value += comPieces::RECAPTURED_PER_POINT * std::abs(before);
        if (y < 4 && (attacker == MAN_HU || attacker == MAN_KYOU))
            value += comPieces::HANGING_CAMP_CHEAP_ATTACKER;
    }
    return value;
}

// Bonuses and penalties for the MAN piece on P = (x, y), in tenths.
int manSquare(const GameState& s, int x, int y, int code) {
    const auto& b = s.board;
    const auto& m = s.maps;
    int value = 0;
    if (s.comTurn.comInfluenceAtTurnStart[x][y] == 0 && m.comInfluence[x][y] > 0) {
        if (code == MAN_KEI && y > 2 && m.manInfluence[x][y - 1] == 0 &&
            (b[x][y - 1] == COM_GIN || b[x][y - 1] == COM_RYU || b[x][y - 1] == COM_UMA))
            value += manPieces::KNIGHT_HEAD;
        if (std::abs(x - s.kingXCOM) < 3 && std::abs(y - s.kingYCOM) < 3)
            value += manPieces::NEAR_COM_KING;
    }
    if (code == MAN_KEI && y >= 5 && b[x][y - 4] >= COM_GIN) {
        const auto openAndLoose = [&](int nx, int ny) {
            return (b[nx][ny] == EMPTY || isComPiece(b[nx][ny])) && m.comInfluence[nx][ny] == 0;
        };
        if (x > 1 && openAndLoose(x - 1, y - 2)) value += manPieces::KNIGHT_LOOSE_LANDING;
        if (x < 9 && openAndLoose(x + 1, y - 2)) value += manPieces::KNIGHT_LOOSE_LANDING;
    } else if ((code == MAN_SYA || code == MAN_RYU || code == MAN_KYOU) && x == s.kingXCOM) {
        value += manPieces::LINE_ON_KING_FILE;
    }
    return value;
}

}  // namespace

int 盤評価_COM危険座標(GameState& s, int piece, int toX, int toY, EvalTrace* trace) {
    const auto& m = s.maps;
    const bool destinationUnreached = m.manInfluence[toX][toY] == 0;
    Score empty = 0, com = 0, man = 0, forked = 0;
    int forkCount = 0;
    int forkMinimum = 9999;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = s.board[x][y];
            if (code == EMPTY) {
                empty += emptySquare(s, x, y);
            } else if (isComPiece(code)) {
                com += comSquare(s, x, y, code);
            } else if (isManPiece(code)) {
                man += manSquare(s, x, y, code);
                // The moved piece attacking loose MAN pieces (or the king): a fork when two.
                if (destinationUnreached && (m.manInfluence[x][y] == 0 || code == MAN_OU) &&
                    移動チェック(s, toX, toY, x, y, piece) == YES) {
                    forked += fork::ATTACKED;
                    ++forkCount;
                    forkMinimum = std::min(forkMinimum, std::abs(code));
                }
            }
        }
    if (forkCount > 1) forked += fork::PER_POINT * forkMinimum;
    if (trace != nullptr) {
        trace->add(emptySquares::NAME, empty);
        trace->add(comPieces::NAME, com);
        trace->add(manPieces::NAME, man);
        trace->add(fork::NAME, forked);
    }
    return empty + com + man + forked;
}

int 盤評価_自角注意_COM(const GameState& s, int toX, int toY, int piece) {
    const auto& threat = s.comTurn.manBishopThreat;
    for (int ax = 1; ax <= 9; ++ax)
        for (int ay = 1; ay <= 9; ++ay) {
            if (threat[ax][ay] != 1) continue;
            if (移動チェック(s, toX, toY, ax, ay, MAN_KAKU) != YES &&
                移動チェック(s, toX, toY, ax, ay, MAN_UMA) != YES)
                continue;
            // The first square on the piece's diagonal decides.
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) {
                    const int code = s.board[x][y];
                    if ((code == MAN_KAKU || code == MAN_UMA) &&
                        移動チェック(s, x, y, ax, ay, code) == YES)
                        return piece;
                }
            if (s.handMAN[6] > 0 && 移動チェック(s, MAN_HAND_X, 8, ax, ay, MAN_KAKU) == YES)
                return piece;
            return 0;
        }
    return 0;
}

}  // namespace velk
