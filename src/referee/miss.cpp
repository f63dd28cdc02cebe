#include "referee/miss.h"

#include "game/move_check.h"
#include "game/survey.h"

namespace velk {

int 調査_ミス(GameState& s, int fromX, int fromY, int toX, int toY, int piece) {
    int result = NO;
    const bool boardMove = fromX >= 1 && fromX <= 9;

    // The mover's view: the other side's pieces taken off for the length of one move check.
    const Map saved = s.board;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int q = s.board[x][y];
            if ((isComPiece(piece) && isManPiece(q)) || (isManPiece(piece) && isComPiece(q)))
                s.board[x][y] = EMPTY;
        }
    const int seen = 移動チェック(s, fromX, fromY, toX, toY, piece);
    s.board = saved;
    const int real = 移動チェック(s, fromX, fromY, toX, toY, piece);

    if (boardMove && seen == YES && real == NO) return MISS_JUMPED;
    // Nothing below may touch a square off the board.
    if (!onBoard(toX, toY)) return result;
    const int target = s.board[toX][toY];
    if ((fromX == MAN_HAND_X && isComPiece(target)) || (fromX == COM_HAND_X && isManPiece(target)))
        return MISS_DROPPED_ON;

    if (boardMove && onBoard(fromX, fromY)) {
        // Play the move tentatively and see whether the mover's king is then reached. The
        // source gets back what stood there, not the piece argument, which is the promoted
        // code when the computer promotes.
        const std::int16_t source = s.board[fromX][fromY];
        const std::int16_t destination = s.board[toX][toY];
        s.board[toX][toY] = static_cast<std::int16_t>(piece);
        s.board[fromX][fromY] = EMPTY;
        勢力調査(s);
        if (isComPiece(piece) && s.maps.manInfluence[s.kingXCOM][s.kingYCOM] > 0)
            result = MISS_KING_EXPOSED;
        if (isManPiece(piece) && s.maps.comInfluence[s.kingXMAN][s.kingYMAN] > 0)
            result = MISS_KING_EXPOSED;
        s.board[toX][toY] = destination;
        s.board[fromX][fromY] = source;
    }
    return result;
}

}  // namespace velk
