// The game-record file ("*.棋譜"): three header lines, then one fixed-column line per move,
// in CP932 with CRLF line ends.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_state.h"

namespace velk {

// The three header lines, as UTF-8 text.
struct RecordHeader {
    std::string title;         // line 1: the game's title
    std::string topPlayer;     // line 2: the player at the top, the computer's side
    std::string bottomPlayer;  // line 3: the player at the bottom, the human's side
};

// The header from the panel's texts: the computer's name is 後手's when the human moves first.
RecordHeader makeRecordHeader(std::string title, std::string sente, std::string gote, int roleMAN);

inline constexpr std::size_t RECORD_MOVE_LINE_LENGTH = 37;
// Longest header line accepted, in CP932 bytes.
inline constexpr std::size_t RECORD_MAX_HEADER_BYTES = 256;
// Largest time a 5-column field holds; longer times are written as this.
inline constexpr int RECORD_MAX_SECONDS = 99999;
// Largest record file read: three full headers and 500 move lines with CRLF, with room to spare.
inline constexpr std::size_t RECORD_MAX_FILE_BYTES = 64 * 1024;

// Whole seconds as written to the file: rounded down, capped to 0..99999.
int recordSeconds(float seconds);

// The 37 characters of move line n (no line end). Entry n must be valid (see below).
std::string formatMoveLine(const MoveRecord& record, int n);

// Empty when entry n can stand in a record file on its own (coordinates, piece codes,
// promotion, capture and drop); otherwise why not. Times are capped when written.
std::string checkRecordEntry(const MoveRecord& record, int n);

// 0 when entries 1..count, played from the starting position, always find the moving piece on
// its square or in its hand and the captured piece on the destination; otherwise the number of
// the first entry that does not, with the reason in reason.
int checkRecordFollowsStart(const MoveRecord& record, int count, std::string& reason);

// Empty when entry n, played on g (the position before it, where its pieces stand as
// checkRecordFollows asks), is a move the referee would have taken in a game: both kings are
// still on the board, the move check and the promotion rule allow it, and a board move does not
// leave the mover's own king attacked. Otherwise why not. g keeps its board and hands; its maps,
// two-pawn flags and kings' squares are the check's to change.
std::string refereeRefusal(GameState& g, const MoveRecord& record, int n);

// The pieces a record is played on: the board and both hands.
struct RecordPosition {
    Map board{};
    std::array<int, 8> handMAN{};
    std::array<int, 8> handCOM{};
};

RecordPosition positionOf(const GameState& s);

// The same test for entries first..last played from the position given: 0 when each finds its
// moving piece and its captured piece where the entry says, otherwise the number of the first
// entry that does not, with the reason in reason. Entries with squares off the board or codes
// that are no pieces never fit.
int checkRecordFollows(const RecordPosition& from, const MoveRecord& record, int first, int last,
                       std::string& reason);

struct RecordEncodeResult {
    bool ok = false;
    std::string bytes;  // the whole file, CP932 with CRLF
    std::string error;  // why the record cannot be written, for a message box
};

// The file for entries 1..moveCount. Refuses a header that CP932 cannot hold, one with control
// characters or longer than RECORD_MAX_HEADER_BYTES, and entries that could not stand in a file
// or do not follow from the starting position.
RecordEncodeResult encodeRecordFile(const RecordHeader& header, const MoveRecord& record,
                                    int moveCount);

struct RecordParseResult {
    bool ok = false;
    std::string error;  // names the offending line
    RecordHeader header;
    MoveRecord moves;  // entries 1..count; the miss counters, not stored in files, are 0
    int count = 0;
    // The record says 一時表示 showed the computer's pieces (KIF only).
    bool comPiecesShown = false;
};

// Reads and checks a whole file. Accepts CRLF and LF line ends and blank lines at the very end.
// Refuses files over RECORD_MAX_FILE_BYTES and, naming the line: missing header lines, header lines
// that are not CP932 text, move lines that are not exactly 37 columns of right-aligned numbers, any
// field out of range, moves that do not follow from the starting position or that the referee
// would not have taken (refereeRefusal), and more than 500 move lines.
RecordParseResult decodeRecordFile(std::string_view bytes);

// Splits a file into lines at LF, dropping one CR before each LF (the record file and KIF alike).
// A last line without a line end counts; the empty remainder after a final line end does not.
std::vector<std::string_view> splitLines(std::string_view bytes);

// Puts a checked record into the game for stepping with 進: the entries, moveNo and moveCount 0,
// moveNoLast the number of entries, kifuMode YES, and whether the computer's pieces were shown.
void loadRecordIntoGame(GameState& s, const RecordParseResult& record);

}  // namespace velk
