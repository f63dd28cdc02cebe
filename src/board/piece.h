// Piece codes, sides and the small conversions every subsystem shares.
#pragma once

#include <cstdlib>

namespace velk {

inline constexpr int EMPTY = 0;
inline constexpr int YES = 1;
inline constexpr int NO = 0;

inline constexpr int SENTE = 6;
inline constexpr int GOTE = 7;
inline constexpr int NOBODY = -1;

inline constexpr int BOARD_SIZE = 9;

// Hands are addressed like squares: column 11 is the human's, column -1 the computer's.
inline constexpr int MAN_HAND_X = 11;
inline constexpr int COM_HAND_X = -1;

inline constexpr int MAN_HU = -10;
inline constexpr int MAN_TO = -11;
inline constexpr int MAN_KYOU = -20;
inline constexpr int MAN_NARIKYOU = -21;
inline constexpr int MAN_KEI = -30;
inline constexpr int MAN_NARIKEI = -31;
inline constexpr int MAN_GIN = -100;
inline constexpr int MAN_NARIGIN = -101;
inline constexpr int MAN_KIN = -110;
inline constexpr int MAN_KAKU = -800;
inline constexpr int MAN_UMA = -801;
inline constexpr int MAN_SYA = -900;
inline constexpr int MAN_RYU = -901;
inline constexpr int MAN_OU = -950;

inline constexpr int COM_HU = 10;
inline constexpr int COM_TO = 11;
inline constexpr int COM_KYOU = 20;
inline constexpr int COM_NARIKYOU = 21;
inline constexpr int COM_KEI = 30;
inline constexpr int COM_NARIKEI = 31;
inline constexpr int COM_GIN = 100;
inline constexpr int COM_NARIGIN = 101;
inline constexpr int COM_KIN = 110;
inline constexpr int COM_KAKU = 800;
inline constexpr int COM_UMA = 801;
inline constexpr int COM_SYA = 900;
inline constexpr int COM_RYU = 901;
inline constexpr int COM_OU = 950;

// Unpromoted codes by hand index 1..7 (index 0 unused).
inline constexpr int MAN_HAND_CODES[8] = {0,       MAN_HU,  MAN_KYOU, MAN_KEI,
                                          MAN_GIN, MAN_KIN, MAN_KAKU, MAN_SYA};
inline constexpr int COM_HAND_CODES[8] = {0,       COM_HU,  COM_KYOU, COM_KEI,
                                          COM_GIN, COM_KIN, COM_KAKU, COM_SYA};

enum class Side { None, Man, Com };

constexpr bool isManPiece(int code) {
    return code <= MAN_HU;
}
constexpr bool isComPiece(int code) {
    return code >= COM_HU;
}

constexpr Side sideOf(int code) {
    if (isManPiece(code)) return Side::Man;
    if (isComPiece(code)) return Side::Com;
    return Side::None;
}

// How far a code lies from zero, for any int (the lowest int has no int negation).
constexpr long long codeMagnitude(int code) {
    return code < 0 ? -static_cast<long long>(code) : code;
}

// True for the 28 codes of the table.
constexpr bool isValidPiece(int code) {
    switch (codeMagnitude(code)) {
        case 10:
        case 11:
        case 20:
        case 21:
        case 30:
        case 31:
        case 100:
        case 101:
        case 110:
        case 800:
        case 801:
        case 900:
        case 901:
        case 950:
            return true;
        default:
            return false;
    }
}

// True for the unpromoted codes of the six kinds that promote.
constexpr bool canPromote(int code) {
    switch (codeMagnitude(code)) {
        case 10:
        case 20:
        case 30:
        case 100:
        case 800:
        case 900:
            return true;
        default:
            return false;
    }
}

// The promoted code: one step further from zero.
constexpr int promotedCode(int code) {
    return code < 0 ? code - 1 : code + 1;
}

// The hand index a captured piece goes to (1..7), 0 for a king or a non-piece.
constexpr int handIndexOf(int code) {
    switch (codeMagnitude(code)) {
        case 10:
        case 11:
            return 1;
        case 20:
        case 21:
            return 2;
        case 30:
        case 31:
            return 3;
        case 100:
        case 101:
            return 4;
        case 110:
            return 5;
        case 800:
        case 801:
            return 6;
        case 900:
        case 901:
            return 7;
        default:
            return 0;
    }
}

// The code of the piece sitting in a hand slot: human rows 3..9, computer rows 1..7.
constexpr int manHandPiece(int row) {
    return (row >= 3 && row <= 9) ? MAN_HAND_CODES[row - 2] : EMPTY;
}
constexpr int comHandPiece(int row) {
    return (row >= 1 && row <= 7) ? COM_HAND_CODES[8 - row] : EMPTY;
}

constexpr bool onBoard(int x, int y) {
    return x >= 1 && x <= 9 && y >= 1 && y <= 9;
}

}  // namespace velk
