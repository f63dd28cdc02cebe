// Positions as text: an SFEN board and hands, upper case for the human (bottom), lower case for
// the computer (top). Used by the analysis command, the tests and the benchmarks.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/game_state.h"

namespace velk {

// Malformed position text; what() says what is wrong.
struct PositionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct PositionText {
    Map board{};
    std::array<int, 8> handMAN{};
    std::array<int, 8> handCOM{};
};

// Structure: only the notation is checked. Full: also that the position could arise in a game
// (at most one king a side, no piece on a row it could never leave, no more pieces than a set).
enum class PositionCheck { Structure, Full };

// Parses the board field ("lnsgkgsnl/1r5b1/...") and the hands field ("-", "S2Pr3p").
PositionText parsePositionText(std::string_view board, std::string_view hands,
                               PositionCheck check = PositionCheck::Full);

// The four SFEN fields for a board and hands (side "b", move number 1).
std::string formatPositionText(const Map& board, const std::array<int, 8>& handMAN,
                               const std::array<int, 8>& handCOM);

// Puts the board, both hands and both hand totals on the state; nothing else changes.
void placePositionText(GameState& s, const PositionText& p);

}  // namespace velk
