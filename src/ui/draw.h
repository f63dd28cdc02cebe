// The drawing routines of the window surface. They emit operations in grid units onto the
// Canvas port: (gx, gy) is the window point (twipsX(gx), twipsY(gy)) in twips, and
// squares of the board are gx, gy = 1..9. Text is drawn white (15) over a black (0) shadow.
#pragma once

#include <string>
#include <string_view>

#include "game/game_state.h"
#include "ui/screen.h"
#include "ui/surface_ports.h"

namespace velk {

inline constexpr int COLOUR_BLACK = 0;
inline constexpr int COLOUR_GREEN = 2;
inline constexpr int COLOUR_LIGHT_CYAN = 11;
inline constexpr int COLOUR_LIGHT_RED = 12;
inline constexpr int COLOUR_LIGHT_MAGENTA = 13;
inline constexpr int COLOUR_YELLOW = 14;
inline constexpr int COLOUR_WHITE = 15;

// Code of 描画_文字列 for the label after the move count.
inline constexpr int TEXT_MOVE_COUNT_LABEL = 99;

// --- Primitives ---

// Paints the picture of a code at the grid point: a piece face, 0 the empty square, 1 the title
// art, a background code its tile. A computer piece on the board side of the window (gx > 0) is
// painted as an empty square while the screen stands. Unknown codes draw nothing.
void 描画_絵(const Screen& s, Canvas& c, int code, double gx, double gy);

// The unfilled square from (gx, gy) to (gx + 1, gy + 1).
void 描画_桝輪郭(const Screen& s, Canvas& c, int colour, double gx, double gy);

// A filled rectangle with its top-left corner at the grid point and its size in twips.
void 描画_四角形(const Screen& s, Canvas& c, double gx, double gy, int widthTwips, int heightTwips,
                 int colour);

// Prints a value: style 0 as it stands, any other style the kanji numeral of 1..9 (nothing for
// other values).
void 描画_数値(const Screen& s, Canvas& c, double gx, double gy, int value, int colour, int style,
               int fontSize);
void 描画_数値(const Screen& s, Canvas& c, double gx, double gy, std::string_view text, int colour,
               int style, int fontSize);

// Prints the text of a code: "手目" for 99, the handicap grade labels for -10..10.
void 描画_文字列(const Screen& s, Canvas& c, int code, double gx, double gy, int colour,
                 int fontSize);

// Text of a value in move display: 1..9 full-width digits, 1001..1009 kanji numerals, a piece
// code its name; anything else empty.
std::string_view 文字列変換(int value);

// --- Board and hands ---

// The background tile on every grid point of -3..20 x -2..15 that is not a board square.
void 描画_背景(const Screen& s, Canvas& c, int code);
// Every square's picture and its green outline.
void 描画_盤(const Screen& s, Canvas& c);
// Green outlines on all 81 squares (removes a selection frame).
void 描画_将棋盤桝(const Screen& s, Canvas& c);
// File numbers above the board and rank numerals to its right.
void 描画_桝_数値(const Screen& s, Canvas& c);
// The human's hand in column 11 (歩 on row 3 ... 飛 on row 9), counts in column 12.
void 描画_自持盤(const Screen& s, Canvas& c);
// The computer's hand in column -1: hidden or shown, following screenUp.
void 描画_敵持盤(const Screen& s, Canvas& c);
void 描画_敵持盤_ついたて有り(const Screen& s, Canvas& c);
void 描画_敵持盤_ついたて無し(const Screen& s, Canvas& c);
// Sum of the hand counts of a side given as roleMAN or roleCOM; 0 for any other value.
int 調査_持駒数(const Screen& s, int side);
// Lowers the screen (screenUp := NO) and shows every computer piece on the board.
void 描画_COM駒(GameState& s, Canvas& c);

// --- Status fields ---

// A side's clock field; draws only while KEIKA is checked.
void 描画_所有時間(const Screen& s, Canvas& c, const Menu& menu, int side, float seconds);
void 消去_所有時間(const Screen& s, Canvas& c, int side);
// "hh:mm:ss"; an hour count of three or more digits gives an empty hour field.
std::string 調査_時間秒追加結果(float seconds);
// Two-digit text of a whole number: one character gets a leading "0", three or more give "".
std::string 変換_数字から文字(long long n);
void 描画_ミス回数(const Screen& s, Canvas& c, int side, int colour);
void 消去_ミス回数(const Screen& s, Canvas& c, int side);
void 描画_レベル(const Screen& s, Canvas& c, int n);
void 描画_ハンデレベル(const Screen& s, Canvas& c, int grade);
// The move count before "手目"; numbers of one to three digits end at the same place.
void 描画_手数(const Screen& s, Canvas& c, int n, int colour);
// The last move of a side as "７六歩": the computer's beside its hand, the human's beside his.
void 描画_移動結果(const Screen& s, Canvas& c, int side, int toX, int toY, int piece, int colour);
void 消去_移動結果(const Screen& s, Canvas& c, int side);
// The piece name of a move text; a computer piece reads "？？" while the screen stands.
void 描画_移動駒種類(const Screen& s, Canvas& c, int side, int piece, double gx, double gy,
                     int colour);
// Clears the rows where a loaded record's title and names were printed.
void 描画_棋譜読込み部分消去(const Screen& s, Canvas& c);
// A loaded record's title left below the board and the players' names above and below it,
// each shortened with "…" to the room it has, so that nothing overprints its neighbour.
void 描画_棋譜見出し(const Screen& s, Canvas& c, std::string_view title, std::string_view top,
                     std::string_view bottom);

// --- Marks over squares (drawn inside a square, so that painting the square again removes
// them; none depends on what stands on the square) ---

// The last move: a thick frame inside the square with a triangle in its top-left corner.
void 描画_最終手印(const Screen& s, Canvas& c, int x, int y);
// The keyboard cursor: a bracket in each corner of the square.
void 描画_カーソル(const Screen& s, Canvas& c, int x, int y);
// A refused move: a bar across the middle of the square.
void 描画_拒否印(const Screen& s, Canvas& c, int x, int y);
// A square of the hint: a yellow frame edged in black, inside the last move's frame.
void 描画_ヒント印(const Screen& s, Canvas& c, int x, int y);

// --- Status line ---

// The row below the board and the record header where the status line stands.
inline constexpr double STATUS_LINE_Y = 11.0;
// Paints the status line's row afresh and prints the text on it.
void 描画_状況行(const Screen& s, Canvas& c, std::string_view text);

// --- Text widths ---

// The width a text takes on the surface, in twips, estimated character by character: a
// full-width character is one em (the font size), a half-width one (ASCII, half-width katakana)
// half an em; the few Latin letters and signs that are wider in the surface's font count more.
double textWidthTwips(std::string_view utf8, int fontSize);
// The text as it stands when it fits the width; otherwise as much of its start as fits
// followed by "…" (nothing when not even that fits).
std::string fitText(std::string_view utf8, int fontSize, double widthTwips);

// --- Record panel ---

// Shows or hides the drive, folder and file lists (YES / NO each).
void 描画_可視(RecordPanel& panel, int drive, int folder, int files);
// Mode 0 shows the four text boxes, their labels and RETURN; any other mode empties the text
// boxes and hides them all.
void 描画_棋譜_IO(RecordPanel& panel, int mode);

// --- Full redraw ---

void 画面_再描画(const Screen& s, Canvas& c, const Menu& menu);

}  // namespace velk
