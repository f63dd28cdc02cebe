#include "cli/sfen.h"

#include "game/setup.h"

namespace velk::cli {

std::vector<std::string> splitFields(std::string_view line) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
        std::size_t j = i;
        while (j < line.size() && line[j] != ' ' && line[j] != '\t' && line[j] != '\r') ++j;
        if (j > i) out.emplace_back(line.substr(i, j - i));
        i = j;
    }
    return out;
}

Position parsePosition(const std::vector<std::string>& fields) {
    if (fields.size() < 4)
        throw ParseError("a position needs four fields (board side hands moveNumber), got " +
                         std::to_string(fields.size()));
    return parsePositionText(fields[0], fields[2]);
}

std::string formatPosition(const Map& board, const std::array<int, 8>& handMAN,
                           const std::array<int, 8>& handCOM) {
    return formatPositionText(board, handMAN, handCOM);
}

void placePosition(GameState& s, const Position& p) {
    loadDefaults(s);
    placePositionText(s, p);
}

void placeRequestPosition(GameState& s, const std::vector<std::string>& fields) {
    const Position position = parsePosition(fields);
    if (fields.size() > 4) throw ParseError("unexpected field after the position: " + fields[4]);
    placePosition(s, position);
}

}  // namespace velk::cli
