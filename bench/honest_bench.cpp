// The honest player's thinking on fixed game histories: the human's side of one game against the
// level-3 computer, taken at several points. From scratch, the player rebuilds its guesses from
// the whole history; the next move is the usual case, where it has followed the game so far.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <vector>

#include "honest/honest_player.h"
#include "support/seen_game.h"

namespace {

using namespace velk;
using velk::testing::SeenGame;

struct Point {
    SideView view;
    HonestPlayer before{1};  // has chosen at every earlier turn of the human
};

// Plays the honest side (choose() gives its move; no move stops) against the level-3 scan until
// the game ends, reaches the record's limit or the attempts run out.
template <class Choose>
void againstScan(SeenGame& g, bool manFirst, int attempts, Choose&& choose) {
    bool manTurn = manFirst;
    for (int i = 0; i < attempts && g.moves < 500; ++i) {
        SeenGame::Answer a;
        if (manTurn) {
            const HonestMove m = choose();
            if (!m.found) return;
            a = g.attempt(Side::Man, m);
        } else {
            a = g.attempt(Side::Com, g.comScan());
        }
        if (a != SeenGame::Answer::Moved && a != SeenGame::Answer::Missed) return;
        if (a == SeenGame::Answer::Moved) manTurn = !manTurn;
    }
}

// The human's turns of one fixed game, every tenth move from the tenth on.
const std::vector<Point>& points() {
    static const std::vector<Point> all = [] {
        std::vector<Point> out;
        SeenGame g(true);
        HonestPlayer player(1);
        againstScan(g, true, 400, [&] {
            if (out.size() >= 6) return HonestMove{};
            if (g.moves >= 10 && g.moves / 10 > static_cast<int>(out.size()))
                out.push_back(Point{g.man, player});
            return player.choose(g.man);
        });
        return out;
    }();
    return all;
}

void BM_HonestNextMove(benchmark::State& state) {
    const Point& p = points().at(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        HonestPlayer player = p.before;
        benchmark::DoNotOptimize(player.choose(p.view));
    }
    state.SetLabel("move " + std::to_string(p.view.events.size()));
}
BENCHMARK(BM_HonestNextMove)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

void BM_HonestFromScratch(benchmark::State& state) {
    const Point& p = points().at(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        HonestPlayer player(1);
        benchmark::DoNotOptimize(player.choose(p.view));
    }
    state.SetLabel("move " + std::to_string(p.view.events.size()));
}
BENCHMARK(BM_HonestFromScratch)->DenseRange(0, 5)->Unit(benchmark::kMillisecond);

// Every choice of one whole game against the level-3 scan at the default budget (or the one
// given in milliseconds), as the window's player would make them: the median and the worst
// wall-clock time of a choice.
void BM_HonestWholeGame(benchmark::State& state) {
    std::vector<double> ms;
    for (auto _ : state) {
        ms.clear();
        SeenGame g(state.range(1) != 0);
        HonestPlayer player(static_cast<std::uint64_t>(state.range(1)) + 1);
        player.setThinkMs(static_cast<int>(state.range(0)));
        againstScan(g, state.range(1) != 0, 2000, [&] {
            const auto start = std::chrono::steady_clock::now();
            const HonestMove m = player.choose(g.man);
            ms.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
            return m;
        });
    }
    std::sort(ms.begin(), ms.end());
    if (!ms.empty()) {
        state.counters["choices"] = static_cast<double>(ms.size());
        state.counters["median_ms"] = ms[ms.size() / 2];
        state.counters["worst_ms"] = ms.back();
    }
}
BENCHMARK(BM_HonestWholeGame)
    ->Args({HonestPlayer::DEFAULT_THINK_MS, 1})
    ->Args({HonestPlayer::DEFAULT_THINK_MS, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
