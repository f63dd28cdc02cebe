// One influence survey of a middle-game position: the computer runs one per candidate move.
#include <benchmark/benchmark.h>

#include <cctype>
#include <string_view>

#include "game/setup.h"
#include "game/survey.h"

namespace {

int codeOfLetter(char c) {
    int man = 0;
    switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'P':
            man = velk::MAN_HU;
            break;
        case 'L':
            man = velk::MAN_KYOU;
            break;
        case 'N':
            man = velk::MAN_KEI;
            break;
        case 'S':
            man = velk::MAN_GIN;
            break;
        case 'G':
            man = velk::MAN_KIN;
            break;
        case 'B':
            man = velk::MAN_KAKU;
            break;
        case 'R':
            man = velk::MAN_SYA;
            break;
        default:
            man = velk::MAN_OU;
            break;
    }
    return std::isupper(static_cast<unsigned char>(c)) ? man : -man;
}

// Castled kings, bishops exchanged (one promoted on the human's side), a tokin deep in the
// human's camp and pieces in both hands.
velk::GameState middleGame() {
    constexpr std::string_view board =
        "ln1g1g1nl/1ks2r3/1ppp1s1pp/p3ppp2/4+B4/2P1P1P2/PP1+pSP1PP/2K1G2R1/LNSG3NL";
    velk::GameState s{};
    velk::loadDefaults(s);
    for (auto& column : s.board) column.fill(velk::EMPTY);
    int x = 1, y = 1;
    bool promote = false;
    for (const char c : board) {
        if (c == '/') {
            ++y;
            x = 1;
        } else if (c >= '1' && c <= '9') {
            x += c - '0';
        } else if (c == '+') {
            promote = true;
        } else {
            const int code = codeOfLetter(c);
            s.board[x++][y] = static_cast<std::int16_t>(promote ? velk::promotedCode(code) : code);
            promote = false;
        }
    }
    s.handMAN[1] = 1;
    s.handCOM[1] = 1;
    s.handCOM[6] = 1;
    s.handTotalMAN = 1;
    s.handTotalCOM = 2;
    return s;
}

void BM_Survey(benchmark::State& state) {
    velk::GameState s = middleGame();
    for (auto _ : state) {
        velk::勢力調査(s);
        benchmark::DoNotOptimize(s.maps.manInfluence[5][5]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Survey);

}  // namespace
