#include <istream>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/move_exec.h"
#include "referee/miss.h"

namespace velk::cli {

namespace {

std::string square(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// Refuses what cannot be a proposed move at all: a source that is neither a square nor a hand
// column, a destination off the board, or a code that is no piece. Anything else is the
// referee's to judge, as in the game (it does not look at what stands on the source).
void validateMove(const MoveArgs& m) {
    if (m.fromX != MAN_HAND_X && m.fromX != COM_HAND_X && !onBoard(m.fromX, m.fromY))
        throw ParseError("the source " + square(m.fromX, m.fromY) +
                         " is neither a square nor a hand column");
    if (!onBoard(m.toX, m.toY))
        throw ParseError("the destination " + square(m.toX, m.toY) + " is off the board");
    if (!isValidPiece(m.piece))
        throw ParseError("no piece has the code " + std::to_string(m.piece));
}

}  // namespace

int runMiss(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        const Position position = parsePosition(fields);
        if (fields.size() != 9)
            throw ParseError(
                "a position and five integers (fromX fromY toX toY piece) expected, "
                "got " +
                std::to_string(fields.size()) + " fields");
        MoveArgs m;
        m.fromX = parseIntField(fields[4], "fromX");
        m.fromY = parseIntField(fields[5], "fromY");
        m.toX = parseIntField(fields[6], "toX");
        m.toY = parseIntField(fields[7], "toY");
        m.piece = parseIntField(fields[8], "piece");
        GameState s{};
        placePosition(s, position);
        validateMove(m);
        調査_2歩フラグ設定(s);
        o << "kind " << 調査_ミス(s, m.fromX, m.fromY, m.toX, m.toY, m.piece) << '\n';
    });
}

}  // namespace velk::cli
