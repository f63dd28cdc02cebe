#include "ui/draw.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "match/fakes.h"
#include "match/memory_ports.h"
#include "support/board_text.h"
#include "support/random_play.h"
#include "texts/texts.h"
#include "ui/surface_picture.h"

namespace velk {
namespace {

using fakes::CanvasOp;
using fakes::FakeCanvas;

// The ops drawn on one cell, with the position taken out, so two cells can be compared.
std::vector<std::pair<int, int>> opsAt(const FakeCanvas& c, double gx, double gy) {
    std::vector<std::pair<int, int>> out;
    for (const auto& op : c.ops)
        if (op.gx == gx && op.gy == gy) out.emplace_back(op.kind, op.code);
    return out;
}

std::vector<const CanvasOp*> texts(const FakeCanvas& c) {
    std::vector<const CanvasOp*> out;
    for (const auto& op : c.ops)
        if (op.kind == CanvasOp::Text) out.push_back(&op);
    return out;
}

bool hasPicture(const FakeCanvas& c, int code, double gx, double gy) {
    return std::any_of(c.ops.begin(), c.ops.end(), [&](const CanvasOp& op) {
        return op.kind == CanvasOp::Picture && op.code == code && op.gx == gx && op.gy == gy;
    });
}

TEST(Draw, HiddenComputerPieceLooksLikeAnEmptySquare) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4", "p");
    FakeCanvas c;
    描画_盤(s, c);
    EXPECT_EQ(opsAt(c, 5, 1), opsAt(c, 5, 5));
    EXPECT_NE(opsAt(c, 5, 9), opsAt(c, 5, 5));

    // The hand column is never hidden by the picture rule; the screen lowered shows the board.
    c.ops.clear();
    描画_絵(s, c, COM_HU, COM_HAND_X, 7);
    EXPECT_TRUE(hasPicture(c, COM_HU, -1, 7));
    描画_COM駒(s, c);
    EXPECT_EQ(s.screenUp, NO);
    EXPECT_TRUE(hasPicture(c, COM_OU, 5, 1));
    EXPECT_EQ(c.lastOutline(5, 1), COLOUR_GREEN);
}

// While the screen stands, two games that differ only in where the computer's pieces stand and
// what kinds its hand holds draw the same surface, whatever routine draws it.
TEST(Draw, NothingDrawnWhileTheScreenStandsDependsOnHiddenPieces) {
    std::mt19937 rng(7);
    int positions = 0;
    for (unsigned game = 1; game <= 25; ++game) {
        testkit::playRandomGame(game, 80, [&](const GameState& s) {
            if (++positions % 2 != 0) return;
            // The twin: the computer's pieces scattered over its squares and the empty ones,
            // its hand by kind shuffled with the same total.
            GameState t = s;
            std::vector<std::pair<int, int>> free;
            std::vector<std::int16_t> pieces;
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    if (!isManPiece(t.board[x][y])) {
                        if (t.board[x][y] != EMPTY) pieces.push_back(t.board[x][y]);
                        t.board[x][y] = EMPTY;
                        free.emplace_back(x, y);
                    }
            std::shuffle(free.begin(), free.end(), rng);
            for (std::size_t i = 0; i < pieces.size(); ++i)
                t.board[free[i].first][free[i].second] = pieces[i];
            Hand hand{};
            for (int n = handSumOf(s.handCOM); n > 0; --n) hand[1 + rng() % 7] += 1;
            t.handCOM = hand;
            MemoryMenu menu;
            menu.setChecked(MenuItem::KEIKA, true);
            const auto draw = [&](const GameState& g) {
                FakeCanvas c;
                画面_再描画(g, c, menu);
                描画_盤(g, c);
                描画_敵持盤(g, c);
                for (int x = 1; x <= 9; ++x)
                    for (int y = 1; y <= 9; ++y) 描画_絵(g, c, g.board[x][y], x, y);
                描画_移動結果(g, c, g.roleCOM, 5, 5, g.board[5][5], COLOUR_WHITE);
                return c.ops;
            };
            ASSERT_EQ(draw(s), draw(t));
        });
    }
}

TEST(Draw, ComputerMoveTextHidesThePieceBehindTheScreen) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    FakeCanvas c;
    描画_移動結果(s, c, s.roleCOM, 3, 6, COM_HU, COLOUR_WHITE);
    EXPECT_TRUE(c.drewText("７六"));
    EXPECT_TRUE(c.drewText(texts::draw::HIDDEN_PIECE));
    EXPECT_FALSE(c.drewText("歩"));

    c.ops.clear();
    描画_移動結果(s, c, s.roleMAN, 3, 6, MAN_TO, COLOUR_WHITE);
    EXPECT_TRUE(c.drewText("と"));

    c.ops.clear();
    s.screenUp = NO;
    描画_移動結果(s, c, s.roleCOM, 1, 9, COM_RYU, COLOUR_WHITE);
    EXPECT_TRUE(c.drewText("９九"));
    EXPECT_TRUE(c.drewText("飛成"));

    // Neither role draws nothing at all.
    c.ops.clear();
    描画_移動結果(s, c, NOBODY, 3, 6, COM_HU, COLOUR_WHITE);
    EXPECT_TRUE(c.ops.empty());
}

TEST(Draw, ComputerHandBehindTheScreenShowsOnlyTheTotal) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4", "pr");
    FakeCanvas c;
    s.screenUp = NO;
    描画_敵持盤(s, c);
    EXPECT_TRUE(hasPicture(c, COM_SYA, -1, 1));
    EXPECT_TRUE(hasPicture(c, COM_HU, -1, 7));

    c.ops.clear();
    s.screenUp = YES;
    描画_敵持盤(s, c);
    int emptySquares = 0;
    for (const auto& op : c.ops) {
        if (op.kind == CanvasOp::Picture && op.gx == -1) {
            EXPECT_EQ(op.code, PICTURE_EMPTY_SQUARE);
            ++emptySquares;
        }
    }
    EXPECT_EQ(emptySquares, 7);
    ASSERT_EQ(texts(c).size(), 2u);  // shadow and text
    EXPECT_EQ(texts(c).back()->text, "2");
    // The counts by kind that were shown beside the hand are covered again.
    for (int row = 1; row <= 7; ++row) EXPECT_TRUE(hasPicture(c, s.background, 0, row));

    EXPECT_EQ(調査_持駒数(s, s.roleCOM), 2);
    EXPECT_EQ(調査_持駒数(s, s.roleMAN), 0);
    EXPECT_EQ(調査_持駒数(s, NOBODY), 0);
}

TEST(Draw, MoveCountsOfAnyLengthEndAtTheSamePlace) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    auto endOf = [&](int n) {
        FakeCanvas c;
        描画_手数(s, c, n, COLOUR_WHITE);
        for (const auto* op : texts(c))
            if (op->code == COLOUR_WHITE && op->text == std::to_string(n))
                return op->gx + 0.1 * static_cast<double>(op->text.size());
        return -100.0;
    };
    EXPECT_NEAR(endOf(7), endOf(123), 1e-9);
    EXPECT_NEAR(endOf(45), endOf(123), 1e-9);
    FakeCanvas c;
    描画_手数(s, c, 7, COLOUR_WHITE);
    EXPECT_TRUE(c.drewText(texts::draw::MOVE_COUNT_LABEL));
}

TEST(Draw, ClockText) {
    EXPECT_EQ(調査_時間秒追加結果(59.9f), "00:00:59");
    EXPECT_EQ(調査_時間秒追加結果(3600.0f), "01:00:00");
    EXPECT_EQ(調査_時間秒追加結果(3723.5f), "01:02:03");
    EXPECT_EQ(調査_時間秒追加結果(360000.0f), ":00:00");
    EXPECT_EQ(変換_数字から文字(7), "07");
    EXPECT_EQ(変換_数字から文字(100), "");

    // The field is drawn only while KEIKA is checked.
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    FakeCanvas c;
    fakes::FakeMenu menu;
    描画_所有時間(s, c, menu, s.roleMAN, 65.0f);
    EXPECT_TRUE(c.ops.empty());
    menu.setChecked(MenuItem::KEIKA, true);
    描画_所有時間(s, c, menu, s.roleMAN, 65.0f);
    ASSERT_FALSE(texts(c).empty());
    EXPECT_EQ(texts(c).back()->text, "00:01:05");
    EXPECT_EQ(texts(c).back()->gx, 13);
}

TEST(Draw, NamesOfValues) {
    EXPECT_EQ(文字列変換(1), "１");
    EXPECT_EQ(文字列変換(1009), "九");
    EXPECT_EQ(文字列変換(MAN_NARIKEI), "桂成");
    EXPECT_EQ(文字列変換(COM_UMA), "角成");
    EXPECT_EQ(文字列変換(COM_OU), "王");
    EXPECT_EQ(文字列変換(0), "");
    EXPECT_EQ(文字列変換(12), "");
}

TEST(Draw, FullRedrawStartsAfreshAndEndsWithTheTitle) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    s.gameState = 1;
    s.handicapSet = YES;
    s.handicapLevel = -10;
    FakeCanvas c;
    fakes::FakeMenu menu;
    画面_再描画(s, c, menu);
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops.front().kind, CanvasOp::FullRedraw);
    EXPECT_EQ(c.ops.back().kind, CanvasOp::Picture);
    EXPECT_EQ(c.ops.back().code, PICTURE_TITLE);
    EXPECT_TRUE(c.drewText(texts::draw::LEVEL_LABEL));
    EXPECT_TRUE(c.drewText(texts::draw::HANDICAP_GRADES[0]));
    EXPECT_TRUE(c.drewText(texts::draw::MISS_LABEL_COM));
    EXPECT_FALSE(c.drewText("00:00:00"));  // KEIKA unchecked
}

TEST(Draw, TextWidthsAndShortening) {
    // Full-width characters one em, half-width ones half an em (at 12 points an em is 240
    // twips), the wide Latin letters more.
    EXPECT_DOUBLE_EQ(textWidthTwips("名人戦", 12), 720);
    EXPECT_DOUBLE_EQ(textWidthTwips("abc", 12), 360);
    EXPECT_DOUBLE_EQ(textWidthTwips("ﾊﾝﾃﾞｨ", 10), 500);
    EXPECT_DOUBLE_EQ(textWidthTwips("W", 10), 200);
    EXPECT_DOUBLE_EQ(textWidthTwips("", 12), 0);

    EXPECT_EQ(fitText("名人戦", 12, 720), "名人戦");
    EXPECT_EQ(fitText("名人戦第一局", 12, 720), "名人…");
    EXPECT_EQ(fitText("abcdefgh", 12, 720), "abcd…");
    EXPECT_EQ(fitText("ab cdefgh", 12, 600), "ab…");  // no space before the "…"
    EXPECT_EQ(fitText("名人戦", 12, 100), "");
    // A malformed byte is cut as a character of its own and never splits another.
    EXPECT_EQ(fitText("\xff名人戦", 12, 720), "\xff名…");
}

// The box a text may cover, in twips, by the estimate: its width and one and a third ems.
struct Box {
    double left, top, right, bottom;
    bool overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

Box boxOf(const CanvasOp& op) {
    const double left = BOARD_LEFT + op.gx * SQUARE_W, top = BOARD_TOP + op.gy * SQUARE_H;
    return {left, top, left + textWidthTwips(op.text, op.fontSize),
            top + op.fontSize * 20 * 4.0 / 3.0};
}

TEST(Draw, LongRecordTitlesAndNamesAreShortenedToTheirRoom) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    const std::string longTitle = "第九十九期名人戦七番勝負第七局決着の一局　千日手指し直し局";
    const std::string longName = "ＷＷＷ名人位永世名人十九世名人候補ＷＷＷＷＷＷＷＷ";
    const std::string latin = "WMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWMWM";
    FakeCanvas c;
    描画_棋譜見出し(s, c, longTitle, longName, latin);
    const auto drawn = texts(c);
    ASSERT_EQ(drawn.size(), 3u);
    for (const auto* op : drawn) {
        EXPECT_NE(op->text, longTitle);
        EXPECT_TRUE(op->text.ends_with("…")) << op->text;
    }
    // Title and names apart from each other, the names within the background that a new
    // game paints again (up to column 10), none reaching the title art at (11.2, 0).
    const Box title = boxOf(*drawn[0]), top = boxOf(*drawn[1]), bottom = boxOf(*drawn[2]);
    EXPECT_FALSE(title.overlaps(bottom));
    EXPECT_FALSE(title.overlaps(top));
    const double column10 = BOARD_LEFT + 10 * SQUARE_W;
    EXPECT_LE(top.right, column10);
    EXPECT_LE(bottom.right, column10);
    const Box art{BOARD_LEFT + 11.2 * SQUARE_W, BOARD_TOP, BOARD_LEFT + 11.2 * SQUARE_W + 1770,
                  BOARD_TOP + 765};
    for (const Box& b : {title, top, bottom}) EXPECT_FALSE(b.overlaps(art));
    // The board's right-hand labels (column 10) stay clear too.
    EXPECT_GE(title.left, BOARD_LEFT - SQUARE_W * 1.0);

    // Short texts are printed as they are, where they always were.
    c.ops.clear();
    描画_棋譜見出し(s, c, "練習対局", "先手太郎", "後手花子");
    ASSERT_EQ(texts(c).size(), 3u);
    EXPECT_EQ(texts(c)[0]->text, "練習対局");
    EXPECT_NEAR(texts(c)[0]->gx, (800.0 - BOARD_LEFT) / SQUARE_W, 1e-9);
    EXPECT_NEAR(texts(c)[0]->gy, (6350.0 - BOARD_TOP) / SQUARE_H, 1e-9);
    EXPECT_EQ(texts(c)[1]->text, "先手太郎");
    EXPECT_NEAR(texts(c)[1]->gx, (3700.0 - BOARD_LEFT) / SQUARE_W, 1e-9);
    EXPECT_NEAR(texts(c)[1]->gy, 0, 1e-9);
    EXPECT_EQ(texts(c)[2]->text, "後手花子");
}

std::string digestOf(const SurfacePicture& p) {
    Fnv1a64 h;
    p.addTo(h);
    return h.hex();
}

TEST(SurfacePicture, KeepsWhatShowsNotHowItWasDrawn) {
    GameState s = testkit::position("4k4/9/9/9/9/9/9/9/4K4");
    SurfacePicture a, b;
    画面_再描画(s, a, fakes::FakeMenu{});
    画面_再描画(s, b, fakes::FakeMenu{});
    const std::string start = digestOf(a);
    EXPECT_EQ(digestOf(b), start);

    // Squares painted again as they were, in any order, change nothing.
    for (const auto& [x, y] : {std::pair{3, 3}, {7, 2}}) {
        a.drawPicture(PICTURE_EMPTY_SQUARE, x, y);
        a.drawOutline(COLOUR_GREEN, x, y);
    }
    b.drawPicture(PICTURE_EMPTY_SQUARE, 7, 2);
    b.drawOutline(COLOUR_GREEN, 7, 2);
    EXPECT_EQ(digestOf(a), start);
    EXPECT_EQ(digestOf(b), start);

    // A frame shows until it is drawn over; a text until its field is tiled again.
    a.drawOutline(COLOUR_WHITE, 4, 2);
    EXPECT_NE(digestOf(a), start);
    a.drawOutline(COLOUR_GREEN, 4, 2);
    EXPECT_EQ(digestOf(a), start);
    a.drawText(13.0, 8.4, "７六歩", COLOUR_WHITE, 12);
    const std::string withText = digestOf(a);
    EXPECT_NE(withText, start);
    b.drawText(13.0, 8.4, "７六と", COLOUR_WHITE, 12);
    EXPECT_NE(digestOf(b), withText);
    消去_移動結果(s, a, s.roleMAN);
    EXPECT_EQ(digestOf(a), start);

    // The digest is the same on every machine.
    Fnv1a64 h;
    h.add(std::string_view("a"));
    EXPECT_EQ(h.hex(), "af63dc4c8601ec8c");
}

TEST(Draw, RecordPanelIsEmptiedWhenHidden) {
    fakes::FakeRecordPanel panel;
    描画_棋譜_IO(panel, 0);
    EXPECT_TRUE(panel.textPanel);
    panel.setText(2, "対局");
    描画_棋譜_IO(panel, 1);
    EXPECT_FALSE(panel.textPanel);
    EXPECT_EQ(panel.text(2), "");
    描画_可視(panel, YES, YES, NO);
    EXPECT_TRUE(panel.drives && panel.folders && !panel.files);
}

}  // namespace
}  // namespace velk
