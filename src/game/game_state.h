// Every variable the game keeps, in one plain object.
#pragma once

#include <array>
#include <cstdint>

#include "board/map.h"
#include "board/piece.h"
#include "game/background.h"

namespace velk {

inline constexpr int MAX_MOVES = 500;

// The level after LEVEL1..3: the computer plays from its own side of the screen alone and never
// fouls on purpose.
inline constexpr int LEVEL_KOUSEI = 4;

// The move being built: source, destination and the moving piece.
struct MoveArgs {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int piece = 0;
};

// Thirteen parallel arrays indexed 1..500 by move number (index 0 unused).
struct MoveRecord {
    std::array<int, MAX_MOVES + 1> recFromX{};
    std::array<int, MAX_MOVES + 1> recFromY{};
    std::array<int, MAX_MOVES + 1> recToX{};
    std::array<int, MAX_MOVES + 1> recToY{};
    std::array<int, MAX_MOVES + 1> recCaptured{};
    std::array<int, MAX_MOVES + 1> recPieceBefore{};
    std::array<int, MAX_MOVES + 1> recPieceAfter{};
    std::array<int, MAX_MOVES + 1> recMissCOM{};
    std::array<int, MAX_MOVES + 1> recMissMAN{};
    std::array<float, MAX_MOVES + 1> recTimeMANBefore{};
    std::array<float, MAX_MOVES + 1> recTimeMANAfter{};
    std::array<float, MAX_MOVES + 1> recTimeCOMBefore{};
    std::array<float, MAX_MOVES + 1> recTimeCOMAfter{};
};

// Writes entry n of the record: the move and its pieces, its times and miss counts aside.
inline void setRecordEntry(MoveRecord& r, int n, int fromX, int fromY, int toX, int toY, int before,
                           int after, int captured) {
    r.recFromX[n] = fromX;
    r.recFromY[n] = fromY;
    r.recToX[n] = toX;
    r.recToY[n] = toY;
    r.recPieceBefore[n] = before;
    r.recPieceAfter[n] = after;
    r.recCaptured[n] = captured;
}

// The influence maps written by the survey.
struct InfluenceMaps {
    Map manInfluence{};
    Map comInfluence{};
    Map manGuardCode{};
    Map comGuardCode{};
    Map comGuardX{};  // not reset by a survey
    Map comGuardY{};  // not reset by a survey
    Map manAttackCode{};
    Map manAttackX{};
    Map manAttackY{};
    Map comAttackCode{};
    Map comAttackX{};  // not reset by a survey
    Map comAttackY{};  // not reset by a survey
    Map comKingCheck{};
    Map manKingCheck{};
};

// What the computer fixes at the start of its turn for the evaluation.
struct ComTurnState {
    Map boardAtTurnStart{};
    Map manKingEscapes{};
    int manKingEscapeCount = 0;
    int handTotalCOMAtTurnStart = 0;
    Map manInfluenceAtTurnStart{};
    Map comInfluenceAtTurnStart{};
    Map comAttackXAtTurnStart{};
    Map comAttackYAtTurnStart{};
    int trialPiece = 0;
    int sourceToManKing = 0;
    Map pinnedMAN{};
    int comPiecePinned = NO;
    Map manBishopThreat{};
    Map foulTried{};
    int bestScore = 0;  // tenths
};

struct GameState {
    // Board and hands.
    Map board{};
    std::array<int, 8> handMAN{};
    std::array<int, 8> handCOM{};
    int handTotalMAN = 0;
    int handTotalCOM = 0;
    TwoPawnFlags twoPawnMAN{};
    TwoPawnFlags twoPawnCOM{};

    // Sides and the course of a game.
    int roleMAN = GOTE;
    int roleCOM = SENTE;
    int turn = NOBODY;
    int gameState = NOBODY;
    int winner = NOBODY;
    int kingXMAN = 0, kingYMAN = 0;
    int kingXCOM = 0, kingYCOM = 0;
    int screenUp = YES;
    // 1..3, or LEVEL_KOUSEI.
    int level = 1;
    int handicapSet = NO;
    int handicapLevel = 0;
    int missCountMAN = 0;
    int missCountCOM = 0;
    int moveNo = 0;
    int moveNoLast = 0;
    // Moves entered since the record was last written to a file or the game was reset; the
    // program asks before a quit or a restart would lose them.
    int movesUnsaved = 0;
    // YES once 一時表示 has shown the computer's pieces while a side was to move in the game on
    // record; the KIF and the move list say so.
    int comPiecesShown = NO;
    int moveCount = 0;
    int kifuMode = NO;
    int reversed = NO;
    int selPhase = 0;
    MoveArgs curMove{};
    int promotedPiece = 0;

    // Clock, in single-precision seconds since midnight.
    float clockStart = 0;
    float clockElapsed = 0;
    float clockShown = 0;
    float timeUsedMAN = 0;
    float timeUsedCOM = 0;

    // Preferences kept by the window object.
    int background = BACKGROUND_MIDORI;

    MoveRecord record{};
    InfluenceMaps maps{};
    ComTurnState comTurn{};
};

}  // namespace velk
