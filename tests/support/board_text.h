// Positions for tests, written like an SFEN board: rows from the top (y = 1) to the bottom,
// squares from the left (x = 1); upper case the human, lower case the computer, '+' promotes,
// digits are runs of empty squares. Hands use the same letters ("2Pb": two human pawns, one
// computer bishop). Malformed text throws, so a typo fails the test that wrote it.
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "game/setup.h"

namespace velk::testkit {

inline int manCodeOfLetter(char c) {
    switch (std::toupper(static_cast<unsigned char>(c))) {
        case 'P':
            return MAN_HU;
        case 'L':
            return MAN_KYOU;
        case 'N':
            return MAN_KEI;
        case 'S':
            return MAN_GIN;
        case 'G':
            return MAN_KIN;
        case 'B':
            return MAN_KAKU;
        case 'R':
            return MAN_SYA;
        case 'K':
            return MAN_OU;
        default:
            throw std::invalid_argument(std::string("unknown piece letter ") + c);
    }
}

inline int codeOfLetter(char c) {
    const int man = manCodeOfLetter(c);
    return std::isupper(static_cast<unsigned char>(c)) ? man : -man;
}

// Replaces the board of s with the given one (the hands are left alone).
inline void setBoard(GameState& s, std::string_view text) {
    for (auto& column : s.board) column.fill(EMPTY);
    int x = 1, y = 1;
    bool promote = false;
    for (const char c : text) {
        if (c == '/') {
            if (x != 10) throw std::invalid_argument("row " + std::to_string(y) + " is not 9 wide");
            ++y;
            x = 1;
        } else if (c >= '1' && c <= '9') {
            x += c - '0';
        } else if (c == '+') {
            promote = true;
        } else {
            if (x > 9 || y > 9) throw std::invalid_argument("square off the board");
            const int code = codeOfLetter(c);
            s.board[x][y] = static_cast<std::int16_t>(promote ? promotedCode(code) : code);
            promote = false;
            ++x;
        }
    }
    if (x != 10 || y != 9) throw std::invalid_argument("the board is not 9 x 9");
}

// Replaces both hands and their totals.
inline void setHands(GameState& s, std::string_view text) {
    s.handMAN.fill(0);
    s.handCOM.fill(0);
    int count = 0;
    for (const char c : text) {
        if (c == '-') continue;
        if (c >= '0' && c <= '9') {
            count = count * 10 + (c - '0');
            continue;
        }
        const int code = codeOfLetter(c);
        (isManPiece(code) ? s.handMAN : s.handCOM)[handIndexOf(code)] += count ? count : 1;
        count = 0;
    }
    s.handTotalMAN = s.handTotalCOM = 0;
    for (int k = 1; k <= 7; ++k) {
        s.handTotalMAN += s.handMAN[k];
        s.handTotalCOM += s.handCOM[k];
    }
}

// A freshly loaded game state holding the given position.
inline GameState position(std::string_view board, std::string_view hands = "-") {
    GameState s{};
    loadDefaults(s);
    setBoard(s, board);
    setHands(s, hands);
    return s;
}

// The empty board with a few pieces put on it, for tests that name squares directly.
inline GameState emptyBoard() {
    return position("9/9/9/9/9/9/9/9/9");
}

inline void put(GameState& s, int x, int y, int code) {
    s.board[x][y] = static_cast<std::int16_t>(code);
}

}  // namespace velk::testkit
