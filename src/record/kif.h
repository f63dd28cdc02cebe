// KIF, the text record most shogi programs and board viewers read and write: writing the move
// record as KIF and reading a KIF game from the ordinary starting position into the record.
//
// Orientation: KIF puts 先手 at the bottom. When the human moved first, the human is 先手 and the
// squares keep their numbers (file 10 - x, rank y). When the computer moved first, it is 先手
// and every square is turned round (file x, rank 10 - y). A "#ついたて将棋：COMが先手" line
// says so, so that the record reads back with the computer at the top; a KIF without it is read
// with the human as 先手.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/game_state.h"
#include "record/record_file.h"

namespace velk {

// How the game on record ended, for the closing line.
enum class KifEnding {
    Interrupted,   // still in progress or stopped: 中断
    KingCaptured,  // the last move took a king: the loser is to move, 投了
    Mate,          // the last move mated: 詰み
    TenthMissMAN,  // the human's tenth miss: 反則負け of the human
    TenthMissCOM,  // the computer's tenth miss: 反則負け of the computer
    MoveLimit,     // the record is full at 500 moves: 中断
    Resigned,      // the side to move gave the game up: 投了
};

struct KifInfo {
    std::string startTime;  // "YYYY/MM/DD hh:mm:ss", empty when not known
    KifEnding ending = KifEnding::Interrupted;
    // 一時表示 showed the computer's pieces during the game: a comment before the first move
    // says so.
    bool comPiecesShown = false;
};

// What the record alone tells: a king taken by the last move, a full record, else 中断.
KifEnding kifEndingOf(const MoveRecord& record, int count);

// The destination of entry n as KIF writes it: "７六", or "同　" on the previous entry's
// destination. manFirst keeps the squares' numbers (file 10 - x, rank y); otherwise they are
// turned round, as for a computer that moved first.
std::string kifDestination(const MoveRecord& record, int n, bool manFirst);

// The move text of entry n as KIF writes it: destination, piece, 打 or 成, and the source square
// in brackets when withSource.
std::string kifMoveText(const MoveRecord& record, int n, bool manFirst, bool withSource);

struct KifEncodeResult {
    bool ok = false;
    std::string text;   // UTF-8 with CRLF line ends
    std::string error;  // why the record cannot be written, for a message box
};

// The KIF of entries 1..count under the .棋譜 header (title, the computer's name at the top,
// the human's at the bottom). Refuses entries that could not stand in a record file, moves that
// do not follow from the starting position and sides that do not take turns.
KifEncodeResult encodeKif(const RecordHeader& header, const MoveRecord& record, int count,
                          const KifInfo& info);

enum class KifEncoding { Utf8, Cp932 };

// The bytes of a file: UTF-8 with the encoding line first, or CP932; nullopt when CP932 cannot
// hold a character of the text.
std::optional<std::string> kifFileBytes(std::string_view text, KifEncoding encoding);

// Largest KIF file read; comments and variations can make a 500-move game large.
inline constexpr std::size_t KIF_MAX_FILE_BYTES = 1024 * 1024;

// Reads a KIF file (UTF-8 with or without BOM, or CP932; CRLF or LF) of a game from the
// ordinary starting position. Comments and variations are skipped; handicap games and other
// starting positions are refused. Every move is checked against the board as it stands, as the
// referee would have judged it; moves after the closing line and a closing line with the wrong
// number are refused, a bad line named by its number. Line ends other than LF and CRLF are
// refused for the whole file. The result fits loadRecordIntoGame.
RecordParseResult decodeKif(std::string_view bytes);

}  // namespace velk
