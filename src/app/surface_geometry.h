// How the designed surface, measured in twips, lies on a widget measured in device pixels.
// Squares are a whole number of pixels, so every square of the board has the same size and
// pictures of one kind are identical wherever they are drawn.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

#include "ui/geometry.h"

namespace velk::app {

class SurfaceGeometry {
  public:
    // The client area the layout was designed for, in twips.
    static constexpr int DESIGN_WIDTH = CLIENT_WIDTH;
    static constexpr int DESIGN_HEIGHT = CLIENT_HEIGHT;

    SurfaceGeometry()
        : SurfaceGeometry(DESIGN_WIDTH / static_cast<double>(TWIPS_PER_PIXEL),
                          DESIGN_HEIGHT / static_cast<double>(TWIPS_PER_PIXEL)) {}
    // The largest layout that fits the device size, centred in it.
    SurfaceGeometry(double deviceWidth, double deviceHeight);

    int squareWidth() const { return squareW_; }
    int squareHeight() const { return squareH_; }
    // Device pixels per twip, horizontally and vertically.
    double scaleX() const;
    double scaleY() const;
    // Width of a one-pixel line of the design.
    int lineWidth() const;

    QPointF gridToDevice(double gx, double gy) const;
    QPointF twipsToDevice(double xTwips, double yTwips) const;
    QPointF deviceToTwips(QPointF device) const;
    // Device pixels of a rectangle given by its grid corner and its size in twips, with the
    // edges on whole pixels.
    QRect deviceRect(double gx, double gy, double widthTwips, double heightTwips) const;
    QRect deviceRectOfTwips(const QRectF& twips) const;

    bool operator==(const SurfaceGeometry&) const = default;

  private:
    int squareW_ = 33;
    int squareH_ = 41;
    int originX_ = 0;  // device pixel of the grid point (0, 0)
    int originY_ = 0;
};

}  // namespace velk::app
