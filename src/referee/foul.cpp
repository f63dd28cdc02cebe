#include "referee/foul.h"

#include <charconv>

#include "board/piece_moves.h"
#include "game/board_view.h"
#include "game/move_check.h"

namespace velk {

char foulRoll(float timeOfDay) {
    // Seven significant digits with trailing zeros dropped: 51234.56 -> '6', 51234.5 -> '5'.
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, timeOfDay, std::chars_format::general, 7);
    if (result.ec != std::errc() || result.ptr == text) return '0';
    return result.ptr[-1];
}

int 反則発生(const GameState& s, float timeOfDay) {
    const char roll = foulRoll(timeOfDay);
    if (s.level == 1 && (roll == '1' || roll == '5' || roll == '8')) return YES;
    if (s.level == 2 && roll == '1') return YES;
    return NO;
}

void 反則手作成(GameState& s, int fromX, int fromY, int& toX, int& toY, int piece) {
    const auto& tried = s.comTurn.foulTried;
    if (fromX < 1) {
        // A drop onto a hidden human piece.
        for (int x = 3; x <= 7; ++x)
            for (int y = 5; y <= 9; ++y)
                if (tried[x][y] == NO && isManPiece(s.board[x][y])) {
                    toX = x;
                    toY = y;
                    return;
                }
        return;
    }
    if (!isComPiece(piece) || !isRanging(piece)) return;

    // A ranging move that passes over a hidden human piece: allowed on the computer's own view
    // (every human piece taken off), refused on the true board. Nearest the human's side first.
    const Map view = sideView(s.board, Side::Com);
    for (int x = 1; x <= 9; ++x)
        for (int y = 9; y >= 1; --y) {
            if (tried[x][y] != NO) continue;
            const bool seenLegal = 移動チェック(s, view, fromX, fromY, x, y, piece) == YES;
            if (seenLegal && 移動チェック(s, fromX, fromY, x, y, piece) == NO) {
                toX = x;
                toY = y;
                return;
            }
        }
}

}  // namespace velk
