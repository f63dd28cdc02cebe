// Positions as SFEN text: upper case is the human (bottom), lower case the computer (top).
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_state.h"
#include "game/position_text.h"

namespace velk::cli {

// A malformed request; what() is the reason printed after "error: ".
using ParseError = PositionError;
using Position = PositionText;

// Splits a request line at blanks.
std::vector<std::string> splitFields(std::string_view line);

// Parses the four SFEN fields (board side hands moveNumber). Throws ParseError.
Position parsePosition(const std::vector<std::string>& fields);

// Writes the position back as SFEN (side "b", move number 1).
std::string formatPosition(const Map& board, const std::array<int, 8>& handMAN,
                           const std::array<int, 8>& handCOM);

// A freshly loaded game state with the position placed on it (board, hands, hand totals).
void placePosition(GameState& s, const Position& p);

// For requests that are a position and nothing more: parses it and places it on a freshly
// loaded state. Throws ParseError for a bad position or a field after it.
void placeRequestPosition(GameState& s, const std::vector<std::string>& fields);

}  // namespace velk::cli
