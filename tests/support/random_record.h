// Move records of seeded random games from the starting position, as the game would log them:
// alternating sides, moves the referee takes (no board move leaves the mover's own king
// attacked), promotions taken or declined at random (forced where the piece could not move on),
// drops, captures and the game's clock times. A game ends when a king is taken: a drop that
// leaves the mover's king attacked lets the other side take it, and it does.
#pragma once

#include <cstdlib>
#include <memory>
#include <random>

#include "game/mate.h"
#include "support/random_play.h"

namespace velk::testkit {

struct RandomRecord {
    MoveRecord record{};
    int count = 0;
    bool kingTaken = false;
};

inline RandomRecord randomRecord(unsigned seed, int plies, bool manFirst) {
    std::mt19937 rng(seed);
    auto s = std::make_unique<GameState>();
    loadDefaults(*s);
    RandomRecord out;
    MoveRecord& r = out.record;
    bool man = manFirst;
    float timeMAN = 0, timeCOM = 0;
    int missMAN = 0, missCOM = 0;
    for (int n = 1; n <= plies && n <= MAX_MOVES; ++n) {
        std::vector<MoveArgs> moves = allowedMoves(*s, man);
        std::erase_if(moves, [&](const MoveArgs& m) {
            return onBoard(m.fromX, m.fromY) &&
                   leavesOwnKingAttacked(*s, m.fromX, m.fromY, m.toX, m.toY, m.piece);
        });
        if (moves.empty()) break;
        MoveArgs m = moves[std::uniform_int_distribution<std::size_t>(0, moves.size() - 1)(rng)];
        // A king left attacked is taken.
        for (const MoveArgs& c : moves)
            if (std::abs(s->board[c.toX][c.toY]) == COM_OU) m = c;
        int placed = m.piece;
        if (調査_駒成(*s, m.fromX, m.fromY, m.toX, m.toY, m.piece) == YES &&
            (移動後チェック(m.toY, m.piece) == NO || rng() % 2 == 0))
            placed = s->promotedPiece;
        const int captured = s->board[m.toX][m.toY];
        // Seconds with fractions, now and then over a minute or an hour.
        const float used =
            static_cast<float>(rng() % 9000) / 100.0f + (rng() % 40 == 0 ? 3700.0f : 0.0f);
        float& clock = man ? timeMAN : timeCOM;
        r.recFromX[n] = m.fromX;
        r.recFromY[n] = m.fromY;
        r.recToX[n] = m.toX;
        r.recToY[n] = m.toY;
        r.recPieceBefore[n] = m.piece;
        r.recPieceAfter[n] = placed;
        r.recCaptured[n] = captured;
        (man ? r.recTimeMANBefore : r.recTimeCOMBefore)[n] = clock;
        clock += used;
        (man ? r.recTimeMANAfter : r.recTimeCOMAfter)[n] = clock;
        (man ? r.recTimeCOMBefore : r.recTimeMANBefore)[n] = man ? timeCOM : timeMAN;
        (man ? r.recTimeCOMAfter : r.recTimeMANAfter)[n] = man ? timeCOM : timeMAN;
        if (rng() % 10 == 0) ++(man ? missMAN : missCOM);
        r.recMissMAN[n] = missMAN;
        r.recMissCOM[n] = missCOM;
        駒移動(*s, m.fromX, m.fromY, m.toX, m.toY, placed);
        out.count = n;
        if (captured == MAN_OU || captured == COM_OU) {
            out.kingTaken = true;
            break;
        }
        man = !man;
    }
    return out;
}

}  // namespace velk::testkit
