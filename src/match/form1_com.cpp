// The computer's turn and the penalty for a miss of either side.
#include <string>

#include "match/form1.h"
#include "match/pacing.h"
#include "referee/miss.h"  // the kinds of miss, for their names
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {

void Form1::ミス処理(int side, int kind, int fromX, int fromY, int toX, int toY) {
    Canvas& c = ports_.canvas;
    ports_.sound.dsPlay(sndForbidden);
    s.selPhase = 0;
    描画_将棋盤桝(s, c);
    描画_桝輪郭(s, c, COLOUR_WHITE, toX, toY);

    // The referee has counted the miss already.
    std::string header;
    if (side == s.roleCOM) {
        header = texts::match::MISS_HEADER_COM;
    } else if (side == s.roleMAN) {
        header = texts::match::MISS_HEADER_MAN;
    }
    std::string detail;
    if (kind == MISS_JUMPED) {
        detail = texts::match::MISS_JUMPED;
    } else if (kind == MISS_DROPPED_ON) {
        detail = texts::match::MISS_DROPPED_ON;
    } else if (kind == MISS_KING_EXPOSED) {
        if (side == s.roleCOM)
            detail = texts::match::MISS_COM_KING_EXPOSED;
        else if (side == s.roleMAN)
            detail = texts::match::MISS_MAN_KING_EXPOSED;
    }
    if (side == s.roleCOM) {
        const std::string miss = texts::status::miss(texts::status::MISS_COM, detail);
        comAnnouncements_ =
            comAnnouncements_.empty() ? miss : texts::status::andThen(comAnnouncements_, miss);
        setStatus(texts::status::andThen(comAnnouncements_, texts::status::COM_THINKING));
    } else if (side == s.roleMAN) {
        setStatus(texts::status::andThen(texts::status::miss(texts::status::MISS_MAN, detail),
                                         texts::status::YOUR_TURN));
    }
    if (!detail.empty())
        ports_.dialogs.message(texts::match::missReport(header, detail), texts::match::FOUL_TITLE);

    if (side == s.roleMAN) 描画_桝輪郭(s, c, COLOUR_GREEN, fromX, fromY);
    描画_桝輪郭(s, c, COLOUR_GREEN, toX, toY);
    描画_ミス回数(s, c, side, COLOUR_WHITE);
}

void Form1::点滅_ミス回数(int times, int side) {
    for (int i = 0; i < times; ++i) {
        描画_ミス回数(s, ports_.canvas, side, COLOUR_LIGHT_RED);
        待ち時間(MISS_BLINK_SECONDS);
        ports_.window.repaint();
        描画_ミス回数(s, ports_.canvas, side, COLOUR_WHITE);
        待ち時間(MISS_BLINK_SECONDS);
        ports_.window.repaint();
    }
}

// The clock port waits on a monotonic clock, so a wait across midnight still ends.
void Form1::待ち時間(double seconds) {
    ports_.clock.wait(seconds);
}

// ---------------------------------------------------------------------------------------------
// The level 公正

void Form1::setHonestSeed(std::uint64_t seed) {
    honestSeed_ = seed;
    gameSeed_ = seed;
    honestCom_.emplace(s, seed, true, clockTick, this);
    honestCom_->setThinkMs(honestThinkMs_);
}

void Form1::setHonestThinkMs(int ms) {
    honestThinkMs_ = ms;
    if (honestCom_) honestCom_->setThinkMs(ms);
}

// A new player for each game: a fixed seed, or the clock's time of day in milliseconds.
void Form1::startHonestPlayer() {
    gameSeed_ =
        honestSeed_ ? *honestSeed_ : static_cast<std::uint64_t>(static_cast<double>(now()) * 1000);
    honestCom_.emplace(s, gameSeed_, true, clockTick, this);
    honestCom_->setThinkMs(honestThinkMs_);
}

Player& Form1::comSeat() {
    if (s.level != LEVEL_KOUSEI) return designCom_;
    if (!honestCom_) startHonestPlayer();
    // A made-up position, which no view could follow, is the test's own doing.
    honestCom_->stopOnFault = checkStateAfterEvents;
    honestCom_->runThinking = [this](const std::function<void()>& work) {
        ports_.clock.think(work, HONEST_THINK_SECONDS);
    };
    return *honestCom_;
}

void Form1::com_ban() {
    if (closed) return;
    Canvas& c = ports_.canvas;
    if (s.moveNo >= MAX_MOVES || s.moveCount >= MAX_MOVES) {
        endOnFullRecord();
        return;
    }

    match_.startClock();
    if (ports_.menu.isChecked(MenuItem::KEIKA)) ports_.timer.setEnabled(true);
    comAnnouncements_.clear();
    setStatus(texts::status::COM_THINKING);

    const bool honest = s.level == LEVEL_KOUSEI;
    match_.setJudging(Side::Com, honest ? Judging::Player : Judging::DesignComputer);
    Player& seat = comSeat();
    seat.turnBegins(viewOf(Side::Com));
    Move m{};
    Verdict v;
    for (;;) {
        for (double gx : {-2.0, -1.0, 0.0}) 描画_絵(s, c, s.background, gx, 8);
        描画_数値(s, c, -1.5, 8.5, texts::draw::THINKING, COLOUR_BLACK, 0, 12);
        描画_数値(s, c, -1.6, 8.4, texts::draw::THINKING, COLOUR_WHITE, 0, 12);

        const std::optional<Move> chosen = seat.choose(viewOf(Side::Com));
        if (!chosen) {
            // Not a single move is open to the computer: it cannot go on, and loses.
            match_.cannotMove(Side::Com);
            ports_.timer.setEnabled(false);
            終了(texts::match::WINNER_YOU);
            return;
        }
        m = *chosen;
        描画_移動結果(s, c, s.roleCOM, m.toX, m.toY, m.placed, COLOUR_WHITE);

        v = match_.submit(Side::Com, m);
        if (!v.isMiss()) break;
        ミス処理(s.roleCOM, v.missKind, m.sourceX(), m.sourceY(), m.toX, m.toY);
        点滅_ミス回数(MISS_BLINKS, s.roleCOM);
        if (v.end == GameEnd::TenthMiss) {
            終了(texts::match::WINNER_MAN_ON_MISSES);
            return;
        }
    }
    if (!v.accepted()) {
        // Only a move the computer's player should never have made comes here.
        ports_.timer.setEnabled(false);
        endOnFullRecord();
        return;
    }

    ++movesLogged;
    moveEntered();
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
    drawMove(m.sourceX(), m.sourceY(), m.toX, m.toY, m.placed, v.captured);
    // The clock stops with the move; the pause only lets the player see it land.
    ports_.timer.setEnabled(false);
    待ち時間(COM_MOVE_PAUSE_SECONDS);
    ports_.sound.dsPlay(sndPiece);

    afterEvent();  // the move's mark shows with the boxes that follow
    ports_.window.repaint();
    if (v.end == GameEnd::KingTaken) {
        終了(texts::match::WINNER_COMPUTER);
        return;
    }
    // The status line keeps the referee's words of the turn: misses, check, a drop.
    std::string said = comAnnouncements_;
    const auto say = [&said](const char* text) {
        said = said.empty() ? std::string(text) : texts::status::andThen(said, text);
    };
    if (v.check) say(texts::status::CHECK);
    if (m.isDrop()) say(texts::status::COM_DROPPED);
    say(texts::status::YOUR_TURN);
    setStatus(said);
    if (v.mate) {
        ports_.dialogs.message(texts::match::COM_SEES_MATE, texts::match::COM_SEES_MATE_TITLE);
    } else if (v.check) {
        ports_.dialogs.message(texts::match::CHECK, texts::match::CHECK_TITLE);
    }
    if (m.isDrop())
        ports_.dialogs.message(texts::match::COM_DROPPED, texts::match::COM_DROPPED_TITLE);

    match_.startClock();
    if (ports_.menu.isChecked(MenuItem::KEIKA)) ports_.timer.setEnabled(true);
    描画_桝輪郭(s, c, COLOUR_WHITE, m.toX, m.toY);

    if (v.end == GameEnd::MoveLimit) endOnFullRecord();
}

}  // namespace velk
