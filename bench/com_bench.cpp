// The computer's whole turn (preparation and candidate scan) on a fixed set of positions, and
// self-play from the starting position with the computer playing both sides.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>
#include <utility>

#include "com/com_turn.h"
#include "game/move_exec.h"
#include "game/position_text.h"
#include "game/setup.h"
#include "game/survey.h"

namespace {

using namespace velk;

// A game state holding an SFEN board and hands (upper case the human, lower case the computer).
GameState position(std::string_view board, std::string_view hands) {
    GameState s{};
    loadDefaults(s);
    placePositionText(s, parsePositionText(board, hands));
    return s;
}

struct Named {
    const char* board;
    const char* hands;
};

constexpr std::array<Named, 4> POSITIONS = {{
    // The starting position.
    {"lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL", "-"},
    // An opening: bishops out, golds up, pawns pushed.
    {"lnsgk1snl/1r4gb1/p1pppp1pp/6p2/1p5P1/2P6/PPBPPPP1P/2G4R1/LNS1KGSNL", "-"},
    // A middle game with castled kings, a horse, a tokin and pieces in both hands.
    {"ln1g1g1nl/1ks2r3/1pp4pp/p3ppp2/4+B4/2P3P2/PP2+pP1PP/2K1G2R1/LNSG3NL", "SPbsp"},
    // The human king in the open, the computer holding rook, bishop, gold and silver: checks.
    {"ln1g3nl/1ks3g2/1ppp1p1pp/p3p1p2/9/2P3P2/PP1P1P1PP/7R1/LN1GK2NL", "Pbgrs"},
}};

void FullComTurn(benchmark::State& state) {
    const Named& p = POSITIONS[static_cast<std::size_t>(state.range(0))];
    GameState s = position(p.board, p.hands);
    勢力調査(s);
    const GameState start = s;
    for (auto _ : state) {
        // Back to the position as the human's turn leaves it: board and its survey.
        s.board = start.board;
        s.maps = start.maps;
        prepareComTurn(s);
        const ComMove move = scanComCandidates(s);
        benchmark::DoNotOptimize(move);
    }
}
BENCHMARK(FullComTurn)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// Turns the position round so that the side that just moved becomes the human.
void turnRound(GameState& s) {
    Map turned{};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            turned[x][y] = static_cast<std::int16_t>(-s.board[10 - x][10 - y]);
    s.board = turned;
    std::swap(s.handMAN, s.handCOM);
    std::swap(s.handTotalMAN, s.handTotalCOM);
}

// One game of the computer against itself from the start: until a king is taken or 500 moves.
void SelfPlay(benchmark::State& state) {
    long moves = 0;
    for (auto _ : state) {
        GameState s{};
        loadDefaults(s);
        for (int ply = 0; ply < MAX_MOVES; ++ply) {
            勢力調査(s);
            prepareComTurn(s);
            const ComMove m = scanComCandidates(s);
            if (!m.found) break;
            const int captured = s.board[m.toX][m.toY];
            駒移動(s, m.fromX, m.fromY, m.toX, m.toY, m.placed);
            ++moves;
            if (captured == MAN_OU) break;
            turnRound(s);
        }
    }
    state.counters["games/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["moves/game"] =
        static_cast<double>(moves) / static_cast<double>(state.iterations());
}
BENCHMARK(SelfPlay)->Unit(benchmark::kMillisecond);

}  // namespace
