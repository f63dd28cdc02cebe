// The retained surface: geometry at any size, dropping of hidden operations, seamless tiles.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "app/display_list.h"
#include "app/surface_geometry.h"
#include "board/piece.h"

namespace velk::app {
namespace {

QImage paint(const DisplayList& list, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    PictureBook book;
    paintSurface(p, list, SurfaceGeometry(size.width(), size.height()), book, QRegion(img.rect()));
    return img;
}

// The clock field of the human as the game redraws it every second: tiles, then the text.
void drawClock(DisplayList& list, int seconds) {
    for (double gx : {13.0, 14.0, 15.0}) list.drawPicture(2, gx, 9);
    list.drawText(13.1, 9.3, "00:00:" + std::to_string(seconds), 0, 12);
    list.drawText(13, 9.2, "00:00:" + std::to_string(seconds), 15, 12);
}

void drawBackground(DisplayList& list, int code) {
    for (int gx = -3; gx <= 20; ++gx)
        for (int gy = -2; gy <= 15; ++gy)
            if (!onBoard(gx, gy)) list.drawPicture(code, gx, gy);
}

TEST(SurfaceGeometry, SquaresAreWholePixelsAndPositionsMapBackAtAnySize) {
    for (const QSize size :
         {QSize(592, 487), QSize(1001, 777), QSize(1500, 600), QSize(640, 1200)}) {
        const SurfaceGeometry g(size.width(), size.height());
        // Every square of the board has the same pixel size.
        const QRect first = g.deviceRect(1, 1, SQUARE_W, SQUARE_H);
        const QRect last = g.deviceRect(9, 9, SQUARE_W, SQUARE_H);
        EXPECT_EQ(first.size(), last.size()) << size.width() << "x" << size.height();
        EXPECT_EQ(g.deviceRect(2, 1, SQUARE_W, SQUARE_H).left(), first.right() + 1);
        // The designed area fits the device.
        const QPointF topLeft = g.twipsToDevice(0, 0);
        const QPointF bottomRight =
            g.twipsToDevice(SurfaceGeometry::DESIGN_WIDTH, SurfaceGeometry::DESIGN_HEIGHT);
        EXPECT_GE(topLeft.x(), -0.5);
        EXPECT_GE(topLeft.y(), -0.5);
        EXPECT_LE(bottomRight.x(), size.width() + 0.5);
        EXPECT_LE(bottomRight.y(), size.height() + 0.5);
        // A device point maps back to the twips it came from.
        const QPointF twips(3210, 4321);
        const QPointF back = g.deviceToTwips(g.twipsToDevice(twips.x(), twips.y()));
        EXPECT_NEAR(back.x(), twips.x(), 1e-6);
        EXPECT_NEAR(back.y(), twips.y(), 1e-6);
    }
}

TEST(DisplayList, RedrawnFieldsStayBoundedAndPaintLikeTheirLastState) {
    DisplayList busy, fresh;
    drawBackground(busy, 2);
    drawBackground(fresh, 2);
    for (int s = 0; s < 6000; ++s) {
        drawClock(busy, s % 60);
        // A selection frame and the grid drawn over it again.
        busy.drawOutline(12, 5, 5);
        busy.drawOutline(2, 5, 5);
    }
    drawClock(fresh, 5999 % 60);
    fresh.drawOutline(2, 5, 5);
    EXPECT_LT(busy.ops().size(), fresh.ops().size() + 70);
    busy.compact();
    fresh.compact();
    EXPECT_EQ(busy.ops().size(), fresh.ops().size());
    EXPECT_EQ(paint(busy, QSize(700, 580)), paint(fresh, QSize(700, 580)));
}

TEST(DisplayList, TextPartlyUncoveredIsKept) {
    DisplayList list;
    list.drawText(13, 9.2, "00:00:01", 15, 12);
    // Only the first of the tiles under the text is painted again.
    list.drawPicture(3, 13, 9);
    list.compact();
    ASSERT_EQ(list.ops().size(), 2u);
    EXPECT_EQ(list.ops().front().kind, DisplayList::Kind::Text);
}

TEST(DisplayList, BackgroundTilesJoinWithoutSeams) {
    // Tiles painted one by one look exactly like one pattern laid over the whole area.
    DisplayList tiles;
    drawBackground(tiles, 6);
    DisplayList nothing;
    nothing.drawPicture(6, 100, 100);  // only sets the pattern of the surround
    for (const QSize size : {QSize(600, 500), QSize(917, 733)}) {
        QImage a = paint(tiles, size);
        QImage b = paint(nothing, size);
        // Leave out the board, which the tiles do not cover.
        const SurfaceGeometry g(size.width(), size.height());
        const QRect board = g.deviceRect(1, 1, 9 * SQUARE_W, 9 * SQUARE_H);
        QPainter(&a).fillRect(board, Qt::black);
        QPainter(&b).fillRect(board, Qt::black);
        EXPECT_EQ(a, b) << size.width() << "x" << size.height();
    }
}

}  // namespace
}  // namespace velk::app
