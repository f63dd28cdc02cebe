// The referee through its one way in: moves submitted by players that know only their own view,
// and what the verdict, the record and both views say afterwards.
#include "referee/match.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

#include "../support/board_text.h"
#include "game/board_view.h"
#include "game/invariants.h"
#include "game/move_exec.h"
#include "game/move_list.h"
#include "game/survey.h"
#include "referee/miss.h"
#include "view/player.h"

namespace velk {
namespace {

// A player that reads its view alone: a random move among those its own side of the board
// allows (promotion chosen at random where it may), now and then a move that makes no sense.
class RandomViewPlayer : public Player {
  public:
    explicit RandomViewPlayer(unsigned seed) : rng_(seed) {}

    std::optional<Move> choose(const SideView& v) override {
        const bool man = v.side == Side::Man;
        GameState own{};
        own.board = v.board;
        (man ? own.handMAN : own.handCOM) = v.ownHand;
        調査_2歩フラグ設定(own);
        std::vector<Move> moves;
        forEachAllowedMove(own, man, [&](int fx, int fy, int tx, int ty, int piece) {
            moves.push_back(moveFromSource(fx, fy, tx, ty, piece, piece));
            return true;
        });
        if (moves.empty()) return std::nullopt;
        if (rng_() % 8 == 0) {
            // Any piece of its own anywhere, promoted or not: mostly refused.
            Move m = moves[rng_() % moves.size()];
            m.toX = static_cast<std::int8_t>(1 + rng_() % 9);
            m.toY = static_cast<std::int8_t>(1 + rng_() % 9);
            if (rng_() % 2 == 0 && canPromote(m.piece))
                m.placed = static_cast<std::int16_t>(promotedCode(m.piece));
            return m;
        }
        Move m = moves[rng_() % moves.size()];
        if (canPromote(m.piece) && rng_() % 2 == 0)
            m.placed = static_cast<std::int16_t>(promotedCode(m.piece));
        return m;
    }

  private:
    std::mt19937 rng_;
};

struct Before {
    Map board;
    Hand handMAN, handCOM;
    int moveNo, missMAN, missCOM;
    std::size_t eventsMAN, eventsCOM;
};

Before before(const Match& match) {
    const GameState& s = match.state();
    return {s.board,
            s.handMAN,
            s.handCOM,
            s.moveNo,
            s.missCountMAN,
            s.missCountCOM,
            match.view(Side::Man).events.size(),
            match.view(Side::Com).events.size()};
}

// Everything a verdict promises, checked against the record, the board and both views.
// A made-up position (madeUp) has no full set of pieces for the state check.
void checkVerdict(const Match& match, Side side, const Move& asked, const Verdict& v,
                  const Before& b, bool madeUp = false) {
    const GameState& s = match.state();
    const Side other = otherSide(side);
    const SideView& mine = match.view(side);
    const SideView& theirs = match.view(other);
    if (!madeUp) {
        ASSERT_EQ(checkGameState(s), "");
    }
    for (const Side sd : {Side::Man, Side::Com})
        ASSERT_EQ(match.view(sd).board, sideView(s.board, sd)) << "a view shows a hidden piece";

    if (v.kind == Verdict::Kind::Refused) {
        EXPECT_EQ(s.board, b.board);
        EXPECT_EQ(s.moveNo, b.moveNo);
        EXPECT_EQ(s.missCountMAN + s.missCountCOM, b.missMAN + b.missCOM);
        EXPECT_EQ(mine.events.size() + theirs.events.size(), b.eventsMAN + b.eventsCOM);
        EXPECT_EQ(match.sideToMove(), side) << "a refusal passes no turn";
        return;
    }
    ASSERT_EQ(mine.events.size(), (side == Side::Man ? b.eventsMAN : b.eventsCOM) + 1);
    ASSERT_EQ(theirs.events.size(), (side == Side::Man ? b.eventsCOM : b.eventsMAN) + 1);
    const SeenEvent& own = mine.events.back();
    const SeenEvent& seen = theirs.events.back();
    // The other side learns where it landed and whether it was a drop, nothing of its source.
    EXPECT_EQ(seen.fromX + seen.fromY + seen.placed, 0);
    EXPECT_EQ(std::pair(seen.toX, seen.toY), std::pair(int{asked.toX}, int{asked.toY}));
    EXPECT_EQ(seen.drop, asked.isDrop());
    EXPECT_EQ(std::pair(own.fromX, own.fromY), std::pair(asked.sourceX(), asked.sourceY()));

    if (v.isMiss()) {
        EXPECT_EQ(own.kind, SeenEvent::Kind::OwnMiss);
        EXPECT_EQ(seen.kind, SeenEvent::Kind::OtherMiss);
        EXPECT_EQ(seen.missKind, v.missKind);
        EXPECT_EQ(s.board, b.board) << "a miss moves nothing";
        EXPECT_EQ(s.moveNo, b.moveNo);
        const int misses = side == Side::Man ? s.missCountMAN : s.missCountCOM;
        EXPECT_EQ(misses, (side == Side::Man ? b.missMAN : b.missCOM) + 1);
        EXPECT_EQ(v.end == GameEnd::TenthMiss, misses == 10);
        if (v.end == GameEnd::TenthMiss) {
            EXPECT_EQ(v.winner, other);
        }
        EXPECT_EQ(mine.ownMisses, misses);
        EXPECT_EQ(theirs.otherMisses, misses);
        return;
    }

    ASSERT_TRUE(v.accepted());
    EXPECT_EQ(own.kind, SeenEvent::Kind::OwnMove);
    EXPECT_EQ(seen.kind, SeenEvent::Kind::OtherMove);
    EXPECT_EQ(own.placed, v.move.placed);
    EXPECT_EQ(seen.check, v.check);
    EXPECT_EQ(v.captured, b.board[asked.toX][asked.toY]);
    EXPECT_EQ(s.board[asked.toX][asked.toY], v.move.placed);
    if (!asked.isDrop()) {
        EXPECT_EQ(s.board[asked.fromX][asked.fromY], EMPTY);
    }
    // The record's new entry is the move as played.
    ASSERT_EQ(s.moveNo, b.moveNo + 1);
    const MoveRecord& r = s.record;
    const int n = s.moveNo;
    EXPECT_EQ(Move(moveFromSource(r.recFromX[n], r.recFromY[n], r.recToX[n], r.recToY[n],
                                  r.recPieceBefore[n], r.recPieceAfter[n])),
              Move(v.move));
    EXPECT_EQ(r.recCaptured[n], v.captured);
    const bool kingTaken = v.captured == MAN_OU || v.captured == COM_OU;
    EXPECT_EQ(v.end == GameEnd::KingTaken, kingTaken);
    if (v.end == GameEnd::None) {
        EXPECT_EQ(match.sideToMove(), other);
    }
}

// Half a turn round swaps the sides of everything; turned round twice the game is as it was.
void expectTurningRoundTwiceChangesNothing(Match& match) {
    const GameState& s = match.state();
    const GameState kept = s;
    const SideView man = match.view(Side::Man), com = match.view(Side::Com);
    match.turnRound();
    EXPECT_EQ(checkGameState(s), "");
    EXPECT_EQ(match.view(Side::Man).board, sideView(s.board, Side::Man));
    EXPECT_EQ(match.view(Side::Man).events.size(), com.events.size());
    EXPECT_EQ(s.missCountMAN, kept.missCountCOM);
    match.turnRound();
    EXPECT_EQ(s.board, kept.board);
    EXPECT_EQ(s.handMAN, kept.handMAN);
    EXPECT_EQ(std::pair(s.roleMAN, s.turn), std::pair(kept.roleMAN, kept.turn));
    EXPECT_EQ(s.record.recFromY, kept.record.recFromY);
    EXPECT_EQ(s.record.recPieceAfter, kept.record.recPieceAfter);
    EXPECT_EQ(s.record.recTimeMANAfter, kept.record.recTimeMANAfter);
    for (const auto& [now, before] :
         {std::pair{&match.view(Side::Man), &man}, std::pair{&match.view(Side::Com), &com}}) {
        EXPECT_EQ(now->startBoard, before->startBoard);
        ASSERT_EQ(now->events.size(), before->events.size());
        for (std::size_t i = 0; i < now->events.size(); ++i) {
            const SeenEvent &a = now->events[i], &b = before->events[i];
            EXPECT_EQ(std::tuple(a.fromX, a.fromY, a.toX, a.toY, a.placed, a.captured),
                      std::tuple(b.fromX, b.fromY, b.toX, b.toY, b.placed, b.captured));
        }
    }
}

TEST(Match, EveryVerdictOfRandomGamesAgreesWithTheRecordTheBoardAndBothViews) {
    int ended = 0;
    for (unsigned game = 1; game <= 48; ++game) {
        Match match;
        loadDefaults(match.state());
        match.setJudging(Side::Com, Judging::Player);
        match.startGame(game % 2 == 1 ? Side::Man : Side::Com);
        RandomViewPlayer man(game), com(game + 1000);
        Verdict v;
        for (int tries = 0; v.end == GameEnd::None && tries < 4000; ++tries) {
            const Side side = match.sideToMove();
            Player& p = side == Side::Man ? static_cast<Player&>(man) : com;
            const std::optional<Move> m = p.choose(match.view(side));
            if (!m) break;
            const Before b = before(match);
            v = match.submit(side, *m);
            checkVerdict(match, side, *m, v, b);
            if (::testing::Test::HasFatalFailure()) return;
            if (tries % 16 == 0) expectTurningRoundTwiceChangesNothing(match);
        }
        ended += v.end != GameEnd::None ? 1 : 0;
    }
    EXPECT_GT(ended, 0) << "random games end by a king's capture, a mate or the tenth miss";
}

// What a ruling's side does: submits its move, resigns, or is found to have left the game.
enum class Act : std::uint8_t { Submit, Resign, Abandon };

// Rulings on set positions: (board, hands, side to move, move, what the referee says).
struct Ruling {
    const char* what;
    const char* board;
    const char* hands;
    Side side;
    Move move;
    Verdict::Kind kind;
    Verdict::Refusal refusal;
    int placed;  // the code that lands (accepted)
    GameEnd end;
    Act act = Act::Submit;
    bool eitherMateEnds = false;  // the match's setting for two players
    Side winner = Side::None;
};

TEST(Match, RulesOnSetPositions) {
    const Ruling rulings[] = {
        {"the other side's turn", "4k4/9/9/9/9/9/4P4/9/4K4", "-", Side::Com,
         boardMove(5, 7, 5, 6, MAN_HU, MAN_HU), Verdict::Kind::Refused,
         Verdict::Refusal::NotYourTurn, 0, GameEnd::None},
        {"a pawn onto the last row must promote", "4k4/P8/9/9/9/9/9/9/4K4", "-", Side::Man,
         boardMove(1, 2, 1, 1, MAN_HU, MAN_HU), Verdict::Kind::Refused,
         Verdict::Refusal::MustPromote, 0, GameEnd::None},
        {"a promotion asked outside the zone is not made", "4k4/9/9/9/9/9/4P4/9/4K4", "-",
         Side::Man, boardMove(5, 7, 5, 6, MAN_HU, MAN_TO), Verdict::Kind::Accepted,
         Verdict::Refusal::None, MAN_HU, GameEnd::None},
        {"a promotion in the zone is made", "4k4/9/4P4/9/9/9/9/9/4K4", "-", Side::Man,
         boardMove(5, 3, 5, 2, MAN_HU, MAN_TO), Verdict::Kind::Accepted, Verdict::Refusal::None,
         MAN_TO, GameEnd::None},
        {"a drop onto a hidden piece is a miss", "4k4/9/9/9/4p4/9/9/9/4K4", "G", Side::Man,
         dropMove(Side::Man, 5, 5, 5), Verdict::Kind::Miss, Verdict::Refusal::None, 0,
         GameEnd::None},
        {"a drop onto one's own piece is refused plainly", "4k4/9/9/9/4P4/9/9/9/4K4", "G",
         Side::Man, dropMove(Side::Man, 5, 5, 5), Verdict::Kind::Refused, Verdict::Refusal::Illegal,
         0, GameEnd::None},
        {"taking the king ends the game", "4k4/4R4/9/9/9/9/9/9/4K4", "-", Side::Man,
         boardMove(5, 2, 5, 1, MAN_SYA, MAN_SYA), Verdict::Kind::Accepted, Verdict::Refusal::None,
         MAN_SYA, GameEnd::KingTaken},
        {"the human side's mate ends the game", "4k4/9/4G4/9/9/9/9/9/4K4", "G", Side::Man,
         dropMove(Side::Man, 5, 5, 2), Verdict::Kind::Accepted, Verdict::Refusal::None, MAN_KIN,
         GameEnd::Mate},
        {"the computer's mate is announced, and the game goes on", "4k4/9/9/9/9/9/4g4/9/4K4", "g",
         Side::Com, dropMove(Side::Com, 5, 5, 8), Verdict::Kind::Accepted, Verdict::Refusal::None,
         COM_KIN, GameEnd::None},
        {"between two players the computer side's mate ends the game", "4k4/9/9/9/9/9/4g4/9/4K4",
         "g", Side::Com, dropMove(Side::Com, 5, 5, 8), Verdict::Kind::Accepted,
         Verdict::Refusal::None, COM_KIN, GameEnd::Mate, Act::Submit, true, Side::Com},
        {"between two players the human side's mate still ends it", "4k4/9/4G4/9/9/9/9/9/4K4", "G",
         Side::Man, dropMove(Side::Man, 5, 5, 2), Verdict::Kind::Accepted, Verdict::Refusal::None,
         MAN_KIN, GameEnd::Mate, Act::Submit, true, Side::Man},
        {"a side to move resigns", "4k4/9/9/9/9/9/4P4/9/4K4", "-", Side::Man,
         boardMove(5, 7, 5, 6, MAN_HU, MAN_HU), Verdict::Kind::Refused, Verdict::Refusal::None, 0,
         GameEnd::Resigned, Act::Resign, false, Side::Com},
        {"a side resigns out of turn", "4k4/9/9/9/9/9/4P4/9/4K4", "-", Side::Com,
         boardMove(5, 7, 5, 6, MAN_HU, MAN_HU), Verdict::Kind::Refused, Verdict::Refusal::None, 0,
         GameEnd::Resigned, Act::Resign, false, Side::Man},
        {"a side that left loses the game", "4k4/9/9/9/9/9/4P4/9/4K4", "-", Side::Man,
         boardMove(5, 7, 5, 6, MAN_HU, MAN_HU), Verdict::Kind::Refused, Verdict::Refusal::None, 0,
         GameEnd::Abandoned, Act::Abandon, false, Side::Com},
    };
    for (const Ruling& r : rulings) {
        SCOPED_TRACE(r.what);
        Match match;
        GameState& s = match.state();
        s = testkit::position(r.board, r.hands);
        勢力調査(s);
        match.setJudging(Side::Com, Judging::Player);
        match.setEitherMateEnds(r.eitherMateEnds);
        match.startGame(Side::Man);
        if (r.side == Side::Com && r.act == Act::Submit) s.turn = s.roleCOM;
        const Before b = before(match);
        const Verdict v = r.act == Act::Resign    ? match.resign(r.side)
                          : r.act == Act::Abandon ? match.abandon(r.side)
                                                  : match.submit(r.side, r.move);
        EXPECT_EQ(v.kind, r.kind);
        EXPECT_EQ(v.refusal, r.refusal);
        EXPECT_EQ(v.end, r.end);
        if (r.winner != Side::None) {
            EXPECT_EQ(v.winner, r.winner);
        }
        if (v.accepted()) {
            EXPECT_EQ(v.move.placed, r.placed);
        }
        if (r.act != Act::Submit) {
            // The game is over: the board stands and neither side may move.
            EXPECT_EQ(s.board, b.board);
            EXPECT_EQ(s.moveNo, b.moveNo);
            EXPECT_EQ(match.sideToMove(), Side::None);
            EXPECT_EQ(match.submit(Side::Man, r.move).refusal, Verdict::Refusal::NotYourTurn);
            continue;
        }
        if (r.refusal != Verdict::Refusal::NotYourTurn)
            checkVerdict(match, r.side, r.move, v, b, true);
        if (r.side == Side::Com && v.accepted()) {
            EXPECT_TRUE(v.mate && v.check);
        }
    }
}

}  // namespace
}  // namespace velk
