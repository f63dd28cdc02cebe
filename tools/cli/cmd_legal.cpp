#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/move_exec.h"
#include "game/move_list.h"

namespace velk::cli {

namespace {

void printMoves(GameState& s, bool man, std::ostream& out) {
    forEachAllowedMove(s, man, [&](int fromX, int fromY, int toX, int toY, int piece) {
        out << fromX << ' ' << fromY << ' ' << toX << ' ' << toY << ' ' << piece << '\n';
        return true;
    });
}

}  // namespace

int runLegal(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        調査_2歩フラグ設定(s);
        printMoves(s, true, o);
        printMoves(s, false, o);
        o << "end\n";
    });
}

}  // namespace velk::cli
