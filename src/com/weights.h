// Every weight of the computer's evaluation, grouped by the term that adds it. Scores are
// integers of tenths (10 is one point); a weight named PER_POINT multiplies a piece code or
// a count of whole points. NAME is the term's name in the trace of `velk-tsuitate-cli com`.
// Signs are part of the weight: a penalty is negative and is added like a bonus.
#pragma once

namespace velk {

using Score = int;  // tenths

namespace weights {

// Results that end the evaluation at once.
namespace outcome {
inline constexpr const char* NAME = "outcome";
inline constexpr Score KING_CAPTURE = 99990;  // 9999: the candidate takes the human king
inline constexpr Score MATE = 99980;          // 9998: the candidate mates
inline constexpr Score LOST = -99980;  // -9998: own king left attacked, or mate by a pawn drop
}  // namespace outcome

// The candidate gives check.
namespace check {
inline constexpr const char* NAME = "check";
inline constexpr Score KING_ONLY_ATTACKER = 1000;  // only the king attacks it, and COM holds it
inline constexpr Score DRAGON_BACKED = 9000;       // next to the king, backed by a dragon
inline constexpr Score UNREACHED = 100;            // from a square the human does not reach
}  // namespace check

// Dropping costs a little: a piece in hand is worth keeping.
namespace drop {
inline constexpr const char* NAME = "drop";
inline constexpr Score COST = -50;
}  // namespace drop

namespace promotion {
inline constexpr const char* NAME = "promotion";
inline constexpr Score BONUS = 100;  // the candidate promotes
}  // namespace promotion

// Danger on an empty square after the candidate.
namespace emptySquares {
inline constexpr const char* NAME = "emptySquares";
inline constexpr Score NEAR_KING_PER_ATTACKER = -5;   // each human attack next to COM's king
inline constexpr Score NEAR_KING_OUTNUMBERED = -100;  // held once there, attacked more
inline constexpr Score NEAR_KING_SILVER_GOLD_IN_HAND = -100;  // the human could drop there
inline constexpr Score UNHELD_CAMP_ATTACKED = -1;             // attacked, unheld, in COM's camp
inline constexpr Score UNHELD_CAMP_LINE_BEHIND = -100;        // ... with a lance or rook behind it
inline constexpr Score PAWN_BREAK = -300;           // a human pawn below pushes into the camp
inline constexpr Score PAWN_BREAK_BACKED = -700;    // ... with a lance or rook behind the pawn
inline constexpr Score LANCE_SKEWER = -1000;        // a lance drop skewers two COM pieces
inline constexpr Score LANCE_SKEWER_PER_CODE = -5;  // ... and half the back piece's value
inline constexpr Score KNIGHT_FORK = -200;          // a knight drop forks two COM pieces
inline constexpr Score CROWDED = -50;            // a silver or gold drop next to two big COM pieces
inline constexpr Score UNHELD_BESIDE_BIG = -10;  // unheld, next to a big COM piece
inline constexpr Score UNHELD_BESIDE_BIG_CAMP = -100;  // ... in COM's camp
inline constexpr Score KNIGHT_HEAD = -50;              // unheld square in front of a home knight
inline constexpr Score UNHELD_CAMP_WITH_HAND = -1;     // unheld in COM's camp, the human holds
inline constexpr Score SILVER_FORK = -200;             // a silver drop forks two loose COM pieces
}  // namespace emptySquares

// Danger to COM's own pieces after the candidate.
namespace comPieces {
inline constexpr const char* NAME = "comPieces";
inline constexpr Score KING_FRONT_ATTACKED = -500;      // the king on its back row, front attacked
inline constexpr Score KING_FRONT_OUTNUMBERED = -2500;  // ... and not held enough
inline constexpr Score KING_FRONT_SILVER_GOLD_IN_HAND = -7000;  // ... and a drop could mate
inline constexpr Score PAWN_BEFORE_ROOK = -50;       // a pawn facing a rook, the human has pawns
inline constexpr Score KING_ONLY_GUARD = -1000;      // attacked, and only the king holds it
inline constexpr Score EXCHANGE_PER_POINT = -10;     // more valuable than its cheapest attacker
inline constexpr Score OUTNUMBERED_PER_POINT = -10;  // attacked more often than held
inline constexpr Score BACKED_FILE_PER_POINT = -10;  // in front of a human line from below
inline constexpr Score HANGING_PER_POINT = -10;      // attacked and not held
inline constexpr Score HANGING_CAMP = -100;          // ... in COM's camp
inline constexpr Score RECAPTURED_PER_POINT = 10;    // ... less what it took there
inline constexpr Score HANGING_CAMP_CHEAP_ATTACKER = -200;  // ... by a pawn or lance, in camp
}  // namespace comPieces

// The human's pieces after the candidate.
namespace manPieces {
inline constexpr const char* NAME = "manPieces";
inline constexpr Score KNIGHT_HEAD = 10;  // a new attack on a knight facing a loose big COM piece
inline constexpr Score NEAR_COM_KING = 150;         // a new attack on a piece near COM's king
inline constexpr Score KNIGHT_LOOSE_LANDING = -10;  // a knight could land on an unheld square
inline constexpr Score LINE_ON_KING_FILE = -10;     // a lance, rook or dragon on COM's king's file
}  // namespace manPieces

// The moved piece attacks loose human pieces (or the king).
namespace fork {
inline constexpr const char* NAME = "fork";
inline constexpr Score ATTACKED = 1;    // each such piece
inline constexpr Score PER_POINT = 10;  // two or more: the cheapest of them
}  // namespace fork

// The candidate comes closer to the human king than its source was.
namespace approach {
inline constexpr const char* NAME = "approach";
inline constexpr Score ACROSS_FILES = 10;  // the larger distance is across the files
inline constexpr Score ALONG_FILE = 1;     // the larger distance is along the file
}  // namespace approach

// The cheapest attacker of the destination is pinned to the human king and leaves its line.
namespace pinnedAttacker {
inline constexpr const char* NAME = "pinnedAttacker";
inline constexpr Score PER_POINT = 10;  // the attacker's value
}  // namespace pinnedAttacker

// Safety of the destination.
namespace safety {
inline constexpr const char* NAME = "safety";
inline constexpr Score BISHOP_LINE_PER_POINT = -10;  // on the line of a bishop aimed at the king
inline constexpr Score ESCAPE_TAKEN = 10;            // each escape square taken from the human king
inline constexpr Score ROOK_PIN_PER_POINT = -10;     // next to COM's king, facing a human rook
inline constexpr Score EXCHANGE_PER_POINT = -10;     // worth more than its cheapest attacker
inline constexpr Score KING_ONLY_ATTACKER_PER_POINT = 10;  // only the checked king attacks it
inline constexpr Score HANGING_DROP_PER_POINT = -10;       // dropped where it hangs ...
inline constexpr Score HANGING_DROP_EXTRA_POINTS = 50;     // ... plus this many points
}  // namespace safety

// A piece other than a lance, rook or dragon steps onto an edge file in front of a human lance.
namespace edgeLance {
inline constexpr const char* NAME = "edgeLance";
inline constexpr Score IN_FRONT = -1;
}  // namespace edgeLance

// Material won.
namespace material {
inline constexpr const char* NAME = "material";
inline constexpr Score PER_POINT = 10;        // the captured piece's value
inline constexpr Score PROMOTED_MINOR = 500;  // a tokin, promoted lance or knight, taken safely
}  // namespace material

// Terms of a pawn.
namespace pawn {
inline constexpr const char* NAME = "pawn";
inline constexpr Score LANCE_AIM_PER_POINT = 10;      // a lance drop would then hit a piece
inline constexpr Score KNIGHT_AIM_PER_POINT = 10;     // a knight drop would then fork
inline constexpr Score GOLD_AHEAD = 5;                // a COM gold in front
inline constexpr Score ROOK_AHEAD = -10;              // a COM rook in front
inline constexpr Score TRAPPED_AHEAD_PER_POINT = 10;  // attacks a human piece with no safe move
inline constexpr Score BESIDE_ROOK = -10;             // next to a COM rook
// Dropped in front of a held silver or bigger; the human holds a pawn or lance
inline constexpr Score DROP_BELOW_GUARD = 60;
inline constexpr Score DROP_BISHOP_BLOCK = 300;  // dropped in front of the human's home bishop
inline constexpr Score DROP_LINE_BLOCK = 1200;   // dropped into a lance's or rook's line
inline constexpr Score STEP = -1;                // any pawn step
inline constexpr Score SILVER_GOLD_GUARD = 6;    // held by a silver or gold
inline constexpr Score LANCE_GUARD = 10;         // held by a lance
inline constexpr Score ROOK_BEHIND = 20;         // the rook stands behind the pawn
// The square ahead unreached, a human knight or bigger two ahead
inline constexpr Score OPEN_AHEAD = 10;
inline constexpr Score FACING_PAWN = -50;      // faces a defended human pawn
inline constexpr Score BESIDE_BISHOP = 5;      // next to a COM bishop
inline constexpr Score BISHOP_HITS_PAWN = 50;  // ... which then aims at a human pawn
inline constexpr Score OPENING_PUSH = 100;     // the pawn push opening the bishop
// Took, but a lance attacks it and the bishop stands two behind
inline constexpr Score RECAPTURE_UNDER_LANCE = -50;
inline constexpr Score RECAPTURE = 50;               // took, and COM holds the source once
inline constexpr Score TOOK_PAWN_BEFORE_LINE = 500;  // took a pawn before a lance or rook
inline constexpr Score AHEAD_OUTNUMBERED = 10;       // a human piece ahead, COM holds more
inline constexpr Score AHEAD_PAWN = -50;             // a human pawn ahead, not outnumbered
inline constexpr Score AHEAD_WAS_HELD = -10;         // ahead was held and unreached at turn start
inline constexpr Score AHEAD_EVEN = 50;              // held at least as often as attacked
inline constexpr Score AHEAD_UNREACHED = 10;         // nobody reaches the square
}  // namespace pawn

// Terms of a tokin.
namespace tokin {
inline constexpr const char* NAME = "tokin";
inline constexpr Score HELD = 10;  // held at least as often as attacked
}  // namespace tokin

// Terms of a lance.
namespace lance {
inline constexpr const char* NAME = "lance";
inline constexpr Score KNIGHT_AIM_PER_POINT = 10;  // a knight drop would then fork
inline constexpr Score DROP_PAWN_BLOCK = -100;     // a human pawn drop could block it
inline constexpr Score SKEWER_PER_POINT = 10;      // dropped to skewer: the back piece's value
inline constexpr Score STEP_NO_CAPTURE = -9;       // moves without taking
}  // namespace lance

// Terms of a knight.
namespace knight {
inline constexpr const char* NAME = "knight";
inline constexpr Score STEP = -1;                     // any knight move
inline constexpr Score HEAD_ATTACKED = -10;           // the square in front is attacked
inline constexpr Score BOTH_LANDINGS_ATTACKED = -10;  // both next landings are attacked
inline constexpr Score BLOCKS_BISHOP = -50;           // jumps to 7-3 with the bishop on 8-4
}  // namespace knight

// Terms of a silver.
namespace silver {
inline constexpr const char* NAME = "silver";
inline constexpr Score STRAIGHT_FORWARD = -1;  // steps straight forward
inline constexpr Score BEFORE_KNIGHT = -5;     // stands in front of a COM knight
inline constexpr Score OPENING_SETUP = 1150;   // to 7-3 while the pawns face each other on file 8
}  // namespace silver

// Terms of a gold.
namespace gold {
inline constexpr const char* NAME = "gold";
inline constexpr Score DIAGONAL_FORWARD = -5;      // steps diagonally forward
inline constexpr Score BISHOP_EXPOSED = -50;       // to row 4 while the bishop on 6-4 is attacked
inline constexpr Score OPENING_GUARD = 100;        // guards against the rook's pawn push
inline constexpr Score BISHOP_DROP_GUARD = 20;     // holds a loose piece a bishop drop could hit
inline constexpr Score BISHOP_DROP_SHIELD = 1250;  // ... and the bishop behind it
}  // namespace gold

// Terms of a bishop.
namespace bishop {
inline constexpr const char* NAME = "bishop";
inline constexpr Score CROWD_PER_NEIGHBOUR = 10;  // times minus the big COM neighbours
inline constexpr Score EDGE_TRAP = -100;          // the edge square a lance could trap
inline constexpr Score OPENING_AIM = 90;          // aims at the pawn the human rook backs
inline constexpr Score TRAPPED = -1000;           // attacked in front and no safe square
inline constexpr Score FACING_PAWN = -10;         // ... with a human pawn two ahead
inline constexpr Score EDGE_RETREAT = 100;        // leaves the edge square a lance could trap
inline constexpr Score OPENING_WEAKENS = -100;    // leaves the square before that pawn less held
}  // namespace bishop

// Terms of a horse.
namespace horse {
inline constexpr const char* NAME = "horse";
inline constexpr Score CROWD_PER_NEIGHBOUR = 10;  // times minus the big COM neighbours
}  // namespace horse

// Terms of a rook.
namespace rook {
inline constexpr const char* NAME = "rook";
inline constexpr Score CROWD_PER_NEIGHBOUR = 10;  // times minus the big COM neighbours
inline constexpr Score DROP_BEHIND_SILVER_GOLD =
    -10;                                     // dropped on the back row under a silver and gold
inline constexpr Score OPENING_SWING = 70;   // swings before the human bishop's pawn
inline constexpr Score HEAD_ATTACKED = -10;  // the square in front is attacked
inline constexpr Score SIDEWAYS_BEFORE_PAWN = -50;  // ... moves sideways to a human pawn
inline constexpr Score LEAVES_PAWN_GUARD = -110;  // holds the square before a rook-backed pawn less
inline constexpr Score LEAVES_PAWN_SIDE = -110;   // ... or leaves its rank with a pawn on file 7
inline constexpr Score OPENING_STEP = -10;        // the rook steps from 2-2 to 2-3
inline constexpr Score TRAPPED = -350;            // safe, but at most one safe square
inline constexpr Score BESIDE_KING = 1000;        // safe on the human king's file or rank
}  // namespace rook

// Terms of a dragon.
namespace dragon {
inline constexpr const char* NAME = "dragon";
inline constexpr Score CROWD_PER_NEIGHBOUR = 10;  // times minus the big COM neighbours
inline constexpr Score SILVER_GOLD_NET = -100;    // walks into a silver and gold net
inline constexpr Score LEAVES_SILVER_GOLD = 20;   // leaves the back row by a silver and gold
inline constexpr Score BACK_ROW_TRAP = -1500;     // a back-row square a gold could trap
inline constexpr Score BESIDE_KING = 1000;        // safe on the human king's file or rank
}  // namespace dragon

// Terms of the king.
namespace king {
inline constexpr const char* NAME = "king";
inline constexpr Score PINNED_PIECE = 100;  // a COM piece is pinned to the king
inline constexpr Score MORE_HELD = 10;      // the square is held more than at turn start
inline constexpr Score CORNERED = -200;     // fewer than two safe squares
}  // namespace king

}  // namespace weights
}  // namespace velk
