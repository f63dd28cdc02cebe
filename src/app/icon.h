// The game's icon: a piece marked 将 half behind a standing screen. It is described once as
// layers of paths in a 256 x 256 box and rendered from them as pixels or as SVG.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <vector>

namespace velk::app {

struct IconLayer {
    QPainterPath path;
    QColor fill;
    QColor stroke;  // invalid: no stroke
    double strokeWidth = 0;
};

std::vector<IconLayer> iconLayers();
QImage renderIcon(int size);
QString iconSvg();
QIcon gameIcon();

}  // namespace velk::app
