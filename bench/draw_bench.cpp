// Cost of the drawing routines themselves, onto a canvas that only counts what it is given.
#include <benchmark/benchmark.h>

#include "game/setup.h"
#include "match/ports.h"
#include "ui/draw.h"

namespace {

class CountingCanvas : public velk::Canvas {
  public:
    long ops = 0;
    void beginFullRedraw() override { ++ops; }
    void drawPicture(int, double, double) override { ++ops; }
    void drawOutline(int, double, double) override { ++ops; }
    void fillRect(double, double, int, int, int) override { ++ops; }
    void drawText(double, double, const std::string&, int, int) override { ++ops; }
};

class CheckedMenu : public velk::Menu {
  public:
    void setChecked(velk::MenuItem, bool) override {}
    bool isChecked(velk::MenuItem) const override { return true; }
};

void BM_FullRedraw(benchmark::State& state) {
    velk::GameState s{};
    velk::loadDefaults(s);
    s.gameState = 1;
    CountingCanvas canvas;
    CheckedMenu menu;
    for (auto _ : state) velk::画面_再描画(s, canvas, menu);
    state.counters["ops"] =
        static_cast<double>(canvas.ops) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FullRedraw);

void BM_ClockField(benchmark::State& state) {
    velk::GameState s{};
    velk::loadDefaults(s);
    CountingCanvas canvas;
    CheckedMenu menu;
    float seconds = 0;
    for (auto _ : state) {
        velk::描画_所有時間(s, canvas, menu, s.roleMAN, seconds);
        seconds += 1;
    }
}
BENCHMARK(BM_ClockField);

}  // namespace
