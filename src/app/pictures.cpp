#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "board/piece.h"

namespace velk::app {

namespace {

// Small deterministic generator: the same pattern at every size and every run.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) / 16777216.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

  private:
    std::uint32_t state_;
};

// Per-pixel grain that depends on the pixel only, so it repeats with the image.
int grain(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h ^ (h >> 16)) & 0xFF) - 128;
}

int clampByte(int v) {
    return std::clamp(v, 0, 255);
}

// Adds grain of the given strength to every pixel of the image.
void addGrain(QImage& img, int strength, std::uint32_t seed, bool greenOnly = false) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = grain(x, y, seed) * strength / 128;
            const QRgb c = line[x];
            const int r = clampByte(qRed(c) + (greenOnly ? n / 2 : n));
            const int g = clampByte(qGreen(c) + n);
            const int b = clampByte(qBlue(c) + (greenOnly ? n / 2 : n));
            line[x] = qRgb(r, g, b);
        }
    }
}

// Calls draw once for each copy of the period that can reach the image, so shapes that
// cross an edge continue on the opposite edge.
template <typename Draw>
void wrapped(QPainter& p, double w, double h, Draw draw) {
    const int ni = w > 0 ? 1 : 0, nj = h > 0 ? 1 : 0;
    for (int i = -ni; i <= ni; ++i)
        for (int j = -nj; j <= nj; ++j) {
            p.save();
            p.translate(i * w, j * h);
            draw();
            p.restore();
        }
}

QImage blankImage(int w, int h, QColor fill) {
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// --- Background patterns ---------------------------------------------------------------

QImage greenFelt(int sw, int sh) {
    const int w = sw * 4, h = sh * 4;
    QImage img = blankImage(w, h, QColor(0x1d, 0x6b, 0x3c));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Dice dice(2);
        const double unit = sw / 33.0;
        for (int i = 0; i < 900; ++i) {
            const double x = dice.range(0, w), y = dice.range(0, h);
            const double a = dice.range(0, 2 * M_PI), len = dice.range(1.5, 4.0) * unit;
            const QColor c =
                dice.unit() < 0.5 ? QColor(0x2c, 0x85, 0x4f, 70) : QColor(0x0f, 0x4a, 0x27, 70);
            p.setPen(QPen(c, std::max(0.6, 0.5 * unit)));
            wrapped(p, w, h, [&] {
                p.drawLine(QPointF(x, y), QPointF(x + len * std::cos(a), y + len * std::sin(a)));
            });
        }
    }
    addGrain(img, 9, 2, true);
    return img;
}

QImage tatami(int sw, int sh) {
    const int w = sw * 4, h = sh * 2;
    QImage img = blankImage(w, h, QColor(0xc9, 0xc2, 0x7c));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        // Rush stalks run along the mat: thin rows of alternating shade.
        const int rows = 28;
        const double rowH = static_cast<double>(h) / rows;
        Dice dice(3);
        for (int r = 0; r < rows; ++r) {
            const int shade = (r % 2 == 0) ? 10 : -8;
            const int jitter = static_cast<int>(dice.range(-6, 6));
            p.fillRect(QRectF(0, r * rowH, w, rowH),
                       QColor(clampByte(0xc9 + shade + jitter), clampByte(0xc2 + shade + jitter),
                              clampByte(0x7c + shade / 2)));
            p.setPen(QPen(QColor(0x8d, 0x86, 0x4c, 90), std::max(0.5, rowH * 0.12)));
            p.drawLine(QPointF(0, r * rowH), QPointF(w, r * rowH));
        }
        // The warp threads that hold the rush show as faint stitches across it.
        p.setPen(QPen(QColor(0x7e, 0x78, 0x42, 70), std::max(0.6, sw / 60.0)));
        const int warps = 8;
        for (int k = 0; k < warps; ++k) {
            const double x = (k + 0.5) * w / warps;
            for (int r = 0; r < rows; r += 2)
                p.drawLine(QPointF(x, r * rowH + rowH * 0.2), QPointF(x, r * rowH + rowH * 0.8));
        }
        // The cloth border along the long side of each mat, and the joint of its short side.
        const double border = sh * 0.16;
        QLinearGradient cloth(0, 0, 0, border);
        cloth.setColorAt(0, QColor(0x1c, 0x2c, 0x22));
        cloth.setColorAt(0.5, QColor(0x2b, 0x44, 0x33));
        cloth.setColorAt(1, QColor(0x16, 0x22, 0x1a));
        p.fillRect(QRectF(0, 0, w, border), cloth);
        p.setPen(QPen(QColor(0xb8, 0x9a, 0x4a, 120), std::max(0.6, border * 0.06)));
        for (double x = 0; x < w; x += border * 0.9)
            p.drawLine(QPointF(x, border * 0.5), QPointF(x + border * 0.45, border * 0.5));
        p.setPen(QPen(QColor(0x6f, 0x68, 0x3a, 160), std::max(0.8, sw / 40.0)));
        p.drawLine(QPointF(1, border), QPointF(1, h));
    }
    addGrain(img, 7, 3);
    return img;
}

QImage bamboo(int sw, int sh) {
    const int w = sw * 2, h = sh * 4;
    QImage img = blankImage(w, h, QColor(0x17, 0x24, 0x12));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Dice dice(4);
        const int stalks = 4;
        const double slot = static_cast<double>(w) / stalks;
        for (int i = 0; i < stalks; ++i) {
            const double width = slot * dice.range(0.80, 0.92);
            const double x = i * slot + (slot - width) / 2;
            const int tint = static_cast<int>(dice.range(-14, 14));
            QLinearGradient g(x, 0, x + width, 0);
            g.setColorAt(0.0, QColor(0x3a, clampByte(0x5c + tint), 0x1e));
            g.setColorAt(0.35, QColor(0x8f, clampByte(0xb5 + tint), 0x4c));
            g.setColorAt(0.55, QColor(0x74, clampByte(0x9c + tint), 0x3a));
            g.setColorAt(1.0, QColor(0x2a, clampByte(0x45 + tint), 0x15));
            p.fillRect(QRectF(x, 0, width, h), g);
            // Nodes: a dark ring with a light ridge, twice per period at a stalk's own offset.
            const double offset = dice.range(0, h / 2.0);
            for (int n = 0; n < 2; ++n) {
                const double y = offset + n * h / 2.0;
                wrapped(p, 0, h, [&] {
                    p.fillRect(QRectF(x, y - sh * 0.035, width, sh * 0.05),
                               QColor(0x24, 0x36, 0x10, 200));
                    p.fillRect(QRectF(x, y + sh * 0.015, width, sh * 0.03),
                               QColor(0xc4, 0xd8, 0x82, 140));
                });
            }
            // Fine lengthwise fibres.
            p.setPen(QPen(QColor(0x20, 0x30, 0x10, 40), std::max(0.5, sw / 90.0)));
            for (int f = 1; f < 6; ++f) {
                const double fx = x + width * f / 6.0;
                p.drawLine(QPointF(fx, 0), QPointF(fx, h));
            }
        }
    }
    addGrain(img, 6, 4);
    return img;
}

QImage space(int sw, int sh) {
    const int w = sw * 6, h = sh * 6;
    QImage img = blankImage(w, h, QColor(0x04, 0x06, 0x16));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Dice dice(5);
        const QColor clouds[] = {QColor(0x6a, 0x2c, 0x8c, 60), QColor(0x1f, 0x4c, 0x9a, 60),
                                 QColor(0x1b, 0x7a, 0x82, 45), QColor(0x8a, 0x2a, 0x4a, 40)};
        for (const QColor& c : clouds) {
            const double cx = dice.range(0, w), cy = dice.range(0, h);
            const double radius = dice.range(1.2, 2.2) * sh;
            wrapped(p, w, h, [&] {
                QRadialGradient g(cx, cy, radius);
                g.setColorAt(0, c);
                g.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
                p.fillRect(QRectF(cx - radius, cy - radius, 2 * radius, 2 * radius), g);
            });
        }
        const double unit = sw / 33.0;
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 260; ++i) {
            const double x = dice.range(0, w), y = dice.range(0, h);
            const double bright = dice.unit();
            const double size = (bright > 0.97 ? 1.6 : bright > 0.8 ? 1.0 : 0.6) * unit;
            const int hue = static_cast<int>(dice.range(-30, 30));
            const QColor c(clampByte(220 + hue), 225, clampByte(235 - hue),
                           static_cast<int>(110 + 145 * bright));
            wrapped(p, w, h, [&] {
                p.setBrush(c);
                p.drawEllipse(QPointF(x, y), size, size);
                if (bright > 0.985) {
                    p.setPen(QPen(QColor(255, 255, 255, 110), std::max(0.5, 0.4 * unit)));
                    p.drawLine(QPointF(x - 5 * size, y), QPointF(x + 5 * size, y));
                    p.drawLine(QPointF(x, y - 5 * size), QPointF(x, y + 5 * size));
                    p.setPen(Qt::NoPen);
                }
            });
        }
    }
    addGrain(img, 3, 5);
    return img;
}

QImage brick(int sw, int sh) {
    const int w = sw * 2, h = sh * 2;
    QImage img = blankImage(w, h, QColor(0xb5, 0xab, 0x9b));  // mortar
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        Dice dice(6);
        const int rows = 6;
        const double rowH = static_cast<double>(h) / rows;
        const double brickW = sw;
        const double joint = std::max(1.0, sh * 0.045);
        for (int r = 0; r < rows; ++r) {
            const double shift = (r % 2) ? brickW / 2 : 0;
            for (int b = -1; b < 2; ++b) {
                const double x = b * brickW + shift;
                const int tone = static_cast<int>(dice.range(-22, 22));
                const QColor face(clampByte(0x9a + tone), clampByte(0x3e + tone / 2),
                                  clampByte(0x26 + tone / 3));
                const QRectF r0(x + joint / 2, r * rowH + joint / 2, brickW - joint, rowH - joint);
                wrapped(p, w, 0, [&] {
                    QLinearGradient g(r0.topLeft(), r0.bottomLeft());
                    g.setColorAt(0, face.lighter(112));
                    g.setColorAt(1, face.darker(118));
                    p.fillRect(r0, g);
                });
            }
        }
    }
    addGrain(img, 14, 6);
    return img;
}

// --- Pieces ----------------------------------------------------------------------------

struct Face {
    const char* glyph;
    double size;  // relative to the king
};

Face faceOf(int code) {
    switch (std::abs(code)) {
        case COM_HU:
            return {"歩", 0.84};
        case COM_TO:
            return {"と", 0.84};
        case COM_KYOU:
            return {"香", 0.87};
        case COM_NARIKYOU:
            return {"杏", 0.87};
        case COM_KEI:
            return {"桂", 0.89};
        case COM_NARIKEI:
            return {"圭", 0.89};
        case COM_GIN:
            return {"銀", 0.92};
        case COM_NARIGIN:
            return {"全", 0.92};
        case COM_KIN:
            return {"金", 0.92};
        case COM_KAKU:
            return {"角", 0.96};
        case COM_UMA:
            return {"馬", 0.96};
        case COM_SYA:
            return {"飛", 0.96};
        case COM_RYU:
            return {"龍", 0.96};
        case COM_OU:
            return {code < 0 ? "王" : "玉", 1.0};
        default:
            return {"", 0};
    }
}

bool isPromotedFace(int code) {
    switch (std::abs(code)) {
        case COM_TO:
        case COM_NARIKYOU:
        case COM_NARIKEI:
        case COM_NARIGIN:
        case COM_UMA:
        case COM_RYU:
            return true;
        default:
            return false;
    }
}

}  // namespace

QString pieceFontFamily() {
    return QStringLiteral("Noto Serif CJK JP");
}
QString textFontFamily() {
    return QStringLiteral("Noto Sans CJK JP");
}

void paintEmptySquare(QPainter& p, const QRectF& r) {
    p.save();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(0xea, 0xc7, 0x84));
    g.setColorAt(1, QColor(0xe0, 0xb9, 0x6f));
    p.fillRect(r, g);
    // A little grain of the wood.
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(r);
    p.setPen(QPen(QColor(0xb3, 0x86, 0x3c, 45), std::max(0.6, r.width() / 50.0)));
    const double lines[] = {0.18, 0.41, 0.63, 0.86};
    for (int i = 0; i < 4; ++i) {
        const double y = r.top() + r.height() * lines[i];
        QPainterPath path(QPointF(r.left(), y));
        path.cubicTo(QPointF(r.left() + r.width() * 0.35, y - r.height() * 0.04),
                     QPointF(r.left() + r.width() * 0.65, y + r.height() * 0.05),
                     QPointF(r.right(), y + (i % 2 ? -1 : 1) * r.height() * 0.02));
        p.drawPath(path);
    }
    p.restore();
}

void paintPiece(QPainter& p, const QRectF& r, int code) {
    paintEmptySquare(p, r);
    const Face face = faceOf(code);
    if (face.size == 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(r.center());
    if (code > 0) p.rotate(180);  // the computer's pieces point down the screen

    // The pentagon, its base near the bottom of the square.
    const double w = r.width(), h = r.height();
    const double bottom = h * 0.45;
    const double height = h * 0.86 * face.size;
    const double base = w * 0.82 * face.size;
    const double top = bottom - height;
    QPolygonF shape;
    shape << QPointF(0, top) << QPointF(base * 0.42, top + height * 0.2)
          << QPointF(base * 0.5, bottom) << QPointF(-base * 0.5, bottom)
          << QPointF(-base * 0.42, top + height * 0.2);

    const double edge = std::max(1.0, w / 34.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4a, 0x30, 0x10, 70));
    p.drawPolygon(shape.translated(code > 0 ? -edge : edge, code > 0 ? -edge : edge));

    QLinearGradient wood(QPointF(-base / 2, top), QPointF(base / 2, bottom));
    wood.setColorAt(0, QColor(0xfa, 0xe8, 0xbe));
    wood.setColorAt(1, QColor(0xdf, 0xb6, 0x70));
    p.setBrush(wood);
    p.setPen(
        QPen(QColor(0x6b, 0x48, 0x1c), edge * 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(shape);

    // The kanji, centred in the body of the piece.
    QFont font(pieceFontFamily());
    font.setBold(true);
    font.setPixelSize(std::max(4, static_cast<int>(height * 0.56)));
    QPainterPath glyph;
    glyph.addText(0, 0, font, QString::fromUtf8(face.glyph));
    const QRectF box = glyph.boundingRect();
    const QPointF centre(0, top + height * 0.58);
    const double fit =
        std::min(1.0, std::min(base * 0.78 / box.width(), height * 0.62 / box.height()));
    p.translate(centre);
    p.scale(fit, fit);
    p.translate(-box.center());
    p.setPen(Qt::NoPen);
    p.setBrush(isPromotedFace(code) ? QColor(0xc0, 0x10, 0x18) : QColor(0x1a, 0x12, 0x0c));
    p.drawPath(glyph);
    p.restore();
}

void paintTitle(QPainter& p, const QRectF& r) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const double h = r.height();
    QLinearGradient lacquer(r.topLeft(), r.bottomLeft());
    lacquer.setColorAt(0, QColor(0x6e, 0x1c, 0x12));
    lacquer.setColorAt(1, QColor(0x36, 0x0b, 0x08));
    p.fillRect(r, QColor(0x20, 0x08, 0x06));
    const QRectF plate = r.adjusted(h * 0.04, h * 0.04, -h * 0.04, -h * 0.04);
    p.setBrush(lacquer);
    const QColor gold(0xe2, 0xb8, 0x4a);
    p.setPen(QPen(gold, std::max(1.0, h * 0.045)));
    p.drawRoundedRect(plate, h * 0.1, h * 0.1);
    p.setPen(QPen(QColor(0xe2, 0xb8, 0x4a, 120), std::max(0.6, h * 0.015)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(plate.adjusted(h * 0.07, h * 0.07, -h * 0.07, -h * 0.07), h * 0.06, h * 0.06);

    QLinearGradient shine(r.topLeft(), r.bottomLeft());
    shine.setColorAt(0, QColor(0xff, 0xe7, 0x9a));
    shine.setColorAt(1, QColor(0xc8, 0x93, 0x2a));

    auto fitted = [&](const QString& text, const QFont& font, const QRectF& area) {
        QPainterPath path;
        path.addText(0, 0, font, text);
        const QRectF box = path.boundingRect();
        const double k = std::min(area.width() / box.width(), area.height() / box.height());
        p.save();
        p.translate(area.center());
        p.scale(k, k);
        p.translate(-box.center());
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawPath(path);
        p.restore();
    };
    QFont latin(QStringLiteral("DejaVu Serif"));
    latin.setItalic(true);
    latin.setBold(true);
    latin.setPixelSize(100);
    fitted(QStringLiteral("Velk"), latin,
           QRectF(plate.left() + h * 0.2, plate.top() + h * 0.13, h * 0.62, h * 0.2));
    QFont kanji(pieceFontFamily());
    kanji.setBold(true);
    kanji.setPixelSize(100);
    fitted(QStringLiteral("ついたて将棋"), kanji,
           QRectF(plate.left() + plate.width() * 0.08, plate.top() + h * 0.38, plate.width() * 0.84,
                  h * 0.42));
    p.restore();
}

QImage renderBackground(int code, int squareW, int squareH) {
    switch (code) {
        case BACKGROUND_TATAMI:
            return tatami(squareW, squareH);
        case BACKGROUND_TAKE:
            return bamboo(squareW, squareH);
        case BACKGROUND_UCHU:
            return space(squareW, squareH);
        case BACKGROUND_RENGA:
            return brick(squareW, squareH);
        default:
            return greenFelt(squareW, squareH);
    }
}

const QPixmap& PictureBook::picture(int code, QSize size) {
    auto [it, fresh] = cache_.try_emplace({code, size.width(), size.height()});
    if (fresh) {
        QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        const QRectF r(0, 0, img.width(), img.height());
        if (code == 1)
            paintTitle(p, r);
        else if (code == 0)
            paintEmptySquare(p, r);
        else
            paintPiece(p, r, code);
        p.end();
        it->second = QPixmap::fromImage(img);
    }
    return it->second;
}

const QPixmap& PictureBook::background(int code, int squareW, int squareH) {
    // Backgrounds share the cache with the pictures under keys that no picture uses.
    auto [it, fresh] = cache_.try_emplace({-100000 - code, squareW, squareH});
    if (fresh) it->second = QPixmap::fromImage(renderBackground(code, squareW, squareH));
    return it->second;
}

}  // namespace velk::app
