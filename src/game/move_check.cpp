#include "game/move_check.h"

#include <cstdlib>

namespace velk {

namespace {

bool isDropColumn(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

bool goldStep(int dx, int dy, int forward) {
    return (std::abs(dx) <= 1 && (dy == forward || dy == 0)) || (dx == 0 && dy == -forward);
}

bool silverStep(int dx, int dy, int forward) {
    return std::abs(dx) <= 1 && (dy == forward || (dy == -forward && dx != 0));
}

bool kingStep(int dx, int dy) {
    return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

// The lance walks its own column; every square strictly between must be empty.
bool lanceClear(const GameState& s, int x, int lowY, int highY) {
    for (int y = lowY + 1; y < highY; ++y)
        if (s.board[x][y] != EMPTY) return false;
    return true;
}

}  // namespace

int 移動チェック飛車(const GameState& s, int fromX, int fromY, int toX, int toY) {
    if (fromX != toX && fromY != toY) return NO;
    if (fromY != toY) {
        const int step = toY > fromY ? 1 : -1;
        for (int y = fromY + step; y != toY; y += step)
            if (s.board[toX][y] != EMPTY) return NO;
    }
    if (fromX != toX) {
        const int step = toX > fromX ? 1 : -1;
        for (int x = fromX + step; x != toX; x += step)
            if (s.board[x][toY] != EMPTY) return NO;
    }
    return YES;
}

int 移動チェック角(const GameState& s, int fromX, int fromY, int toX, int toY) {
    const bool sumDiagonal = (toX - fromX) == (fromY - toY);
    const bool diffDiagonal = (toY - fromY) == (toX - fromX);
    if (!sumDiagonal && !diffDiagonal) return NO;
    if (sumDiagonal) {
        if (fromY > toY) {
            for (int k = 1; fromX + k < toX; ++k)
                if (s.board[fromX + k][fromY - k] != EMPTY) return NO;
        } else {
            for (int k = 1; fromX - k > toX; ++k)
                if (s.board[fromX - k][fromY + k] != EMPTY) return NO;
        }
    } else {
        if (fromY > toY) {
            for (int k = 1; fromX - k > toX; ++k)
                if (s.board[fromX - k][fromY - k] != EMPTY) return NO;
        } else {
            for (int k = 1; fromX + k < toX; ++k)
                if (s.board[fromX + k][fromY + k] != EMPTY) return NO;
        }
    }
    return YES;
}

int 移動チェック(const GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    if (toX < 1 || toX > 9 || toY < 1 || toY > 9) return NO;
    if (fromX == toX && fromY == toY) return NO;
    const int target = s.board[toX][toY];
    if (piece >= COM_HU && target >= COM_HU) return NO;
    if (piece <= MAN_HU && target <= MAN_HU) return NO;

    const bool drop = isDropColumn(fromX);
    // A board move from outside the board would read past the path; nothing legal starts there.
    if (!drop && !onBoard(fromX, fromY)) return NO;
    if (drop) {
        if (target != EMPTY) return NO;
        if (piece == MAN_HU && s.twoPawnMAN[toX] == 1) return NO;
        if (piece == COM_HU && s.twoPawnCOM[toX] == 1) return NO;
        if (piece != MAN_HU && piece != COM_HU && piece != MAN_KYOU && piece != COM_KYOU &&
            piece != MAN_KEI && piece != COM_KEI)
            return YES;
    }

    const int dx = toX - fromX;
    // A drop has no step: its row says which hand slot it came from, which may be any number.
    const int dy = drop ? 0 : toY - fromY;
    bool allowed = true;
    switch (piece) {
        case COM_HU:
            allowed = fromX > 0 ? (dx == 0 && dy == 1) : toY != 9;
            break;
        case MAN_HU:
            allowed = fromX != MAN_HAND_X ? (dx == 0 && dy == -1) : toY != 1;
            break;
        case COM_KYOU:
            allowed = fromX != COM_HAND_X ? (dx == 0 && dy > 0 && lanceClear(s, toX, fromY, toY))
                                          : toY != 9;
            break;
        case MAN_KYOU:
            allowed = fromX != MAN_HAND_X ? (dx == 0 && dy < 0 && lanceClear(s, toX, toY, fromY))
                                          : toY != 1;
            break;
        case COM_KEI:
            allowed = fromX != COM_HAND_X ? (dy == 2 && std::abs(dx) == 1) : !(toY > 7);
            break;
        case MAN_KEI:
            allowed = fromX != MAN_HAND_X ? (dy == -2 && std::abs(dx) == 1) : !(toY < 3);
            break;
        case COM_GIN:
            allowed = silverStep(dx, dy, 1);
            break;
        case MAN_GIN:
            allowed = silverStep(dx, dy, -1);
            break;
        case COM_KIN:
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
            allowed = goldStep(dx, dy, 1);
            break;
        case MAN_KIN:
        case MAN_TO:
        case MAN_NARIKYOU:
        case MAN_NARIKEI:
        case MAN_NARIGIN:
            allowed = goldStep(dx, dy, -1);
            break;
        case COM_KAKU:
        case MAN_KAKU:
            allowed = 移動チェック角(s, fromX, fromY, toX, toY) == YES;
            break;
        case COM_UMA:
        case MAN_UMA:
            allowed = kingStep(dx, dy) || 移動チェック角(s, fromX, fromY, toX, toY) == YES;
            break;
        case COM_SYA:
        case MAN_SYA:
            allowed = 移動チェック飛車(s, fromX, fromY, toX, toY) == YES;
            break;
        case COM_RYU:
        case MAN_RYU:
            allowed = kingStep(dx, dy) || 移動チェック飛車(s, fromX, fromY, toX, toY) == YES;
            break;
        case COM_OU:
        case MAN_OU:
            allowed = kingStep(dx, dy);
            break;
        default:
            break;
    }
    return allowed ? YES : NO;
}

}  // namespace velk
