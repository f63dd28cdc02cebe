#include "com/com_turn.h"

#include <algorithm>
#include <cstdlib>

#include "com/evaluate.h"
#include "game/board_view.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/move_list.h"
#include "game/survey.h"

namespace velk {

namespace {

inline constexpr int SCORE_NONE = -999990;  // -99999: below every score

struct Tried {
    int score;
    int placed;
};

// The evaluation of the candidate standing on the board, told to the tracer when there is one.
int evaluate(GameState& s, ComTracer* tracer, int captured, int placed, int fromX, int fromY,
             int toX, int toY) {
    if (tracer == nullptr) return 盤評価(s, captured, placed, fromX, fromY, toX, toY);
    EvalTrace terms;
    const int score = 盤評価(s, captured, placed, fromX, fromY, toX, toY, &terms);
    tracer->candidate({fromX, fromY, toX, toY, placed, s.comTurn.trialPiece, score, true}, terms);
    return score;
}

// Evaluates the board move already standing on the board, in the forms the rules allow.
Tried evaluateBoardMove(GameState& s, ComTracer* tracer, int captured, int fromX, int fromY,
                        int toX, int toY) {
    const int piece = s.comTurn.trialPiece;
    if (調査_駒成(s, fromX, fromY, toX, toY, piece) == NO) {
        勢力調査(s);
        return {evaluate(s, tracer, captured, piece, fromX, fromY, toX, toY), piece};
    }
    const int promoted = s.promotedPiece;
    if (移動後チェック(toY, piece) == NO) {
        s.board[toX][toY] = static_cast<std::int16_t>(promoted);
        勢力調査(s);
        return {evaluate(s, tracer, captured, promoted, fromX, fromY, toX, toY), promoted};
    }
    勢力調査(s);
    Tried result{evaluate(s, tracer, captured, piece, fromX, fromY, toX, toY), piece};
    s.board[toX][toY] = static_cast<std::int16_t>(promoted);
    勢力調査(s);
    const int promotedScore = evaluate(s, tracer, captured, promoted, fromX, fromY, toX, toY);
    if (promotedScore > result.score) result = {promotedScore, promoted};
    // A pawn, bishop or rook always plays promoted; the better of the two scores stands.
    if (piece == COM_HU || piece == COM_KAKU || piece == COM_SYA) result.placed = promoted;
    return result;
}

}  // namespace

ComMove scanComCandidates(GameState& s, ComTick tick, void* context, ComTracer* tracer) {
    auto& t = s.comTurn;
    ComMove best{};
    t.bestScore = SCORE_NONE;
    const auto keep = [&](int fromX, int fromY, int toX, int toY, int placed, int moving,
                          int score) {
        t.bestScore = score;
        best = {fromX, fromY, toX, toY, placed, moving, score, true};
    };

    const auto breathe = [&](int) {
        if (tick != nullptr) tick(context);
    };
    const bool scannedBoard = forEachBoardMove(
        s, false,
        [&](int fromX, int fromY, int toX, int toY, int piece) {
            t.trialPiece = piece;
            t.sourceToManKing =
                std::max(std::abs(fromX - s.kingXMAN), std::abs(fromY - s.kingYMAN));
            const std::int16_t captured = s.board[toX][toY];
            Tried tried{};
            {
                const TrialPiece left(s.board, fromX, fromY, EMPTY);
                const TrialPiece landed(s.board, toX, toY, piece);
                tried = evaluateBoardMove(s, tracer, captured, fromX, fromY, toX, toY);
            }
            if (tried.score > t.bestScore) {
                keep(fromX, fromY, toX, toY, tried.placed, piece, tried.score);
                // Taking the king ends the scan.
                if (captured == MAN_OU) return false;
            }
            return true;
        },
        breathe);
    if (!scannedBoard || t.handTotalCOMAtTurnStart <= 0) return best;

    forEachDrop(
        s, false,
        [&](int fromX, int kind, int toX, int toY, int piece) {
            int score = 0;
            {
                const TrialPiece dropped(s.board, toX, toY, piece);
                勢力調査(s);
                score = evaluate(s, tracer, EMPTY, piece, fromX, kind, toX, toY);
            }
            if (score > t.bestScore) {
                keep(fromX, kind, toX, toY, piece, piece, score);
                // A drop that mates ends the scan.
                if (t.bestScore >= SCORE_MATE) return false;
            }
            return true;
        },
        [&](int kind) {
            breathe(kind);
            if (s.handCOM[kind] > 0) t.trialPiece = COM_HAND_CODES[kind];
        });
    return best;
}

}  // namespace velk
