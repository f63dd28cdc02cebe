#include "com/evaluate.h"

#include <cstdlib>

#include "com/danger.h"
#include "com/probes.h"
#include "game/mate.h"
#include "game/move_check.h"

namespace velk {

using namespace weights;

namespace {

struct Candidate {
    int captured, piece, fromX, fromY, toX, toY;
    bool drop() const { return fromX < 0; }
};

// Terms by kind of piece. Each returns what its term adds to the score.

int pawnTerms(GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int x = c.toX, y = c.toY;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    const int attacker = m.manAttackCode[x][y];

    if (s.handCOM[2] > 0) value += pawn::LANCE_AIM_PER_POINT * 調査_香狙い(s, x, y);
    if (s.handCOM[3] > 0) value += pawn::KNIGHT_AIM_PER_POINT * 調査_桂狙い(s, x, y);
    if (y < 9) {
        const int ahead = b[x][y + 1];
        if (ahead == COM_KIN) {
            value += pawn::GOLD_AHEAD;
        } else if (ahead == COM_SYA) {
            value += pawn::ROOK_AHEAD;
        }
        // A MAN piece (not a pawn) in front of the pawn with nowhere safe to go.
        if (ahead < MAN_HU && 調査_移動可場所数(s, x, y + 1, ahead) == 0)
            value += pawn::TRAPPED_AHEAD_PER_POINT * std::abs(ahead);
    }
    if (ci > 0 && x > 1 && x < 9 && (b[x + 1][y] == COM_SYA || b[x - 1][y] == COM_SYA))
        value += pawn::BESIDE_ROOK;

    if (c.drop()) {
        if (ci > 0 && y > 1 && b[x][y - 1] >= COM_GIN && (s.handMAN[1] > 0 || s.handMAN[2] > 0))
            value += pawn::DROP_BELOW_GUARD;
        if (b[2][8] == MAN_KAKU && x == 2 && y == 7 &&
            (m.manInfluence[2][7] == 0 || m.comInfluence[2][7] > 0))
            value += pawn::DROP_BISHOP_BLOCK;
        const int wx = m.manAttackX[x][y];
        const int wy = m.manAttackY[x][y];
        if (!(t.comInfluenceAtTurnStart[wx][wy] > 0 && m.manInfluence[wx][wy] == 0) && ci > 0 &&
            wx == x && (attacker == MAN_KYOU || attacker == MAN_SYA) && wy > y)
            return value + pawn::DROP_LINE_BLOCK;
        return value;
    }
    if (c.fromX <= 0) return value;

    value += pawn::STEP;
    const int guard = m.comGuardCode[x][y];
    if (guard == COM_KIN || guard == COM_GIN) value += pawn::SILVER_GOLD_GUARD;
    if (y >= 8) return value;

    if (guard == COM_KYOU) {
        value += pawn::LANCE_GUARD;
    } else if (guard == COM_SYA && m.comGuardX[x][y] == x && ci >= mi && m.comGuardY[x][y] < y) {
        value += pawn::ROOK_BEHIND;
    }
    if (m.manInfluence[x][y + 1] == 0 && b[x][y + 2] <= MAN_KEI) value += pawn::OPEN_AHEAD;
    if (y < 7) {
        if (b[x][y + 1] == MAN_HU && m.manInfluence[x][y + 1] > 0) value += pawn::FACING_PAWN;
        if (x < 9 && b[x + 1][y] == COM_KAKU) {
            value += pawn::BESIDE_BISHOP;
            if (b[x + 1][y + 2] == MAN_HU) value += pawn::BISHOP_HITS_PAWN;
        }
        if (x > 1) {
            if (x == 7 && y == 4 && b[8][2] == COM_KAKU) value += pawn::OPENING_PUSH;
            if (b[x - 1][y] == COM_KAKU) {
                value += pawn::BESIDE_BISHOP;
                if (b[x - 1][y + 2] == MAN_HU) value += pawn::BISHOP_HITS_PAWN;
            }
        }
    }
    if (isManPiece(c.captured) && m.comInfluence[c.fromX][c.fromY] == 1) {
        if (y > 2 && attacker == MAN_KYOU && b[x][y - 2] == COM_KAKU) {
            value += pawn::RECAPTURE_UNDER_LANCE;
        } else {
            value += pawn::RECAPTURE;
        }
        if (c.captured == MAN_HU && (attacker == MAN_KYOU || attacker == MAN_SYA))
            value += pawn::TOOK_PAWN_BEFORE_LINE;
    }
    const int ahead = b[x][y + 1];
    if (isManPiece(ahead)) {
        if (ci > mi) return value + pawn::AHEAD_OUTNUMBERED;
        if (ahead == MAN_HU) return value + pawn::AHEAD_PAWN;
        if (ci > 0) {
            if (t.comInfluenceAtTurnStart[x][y + 1] > 0 && t.manInfluenceAtTurnStart[x][y + 1] == 0)
                return value + pawn::AHEAD_WAS_HELD;
            if (ci >= mi) return value + pawn::AHEAD_EVEN;
        } else if (mi == 0) {
            return value + pawn::AHEAD_UNREACHED;
        }
    }
    return value;
}

int lanceTerms(GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int mi = m.manInfluence[x][y];
    const int ci = m.comInfluence[x][y];
    if (s.handCOM[3] > 0) value += lance::KNIGHT_AIM_PER_POINT * 調査_桂狙い(s, x, y);
    if (c.fromX == COM_HAND_X) {
        if (y >= 8) return value;
        if (s.handMAN[1] > 0 && m.manInfluence[x][y + 1] > 0 && mi == 0)
            value += lance::DROP_PAWN_BLOCK;
        // The lance skewers the MAN piece in front of it and the first piece behind that.
        if (b[x][y + 1] <= MAN_KYOU && (mi == 0 || ci >= mi)) {
            for (int yy = y + 2; yy <= 9; ++yy) {
                const int behind = b[x][yy];
                if (behind == EMPTY) continue;
                if (移動チェック(s, x, y + 1, x, yy, COM_KYOU) == YES && behind < MAN_KYOU)
                    return value + lance::SKEWER_PER_POINT * std::abs(behind);
                break;
            }
        }
        return value;
    }
    if (c.captured == EMPTY) return value + lance::STEP_NO_CAPTURE;
    return value;
}

int knightTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    value += knight::STEP;
    // Row 9 has no square in front; an unpromoted knight never stands there in play.
    if (y < 9 && m.manInfluence[x][y + 1] > 0) value += knight::HEAD_ATTACKED;
    if (y < 8 && x > 1 && x < 9) {
        if (m.manInfluence[x - 1][y + 2] > 0 && m.manInfluence[x + 1][y + 2] > 0)
            value += knight::BOTH_LANDINGS_ATTACKED;
        if (x == 7 && y == 3 && b[8][4] == COM_KAKU) return value + knight::BLOCKS_BISHOP;
    }
    return value;
}

int silverTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const int x = c.toX, y = c.toY;
    if (y <= 1) return value;
    if (y > c.fromY && c.fromX == x) value += silver::STRAIGHT_FORWARD;
    if (b[x][y - 1] == COM_KEI) value += silver::BEFORE_KNIGHT;
    if (x == 7 && y == 3 && b[8][3] == COM_HU && b[8][5] == MAN_HU)
        return value + silver::OPENING_SETUP;
    return value;
}

int goldTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int x = c.toX, y = c.toY;
    // A drop carries fromY 5, so a gold dropped on rows 6 to 9 counts as diagonally forward.
    if (y > c.fromY && c.fromX != x) value += gold::DIAGONAL_FORWARD;
    if (y == 4) {
        if (b[6][4] == COM_KAKU && m.manInfluence[6][4] > 0) return value + gold::BISHOP_EXPOSED;
        return value;
    }
    if (y == 2) {
        if (b[8][3] == COM_HU && b[8][6] == MAN_HU && x == 7 && m.manGuardCode[8][6] == MAN_SYA)
            value += gold::OPENING_GUARD;
        if (s.handMAN[6] > 0 && t.comInfluenceAtTurnStart[x][3] == 0 && isComPiece(b[x][3])) {
            value += gold::BISHOP_DROP_GUARD;
            if (t.comInfluenceAtTurnStart[x][4] == 1 && b[x][4] == COM_KAKU)
                return value + gold::BISHOP_DROP_SHIELD;
        }
    }
    return value;
}

int bishopTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    value += bishop::CROWD_PER_NEIGHBOUR * 調査_周辺状況(s, x, y);
    if (y < 9) {
        if (y == 3) {
            if (x == 9 && b[9][4] == COM_HU && b[9][6] == MAN_HU && b[9][9] == MAN_KYOU) {
                value += bishop::EDGE_TRAP;
            } else if (x == 7 && b[8][5] == MAN_HU && m.manGuardCode[8][5] == MAN_SYA) {
                value += bishop::OPENING_AIM;
            }
        }
        if (m.manInfluence[x][y + 1] > 0) {
            if (調査_移動可場所数(s, x, y, COM_KAKU) == 0) value += bishop::TRAPPED;
            if (y < 8 && b[x][y + 2] == MAN_HU) value += bishop::FACING_PAWN;
        }
    }
    if (c.fromY == 3) {
        if (c.fromX == 9) {
            if (b[9][4] == COM_HU && b[9][6] == MAN_HU && m.manGuardCode[9][6] == MAN_KYOU)
                return value + bishop::EDGE_RETREAT;
        } else if (c.fromX == 7) {
            if (b[8][5] == MAN_HU && m.manGuardCode[8][5] == MAN_SYA &&
                m.comInfluence[8][4] < s.comTurn.comInfluenceAtTurnStart[8][4])
                return value + bishop::OPENING_WEAKENS;
        }
    }
    return value;
}

// The rook's and dragon's closing bonus: standing safely on the MAN king's file or rank.
bool besideManKing(const GameState& s, int x, int y) {
    const int kx = s.kingXMAN, ky = s.kingYMAN;
    return (x == kx || y == ky) && std::abs(x - kx) < 3 && std::abs(y - ky) < 3;
}

int rookTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int fx = c.fromX, fy = c.fromY;
    const int mi = m.manInfluence[x][y];
    value += rook::CROWD_PER_NEIGHBOUR * 調査_周辺状況(s, x, y);
    if (c.drop()) {
        if (y == 9 && b[x][8] == MAN_GIN && x > 1 && x < 9 &&
            ((b[x - 1][9] != EMPTY && b[x + 1][8] == MAN_KIN) ||
             (b[x + 1][9] != EMPTY && b[x - 1][8] == MAN_KIN)))
            return value + rook::DROP_BEHIND_SILVER_GOLD;
        return value;
    }
    if (mi == 0 && x == 3 && y == 4 && b[3][7] == MAN_KAKU && b[3][6] == MAN_HU && b[3][5] == EMPTY)
        value += rook::OPENING_SWING;
    if (y < 8) {
        if (m.manInfluence[x][y + 1] > 0) {
            value += rook::HEAD_ATTACKED;
            if (b[x][y + 2] == MAN_HU && y == fy) value += rook::SIDEWAYS_BEFORE_PAWN;
        }
        if (fy < 9 && b[8][fy + 1] == MAN_HU && m.manGuardCode[8][fy + 1] == MAN_SYA) {
            if (m.comInfluence[8][fy] < s.comTurn.comInfluenceAtTurnStart[8][fy])
                value += rook::LEAVES_PAWN_GUARD;
            if (b[7][fy] == COM_HU && y != fy) value += rook::LEAVES_PAWN_SIDE;
        }
        if (m.manInfluence[fx][fy] == 0 && fx == 2 && fy == 2 && x == 2 && y == 3)
            value += rook::OPENING_STEP;
    }
    if (mi == 0 || (m.comInfluence[x][y] > 0 && m.manAttackCode[x][y] == MAN_OU)) {
        if (調査_移動可場所数(s, x, y, COM_SYA) <= 1) return value + rook::TRAPPED;
        if (besideManKing(s, x, y)) return value + rook::BESIDE_KING;
    }
    return value;
}

int dragonTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const auto& b = s.board;
    const auto& m = s.maps;
    const int x = c.toX, y = c.toY;
    const int fx = c.fromX, fy = c.fromY;
    value += dragon::CROWD_PER_NEIGHBOUR * 調査_周辺状況(s, x, y);
    // Row 0 exists in every board-sized array and holds 0, so y - 1 may be 0 here.
    if (b[x][y - 1] == MAN_GIN && x > 1 && x < 9 &&
        ((b[x - 1][y] != EMPTY && b[x + 1][y - 1] == MAN_KIN) ||
         (b[x + 1][y] != EMPTY && b[x - 1][y - 1] == MAN_KIN)))
        value += dragon::SILVER_GOLD_NET;
    if (onBoard(fx, fy) && fy == 9 && b[fx][8] == MAN_GIN) {
        if (fx > 1 && b[fx - 1][8] == MAN_KIN) value += dragon::LEAVES_SILVER_GOLD;
        if (fx < 9 && b[fx + 1][8] == MAN_KIN) value += dragon::LEAVES_SILVER_GOLD;
    }
    if (y == 9 && isManPiece(b[x][8])) {
        if (x == 3 && b[4][8] == MAN_KIN && isManPiece(b[2][9])) value += dragon::BACK_ROW_TRAP;
        if (x == 7 && b[6][8] == MAN_KIN && isManPiece(b[8][9])) value += dragon::BACK_ROW_TRAP;
    }
    if ((m.manInfluence[x][y] == 0 ||
         (m.comInfluence[x][y] > 0 && m.manAttackCode[x][y] == MAN_OU)) &&
        besideManKing(s, x, y))
        return value + dragon::BESIDE_KING;
    return value;
}

int kingTerms(const GameState& s, const Candidate& c) {
    int value = 0;
    const int x = c.toX, y = c.toY;
    if (s.comTurn.comPiecePinned == YES) value += king::PINNED_PIECE;
    if (s.maps.comInfluence[x][y] > s.comTurn.comInfluenceAtTurnStart[x][y])
        value += king::MORE_HELD;
    if (調査_移動可場所数(s, x, y, COM_OU) < 2) return value + king::CORNERED;
    return value;
}

}  // namespace

int 盤評価(GameState& s, int captured, int piece, int fromX, int fromY, int toX, int toY,
           EvalTrace* trace) {
    const Candidate c{captured, piece, fromX, fromY, toX, toY};
    const auto& b = s.board;
    const auto& m = s.maps;
    const auto& t = s.comTurn;
    const int kx = s.kingXMAN, ky = s.kingYMAN;
    const int x = toX, y = toY;

    // 1. Immediate results.
    if (captured == MAN_OU) return traced(trace, outcome::NAME, outcome::KING_CAPTURE);
    if (m.manInfluence[s.kingXCOM][s.kingYCOM] >= 1)
        return traced(trace, outcome::NAME, outcome::LOST);
    int score = 0;
    const bool check = m.comInfluence[kx][ky] > 0;
    if (check) {
        if (詰めかMAN(s) == YES)
            return traced(trace, outcome::NAME, piece == COM_HU ? outcome::LOST : outcome::MATE);
        Score value = 0;
        if (m.manAttackCode[x][y] == MAN_OU && m.comInfluence[x][y] > 0)
            value += check::KING_ONLY_ATTACKER;
        if (std::abs(x - kx) <= 1 && std::abs(y - ky) <= 1 && x != kx && y != ky &&
            m.comGuardCode[x][y] == COM_RYU && m.manInfluence[x][y] <= 2 &&
            (m.comGuardX[x][y] == kx || m.comGuardY[x][y] == ky))
            value += check::DRAGON_BACKED;
        if (m.manInfluence[x][y] == 0) value += check::UNREACHED;
        score += traced(trace, check::NAME, value);
    }

    // 2. Drop or promotion.
    if (fromX < 0) {
        score += traced(trace, drop::NAME, drop::COST);
    } else if (piece > t.trialPiece) {
        score += traced(trace, promotion::NAME, promotion::BONUS);
    }

    // 3. Danger squares (traced by their own terms).
    score += 盤評価_COM危険座標(s, piece, x, y, trace);

    // 4. Approach to the MAN king.
    const int ax = std::abs(x - kx);
    const int ay = std::abs(y - ky);
    if (ax > ay) {
        if (ax < t.sourceToManKing) score += traced(trace, approach::NAME, approach::ACROSS_FILES);
    } else if (ay < t.sourceToManKing) {
        score += traced(trace, approach::NAME, approach::ALONG_FILE);
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
            if (c.drop() || gainedFrom != EMPTY)
                score += traced(trace, pinnedAttacker::NAME,
                                pinnedAttacker::PER_POINT * std::abs(b[wx][wy]));
        }
    }

    // 6. Safety of the destination.
    Score safe = 0;
    if (mi == 0) {
        if (piece != COM_KAKU && piece != COM_UMA && piece != COM_OU && piece != COM_HU)
            safe += safety::BISHOP_LINE_PER_POINT * 盤評価_自角注意_COM(s, x, y, piece);
        if ((ax < 3 && ay < 3) || piece == COM_KYOU || (piece >= COM_KAKU && piece <= COM_RYU)) {
            const int escapes = 調査_自王逃道(s);
            if (escapes < t.manKingEscapeCount)
                safe += safety::ESCAPE_TAKEN * (t.manKingEscapeCount - escapes);
        }
    } else if (ci > 0) {
        if ((s.handMAN[4] > 0 || s.handMAN[5] > 0) && x > 1 && x < 9) {
            const int left = b[x - 1][y], right = b[x + 1][y];
            const auto rook = [](int code) { return code == MAN_SYA || code == MAN_RYU; };
            if ((left == COM_OU && rook(right)) || (right == COM_OU && rook(left)))
                safe += safety::ROOK_PIN_PER_POINT * piece;
        }
        if (piece > std::abs(attacker))
            safe += safety::EXCHANGE_PER_POINT * (piece - std::abs(attacker));
        if (attacker == MAN_OU && y < ky && check)
            safe += safety::KING_ONLY_ATTACKER_PER_POINT * piece;
    } else if (c.drop()) {
        safe += safety::HANGING_DROP_PER_POINT * (piece + safety::HANGING_DROP_EXTRA_POINTS);
    }
    score += traced(trace, safety::NAME, safe);

    // 7. Edge file in front of MAN's lance.
    if (b[x][9] == MAN_KYOU && (x == 1 || x == 9) && piece != COM_KYOU && piece != COM_SYA &&
        piece != COM_RYU && fromX != x)
        score += traced(trace, edgeLance::NAME, edgeLance::IN_FRONT);

    // 8. Material won.
    if (captured != EMPTY) {
        Score won = 0;
        if (mi > 0 && ci > 0) {
            if (piece < std::abs(attacker)) won += material::PER_POINT * std::abs(captured);
        } else if (mi > 0) {
            // Taken only when the piece was attacked where it stood and had no safe square.
            if (onBoard(fromX, fromY) && t.manInfluenceAtTurnStart[fromX][fromY] > 0 &&
                調査_移動可場所数(s, fromX, fromY, piece) == 0)
                won += material::PER_POINT * std::abs(captured);
        } else {
            won += material::PER_POINT * std::abs(captured);
            if (captured == MAN_TO || captured == MAN_NARIKYOU || captured == MAN_NARIKEI)
                won += material::PROMOTED_MINOR;
        }
        score += traced(trace, material::NAME, won);
    }

    // 9. Terms by kind of piece.
    switch (piece) {
        case COM_HU:
            return score + traced(trace, pawn::NAME, pawnTerms(s, c));
        case COM_TO:
            return score + traced(trace, tokin::NAME, ci >= mi ? tokin::HELD : 0);
        case COM_KYOU:
            return score + traced(trace, lance::NAME, lanceTerms(s, c));
        case COM_KEI:
            return score + traced(trace, knight::NAME, knightTerms(s, c));
        case COM_GIN:
            return score + traced(trace, silver::NAME, silverTerms(s, c));
        case COM_KIN:
            return score + traced(trace, gold::NAME, goldTerms(s, c));
        case COM_KAKU:
            return score + traced(trace, bishop::NAME, bishopTerms(s, c));
        case COM_UMA:
            return score +
                   traced(trace, horse::NAME, horse::CROWD_PER_NEIGHBOUR * 調査_周辺状況(s, x, y));
        case COM_SYA:
            return score + traced(trace, rook::NAME, rookTerms(s, c));
        case COM_RYU:
            return score + traced(trace, dragon::NAME, dragonTerms(s, c));
        case COM_OU:
            return score + traced(trace, king::NAME, kingTerms(s, c));
        default:
            return score;
    }
}

}  // namespace velk
