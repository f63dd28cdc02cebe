// The referee of one game: it owns the position, the record, the clocks, the miss counts and
// both sides' views, and judges every move a side submits. It does not know who plays a side:
// the window, the computer and any other player reach the game only through submit and the
// views.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "board/move.h"
#include "game/game_state.h"
#include "view/side_view.h"

namespace velk {

// How a game ended.
enum class GameEnd : std::uint8_t {
    None,
    KingTaken,  // a king was captured
    Mate,       // a side mated the other's king (by default only the human's side's mate ends)
    TenthMiss,  // the mover's tenth miss
    MoveLimit,  // the record is full
    NoMove,     // the side to move had no move at all
    Resigned,   // a side resigned
    Abandoned,  // a side left the game and the other claimed it
};

// What the referee said of a submitted move.
struct Verdict {
    enum class Kind : std::uint8_t {
        Accepted,  // played
        Miss,      // legal on the mover's view, illegal on the true board: counted, not played
        Refused,   // not a move at all (the mover's own view forbids it): nothing changed
    };
    enum class Refusal : std::uint8_t {
        None,
        NotYourTurn,
        Illegal,      // the move check refuses it
        MustPromote,  // the piece could never move again unpromoted
        RecordFull,   // no move may be recorded: the game ends at the move limit
    };
    Kind kind = Kind::Refused;
    Refusal refusal = Refusal::None;
    // A miss: MISS_JUMPED, MISS_DROPPED_ON or MISS_KING_EXPOSED.
    int missKind = 0;
    // The move as judged; when accepted, placed is the code that now stands on the destination.
    Move move{};
    // What stood on the destination before an accepted move.
    int captured = EMPTY;
    // After an accepted move: the other side's king is attacked; the referee sees it mated.
    bool check = false;
    bool mate = false;
    GameEnd end = GameEnd::None;
    Side winner = Side::None;

    bool accepted() const { return kind == Kind::Accepted; }
    bool isMiss() const { return kind == Kind::Miss; }
};

// How a side's moves are judged.
enum class Judging : std::uint8_t {
    // A move the mover's own view forbids is refused plainly; one it allows is judged a miss or
    // checked on the true board.
    Player,
    // The design's computer: every move it makes is legal on the true board unless it fouls on
    // purpose, and a foul is judged by the code it lands as, whatever its own view says.
    DesignComputer,
};

class Match {
  public:
    Match() = default;
    Match(const Match&) = delete;
    Match& operator=(const Match&) = delete;

    // The game's state, for the presenter's drawing routines and the design's computer, which
    // reads the true board as it always has.
    GameState& state() { return s_; }
    const GameState& state() const { return s_; }

    // The time of day (seconds since midnight) the match's clocks read.
    void setClock(std::function<float()> timeOfDay) { timeOfDay_ = std::move(timeOfDay); }
    // The side to move starts thinking now.
    void startClock();
    // clockElapsed from the start of the turn to the clock's present reading.
    void updateElapsed();

    void setJudging(Side side, Judging judging);

    // Whether Side::Com's mate ends the game as Side::Man's does. Off by default: against the
    // window's computer its mate is announced and play goes on until a king is taken. Two
    // players each of whom may mate the other turn it on.
    void setEitherMateEnds(bool on) { eitherMateEnds_ = on; }

    // The one way a move enters the game. Judges it, and when it is played records it, moves
    // the piece, surveys the board, tells both views, and passes the turn unless the game ended.
    Verdict submit(Side side, const Move& move);

    // A game starts on the position as it stands, with the given side moving first (SENTE).
    void startGame(Side first);

    // The referee's answer to a move where the board holds only the mover's own pieces (a
    // game refereed elsewhere, seen from one side): refused and why, or allowed (kind Accepted,
    // the move as it would be played) with nothing played, recorded or told.
    Verdict checkOnOwnPieces(Side side, const Move& move);

    // The side to move has not a single move: it loses.
    Verdict cannotMove(Side side);

    // The side resigns, or is declared to have abandoned the game: the other side wins and no
    // further move is taken.
    Verdict resign(Side side);
    Verdict abandon(Side side);

    // No further move can be recorded.
    bool recordFull() const;

    // Writes entry moveNo + 1 of the record as it stands before the move is made; a move beyond
    // the record's last entry is not recorded. False when nothing was written.
    bool record(int fromX, int fromY, int toX, int toY, int pieceBefore, int pieceAfter,
                float timeMANBefore, float timeMANAfter, float timeCOMBefore, float timeCOMAfter);

    // --- The two sides' views ---
    // The view of Side::Man or Side::Com; any other side gets an empty view. A view has side
    // None while no game is under way.
    const SideView& view(Side side) const;
    // Views begin from the true position when a game starts.
    void viewsBegin();
    // Clears the views, and any put aside: the game they belong to is over.
    void viewsClear();
    // The game's views put aside while its record is stepped through.
    void viewsPause();
    // Play resumes at the record's present move: the sides' views as they were at that move,
    // or begun afresh from a position played before they began; the miss counts of the game.
    void viewsResume();

    // Half a turn round, for two people sharing one screen: every piece, hand, role, miss count,
    // clock, record entry and view changes sides, so that the side to move now plays from the
    // bottom of the board as the human's side always does. Twice is no change.
    void turnRound();

    // The side to move, from the roles; None while no side is.
    Side sideToMove() const;
    // The side that holds the given role (SENTE or GOTE).
    Side sideOfRole(int role) const;

  private:
    GameState s_{};
    std::function<float()> timeOfDay_;
    Judging judgingMAN_ = Judging::Player;
    Judging judgingCOM_ = Judging::DesignComputer;
    bool eitherMateEnds_ = false;

    Judging judging(Side side) const { return side == Side::Com ? judgingCOM_ : judgingMAN_; }
    Verdict judgeMiss(Side side, const Move& move, int kind);
    bool refuseOnBoard(Verdict& v);
    Verdict concede(Side side, GameEnd end);
    void play(Side side, Verdict& v);

    // The views (match_views.cpp). They begin from the true position when a game starts, see
    // each move and miss of the game as it is judged, and are put aside while the game is
    // stepped through: play resumed at a move goes on from the views the sides had at that
    // move, and with every miss made in the game still counted.
    SideView viewMAN_;
    SideView viewCOM_;
    SideView& viewRef(Side side) { return side == Side::Com ? viewCOM_ : viewMAN_; }
    int viewsBeganAt_ = 0;
    struct PausedViews {
        SideView man;
        SideView com;
        int beganAt = 0;
    };
    std::optional<PausedViews> pausedViews_;
    int resumedMoves_ = -1;
    std::optional<std::size_t> resumedCut_;
    void viewsSeeMove(Side mover, const Move& m, int placed, int captured, bool check, bool mate);
    void viewsSeeMiss(Side mover, const Move& m, int kind);
    void viewsPresent(Side toMove);
};

}  // namespace velk
