#include "com/evaluate.h"

#include <cstdlib>

#include "com/danger.h"
#include "com/probes.h"
#include "game/mate.h"
#include "game/move_check.h"

namespace velk {

namespace {

struct Candidate {
    int captured, piece, fromX, fromY, toX, toY;
    bool drop() const { return fromX < 0; }
};

// Terms by kind of piece. Each returns the final score; score is the score so far.

int pawnTerms(GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int x = c.toX, y = c.toY;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    const int attacker = m.manAttackCode[x][y];

    if (s.handCOM[2] > 0) score += 10 * 調査_香狙い(s, x, y);
    if (s.handCOM[3] > 0) score += 10 * 調査_桂狙い(s, x, y);
    if (y < 9) {
        const int ahead = b[x][y + 1];
        if (ahead == COM_KIN) {
            score += 5;
        } else if (ahead == COM_SYA) {
            score -= 10;
        }
        // A MAN piece (not a pawn) in front of the pawn with nowhere safe to go.
        if (ahead < MAN_HU && 調査_移動可場所数(s, x, y + 1, ahead) == 0)
            score += 10 * std::abs(ahead);
    }
    if (ci > 0 && x > 1 && x < 9 && (b[x + 1][y] == COM_SYA || b[x - 1][y] == COM_SYA)) score -= 10;

    if (c.drop()) {
        if (ci > 0 && y > 1 && b[x][y - 1] >= COM_GIN && (s.handMAN[1] > 0 || s.handMAN[2] > 0))
            score += 60;
        if (b[2][8] == MAN_KAKU && x == 2 && y == 7 &&
            (m.manInfluence[2][7] == 0 || m.comInfluence[2][7] > 0))
            score += 300;
        const int wx = m.manAttackX[x][y];
        const int wy = m.manAttackY[x][y];
        if (!(t.comInfluenceAtTurnStart[wx][wy] > 0 && m.manInfluence[wx][wy] == 0) && ci > 0 &&
            wx == x && (attacker == MAN_KYOU || attacker == MAN_SYA) && wy > y)
            return score + 1200;
        return score;
    }
    if (c.fromX <= 0) return score;

    score -= 1;
    const int guard = m.comGuardCode[x][y];
    if (guard == COM_KIN || guard == COM_GIN) score += 6;
    if (y >= 8) return score;

    if (guard == COM_KYOU) {
        score += 10;
    } else if (guard == COM_SYA && m.comGuardX[x][y] == x && ci >= mi && m.comGuardY[x][y] < y) {
        score += 20;  // the rook stands behind the pawn
    }
    if (m.manInfluence[x][y + 1] == 0 && b[x][y + 2] <= MAN_KEI) score += 10;
    if (y < 7) {
        if (b[x][y + 1] == MAN_HU && m.manInfluence[x][y + 1] > 0) score -= 50;
        if (x < 9 && b[x + 1][y] == COM_KAKU) {
            score += 5;
            if (b[x + 1][y + 2] == MAN_HU) score += 50;
        }
        if (x > 1) {
            if (x == 7 && y == 4 && b[8][2] == COM_KAKU) score += 100;
            if (b[x - 1][y] == COM_KAKU) {
                score += 5;
                if (b[x - 1][y + 2] == MAN_HU) score += 50;
            }
        }
    }
    if (isManPiece(c.captured) && m.comInfluence[c.fromX][c.fromY] == 1) {
        if (y > 2 && attacker == MAN_KYOU && b[x][y - 2] == COM_KAKU) {
            score -= 50;
        } else {
            score += 50;
        }
        if (c.captured == MAN_HU && (attacker == MAN_KYOU || attacker == MAN_SYA)) score += 500;
    }
    const int ahead = b[x][y + 1];
    if (isManPiece(ahead)) {
        if (ci > mi) return score + 10;
        if (ahead == MAN_HU) return score - 50;
        if (ci > 0) {
            if (t.comInfluenceAtTurnStart[x][y + 1] > 0 && t.manInfluenceAtTurnStart[x][y + 1] == 0)
                return score - 10;
            if (ci >= mi) return score + 50;
        } else if (mi == 0) {
            return score + 10;
        }
    }
    return score;
}

int lanceTerms(GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    if (s.handCOM[3] > 0) score += 10 * 調査_桂狙い(s, x, y);
    if (c.fromX == COM_HAND_X) {
        if (y >= 8) return score;
        if (s.handMAN[1] > 0 && m.manInfluence[x][y + 1] > 0 && mi == 0) score -= 100;
        // The lance skewers the MAN piece in front of it and the first piece behind that.
        if (b[x][y + 1] <= MAN_KYOU && (mi == 0 || ci >= mi)) {
            for (int yy = y + 2; yy <= 9; ++yy) {
                const int behind = b[x][yy];
                if (behind == EMPTY) continue;
                if (移動チェック(s, x, y + 1, x, yy, COM_KYOU) == YES && behind < MAN_KYOU)
                    return score + 10 * std::abs(behind);
                break;
            }
        }
        return score;
    }
    if (c.captured == EMPTY) return score - 9;
    return score;
}

int knightTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    score -= 1;
    // Row 9 has no square in front; an unpromoted knight never stands there in play.
    if (y < 9 && m.manInfluence[x][y + 1] > 0) score -= 10;
    if (y < 8 && x > 1 && x < 9) {
        if (m.manInfluence[x - 1][y + 2] > 0 && m.manInfluence[x + 1][y + 2] > 0) score -= 10;
        if (x == 7 && y == 3 && b[8][4] == COM_KAKU) return score - 50;
    }
    return score;
}

int silverTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const int x = c.toX, y = c.toY;
    if (y <= 1) return score;
    if (y > c.fromY && c.fromX == x) score -= 1;
    if (b[x][y - 1] == COM_KEI) score -= 5;
    if (x == 7 && y == 3 && b[8][3] == COM_HU && b[8][5] == MAN_HU) return score + 1150;
    return score;
}

int goldTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int x = c.toX, y = c.toY;
    // A drop carries fromY 5, so a gold dropped on rows 6 to 9 counts as diagonally forward.
    if (y > c.fromY && c.fromX != x) score -= 5;
    if (y == 4) {
        if (b[6][4] == COM_KAKU && m.manInfluence[6][4] > 0) return score - 50;
        return score;
    }
    if (y == 2) {
        if (b[8][3] == COM_HU && b[8][6] == MAN_HU && x == 7 && m.manGuardCode[8][6] == MAN_SYA)
            score += 100;
        if (s.handMAN[6] > 0 && t.comInfluenceAtTurnStart[x][3] == 0 && isComPiece(b[x][3])) {
            score += 20;
            if (t.comInfluenceAtTurnStart[x][4] == 1 && b[x][4] == COM_KAKU) return score + 1250;
        }
    }
    return score;
}

int bishopTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    score += 10 * 調査_周辺状況(s, x, y);
    if (y < 9) {
        if (y == 3) {
            if (x == 9 && b[9][4] == COM_HU && b[9][6] == MAN_HU && b[9][9] == MAN_KYOU) {
                score -= 100;
            } else if (x == 7 && b[8][5] == MAN_HU && m.manGuardCode[8][5] == MAN_SYA) {
                score += 90;
            }
        }
        if (m.manInfluence[x][y + 1] > 0) {
            if (調査_移動可場所数(s, x, y, COM_KAKU) == 0) score -= 1000;
            if (y < 8 && b[x][y + 2] == MAN_HU) score -= 10;
        }
    }
    if (c.fromY == 3) {
        if (c.fromX == 9) {
            if (b[9][4] == COM_HU && b[9][6] == MAN_HU && m.manGuardCode[9][6] == MAN_KYOU)
                return score + 100;
        } else if (c.fromX == 7) {
            if (b[8][5] == MAN_HU && m.manGuardCode[8][5] == MAN_SYA &&
                m.comInfluence[8][4] < s.comTurn.comInfluenceAtTurnStart[8][4])
                return score - 100;
        }
    }
    return score;
}

// The rook's and dragon's closing bonus: standing safely on the MAN king's file or rank.
bool besideManKing(const GameState& s, int x, int y) {
    const int kx = s.kingXMAN, ky = s.kingYMAN;
    return (x == kx || y == ky) && std::abs(x - kx) < 3 && std::abs(y - ky) < 3;
}

int rookTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int fx = c.fromX, fy = c.fromY;
    const int mi = m.manInfluence[x][y];
    score += 10 * 調査_周辺状況(s, x, y);
    if (c.drop()) {
        if (y == 9 && b[x][8] == MAN_GIN && x > 1 && x < 9 &&
            ((b[x - 1][9] != EMPTY && b[x + 1][8] == MAN_KIN) ||
             (b[x + 1][9] != EMPTY && b[x - 1][8] == MAN_KIN)))
            return score - 10;
        return score;
    }
    if (mi == 0 && x == 3 && y == 4 && b[3][7] == MAN_KAKU && b[3][6] == MAN_HU && b[3][5] == EMPTY)
        score += 70;
    if (y < 8) {
        if (m.manInfluence[x][y + 1] > 0) {
            score -= 10;
            if (b[x][y + 2] == MAN_HU && y == fy) score -= 50;
        }
        if (fy < 9 && b[8][fy + 1] == MAN_HU && m.manGuardCode[8][fy + 1] == MAN_SYA) {
            if (m.comInfluence[8][fy] < s.comTurn.comInfluenceAtTurnStart[8][fy]) score -= 110;
            if (b[7][fy] == COM_HU && y != fy) score -= 110;
        }
        if (m.manInfluence[fx][fy] == 0 && fx == 2 && fy == 2 && x == 2 && y == 3) score -= 10;
    }
    if (mi == 0 || (m.comInfluence[x][y] > 0 && m.manAttackCode[x][y] == MAN_OU)) {
        if (調査_移動可場所数(s, x, y, COM_SYA) <= 1) return score - 350;
        if (besideManKing(s, x, y)) return score + 1000;
    }
    return score;
}

int dragonTerms(const GameState& s, const Candidate& c, int score) {
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int fx = c.fromX, fy = c.fromY;
    score += 10 * 調査_周辺状況(s, x, y);
    // Row 0 exists in every board-sized array and holds 0, so y - 1 may be 0 here.
    if (b[x][y - 1] == MAN_GIN && x > 1 && x < 9 &&
        ((b[x - 1][y] != EMPTY && b[x + 1][y - 1] == MAN_KIN) ||
         (b[x + 1][y] != EMPTY && b[x - 1][y - 1] == MAN_KIN)))
        score -= 100;
    if (onBoard(fx, fy) && fy == 9 && b[fx][8] == MAN_GIN) {
        if (fx > 1 && b[fx - 1][8] == MAN_KIN) score += 20;
        if (fx < 9 && b[fx + 1][8] == MAN_KIN) score += 20;
    }
    if (y == 9 && isManPiece(b[x][8])) {
        if (x == 3 && b[4][8] == MAN_KIN && isManPiece(b[2][9])) score -= 1500;
        if (x == 7 && b[6][8] == MAN_KIN && isManPiece(b[8][9])) score -= 1500;
    }
    if ((m.manInfluence[x][y] == 0 ||
         (m.comInfluence[x][y] > 0 && m.manAttackCode[x][y] == MAN_OU)) &&
        besideManKing(s, x, y))
        return score + 1000;
    return score;
}

int kingTerms(const GameState& s, const Candidate& c, int score) {
    const int x = c.toX, y = c.toY;
    if (s.comTurn.comPiecePinned == YES) score += 100;
    if (s.maps.comInfluence[x][y] > s.comTurn.comInfluenceAtTurnStart[x][y]) score += 10;
    if (調査_移動可場所数(s, x, y, COM_OU) < 2) return score - 200;
    return score;
}

}  // namespace

int 盤評価(GameState& s, int captured, int piece, int fromX, int fromY, int toX, int toY) {
    const Candidate c{captured, piece, fromX, fromY, toX, toY};
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int kx = s.kingXMAN, ky = s.kingYMAN;
    const int x = toX, y = toY;

    // 1. Immediate results.
    if (captured == MAN_OU) return SCORE_KING_CAPTURE;
    if (m.manInfluence[s.kingXCOM][s.kingYCOM] >= 1) return SCORE_LOST;
    int score = 0;
    const bool check = m.comInfluence[kx][ky] > 0;
    if (check) {
        if (詰めかMAN(s) == YES) return piece == COM_HU ? SCORE_LOST : SCORE_MATE;
        if (m.manAttackCode[x][y] == MAN_OU && m.comInfluence[x][y] > 0) score += 1000;
        if (std::abs(x - kx) <= 1 && std::abs(y - ky) <= 1 && x != kx && y != ky &&
            m.comGuardCode[x][y] == COM_RYU && m.manInfluence[x][y] <= 2 &&
            (m.comGuardX[x][y] == kx || m.comGuardY[x][y] == ky))
            score += 9000;
        if (m.manInfluence[x][y] == 0) score += 100;
    }

    // 2. Drop or promotion.
    if (fromX < 0) {
        score -= 50;
    } else if (piece > t.trialPiece) {
        score += 100;
    }

    // 3. Danger squares.
    score += 盤評価_COM危険座標(s, piece, x, y);

    // 4. Approach to the MAN king.
    const int ax = std::abs(x - kx);
    const int ay = std::abs(y - ky);
    if (ax > ay) {
        if (ax < t.sourceToManKing) score += 10;
    } else if (ay < t.sourceToManKing) {
        score += 1;
    }

    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    const int attacker = m.manAttackCode[x][y];

    // 5. The cheapest attacker W is pinned and leaves its line to take: take it first.
    const int wx = m.manAttackX[x][y];
    const int wy = m.manAttackY[x][y];
    if (m.manInfluence[wx][wy] > 0 && t.pinnedMAN[wx][wy] == 1 &&
        (mi == 1 || (mi == 2 && check && ci > 0))) {
        const bool wFile = wx == kx, wRank = wy == ky;
        const bool tFile = x == kx, tRank = y == ky;
        const bool leavesLine =
            (wFile && !tFile) || (wRank && !tRank) || ((tFile || tRank) && !wFile && !wRank);
        if (leavesLine && 移動チェック(s, x, y, wx, wy, t.trialPiece) == YES) {
            const int gainedFrom =
                b[t.comAttackXAtTurnStart[wx][wy]][t.comAttackYAtTurnStart[wx][wy]];
            if (c.drop() || gainedFrom != EMPTY) score += 10 * std::abs(b[wx][wy]);
        }
    }

    // 6. Safety of the destination.
    if (mi == 0) {
        if (piece != COM_KAKU && piece != COM_UMA && piece != COM_OU && piece != COM_HU)
            score -= 10 * 盤評価_自角注意_COM(s, x, y, piece);
        if ((ax < 3 && ay < 3) || piece == COM_KYOU || (piece >= COM_KAKU && piece <= COM_RYU)) {
            const int escapes = 調査_自王逃道(s);
            if (escapes < t.manKingEscapeCount) score += 10 * (t.manKingEscapeCount - escapes);
        }
    } else if (ci > 0) {
        if ((s.handMAN[4] > 0 || s.handMAN[5] > 0) && x > 1 && x < 9) {
            const int left = b[x - 1][y], right = b[x + 1][y];
            const auto rook = [](int code) { return code == MAN_SYA || code == MAN_RYU; };
            if ((left == COM_OU && rook(right)) || (right == COM_OU && rook(left)))
                score -= 10 * piece;
        }
        if (piece > std::abs(attacker)) score -= 10 * (piece - std::abs(attacker));
        if (attacker == MAN_OU && y < ky && check) score += 10 * piece;
    } else if (c.drop()) {
        score -= 10 * (piece + 50);
    }

    // 7. Edge file in front of MAN's lance.
    if (b[x][9] == MAN_KYOU && (x == 1 || x == 9) && piece != COM_KYOU && piece != COM_SYA &&
        piece != COM_RYU && fromX != x)
        score -= 1;

    // 8. Material won.
    if (captured != EMPTY) {
        if (mi > 0 && ci > 0) {
            if (piece < std::abs(attacker)) score += 10 * std::abs(captured);
        } else if (mi > 0) {
            // Taken only when the piece was attacked where it stood and had no safe square.
            if (onBoard(fromX, fromY) && t.manInfluenceAtTurnStart[fromX][fromY] > 0 &&
                調査_移動可場所数(s, fromX, fromY, piece) == 0)
                score += 10 * std::abs(captured);
        } else {
            score += 10 * std::abs(captured);
            if (captured == MAN_TO || captured == MAN_NARIKYOU || captured == MAN_NARIKEI)
                score += 500;
        }
    }

    // 9. Terms by kind of piece.
    switch (piece) {
        case COM_HU:
            return pawnTerms(s, c, score);
        case COM_TO:
            return ci >= mi ? score + 10 : score;
        case COM_KYOU:
            return lanceTerms(s, c, score);
        case COM_KEI:
            return knightTerms(s, c, score);
        case COM_GIN:
            return silverTerms(s, c, score);
        case COM_KIN:
            return goldTerms(s, c, score);
        case COM_KAKU:
            return bishopTerms(s, c, score);
        case COM_UMA:
            return score + 10 * 調査_周辺状況(s, x, y);
        case COM_SYA:
            return rookTerms(s, c, score);
        case COM_RYU:
            return dragonTerms(s, c, score);
        case COM_OU:
            return kingTerms(s, c, score);
        default:
            return score;
    }
}

}  // namespace velk
