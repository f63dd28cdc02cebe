#include <ostream>

#include "cli/commands.h"
#include "cli/requests.h"
#include "cli/sfen.h"
#include "game/move_check.h"
#include "game/move_exec.h"

namespace velk::cli {

namespace {

void printBoardMoves(const GameState& s, bool man, std::ostream& out) {
    for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
            const int piece = s.board[fx][fy];
            if (man ? !isManPiece(piece) : !isComPiece(piece)) continue;
            for (int tx = 1; tx <= 9; ++tx)
                for (int ty = 1; ty <= 9; ++ty)
                    if (移動チェック(s, fx, fy, tx, ty, piece) == YES)
                        out << fx << ' ' << fy << ' ' << tx << ' ' << ty << ' ' << piece << '\n';
        }
}

void printDrops(const GameState& s, bool man, std::ostream& out) {
    const auto& hand = man ? s.handMAN : s.handCOM;
    for (int k = 1; k <= 7; ++k) {
        if (hand[k] <= 0) continue;
        const int piece = man ? MAN_HAND_CODES[k] : COM_HAND_CODES[k];
        const int fromX = man ? MAN_HAND_X : COM_HAND_X;
        const int fromY = man ? k + 2 : k;
        for (int tx = 1; tx <= 9; ++tx)
            for (int ty = 1; ty <= 9; ++ty)
                if (移動チェック(s, fromX, fromY, tx, ty, piece) == YES)
                    out << fromX << ' ' << fromY << ' ' << tx << ' ' << ty << ' ' << piece << '\n';
    }
}

}  // namespace

int runLegal(std::istream& in, std::ostream& out) {
    return runRequests(in, out, [](const std::vector<std::string>& fields, std::ostream& o) {
        GameState s{};
        placeRequestPosition(s, fields);
        調査_2歩フラグ設定(s);
        printBoardMoves(s, true, o);
        printDrops(s, true, o);
        printBoardMoves(s, false, o);
        printDrops(s, false, o);
        o << "end\n";
    });
}

}  // namespace velk::cli
