// The game's pictures, drawn by code at whatever pixel size the window needs: piece faces, the
// empty square, the title art and the five background patterns.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRectF>
#include <QSize>
#include <map>
#include <tuple>

#include "game/background.h"

namespace velk::app {

// Font families used for the pieces and for the text of the surface.
QString pieceFontFamily();
QString textFontFamily();

void paintEmptySquare(QPainter& p, const QRectF& r);
// A piece face: pointing up for the human's codes (negative), down for the computer's.
void paintPiece(QPainter& p, const QRectF& r, int code);
void paintTitle(QPainter& p, const QRectF& r);
// One period of a background pattern for squares of the given pixel size. The period is a
// whole number of squares, so a pattern anchored at the grid origin joins seamlessly
// wherever a tile of it is painted.
QImage renderBackground(int code, int squareW, int squareH);

// Rendered pictures, kept per size until the size changes.
class PictureBook {
  public:
    // A piece code, 0 (empty square) or 1 (title) at exactly the given pixel size.
    const QPixmap& picture(int code, QSize size);
    const QPixmap& background(int code, int squareW, int squareH);
    void clear() { cache_.clear(); }

  private:
    std::map<std::tuple<int, int, int>, QPixmap> cache_;
};

}  // namespace velk::app
