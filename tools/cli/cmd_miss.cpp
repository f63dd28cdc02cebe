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

// Refuses a proposed move the referee could never be asked about: a source that is neither a
// square nor a hand slot, a destination off the board, a code that is no piece, or a piece
// of the other side than the source.
void validateMove(const GameState& s, const MoveArgs& m) {
    Side sourceSide = Side::None;
    if (m.fromX == MAN_HAND_X) {
        if (m.fromY < 3 || m.fromY > 9)
            throw ParseError("the human's hand has rows 3 to 9, not " + std::to_string(m.fromY));
        sourceSide = Side::Man;
    } else if (m.fromX == COM_HAND_X) {
        if (m.fromY < 1 || m.fromY > 7)
            throw ParseError("the computer's hand has kinds 1 to 7, not " +
                             std::to_string(m.fromY));
        sourceSide = Side::Com;
    } else if (onBoard(m.fromX, m.fromY)) {
        sourceSide = sideOf(s.board[m.fromX][m.fromY]);
        if (sourceSide == Side::None)
            throw ParseError("the source square " + square(m.fromX, m.fromY) + " is empty");
    } else {
        throw ParseError("the source " + square(m.fromX, m.fromY) +
                         " is neither a square nor a hand slot");
    }
    if (!onBoard(m.toX, m.toY))
        throw ParseError("the destination " + square(m.toX, m.toY) + " is off the board");
    if (!isValidPiece(m.piece))
        throw ParseError("no piece has the code " + std::to_string(m.piece));
    if (sideOf(m.piece) != sourceSide)
        throw ParseError("the piece " + std::to_string(m.piece) +
                         " does not belong to the side of its source");
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
        validateMove(s, m);
        調査_2歩フラグ設定(s);
        o << "kind " << 調査_ミス(s, m.fromX, m.fromY, m.toX, m.toY, m.piece) << '\n';
    });
}

}  // namespace velk::cli
