// A game between two players reduced to its rules, for the honest player's tests and benchmark:
// the referee judges every attempt and fills each side's view, without drawing, boxes or clocks.
#pragma once

#include "com/com_turn.h"
#include "game/setup.h"
#include "honest/honest_player.h"
#include "players/honest_seat.h"
#include "referee/match.h"
#include "view/side_view.h"

namespace velk::testing {

class SeenGame {
    Match match_;

  public:
    enum class Answer { Moved, Missed, Illegal, ManWins, ComWins };

    explicit SeenGame(bool manFirst) : s(match_.state()) {
        loadDefaults(s);
        match_.setJudging(Side::Com, Judging::Player);
        match_.startGame(manFirst ? Side::Man : Side::Com);
    }
    SeenGame(const SeenGame&) = delete;
    SeenGame& operator=(const SeenGame&) = delete;

    GameState& s;
    const SideView& man = match_.view(Side::Man);
    const SideView& com = match_.view(Side::Com);
    int moves = 0;

    // The views begin again from the position as it stands (after a test changed it).
    void restartViews() { match_.viewsBegin(); }

    // One attempt of a side, as the referee judges it.
    Answer attempt(Side side, const HonestMove& h) {
        const Verdict v = match_.submit(side, moveOf(h, match_.view(side)));
        moves += v.accepted() ? 1 : 0;
        if (v.winner == Side::Man) return Answer::ManWins;
        if (v.winner == Side::Com) return Answer::ComWins;
        if (v.isMiss()) return Answer::Missed;
        return v.accepted() ? Answer::Moved : Answer::Illegal;
    }

    // The computer's move as the level-3 scan chooses it on the true board.
    HonestMove comScan() {
        prepareComTurn(s);
        const ComMove m = scanComCandidates(s);
        return {m.found, m.fromX, m.fromY, m.toX, m.toY, m.placed};
    }
};

}  // namespace velk::testing
