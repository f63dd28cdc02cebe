#include "record/kif.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "game/mate.h"
#include "game/move_check.h"
#include "game/move_exec.h"
#include "game/setup.h"
#include "game/survey.h"
#include "record/replay_step.h"
#include "record/sjis.h"
#include "texts/texts.h"

namespace velk {

namespace {

// The KIF syntax below (header keys, piece names, 同/打/成/不成, closing words, the moves line and
// the marks this game writes for its own reader) is the file's format, not a text to translate:
// a translation keeps it, or other programs would no longer read the files. What the game says
// in its own words, in boxes or in comments, is in texts::kif.
constexpr const char* CRLF = "\r\n";
constexpr std::string_view COM_FIRST_MARK = "#ついたて将棋：COMが先手";
constexpr std::string_view MAN_FIRST_MARK = "#ついたて将棋：MANが先手";
// Times that standard KIF cannot carry (a side's clock changing while the other moved) follow
// the move in this comment: the human's before and after, then the computer's, in seconds.
constexpr std::string_view EXACT_TIMES = "*記録の時間：";
// The mark that starts a comment line.
constexpr const char* COMMENT_MARK = "*";
constexpr std::string_view MOVES_LINE = "手数----指手---------消費時間--";
// Unicode line ends, as UTF-8, with the names the reader's reason gives them. The reader splits
// lines at LF only, so the writer keeps them out of the header.
constexpr std::pair<std::string_view, std::string_view> UNICODE_LINE_ENDS[] = {
    {"\xE2\x80\xA8", "U+2028"}, {"\xE2\x80\xA9", "U+2029"}, {"\xC2\x85", "U+0085"}};

constexpr std::string_view FILE_DIGITS[10] = {"",   "１", "２", "３", "４",
                                              "５", "６", "７", "８", "９"};
constexpr std::string_view RANK_NUMERALS[10] = {"",   "一", "二", "三", "四",
                                                "五", "六", "七", "八", "九"};

bool isDrop(int fromX) {
    return fromX == MAN_HAND_X || fromX == COM_HAND_X;
}

// The KIF name of a piece code, either side.
std::string_view pieceName(int code) {
    switch (codeMagnitude(code)) {
        case 10:
            return "歩";
        case 11:
            return "と";
        case 20:
            return "香";
        case 21:
            return "成香";
        case 30:
            return "桂";
        case 31:
            return "成桂";
        case 100:
            return "銀";
        case 101:
            return "成銀";
        case 110:
            return "金";
        case 800:
            return "角";
        case 801:
            return "馬";
        case 900:
            return "飛";
        case 901:
            return "龍";
        case 950:
            return "玉";
        default:
            return "?";
    }
}

// A square of the game as KIF file and rank.
struct KifSquare {
    int file = 0;
    int rank = 0;
};

KifSquare toKif(int x, int y, bool manFirst) {
    return manFirst ? KifSquare{10 - x, y} : KifSquare{x, 10 - y};
}

// Columns a text takes in a fixed-width font: two for every character outside ASCII.
int displayWidth(std::string_view text) {
    int width = 0;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80)
            width += 1;
        else if ((u & 0xC0) != 0x80)
            width += 2;
    }
    return width;
}

std::string formatTime(int moveSeconds, int totalSeconds) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "(%2d:%02d/%02d:%02d:%02d)", moveSeconds / 60, moveSeconds % 60,
                  totalSeconds / 3600, totalSeconds / 60 % 60, totalSeconds % 60);
    return buf;
}

bool isManMove(const MoveRecord& r, int n) {
    return isManPiece(r.recPieceAfter[n]);
}

}  // namespace

KifEnding kifEndingOf(const MoveRecord& r, int count) {
    if (count >= 1 && count <= MAX_MOVES && codeMagnitude(r.recCaptured[count]) == COM_OU) {
        return KifEnding::KingCaptured;
    }
    if (count >= MAX_MOVES) return KifEnding::MoveLimit;
    // The human wins when its move leaves the computer's king mated, by the game's own test.
    std::string why;
    if (count >= 1 && isManPiece(r.recPieceAfter[count]) &&
        checkRecordFollowsStart(r, count, why) == 0) {
        auto g = std::make_unique<GameState>();
        loadDefaults(*g);
        for (int n = 1; n <= count; ++n)
            駒移動(*g, r.recFromX[n], r.recFromY[n], r.recToX[n], r.recToY[n], r.recPieceAfter[n]);
        勢力調査(*g);
        if (g->winner == NOBODY && 詰めかCOM(*g) == YES) return KifEnding::Mate;
    }
    return KifEnding::Interrupted;
}

std::string kifDestination(const MoveRecord& r, int n, bool manFirst) {
    const int toX = r.recToX[n], toY = r.recToY[n];
    if (n > 1 && toX == r.recToX[n - 1] && toY == r.recToY[n - 1]) return "同　";
    const KifSquare to = toKif(toX, toY, manFirst);
    if (to.file < 1 || to.file > 9 || to.rank < 1 || to.rank > 9) return "?";
    return std::string(FILE_DIGITS[to.file]) + std::string(RANK_NUMERALS[to.rank]);
}

std::string kifMoveText(const MoveRecord& r, int n, bool manFirst, bool withSource) {
    const int fromX = r.recFromX[n], fromY = r.recFromY[n];
    const int before = r.recPieceBefore[n], after = r.recPieceAfter[n];
    std::string move = kifDestination(r, n, manFirst);
    move += pieceName(before);
    if (isDrop(fromX)) {
        move += "打";
    } else {
        // A declined promotion is written as a plain move: the source square says all, and
        // common KIF readers stop at a written 不成.
        if (after != before) move += "成";
        if (withSource) {
            const KifSquare from = toKif(fromX, fromY, manFirst);
            move += "(" + std::to_string(from.file) + std::to_string(from.rank) + ")";
        }
    }
    return move;
}

KifEncodeResult encodeKif(const RecordHeader& header, const MoveRecord& r, int count,
                          const KifInfo& info) {
    KifEncodeResult result;
    if (count < 0 || count > MAX_MOVES) {
        result.error = texts::record_file::BAD_MOVE_COUNT;
        return result;
    }
    for (int n = 1; n <= count; ++n) {
        const std::string why = checkRecordEntry(r, n);
        if (!why.empty()) {
            result.error = texts::record_file::moveFaulty(n, why);
            return result;
        }
        // KIF tells the side of a move by its number only.
        if (n > 1 && isManMove(r, n) == isManMove(r, n - 1)) {
            result.error = texts::record_file::moveFaulty(n, texts::kif::SIDES_NOT_ALTERNATING);
            return result;
        }
    }
    std::string why;
    if (const int bad = checkRecordFollowsStart(r, count, why); bad != 0) {
        result.error = texts::record_file::moveFaulty(bad, why);
        return result;
    }
    for (const std::string* text : {&header.title, &header.topPlayer, &header.bottomPlayer}) {
        for (const char c : *text) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7F) {
                result.error = texts::kif::HEADER_HAS_CONTROLS;
                return result;
            }
        }
        for (const auto& lineEnd : UNICODE_LINE_ENDS) {
            if (text->find(lineEnd.first) != std::string::npos) {
                result.error = texts::kif::HEADER_HAS_CONTROLS;
                return result;
            }
        }
    }

    const bool manFirst = count < 1 || isManMove(r, 1);
    std::string out;
    out += manFirst ? MAN_FIRST_MARK : COM_FIRST_MARK;
    out += CRLF;
    if (!info.startTime.empty()) out += "開始日時：" + info.startTime + CRLF;
    out += "棋戦：" + header.title + CRLF;
    out += "手合割：平手" + std::string(CRLF);
    out += "先手：" + (manFirst ? header.bottomPlayer : header.topPlayer) + CRLF;
    out += "後手：" + (manFirst ? header.topPlayer : header.bottomPlayer) + CRLF;
    out += std::string(MOVES_LINE) + CRLF;
    if (info.comPiecesShown) out += COMMENT_MARK + std::string(texts::kif::COM_PIECES_SHOWN) + CRLF;

    // Each side's clock as the standard fields leave it: the reader rebuilds the other side's
    // two times from it.
    int lastMAN = 0, lastCOM = 0;
    int missMAN = 0, missCOM = 0;
    for (int n = 1; n <= count; ++n) {
        const bool man = isManMove(r, n);
        const std::string move = kifMoveText(r, n, manFirst, true);

        const int manBefore = recordSeconds(r.recTimeMANBefore[n]);
        const int manAfter = recordSeconds(r.recTimeMANAfter[n]);
        const int comBefore = recordSeconds(r.recTimeCOMBefore[n]);
        const int comAfter = recordSeconds(r.recTimeCOMAfter[n]);
        const int moverBefore = man ? manBefore : comBefore;
        const int moverAfter = man ? manAfter : comAfter;
        const int otherBefore = man ? comBefore : manBefore;
        const int otherAfter = man ? comAfter : manAfter;
        const int otherLast = man ? lastCOM : lastMAN;
        const bool exact =
            moverAfter < moverBefore || otherBefore != otherLast || otherAfter != otherLast;
        const int moveSeconds = moverAfter >= moverBefore ? moverAfter - moverBefore : 0;

        char number[16];
        std::snprintf(number, sizeof number, "%4d ", n);
        out += number;
        out += move;
        out += std::string(static_cast<std::size_t>(std::max(1, 13 - displayWidth(move))), ' ');
        out += formatTime(moveSeconds, moverAfter);
        out += CRLF;
        if (exact) {
            out += std::string(EXACT_TIMES) + std::to_string(manBefore) + " " +
                   std::to_string(manAfter) + " " + std::to_string(comBefore) + " " +
                   std::to_string(comAfter) + CRLF;
        }
        lastMAN = manAfter;
        lastCOM = comAfter;

        // Misses charged since the previous move, as the counters stored with this one show.
        if (r.recMissMAN[n] > missMAN) {
            out += COMMENT_MARK +
                   texts::kif::manMisses(r.recMissMAN[n] - missMAN, r.recMissMAN[n]) + CRLF;
        }
        if (r.recMissCOM[n] > missCOM) {
            out += COMMENT_MARK +
                   texts::kif::comMisses(r.recMissCOM[n] - missCOM, r.recMissCOM[n]) + CRLF;
        }
        missMAN = std::max(missMAN, r.recMissMAN[n]);
        missCOM = std::max(missCOM, r.recMissCOM[n]);
    }

    // The closing line is a move of the side to move; who that is decides the result.
    const int next = count + 1;
    const bool senteToMove = next % 2 == 1;
    const char* const sideToMove = senteToMove ? "先手" : "後手";
    const char* const sideMoved = senteToMove ? "後手" : "先手";
    const bool manToMove = senteToMove == manFirst;
    std::string closing, comment, summary;
    switch (info.ending) {
        case KifEnding::KingCaptured: {
            // Standard shogi has no king capture: the capture stays in the record and the
            // side without its king resigns, which every reader takes as the same result.
            closing = "投了";
            comment = manToMove ? texts::kif::COM_TOOK_KING : texts::kif::MAN_TOOK_KING;
            summary = std::string("で") + sideMoved + "の勝ち";
            break;
        }
        case KifEnding::Mate: {
            closing = "詰み";
            if (count >= 1 && isDrop(r.recFromX[count]) &&
                codeMagnitude(r.recPieceAfter[count]) == COM_HU) {
                comment = texts::kif::PAWN_DROP_MATE;
            }
            summary = std::string("で") + sideMoved + "の勝ち";
            break;
        }
        case KifEnding::TenthMissMAN:
        case KifEnding::TenthMissCOM: {
            const bool manLost = info.ending == KifEnding::TenthMissMAN;
            comment = manLost ? texts::kif::TENTH_MISS_MAN : texts::kif::TENTH_MISS_COM;
            if (manLost == manToMove) {
                closing = "反則負け";
                summary = std::string("で") + sideMoved + "の反則勝ち";
            } else {
                // The loser has just moved: the side to move wins.
                closing = "反則勝ち";
                summary = std::string("で") + sideToMove + "の反則勝ち";
            }
            break;
        }
        case KifEnding::Resigned:
            closing = "投了";
            summary = std::string("で") + sideMoved + "の勝ち";
            break;
        case KifEnding::MoveLimit:
            closing = "中断";
            comment = texts::kif::MOVE_LIMIT;
            summary = "で中断";
            break;
        case KifEnding::Interrupted:
            closing = "中断";
            summary = "で中断";
            break;
    }
    if (!comment.empty() && info.ending != KifEnding::TenthMissMAN &&
        info.ending != KifEnding::TenthMissCOM) {
        out += COMMENT_MARK + comment + CRLF;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%4d ", next);
    out += number + closing + CRLF;
    if (info.ending == KifEnding::TenthMissMAN || info.ending == KifEnding::TenthMissCOM)
        out += COMMENT_MARK + comment + CRLF;
    out += "まで" + std::to_string(count) + "手" + summary + CRLF;

    result.ok = true;
    result.text = std::move(out);
    return result;
}

std::optional<std::string> kifFileBytes(std::string_view text, KifEncoding encoding) {
    if (encoding == KifEncoding::Utf8)
        return "#KIF version=2.0 encoding=UTF-8\r\n" + std::string(text);
    return utf8ToCp932(text);
}

// ---- Reading ----

namespace {

// True for well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF).
bool isUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        int more = 0;
        unsigned int cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(more) >= s.size()) return false;
        for (int k = 1; k <= more; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

bool eat(std::string_view& s, std::string_view prefix) {
    if (!startsWith(s, prefix)) return false;
    s.remove_prefix(prefix.size());
    return true;
}

// Drops half-width and full-width blanks from both ends.
std::string_view trimBlanks(std::string_view s) {
    for (;;) {
        if (eat(s, " ") || eat(s, "\t") || eat(s, "　")) continue;
        break;
    }
    for (;;) {
        if (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
            s.remove_suffix(1);
        } else if (s.size() >= 3 && s.substr(s.size() - 3) == "　") {
            s.remove_suffix(3);
        } else {
            break;
        }
    }
    return s;
}

void skipSpaces(std::string_view& s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
}

// 1..9 written as a full-width or an ASCII digit, or (for ranks) as a kanji numeral; 0 if none.
int eatDigit(std::string_view& s, bool kanji) {
    for (int v = 1; v <= 9; ++v) {
        if (eat(s, FILE_DIGITS[v])) return v;
        if (kanji && eat(s, RANK_NUMERALS[v])) return v;
    }
    if (!s.empty() && s.front() >= '1' && s.front() <= '9') {
        const int v = s.front() - '0';
        s.remove_prefix(1);
        return v;
    }
    return 0;
}

// A run of at most `maxDigits` ASCII digits; false when there is none or it is longer.
bool eatNumber(std::string_view& s, int maxDigits, int& value) {
    std::size_t i = 0;
    value = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        if (static_cast<int>(i) >= maxDigits) return false;
        value = value * 10 + (s[i] - '0');
        ++i;
    }
    if (i == 0) return false;
    s.remove_prefix(i);
    return true;
}

struct NamedPiece {
    std::string_view name;
    int code;  // the computer's code of the kind
};

// Longer names first, so that 成香 is not read as 成 and 香.
constexpr NamedPiece PIECE_NAMES[] = {
    {"成香", COM_NARIKYOU}, {"成桂", COM_NARIKEI}, {"成銀", COM_NARIGIN}, {"歩", COM_HU},
    {"香", COM_KYOU},       {"桂", COM_KEI},       {"銀", COM_GIN},       {"金", COM_KIN},
    {"角", COM_KAKU},       {"飛", COM_SYA},       {"玉", COM_OU},        {"王", COM_OU},
    {"と", COM_TO},         {"杏", COM_NARIKYOU},  {"圭", COM_NARIKEI},   {"全", COM_NARIGIN},
    {"馬", COM_UMA},        {"龍", COM_RYU},       {"竜", COM_RYU},
};

// The closing words that end the moves of a game.
constexpr std::string_view CLOSINGS[] = {"投了",     "中断",     "詰み",     "千日手",   "持将棋",
                                         "切れ負け", "反則勝ち", "反則負け", "入玉勝ち", "不詰",
                                         "不戦勝",   "不戦敗",   "封じ手"};

// Header keys and lines that only a game from another starting position has.
constexpr std::string_view POSITION_KEYS[] = {"先手の持駒", "後手の持駒", "上手の持駒",
                                              "下手の持駒", "手番"};
constexpr std::string_view POSITION_LINES[] = {"先手番", "後手番", "上手番", "下手番"};

// The time field "( m:ss/h:mm:ss)"; the total may be missing.
bool parseTime(std::string_view& s, int& moveSeconds, int& totalSeconds, bool& hasTotal) {
    if (!eat(s, "(")) return false;
    skipSpaces(s);
    int m = 0, sec = 0;
    if (!eatNumber(s, 5, m) || !eat(s, ":") || !eatNumber(s, 2, sec) || sec >= 60) return false;
    moveSeconds = m * 60 + sec;
    hasTotal = false;
    if (eat(s, "/")) {
        int h = 0, mm = 0, ss = 0;
        if (!eatNumber(s, 5, h) || !eat(s, ":") || !eatNumber(s, 2, mm) || mm >= 60 ||
            !eat(s, ":") || !eatNumber(s, 2, ss) || ss >= 60)
            return false;
        totalSeconds = h * 3600 + mm * 60 + ss;
        hasTotal = true;
    }
    skipSpaces(s);
    return eat(s, ")");
}

// Empty when every line ends in LF or CRLF (a CR at the very end aside), else why not.
std::string foreignLineEnds(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\r' && text[i + 1] != '\n') return texts::kif::LONE_CR;
    for (const auto& [bytes, name] : UNICODE_LINE_ENDS)
        if (text.find(bytes) != std::string_view::npos) return texts::kif::otherLineEnd(name);
    return {};
}

class KifReader {
  public:
    explicit KifReader(RecordParseResult& result)
        : result_(result), g_(std::make_unique<GameState>()) {
        placeStartingPosition(*g_);
    }

    // Empty when the line is fine, otherwise why not.
    std::string line(std::string_view text, std::size_t lineNo);
    // Checks that need the whole file: the side order mark and the moves against the board.
    std::string finish();
    bool manFirst() const { return manFirst_; }

  private:
    std::string moveLine(std::string_view text, std::size_t lineNo);
    std::string exactTimes(std::string_view text);
    std::string play(std::string_view& text, int n);

    RecordParseResult& result_;
    std::unique_ptr<GameState> g_;
    bool manFirst_ = true;
    bool inMoves_ = false;
    bool ended_ = false;  // a closing line or the まで line has been read
    bool done_ = false;   // a variation has begun
    std::string sente_, gote_;
    int count_ = 0;
    int lastTotal_[2] = {0, 0};  // [0] the human, [1] the computer
    std::array<std::size_t, MAX_MOVES + 1> lineOf_{};

  public:
    const std::string& sente() const { return sente_; }
    const std::string& gote() const { return gote_; }
    int count() const { return count_; }
    std::size_t lineOf(int n) const { return lineOf_[static_cast<std::size_t>(n)]; }
};

std::string KifReader::line(std::string_view text, std::size_t lineNo) {
    if (startsWith(text, "#")) {
        if (!inMoves_ && startsWith(text, COM_FIRST_MARK)) manFirst_ = false;
        if (!inMoves_ && startsWith(text, MAN_FIRST_MARK)) manFirst_ = true;
        return {};
    }
    if (startsWith(text, "*")) {
        if (inMoves_ && !done_ && count_ > 0 && startsWith(text, EXACT_TIMES))
            return exactTimes(text);
        if (!done_ && trimBlanks(text.substr(1)) == texts::kif::COM_PIECES_SHOWN)
            result_.comPiecesShown = true;
        return {};
    }
    if (startsWith(text, "&")) return {};
    // Variations follow the main line; only the main line is read.
    if (startsWith(text, "変化：") || startsWith(text, "変化:")) {
        done_ = true;
        return {};
    }
    if (done_) return {};
    const std::string_view bare = trimBlanks(text);
    if (bare.empty()) return {};
    if (startsWith(bare, "まで")) {
        // "まで63手で…" counts the moves played.
        std::string_view rest = bare.substr(std::string_view("まで").size());
        if (int n = 0; eatNumber(rest, 4, n) && n != count_)
            return texts::kif::moveNumberNot(count_);
        ended_ = true;
        return {};
    }
    // After the end only comments and the variations are read.
    if (ended_)
        return bare.front() >= '0' && bare.front() <= '9' ? texts::kif::MOVE_AFTER_END
                                                          : std::string();
    if (startsWith(bare, "手数----") || startsWith(bare, "手数＝")) {
        inMoves_ = true;
        return {};
    }
    // A board diagram: its frame, its rows or its column numbers.
    if (startsWith(bare, "|") || startsWith(bare, "+-") || startsWith(bare, "９ ８ ７") ||
        startsWith(bare, "9 8 7")) {
        return texts::kif::HAS_POSITION;
    }
    for (const std::string_view p : POSITION_LINES)
        if (bare == p) return texts::kif::HAS_POSITION;
    if (bare.front() >= '0' && bare.front() <= '9') {
        inMoves_ = true;
        return moveLine(bare, lineNo);
    }
    const std::size_t colon = text.find("：");
    if (colon != std::string_view::npos && !inMoves_) {
        const std::string_view key = trimBlanks(text.substr(0, colon));
        const std::string_view value = text.substr(colon + std::string_view("：").size());
        for (const char c : value) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7F) return texts::record_file::CONTROL_CHARACTERS;
        }
        for (const std::string_view p : POSITION_KEYS)
            if (key == p) return texts::kif::HAS_POSITION;
        if (key == "手合割") {
            if (trimBlanks(value) != "平手") return texts::kif::NOT_EVEN_GAME;
        } else if (key == "棋戦") {
            result_.header.title = std::string(value);
        } else if (key == "先手" || key == "下手") {
            sente_ = std::string(value);
        } else if (key == "後手" || key == "上手") {
            gote_ = std::string(value);
        }
        return {};
    }
    return texts::kif::UNREADABLE_LINE;
}

std::string KifReader::moveLine(std::string_view text, std::size_t lineNo) {
    int n = 0;
    if (!eatNumber(text, 4, n)) return texts::record_file::BAD_MOVE_COUNT;
    skipSpaces(text);
    if (n != count_ + 1) return texts::kif::moveNumberNot(count_ + 1);
    for (const std::string_view word : CLOSINGS) {
        if (startsWith(text, word)) {
            ended_ = true;
            return {};
        }
    }
    if (n > MAX_MOVES) return texts::kif::tooManyMoves(MAX_MOVES);
    lineOf_[static_cast<std::size_t>(n)] = lineNo;
    if (std::string why = play(text, n); !why.empty()) return why;

    // The time used, when given; a missing total is the previous one plus this move's.
    const bool man = isManPiece(result_.moves.recPieceAfter[n]);
    int& total = lastTotal_[man ? 0 : 1];
    const int other = lastTotal_[man ? 1 : 0];
    int moveSeconds = 0, totalSeconds = total;
    skipSpaces(text);
    if (startsWith(text, "(")) {
        bool hasTotal = false;
        if (!parseTime(text, moveSeconds, totalSeconds, hasTotal)) return texts::kif::BAD_TIME;
        if (!hasTotal) totalSeconds = total + moveSeconds;
    } else {
        totalSeconds = total;
    }
    skipSpaces(text);
    eat(text, "+");  // the mark of a move with variations
    skipSpaces(text);
    if (!text.empty()) return texts::kif::TRAILING_TEXT;
    if (totalSeconds > RECORD_MAX_SECONDS) return texts::kif::TIME_TOO_LONG;
    if (moveSeconds > totalSeconds) return texts::kif::MOVE_TIME_OVER_TOTAL;
    MoveRecord& r = result_.moves;
    const float before = static_cast<float>(totalSeconds - moveSeconds);
    const float after = static_cast<float>(totalSeconds);
    (man ? r.recTimeMANBefore : r.recTimeCOMBefore)[n] = before;
    (man ? r.recTimeMANAfter : r.recTimeCOMAfter)[n] = after;
    (man ? r.recTimeCOMBefore : r.recTimeMANBefore)[n] = static_cast<float>(other);
    (man ? r.recTimeCOMAfter : r.recTimeMANAfter)[n] = static_cast<float>(other);
    total = totalSeconds;
    count_ = n;
    return {};
}

// Reads the move itself and plays it on the reader's board.
std::string KifReader::play(std::string_view& text, int n) {
    GameState& g = *g_;
    MoveRecord& r = result_.moves;
    const bool sente = n % 2 == 1;
    const bool man = sente == manFirst_;

    int toX = 0, toY = 0;
    if (eat(text, "同")) {
        if (n == 1) return texts::kif::SAME_ON_FIRST_MOVE;
        if (!eat(text, "　")) eat(text, " ");
        toX = r.recToX[n - 1];
        toY = r.recToY[n - 1];
    } else {
        const int file = eatDigit(text, false);
        const int rank = eatDigit(text, true);
        if (file == 0 || rank == 0) return texts::kif::NO_DESTINATION;
        toX = manFirst_ ? 10 - file : file;
        toY = manFirst_ ? rank : 10 - rank;
    }
    int kind = 0;
    for (const NamedPiece& p : PIECE_NAMES) {
        if (eat(text, p.name)) {
            kind = p.code;
            break;
        }
    }
    if (kind == 0) return texts::kif::NO_PIECE_NAME;
    const int code = man ? -kind : kind;
    bool drop = false, promote = false, declined = false;
    if (eat(text, "打"))
        drop = true;
    else if (eat(text, "不成") || eat(text, "生"))
        declined = true;
    else if (eat(text, "成"))
        promote = true;

    const char* const side = man ? texts::kif::SIDE_MAN : texts::kif::SIDE_COM;
    if (drop) {
        const int k = handIndexOf(code);
        if (!canPromote(code) && codeMagnitude(code) != COM_KIN)
            return texts::kif::KIND_NOT_DROPPABLE;
        const std::array<int, 8>& hand = man ? g.handMAN : g.handCOM;
        if (hand[static_cast<std::size_t>(k)] < 1)
            return texts::kif::notInHand(side, pieceName(code));
        const int fromX = man ? MAN_HAND_X : COM_HAND_X;
        調査_2歩フラグ設定(g);
        if (g.board[toX][toY] != EMPTY) return texts::kif::DROP_ON_PIECE;
        if (移動チェック(g, fromX, 0, toX, toY, code) != YES) return texts::kif::DROP_NOT_ALLOWED;
        setRecordEntry(r, n, fromX, man ? k + 2 : k, toX, toY, code, code, EMPTY);
        if (std::string refused = refereeRefusal(g, r, n); !refused.empty()) return refused;
        playRecordedMove(g, r, n);
        return {};
    }

    if (!eat(text, "(")) return texts::kif::NO_SOURCE;
    int fromFile = 0, fromRank = 0;
    if (text.size() < 3 || (fromFile = eatDigit(text, false)) == 0 ||
        (fromRank = eatDigit(text, false)) == 0 || !eat(text, ")"))
        return texts::kif::BAD_SOURCE;
    const int fromX = manFirst_ ? 10 - fromFile : fromFile;
    const int fromY = manFirst_ ? fromRank : 10 - fromRank;
    const int before = g.board[fromX][fromY];
    if (before == EMPTY || isManPiece(before) != man) return texts::kif::noPieceOfSide(side);
    if (before != code) return texts::kif::sourceIsNot(pieceName(code));
    if (移動チェック(g, fromX, fromY, toX, toY, before) != YES)
        return texts::kif::CANNOT_MOVE_THERE;
    int after = before;
    const bool may = 調査_駒成(g, fromX, fromY, toX, toY, before) == YES;
    if (promote) {
        if (!may) return texts::kif::CANNOT_PROMOTE_THERE;
        after = promotedCode(before);
    } else if (移動後チェック(toY, before) == NO) {
        return declined ? texts::kif::MUST_PROMOTE_DECLINED : texts::kif::MUST_PROMOTE;
    }
    setRecordEntry(r, n, fromX, fromY, toX, toY, before, after, g.board[toX][toY]);
    if (std::string refused = refereeRefusal(g, r, n); !refused.empty()) return refused;
    playRecordedMove(g, r, n);
    return {};
}

std::string KifReader::exactTimes(std::string_view text) {
    text.remove_prefix(EXACT_TIMES.size());
    int v[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && !eat(text, " ")) return texts::kif::BAD_EXACT_TIMES;
        if (!eatNumber(text, 5, v[i]) || v[i] > RECORD_MAX_SECONDS)
            return texts::kif::BAD_EXACT_TIMES;
    }
    if (!trimBlanks(text).empty()) return texts::kif::BAD_EXACT_TIMES;
    MoveRecord& r = result_.moves;
    r.recTimeMANBefore[count_] = static_cast<float>(v[0]);
    r.recTimeMANAfter[count_] = static_cast<float>(v[1]);
    r.recTimeCOMBefore[count_] = static_cast<float>(v[2]);
    r.recTimeCOMAfter[count_] = static_cast<float>(v[3]);
    lastTotal_[0] = v[1];
    lastTotal_[1] = v[3];
    return {};
}

}  // namespace

RecordParseResult decodeKif(std::string_view bytes) {
    RecordParseResult result;
    if (bytes.size() > KIF_MAX_FILE_BYTES) {
        result.error = texts::kif::FILE_TOO_LARGE;
        return result;
    }
    if (bytes.find('\0') != std::string_view::npos) {
        result.error = texts::kif::NOT_TEXT;
        return result;
    }
    std::string text;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
        if (!isUtf8(bytes)) {
            result.error = texts::kif::NOT_UTF8;
            return result;
        }
        text = std::string(bytes);
    } else if (isUtf8(bytes)) {
        text = std::string(bytes);
    } else if (std::optional<std::string> converted = cp932ToUtf8(bytes)) {
        text = std::move(*converted);
    } else {
        result.error = texts::kif::UNKNOWN_ENCODING;
        return result;
    }

    // Line ends the reader does not split at would run the file into one line, its moves with it.
    if (const std::string why = foreignLineEnds(text); !why.empty()) {
        result.error = why;
        return result;
    }

    KifReader reader(result);
    const std::vector<std::string_view> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::string why = reader.line(lines[i], i + 1); !why.empty()) {
            result.error = texts::kif::lineFaulty(i + 1, why);
            return result;
        }
    }
    const int count = reader.count();
    for (int n = 1; n <= count; ++n) {
        if (const std::string why = checkRecordEntry(result.moves, n); !why.empty()) {
            result.error = texts::kif::lineFaulty(reader.lineOf(n), why);
            return result;
        }
    }
    std::string why;
    if (const int bad = checkRecordFollowsStart(result.moves, count, why); bad != 0) {
        result.error = texts::kif::lineFaulty(reader.lineOf(bad), why);
        return result;
    }
    if (reader.manFirst()) {
        result.header.topPlayer = reader.gote();
        result.header.bottomPlayer = reader.sente();
    } else {
        result.header.topPlayer = reader.sente();
        result.header.bottomPlayer = reader.gote();
    }
    result.count = count;
    result.ok = true;
    return result;
}

}  // namespace velk
