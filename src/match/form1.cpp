// Start-up, reset, the human's turn by mouse, the match and level menus, the clock and the end
// of a game.
#include "match/form1.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

#include "game/invariants.h"
#include "game/setup.h"
#include "match/net_line.h"
#include "match/pacing.h"
#include "record/record_file.h"
#include "texts/texts.h"
#include "ui/draw.h"
#include "ui/geometry.h"

namespace velk {

float 調査_経過秒(float start, float now) {
    if (start <= now) return now - start;
    return now + 86400.0f - start;
}

Form1::Form1(Ports ports, std::filesystem::path folder)
    : s(match_.state()),
      overlay_(ports.canvas),
      ports_(Ports{overlay_, ports.dialogs, ports.sound, ports.clock, ports.timer, ports.menu,
                   ports.panel, ports.window}),
      folder_(std::move(folder)),
      designCom_(
          s, [this] { return now(); }, clockTick, this) {
    match_.setClock([this] { return now(); });
}

float Form1::now() {
    return ports_.clock.timeOfDay();
}

void Form1::updateElapsed() {
    match_.updateElapsed();
}

void Form1::hidePanel() {
    描画_可視(ports_.panel, NO, NO, NO);
    描画_棋譜_IO(ports_.panel, 1);
}

void Form1::releaseSounds() {
    SoundDevice& snd = ports_.sound;
    for (int* h : {&sndOther, &sndForbidden, &sndPiece, &sndBGM}) {
        if (*h != 0) snd.dsFree(*h);
        *h = 0;
    }
    音_終了();
    soundDevice = 0;
}

Form1::EventScope::EventScope(Form1& form, bool notesOnly) : form_(form), notesOnly_(notesOnly) {
    ++form_.eventDepth_;
}

Form1::EventScope::~EventScope() {
    --form_.eventDepth_;
    // Not while an exception unwinds: the event did not finish.
    if (form_.eventDepth_ != 0 || std::uncaught_exceptions() > 0) return;
    if (!notesOnly_) form_.afterEvent();
#ifndef NDEBUG
    // A network game's state holds one side's view alone, not a whole position.
    if (!form_.checkStateAfterEvents || form_.netPlaying()) return;
    if (const std::string broken = checkGameState(form_.s); !broken.empty()) {
        std::fprintf(stderr, "game state broken after an event: %s\n", broken.c_str());
        std::abort();
    }
#endif
}

// ---------------------------------------------------------------------------------------------
// Start-up and reset

void Form1::Form_Load() {
    const EventScope event(*this);
    if (closed) return;
    // A repeated load replaces the sound set-up; the old buffers (the music among them) are
    // released first so that nothing keeps playing unowned.
    if (soundDevice != 0 || sndOther != 0 || sndForbidden != 0 || sndPiece != 0 || sndBGM != 0)
        releaseSounds();
    // A load starts the program afresh: a network game under way is left.
    if (net_ != nullptr) {
        net_->leave();
        net_ = nullptr;
        netWaiting_ = netDown_ = netBegun_ = false;
    }
    音_初期化(ports_.window.handle());
    sndOther = 音_読込("その他.wav", 3);
    sndForbidden = 音_読込("禁止.wav", 3);
    sndPiece = 音_読込("駒打音.wav", 3);
    sndBGM = 音_読込("BGM.wav", 1);

    s.kifuMode = NO;
    s.moveNoLast = 0;
    s.comPiecesShown = NO;
    moveListKnown_ = 0;
    finished_.reset();
    s.level = 1;
    ports_.menu.setChecked(MenuItem::LEVEL1, true);
    ports_.menu.setChecked(MenuItem::LEVEL2, false);
    ports_.menu.setChecked(MenuItem::LEVEL3, false);
    ports_.menu.setChecked(MenuItem::KOUSEI, false);
    s.roleCOM = SENTE;
    s.roleMAN = GOTE;

    読込_環境設定ファイル();
    初期設定();

    if (ports_.window.top() != WINDOW_TOP)
        ports_.window.place(WINDOW_LEFT, WINDOW_TOP, WINDOW_WIDTH, WINDOW_HEIGHT);
}

void Form1::初期設定() {
    velk::初期設定(s);
    clearMarkers();
    otherMarkers_.clear();
    twoPlayers_ = false;
    curtain_ = false;
    match_.viewsClear();
    // The record stays for stepping through with 進 only when it is played from the starting
    // position the reset leaves: one begun after 反転 was recorded on the reversed board.
    std::string why;
    if (checkRecordFollowsStart(s.record, s.moveNoLast, why) != 0) s.moveNoLast = 0;
    // A record kept for stepping keeps its note of the computer's pieces shown.
    if (s.moveNoLast == 0) s.comPiecesShown = NO;
    s.movesUnsaved = 0;
    ports_.timer.setEnabled(false);
    画面_再描画(s, ports_.canvas, ports_.menu);
    setStatus("");
}

void Form1::CANCEL_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (!mayLoseUnsavedMoves(texts::match::RESET_QUESTION, texts::match::RESET_TITLE)) return;
    初期設定();
    ports_.sound.dsPlay(sndPiece);
}

// ---------------------------------------------------------------------------------------------
// The human's turn

void Form1::drawMove(int fromX, int fromY, int toX, int toY, int piece, int captured) {
    Canvas& c = ports_.canvas;
    if (isManPiece(captured)) 描画_敵持盤(s, c);
    if (isComPiece(captured)) 描画_自持盤(s, c);
    描画_絵(s, c, EMPTY, fromX, fromY);
    描画_桝輪郭(s, c, COLOUR_GREEN, fromX, fromY);
    if (fromX == COM_HAND_X) 描画_敵持盤(s, c);
    if (fromX == MAN_HAND_X) 描画_自持盤(s, c);
    描画_絵(s, c, piece, toX, toY);
    描画_桝輪郭(s, c, COLOUR_GREEN, toX, toY);
}

void Form1::描画_移動可能桝色(int /*fromX*/, int /*fromY*/, int /*colour*/, int /*piece*/) {
    描画_将棋盤桝(s, ports_.canvas);
}

void Form1::Form_MouseDown(int button, int /*shift*/, float xTwips, float yTwips) {
    const EventScope event(*this);
    if (closed) return;
    Canvas& c = ports_.canvas;
    // A click of the mouse puts the keyboard's cursor away until the next key.
    if (!pressFromKeyboard_) cursorShown_ = false;
    hintSquares_.clear();
    hidePanel();

    // Between two players' turns a click lifts the curtain for the next one.
    if (curtain_) {
        liftCurtain();
        return;
    }

    // A click after the computer's pieces were shown only puts the screen back up.
    if (s.screenUp == NO) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (isComPiece(s.board[x][y])) {
                    描画_絵(s, c, EMPTY, x, y);
                    描画_桝輪郭(s, c, COLOUR_GREEN, x, y);
                }
        s.screenUp = YES;
        描画_敵持盤(s, c);
        消去_移動結果(s, c, s.roleCOM);
        return;
    }

    // A network game not yet begun takes no click.
    if (net_ != nullptr && !netBegun_) {
        ports_.sound.dsPlay(sndForbidden);
        return;
    }
    if (s.turn == NOBODY) {
        resumeOrRefuse();
        return;
    }
    // A move sent to the server waits for its verdict; none goes out while the line is down.
    if (netWaiting_ || netDown_) {
        ports_.sound.dsPlay(sndForbidden);
        return;
    }

    const int gx = columnAt(xTwips);
    const int gy = rowAt(yTwips);
    if (onBoard(gx, gy)) {
        if (s.selPhase == 0)
            selectOnBoard(gx, gy);
        else
            humanDestination(button, gx, gy);
    } else {
        clickOffBoard(gx, gy);
    }
}

// A click while no side is to move: the record mode asks to step on, a waiting program asks
// for a game, and play interrupted by stepping through the record resumes.
void Form1::resumeOrRefuse() {
    if (s.kifuMode == YES) {
        if (!ports_.dialogs.askYesNo(texts::match::STEP_WITH_AFTER,
                                     texts::match::STEP_WITH_AFTER_TITLE)) {
            ports_.sound.dsPlay(sndForbidden);
            Form_Load();
        }
        return;
    }
    if (s.moveNo == 0) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::START_WITH_GAME_MENU, texts::match::START_TITLE);
        return;
    }
    // A position whose king was taken ends its game; play cannot go on from it.
    if (!bothKingsOnBoard(s)) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::NO_RESUME_WITHOUT_KINGS, texts::match::RESUME_TITLE);
        return;
    }
    ports_.dialogs.message(texts::match::RESUME, texts::match::RESUME_TITLE);
    startHonestPlayer();  // it reads the computer's view from the start again
    s.clockStart = now();
    if (ports_.menu.isChecked(MenuItem::KEIKA)) ports_.timer.setEnabled(true);
    // The next recorded move tells who is to move; past the end of the record it is the
    // other side of the last move made.
    bool comToMove;
    if (s.moveNo < s.moveNoLast && s.moveNo + 1 <= MAX_MOVES)
        comToMove = isComPiece(s.record.recPieceAfter[s.moveNo + 1]);
    else
        comToMove = !isComPiece(s.record.recPieceAfter[s.moveNo]);
    s.turn = comToMove ? s.roleCOM : s.roleMAN;
    const int missesCOM = s.missCountCOM, missesMAN = s.missCountMAN;
    match_.viewsResume();  // the misses of the game come back with them
    if (s.missCountCOM != missesCOM) 描画_ミス回数(s, ports_.canvas, s.roleCOM, COLOUR_WHITE);
    if (s.missCountMAN != missesMAN) 描画_ミス回数(s, ports_.canvas, s.roleMAN, COLOUR_WHITE);
    if (comToMove) {
        if (twoPlayers_)
            passScreen();
        else if (s.gameState == 1)
            com_ban();
    } else {
        setStatus(texts::status::YOUR_TURN);
    }
}

// Only a piece that can be taken up is selected. A click on anything else, a hidden computer
// piece included, is the click on an empty square it looks like: nothing is drawn and the last
// selection stays as it was, so the click tells nothing about what stands behind the screen.
void Form1::selectOnBoard(int gx, int gy) {
    Canvas& c = ports_.canvas;
    const int piece = s.board[gx][gy];
    if (!canTakeUp(piece)) return;
    s.curMove = {gx, gy, 0, 0, piece};
    描画_移動可能桝色(gx, gy, COLOUR_LIGHT_RED, piece);
    s.selPhase = 1;
    描画_桝輪郭(s, c, COLOUR_LIGHT_RED, gx, gy);
}

bool Form1::ownsTurn(int piece) const {
    return (isManPiece(piece) && s.turn == s.roleMAN) || (isComPiece(piece) && s.turn == s.roleCOM);
}

// A piece of the side to move that the player can see: the computer's pieces stay where they
// are while the screen stands, whoever is to move.
bool Form1::canTakeUp(int piece) const {
    return ownsTurn(piece) && !(isComPiece(piece) && s.screenUp == YES);
}

void Form1::humanDestination(int button, int gx, int gy) {
    Canvas& c = ports_.canvas;
    MoveArgs& m = s.curMove;
    m.toX = gx;
    m.toY = gy;
    const int target = s.board[gx][gy];
    // Another of the player's own pieces is taken up instead.
    if (target != EMPTY && canTakeUp(target)) {
        描画_桝輪郭(s, c, COLOUR_GREEN, m.fromX, m.fromY);
        m.fromX = gx;
        m.fromY = gy;
        m.piece = target;
        描画_移動可能桝色(gx, gy, COLOUR_LIGHT_RED, target);
        描画_桝輪郭(s, c, COLOUR_LIGHT_RED, gx, gy);
        return;
    }

    // Only the right button promotes; any other button is taken as the left one, so a piece
    // that could never move again unpromoted is refused rather than left stranded. A computer
    // hand slot is addressed by its row.
    const bool promoteButton = button == RIGHT_BUTTON;
    const int placed = promoteButton && canPromote(m.piece) ? promotedCode(m.piece) : m.piece;
    const int sourceY = m.fromX == COM_HAND_X ? 8 - m.fromY : m.fromY;
    const Move asked = moveFromSource(m.fromX, sourceY, m.toX, m.toY, m.piece, placed);
    // In a network game the board holds this side's pieces alone: a move they allow goes to the
    // server, whose verdict comes back as an event.
    const Verdict v = net_ != nullptr ? match_.checkOnOwnPieces(sideOf(m.piece), asked)
                                      : match_.submit(sideOf(m.piece), asked);
    if (net_ != nullptr && v.accepted()) {
        s.selPhase = 0;
        描画_将棋盤桝(s, c);
        netWaiting_ = true;
        net_->sendMove(v.move);
        return;
    }
    if (v.isMiss()) {
        ミス処理(s.roleMAN, v.missKind, m.fromX, m.fromY, m.toX, m.toY);
        点滅_ミス回数(MISS_BLINKS, s.roleMAN);
        if (v.end == GameEnd::TenthMiss) 終了(winnerName(v, texts::match::WINNER_COM_ON_MISSES));
        return;
    }
    if (v.refusal == Verdict::Refusal::RecordFull) {
        endOnFullRecord();
        return;
    }
    if (!v.accepted()) {
        ports_.sound.dsPlay(sndForbidden);
        if (v.refusal == Verdict::Refusal::MustPromote) {
            refuseMove(gx, gy);
            ports_.dialogs.message(texts::match::PROMOTE_WITH_RIGHT, texts::match::PROMOTE_TITLE);
            return;
        }
        s.selPhase = 0;
        描画_将棋盤桝(s, c);
        refuseMove(gx, gy);
        return;
    }

    ++movesLogged;
    moveEntered();
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
    s.selPhase = 0;
    描画_桝輪郭(s, c, COLOUR_GREEN, m.fromX, m.fromY);
    描画_桝輪郭(s, c, COLOUR_GREEN, m.toX, m.toY);
    描画_移動可能桝色(m.fromX, m.fromY, COLOUR_GREEN, v.move.placed);
    m.fromY = sourceY;
    m.piece = v.move.placed;
    drawMove(m.fromX, m.fromY, m.toX, m.toY, m.piece, v.captured);

    ports_.sound.dsPlay(sndPiece);
    描画_移動結果(s, c, s.roleMAN, m.toX, m.toY, m.piece, COLOUR_WHITE);
    afterEvent();  // the move's mark shows while the computer thinks
    ports_.window.repaint();
    ports_.timer.setEnabled(false);

    if (v.end == GameEnd::Mate || v.end == GameEnd::KingTaken) {
        終了(winnerName(v, texts::match::WINNER_YOU));
    } else if (v.end == GameEnd::MoveLimit) {
        endOnFullRecord();
    } else if (s.turn == s.roleCOM) {
        if (twoPlayers_)
            passScreen();
        else
            com_ban();
    }
}

void Form1::clickOffBoard(int gx, int gy) {
    Canvas& c = ports_.canvas;
    if (s.curMove.piece != EMPTY) {
        描画_移動可能桝色(s.curMove.fromX, s.curMove.fromY, COLOUR_GREEN, s.curMove.piece);
        描画_桝輪郭(s, c, COLOUR_GREEN, s.curMove.fromX, s.curMove.fromY);
    }
    if (gx == MAN_HAND_X && gy >= 3 && gy <= 9 && s.turn == s.roleMAN) {
        if (s.handMAN[gy - 2] == 0) return;
        s.selPhase = 1;
        s.curMove = {MAN_HAND_X, gy, 0, 0, manHandPiece(gy)};
        描画_桝輪郭(s, c, COLOUR_LIGHT_RED, MAN_HAND_X, gy);
        描画_移動可能桝色(MAN_HAND_X, gy, COLOUR_LIGHT_RED, s.curMove.piece);
    } else if (gx == COM_HAND_X && gy >= 1 && gy <= 7 && s.turn == s.roleCOM) {
        // The computer's hand by kind is hidden while the screen stands.
        if (!canTakeUp(comHandPiece(gy)) || s.handCOM[8 - gy] == 0) return;
        s.selPhase = 1;
        s.curMove = {COM_HAND_X, gy, 0, 0, comHandPiece(gy)};
        描画_桝輪郭(s, c, COLOUR_LIGHT_RED, COM_HAND_X, gy);
        描画_移動可能桝色(COM_HAND_X, gy, COLOUR_LIGHT_RED, s.curMove.piece);
    }
}

// ---------------------------------------------------------------------------------------------
// The clock

void Form1::Timer1_Timer() {
    const EventScope event(*this);
    if (closed || !ports_.timer.isEnabled()) return;
    updateElapsed();
    const float whole = std::floor(s.clockElapsed);
    if (whole == s.clockShown) return;
    s.clockShown = whole;
    if (s.turn == s.roleCOM)
        描画_所有時間(s, ports_.canvas, ports_.menu, s.roleCOM, s.timeUsedCOM + s.clockElapsed);
    else if (s.turn == s.roleMAN)
        描画_所有時間(s, ports_.canvas, ports_.menu, s.roleMAN, s.timeUsedMAN + s.clockElapsed);
    ports_.window.repaint();
}

// ---------------------------------------------------------------------------------------------
// Match menu

void Form1::TAIKYOKU_Click() {
    const EventScope event(*this);
    if (closed) return;
    hidePanel();
}

// A game is played only on a position with both kings: one reached by stepping to the end of
// a game won by a king's capture is refused.
bool Form1::refuseGameWithoutKings() {
    if (bothKingsOnBoard(s)) return false;
    ports_.sound.dsPlay(sndForbidden);
    ports_.dialogs.message(texts::match::NO_GAME_WITHOUT_KINGS, texts::match::NO_GAME_TITLE);
    return true;
}

// 先手 or 後手 during a game starts a new one from the starting position, asking first, as 最初
// does, when the moves of a game under way or finished would be lost. Outside a game a game
// may start from a position stepped to in a record, with the side the record says moves next:
// no side ever moves twice in a row.
bool Form1::mayStartGame(Side first) {
    if (s.gameState != 1 && s.moveNo >= 1 && s.moveNo <= MAX_MOVES &&
        sideOf(s.record.recPieceAfter[s.moveNo]) == first) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(
            first == Side::Man ? texts::match::COM_MOVES_HERE : texts::match::MAN_MOVES_HERE,
            texts::match::NO_GAME_TITLE);
        return false;
    }
    if (!mayLoseUnsavedMoves(texts::match::RESET_QUESTION, texts::match::NO_GAME_TITLE))
        return false;
    if (s.gameState == 1) 初期設定();
    finished_.reset();
    return true;
}

void Form1::SENTE_Click() {
    const EventScope event(*this);
    if (closed || refuseGameWithoutKings() || !mayStartGame(Side::Man)) return;
    clearMarkers();
    startHonestPlayer();
    // A game started from a record being read keeps that record's moves known.
    if (s.kifuMode == YES) moveListKnown_ = s.moveNoLast;
    // One started from the starting position is a new record.
    if (s.moveNo == 0) s.comPiecesShown = NO;
    描画_棋譜読込み部分消去(s, ports_.canvas);
    描画_レベル(s, ports_.canvas, s.level);
    setStatus(texts::status::YOUR_TURN);
    ports_.dialogs.message(texts::match::YOUR_TURN, texts::match::YOUR_TURN_TITLE);
    s.selPhase = 0;
    twoPlayers_ = false;
    match_.startGame(Side::Man);
    ports_.timer.setEnabled(true);
}

void Form1::GOTE_Click() {
    const EventScope event(*this);
    if (closed || refuseGameWithoutKings() || !mayStartGame(Side::Com)) return;
    clearMarkers();
    startHonestPlayer();
    // A game started from a record being read keeps that record's moves known.
    if (s.kifuMode == YES) moveListKnown_ = s.moveNoLast;
    // One started from the starting position is a new record.
    if (s.moveNo == 0) s.comPiecesShown = NO;
    描画_棋譜読込み部分消去(s, ports_.canvas);
    描画_レベル(s, ports_.canvas, s.level);
    s.selPhase = 0;
    twoPlayers_ = false;
    match_.startGame(Side::Com);
    ports_.timer.setEnabled(true);
    com_ban();
}

void Form1::TOURYOU_Click() {
    const EventScope event(*this);
    if (closed) return;
    if (net_ != nullptr && s.gameState == 1) {
        if (ports_.dialogs.askYesNo(texts::match::RESIGN_QUESTION, texts::match::RESIGN_TITLE,
                                    DefaultButton::No))
            net_->sendResign();
        return;
    }
    if (s.gameState != 1 || s.turn != s.roleMAN || curtain_) {
        ports_.sound.dsPlay(sndForbidden);
        ports_.dialogs.message(texts::match::RESIGN_ONLY_IN_GAME, texts::match::RESIGN_TITLE);
        return;
    }
    if (!ports_.dialogs.askYesNo(texts::match::RESIGN_QUESTION, texts::match::RESIGN_TITLE,
                                 DefaultButton::No))
        return;
    ports_.timer.setEnabled(false);
    s.selPhase = 0;
    const Verdict v = match_.resign(Side::Man);
    resigned_ = Side::Man;
    setStatus(texts::status::RESIGNED);
    終了(winnerName(v, texts::match::WINNER_COMPUTER));
}

void Form1::OWARI_Click() {
    const EventScope event(*this);
    if (closed) return;
    quitAfterAsking();
}

void Form1::LEVEL1_Click() {
    const EventScope event(*this);
    levelClick(1);
}
void Form1::LEVEL2_Click() {
    const EventScope event(*this);
    levelClick(2);
}
void Form1::LEVEL3_Click() {
    const EventScope event(*this);
    levelClick(3);
}

void Form1::KOUSEI_Click() {
    const EventScope event(*this);
    levelClick(LEVEL_KOUSEI);
}

void Form1::levelClick(int n) {
    if (closed) return;
    for (double gx : {-2.0, -1.0, 0.0}) 描画_絵(s, ports_.canvas, s.background, gx, 0);
    レベル_設定(n);
}

void Form1::レベル_設定(int n) {
    Menu& menu = ports_.menu;
    menu.setChecked(MenuItem::LEVEL1, false);
    menu.setChecked(MenuItem::LEVEL2, false);
    menu.setChecked(MenuItem::LEVEL3, false);
    menu.setChecked(MenuItem::KOUSEI, false);
    if (n >= 1 && n <= LEVEL_KOUSEI) {
        static constexpr MenuItem items[] = {MenuItem::LEVEL1, MenuItem::LEVEL2, MenuItem::LEVEL3,
                                             MenuItem::KOUSEI};
        menu.setChecked(items[n - 1], true);
        s.level = n;
    }
    if (s.gameState == 1) 描画_レベル(s, ports_.canvas, s.level);
}

// ---------------------------------------------------------------------------------------------
// End of game and shutdown

void Form1::終了(const std::string& name) {
    setStatus(texts::status::result(name));
    ports_.dialogs.message(texts::match::winnerIs(name), texts::match::END_TITLE);
    offerAnotherGame();
}

// Shows the computer's pieces and asks for another game: Yes resets, No ends the program as
// 終わり does (asking first while the game's moves are unsaved; kept, it resets as Yes does).
// The finished game stays for stepping through and saving, with its result and misses, until
// another game starts.
void Form1::offerAnotherGame() {
    moveListKnown_ = s.moveNoLast;
    描画_COM駒(s, ports_.canvas);
    描画_敵持盤(s, ports_.canvas);
    ports_.window.repaint();
    if (!ports_.dialogs.askYesNo(texts::match::ANOTHER_GAME, texts::match::ANOTHER_GAME_TITLE) &&
        mayLoseUnsavedMoves(texts::match::QUIT_QUESTION, texts::match::QUIT_TITLE,
                            DefaultButton::No)) {
        終了処理();
        quit();
        return;
    }
    const FinishedGame finished{s.missCountMAN, s.missCountCOM, s.movesUnsaved,
                                std::exchange(resigned_, Side::None)};
    初期設定();
    // Kept only while the reset left the record to step through.
    if (s.moveNoLast > 0) {
        finished_ = finished;
        s.movesUnsaved = finished.movesUnsaved;
    }
}

// The record holds 500 moves; a game that fills it ends there, as no further move could be
// recorded or replayed.
void Form1::endOnFullRecord() {
    ports_.timer.setEnabled(false);
    setStatus(texts::status::RECORD_FULL);
    ports_.dialogs.message(texts::match::RECORD_FULL, texts::match::END_TITLE);
    offerAnotherGame();
}

void Form1::終了処理() {
    if (closed) return;
    releaseSounds();
}

// The window is being closed; answering No to the question keeps it open.
void Form1::Form_Unload() {
    const EventScope event(*this);
    if (closed) return;
    quitAfterAsking();
}

// A game under way, or finished and kept, with moves entered since the last write that could
// still be saved (after stepping forward with 進 if need be): the record panel takes them while the
// board is not turned round and no handicap is set.
bool Form1::hasUnsavedMoves() const {
    return (s.gameState == 1 || finished_) && s.kifuMode == NO && s.movesUnsaved > 0 &&
           s.moveNoLast >= 1 && s.reversed == NO && s.handicapSet == NO;
}

// Asks before unsaved moves are given up; true when there is nothing to lose or the player
// agrees.
bool Form1::mayLoseUnsavedMoves(const std::string& question, const std::string& title,
                                DefaultButton defaultButton) {
    if (net_ != nullptr) {
        if (!ports_.dialogs.askYesNo(texts::net::LEAVE_QUESTION, title, DefaultButton::No))
            return false;
        net_->leave();
        net_ = nullptr;
        netWaiting_ = netDown_ = netBegun_ = false;
        初期設定();
        return true;
    }
    if (!hasUnsavedMoves()) return true;
    return ports_.dialogs.askYesNo(texts::match::unsavedMovesQuestion(question), title,
                                   defaultButton);
}

// Ends the program as 終わり does, asking first while a game has unsaved moves; Enter on the
// question keeps the game.
void Form1::quitAfterAsking() {
    if (!mayLoseUnsavedMoves(texts::match::QUIT_QUESTION, texts::match::QUIT_TITLE,
                             DefaultButton::No))
        return;
    終了処理();
    quit();
}

void Form1::quit() {
    closed = true;
    ports_.window.quit();
}

}  // namespace velk
