#include "record/record_file.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "board/promotion.h"
#include "game/hands.h"
#include "game/invariants.h"
#include "game/mate.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/setup.h"
#include "record/replay_step.h"
#include "record/sjis.h"
#include "texts/texts.h"

namespace velk {

namespace {

constexpr int HEADER_LINES = 3;
constexpr const auto& HEADER_NAMES = texts::record_file::HEADER_NAMES;
static_assert(std::size(HEADER_NAMES) == HEADER_LINES);

// Column layout of a move line: widths of the eleven fields in file order.
constexpr int FIELD_COUNT = 11;
constexpr int FIELD_WIDTHS[FIELD_COUNT] = {2, 1, 1, 1, 4, 4, 4, 5, 5, 5, 5};

bool isDrop(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// The unpromoted piece a drop takes from its hand slot, EMPTY when the slot does not exist.
int dropPiece(int fromX, int fromY) {
    if (fromX == MAN_HAND_X) return manHandPiece(fromY);
    if (fromX == COM_HAND_X && fromY >= 1 && fromY <= 7) return COM_HAND_CODES[fromY];
    return EMPTY;
}

bool hasControlBytes(std::string_view bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return true;
    }
    return false;
}

// A right-aligned decimal field: blanks, an optional minus sign, at least one digit, nothing
// after. The widest field has 5 columns, so the value always fits an int.
bool parseField(std::string_view field, int& value) {
    std::size_t i = 0;
    while (i < field.size() && field[i] == ' ') ++i;
    bool negative = false;
    if (i < field.size() && field[i] == '-') {
        negative = true;
        ++i;
    }
    if (i == field.size()) return false;
    int v = 0;
    for (; i < field.size(); ++i) {
        if (field[i] < '0' || field[i] > '9') return false;
        v = v * 10 + (field[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

// A carriage return that does not start a CRLF pair, other than one at the very end (a file cut
// short in its last line end).
bool hasLoneCarriageReturn(std::string_view bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == '\r' && bytes[i + 1] != '\n') return true;
    }
    return false;
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = next;
    }
    return lines;
}

RecordHeader makeRecordHeader(std::string title, std::string sente, std::string gote, int roleMAN) {
    RecordHeader h;
    h.title = std::move(title);
    if (roleMAN == SENTE) {
        h.topPlayer = std::move(gote);
        h.bottomPlayer = std::move(sente);
    } else {
        h.topPlayer = std::move(sente);
        h.bottomPlayer = std::move(gote);
    }
    return h;
}

int recordSeconds(float seconds) {
    if (!(seconds > 0)) return 0;  // also NaN
    if (seconds >= static_cast<float>(RECORD_MAX_SECONDS)) return RECORD_MAX_SECONDS;
    return static_cast<int>(std::floor(seconds));
}

std::string formatMoveLine(const MoveRecord& r, int n) {
    char buf[64];
    const int len = std::snprintf(
        buf, sizeof buf, "%2d%1d%1d%1d%4d%4d%4d%5d%5d%5d%5d", r.recFromX[n], r.recFromY[n],
        r.recToX[n], r.recToY[n], r.recPieceAfter[n], r.recPieceBefore[n], r.recCaptured[n],
        recordSeconds(r.recTimeMANBefore[n]), recordSeconds(r.recTimeMANAfter[n]),
        recordSeconds(r.recTimeCOMBefore[n]), recordSeconds(r.recTimeCOMAfter[n]));
    return std::string(buf, len > 0 ? static_cast<std::size_t>(len) : 0);
}

std::string checkRecordEntry(const MoveRecord& r, int n) {
    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int before = r.recPieceBefore[n], after = r.recPieceAfter[n];
    const int captured = r.recCaptured[n];

    if (!onBoard(r.recToX[n], r.recToY[n])) return texts::record_file::TO_OFF_BOARD;
    if (isDrop(fromX)) {
        if (dropPiece(fromX, fromY) == EMPTY) return texts::record_file::NO_HAND_SLOT;
    } else if (!onBoard(fromX, fromY)) {
        return texts::record_file::FROM_OFF_BOARD;
    } else if (fromX == r.recToX[n] && fromY == r.recToY[n]) {
        return texts::record_file::TO_IS_FROM;
    }
    if (!isValidPiece(before) || !isValidPiece(after)) return texts::record_file::BAD_PIECE_CODE;
    if (sideOf(before) != sideOf(after)) return texts::record_file::SIDES_DISAGREE;
    if (isDrop(fromX)) {
        // A drop puts the unpromoted piece of its own hand slot on an empty square.
        if (before != dropPiece(fromX, fromY) || after != before) {
            return texts::record_file::BAD_DROP;
        }
        if (captured != EMPTY) return texts::record_file::DROP_CAPTURES;
    } else if (after != before && !(canPromote(before) && after == promotedCode(before))) {
        return texts::record_file::BAD_PROMOTION;
    }
    if (captured != EMPTY && (!isValidPiece(captured) || sideOf(captured) == sideOf(after))) {
        return texts::record_file::BAD_CAPTURE;
    }
    return {};
}

int checkRecordFollowsStart(const MoveRecord& r, int count, std::string& reason) {
    auto g = std::make_unique<GameState>();
    placeStartingPosition(*g);
    return checkRecordFollows(positionOf(*g), r, 1, count, reason);
}

std::string refereeRefusal(GameState& g, const MoveRecord& r, int n) {
    // A game ends with the capture of a king.
    if (!bothKingsOnBoard(g)) return texts::record_file::AFTER_KING_TAKEN;
    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int toX = r.recToX[n], toY = r.recToY[n];
    const int before = r.recPieceBefore[n], after = r.recPieceAfter[n];
    if (isDrop(fromX)) {
        調査_2歩フラグ設定(g);
        if (移動チェック(g, fromX, 0, toX, toY, before) != YES)
            return texts::record_file::AGAINST_THE_RULES;
        return {};
    }
    if (移動チェック(g, fromX, fromY, toX, toY, before) != YES)
        return texts::record_file::AGAINST_THE_RULES;
    // A promotion where the piece may promote; no piece left where it could never move again.
    const bool promotionAllowed = after != before ? mayPromote(fromX, fromY, toY, before)
                                                  : 移動後チェック(toY, before) == YES;
    if (!promotionAllowed) return texts::record_file::AGAINST_THE_RULES;
    if (leavesOwnKingAttacked(g, fromX, fromY, toX, toY, after))
        return texts::record_file::KING_LEFT_ATTACKED;
    return {};
}

RecordPosition positionOf(const GameState& s) {
    return {s.board, s.handMAN, s.handCOM};
}

int checkRecordFollows(const RecordPosition& from, const MoveRecord& r, int first, int last,
                       std::string& reason) {
    auto g = std::make_unique<GameState>();
    g->board = from.board;
    setHands(*g, from.handMAN, from.handCOM);
    for (int n = first; n <= last; ++n) {
        switch (recordedMoveFault(*g, r, n)) {
            case StepFault::NONE:
                break;
            // Squares and codes that are not there at all cannot fit any position.
            case StepFault::BAD_SQUARES:
                reason = texts::record_file::BAD_SQUARE;
                return n;
            case StepFault::NOT_IN_HAND:
                reason = texts::record_file::NOT_IN_HAND;
                return n;
            case StepFault::NOT_ON_SOURCE:
                reason = texts::record_file::FROM_EMPTY;
                return n;
            case StepFault::WRONG_CAPTURE:
                reason = texts::record_file::TO_MISMATCH;
                return n;
        }
        playRecordedMove(*g, r, n);
    }
    return 0;
}

RecordEncodeResult encodeRecordFile(const RecordHeader& header, const MoveRecord& record,
                                    int moveCount) {
    RecordEncodeResult result;
    if (moveCount < 0 || moveCount > MAX_MOVES) {
        result.error = texts::record_file::BAD_MOVE_COUNT;
        return result;
    }
    const std::string* texts[HEADER_LINES] = {&header.title, &header.topPlayer,
                                              &header.bottomPlayer};
    std::string out;
    for (int i = 0; i < HEADER_LINES; ++i) {
        const std::optional<std::string> line = utf8ToCp932(*texts[i]);
        if (!line) {
            result.error = texts::record_file::headerUnwritable(HEADER_NAMES[i]);
            return result;
        }
        if (hasControlBytes(*line)) {
            result.error = texts::record_file::headerHasControls(HEADER_NAMES[i]);
            return result;
        }
        if (line->size() > RECORD_MAX_HEADER_BYTES) {
            result.error = texts::record_file::headerTooLong(HEADER_NAMES[i]);
            return result;
        }
        out += *line;
        out += "\r\n";
    }
    // A record that could not be read back is refused now rather than found out later.
    for (int n = 1; n <= moveCount; ++n) {
        const std::string why = checkRecordEntry(record, n);
        if (!why.empty()) {
            result.error = texts::record_file::moveFaulty(n, why);
            return result;
        }
    }
    std::string why;
    if (const int bad = checkRecordFollowsStart(record, moveCount, why); bad != 0) {
        result.error = texts::record_file::moveFaulty(bad, why);
        return result;
    }
    out.reserve(out.size() + static_cast<std::size_t>(moveCount) * (RECORD_MOVE_LINE_LENGTH + 2));
    for (int n = 1; n <= moveCount; ++n) {
        out += formatMoveLine(record, n);
        out += "\r\n";
    }
    result.ok = true;
    result.bytes = std::move(out);
    return result;
}

RecordParseResult decodeRecordFile(std::string_view bytes) {
    RecordParseResult result;
    if (bytes.size() > RECORD_MAX_FILE_BYTES) {
        result.error = texts::record_file::FILE_TOO_LARGE;
        return result;
    }
    // Whole-file faults first, so that they are not reported as a wrong first line.
    if (bytes.find('\0') != std::string_view::npos) {
        result.error = texts::record_file::NOT_TEXT;
        return result;
    }
    if (hasLoneCarriageReturn(bytes)) {
        result.error = texts::record_file::LONE_CR;
        return result;
    }
    std::vector<std::string_view> lines = splitLines(bytes);
    // Blank lines at the very end are not moves.
    while (lines.size() > HEADER_LINES && lines.back().empty()) lines.pop_back();

    std::string* texts[HEADER_LINES] = {&result.header.title, &result.header.topPlayer,
                                        &result.header.bottomPlayer};
    for (std::size_t i = 0; i < HEADER_LINES; ++i) {
        const std::size_t lineNo = i + 1;
        if (i >= lines.size()) {
            result.error = texts::record_file::lineMissing(lineNo);
            return result;
        }
        if (lines[i].size() > RECORD_MAX_HEADER_BYTES) {
            result.error = texts::record_file::lineFaulty(
                lineNo, texts::record_file::headerTooLong(HEADER_NAMES[i]));
            return result;
        }
        if (hasControlBytes(lines[i])) {
            result.error =
                texts::record_file::lineFaulty(lineNo, texts::record_file::CONTROL_CHARACTERS);
            return result;
        }
        std::optional<std::string> text = cp932ToUtf8(lines[i]);
        if (!text) {
            result.error =
                texts::record_file::lineFaulty(lineNo, texts::record_file::NOT_SHIFT_JIS);
            return result;
        }
        *texts[i] = std::move(*text);
    }

    const std::size_t moveLines = lines.size() - HEADER_LINES;
    if (moveLines > static_cast<std::size_t>(MAX_MOVES)) {
        result.error = texts::record_file::tooManyMoves(MAX_MOVES);
        return result;
    }

    MoveRecord& r = result.moves;
    for (std::size_t i = 0; i < moveLines; ++i) {
        const int n = static_cast<int>(i) + 1;
        const std::size_t lineNo = i + HEADER_LINES + 1;
        const std::string_view line = lines[HEADER_LINES + i];
        if (line.empty()) {
            result.error =
                texts::record_file::lineFaulty(lineNo, texts::record_file::EMPTY_MOVE_LINE);
            return result;
        }
        if (line.size() != RECORD_MOVE_LINE_LENGTH) {
            result.error = texts::record_file::lineFaulty(
                lineNo, texts::record_file::moveLineLength(RECORD_MOVE_LINE_LENGTH, line.size()));
            return result;
        }
        int fields[FIELD_COUNT];
        std::size_t col = 0;
        for (int f = 0; f < FIELD_COUNT; ++f) {
            const auto width = static_cast<std::size_t>(FIELD_WIDTHS[f]);
            if (!parseField(line.substr(col, width), fields[f])) {
                result.error =
                    texts::record_file::lineFaulty(lineNo, texts::record_file::BAD_FIELD);
                return result;
            }
            col += width;
        }
        for (int f = 7; f < FIELD_COUNT; ++f) {
            if (fields[f] < 0) {
                result.error =
                    texts::record_file::lineFaulty(lineNo, texts::record_file::NEGATIVE_TIME);
                return result;
            }
        }
        r.recFromX[n] = fields[0];
        r.recFromY[n] = fields[1];
        r.recToX[n] = fields[2];
        r.recToY[n] = fields[3];
        r.recPieceAfter[n] = fields[4];
        r.recPieceBefore[n] = fields[5];
        r.recCaptured[n] = fields[6];
        r.recTimeMANBefore[n] = static_cast<float>(fields[7]);
        r.recTimeMANAfter[n] = static_cast<float>(fields[8]);
        r.recTimeCOMBefore[n] = static_cast<float>(fields[9]);
        r.recTimeCOMAfter[n] = static_cast<float>(fields[10]);
        const std::string why = checkRecordEntry(r, n);
        if (!why.empty()) {
            result.error = texts::record_file::lineFaulty(lineNo, why);
            return result;
        }
    }

    std::string why;
    if (const int bad = checkRecordFollowsStart(r, static_cast<int>(moveLines), why); bad != 0) {
        result.error =
            texts::record_file::lineFaulty(static_cast<std::size_t>(bad) + HEADER_LINES, why);
        return result;
    }
    // Every move is one the referee would have taken.
    auto g = std::make_unique<GameState>();
    placeStartingPosition(*g);
    for (int n = 1; n <= static_cast<int>(moveLines); ++n) {
        if (const std::string refused = refereeRefusal(*g, r, n); !refused.empty()) {
            result.error =
                texts::record_file::lineFaulty(static_cast<std::size_t>(n) + HEADER_LINES, refused);
            return result;
        }
        playRecordedMove(*g, r, n);
    }
    result.count = static_cast<int>(moveLines);
    result.ok = true;
    return result;
}

void loadRecordIntoGame(GameState& s, const RecordParseResult& record) {
    for (int n = 1; n <= record.count; ++n) {
        s.record.recFromX[n] = record.moves.recFromX[n];
        s.record.recFromY[n] = record.moves.recFromY[n];
        s.record.recToX[n] = record.moves.recToX[n];
        s.record.recToY[n] = record.moves.recToY[n];
        s.record.recCaptured[n] = record.moves.recCaptured[n];
        s.record.recPieceBefore[n] = record.moves.recPieceBefore[n];
        s.record.recPieceAfter[n] = record.moves.recPieceAfter[n];
        // Files carry no miss counts: stepping through a loaded record shows none.
        s.record.recMissCOM[n] = 0;
        s.record.recMissMAN[n] = 0;
        s.record.recTimeMANBefore[n] = record.moves.recTimeMANBefore[n];
        s.record.recTimeMANAfter[n] = record.moves.recTimeMANAfter[n];
        s.record.recTimeCOMBefore[n] = record.moves.recTimeCOMBefore[n];
        s.record.recTimeCOMAfter[n] = record.moves.recTimeCOMAfter[n];
    }
    s.moveNo = 0;
    s.moveCount = 0;
    s.moveNoLast = record.count;
    s.kifuMode = YES;
    s.comPiecesShown = record.comPiecesShown ? YES : NO;
}

}  // namespace velk
