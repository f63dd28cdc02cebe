#include "referee/match.h"

#include "board/promotion.h"
#include "game/mate.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/survey.h"
#include "referee/miss.h"

namespace velk {

namespace {

// Seconds from start to now, both seconds since midnight; one wrap past midnight is allowed.
float secondsSince(float start, float now) {
    if (start <= now) return now - start;
    return now + 86400.0f - start;
}

}  // namespace

bool Match::recordFull() const {
    return s_.moveNo >= MAX_MOVES || s_.moveCount >= MAX_MOVES;
}

void Match::startGame(Side first) {
    s_.roleMAN = first == Side::Man ? SENTE : GOTE;
    s_.roleCOM = first == Side::Man ? GOTE : SENTE;
    s_.turn = SENTE;
    s_.gameState = 1;
    s_.kifuMode = NO;
    startClock();
    viewsBegin();
}

Verdict Match::cannotMove(Side side) {
    Verdict v;
    v.end = GameEnd::NoMove;
    v.winner = otherSide(side);
    return v;
}

Verdict Match::resign(Side side) {
    return concede(side, GameEnd::Resigned);
}

Verdict Match::abandon(Side side) {
    return concede(side, GameEnd::Abandoned);
}

// The game ends for the side without a move on the board: nobody is to move any more.
Verdict Match::concede(Side side, GameEnd end) {
    Verdict v;
    if (side != Side::Man && side != Side::Com) return v;
    v.end = end;
    v.winner = otherSide(side);
    s_.winner = v.winner == Side::Man ? s_.roleMAN : s_.roleCOM;
    s_.turn = NOBODY;
    viewsPresent(Side::None);
    return v;
}

void Match::startClock() {
    if (timeOfDay_) s_.clockStart = timeOfDay_();
}

void Match::updateElapsed() {
    if (timeOfDay_) s_.clockElapsed = secondsSince(s_.clockStart, timeOfDay_());
}

void Match::setJudging(Side side, Judging judging) {
    (side == Side::Com ? judgingCOM_ : judgingMAN_) = judging;
}

Side Match::sideOfRole(int role) const {
    if (role == NOBODY) return Side::None;
    if (role == s_.roleMAN) return Side::Man;
    if (role == s_.roleCOM) return Side::Com;
    return Side::None;
}

Side Match::sideToMove() const {
    return sideOfRole(s_.turn);
}

bool Match::record(int fromX, int fromY, int toX, int toY, int pieceBefore, int pieceAfter,
                   float timeMANBefore, float timeMANAfter, float timeCOMBefore,
                   float timeCOMAfter) {
    GameState& s = s_;
    if (s.moveNo >= MAX_MOVES) return false;
    s.moveNo += 1;
    const int n = s.moveNo;
    MoveRecord& r = s.record;
    setRecordEntry(r, n, fromX, fromY, toX, toY, pieceBefore, pieceAfter,
                   onBoard(toX, toY) ? s.board[toX][toY] : EMPTY);
    r.recTimeMANBefore[n] = timeMANBefore;
    r.recTimeMANAfter[n] = timeMANAfter;
    r.recTimeCOMBefore[n] = timeCOMBefore;
    r.recTimeCOMAfter[n] = timeCOMAfter;
    r.recMissCOM[n] = s.missCountCOM;
    r.recMissMAN[n] = s.missCountMAN;
    s.moveNoLast = s.moveNo;
    ++s.movesUnsaved;
    return true;
}

Verdict Match::judgeMiss(Side side, const Move& move, int kind) {
    GameState& s = s_;
    Verdict v;
    v.kind = Verdict::Kind::Miss;
    v.missKind = kind;
    v.move = move;
    int& count = side == Side::Com ? s.missCountCOM : s.missCountMAN;
    count += 1;
    viewsSeeMiss(side, move, kind);
    if (count > 9) {
        v.end = GameEnd::TenthMiss;
        v.winner = otherSide(side);
    }
    return v;
}

Verdict Match::submit(Side side, const Move& asked) {
    GameState& s = s_;
    Verdict v;
    // A promotion the rules do not allow there is not made: the piece lands as it is.
    Move move = asked;
    if (move.promotes() && (judging(side) == Judging::Player) &&
        !mayPromote(move.sourceX(), move.sourceY(), move.toY, move.piece))
        move.placed = move.piece;
    v.move = move;
    if (side == Side::None || sideToMove() != side || move.mover() != side) {
        v.refusal = Verdict::Refusal::NotYourTurn;
        return v;
    }
    const int fromX = move.sourceX(), fromY = move.sourceY();
    const int toX = move.toX, toY = move.toY;

    if (judging(side) == Judging::DesignComputer) {
        // The design's computer fouls on purpose; its moves are judged by the code they land as.
        if (const int kind = 調査_ミス(s, fromX, fromY, toX, toY, move.placed); kind != NO)
            return judgeMiss(side, move, kind);
        if (recordFull()) {
            v.refusal = Verdict::Refusal::RecordFull;
            v.end = GameEnd::MoveLimit;
            return v;
        }
        play(side, v);
        return v;
    }

    if (!onBoard(toX, toY)) {
        v.refusal = Verdict::Refusal::Illegal;
        return v;
    }
    if (move.isDrop()) 調査_2歩フラグ設定(s);
    // Only a move the mover's own side of the screen allows can be a miss; any other is refused
    // by the move check, as plainly whatever stands behind the screen.
    const int target = s.board[toX][toY];
    if ((target == EMPTY || sideOf(target) != side) &&
        allowedOnOwnView(s, fromX, fromY, toX, toY, move.piece)) {
        if (const int kind = 調査_ミス(s, fromX, fromY, toX, toY, move.piece); kind != NO)
            return judgeMiss(side, move, kind);
    }
    if (refuseOnBoard(v)) return v;
    play(side, v);
    return v;
}

// The move check and the promotion rule on the board as it stands, then the record's room.
bool Match::refuseOnBoard(Verdict& v) {
    const Move& move = v.move;
    if (移動チェック(s_, move.sourceX(), move.sourceY(), move.toX, move.toY, move.piece) == NO) {
        v.refusal = Verdict::Refusal::Illegal;
        return true;
    }
    if (移動後チェック(move.toY, move.piece) == NO && !move.promotes()) {
        v.refusal = Verdict::Refusal::MustPromote;
        return true;
    }
    if (recordFull()) {
        v.refusal = Verdict::Refusal::RecordFull;
        v.end = GameEnd::MoveLimit;
        return true;
    }
    return false;
}

Verdict Match::checkOnOwnPieces(Side side, const Move& asked) {
    Verdict v;
    v.move = asked;
    if (v.move.promotes() && !mayPromote(asked.sourceX(), asked.sourceY(), asked.toY, asked.piece))
        v.move.placed = v.move.piece;
    if (side == Side::None || sideToMove() != side || asked.mover() != side) {
        v.refusal = Verdict::Refusal::NotYourTurn;
        return v;
    }
    if (!onBoard(asked.toX, asked.toY)) {
        v.refusal = Verdict::Refusal::Illegal;
        return v;
    }
    if (asked.isDrop()) 調査_2歩フラグ設定(s_);
    if (!refuseOnBoard(v)) v.kind = Verdict::Kind::Accepted;
    return v;
}

// Records and plays an accepted move, then tells both sides what the referee says of it.
void Match::play(Side side, Verdict& v) {
    GameState& s = s_;
    v.kind = Verdict::Kind::Accepted;
    const Move& m = v.move;
    const int fromX = m.sourceX(), fromY = m.sourceY();
    const int toX = m.toX, toY = m.toY;
    const bool design = judging(side) == Judging::DesignComputer;

    // The turn's time is taken from the clock now.
    updateElapsed();
    const float elapsed = s.clockElapsed;
    const bool man = side == Side::Man;
    record(fromX, fromY, toX, toY, m.piece, m.placed, s.timeUsedMAN,
           s.timeUsedMAN + (man ? elapsed : 0), s.timeUsedCOM, s.timeUsedCOM + (man ? 0 : elapsed));
    s.moveCount += 1;

    int placed = m.placed;
    if (!design) {
        // The promotion chosen is played when the rules allow it.
        placed = m.piece;
        if (調査_駒成(s, fromX, fromY, toX, toY, m.piece) == YES && m.promotes())
            placed = s.promotedPiece;
        s.record.recPieceAfter[s.moveNo] = placed;
    }
    v.move.placed = static_cast<std::int16_t>(placed);

    const int captured = s.board[toX][toY];
    v.captured = captured;
    駒移動(s, fromX, fromY, toX, toY, placed);
    (man ? s.timeUsedMAN : s.timeUsedCOM) += elapsed;
    // The mate test's drops read the files that hold a pawn: as they stand after the move.
    調査_2歩フラグ設定(s);
    勢力調査(s);

    // What the other side is told: where the piece went, what it took, and whether its king is
    // now attacked or mated (read before the mate test, which leaves the maps of its trials).
    if (side == Side::Man) {
        const bool kingTaken = captured == COM_OU || captured == MAN_OU;
        const int kx = s.kingXCOM, ky = s.kingYCOM;
        v.check = !kingTaken && onBoard(kx, ky) && s.maps.manInfluence[kx][ky] > 0;
        v.mate = 詰めかCOM(s) == YES;
        viewsSeeMove(side, m, placed, captured, v.check, v.mate);
        if (v.mate || captured == COM_OU) {
            v.end = v.mate ? GameEnd::Mate : GameEnd::KingTaken;
            v.winner = Side::Man;
            return;
        }
        if (s.winner != NOBODY) return;
        // The human's move that fills the record ends the game with the turn unpassed.
        if (recordFull()) {
            v.end = GameEnd::MoveLimit;
            return;
        }
    } else {
        // The computer's mate is its announcement: play goes on until a king is taken, unless
        // either side's mate ends the game.
        v.mate = 詰めかMAN(s) == YES;
        v.check =
            v.mate || (s.winner != s.roleCOM && s.maps.comInfluence[s.kingXMAN][s.kingYMAN] > 0);
        viewsSeeMove(side, m, placed, captured, v.check, v.mate);
        if (!v.mate && s.winner == s.roleCOM) {
            v.end = GameEnd::KingTaken;
            v.winner = Side::Com;
            return;
        }
        if (v.mate && eitherMateEnds_) {
            v.end = GameEnd::Mate;
            v.winner = Side::Com;
            return;
        }
    }
    s.turn = man ? s.roleCOM : s.roleMAN;
    if (recordFull()) v.end = GameEnd::MoveLimit;
}

}  // namespace velk
