#include "app/display_list.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "app/language.h"
#include "app/palette.h"
#include "board/piece.h"
#include "ui/geometry.h"

namespace velk::app {

namespace {

// Text is placed by the top of its line, one em high with the baseline at this fraction:
// the proportions of the classic Japanese screen fonts the layout was made with.
constexpr double BASELINE = 0.86;
constexpr int ONE_PIXEL = TWIPS_PER_PIXEL;
// How strongly a guess marker shows over its square.
constexpr double MARKER_OPACITY = 0.45;
constexpr int TILE_W = 34 * ONE_PIXEL;
constexpr int TITLE_W = 118 * ONE_PIXEL;
constexpr int TITLE_H = 51 * ONE_PIXEL;

bool isPicture(int code) {
    return (code >= 0 && code <= LAST_BACKGROUND) || isValidPiece(code);
}

QSizeF pictureSize(int code) {
    if (code == PICTURE_TITLE) return {TITLE_W, TITLE_H};
    if (isBackground(code)) return {TILE_W, SQUARE_H};
    return {SQUARE_W, SQUARE_H};
}

// The largest whole-twip rectangle inside r, and the smallest one around it.
QRect inner(const QRectF& r) {
    const int l = static_cast<int>(std::ceil(r.left())), t = static_cast<int>(std::ceil(r.top()));
    const int rr = static_cast<int>(std::floor(r.right()));
    const int b = static_cast<int>(std::floor(r.bottom()));
    return QRect(QPoint(l, t), QPoint(rr - 1, b - 1));
}
QRect outer(const QRectF& r) {
    return r.toAlignedRect();
}

}  // namespace

QFont surfaceFont(int pixelSize) {
    QFont font(textFontFamily());
    font.setPixelSize(std::max(1, pixelSize));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void DisplayList::beginFullRedraw() {
    ops_.clear();
    compactedSize_ = 0;
    if (listener_) listener_(QRectF());
}

void DisplayList::drawPicture(int picture, double gx, double gy) {
    if (!isPicture(picture)) return;
    if (isBackground(picture)) background_ = picture;
    Op op;
    op.kind = Kind::Picture;
    op.code = picture;
    op.gx = gx;
    op.gy = gy;
    op.bounds = QRectF(QPointF(twipsX(gx), twipsY(gy)), pictureSize(picture));
    op.opaque = true;
    add(std::move(op));
}

void DisplayList::drawOutline(int colour, double gx, double gy) {
    Op op;
    op.kind = Kind::Outline;
    op.code = colour;
    op.gx = gx;
    op.gy = gy;
    op.bounds = QRectF(twipsX(gx) - ONE_PIXEL, twipsY(gy) - ONE_PIXEL, SQUARE_W + 3 * ONE_PIXEL,
                       SQUARE_H + 3 * ONE_PIXEL);
    add(std::move(op));
}

void DisplayList::fillRect(double gx, double gy, int widthTwips, int heightTwips, int colour) {
    if (widthTwips < 0 || heightTwips < 0) return;
    Op op;
    op.kind = Kind::Fill;
    op.code = colour;
    op.gx = gx;
    op.gy = gy;
    op.widthTwips = widthTwips;
    op.heightTwips = heightTwips;
    // The far edge is filled too, as with a box drawn from corner to corner.
    op.bounds = QRectF(twipsX(gx), twipsY(gy), widthTwips + ONE_PIXEL, heightTwips + ONE_PIXEL);
    op.opaque = true;
    add(std::move(op));
}

void DisplayList::drawText(double gx, double gy, const std::string& text, int colour,
                           int fontSize) {
    if (text.empty() || fontSize <= 0) return;
    Op op;
    op.kind = Kind::Text;
    op.code = colour;
    op.fontSize = fontSize;
    op.gx = gx;
    op.gy = gy;
    op.text = QString::fromStdString(text);
    // Measured at one pixel a twip. The ink starts at the given point; the margins take in
    // glyphs that reach a little above their line, past their advance or below the line.
    const double em = fontSize * TWIPS_PER_POINT;
    // Labels are kept as their Japanese source and shown in the language of the moment, so the
    // bounds take in the widest of the languages.
    const QFontMetricsF metrics(surfaceFont(static_cast<int>(em)));
    double width = metrics.horizontalAdvance(op.text);
    if (english_) width = std::max(width, metrics.horizontalAdvance(english_(op.text)));
    op.bounds = QRectF(twipsX(gx), twipsY(gy) - 0.05 * em, width + 0.25 * em, 1.3 * em);
    add(std::move(op));
}

void DisplayList::add(Op op) {
    const QRectF bounds = op.bounds;
    ops_.push_back(std::move(op));
    // Compaction costs well under a millisecond for a full surface, so it runs often enough
    // that painting never replays much history.
    if (ops_.size() >= compactedSize_ + 64) compact();
    if (listener_) listener_(bounds);
}

void DisplayList::compact() {
    // Walk from the newest operation back, keeping the area that opaque operations already
    // cover; an operation wholly inside it can never show again.
    // An outline paints the same pixels as any later outline of the same square, whatever
    // the colour, so only the newest outline of each square counts.
    QRegion covered;
    std::set<std::pair<double, double>> outlined;
    std::vector<bool> keep(ops_.size(), true);
    for (std::size_t i = ops_.size(); i-- > 0;) {
        const Op& op = ops_[i];
        if (op.kind == Kind::Outline && !outlined.insert({op.gx, op.gy}).second) {
            keep[i] = false;
            continue;
        }
        if (QRegion(outer(op.bounds)).subtracted(covered).isEmpty()) {
            keep[i] = false;
            continue;
        }
        if (op.opaque) covered += inner(op.bounds);
    }
    std::size_t out = 0;
    for (std::size_t i = 0; i < ops_.size(); ++i)
        if (keep[i]) ops_[out++] = std::move(ops_[i]);
    ops_.resize(out);
    compactedSize_ = out;
}

QString shownText(const QString& source) {
    return Language::shown(source, surfaceContexts());
}

void DisplayList::setMarkers(const GuessMarkers& markers) {
    if (markers == markers_) return;
    markers_ = markers;
    if (listener_) listener_(QRectF());
}

void paintSurface(QPainter& p, const DisplayList& list, const SurfaceGeometry& geometry,
                  PictureBook& pictures, const QRegion& clip) {
    const QPointF origin = geometry.gridToDevice(0, 0);
    const int sw = geometry.squareWidth(), sh = geometry.squareHeight();
    p.setBrushOrigin(origin);
    auto backgroundBrush = [&](int code) { return QBrush(pictures.background(code, sw, sh)); };
    // Whatever lies beyond the tiled area shows the same pattern (green before any).
    p.fillRect(clip.boundingRect(),
               backgroundBrush(list.background() != 0 ? list.background() : BACKGROUND_MIDORI));

    const int line = geometry.lineWidth();
    const int half = line / 2;
    for (const DisplayList::Op& op : list.ops()) {
        if (!clip.intersects(geometry.deviceRectOfTwips(op.bounds))) continue;
        switch (op.kind) {
            case DisplayList::Kind::Picture: {
                const QSizeF size = pictureSize(op.code);
                const QRect r = geometry.deviceRect(op.gx, op.gy, size.width(), size.height());
                if (isBackground(op.code))
                    p.fillRect(r, backgroundBrush(op.code));
                else
                    p.drawPixmap(r.topLeft(), pictures.picture(op.code, r.size()));
                break;
            }
            case DisplayList::Kind::Outline: {
                const QRect r = geometry.deviceRect(op.gx, op.gy, SQUARE_W, SQUARE_H);
                const QColor c = paletteColour(op.code);
                const int l = r.left() - half, t = r.top() - half;
                const int w = r.width() + line, h = r.height() + line;
                p.fillRect(l, t, w, line, c);
                p.fillRect(l, t + r.height(), w, line, c);
                p.fillRect(l, t, line, h, c);
                p.fillRect(l + r.width(), t, line, h, c);
                break;
            }
            case DisplayList::Kind::Fill: {
                const QRect r = geometry.deviceRect(op.gx, op.gy, op.widthTwips + ONE_PIXEL,
                                                    op.heightTwips + ONE_PIXEL);
                p.fillRect(r, paletteColour(op.code));
                break;
            }
            case DisplayList::Kind::Text: {
                const double em = op.fontSize * TWIPS_PER_POINT * geometry.scaleY();
                p.setFont(surfaceFont(static_cast<int>(std::lround(em))));
                p.setPen(paletteColour(op.code));
                const QPointF at = geometry.gridToDevice(op.gx, op.gy);
                p.drawText(QPointF(at.x(), at.y() + BASELINE * em), shownText(op.text));
                break;
            }
        }
    }

    // A marker is the enemy's piece, pointing down the screen, faint over whatever the square
    // shows: a square hiding a computer piece shows as empty, so its marker looks the same.
    const GuessMarkers& markers = list.markers();
    if (markers.empty()) return;
    p.save();
    p.setOpacity(MARKER_OPACITY);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int kind = markers.kind[x][y];
            if (kind == 0) continue;
            const QRect r = geometry.deviceRect(x, y, SQUARE_W, SQUARE_H);
            if (!clip.intersects(r)) continue;
            p.drawPixmap(r.topLeft(), pictures.picture(kind, r.size()));
        }
    p.restore();
}

}  // namespace velk::app
