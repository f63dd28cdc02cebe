// A game over the network: the window plays one seat of a game that a server referees. The game
// state holds this side's view and nothing more (its own pieces and hand, the other side's hand
// as a total, both miss counts, the clocks, and a record of the other side's moves by their
// destinations only) until the game ends and the server sends the whole record.
#include <utility>

#include "game/hands.h"
#include "game/setup.h"
#include "match/form1.h"
#include "match/net_line.h"
#include "match/pacing.h"
#include "record/replay_step.h"
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {

namespace {

// A piece of the other side whose kind is not known here: the record marks its moves with it,
// and the move list shows them by destination alone while the screen stands.
constexpr int UNKNOWN_COM_PIECE = COM_HU;

// The record of the game as this side saw it.
void recordSeenGame(GameState& s, const SideView& v) {
    Map own = v.startBoard;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (!isManPiece(own[x][y])) own[x][y] = EMPTY;
    MoveRecord& r = s.record;
    int n = 0, missMAN = 0, missCOM = 0;
    for (const SeenEvent& e : v.events) {
        if (e.kind == SeenEvent::Kind::OwnMiss) ++missMAN;
        if (e.kind == SeenEvent::Kind::OtherMiss) ++missCOM;
        if (e.kind != SeenEvent::Kind::OwnMove && e.kind != SeenEvent::Kind::OtherMove) continue;
        if (++n > MAX_MOVES) break;
        if (e.kind == SeenEvent::Kind::OwnMove) {
            const bool drop = e.fromX == MAN_HAND_X;
            const int before = drop ? manHandPiece(e.fromY) : own[e.fromX][e.fromY];
            if (!drop) own[e.fromX][e.fromY] = EMPTY;
            own[e.toX][e.toY] = static_cast<std::int16_t>(e.placed);
            setRecordEntry(r, n, e.fromX, e.fromY, e.toX, e.toY, before, e.placed,
                           e.captured == EMPTY ? EMPTY : -e.captured);
        } else {
            if (e.captured != EMPTY) own[e.toX][e.toY] = EMPTY;
            setRecordEntry(r, n, e.drop ? COM_HAND_X : 0, e.drop ? 1 : 0, e.toX, e.toY,
                           UNKNOWN_COM_PIECE, UNKNOWN_COM_PIECE, e.captured);
        }
        r.recMissMAN[n] = missMAN;
        r.recMissCOM[n] = missCOM;
    }
    s.moveNo = s.moveNoLast = s.moveCount = n;
}

}  // namespace

bool Form1::NET_Prepare() {
    const EventScope event(*this);
    if (closed) return false;
    hidePanel();
    return mayLoseUnsavedMoves(texts::match::RESET_QUESTION, texts::net::TITLE);
}

void Form1::netConnecting(NetLine& line) {
    const EventScope event(*this);
    if (closed) return;
    if (net_ != nullptr && net_ != &line) net_->leave();
    net_ = &line;
    netBegun_ = false;
    netWaiting_ = false;
    netDown_ = false;
    初期設定();
    finished_.reset();
    s.kifuMode = NO;
    s.moveNoLast = 0;
    s.comPiecesShown = NO;
    moveListKnown_ = 0;
    gameName_.clear();
    setStatus(texts::net::CONNECTING);
}

void Form1::netBegin(const NetLine& line, int role, const SideView& view, float timeMAN,
                     float timeCOM, bool opponentConnected) {
    const EventScope event(*this);
    if (closed || net_ != &line) return;
    netBegun_ = true;
    netWaiting_ = false;
    netDown_ = false;
    opponentConnected_ = opponentConnected;
    s.roleMAN = role;
    s.roleCOM = role == SENTE ? GOTE : SENTE;
    s.gameState = 1;
    s.screenUp = YES;
    s.selPhase = 0;
    netView_ = view;
    showNetView(timeMAN, timeCOM);
    画面_再描画(s, ports_.canvas, ports_.menu);
    描画_手数(s, ports_.canvas, s.moveCount, COLOUR_WHITE);
    setStatus(netStatus());
    match_.startClock();
    ports_.timer.setEnabled(ports_.menu.isChecked(MenuItem::KEIKA));
}

void Form1::netEvent(const NetLine& line, const SideView& view, float timeMAN, float timeCOM) {
    const EventScope event(*this);
    if (closed || net_ != &line || !netBegun_ || view.events.size() <= netView_.events.size())
        return;
    netWaiting_ = false;
    hintSquares_.clear();
    netView_ = view;
    const SeenEvent e = view.events.back();
    showNetView(timeMAN, timeCOM);
    // The board, the hands, the counters and the clocks as the view now has them.
    Canvas& c = ports_.canvas;
    画面_再描画(s, c, ports_.menu);
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
    switch (e.kind) {
        case SeenEvent::Kind::OwnMiss:
            ミス処理(s.roleMAN, e.missKind, e.fromX, e.fromY, e.toX, e.toY);
            点滅_ミス回数(MISS_BLINKS, s.roleMAN);
            break;
        case SeenEvent::Kind::OtherMiss:
            comAnnouncements_.clear();
            ミス処理(s.roleCOM, e.missKind, e.drop ? COM_HAND_X : 0, 0, e.toX, e.toY);
            点滅_ミス回数(MISS_BLINKS, s.roleCOM);
            setStatus(texts::status::andThen(comAnnouncements_, netStatus()));
            break;
        case SeenEvent::Kind::OwnMove:
            ++movesLogged;
            描画_桝輪郭(s, c, COLOUR_GREEN, e.fromX, e.fromY);
            描画_桝輪郭(s, c, COLOUR_GREEN, e.toX, e.toY);
            ports_.sound.dsPlay(sndPiece);
            描画_移動結果(s, c, s.roleMAN, e.toX, e.toY, e.placed, COLOUR_WHITE);
            setStatus(netStatus());
            break;
        case SeenEvent::Kind::OtherMove: {
            ++movesLogged;
            ports_.sound.dsPlay(sndPiece);
            描画_移動結果(s, c, s.roleCOM, e.toX, e.toY, EMPTY, COLOUR_WHITE);
            描画_桝輪郭(s, c, COLOUR_WHITE, e.toX, e.toY);
            std::string said;
            if (e.check) said = texts::status::CHECK;
            if (e.drop)
                said = said.empty() ? std::string(texts::net::OPPONENT_DROPPED)
                                    : texts::status::andThen(said, texts::net::OPPONENT_DROPPED);
            setStatus(said.empty() ? netStatus() : texts::status::andThen(said, netStatus()));
            // A mate ends the game: the server's end follows with the whole record.
            if (e.check && !e.mate)
                ports_.dialogs.message(texts::match::CHECK, texts::match::CHECK_TITLE);
            if (e.drop) ports_.dialogs.message(texts::net::OPPONENT_DROPPED, texts::net::TITLE);
            break;
        }
    }
    match_.startClock();
    ports_.timer.setEnabled(ports_.menu.isChecked(MenuItem::KEIKA));
}

void Form1::netRefused(const NetLine& line, const std::string& reason) {
    const EventScope event(*this);
    if (closed || net_ != &line) return;
    netWaiting_ = false;
    ports_.sound.dsPlay(sndForbidden);
    ports_.dialogs.message(texts::net::serverSays(reason), texts::net::TITLE);
}

void Form1::netOpponent(const NetLine& line, bool connected) {
    const EventScope event(*this);
    if (closed || net_ != &line || !netBegun_) return;
    opponentConnected_ = connected;
    setStatus(netStatus());
}

void Form1::netConnection(const NetLine& line, bool up) {
    const EventScope event(*this);
    if (closed || net_ != &line || !netBegun_) return;
    // A move sent on a line that dropped is asked for again once the seat is back.
    if (!up) netWaiting_ = false;
    netDown_ = !up;
    setStatus(netStatus());
}

void Form1::netEnd(const NetLine& line, const MoveRecord& record, int moves, Side winnerSeat,
                   GameEnd end) {
    const EventScope event(*this);
    if (closed || net_ != &line || !netBegun_) return;
    net_ = nullptr;
    netBegun_ = false;
    netWaiting_ = false;
    netDown_ = false;
    ports_.timer.setEnabled(false);
    const bool second = s.roleMAN == GOTE;
    // The whole game from the start, as the first side's seat sees the board, then turned round
    // to this side when it played second.
    初期設定();
    s.roleMAN = SENTE;
    s.roleCOM = GOTE;
    s.record = record;
    int played = 0;
    while (played < moves && played < MAX_MOVES && applyRecordedMove(s, s.record, played + 1))
        ++played;
    s.moveNo = s.moveNoLast = s.moveCount = played;
    if (played > 0) {
        s.timeUsedMAN = record.recTimeMANAfter[played];
        s.timeUsedCOM = record.recTimeCOMAfter[played];
        s.missCountMAN = record.recMissMAN[played];
        s.missCountCOM = record.recMissCOM[played];
    }
    Side winner = winnerSeat;
    if (second) {
        match_.turnRound();
        winner = otherSide(winner);
    }
    s.movesUnsaved = played;
    s.gameState = 0;
    s.turn = NOBODY;
    if (end == GameEnd::Resigned) resigned_ = otherSide(winner);
    画面_再描画(s, ports_.canvas, ports_.menu);
    描画_手数(s, ports_.canvas, s.moveCount, COLOUR_WHITE);
    if (end == GameEnd::Resigned) setStatus(texts::status::RESIGNED);
    終了(winner == Side::Man ? texts::match::WINNER_YOU : texts::net::WINNER_OPPONENT);
}

void Form1::netCannotStart(const std::string& text) {
    const EventScope event(*this);
    if (closed) return;
    ports_.sound.dsPlay(sndForbidden);
    ports_.dialogs.message(text, texts::net::TITLE);
}

void Form1::netWaitingForOpponent(const NetLine& line, const std::string& code) {
    const EventScope event(*this);
    if (closed || net_ != &line) return;
    setStatus(texts::net::waiting(code));
    ports_.dialogs.message(texts::net::waiting(code), texts::net::TITLE);
}

void Form1::netLost(const NetLine& line, const std::string& why) {
    const EventScope event(*this);
    if (closed || net_ != &line) return;
    net_ = nullptr;
    netWaiting_ = false;
    netDown_ = false;
    const bool begun = std::exchange(netBegun_, false);
    ports_.sound.dsPlay(sndForbidden);
    ports_.dialogs.message(texts::net::lost(why), texts::net::TITLE);
    // What this side saw is not a game that could be saved or played on here.
    if (begun) 初期設定();
    setStatus("");
}

void Form1::showNetView(float timeMAN, float timeCOM) {
    const SideView& v = netView_;
    s.board = v.board;
    std::array<int, 8> comHand{};
    comHand[1] = v.otherHandTotal;
    setHands(s, v.ownHand, comHand);
    s.kingXMAN = s.kingYMAN = s.kingXCOM = s.kingYCOM = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (s.board[x][y] == MAN_OU) {
                s.kingXMAN = x;
                s.kingYMAN = y;
            }
    s.missCountMAN = v.ownMisses;
    s.missCountCOM = v.otherMisses;
    s.turn = v.toMove == Side::Man ? s.roleMAN : s.roleCOM;
    s.timeUsedMAN = timeMAN;
    s.timeUsedCOM = timeCOM;
    s.selPhase = 0;
    recordSeenGame(s, v);
    s.movesUnsaved = 0;
}

std::string Form1::netStatus() const {
    if (netDown_) return texts::net::RECONNECTING;
    std::string text =
        s.turn == s.roleMAN ? texts::status::YOUR_TURN : texts::net::OPPONENT_THINKING;
    if (!opponentConnected_) text = texts::status::andThen(text, texts::net::OPPONENT_GONE);
    return text;
}

bool Form1::netRefuses() {
    if (net_ == nullptr) return false;
    ports_.sound.dsPlay(sndForbidden);
    ports_.dialogs.message(texts::net::NOT_DURING, texts::net::TITLE);
    return true;
}

}  // namespace velk
