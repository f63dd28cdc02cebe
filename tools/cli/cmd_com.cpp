#include <cstdlib>
#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "com/com_turn.h"
#include "game/survey.h"

namespace velk::cli {

namespace {

// Tenths with exactly one decimal: -99980 -> "-9998.0", 126 -> "12.6".
void printTenths(std::ostream& out, int tenths) {
    if (tenths < 0) out << '-';
    const int magnitude = std::abs(tenths);
    out << magnitude / 10 << '.' << magnitude % 10;
}

}  // namespace

int runCom(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        s.level = 3;
        // The human's turn surveys the position right after its move.
        勢力調査(s);
        prepareComTurn(s);
        const ComMove move = scanComCandidates(s);
        if (!move.found) {
            o << "none\n";
            return;
        }
        o << "move " << move.fromX << ' ' << move.fromY << ' ' << move.toX << ' ' << move.toY << ' '
          << move.placed << ' ' << move.moving << ' ';
        printTenths(o, move.score);
        o << '\n';
    });
}

}  // namespace velk::cli
