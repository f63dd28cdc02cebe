#include "app/surface_geometry.h"

#include <algorithm>
#include <cmath>

#include "ui/geometry.h"

namespace velk::app {

SurfaceGeometry::SurfaceGeometry(double deviceWidth, double deviceHeight) {
    const double scale = std::min(deviceWidth / DESIGN_WIDTH, deviceHeight / DESIGN_HEIGHT);
    // Whole-pixel squares as close to the designed shape as whole pixels allow, and no larger
    // than the scale that fits.
    const int maxH = static_cast<int>(std::floor(SQUARE_H * scale));
    squareW_ = std::max(4, static_cast<int>(std::floor(SQUARE_W * scale)));
    squareH_ = static_cast<int>(std::lround(squareW_ * static_cast<double>(SQUARE_H) / SQUARE_W));
    if (squareH_ > maxH && squareW_ > 4) {
        --squareW_;
        squareH_ =
            static_cast<int>(std::lround(squareW_ * static_cast<double>(SQUARE_H) / SQUARE_W));
    }
    squareH_ = std::max(5, squareH_);
    const double left = (deviceWidth - DESIGN_WIDTH * scaleX()) / 2.0;
    const double top = (deviceHeight - DESIGN_HEIGHT * scaleY()) / 2.0;
    originX_ = static_cast<int>(std::lround(left + BOARD_LEFT * scaleX()));
    originY_ = static_cast<int>(std::lround(top + BOARD_TOP * scaleY()));
}

double SurfaceGeometry::scaleX() const {
    return static_cast<double>(squareW_) / SQUARE_W;
}

double SurfaceGeometry::scaleY() const {
    return static_cast<double>(squareH_) / SQUARE_H;
}

int SurfaceGeometry::lineWidth() const {
    return std::max(1,
                    static_cast<int>(std::lround(TWIPS_PER_PIXEL * std::min(scaleX(), scaleY()))));
}

QPointF SurfaceGeometry::gridToDevice(double gx, double gy) const {
    return {originX_ + gx * squareW_, originY_ + gy * squareH_};
}

QPointF SurfaceGeometry::twipsToDevice(double xTwips, double yTwips) const {
    return gridToDevice(gridX(xTwips), gridY(yTwips));
}

QPointF SurfaceGeometry::deviceToTwips(QPointF device) const {
    const double gx = (device.x() - originX_) / squareW_;
    const double gy = (device.y() - originY_) / squareH_;
    return {twipsX(gx), twipsY(gy)};
}

QRect SurfaceGeometry::deviceRect(double gx, double gy, double widthTwips,
                                  double heightTwips) const {
    const QPointF a = gridToDevice(gx, gy);
    const int left = static_cast<int>(std::lround(a.x()));
    const int top = static_cast<int>(std::lround(a.y()));
    const int right = static_cast<int>(std::lround(a.x() + widthTwips * scaleX()));
    const int bottom = static_cast<int>(std::lround(a.y() + heightTwips * scaleY()));
    return QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
}

QRect SurfaceGeometry::deviceRectOfTwips(const QRectF& twips) const {
    const QPointF a = twipsToDevice(twips.left(), twips.top());
    const QPointF b = twipsToDevice(twips.right(), twips.bottom());
    return QRectF(a, b).toAlignedRect();
}

}  // namespace velk::app
