// The honest player's thinking on fixed game histories: the human's side of one game against the
// level-3 computer, taken at several points. From scratch, the player rebuilds its guesses from
// the whole history; the next move is the usual case, where it has followed the game so far.
#include <benchmark/benchmark.h>

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

// The human's turns of one fixed game, every tenth move from the tenth on.
const std::vector<Point>& points() {
    static const std::vector<Point> all = [] {
        std::vector<Point> out;
        SeenGame g(true);
        HonestPlayer player(1);
        bool manTurn = true;
        for (int attempts = 0; attempts < 400 && out.size() < 6; ++attempts) {
            SeenGame::Answer a;
            if (manTurn) {
                if (g.moves >= 10 && g.moves / 10 > static_cast<int>(out.size()))
                    out.push_back(Point{g.man, player});
                const HonestMove m = player.choose(g.man);
                if (!m.found) break;
                a = g.attempt(Side::Man, m);
            } else {
                a = g.attempt(Side::Com, g.comScan());
            }
            if (a != SeenGame::Answer::Moved && a != SeenGame::Answer::Missed) break;
            if (a == SeenGame::Answer::Moved) manTurn = !manTurn;
        }
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

}  // namespace
