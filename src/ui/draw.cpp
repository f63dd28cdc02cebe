#include "ui/draw.h"

#include <string>

#include "texts/texts.h"
#include "ui/geometry.h"

namespace velk {

namespace {

// Text positions of the last-move fields: the computer's replaces "思考中" left of the board,
// the human's sits right of his hand, above his clock.
constexpr double COM_MOVE_TEXT_X = -1.6;
constexpr double MAN_MOVE_TEXT_X = 13.0;
constexpr double MOVE_TEXT_Y = 8.4;
// Two full-width characters at size 12 are just under one square wide.
constexpr double MOVE_TEXT_NAME_OFFSET = 1.0;
constexpr int MOVE_TEXT_SIZE = 12;
constexpr int HAND_COUNT_SIZE = 14;

// A loaded record's header, in twips: the title below the board on the left, the names of the
// players above and below the board right of the middle. Each may reach the next text (less
// half an em of space) or the end of the background that 描画_棋譜読込み部分消去 paints again,
// which ends with column 10 (the title art starts further right, at column 11.2).
constexpr double HEADER_TITLE_X = 800, HEADER_TITLE_Y = 6350;
constexpr double HEADER_NAMES_X = 3700, HEADER_TOP_Y = 100, HEADER_BOTTOM_Y = 6350;
constexpr double HEADER_RIGHT_END = twipsX(10.0);
constexpr int HEADER_FONT_SIZE = 12;

// Decodes one UTF-8 character at i and moves i past it; a malformed byte stands on its own.
char32_t nextCodePoint(std::string_view s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    const int extra = lead >= 0xF8   ? -1
                      : lead >= 0xF0 ? 3
                      : lead >= 0xE0 ? 2
                      : lead >= 0xC0 ? 1
                      : lead >= 0x80 ? -1
                                     : 0;
    if (extra <= 0 || i + static_cast<std::size_t>(extra) > s.size()) return lead;
    char32_t cp = lead & (0x7Fu >> (extra + 1));
    for (int k = 0; k < extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
        if ((c & 0xC0u) != 0x80u) return lead;
        cp = (cp << 6) | (c & 0x3Fu);
    }
    i += static_cast<std::size_t>(extra);
    return cp;
}

// Width of one character in ems.
double emsOf(char32_t cp) {
    if (cp < 0x80) {
        if (cp < 0x20) return 0;
        // The wide Latin letters and signs of the surface's font.
        for (const char wide : std::string_view("MWmw@%&")) {
            if (cp == static_cast<char32_t>(static_cast<unsigned char>(wide))) return 1.0;
        }
        if (cp >= 'A' && cp <= 'Z') return 0.75;
        return 0.5;
    }
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 0.5;  // half-width katakana
    return 1.0;
}

void tile(const Screen& s, Canvas& c, double gx, double gy) {
    描画_絵(s, c, s.background, gx, gy);
}

// The black shadow 0.1 square down and right, then the text itself.
void shadowed(const Screen& s, Canvas& c, double gx, double gy, std::string_view text, int colour,
              int fontSize) {
    描画_数値(s, c, gx + 0.1, gy + 0.1, text, COLOUR_BLACK, 0, fontSize);
    描画_数値(s, c, gx, gy, text, colour, 0, fontSize);
}

std::string_view gradeText(int grade) {
    if (grade < -10 || grade > 10) return {};
    return texts::draw::HANDICAP_GRADES[grade + 10];
}

bool isPictureCode(int code) {
    return code == EMPTY || code == PICTURE_TITLE || isBackground(code) || isValidPiece(code);
}

}  // namespace

// --- Primitives ---

void 描画_絵(const Screen& s, Canvas& c, int code, double gx, double gy) {
    if (code >= COM_HU && code <= COM_OU && s.screenUp == YES && gx > 0) {
        c.drawPicture(PICTURE_EMPTY_SQUARE, gx, gy);
        return;
    }
    if (isPictureCode(code)) c.drawPicture(code, gx, gy);
}

void 描画_桝輪郭(const Screen&, Canvas& c, int colour, double gx, double gy) {
    c.drawOutline(colour, gx, gy);
}

void 描画_四角形(const Screen&, Canvas& c, double gx, double gy, int widthTwips, int heightTwips,
                 int colour) {
    c.fillRect(gx, gy, widthTwips, heightTwips, colour);
}

void 描画_数値(const Screen& s, Canvas& c, double gx, double gy, int value, int colour, int style,
               int fontSize) {
    if (style == 0) {
        c.drawText(gx, gy, std::to_string(value), colour, fontSize);
        return;
    }
    if (value >= 1 && value <= 9)
        描画_数値(s, c, gx, gy, 文字列変換(1000 + value), colour, 0, fontSize);
}

void 描画_数値(const Screen&, Canvas& c, double gx, double gy, std::string_view text, int colour,
               int, int fontSize) {
    c.drawText(gx, gy, std::string(text), colour, fontSize);
}

void 描画_文字列(const Screen&, Canvas& c, int code, double gx, double gy, int colour,
                 int fontSize) {
    const std::string_view text =
        code == TEXT_MOVE_COUNT_LABEL ? texts::draw::MOVE_COUNT_LABEL : gradeText(code);
    if (!text.empty()) c.drawText(gx, gy, std::string(text), colour, fontSize);
}

std::string_view 文字列変換(int value) {
    if (value >= 1 && value <= 9) return texts::draw::DIGITS[value];
    if (value >= 1001 && value <= 1009) return texts::draw::NUMERALS[value - 1000];
    switch (value < 0 ? -value : value) {
        case 10:
            return texts::draw::PIECE_HU;
        case 11:
            return texts::draw::PIECE_TO;
        case 20:
            return texts::draw::PIECE_KYO;
        case 21:
            return texts::draw::PIECE_KYO_PROMOTED;
        case 30:
            return texts::draw::PIECE_KEI;
        case 31:
            return texts::draw::PIECE_KEI_PROMOTED;
        case 100:
            return texts::draw::PIECE_GIN;
        case 101:
            return texts::draw::PIECE_GIN_PROMOTED;
        case 110:
            return texts::draw::PIECE_KIN;
        case 800:
            return texts::draw::PIECE_KAKU;
        case 801:
            return texts::draw::PIECE_KAKU_PROMOTED;
        case 900:
            return texts::draw::PIECE_HI;
        case 901:
            return texts::draw::PIECE_HI_PROMOTED;
        case 950:
            return texts::draw::PIECE_OU;
        default:
            return {};
    }
}

// --- Board and hands ---

void 描画_背景(const Screen& s, Canvas& c, int code) {
    for (int gx = -3; gx <= 20; ++gx)
        for (int gy = -2; gy <= 15; ++gy)
            if (!onBoard(gx, gy)) 描画_絵(s, c, code, gx, gy);
}

void 描画_盤(const Screen& s, Canvas& c) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            描画_絵(s, c, s.board[x][y], x, y);
            描画_桝輪郭(s, c, COLOUR_GREEN, x, y);
        }
}

void 描画_将棋盤桝(const Screen& s, Canvas& c) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) 描画_桝輪郭(s, c, COLOUR_GREEN, x, y);
}

void 描画_桝_数値(const Screen& s, Canvas& c) {
    for (int i = 1; i <= 9; ++i) {
        tile(s, c, i, 0);
        描画_数値(s, c, i + 0.2, 0.5, 10 - i, COLOUR_BLACK, 0, 16);
        描画_数値(s, c, i + 0.1, 0.4, 10 - i, COLOUR_WHITE, 0, 16);
        tile(s, c, 10, i);
        描画_数値(s, c, 10.2, i + 0.4, i, COLOUR_BLACK, 1, 12);
        描画_数値(s, c, 10.1, i + 0.3, i, COLOUR_WHITE, 1, 12);
    }
}

void 描画_自持盤(const Screen& s, Canvas& c) {
    for (int k = 1; k <= 7; ++k) {
        const int row = k + 2;
        描画_絵(s, c, EMPTY, MAN_HAND_X, row);
        tile(s, c, MAN_HAND_X + 1, row);
        const int count = s.handMAN[k];
        if (count >= 1) 描画_絵(s, c, MAN_HAND_CODES[k], MAN_HAND_X, row);
        描画_桝輪郭(s, c, COLOUR_GREEN, MAN_HAND_X, row);
        if (count >= 1)
            shadowed(s, c, MAN_HAND_X + 1.1, row + 0.3, std::to_string(count), COLOUR_WHITE,
                     HAND_COUNT_SIZE);
    }
}

void 描画_敵持盤(const Screen& s, Canvas& c) {
    if (s.screenUp == YES)
        描画_敵持盤_ついたて有り(s, c);
    else
        描画_敵持盤_ついたて無し(s, c);
}

// The count column beside the computer's hand (column 0) is tiled afresh on every row, so that
// neither a stale count nor, once the screen is back up, a count by kind stays visible. The
// tile reaches one pixel into the board's first column, whose outline is redrawn.
void 描画_敵持盤_ついたて有り(const Screen& s, Canvas& c) {
    for (int row = 1; row <= 7; ++row) {
        tile(s, c, 0, row);
        描画_絵(s, c, EMPTY, COM_HAND_X, row);
        描画_桝輪郭(s, c, COLOUR_GREEN, COM_HAND_X, row);
        描画_桝輪郭(s, c, COLOUR_GREEN, 1, row);
    }
    const int total = 調査_持駒数(s, s.roleCOM);
    if (total > 0) shadowed(s, c, 0.1, 1.3, std::to_string(total), COLOUR_WHITE, HAND_COUNT_SIZE);
}

void 描画_敵持盤_ついたて無し(const Screen& s, Canvas& c) {
    for (int k = 1; k <= 7; ++k) {
        const int row = 8 - k;
        tile(s, c, 0, row);
        描画_絵(s, c, EMPTY, COM_HAND_X, row);
        const int count = s.handCOM[k];
        if (count >= 1) 描画_絵(s, c, COM_HAND_CODES[k], COM_HAND_X, row);
        描画_桝輪郭(s, c, COLOUR_GREEN, COM_HAND_X, row);
        描画_桝輪郭(s, c, COLOUR_GREEN, 1, row);
        if (count >= 1)
            shadowed(s, c, 0.1, row + 0.3, std::to_string(count), COLOUR_WHITE, HAND_COUNT_SIZE);
    }
}

int 調査_持駒数(const Screen& s, int side) {
    if (side == s.roleMAN) return handSumOf(s.handMAN);
    if (side == s.roleCOM) return s.handTotalCOM;
    return 0;
}

void 描画_COM駒(GameState& s, Canvas& c) {
    s.screenUp = NO;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (isComPiece(s.board[x][y])) {
                描画_絵(s, c, s.board[x][y], x, y);
                描画_桝輪郭(s, c, COLOUR_GREEN, x, y);
            }
}

// --- Status fields ---

void 描画_所有時間(const Screen& s, Canvas& c, const Menu& menu, int side, float seconds) {
    if (!menu.isChecked(MenuItem::KEIKA)) return;
    消去_所有時間(s, c, side);
    if (side == s.roleMAN) {
        shadowed(s, c, 13, 9.2, 調査_時間秒追加結果(seconds), COLOUR_WHITE, 12);
    } else if (side == s.roleCOM) {
        shadowed(s, c, -1.6, 9.2, 調査_時間秒追加結果(seconds), COLOUR_WHITE, 12);
        描画_桝輪郭(s, c, COLOUR_GREEN, 1, 9);
    }
}

void 消去_所有時間(const Screen& s, Canvas& c, int side) {
    if (side == s.roleMAN) {
        for (int gx = 13; gx <= 15; ++gx) tile(s, c, gx, 9);
    } else if (side == s.roleCOM) {
        for (int gx = -2; gx <= 0; ++gx) tile(s, c, gx, 9);
    }
}

std::string 調査_時間秒追加結果(float seconds) {
    // Anything beyond a million hours (or not a number) only has to show an empty hour field.
    constexpr double LIMIT = 3600.0 * 1e6;
    double rest = static_cast<double>(seconds);
    if (!(rest < LIMIT)) rest = LIMIT;
    if (rest < -LIMIT) rest = -LIMIT;
    const auto hours = static_cast<long long>(rest / 3600);
    rest -= static_cast<double>(hours) * 3600;
    const auto minutes = static_cast<long long>(rest / 60);
    rest -= static_cast<double>(minutes) * 60;
    const auto secs = static_cast<long long>(rest);
    return 変換_数字から文字(hours) + ":" + 変換_数字から文字(minutes) + ":" +
           変換_数字から文字(secs);
}

std::string 変換_数字から文字(long long n) {
    std::string text = std::to_string(n);
    if (text.size() == 1) return "0" + text;
    if (text.size() == 2) return text;
    return {};
}

void 描画_ミス回数(const Screen& s, Canvas& c, int side, int colour) {
    消去_ミス回数(s, c, side);
    int row = 0;
    int count = 0;
    std::string_view label;
    if (side == s.roleCOM) {
        row = 5;
        count = s.missCountCOM;
        label = texts::draw::MISS_LABEL_COM;
    } else if (side == s.roleMAN) {
        row = 6;
        count = s.missCountMAN;
        label = texts::draw::MISS_LABEL_MAN;
    } else {
        return;
    }
    描画_数値(s, c, 13.5, row + 0.2, label, COLOUR_BLACK, 0, 10);
    描画_数値(s, c, 13.4, row + 0.1, label, colour, 0, 10);
    描画_数値(s, c, 13.8, row + 0.6, count, COLOUR_BLACK, 0, 14);
    描画_数値(s, c, 13.8, row + 0.5, count, colour, 0, 14);
}

void 消去_ミス回数(const Screen& s, Canvas& c, int side) {
    int row = 0;
    if (side == s.roleCOM)
        row = 5;
    else if (side == s.roleMAN)
        row = 6;
    else
        return;
    tile(s, c, 13, row);
    tile(s, c, 14, row);
}

void 描画_レベル(const Screen& s, Canvas& c, int n) {
    描画_数値(s, c, -1.4, 0.2, texts::draw::LEVEL_LABEL, COLOUR_BLACK, 0, 10);
    描画_数値(s, c, -1.5, 0.1, texts::draw::LEVEL_LABEL, COLOUR_WHITE, 0, 10);
    if (n == LEVEL_KOUSEI) {
        描画_数値(s, c, 0.1, 0.1, texts::draw::KOUSEI_LABEL, COLOUR_BLACK, 0, 12);
        描画_数値(s, c, 0, 0, texts::draw::KOUSEI_LABEL, COLOUR_WHITE, 0, 12);
        return;
    }
    描画_数値(s, c, 0.1, 0.1, n, COLOUR_BLACK, 0, 12);
    描画_数値(s, c, 0, 0, n, COLOUR_WHITE, 0, 12);
}

void 描画_ハンデレベル(const Screen& s, Canvas& c, int grade) {
    for (int gx = 11; gx <= 14; ++gx) tile(s, c, gx, 1);
    描画_文字列(s, c, grade, 11.1, 1.1, COLOUR_BLACK, 10);
    描画_文字列(s, c, grade, 11, 1, COLOUR_WHITE, 10);
}

void 描画_手数(const Screen& s, Canvas& c, int n, int colour) {
    tile(s, c, 13, 3);
    tile(s, c, 14, 3);
    描画_桝輪郭(s, c, COLOUR_GREEN, MAN_HAND_X, 3);
    const std::string text = std::to_string(n);
    const double gx = text.size() == 1 ? 13.3 : text.size() == 2 ? 13.2 : 13.1;
    描画_数値(s, c, gx, 3.4, text, COLOUR_BLACK, 0, 12);
    描画_数値(s, c, gx - 0.1, 3.3, text, colour, 0, 12);
    描画_文字列(s, c, TEXT_MOVE_COUNT_LABEL, 13.9, 3.2, colour, 10);
}

void 描画_移動結果(const Screen& s, Canvas& c, int side, int toX, int toY, int piece, int colour) {
    double gx = 0;
    if (side == s.roleCOM)
        gx = COM_MOVE_TEXT_X;
    else if (side == s.roleMAN)
        gx = MAN_MOVE_TEXT_X;
    else
        return;
    消去_移動結果(s, c, side);
    std::string square(文字列変換(10 - toX));
    square += 文字列変換(1000 + toY);
    shadowed(s, c, gx, MOVE_TEXT_Y, square, colour, MOVE_TEXT_SIZE);
    描画_移動駒種類(s, c, side, piece, gx + MOVE_TEXT_NAME_OFFSET, MOVE_TEXT_Y, colour);
}

void 消去_移動結果(const Screen& s, Canvas& c, int side) {
    if (side == s.roleCOM) {
        for (int gx = -2; gx <= 0; ++gx) tile(s, c, gx, 8);
        描画_桝輪郭(s, c, COLOUR_GREEN, 1, 8);
    } else if (side == s.roleMAN) {
        for (int gx = 13; gx <= 15; ++gx) tile(s, c, gx, 8);
    }
}

void 描画_移動駒種類(const Screen& s, Canvas& c, int side, int piece, double gx, double gy,
                     int colour) {
    const bool hidden = side == s.roleCOM && s.screenUp == YES;
    shadowed(s, c, gx, gy, hidden ? texts::draw::HIDDEN_PIECE : 文字列変換(piece), colour,
             MOVE_TEXT_SIZE);
}

void 描画_棋譜読込み部分消去(const Screen& s, Canvas& c) {
    描画_桝_数値(s, c);
    for (int gx = -1; gx <= 9; ++gx) tile(s, c, gx, 10);
    for (int x = 1; x <= 9; ++x) 描画_桝輪郭(s, c, COLOUR_GREEN, x, 9);
}

void 描画_棋譜見出し(const Screen&, Canvas& c, std::string_view title, std::string_view top,
                     std::string_view bottom) {
    const double halfEm = HEADER_FONT_SIZE * TWIPS_PER_POINT / 2.0;
    const std::string t =
        fitText(title, HEADER_FONT_SIZE, HEADER_NAMES_X - HEADER_TITLE_X - halfEm);
    const double namesRoom = HEADER_RIGHT_END - HEADER_NAMES_X;
    c.drawText(gridX(HEADER_TITLE_X), gridY(HEADER_TITLE_Y), t, COLOUR_WHITE, HEADER_FONT_SIZE);
    c.drawText(gridX(HEADER_NAMES_X), gridY(HEADER_TOP_Y),
               fitText(top, HEADER_FONT_SIZE, namesRoom), COLOUR_WHITE, HEADER_FONT_SIZE);
    c.drawText(gridX(HEADER_NAMES_X), gridY(HEADER_BOTTOM_Y),
               fitText(bottom, HEADER_FONT_SIZE, namesRoom), COLOUR_WHITE, HEADER_FONT_SIZE);
}

// --- Marks over squares ---

namespace {

constexpr int PX = TWIPS_PER_PIXEL;

// A filled rectangle given in pixels from the square's top-left corner.
void fillInSquare(Canvas& c, int x, int y, int leftPx, int topPx, int widthPx, int heightPx,
                  int colour) {
    c.fillRect(x + leftPx * PX / static_cast<double>(SQUARE_W),
               y + topPx * PX / static_cast<double>(SQUARE_H), (widthPx - 1) * PX,
               (heightPx - 1) * PX, colour);
}

constexpr int SQUARE_PX_W = SQUARE_W / PX;
constexpr int SQUARE_PX_H = SQUARE_H / PX;

}  // namespace

void 描画_最終手印(const Screen&, Canvas& c, int x, int y) {
    // A black line inside the coloured frame keeps it readable on a light or a dark square.
    constexpr int frame = 3;
    const int w = SQUARE_PX_W, h = SQUARE_PX_H;
    fillInSquare(c, x, y, 1, 1, w - 1, frame, COLOUR_LIGHT_MAGENTA);
    fillInSquare(c, x, y, 1, h - frame, w - 1, frame, COLOUR_LIGHT_MAGENTA);
    fillInSquare(c, x, y, 1, 1, frame, h - 1, COLOUR_LIGHT_MAGENTA);
    fillInSquare(c, x, y, w - frame, 1, frame, h - 1, COLOUR_LIGHT_MAGENTA);
    constexpr int triangle = 9;
    for (int row = 0; row < triangle; ++row)
        fillInSquare(c, x, y, 1 + frame, 1 + frame + row, triangle - row, 1, COLOUR_LIGHT_MAGENTA);
}

void 描画_カーソル(const Screen&, Canvas& c, int x, int y) {
    constexpr int thick = 3, arm = 10, in = 5;
    const int w = SQUARE_PX_W, h = SQUARE_PX_H;
    const int left = in, top = in, right = w - in - thick, bottom = h - in - thick;
    for (const int bx : {left, right}) {
        const int armX = bx == left ? left : right + thick - arm;
        for (const int by : {top, bottom}) {
            const int armY = by == top ? top : bottom + thick - arm;
            // A dark edge under each bar, then the bar.
            fillInSquare(c, x, y, armX + 1, by + 1, arm, thick, COLOUR_BLACK);
            fillInSquare(c, x, y, bx + 1, armY + 1, thick, arm, COLOUR_BLACK);
            fillInSquare(c, x, y, armX, by, arm, thick, COLOUR_LIGHT_CYAN);
            fillInSquare(c, x, y, bx, armY, thick, arm, COLOUR_LIGHT_CYAN);
        }
    }
}

void 描画_拒否印(const Screen&, Canvas& c, int x, int y) {
    const int w = SQUARE_PX_W, h = SQUARE_PX_H;
    const int size = 16;
    const int left = (w - size) / 2, top = (h - size) / 2;
    fillInSquare(c, x, y, left, top, size, size, COLOUR_LIGHT_RED);
    fillInSquare(c, x, y, left + 3, top + size / 2 - 2, size - 6, 4, COLOUR_WHITE);
}

void 描画_ヒント印(const Screen&, Canvas& c, int x, int y) {
    // A frame of the given thickness inset from the square's edge.
    const auto frame = [&](int in, int thick, int colour) {
        const int w = SQUARE_PX_W - 2 * in, h = SQUARE_PX_H - 2 * in;
        fillInSquare(c, x, y, in, in, w, thick, colour);
        fillInSquare(c, x, y, in, in + h - thick, w, thick, colour);
        fillInSquare(c, x, y, in, in, thick, h, colour);
        fillInSquare(c, x, y, in + w - thick, in, thick, h, colour);
    };
    // Yellow inside a black line, so that it reads on a light square and on a dark one.
    frame(4, 1, COLOUR_BLACK);
    frame(5, 2, COLOUR_YELLOW);
}

// --- Status line ---

namespace {
constexpr double STATUS_TEXT_X = -1.6;
constexpr int STATUS_FONT_SIZE = 11;
}  // namespace

void 描画_状況行(const Screen& s, Canvas& c, std::string_view text) {
    for (int gx = -3; gx <= 16; ++gx) tile(s, c, gx, STATUS_LINE_Y);
    const double room = CLIENT_WIDTH - twipsX(STATUS_TEXT_X) - 2 * SQUARE_W / 3.0;
    const std::string shown = fitText(text, STATUS_FONT_SIZE, room);
    if (!shown.empty())
        shadowed(s, c, STATUS_TEXT_X, STATUS_LINE_Y + 0.08, shown, COLOUR_WHITE, STATUS_FONT_SIZE);
}

// --- Text widths ---

double textWidthTwips(std::string_view utf8, int fontSize) {
    double ems = 0;
    for (std::size_t i = 0; i < utf8.size();) ems += emsOf(nextCodePoint(utf8, i));
    return ems * fontSize * TWIPS_PER_POINT;
}

std::string fitText(std::string_view utf8, int fontSize, double widthTwips) {
    if (textWidthTwips(utf8, fontSize) <= widthTwips) return std::string(utf8);
    const double room = widthTwips - textWidthTwips(texts::draw::ELLIPSIS, fontSize);
    if (room < 0) return {};
    const double em = static_cast<double>(fontSize) * TWIPS_PER_POINT;
    double used = 0;
    std::size_t end = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const double w = emsOf(nextCodePoint(utf8, i)) * em;
        if (used + w > room) break;
        used += w;
        end = i;
    }
    std::string out(utf8.substr(0, end));
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out + std::string(texts::draw::ELLIPSIS);
}

// --- Record panel ---

void 描画_可視(RecordPanel& panel, int drive, int folder, int files) {
    panel.setListsVisible(drive == YES, folder == YES, files == YES);
}

void 描画_棋譜_IO(RecordPanel& panel, int mode) {
    if (mode == 0) {
        panel.setTextPanelVisible(true);
        return;
    }
    for (int box = 1; box <= 4; ++box) panel.setText(box, "");
    panel.setTextPanelVisible(false);
}

// --- Full redraw ---

void 画面_再描画(const Screen& s, Canvas& c, const Menu& menu) {
    c.beginFullRedraw();
    描画_背景(s, c, s.background);
    描画_桝_数値(s, c);
    描画_自持盤(s, c);
    描画_敵持盤(s, c);
    描画_盤(s, c);
    描画_所有時間(s, c, menu, s.roleCOM, s.timeUsedCOM);
    描画_所有時間(s, c, menu, s.roleMAN, s.timeUsedMAN);
    描画_ミス回数(s, c, s.roleCOM, COLOUR_WHITE);
    描画_ミス回数(s, c, s.roleMAN, COLOUR_WHITE);
    if (s.gameState == 1) 描画_レベル(s, c, s.level);
    if (s.handicapSet == YES) 描画_ハンデレベル(s, c, s.handicapLevel);
    描画_絵(s, c, PICTURE_TITLE, 11.2, 0);
}

}  // namespace velk
