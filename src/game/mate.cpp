#include "game/mate.h"

#include <cstdlib>

#include "game/board_view.h"
#include "game/move_check.h"
#include "game/survey.h"

namespace velk {

namespace {

inline bool adjacent(int x, int y, int kx, int ky) {
    return std::abs(x - kx) <= 1 && std::abs(y - ky) <= 1;
}

// Can one of the checkers marked 9 in the check map still move onto the king?
bool checkerReachesKing(const GameState& s, const Map& check, int kx, int ky) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (check[x][y] == 9 && 移動チェック(s, x, y, kx, ky, s.board[x][y]) == YES)
                return true;
    return false;
}

// Whether some piece of the side's hand may be dropped on (x, y), judged by the move check with
// the two-pawn flags as they stand.
bool someDropAllowed(const GameState& s, bool man, int x, int y) {
    const Hand& hand = man ? s.handMAN : s.handCOM;
    const int handX = man ? MAN_HAND_X : COM_HAND_X;
    for (int k = 1; k <= 7; ++k) {
        if (hand[k] <= 0) continue;
        const int piece = man ? MAN_HAND_CODES[k] : COM_HAND_CODES[k];
        if (移動チェック(s, handX, 0, x, y, piece) == YES) return true;
    }
    return false;
}

// Step 2 of both mate tests: can a piece dropped on one of the squares between a ranging
// checker and the king stop every checker? Never when a checker stands next to the king (a
// checking knight marks the king's own square, which counts as next to it). A square is tried
// only where some piece in hand may be dropped (not a pawn on a file that has one, nor a knight
// or lance where it could never move again); one such square that stops every checker is
// enough. A pawn stands in for the dropped piece, which blocks the line whatever its kind.
// Every trial pawn is taken off again.
bool dropBlocksCheck(GameState& s, bool man, int kx, int ky) {
    const Map& check = man ? s.maps.manKingCheck : s.maps.comKingCheck;
    const int pawn = man ? MAN_HU : COM_HU;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            if (check[x][y] == 9 && adjacent(x, y, kx, ky)) return false;
            if (check[x][y] != 1 || !someDropAllowed(s, man, x, y)) continue;
            const TrialPiece blocker(s.board, x, y, pawn);
            // A checker next to the king, met later in the scan, would still reach it.
            if (!checkerReachesKing(s, check, kx, ky)) return true;
        }
    return false;
}

// Step 3: a king step allowed by the move check onto a square the other side does not reach.
bool kingEscapes(const GameState& s, int king, const Map& enemyInfluence, int kx, int ky) {
    for (int x = kx - 1; x <= kx + 1; ++x)
        for (int y = ky - 1; y <= ky + 1; ++y) {
            if (!onBoard(x, y)) continue;
            if (移動チェック(s, kx, ky, x, y, king) == YES && enemyInfluence[x][y] == 0)
                return true;
        }
    return false;
}

}  // namespace

int 詰めかMAN_COM移動(GameState& s) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (s.board[x][y] >= COM_HU &&
                移動チェック(s, x, y, s.kingXMAN, s.kingYMAN, s.board[x][y]) == YES)
                return YES;
    return NO;
}

int 詰めかMAN(GameState& s) {
    const int kx = s.kingXMAN;
    const int ky = s.kingYMAN;
    if (!onBoard(kx, ky) || s.maps.comInfluence[kx][ky] == 0) return NO;

    if (s.handTotalMAN > 0 && dropBlocksCheck(s, true, kx, ky)) return NO;

    if (kingEscapes(s, MAN_OU, s.maps.comInfluence, kx, ky)) return NO;

    // Defence by another piece: capture a checker or stand between, then ask whether some
    // computer piece still reaches the king. The check map is tested before the move check;
    // both are pure, so the order changes nothing but the time taken.
    const Map& check = s.maps.manKingCheck;
    for (int sx = 1; sx <= 9; ++sx)
        for (int sy = 1; sy <= 9; ++sy) {
            const int p = s.board[sx][sy];
            if (p < MAN_RYU || p > MAN_HU) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (check[tx][ty] <= 0 || (tx == sx && ty == sy)) continue;
                    if (移動チェック(s, sx, sy, tx, ty, p) != YES) continue;
                    const TrialPiece landed(s.board, tx, ty, p);
                    const TrialPiece left(s.board, sx, sy, EMPTY);
                    if (詰めかMAN_COM移動(s) == NO) return NO;
                }
        }
    return YES;
}

int 詰めかCOM(GameState& s) {
    const int kx = s.kingXCOM;
    const int ky = s.kingYCOM;
    if (!onBoard(kx, ky) || s.maps.manInfluence[kx][ky] == 0) return NO;

    if (s.handTotalCOM > 0 && dropBlocksCheck(s, false, kx, ky)) return NO;

    if (kingEscapes(s, COM_OU, s.maps.manInfluence, kx, ky)) return NO;

    // Defence by another piece, judged by a survey of each trial position. The trials rewrite
    // the maps, so the check map of the real position is kept aside to choose the targets;
    // the maps are left as the last trial's survey made them.
    const Map check = s.maps.comKingCheck;
    for (int sx = 1; sx <= 9; ++sx)
        for (int sy = 1; sy <= 9; ++sy) {
            const int p = s.board[sx][sy];
            if (p < COM_HU || p > COM_RYU) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty) {
                    if (check[tx][ty] <= 0) continue;
                    if (移動チェック(s, sx, sy, tx, ty, p) != YES) continue;
                    const TrialPiece landed(s.board, tx, ty, p);
                    const TrialPiece left(s.board, sx, sy, EMPTY);
                    勢力調査(s);
                    if (s.maps.manInfluence[kx][ky] == 0) return NO;
                }
        }
    return YES;
}

int 調査_自王逃道(GameState& s) {
    const int kx = s.kingXMAN;
    const int ky = s.kingYMAN;
    if (!onBoard(kx, ky)) return 0;
    int count = 0;
    const auto look = [&](int x, int y) {
        if (!onBoard(x, y)) return;
        if (s.board[x][y] == EMPTY && s.maps.comInfluence[x][y] == 0) {
            s.comTurn.manKingEscapes[x][y] = 1;
            ++count;
        }
    };
    if (ky > 1) {
        look(kx, ky - 1);
        look(kx - 1, ky - 1);
        look(kx + 1, ky - 1);
    }
    if (ky < 9) {
        look(kx, ky + 1);
        look(kx - 1, ky + 1);
        look(kx + 1, ky + 1);
    }
    if (kx > 1) look(kx - 1, ky);
    if (kx < 9) look(kx + 1, ky);
    return count;
}

bool leavesOwnKingAttacked(GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    const TrialPiece landed(s.board, toX, toY, piece);
    const TrialPiece left(s.board, fromX, fromY, EMPTY);
    勢力調査(s);
    if (isComPiece(piece)) return s.maps.manInfluence[s.kingXCOM][s.kingYCOM] > 0;
    if (isManPiece(piece)) return s.maps.comInfluence[s.kingXMAN][s.kingYMAN] > 0;
    return false;
}

}  // namespace velk
