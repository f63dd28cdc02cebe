// 二人対局: two people at one screen. The referee turns the whole game round after each move, so
// the side to move always plays from the bottom with its own pieces in view, as the human does
// against the computer; a curtain covers the board between the turns.
#include "match/form1.h"
#include "texts/texts.h"
#include "ui/draw.h"

namespace velk {

void Form1::FUTARI_Click() {
    const EventScope event(*this);
    if (closed || refuseGameWithoutKings() || !mayStartGame(Side::Man)) return;
    clearMarkers();
    otherMarkers_.clear();
    if (s.kifuMode == YES) moveListKnown_ = s.moveNoLast;
    if (s.moveNo == 0) s.comPiecesShown = NO;
    描画_棋譜読込み部分消去(s, ports_.canvas);
    twoPlayers_ = true;
    curtain_ = false;
    s.selPhase = 0;
    match_.setJudging(Side::Com, Judging::Player);
    match_.startGame(Side::Man);
    setStatus(texts::status::YOUR_TURN);
    ports_.dialogs.message(texts::match::YOUR_TURN, texts::match::YOUR_TURN_TITLE);
    ports_.timer.setEnabled(true);
}

// The move is made: the game turns round for the other player, and the curtain comes down with
// its line; nothing of the board, the hands or the last move shows until the next click.
void Form1::passScreen() {
    ports_.timer.setEnabled(false);
    match_.turnRound();
    std::swap(markers_, otherMarkers_);
    ports_.canvas.setMarkers({});
    hintSquares_.clear();
    curtain_ = true;
    Canvas& c = ports_.canvas;
    c.beginFullRedraw();
    for (int gx = -3; gx <= 20; ++gx)
        for (int gy = -2; gy <= 15; ++gy) 描画_絵(s, c, s.background, gx, gy);
    描画_絵(s, c, PICTURE_TITLE, 11.2, 0);
    setStatus(s.roleMAN == SENTE ? texts::status::SENTE_AT_SCREEN : texts::status::GOTE_AT_SCREEN);
}

// The next player is at the screen: its side of the board, the other side's last destination,
// and what the referee said of that move.
void Form1::liftCurtain() {
    curtain_ = false;
    Canvas& c = ports_.canvas;
    画面_再描画(s, c, ports_.menu);
    描画_手数(s, c, s.moveCount, COLOUR_WHITE);
    ports_.canvas.setMarkers(markers_);
    const SideView& view = viewOf(Side::Man);
    std::string said;
    const auto say = [&said](const char* text) {
        said = said.empty() ? std::string(text) : texts::status::andThen(said, text);
    };
    // The mover's mate ends the game, so the side at the screen is never mated here.
    bool check = false;
    if (!view.events.empty() && view.events.back().kind == SeenEvent::Kind::OtherMove) {
        const SeenEvent& last = view.events.back();
        描画_移動結果(s, c, s.roleCOM, last.toX, last.toY, EMPTY, COLOUR_WHITE);
        描画_桝輪郭(s, c, COLOUR_WHITE, last.toX, last.toY);
        check = last.check;
    }
    if (check) say(texts::status::CHECK);
    say(texts::status::YOUR_TURN);
    setStatus(said);
    if (check) ports_.dialogs.message(texts::match::CHECK, texts::match::CHECK_TITLE);
    match_.startClock();
    if (ports_.menu.isChecked(MenuItem::KEIKA)) ports_.timer.setEnabled(true);
}

bool Form1::curtainRefuses() {
    if (!curtain_) return false;
    ports_.sound.dsPlay(sndForbidden);
    return true;
}

const char* Form1::winnerName(const Verdict& v, const char* soloName) const {
    if (!twoPlayers_) return soloName;
    const int role = v.winner == Side::Man ? s.roleMAN : s.roleCOM;
    return role == SENTE ? texts::match::WINNER_SENTE : texts::match::WINNER_GOTE;
}

}  // namespace velk
