#include "game/survey.h"

#include <cstddef>
#include <cstdint>
#include <utility>

#include "board/piece_moves.h"

namespace velk {

namespace {

inline void put(Map& m, int x, int y, int v) {
    m[x][y] = static_cast<std::int16_t>(v);
}

// What a COM source records besides its influence. MAN sources always record everything.
enum : unsigned {
    GUARD = 1u,
    GUARD_SQUARE = 2u,
    ATTACK = 4u,
    ATTACK_SQUARE = 8u,
    CHECK = 16u,
    KNIGHT = 32u,  // a checking knight also marks the king's own square
};

constexpr unsigned COM_PAWN = GUARD | ATTACK | CHECK;
constexpr unsigned COM_GOLD = GUARD | CHECK;
constexpr unsigned COM_KNIGHT = GUARD | GUARD_SQUARE | CHECK | KNIGHT;
constexpr unsigned COM_SILVER = GUARD | GUARD_SQUARE | CHECK;
constexpr unsigned COM_HORSE_STEP = CHECK;
constexpr unsigned COM_DRAGON_STEP = GUARD | GUARD_SQUARE | ATTACK | ATTACK_SQUARE | CHECK;
constexpr unsigned COM_KING = GUARD;
constexpr unsigned COM_RAY = GUARD | GUARD_SQUARE | ATTACK | ATTACK_SQUARE;  // checks by line

// One reach of (tx, ty) with value v by the MAN piece on (sx, sy).
template <bool Checks, bool Knight>
inline void reachMan(GameState& s, int tx, int ty, int v, int sx, int sy) {
    InfluenceMaps& m = s.maps;
    const int t = s.board[tx][ty];
    ++m.manInfluence[tx][ty];
    if (t <= MAN_HU) {
        if (v < m.manGuardCode[tx][ty]) put(m.manGuardCode, tx, ty, v);
    } else if (t >= COM_HU) {
        if (v > m.manAttackCode[tx][ty]) {
            put(m.manAttackCode, tx, ty, v);
            put(m.manAttackX, tx, ty, sx);
            put(m.manAttackY, tx, ty, sy);
        }
        if constexpr (Checks) {
            if (t == COM_OU) {
                put(m.comKingCheck, sx, sy, 9);
                if constexpr (Knight) put(m.comKingCheck, tx, ty, 9);
            }
        }
    }
}

// One reach of (tx, ty) with value v by the COM piece on (sx, sy), recording what F says.
template <unsigned F>
inline void reachCom(GameState& s, int tx, int ty, int v, int sx, int sy) {
    InfluenceMaps& m = s.maps;
    const int t = s.board[tx][ty];
    ++m.comInfluence[tx][ty];
    if (t >= COM_HU) {
        if constexpr ((F & GUARD) != 0) {
            if (v < m.comGuardCode[tx][ty]) {
                put(m.comGuardCode, tx, ty, v);
                if constexpr ((F & GUARD_SQUARE) != 0) {
                    put(m.comGuardX, tx, ty, sx);
                    put(m.comGuardY, tx, ty, sy);
                }
            }
        }
    } else if (t <= MAN_HU) {
        if constexpr ((F & ATTACK) != 0) {
            if (v < m.comAttackCode[tx][ty]) {
                put(m.comAttackCode, tx, ty, v);
                if constexpr ((F & ATTACK_SQUARE) != 0) {
                    put(m.comAttackX, tx, ty, sx);
                    put(m.comAttackY, tx, ty, sy);
                }
            }
        }
    }
    if constexpr ((F & CHECK) != 0) {
        if (t == MAN_OU) {
            put(m.manKingCheck, sx, sy, 9);
            if constexpr ((F & KNIGHT) != 0) put(m.manKingCheck, tx, ty, 9);
        }
    }
}

template <bool Checks, bool Knight = false>
inline void stepMan(GameState& s, int x, int y, int dx, int dy, int v) {
    if (onBoard(x + dx, y + dy)) reachMan<Checks, Knight>(s, x + dx, y + dy, v, x, y);
}

template <unsigned F>
inline void stepCom(GameState& s, int x, int y, int dx, int dy, int v) {
    if (onBoard(x + dx, y + dy)) reachCom<F>(s, x + dx, y + dy, v, x, y);
}

// Marks a check line: 1 on every square strictly between the source and the king, 9 on the
// source. The king's own square is left alone.
inline void markLine(Map& check, int x, int y, int kx, int ky, int dx, int dy) {
    for (int i = x + dx, j = y + dy; i != kx || j != ky; i += dx, j += dy) put(check, i, j, 1);
    put(check, x, y, 9);
}

// Walks from (x, y) in direction (dx, dy): over empty squares and through the enemy king, up
// to and including the first other occupied square.
template <bool Man>
void walk(GameState& s, int v, int x, int y, int dx, int dy) {
    int tx = x + dx;
    int ty = y + dy;
    while (tx >= 1 && tx <= 9 && ty >= 1 && ty <= 9) {
        const int t = s.board[tx][ty];
        if constexpr (Man) {
            reachMan<false, false>(s, tx, ty, v, x, y);
            if (t == COM_OU)
                markLine(s.maps.comKingCheck, x, y, tx, ty, dx, dy);
            else if (t != EMPTY)
                return;
        } else {
            reachCom<COM_RAY>(s, tx, ty, v, x, y);
            if (t == MAN_OU)
                markLine(s.maps.manKingCheck, x, y, tx, ty, dx, dy);
            else if (t != EMPTY)
                return;
        }
        tx += dx;
        ty += dy;
    }
}

inline void walkBySign(GameState& s, int code, int x, int y, int dx, int dy) {
    if (code < 0)
        walk<true>(s, code, x, y, dx, dy);
    else
        walk<false>(s, code, x, y, dx, dy);
}

// The moves of Code, for the routines below to unroll.
template <int Code>
inline constexpr const PieceMoves& MOVES_OF = pieceMoves(Code);

// The single steps of Code as the table lists them, each reaching with value v.
template <int Code, bool Checks, bool Knight = false>
inline void manSteps(GameState& s, int x, int y, int v) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (stepMan<Checks, Knight>(s, x, y, MOVES_OF<Code>.steps[I].dx, MOVES_OF<Code>.steps[I].dy,
                                 v),
         ...);
    }
    (std::make_index_sequence<MOVES_OF<Code>.stepCount>{});
}

template <int Code, unsigned F>
inline void comSteps(GameState& s, int x, int y, int v) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (stepCom<F>(s, x, y, MOVES_OF<Code>.steps[I].dx, MOVES_OF<Code>.steps[I].dy, v), ...);
    }
    (std::make_index_sequence<MOVES_OF<Code>.stepCount>{});
}

// The rays of Code as the table lists them, each walked with value v.
template <int Code>
void rays(GameState& s, int v, int x, int y) {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (walk<(Code < 0)>(s, v, x, y, MOVES_OF<Code>.rays[I].dx, MOVES_OF<Code>.rays[I].dy), ...);
    }
    (std::make_index_sequence<MOVES_OF<Code>.rayCount>{});
}

constexpr bool sameSteps(const PieceMoves& a, const PieceMoves& b) {
    if (a.stepCount != b.stepCount || a.rayCount != b.rayCount) return false;
    for (int i = 0; i < a.stepCount; ++i)
        if (a.steps[i].dx != b.steps[i].dx || a.steps[i].dy != b.steps[i].dy) return false;
    return true;
}

// The promoted gold-likes are surveyed by the gold's routines.
static_assert(sameSteps(pieceMoves(MAN_TO), pieceMoves(MAN_KIN)) &&
              sameSteps(pieceMoves(MAN_NARIKYOU), pieceMoves(MAN_KIN)) &&
              sameSteps(pieceMoves(MAN_NARIKEI), pieceMoves(MAN_KIN)) &&
              sameSteps(pieceMoves(MAN_NARIGIN), pieceMoves(MAN_KIN)) &&
              sameSteps(pieceMoves(COM_TO), pieceMoves(COM_KIN)) &&
              sameSteps(pieceMoves(COM_NARIKYOU), pieceMoves(COM_KIN)) &&
              sameSteps(pieceMoves(COM_NARIKEI), pieceMoves(COM_KIN)) &&
              sameSteps(pieceMoves(COM_NARIGIN), pieceMoves(COM_KIN)));

constexpr bool sameRays(const PieceMoves& a, const PieceMoves& b) {
    if (a.rayCount != b.rayCount) return false;
    for (int i = 0; i < a.rayCount; ++i)
        if (a.rays[i].dx != b.rays[i].dx || a.rays[i].dy != b.rays[i].dy) return false;
    return true;
}

// The horse's diagonals are surveyed by the bishop's routines.
static_assert(sameRays(pieceMoves(MAN_UMA), pieceMoves(MAN_KAKU)) &&
              sameRays(pieceMoves(COM_UMA), pieceMoves(COM_KAKU)));

void resetMaps(InfluenceMaps& m) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            m.manInfluence[x][y] = 0;
            m.comInfluence[x][y] = 0;
            m.comKingCheck[x][y] = 0;
            m.manKingCheck[x][y] = 0;
            m.manAttackX[x][y] = 0;
            m.manAttackY[x][y] = 0;
            m.manAttackCode[x][y] = -999;
            m.comAttackCode[x][y] = 999;
            m.manGuardCode[x][y] = 999;
            m.comGuardCode[x][y] = 999;
        }
}

void surveyManPiece(GameState& s, int p, int x, int y) {
    switch (p) {
        case MAN_HU:
            manSteps<MAN_HU, true>(s, x, y, p);
            break;
        case MAN_TO:
        case MAN_NARIKYOU:
        case MAN_NARIKEI:
        case MAN_NARIGIN:
        case MAN_KIN:
            勢力確定自金(s, p, x, y);
            break;
        case MAN_KYOU:
            rays<MAN_KYOU>(s, p, x, y);
            break;
        case MAN_KEI:
            if (y > 2) manSteps<MAN_KEI, true, true>(s, x, y, p);
            break;
        case MAN_GIN:
            manSteps<MAN_GIN, true>(s, x, y, p);
            break;
        case MAN_KAKU:
            勢力確定自角(s, x, y);
            break;
        case MAN_UMA:
            manSteps<MAN_UMA, true>(s, x, y, p);
            勢力確定自角(s, x, y);
            break;
        case MAN_SYA:
            rays<MAN_SYA>(s, p, x, y);
            break;
        case MAN_RYU:
            rays<MAN_RYU>(s, p, x, y);
            manSteps<MAN_RYU, true>(s, x, y, p);
            break;
        case MAN_OU:
            s.kingXMAN = x;
            s.kingYMAN = y;
            manSteps<MAN_OU, false>(s, x, y, p);
            break;
        default:
            break;
    }
}

void surveyComPiece(GameState& s, int p, int x, int y) {
    switch (p) {
        case COM_HU:
            comSteps<COM_HU, COM_PAWN>(s, x, y, p);
            break;
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
        case COM_KIN:
            勢力確定敵金(s, x, y);
            break;
        case COM_KYOU:
            rays<COM_KYOU>(s, p, x, y);
            break;
        case COM_KEI:
            if (y < 8) comSteps<COM_KEI, COM_KNIGHT>(s, x, y, p);
            break;
        case COM_GIN:
            comSteps<COM_GIN, COM_SILVER>(s, x, y, p);
            break;
        case COM_KAKU:
            勢力確定敵角(s, p, x, y);
            break;
        case COM_UMA:
            comSteps<COM_UMA, COM_HORSE_STEP>(s, x, y, p);
            勢力確定敵角(s, p, x, y);
            break;
        case COM_SYA:
            rays<COM_SYA>(s, p, x, y);
            break;
        case COM_RYU:
            rays<COM_RYU>(s, p, x, y);
            comSteps<COM_RYU, COM_DRAGON_STEP>(s, x, y, p);
            break;
        case COM_OU:
            s.kingXCOM = x;
            s.kingYCOM = y;
            comSteps<COM_OU, COM_KING>(s, x, y, p);
            break;
        default:
            break;
    }
}

}  // namespace

void 勢力確定上直進(GameState& s, int code, int x, int y) {
    walkBySign(s, code, x, y, 0, -1);
}
void 勢力確定下直進(GameState& s, int code, int x, int y) {
    walkBySign(s, code, x, y, 0, 1);
}
void 勢力確定右直進(GameState& s, int code, int x, int y) {
    walkBySign(s, code, x, y, 1, 0);
}
void 勢力確定左直進(GameState& s, int code, int x, int y) {
    walkBySign(s, code, x, y, -1, 0);
}

// MAN diagonals always record the bishop's value, the horse's too.
void 勢力確定自角(GameState& s, int x, int y) {
    rays<MAN_KAKU>(s, MAN_KAKU, x, y);
}

void 勢力確定敵角(GameState& s, int code, int x, int y) {
    rays<COM_KAKU>(s, code, x, y);
}

void 勢力確定自金(GameState& s, int code, int x, int y) {
    manSteps<MAN_KIN, true>(s, x, y, code);
}

// Every COM gold-like piece records the gold's value and guards without a square.
void 勢力確定敵金(GameState& s, int x, int y) {
    comSteps<COM_KIN, COM_GOLD>(s, x, y, COM_KIN);
}

void 勢力調査(GameState& s) {
    resetMaps(s.maps);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int p = s.board[x][y];
            if (p <= MAN_HU)
                surveyManPiece(s, p, x, y);
            else if (p >= COM_HU)
                surveyComPiece(s, p, x, y);
        }
}

}  // namespace velk
