#include "record/move_list.h"

#include <algorithm>
#include <cstdio>

#include "record/kif.h"
#include "texts/texts.h"

namespace velk {

namespace {

bool isDropSource(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// A board move that could have promoted and did not: the piece can promote and the move starts
// or ends in the mover's promotion zone (the far three rows).
bool declinedPromotion(const MoveRecord& r, int n) {
    const int before = r.recPieceBefore[n];
    if (isDropSource(r.recFromX[n]) || r.recPieceAfter[n] != before || !canPromote(before))
        return false;
    const int fromY = r.recFromY[n], toY = r.recToY[n];
    if (isManPiece(before)) return fromY <= 3 || toY <= 3;
    return fromY >= 7 || toY >= 7;
}

std::string numbered(int n, const std::string& text) {
    char number[16];
    std::snprintf(number, sizeof number, "%3d ", n);
    return number + text;
}

std::string unnumbered(const std::string& text) {
    return std::string(MOVE_LIST_NUMBER_WIDTH, ' ') + text;
}

}  // namespace

MoveList moveListOf(const GameState& s, int knownUpTo) {
    const MoveRecord& r = s.record;
    const int last = std::clamp(s.moveNoLast, 0, MAX_MOVES);
    const bool allShown = s.kifuMode == YES || s.screenUp == NO;
    MoveList list;
    if (s.comPiecesShown == YES)
        list.lines.push_back({unnumbered(texts::movelist::COM_PIECES_SHOWN), 0});
    list.current = static_cast<int>(list.lines.size());
    list.lines.push_back({unnumbered(std::string(texts::movelist::START)), 0});

    // Squares are numbered as the KIF file numbers them, 先手 at the bottom.
    const bool manFirst = last < 1 || isManPiece(r.recPieceAfter[1]);
    int missMAN = 0, missCOM = 0;
    const auto misses = [&](int manTotal, int comTotal, int moveNo) {
        if (manTotal > missMAN)
            list.lines.push_back(
                {unnumbered(texts::movelist::missLine(false, manTotal - missMAN, manTotal)),
                 moveNo});
        if (comTotal > missCOM)
            list.lines.push_back(
                {unnumbered(texts::movelist::missLine(true, comTotal - missCOM, comTotal)),
                 moveNo});
        missMAN = std::max(missMAN, manTotal);
        missCOM = std::max(missCOM, comTotal);
    };

    for (int n = 1; n <= last; ++n) {
        misses(r.recMissMAN[n], r.recMissCOM[n], n - 1);
        const bool man = isManPiece(r.recPieceAfter[n]);
        std::string text(man == manFirst ? texts::movelist::SENTE_MARK
                                         : texts::movelist::GOTE_MARK);
        if (man || allShown || n <= knownUpTo) {
            text += kifMoveText(r, n, manFirst, false);
            if (declinedPromotion(r, n)) text += texts::movelist::NOT_PROMOTED;
        } else {
            text += kifDestination(r, n, manFirst);
            text += texts::draw::HIDDEN_PIECE;
            if (isDropSource(r.recFromX[n])) text += texts::movelist::DROP;
        }
        if (n == s.moveNo) list.current = static_cast<int>(list.lines.size());
        list.lines.push_back({numbered(n, text), n});
    }
    // Misses of the turn under way.
    if (s.moveNo == last) misses(s.missCountMAN, s.missCountCOM, last);
    return list;
}

}  // namespace velk
