#include "app/icon.h"

#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextStream>

#include "app/pictures.h"

namespace velk::app {

namespace {

QPainterPath rect(double x, double y, double w, double h) {
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}

QString colourText(const QColor& c) {
    return c.name(QColor::HexRgb);
}

QString number(double v) {
    return QString::number(v, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString pathData(const QPainterPath& path) {
    QString d;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
            case QPainterPath::MoveToElement:
                if (i > 0) d += QStringLiteral("Z");
                d += QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
                break;
            case QPainterPath::LineToElement:
                d += QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
                break;
            case QPainterPath::CurveToElement: {
                const QPainterPath::Element c2 = path.elementAt(i + 1);
                const QPainterPath::Element end = path.elementAt(i + 2);
                d += QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x),
                              number(end.y));
                i += 2;
                break;
            }
            case QPainterPath::CurveToDataElement:
                break;
        }
    }
    return d + QStringLiteral("Z");
}

}  // namespace

std::vector<IconLayer> iconLayers() {
    std::vector<IconLayer> layers;
    const QColor none;

    QPainterPath plate;
    plate.addRoundedRect(8, 8, 240, 240, 44, 44);
    layers.push_back({plate, QColor(0x1d, 0x6b, 0x3c), none, 0});
    QPainterPath felt;
    felt.addRoundedRect(16, 16, 224, 224, 38, 38);
    layers.push_back({felt, QColor(0x24, 0x7d, 0x48), none, 0});

    QPolygonF piece;
    piece << QPointF(104, 34) << QPointF(156, 70) << QPointF(172, 220) << QPointF(36, 220)
          << QPointF(52, 70);
    QPainterPath body;
    body.addPolygon(piece);
    body.closeSubpath();
    layers.push_back({body.translated(7, 7), QColor(0x0b, 0x33, 0x1a, 150), none, 0});
    layers.push_back({body, QColor(0xf2, 0xd6, 0x9c), QColor(0x6b, 0x48, 0x1c), 5});

    QFont font(pieceFontFamily());
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QStringLiteral("将"));
    const QRectF box = glyph.boundingRect();
    const double k = 96.0 / std::max(box.width(), box.height());
    QTransform t;
    t.translate(104, 142);
    t.scale(k, k);
    t.translate(-box.center().x(), -box.center().y());
    layers.push_back({t.map(glyph), QColor(0x1a, 0x12, 0x0c), none, 0});

    // The screen: a wooden frame on two feet with paper and a lattice.
    const QColor wood(0x5a, 0x35, 0x14);
    layers.push_back({rect(144, 28, 90, 188), wood, none, 0});
    layers.push_back({rect(138, 212, 34, 14), wood, none, 0});
    layers.push_back({rect(206, 212, 34, 14), wood, none, 0});
    layers.push_back({rect(154, 38, 70, 168), QColor(0xf6, 0xef, 0xd8), none, 0});
    QPainterPath lattice = rect(187, 38, 4, 168);
    lattice.addRect(154, 92, 70, 4);
    lattice.addRect(154, 148, 70, 4);
    layers.push_back({lattice, wood, none, 0});
    return layers;
}

QImage renderIcon(int size) {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    for (const IconLayer& layer : iconLayers()) {
        p.setBrush(layer.fill);
        p.setPen(layer.stroke.isValid() ? QPen(layer.stroke, layer.strokeWidth, Qt::SolidLine,
                                               Qt::RoundCap, Qt::RoundJoin)
                                        : QPen(Qt::NoPen));
        p.drawPath(layer.path);
    }
    return img;
}

QString iconSvg() {
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n";
    for (const IconLayer& layer : iconLayers()) {
        out << "  <path fill=\"" << colourText(layer.fill) << '"';
        if (layer.fill.alpha() != 255)
            out << " fill-opacity=\"" << number(layer.fill.alphaF()) << '"';
        out << " fill-rule=\"" << (layer.path.fillRule() == Qt::OddEvenFill ? "evenodd" : "nonzero")
            << '"';
        if (layer.stroke.isValid())
            out << " stroke=\"" << colourText(layer.stroke) << "\" stroke-width=\""
                << number(layer.strokeWidth) << "\" stroke-linejoin=\"round\"";
        out << " d=\"" << pathData(layer.path) << "\"/>\n";
    }
    out << "</svg>\n";
    return svg;
}

QIcon gameIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(renderIcon(size)));
    return icon;
}

}  // namespace velk::app
