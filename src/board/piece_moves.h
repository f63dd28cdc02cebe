// How every piece moves: its single steps and the directions it ranges along. The move check,
// the influence survey and the small questions about pieces all read this one table.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "board/piece.h"

namespace velk {

// A displacement on the board; forward is -y for the human and +y for the computer.
struct Step {
    int dx;
    int dy;
};

inline constexpr Step UP{0, -1};
inline constexpr Step DOWN{0, 1};
inline constexpr Step LEFT{-1, 0};
inline constexpr Step RIGHT{1, 0};
inline constexpr Step UP_LEFT{-1, -1};
inline constexpr Step UP_RIGHT{1, -1};
inline constexpr Step DOWN_LEFT{-1, 1};
inline constexpr Step DOWN_RIGHT{1, 1};

// What a displacement (dx, dy) means for one piece, read as reach[dx + 8][dy + 8].
enum : std::uint8_t { OUT_OF_REACH = 0, ONE_STEP = 1, ALONG_RAY = 2 };

// One piece's moves. Both lists keep the order in which the influence survey visits them.
struct PieceMoves {
    bool isPiece = false;  // false only for the entry of a code that is no piece
    int stepCount = 0;
    std::array<Step, 8> steps{};
    int rayCount = 0;
    std::array<Step, 4> rays{};
    // Derived from the two lists: ONE_STEP, ALONG_RAY (every square between must be empty)
    // or OUT_OF_REACH for every displacement between two squares of the board.
    std::array<std::array<std::uint8_t, 17>, 17> reach{};
};

constexpr PieceMoves makePieceMoves(std::initializer_list<Step> steps,
                                    std::initializer_list<Step> rays = {}) {
    PieceMoves m;
    m.isPiece = true;
    for (const Step r : rays) {
        m.rays[m.rayCount++] = r;
        for (int k = 1; k <= 8; ++k) m.reach[r.dx * k + 8][r.dy * k + 8] = ALONG_RAY;
    }
    for (const Step s : steps) {
        m.steps[m.stepCount++] = s;
        m.reach[s.dx + 8][s.dy + 8] = ONE_STEP;
    }
    return m;
}

namespace moves {

inline constexpr PieceMoves NONE{};

inline constexpr PieceMoves MAN_PAWN = makePieceMoves({UP});
inline constexpr PieceMoves MAN_LANCE = makePieceMoves({}, {UP});
inline constexpr PieceMoves MAN_KNIGHT = makePieceMoves({{-1, -2}, {1, -2}});
inline constexpr PieceMoves MAN_SILVER =
    makePieceMoves({UP, UP_LEFT, UP_RIGHT, DOWN_LEFT, DOWN_RIGHT});
inline constexpr PieceMoves MAN_GOLD = makePieceMoves({UP, UP_LEFT, UP_RIGHT, DOWN, LEFT, RIGHT});
inline constexpr PieceMoves MAN_BISHOP =
    makePieceMoves({}, {UP_LEFT, UP_RIGHT, DOWN_LEFT, DOWN_RIGHT});
inline constexpr PieceMoves MAN_HORSE =
    makePieceMoves({UP, DOWN, LEFT, RIGHT}, {UP_LEFT, UP_RIGHT, DOWN_LEFT, DOWN_RIGHT});
inline constexpr PieceMoves MAN_ROOK = makePieceMoves({}, {DOWN, UP, RIGHT, LEFT});
inline constexpr PieceMoves MAN_DRAGON =
    makePieceMoves({UP_LEFT, UP_RIGHT, DOWN_LEFT, DOWN_RIGHT}, {DOWN, UP, RIGHT, LEFT});
inline constexpr PieceMoves MAN_KING =
    makePieceMoves({UP, UP_LEFT, UP_RIGHT, DOWN, DOWN_LEFT, DOWN_RIGHT, LEFT, RIGHT});

inline constexpr PieceMoves COM_PAWN = makePieceMoves({DOWN});
inline constexpr PieceMoves COM_LANCE = makePieceMoves({}, {DOWN});
inline constexpr PieceMoves COM_KNIGHT = makePieceMoves({{-1, 2}, {1, 2}});
inline constexpr PieceMoves COM_SILVER =
    makePieceMoves({DOWN, DOWN_LEFT, DOWN_RIGHT, UP_LEFT, UP_RIGHT});
inline constexpr PieceMoves COM_GOLD =
    makePieceMoves({UP, DOWN, DOWN_LEFT, DOWN_RIGHT, LEFT, RIGHT});
inline constexpr PieceMoves COM_BISHOP = MAN_BISHOP;
inline constexpr PieceMoves COM_HORSE = MAN_HORSE;
inline constexpr PieceMoves COM_ROOK = MAN_ROOK;
inline constexpr PieceMoves COM_DRAGON = MAN_DRAGON;
inline constexpr PieceMoves COM_KING = MAN_KING;

}  // namespace moves

// The moves of one code; a code that is no piece has none. The promoted pawn, lance, knight and
// silver move as the gold.
constexpr const PieceMoves& pieceMoves(int code) {
    switch (code) {
        case MAN_HU:
            return moves::MAN_PAWN;
        case MAN_KYOU:
            return moves::MAN_LANCE;
        case MAN_KEI:
            return moves::MAN_KNIGHT;
        case MAN_GIN:
            return moves::MAN_SILVER;
        case MAN_KIN:
        case MAN_TO:
        case MAN_NARIKYOU:
        case MAN_NARIKEI:
        case MAN_NARIGIN:
            return moves::MAN_GOLD;
        case MAN_KAKU:
            return moves::MAN_BISHOP;
        case MAN_UMA:
            return moves::MAN_HORSE;
        case MAN_SYA:
            return moves::MAN_ROOK;
        case MAN_RYU:
            return moves::MAN_DRAGON;
        case MAN_OU:
            return moves::MAN_KING;
        case COM_HU:
            return moves::COM_PAWN;
        case COM_KYOU:
            return moves::COM_LANCE;
        case COM_KEI:
            return moves::COM_KNIGHT;
        case COM_GIN:
            return moves::COM_SILVER;
        case COM_KIN:
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
            return moves::COM_GOLD;
        case COM_KAKU:
            return moves::COM_BISHOP;
        case COM_UMA:
            return moves::COM_HORSE;
        case COM_SYA:
            return moves::COM_ROOK;
        case COM_RYU:
            return moves::COM_DRAGON;
        case COM_OU:
            return moves::COM_KING;
        default:
            return moves::NONE;
    }
}

// Lance, bishop, horse, rook and dragon of either side.
constexpr bool isRanging(int code) {
    return pieceMoves(code).rayCount > 0;
}

// A piece without rays; its moves never leave the 5 x 5 box around its square.
constexpr bool stepsOnly(int code) {
    const PieceMoves& m = pieceMoves(code);
    return m.isPiece && m.rayCount == 0;
}

namespace moves {

constexpr bool stepsWithinTwo() {
    for (int code = -950; code <= 950; ++code) {
        const PieceMoves& m = pieceMoves(code);
        for (int i = 0; i < m.stepCount; ++i)
            if (m.steps[i].dx < -2 || m.steps[i].dx > 2 || m.steps[i].dy < -2 || m.steps[i].dy > 2)
                return false;
    }
    return true;
}
static_assert(stepsWithinTwo(), "stepsOnly promises the 5 x 5 box");

// Every computer piece moves as the human's, turned round.
constexpr bool mirrored(const PieceMoves& man, const PieceMoves& com) {
    for (int dx = -8; dx <= 8; ++dx)
        for (int dy = -8; dy <= 8; ++dy)
            if (man.reach[dx + 8][dy + 8] != com.reach[dx + 8][8 - dy]) return false;
    return true;
}
static_assert(mirrored(MAN_PAWN, COM_PAWN) && mirrored(MAN_LANCE, COM_LANCE) &&
              mirrored(MAN_KNIGHT, COM_KNIGHT) && mirrored(MAN_SILVER, COM_SILVER) &&
              mirrored(MAN_GOLD, COM_GOLD) && mirrored(MAN_BISHOP, COM_BISHOP) &&
              mirrored(MAN_HORSE, COM_HORSE) && mirrored(MAN_ROOK, COM_ROOK) &&
              mirrored(MAN_DRAGON, COM_DRAGON) && mirrored(MAN_KING, COM_KING));

}  // namespace moves

}  // namespace velk
