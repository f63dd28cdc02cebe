// The move log and the 局面 menu: stepping back and forward through the record, turning the
// board round and showing the computer's pieces for a moment.
#include <algorithm>

#include "game/hands.h"
#include "match/form1.h"
#include "record/record_file.h"
#include "record/replay_step.h"
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {

namespace {

// Puts back the clocks' totals given and the miss counters stored with entry n, and shows them.
void showStoredCounters(GameState& s, Canvas& c, const Menu& menu, float timeCOM, float timeMAN,
                        int n) {
    s.timeUsedCOM = timeCOM;
    s.timeUsedMAN = timeMAN;
    描画_所有時間(s, c, menu, s.roleCOM, s.timeUsedCOM);
    描画_所有時間(s, c, menu, s.roleMAN, s.timeUsedMAN);
    s.missCountCOM = s.record.recMissCOM[n];
    s.missCountMAN = s.record.recMissMAN[n];
    描画_ミス回数(s, c, s.roleCOM, COLOUR_WHITE);
    描画_ミス回数(s, c, s.roleMAN, COLOUR_WHITE);
}

}  // namespace

void Form1::手順保存(int fromX, int fromY, int toX, int toY, int pieceBefore, int pieceArg,
                     float timeMANBefore, float timeMANAfter, float timeCOMBefore,
                     float timeCOMAfter) {
    if (!match_.record(fromX, fromY, toX, toY, pieceBefore, pieceArg, timeMANBefore, timeMANAfter,
                       timeCOMBefore, timeCOMAfter))
        return;
    ++movesLogged;
    moveEntered();
}

// A move entered in the record replaces the record ahead: the move list knows it no further
// than the move before, and the finished game it may have held is gone.
void Form1::moveEntered() {
    moveListKnown_ = std::min(moveListKnown_, s.moveNo - 1);
    finished_.reset();
    resigned_ = Side::None;
}

void Form1::STOP_Click() {
    const EventScope event(*this);
    if (closed) return;
    hidePanel();
}

void Form1::REPLAY_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (curtainRefuses() || netRefuses()) return;
    hidePanel();
    Canvas& c = ports_.canvas;
    MoveRecord& r = s.record;
    const int n = s.moveNo;
    // The entry is taken back only from the position it led to.
    if (!takeBackRecordedMove(s, r, n)) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::CANNOT, texts::match::BACK_TITLE);
        return;
    }

    s.selPhase = 0;
    ports_.timer.setEnabled(false);
    match_.viewsPause();
    描画_将棋盤桝(s, c);

    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int toX = r.recToX[n], toY = r.recToY[n];
    const int captured = r.recCaptured[n];
    if (onBoard(fromX, fromY)) {
        描画_絵(s, c, r.recPieceBefore[n], fromX, fromY);
        描画_桝輪郭(s, c, COLOUR_GREEN, fromX, fromY);
    }

    showStoredCounters(s, c, ports_.menu, r.recTimeCOMBefore[n], r.recTimeMANBefore[n], n);

    描画_自持盤(s, c);
    描画_敵持盤(s, c);
    描画_絵(s, c, EMPTY, toX, toY);
    描画_桝輪郭(s, c, COLOUR_GREEN, toX, toY);
    if (captured != EMPTY) {
        描画_絵(s, c, captured, toX, toY);
        描画_桝輪郭(s, c, COLOUR_GREEN, toX, toY);
    }

    ports_.sound.dsPlay(sndPiece);
    消去_移動結果(s, c, r.recPieceBefore[n] > 0 ? s.roleCOM : s.roleMAN);

    s.turn = NOBODY;
    setStatus("");
    s.moveNo -= 1;
    s.moveCount -= 1;
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
}

void Form1::AFTER_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (curtainRefuses() || netRefuses()) return;
    hidePanel();
    Canvas& c = ports_.canvas;
    MoveRecord& r = s.record;
    // The end of the record, and never past its last entry.
    if (s.moveNo >= s.moveNoLast || s.moveNo >= MAX_MOVES) {
        if (s.kifuMode == YES) {
            ports_.dialogs.message(texts::match::RECORD_END, texts::match::FORWARD_TITLE);
        } else {
            ports_.sound.dsPlay(sndForbidden);
            ports_.dialogs.message(texts::match::CANNOT, texts::match::FORWARD_TITLE);
        }
        return;
    }
    const int n = s.moveNo + 1;
    // The entry is played only on the position it was recorded from: the moving piece on its
    // square or in its owner's hand, and the captured piece, or nothing, on the destination.
    if (!applyRecordedMove(s, r, n)) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::CANNOT, texts::match::FORWARD_TITLE);
        return;
    }

    s.selPhase = 0;
    ports_.timer.setEnabled(false);
    match_.viewsPause();
    描画_将棋盤桝(s, c);

    s.moveNo = n;
    s.moveCount += 1;
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);

    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int toX = r.recToX[n], toY = r.recToY[n];
    const int placed = r.recPieceAfter[n];

    showStoredCounters(s, c, ports_.menu, r.recTimeCOMAfter[n], r.recTimeMANAfter[n], n);

    // A drop's source is a hand slot, which the hand redraw below paints.
    if (onBoard(fromX, fromY)) {
        描画_絵(s, c, EMPTY, fromX, fromY);
        描画_桝輪郭(s, c, COLOUR_GREEN, fromX, fromY);
    }
    描画_絵(s, c, placed, toX, toY);
    描画_桝輪郭(s, c, COLOUR_GREEN, toX, toY);
    描画_自持盤(s, c);
    描画_敵持盤(s, c);
    ports_.sound.dsPlay(sndPiece);

    描画_移動結果(s, c, placed > 0 ? s.roleCOM : s.roleMAN, toX, toY, placed, COLOUR_WHITE);

    s.turn = NOBODY;
    setStatus("");
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
}

void Form1::REVERSE_Click() {
    const EventScope event(*this);
    if (closed || netRefuses()) return;
    if (s.kifuMode == YES) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::NO_REVERSE_IN_RECORD, texts::match::REVERSE_TITLE);
        return;
    }
    // Turned round, the computer's pieces would stand face up at the bottom: never in a game.
    if (s.gameState == 1) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::NO_REVERSE_IN_GAME, texts::match::REVERSE_TITLE);
        return;
    }
    s.reversed = YES;
    s.selPhase = 0;

    // Half a turn round, each side's pieces becoming the other side's.
    const Map copy = s.board;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            s.board[x][y] = static_cast<std::int16_t>(-copy[10 - x][10 - y]);

    // The hands change owners too, and each total follows its hand.
    setHands(s, s.handCOM, s.handMAN);

    画面_再描画(s, ports_.canvas, ports_.menu);
    描画_手数(s, ports_.canvas, s.moveCount, COLOUR_WHITE);
    if (s.handicapSet == YES) {
        s.handicapLevel = -s.handicapLevel;
        描画_ハンデレベル(s, ports_.canvas, s.handicapLevel);
    }

    ports_.sound.dsPlay(sndPiece);
    s.moveNo = 0;
    s.moveNoLast = 0;
}

void Form1::ICHIJI_Click() {
    const EventScope event(*this);
    if (closed || netRefuses()) return;
    // Between two people each sees only its own pieces, even for a moment.
    if (twoPlayers_ && s.gameState == 1) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::NO_SHOW_IN_TWO_PLAYER_GAME, texts::match::SHOW_TITLE);
        return;
    }
    // Seen while a side is to move, the pieces are part of the game: its record says so.
    if (s.turn != NOBODY) s.comPiecesShown = YES;
    描画_COM駒(s, ports_.canvas);
    描画_敵持盤(s, ports_.canvas);
}

}  // namespace velk
