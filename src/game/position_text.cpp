#include "game/position_text.h"

#include <cctype>

#include "game/hands.h"

namespace velk {

namespace {

// Unpromoted human code of an SFEN letter (upper case), 0 when unknown.
int manCodeOfLetter(char c) {
    switch (c) {
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
            return 0;
    }
}

char letterOfCode(int code) {
    switch (code < 0 ? -code : code) {
        case 10:
        case 11:
            return 'P';
        case 20:
        case 21:
            return 'L';
        case 30:
        case 31:
            return 'N';
        case 100:
        case 101:
            return 'S';
        case 110:
            return 'G';
        case 800:
        case 801:
            return 'B';
        case 900:
        case 901:
            return 'R';
        case 950:
            return 'K';
        default:
            return '?';
    }
}

// How many pieces of each hand kind a full set holds.
constexpr int SUPPLY[8] = {0, 18, 4, 4, 4, 4, 2, 2};

std::string rowName(int y) {
    return "row " + std::to_string(y);
}

void parseBoard(std::string_view text, PositionText& p, PositionCheck check) {
    int y = 1;
    int x = 1;
    bool promote = false;
    int kingsMAN = 0, kingsCOM = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const char c = i < text.size() ? text[i] : '/';
        if (c == '/') {
            if (promote) throw PositionError("'+' at the end of " + rowName(y));
            if (x != 10)
                throw PositionError(rowName(y) + " has " + std::to_string(x - 1) +
                                    " squares, expected 9");
            ++y;
            x = 1;
            if (y > 10) throw PositionError("more than 9 rows");
            continue;
        }
        if (y > 9) throw PositionError("more than 9 rows");
        if (c >= '1' && c <= '9') {
            if (promote) throw PositionError("'+' before a digit in " + rowName(y));
            x += c - '0';
            if (x > 10) throw PositionError(rowName(y) + " has more than 9 squares");
            continue;
        }
        if (c == '+') {
            if (promote) throw PositionError("two '+' in a row in " + rowName(y));
            promote = true;
            continue;
        }
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        const int base =
            manCodeOfLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if (base == 0) throw PositionError(std::string("unknown piece letter '") + c + "'");
        if (x > 9) throw PositionError(rowName(y) + " has more than 9 squares");
        int code = upper ? base : -base;
        if (promote) {
            if (!canPromote(code))
                throw PositionError(std::string("'+' before '") + c + "', which cannot promote");
            code = promotedCode(code);
            promote = false;
        }
        if (check == PositionCheck::Full) {
            if (code == MAN_OU && ++kingsMAN > 1) throw PositionError("two kings of the human");
            if (code == COM_OU && ++kingsCOM > 1) throw PositionError("two kings of the computer");
            const bool stuck =
                ((code == MAN_HU || code == MAN_KYOU) && y == 1) || (code == MAN_KEI && y <= 2) ||
                ((code == COM_HU || code == COM_KYOU) && y == 9) || (code == COM_KEI && y >= 8);
            if (stuck)
                throw PositionError(std::string("'") + c + "' on " + rowName(y) +
                                    " could never move");
        }
        p.board[x][y] = static_cast<std::int16_t>(code);
        ++x;
    }
    if (y != 10)
        throw PositionError("the board has " + std::to_string(y - 1) + " rows, expected 9");
}

void parseHands(std::string_view text, PositionText& p, PositionCheck check) {
    if (text == "-") return;
    std::array<bool, 8> seenMAN{}, seenCOM{};
    std::size_t i = 0;
    while (i < text.size()) {
        int count = 1;
        if (std::isdigit(static_cast<unsigned char>(text[i]))) {
            count = 0;
            std::size_t digits = 0;
            while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
                if (++digits > 2) throw PositionError("hand count too large");
                count = count * 10 + (text[i] - '0');
                ++i;
            }
            if (count < 2) throw PositionError("hand count must be 2 or more when written");
            if (i == text.size()) throw PositionError("hand count without a piece");
        }
        const char c = text[i++];
        const bool upper = std::isupper(static_cast<unsigned char>(c)) != 0;
        const int base =
            manCodeOfLetter(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
        if (base == 0 || base == MAN_OU)
            throw PositionError(std::string("'") + c + "' cannot be in a hand");
        const int kind = handIndexOf(base);
        auto& seen = upper ? seenMAN : seenCOM;
        if (check == PositionCheck::Full && seen[kind])
            throw PositionError(std::string("'") + c + "' twice in the hands");
        seen[kind] = true;
        if (check == PositionCheck::Full && count > SUPPLY[kind])
            throw PositionError("hand count " + std::to_string(count) + " of '" + c +
                                "' exceeds the set");
        (upper ? p.handMAN : p.handCOM)[kind] = count;
    }
}

}  // namespace

PositionText parsePositionText(std::string_view board, std::string_view hands,
                               PositionCheck check) {
    PositionText p;
    parseBoard(board, p, check);
    parseHands(hands, p, check);
    if (check == PositionCheck::Full) {
        // Pieces on the board and in hand together never exceed one set.
        std::array<int, 8> total{};
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) total[handIndexOf(p.board[x][y])] += 1;
        for (int k = 1; k <= 7; ++k)
            if (total[k] + p.handMAN[k] + p.handCOM[k] > SUPPLY[k])
                throw PositionError(std::string("more '") + letterOfCode(MAN_HAND_CODES[k]) +
                                    "' on the board and in hand than a set holds");
    }
    return p;
}

std::string formatPositionText(const Map& board, const std::array<int, 8>& handMAN,
                               const std::array<int, 8>& handCOM) {
    std::string out;
    for (int y = 1; y <= 9; ++y) {
        int run = 0;
        for (int x = 1; x <= 9; ++x) {
            const int code = board[x][y];
            if (code == EMPTY) {
                ++run;
                continue;
            }
            if (run) out += static_cast<char>('0' + run);
            run = 0;
            const int mag = code < 0 ? -code : code;
            if (isValidPiece(code) && !canPromote(code) && mag != 110 && mag != 950) out += '+';
            const char letter = letterOfCode(code);
            out += isComPiece(code)
                       ? static_cast<char>(std::tolower(static_cast<unsigned char>(letter)))
                       : letter;
        }
        if (run) out += static_cast<char>('0' + run);
        if (y < 9) out += '/';
    }
    out += " b ";
    std::string hands;
    const auto appendHand = [&](const std::array<int, 8>& hand, bool upper) {
        for (int k = 7; k >= 1; --k) {
            if (hand[k] <= 0) continue;
            if (hand[k] > 1) hands += std::to_string(hand[k]);
            const char letter = letterOfCode(MAN_HAND_CODES[k]);
            hands += upper ? letter
                           : static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
        }
    };
    appendHand(handMAN, true);
    appendHand(handCOM, false);
    out += hands.empty() ? "-" : hands;
    out += " 1";
    return out;
}

void placePositionText(GameState& s, const PositionText& p) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.board[x][y] = p.board[x][y];
    setHands(s, p.handMAN, p.handCOM);
}

}  // namespace velk
